#include "panelcraft/iconbutton.h"

#include <QPainter>

namespace crestui {

IconButton::IconButton(QWidget* parent) : QAbstractButton(parent)
{
    // Mouse clicks should not leave a focus frame on pictures; Tab still reaches them.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("Picture"));
}

void IconButton::SetPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    updateGeometry();
    update();
}

QSize IconButton::sizeHint() const
{
    return m_pixmap.isNull() ? QSize(24, 24) : m_pixmap.size() / m_pixmap.devicePixelRatio();
}

void IconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_pixmap.isNull()) {
        painter.fillRect(rect(), QColor(0xF5, 0xF5, 0xF5));
    } else {
        painter.drawPixmap(rect(), m_pixmap);
    }
    if (isDown()) {
        painter.fillRect(rect(), QColor(0, 0, 0, 24));
    }
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0xFA, 0x32, 0x39), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

} // namespace crestui
