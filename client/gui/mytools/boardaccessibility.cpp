#include "mytools/boardaccessibility.h"

#include <QAccessible>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>

#include <algorithm>

namespace gearmart {

namespace {

const char kRowClass[] = "gearmart::DownloadedSubToolWidget";

QAccessibleInterface* boardFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QGraphicsView"))
        return new BoardViewAccessible(static_cast<QGraphicsView*>(object));
    if (className == QLatin1String(kRowClass))
        return new BoardRowAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void BoardAccessibility::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(boardFactory);
}

BoardViewAccessible::BoardViewAccessible(QGraphicsView* view) : QAccessibleWidget(view, QAccessible::List)
{
}

QList<QWidget*> BoardViewAccessible::rows() const
{
    QList<QGraphicsProxyWidget*> proxies;
    const auto* view = static_cast<const QGraphicsView*>(widget());
    if (view->scene()) {
        for (QGraphicsItem* item : view->scene()->items()) {
            if (item->isWidget() && item->isVisible()) {
                if (auto* proxy = qobject_cast<QGraphicsProxyWidget*>(static_cast<QGraphicsWidget*>(item)))
                    if (proxy->widget())
                        proxies.append(proxy);
            }
        }
    }
    std::stable_sort(proxies.begin(), proxies.end(), [](const QGraphicsProxyWidget* a, const QGraphicsProxyWidget* b) {
        return a->scenePos().y() < b->scenePos().y() ||
               (a->scenePos().y() == b->scenePos().y() && a->scenePos().x() < b->scenePos().x());
    });
    QList<QWidget*> widgets;
    for (const QGraphicsProxyWidget* proxy : qAsConst(proxies))
        widgets.append(proxy->widget());
    return widgets;
}

int BoardViewAccessible::childCount() const
{
    return rows().size();
}

QAccessibleInterface* BoardViewAccessible::child(int index) const
{
    const QList<QWidget*> all = rows();
    if (index < 0 || index >= all.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(all.at(index));
}

int BoardViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || !child->object() || !child->object()->isWidgetType())
        return -1;
    return rows().indexOf(static_cast<QWidget*>(child->object()));
}

QAccessibleInterface* BoardViewAccessible::childAt(int x, int y) const
{
    for (int i = 0, n = childCount(); i < n; ++i) {
        QAccessibleInterface* row = child(i);
        if (row && row->rect().contains(x, y))
            return row;
    }
    return nullptr;
}

BoardRowAccessible::BoardRowAccessible(QWidget* row) : QAccessibleWidget(row, QAccessible::ListItem)
{
}

QGraphicsView* BoardRowAccessible::view() const
{
    const QGraphicsProxyWidget* proxy = widget()->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return nullptr;
    return proxy->scene()->views().constFirst();
}

QAccessibleInterface* BoardRowAccessible::parent() const
{
    if (QGraphicsView* shownBy = view())
        return QAccessible::queryAccessibleInterface(shownBy);
    return QAccessibleWidget::parent();
}

QRect BoardRowAccessible::rect() const
{
    QGraphicsView* shownBy = view();
    if (!shownBy)
        return QAccessibleWidget::rect();
    const QGraphicsProxyWidget* proxy = widget()->graphicsProxyWidget();
    const QRect inView = shownBy->mapFromScene(proxy->sceneBoundingRect()).boundingRect();
    return QRect(shownBy->viewport()->mapToGlobal(inView.topLeft()), inView.size());
}

QAccessible::State BoardRowAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    QGraphicsView* shownBy = view();
    if (shownBy) {
        const QGraphicsProxyWidget* proxy = widget()->graphicsProxyWidget();
        // The row is a window of its own, never "visible" in the widget sense.
        state.invisible = !proxy->isVisible() || !shownBy->isVisible();
        state.offscreen = !shownBy->viewport()->rect().intersects(
            shownBy->mapFromScene(proxy->sceneBoundingRect()).boundingRect());
        state.focused = proxy->hasFocus() && widget()->hasFocus();
    }
    return state;
}

} // namespace gearmart
