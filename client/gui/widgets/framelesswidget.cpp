#include "widgets/framelesswidget.h"

#include "widgets/shadowframe.h"

#include <QPainter>

namespace gearmart {

FramelessWidget::FramelessWidget(QWidget* parent) : QWidget(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

void FramelessWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ShadowFrame::paint(painter, size());
}

} // namespace gearmart
