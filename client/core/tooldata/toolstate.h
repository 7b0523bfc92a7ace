#pragma once

#include <QString>

namespace gearmart {

// What this installation knows about one tool (ToolsStateList.xml, plus two
// fields taken from the uninstall registry that are never written).
struct ToolState
{
    int ToolKey = -1;
    QString CurrentVersion;
    int IsDownload = 0;
    int IsNewTools = 0;
    int IsNeedUpdate = 0;
    int ListOrder = 0;
    bool IsInstalledByInstaller = false;
    QString InstallLocation;
};

} // namespace gearmart
