#pragma once

#include <QString>

class QWidget;

namespace crestui {

// The window a dialog should be parented to: the nearest ancestor of pWidget
// (or pWidget itself) whose object name is qstrName when one is given and
// exists, else pWidget's top-level window; for a widget shown in a graphics
// scene, the window of the scene's view. Null for a null widget, or for one
// in a scene no view shows.
QWidget* GetIndependentWindow(QWidget* pWidget, const QString& qstrName = QString());

} // namespace crestui
