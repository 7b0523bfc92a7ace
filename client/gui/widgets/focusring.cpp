#include "widgets/focusring.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>

namespace gearmart {

FocusRing* FocusRing::install(QApplication* app)
{
    auto* ring = new FocusRing;
    app->installEventFilter(ring);
    QObject::connect(app, &QCoreApplication::aboutToQuit, ring, &QObject::deleteLater);
    return ring;
}

FocusRing::FocusRing(QWidget* parent) : QFocusFrame(parent)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The frame is decoration; a screen reader has the focused control.
    setAccessibleName(QString());
}

bool FocusRing::wantsRing(const QWidget* widget)
{
    return widget && !widget->isWindow() && widget->parentWidget() && widget->focusPolicy() != Qt::NoFocus &&
           !widget->property(kOwnRing).toBool();
}

void FocusRing::follow(QWidget* widget)
{
    if (widget == this->widget())
        return;
    setWidget(wantsRing(widget) ? widget : nullptr);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* widget = static_cast<QWidget*>(watched);
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason)
            follow(widget);
        else if (reason == Qt::MouseFocusReason)
            follow(nullptr);
    } else if (event->type() == QEvent::FocusOut && watched == widget()) {
        // Leaving for another window keeps the ring for when focus returns.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            follow(nullptr);
    } else if (event->type() == QEvent::Destroy && watched == widget()) {
        follow(nullptr);
    }
    return QFocusFrame::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    if (!widget())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Dark blue reads at 3:1 or better on white, grey and the brand red.
    painter.setPen(QPen(QColor(QStringLiteral("#1A56DB")), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

} // namespace gearmart
