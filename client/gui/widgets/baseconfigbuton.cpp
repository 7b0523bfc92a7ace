#include "widgets/baseconfigbuton.h"

#include <QIcon>
#include <QPainter>
#include <QTimer>

namespace gearmart {

namespace {

const int kHeight = 32;
const int kTextLeft = 32;
const int kPaddingWithoutRight = 38;
const int kPaddingWithRight = 58;

} // namespace

BaseConfigButon::BaseConfigButon(QWidget* parent)
    : QToolButton(parent), m_qstrBackgroundColor(QStringLiteral("#ffffff")),
      m_qstrHoverColor(QStringLiteral("#f0f0f0")), m_qstrPressedColor(QStringLiteral("#ebebeb"))
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    updateWidth();
}

void BaseConfigButon::setText(const QString& qstrText)
{
    QToolButton::setText(qstrText);
    updateWidth();
}

void BaseConfigButon::setIconImage(const QString& qstrImage, const QString& qstrDisabledImage)
{
    m_iconImage = QPixmap(qstrImage);
    m_disabledIconImage = QPixmap(qstrDisabledImage);
    update();
}

void BaseConfigButon::setRightImage(const QString& qstrImage)
{
    m_rightImage = QPixmap(qstrImage);
    updateWidth();
    update();
}

void BaseConfigButon::setBackgroundColor(const QString& qstrColor)
{
    m_qstrBackgroundColor = qstrColor;
    update();
}

void BaseConfigButon::setHoverColor(const QString& qstrColor)
{
    m_qstrHoverColor = qstrColor;
    update();
}

void BaseConfigButon::setPressedColor(const QString& qstrColor)
{
    m_qstrPressedColor = qstrColor;
    update();
}

void BaseConfigButon::setPressed(bool bPressed)
{
    m_bPressed = bPressed;
    update();
}

void BaseConfigButon::setFontPixelSize(int iSize)
{
    m_iFontPixelSize = iSize;
    updateWidth();
    update();
}

QFont BaseConfigButon::textFont() const
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(m_iFontPixelSize);
    return font;
}

int BaseConfigButon::textWidth() const
{
    return QFontMetrics(textFont()).horizontalAdvance(text());
}

int BaseConfigButon::wantedWidth() const
{
    return textWidth() + (m_rightImage.isNull() ? kPaddingWithoutRight : kPaddingWithRight);
}

void BaseConfigButon::updateWidth()
{
    if (width() != wantedWidth() || minimumWidth() != wantedWidth()) {
        setFixedWidth(wantedWidth());
    }
}

QSize BaseConfigButon::sizeHint() const
{
    return QSize(wantedWidth(), kHeight);
}

QSize BaseConfigButon::minimumSizeHint() const
{
    return sizeHint();
}

void BaseConfigButon::enterEvent(QEvent* event)
{
    m_bHover = true;
    update();
    QToolButton::enterEvent(event);
}

void BaseConfigButon::leaveEvent(QEvent* event)
{
    m_bHover = false;
    update();
    QToolButton::leaveEvent(event);
}

QPixmap BaseConfigButon::currentIcon() const
{
    const QSize size(24, 24);
    if (isEnabled()) {
        return m_iconImage.isNull() ? icon().pixmap(size) : m_iconImage;
    }
    if (!m_disabledIconImage.isNull()) {
        return m_disabledIconImage;
    }
    return m_iconImage.isNull() ? icon().pixmap(size, QIcon::Disabled)
                                : QIcon(m_iconImage).pixmap(size, QIcon::Disabled);
}

void BaseConfigButon::paintEvent(QPaintEvent*)
{
    // A text set through QAbstractButton is noticed only here; resizing in
    // the middle of painting is not safe, so it happens right after.
    if (width() != wantedWidth()) {
        QTimer::singleShot(0, this, &BaseConfigButon::updateWidth);
    }
    // The whole look is drawn here; the style's own button would show through
    // the rounded corners.
    QString background = m_qstrBackgroundColor;
    if (isEnabled()) {
        if (m_bPressed) {
            background = m_qstrPressedColor;
        } else if (!m_bHover) {
            background = m_qstrBackgroundColor;
        } else if (isDown()) {
            background = m_qstrPressedColor;
        } else {
            background = m_qstrHoverColor;
        }
    }

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(background));
    painter.drawRoundedRect(QRectF(rect()), 2, 2);
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0xFA, 0x32, 0x39, 140), 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }

    const QPixmap iconPixmap = currentIcon();
    if (!iconPixmap.isNull()) {
        painter.drawPixmap(QRect(4, 4, 24, 24), iconPixmap);
    }
    const int tw = textWidth();
    painter.setFont(textFont());
    painter.setPen(isEnabled() ? QColor(0x66, 0x66, 0x66) : QColor(0xcc, 0xcc, 0xcc));
    painter.drawText(QRect(kTextLeft, 0, tw, kHeight), Qt::AlignCenter, text());
    if (!m_rightImage.isNull()) {
        painter.drawPixmap(QRect(tw + kTextLeft, 4, 24, 24), m_rightImage);
    }
}

} // namespace gearmart
