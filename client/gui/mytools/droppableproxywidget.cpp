#include "mytools/droppableproxywidget.h"

#include "mytools/downloadedsubtoolwidget.h"

#include <QGraphicsSceneMouseEvent>

namespace gearmart {

DroppableProxyWidget::DroppableProxyWidget(QGraphicsItem* parent) : QGraphicsProxyWidget(parent) {}

DownloadedSubToolWidget* DroppableProxyWidget::row()
{
    if (!m_pRow)
        m_pRow = qobject_cast<DownloadedSubToolWidget*>(widget());
    return m_pRow;
}

int DroppableProxyWidget::rowHeight() const
{
    return widget() ? widget()->height() : DownloadedSubToolWidget::kBaseHeight + m_iExtraHeight;
}

void DroppableProxyWidget::onResized(QSize newSize)
{
    m_iExtraHeight = newSize.height() - DownloadedSubToolWidget::kBaseHeight;
}

bool DroppableProxyWidget::onInteractiveChild(const QPointF& pos)
{
    DownloadedSubToolWidget* embedded = row();
    return embedded && embedded->isOnInteractiveChild(pos.toPoint());
}

void DroppableProxyWidget::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (onInteractiveChild(event->pos()))
        QGraphicsProxyWidget::mousePressEvent(event);
    m_bPressed = true;
    setZValue(999);
    QGraphicsItem::mousePressEvent(event);
    event->accept();
    emit signalDragState(Pressed);
}

void DroppableProxyWidget::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (onInteractiveChild(event->pos()))
        QGraphicsProxyWidget::mouseMoveEvent(event);
    QGraphicsItem::mouseMoveEvent(event);
    if (m_bPressed)
        emit signalDragState(Moving);
}

void DroppableProxyWidget::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (onInteractiveChild(event->pos()))
        QGraphicsProxyWidget::mouseReleaseEvent(event);
    m_bPressed = false;
    setZValue(0);
    QGraphicsItem::mouseReleaseEvent(event);
    emit signalDragState(Released);
}

} // namespace gearmart
