#include "widgets/resizelabel.h"

#include <QResizeEvent>

namespace gearmart {

ResizeLabel::ResizeLabel(QWidget* parent) : QLabel(parent) {}

void ResizeLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    emit signalResized(event->size());
}

} // namespace gearmart
