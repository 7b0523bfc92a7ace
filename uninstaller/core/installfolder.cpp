#include "installfolder.h"

#include "appconfig.h"
#include "platform/systeminfo.h"
#include "platform/userfolders.h"

#include <QDir>
#include <QFileInfo>

namespace appinstaller {

InstallFolder::Verdict InstallFolder::check(const QString& strFolder, const QString& strGUID)
{
    if (strFolder.trimmed().isEmpty())
        return Verdict::Empty;
    // A relative value would be taken from the current folder.
    if (!QDir::isAbsolutePath(strFolder))
        return Verdict::NotAbsolute;
    const QFileInfo info(QDir::cleanPath(strFolder));
    if (info.isSymLink())
        return Verdict::SymbolicLink;
    if (!info.isDir())
        return Verdict::Missing;

    const QString folder = info.canonicalFilePath();
    if (isSharedFolder(folder))
        return Verdict::SystemFolder;
    if (QFileInfo::exists(folder + QStringLiteral("/CMakeCache.txt")) ||
        QFileInfo::exists(folder + QStringLiteral("/cmake_install.cmake")))
        return Verdict::BuildFolder;

    const QString marker = folder + QStringLiteral("/AppConfig.xml");
    if (strGUID.trimmed().isEmpty() || !QFileInfo(marker).isFile())
        return Verdict::NotOurs;
    const AppConfig installed(marker);
    if (installed.guid().trimmed() != strGUID.trimmed())
        return Verdict::NotOurs;
    return Verdict::Removable;
}

bool InstallFolder::isSharedFolder(const QString& strCanonical)
{
    if (strCanonical.isEmpty() || strCanonical == QLatin1String("/") || QDir(strCanonical).isRoot())
        return true;
    const QString home = QFileInfo(platform::homeFolder()).canonicalFilePath();
    if (!home.isEmpty() && (home == strCanonical || home.startsWith(strCanonical + QLatin1Char('/'))))
        return true;
    // The installation is one flat folder: a prefix such as /usr/local or
    // ~/.local would make a shared folder look like ours.
    for (const QString& known : platform::wellKnownFolders()) {
        const QString resolved = QFileInfo(known).canonicalFilePath();
        if (strCanonical == (resolved.isEmpty() ? QDir::cleanPath(known) : resolved))
            return true;
    }
    return false;
}

QString InstallFolder::describe(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Removable:
        return QStringLiteral("removable");
    case Verdict::Empty:
        return QStringLiteral("no installation folder is recorded");
    case Verdict::NotAbsolute:
        return QStringLiteral("the folder is not an absolute path");
    case Verdict::Missing:
        return QStringLiteral("the folder does not exist");
    case Verdict::SymbolicLink:
        return QStringLiteral("the folder is a symbolic link");
    case Verdict::SystemFolder:
        return QStringLiteral("the folder is a system folder, the home folder, one of its standard "
                              "folders or above it");
    case Verdict::BuildFolder:
        return QStringLiteral("the folder is a build folder, not an installation");
    case Verdict::NotOurs:
        return QStringLiteral("the folder holds no AppConfig.xml of this product");
    }
    return {};
}

} // namespace appinstaller
