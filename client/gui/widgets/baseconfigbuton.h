#pragma once

#include <QPixmap>
#include <QToolButton>

namespace gearmart {

// A flat icon-and-text button, 32 high, as wide as its text needs: a 24 x 24
// icon at the left, the text, and an optional 24 x 24 image at the right.
// The background follows the pointer: background colour, hover colour, pressed
// colour while held down or while the pressed flag is set.
class BaseConfigButon : public QToolButton
{
    Q_OBJECT

public:
    explicit BaseConfigButon(QWidget* parent = nullptr);

    // Hides QAbstractButton::setText so the width follows the text at once; a
    // text set through a base pointer is picked up at the next paint.
    void setText(const QString& qstrText);

    // Without a disabled image the normal one is shown greyed when disabled.
    // Without any image the QToolButton icon is used.
    void setIconImage(const QString& qstrImage, const QString& qstrDisabledImage = QString());
    void setRightImage(const QString& qstrImage);
    void setBackgroundColor(const QString& qstrColor);
    QString backgroundColor() const { return m_qstrBackgroundColor; }
    void setHoverColor(const QString& qstrColor);
    void setPressedColor(const QString& qstrColor);
    void setPressed(bool bPressed);
    bool isPressed() const { return m_bPressed; }
    void setFontPixelSize(int iSize);
    int fontPixelSize() const { return m_iFontPixelSize; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QFont textFont() const;
    int textWidth() const;
    int wantedWidth() const;
    void updateWidth();
    QPixmap currentIcon() const;

    QPixmap m_iconImage;
    QPixmap m_disabledIconImage;
    QPixmap m_rightImage;
    bool m_bPressed = false;
    bool m_bHover = false;
    QString m_qstrBackgroundColor;
    QString m_qstrHoverColor;
    QString m_qstrPressedColor;
    int m_iFontPixelSize = 12;
};

} // namespace gearmart
