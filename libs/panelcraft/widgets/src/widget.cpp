#include "panelcraft/widget.h"

#include <QPainter>
#include <QStyleOption>

namespace crestui {

Widget::Widget(QWidget* parent) : QWidget(parent) {}

void Widget::paintEvent(QPaintEvent*)
{
    // A bare QWidget subclass ignores its style sheet background unless it
    // asks the style to draw it.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace crestui
