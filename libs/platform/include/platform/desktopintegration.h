#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// What puts an installation into the desktop's menu and software centres,
// below the user's data folder (XDG_DATA_HOME): the menu entry
// "applications/ID.desktop", the icon in the hicolor theme at 48, 128 and
// 256 pixels and as SVG, and the AppStream data "metainfo/ID.metainfo.xml".
// Relative to the data folder; empty for an id that is no plain file name.
QStringList desktopIntegrationFiles(const QString& appId);

// Removes those files (a link is removed itself, never followed) and then
// the folders on their way that are left empty, up to the data folder.
// Missing files count as removed; false when one stays.
bool removeDesktopIntegration(const QString& appId);

} // namespace platform
