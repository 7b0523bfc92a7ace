#pragma once

#include <QString>

namespace gearmart {

// A tool as the uninstall registry reports it.
struct InstallInfo
{
    bool IsInstalled = false;
    QString InstallLocation;
    QString DisplayVersion;
};

} // namespace gearmart
