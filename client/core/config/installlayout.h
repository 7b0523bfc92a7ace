#pragma once

#include <QString>

namespace gearmart {

// Who keeps an installation's programs up to date. The Debian package puts
// its mark into the installation it owns; there the package manager
// updates the client, and the client's own self-update stays off (it could
// not write there, and must not change files a package manager tracks).
class InstallLayout
{
public:
    static const char kPackageMark[];

    // True when qstrInstallDir holds the package's mark as a regular file.
    static bool isPackaged(const QString& qstrInstallDir);
};

} // namespace gearmart
