#include "common/transferprogresslabel.h"

#include "transfer/transferprogresstext.h"

#include <QFontMetrics>
#include <QPainter>

namespace gearmart {

namespace {
constexpr int kFontPixelSize = 10;
const QColor kTextColor(0x66, 0x66, 0x66);
} // namespace

TransferProgressLabel::TransferProgressLabel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("transferLabel"));
    setAccessibleName(tr("Transfer progress"));
    QFont smaller = font();
    smaller.setPixelSize(kFontPixelSize);
    setFont(smaller);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, kTextColor);
    setPalette(palette);
    setAlignment(Qt::AlignCenter);
    // The width is the owner's to give; the text is shortened to fit it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(QFontMetrics(smaller).height());
    hide();
}

void TransferProgressLabel::setActive(bool bActive)
{
    m_bActive = bActive;
    if (!bActive)
        showProgress(TransferProgress());
}

void TransferProgressLabel::showProgress(const TransferProgress& progress)
{
    m_qstrFullText = m_bActive ? TransferProgressText::format(progress) : QString();
    setToolTip(m_qstrFullText);
    setAccessibleDescription(m_qstrFullText);
    fitText();
    setVisible(!m_qstrFullText.isEmpty());
}

void TransferProgressLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fitText();
}

void TransferProgressLabel::fitText()
{
    const int iRoom = contentsRect().width();
    // Before the first layout there is no room to measure against.
    if (iRoom <= 0) {
        setText(m_qstrFullText);
        return;
    }
    setText(fontMetrics().elidedText(m_qstrFullText, Qt::ElideRight, iRoom));
}

void TransferProgressLabel::paintEvent(QPaintEvent*)
{
    // The slot may be lower than the font's line box (the card has 11
    // pixels), and CJK fonts make that box much taller than the glyphs:
    // centre the glyphs themselves so that nothing is cut off.
    QPainter painter(this);
    drawFrame(&painter);
    const QString qstrShown = text();
    if (qstrShown.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics(font());
    const QRect glyphs = metrics.tightBoundingRect(qstrShown);
    const QRect room = contentsRect();
    const int iBaseline = room.top() + (room.height() - glyphs.height()) / 2 - glyphs.top();
    const int iWidth = metrics.horizontalAdvance(qstrShown);
    int iX = room.left();
    if (alignment() & Qt::AlignHCenter)
        iX += (room.width() - iWidth) / 2;
    else if (alignment() & Qt::AlignRight)
        iX += room.width() - iWidth;
    painter.drawText(iX, iBaseline, qstrShown);
}

} // namespace gearmart
