#pragma once

#include <QString>

namespace platform {

// A product's folder in the applications menu (the Start-menu programs
// folder): "<ApplicationsLocation>/<name>". Empty when name is not a single
// usable file name ("", ".", "..", or one holding "/"), so that a blank name
// can never address the applications folder itself.
QString menuFolderPath(const QString& name);

// Removes the product's menu folder with everything in it. A missing folder
// counts as removed; an unusable name removes nothing and gives false.
bool removeMenuFolder(const QString& name);

} // namespace platform
