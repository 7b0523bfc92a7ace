#pragma once

#include <QString>

namespace gearmart {

// A tool as the uninstall registry reports it.
struct InstallInfo
{
    bool IsInstalled = false;
    QString InstallLocation;
    QString DisplayVersion;
    // The entry is this client's own, written for a tool it downloaded.
    bool IsOwnCopy = false;
};

} // namespace gearmart
