#include "panelcraft/independentwindow.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QWidget>

namespace crestui {

QWidget* GetIndependentWindow(QWidget* pWidget, const QString& qstrName)
{
    if (!pWidget) {
        return nullptr;
    }
    if (!qstrName.isEmpty()) {
        for (QWidget* w = pWidget; w; w = w->parentWidget()) {
            if (w->objectName() == qstrName) {
                return w;
            }
        }
    }
    // A widget shown in a graphics scene is a top level of its own. A dialog
    // parented there would be drawn inside the scene, under whatever covers
    // the view, where nobody can answer it: take the view's window instead.
    QWidget* window = pWidget->window();
    while (const QGraphicsProxyWidget* proxy = window->graphicsProxyWidget()) {
        const QGraphicsScene* scene = proxy->scene();
        if (!scene || scene->views().isEmpty()) {
            return nullptr;
        }
        window = scene->views().first()->window();
    }
    return window;
}

} // namespace crestui
