#include "panelcraft/independentwindow.h"

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
    return pWidget->window();
}

} // namespace crestui
