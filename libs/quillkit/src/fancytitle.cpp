#include "quillkit/fancytitle.h"

#include <QMouseEvent>

namespace quillkit {

CFancyTitle::CFancyTitle(QWidget* parent) : QWidget(parent)
{
    // Style sheets (backgrounds) apply to a plain QWidget subclass only so.
    setAttribute(Qt::WA_StyledBackground, true);
}

void CFancyTitle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_dragOffset = event->globalPos() - window()->frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CFancyTitle::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPos() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void CFancyTitle::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bDragging) {
        m_bDragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace quillkit
