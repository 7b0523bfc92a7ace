#pragma once

#include <QString>

namespace gearmart {

// Where a packaged client keeps what it writes. The package's installation
// is read-only to users and shared by all of them, so each user gets a
// private folder holding the settings, the catalog material, the state list
// and the default download folder, seeded from the installation at first
// start. Programs, translations, documents, keys and plugins stay read from
// the installation.
class UserDataFolder
{
public:
    // ${XDG_DATA_HOME:-~/.local/share}/Gearloft; an XDG_DATA_HOME that is not
    // absolute does not count.
    static QString defaultLocation();
    // The folder the client at qstrInstallDir keeps its files in when that is
    // not the installation itself: defaultLocation() for a packaged
    // installation, empty otherwise.
    static QString forInstallation(const QString& qstrInstallDir);

    UserDataFolder(QString qstrLocation, QString qstrInstallDir);

    QString location() const { return m_qstrLocation; }

    // Makes the folder (0700, never through a link) or accepts it only when
    // it is a private folder of this user, then copies from the installation
    // whatever of Setup.xml, ToolsStateList.xml, ToolsFile/ and defaults/ it
    // lacks; what is there is never replaced. Each copy is made under a
    // temporary name and renamed into place, so an interrupted one is made
    // again next time. False with the cause.
    bool prepare(QString* pCause);

private:
    bool seed(const QString& qstrName, QString* pCause);

    QString m_qstrLocation;
    QString m_qstrInstallDir;
};

} // namespace gearmart
