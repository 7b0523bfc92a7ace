#include "widgets/shadowframe.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <algorithm>

namespace gearmart {

namespace {

const char* const kShadowPath = ":/Gearmart/Image/Gearmatt/shadow_bg.png";
const QString kCacheKey = QStringLiteral("gearmart.shadowframe");

// Border widths of the picture's nine slices.
const int kLeft = 5;
const int kRight = 5;
const int kTop = 3;
const int kBottom = 7;

QPixmap drawnShadow()
{
    QImage image(ShadowFrame::kPictureWidth, ShadowFrame::kPictureHeight,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Distance into the border, 1 at the panel's edge and toward 0 outside.
            double depth = 1.0;
            if (x < kLeft) {
                depth = std::min(depth, (x + 0.5) / kLeft);
            } else if (x >= w - kRight) {
                depth = std::min(depth, (w - x - 0.5) / kRight);
            }
            if (y < kTop) {
                depth = std::min(depth, (y + 0.5) / kTop);
            } else if (y >= h - kBottom) {
                depth = std::min(depth, (h - y - 0.5) / kBottom);
            }
            if (depth < 1.0) {
                const int alpha = int(48 * depth * depth);
                image.setPixelColor(x, y, QColor(0, 0, 0, alpha));
            }
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap ShadowFrame::shadowPicture()
{
    QPixmap picture;
    if (QPixmapCache::find(kCacheKey, &picture)) {
        return picture;
    }
    picture.load(QString::fromLatin1(kShadowPath));
    if (picture.isNull()) {
        picture = drawnShadow();
    } else if (picture.size() != QSize(kPictureWidth, kPictureHeight)) {
        // The slice rectangles are fixed; a picture of another size is fitted to them.
        picture =
            picture.scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmapCache::insert(kCacheKey, picture);
    return picture;
}

void ShadowFrame::paint(QPainter& painter, const QSize& size)
{
    paint(painter, size, shadowPicture());
}

void ShadowFrame::paint(QPainter& painter, const QSize& size, const QPixmap& shadow)
{
    const int w = size.width();
    const int h = size.height();
    const int pw = kPictureWidth;
    const int ph = kPictureHeight;
    const int midW = pw - kLeft - kRight;
    const int midH = ph - kTop - kBottom;

    painter.fillRect(QRect(kLeft, kTop, w - kLeft - kRight, h - kTop - kBottom), QColor(0xff, 0xff, 0xff));

    // Edges.
    painter.drawPixmap(QRect(kLeft, 0, w - kLeft - kRight, kTop), shadow, QRect(kLeft, 0, midW, kTop));
    painter.drawPixmap(QRect(kLeft, h - kBottom, w - kLeft - kRight, kBottom), shadow,
                       QRect(kLeft, ph - kBottom, midW, kBottom));
    painter.drawPixmap(QRect(0, kTop, kLeft, h - kTop - kBottom), shadow, QRect(0, kTop, kLeft, midH));
    painter.drawPixmap(QRect(w - kRight, kTop, kRight, h - kTop - kBottom), shadow,
                       QRect(pw - kRight, kTop, kRight, midH));
    // Corners.
    painter.drawPixmap(QRect(0, 0, kLeft, kTop), shadow, QRect(0, 0, kLeft, kTop));
    painter.drawPixmap(QRect(w - kRight, 0, kRight, kTop), shadow, QRect(pw - kRight, 0, kRight, kTop));
    painter.drawPixmap(QRect(0, h - kBottom, kLeft, kBottom), shadow, QRect(0, ph - kBottom, kLeft, kBottom));
    painter.drawPixmap(QRect(w - kRight, h - kBottom, kRight, kBottom), shadow,
                       QRect(pw - kRight, ph - kBottom, kRight, kBottom));
}

} // namespace gearmart
