#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace gearmart {

// What this client learnt about an installed tool beyond the state list
// (ToolsLocalInfo.xml): when it was installed or last changed, the version
// its last update replaced and the entries that version was kept under, and
// the catalog version the user chose to skip.
struct ToolLocalInfo
{
    QDateTime installedAt;
    // Empty when the replaced version is not known.
    QString previousVersion;
    // Names of the unzip folder's top-level entries the last update
    // replaced; each is kept beside it as ".NAME.previous".
    QStringList previousEntries;
    QString skippedVersion;

    bool isEmpty() const
    {
        return !installedAt.isValid() && previousVersion.isEmpty() && previousEntries.isEmpty() &&
               skippedVersion.isEmpty();
    }
};

} // namespace gearmart
