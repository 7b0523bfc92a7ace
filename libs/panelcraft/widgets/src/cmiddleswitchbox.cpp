#include "panelcraft/cmiddleswitchbox.h"

#include <QPainter>
#include <algorithm>

namespace crestui {

namespace {

const QSizeF kTrackSize(40, 20);
const int kSwitchWidth = 54;
const int kTextGap = 4;
const QColor kOnColor(0xFA, 0x32, 0x39);
const QColor kOffColor(0xCC, 0xCC, 0xCC);
const QColor kTextColor(0x33, 0x33, 0x33);

} // namespace

CMiddleSwitchBox::CMiddleSwitchBox(QWidget* parent) : QCheckBox(parent)
{
    setTristate(false);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("Switch"));
}

void CMiddleSwitchBox::setState(int iState)
{
    setCheckState(iState == Qt::Unchecked ? Qt::Unchecked : Qt::Checked);
}

QSize CMiddleSwitchBox::sizeHint() const
{
    QSize size(kSwitchWidth, 32);
    if (!text().isEmpty()) {
        size.rwidth() += 2 * kTextGap + fontMetrics().horizontalAdvance(text());
    }
    return size;
}

QSize CMiddleSwitchBox::minimumSizeHint() const
{
    return sizeHint();
}

QRectF CMiddleSwitchBox::trackRect() const
{
    const double x = (std::min(width(), kSwitchWidth) - kTrackSize.width()) / 2.0;
    const double y = (height() - kTrackSize.height()) / 2.0;
    return QRectF(QPointF(std::max(0.0, x), y), kTrackSize);
}

bool CMiddleSwitchBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

void CMiddleSwitchBox::nextCheckState()
{
    // Two states only, even if someone set the partial state from outside.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void CMiddleSwitchBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(0.45);
    }
    const bool on = checkState() == Qt::Checked;
    const QRectF track = trackRect();
    const double radius = track.height() / 2.0;

    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? kOnColor : kOffColor);
    painter.drawRoundedRect(track, radius, radius);

    const double knobMargin = 2.0;
    const double knobSize = track.height() - 2 * knobMargin;
    const double knobX = on ? track.right() - knobMargin - knobSize : track.left() + knobMargin;
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(knobX, track.top() + knobMargin, knobSize, knobSize));

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0xFA, 0x32, 0x39, 110), 1.5));
        painter.drawRoundedRect(track.adjusted(-2.5, -2.5, 2.5, 2.5), radius + 2.5, radius + 2.5);
    }

    if (!text().isEmpty()) {
        painter.setPen(kTextColor);
        const QRectF textRect(kSwitchWidth + kTextGap, 0, width() - kSwitchWidth - kTextGap, height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text());
    }
}

} // namespace crestui
