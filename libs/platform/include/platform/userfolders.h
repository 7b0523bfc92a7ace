#pragma once

#include <QStringList>

namespace platform {

// Folders that belong to the system or to the user as a whole and are never
// one program's installation: the top-level system folders, the folders
// right below /usr and /var, the standard ones below /usr/local, and the
// user's standard folders (desktop, documents, downloads, the data, config
// and cache homes, ...). Paths as written, not resolved; empty ones dropped.
QStringList wellKnownFolders();

} // namespace platform
