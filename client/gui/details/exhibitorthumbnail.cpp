#include "details/exhibitorthumbnail.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOption>

namespace gearmart {

namespace {
// The picture sits inside the button so that the selection colour shows
// around it.
constexpr int kMarginX = 8;
constexpr int kMarginY = 6;
} // namespace

ExhibitorThumbnail::ExhibitorThumbnail(int iIndex, const QPixmap& picture, const QString& qstrToolName,
                                       QWidget* parent)
    : QAbstractButton(parent), m_iIndex(iIndex), m_centerLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("thumbnail%1").arg(iIndex));
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Picture %1 of %2").arg(iIndex + 1).arg(qstrToolName));

    m_centerLabel->setObjectName(QStringLiteral("m_centerLabel"));
    m_centerLabel->setGeometry(kMarginX, kMarginY, kWidth - 2 * kMarginX, kHeight - 2 * kMarginY);
    m_centerLabel->setStyleSheet(QStringLiteral("border:1px solid #E6E6E6; background-color: #FFFFFF;"));
    m_centerLabel->setAlignment(Qt::AlignCenter);
    // Clicks belong to the button.
    m_centerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QSize inner = m_centerLabel->size() - QSize(2, 2);
    m_centerLabel->setPixmap(picture.scaled(inner, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ExhibitorThumbnail::paintEvent(QPaintEvent*)
{
    // Through the style, so that the style sheet's background applies.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace gearmart
