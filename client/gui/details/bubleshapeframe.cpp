#include "details/bubleshapeframe.h"

#include "details/exhibitorthumbnail.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

namespace gearmart {

namespace {
constexpr qreal kPenWidth = 2.0;
constexpr qreal kPointerHalfBase = 11.3;
constexpr qreal kPointerHeight = 10.0;
constexpr qreal kCornerRadius = 4.0;
// The strip begins 12 pixels above this frame's bottom; the pointer's tip
// touches it.
constexpr qreal kPointerTipY = 413.0;
const QColor kOutlineColor(0xE6, 0xE6, 0xE6);
} // namespace

BubleShapeFrame::BubleShapeFrame(QWidget* parent)
    : QFrame(parent), m_pViewport(new QWidget(this)), m_pOutToLeft(new QPropertyAnimation(this)),
      m_pInFromRight(new QPropertyAnimation(this)), m_pOutToRight(new QPropertyAnimation(this)),
      m_pInFromLeft(new QPropertyAnimation(this))
{
    setObjectName(QStringLiteral("m_pMultiLabelExhibitor"));
    setFixedSize(kWidth, kHeight);
    setFrameShape(QFrame::NoFrame);
    // Children are clipped to the viewport, so a sliding picture never
    // crosses the outline.
    m_pViewport->setObjectName(QStringLiteral("m_pViewport"));
    m_pViewport->setGeometry(pictureArea());
    for (QPropertyAnimation* animation : {m_pOutToLeft, m_pInFromRight, m_pOutToRight, m_pInFromLeft}) {
        animation->setPropertyName("pos");
        animation->setDuration(m_iSlideDuration);
    }
}

QRectF BubleShapeFrame::bodyRect() const
{
    const qreal half = kPenWidth / 2;
    return QRectF(half, half, kWidth - kPenWidth, kPointerTipY - kPointerHeight - half);
}

QRect BubleShapeFrame::pictureArea() const
{
    return bodyRect().toAlignedRect().adjusted(2, 2, -2, -2);
}

QPointF BubleShapeFrame::pointerTip() const
{
    if (m_iCurrentIndex < 0 || m_iCurrentIndex >= m_pointerPositions.size()) {
        return QPointF(-1, -1);
    }
    return QPointF(m_pointerPositions.at(m_iCurrentIndex), kPointerTipY);
}

void BubleShapeFrame::setPictures(const QList<QPixmap>& pictures)
{
    finishSlides();
    qDeleteAll(m_pictureLabels);
    m_pictureLabels.clear();
    const QSize area = m_pViewport->size();
    for (int i = 0; i < pictures.size(); ++i) {
        auto* label = new QLabel(m_pViewport);
        label->setObjectName(QStringLiteral("pictureLabel%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        label->resize(area);
        label->setPixmap(pictures.at(i).scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        // Unselected pictures wait outside the viewport.
        label->move(i == 0 ? QPoint(0, 0) : QPoint(area.width(), 0));
        label->show();
        m_pictureLabels.append(label);
    }
    m_iCurrentIndex = 0;
    update();
}

void BubleShapeFrame::setPointerPositions(const QVector<qreal>& positions)
{
    m_pointerPositions = positions;
    update();
}

void BubleShapeFrame::setSlideDuration(int iMilliseconds)
{
    m_iSlideDuration = qMax(0, iMilliseconds);
    for (QPropertyAnimation* animation : {m_pOutToLeft, m_pInFromRight, m_pOutToRight, m_pInFromLeft}) {
        animation->setDuration(m_iSlideDuration);
    }
}

bool BubleShapeFrame::isSliding() const
{
    for (QPropertyAnimation* animation : {m_pOutToLeft, m_pInFromRight, m_pOutToRight, m_pInFromLeft}) {
        if (animation->state() == QAbstractAnimation::Running) {
            return true;
        }
    }
    return false;
}

void BubleShapeFrame::finishSlides()
{
    // A click during a slide: every picture goes straight to its resting place.
    for (QPropertyAnimation* animation : {m_pOutToLeft, m_pInFromRight, m_pOutToRight, m_pInFromLeft}) {
        animation->stop();
        animation->setTargetObject(nullptr);
    }
    const int width = m_pViewport->width();
    for (int i = 0; i < m_pictureLabels.size(); ++i) {
        m_pictureLabels.at(i)->move(i == m_iCurrentIndex ? QPoint(0, 0) : QPoint(width, 0));
    }
}

void BubleShapeFrame::slide(QPropertyAnimation* animation, QLabel* label, const QPoint& from,
                            const QPoint& to)
{
    label->move(from);
    animation->setTargetObject(label);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->start();
}

void BubleShapeFrame::setCurrentIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= m_pictureLabels.size()) {
        return;
    }
    finishSlides();
    const int previous = m_iCurrentIndex;
    m_iCurrentIndex = iIndex;
    update();
    emit signalThumbnailIndexChanged(iIndex);
    if (previous == iIndex) {
        return;
    }
    const int width = m_pViewport->width();
    QLabel* outgoing = m_pictureLabels.at(previous);
    QLabel* incoming = m_pictureLabels.at(iIndex);
    if (iIndex > previous) {
        slide(m_pOutToLeft, outgoing, QPoint(0, 0), QPoint(-width, 0));
        slide(m_pInFromRight, incoming, QPoint(width, 0), QPoint(0, 0));
    } else {
        slide(m_pOutToRight, outgoing, QPoint(0, 0), QPoint(width, 0));
        slide(m_pInFromLeft, incoming, QPoint(-width, 0), QPoint(0, 0));
    }
}

void BubleShapeFrame::onSolveButtonClick()
{
    if (auto* thumbnail = qobject_cast<ExhibitorThumbnail*>(sender())) {
        setCurrentIndex(thumbnail->index());
    }
}

void BubleShapeFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = bodyRect();
    QPainterPath outline;
    outline.addRoundedRect(body, kCornerRadius, kCornerRadius);
    painter.setPen(QPen(kOutlineColor, kPenWidth));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);

    const QPointF tip = pointerTip();
    if (tip.x() < 0) {
        return;
    }
    QPainterPath pointer;
    pointer.moveTo(tip.x() - kPointerHalfBase, body.bottom());
    pointer.lineTo(tip.x() + kPointerHalfBase, body.bottom());
    pointer.lineTo(tip);
    pointer.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutlineColor);
    painter.drawPath(pointer);
}

} // namespace gearmart
