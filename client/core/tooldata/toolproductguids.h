#pragma once

#include <QList>
#include <QString>

namespace gearmart {

// The product GUIDs under which tool installers register with the system.
class ToolProductGuids
{
public:
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; empty for a key without one.
    static QString guid(int iToolkey);
    static QList<int> keys();
};

} // namespace gearmart
