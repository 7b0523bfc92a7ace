#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QPushButton;
class QWidget;

namespace gearmart {

// What the tool card and the installed row share when they act on a tool:
// their buttons and the free-space check.
namespace toolaction {

QPushButton* makeButton(QWidget* parent, const char* name, const QSize& size);

// Free space in GiB where a tool would go; tests replace the measurement.
double freeSpaceOf(const QString& qstrPath);
void setFreeSpaceFunction(std::function<double(const QString&)> function);

} // namespace toolaction

} // namespace gearmart
