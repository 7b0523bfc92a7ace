#include "catalog/bannerpicture.h"

#include <QImage>

#include <climits>
#include <QPainter>

namespace gearmart {

BannerPicture::BannerPicture(QWidget* parent) : crestui::IconButton(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QRect BannerPicture::pictureRect(const QSize& picture, const QSize& place)
{
    if (picture.isEmpty() || place.isEmpty())
        return QRect();
    const QSize byHeight = picture.scaled(QSize(INT_MAX, place.height()), Qt::KeepAspectRatio);
    if (byHeight.width() <= place.width())
        return QRect(QPoint(0, 0), byHeight);
    const QSize byWidth = picture.scaled(QSize(place.width(), INT_MAX), Qt::KeepAspectRatio);
    return QRect(QPoint(0, (place.height() - byWidth.height()) / 2), byWidth);
}

QColor BannerPicture::edgeColor(const QImage& picture)
{
    if (picture.isNull())
        return QColor(Qt::white);
    const int x = picture.width() - 1;
    qint64 red = 0, green = 0, blue = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb pixel = picture.pixel(x, y);
        red += qRed(pixel);
        green += qGreen(pixel);
        blue += qBlue(pixel);
    }
    const int count = picture.height();
    return QColor(int(red / count), int(green / count), int(blue / count));
}

void BannerPicture::paintEvent(QPaintEvent* event)
{
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        crestui::IconButton::paintEvent(event);
        return;
    }
    if (picture.cacheKey() != m_edgeKey) {
        m_edgeKey = picture.cacheKey();
        m_edgeColor = edgeColor(picture.toImage());
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), m_edgeColor);
    painter.drawPixmap(pictureRect(picture.size(), size()), picture);
}

} // namespace gearmart
