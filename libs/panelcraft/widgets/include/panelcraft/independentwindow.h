#pragma once

#include <QString>

class QWidget;

namespace crestui {

// The window a dialog should be parented to: the nearest ancestor of pWidget
// (or pWidget itself) whose object name is qstrName when one is given and
// exists, else pWidget's top-level window. Null for a null widget.
QWidget* GetIndependentWindow(QWidget* pWidget, const QString& qstrName = QString());

} // namespace crestui
