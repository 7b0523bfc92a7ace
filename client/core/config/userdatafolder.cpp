#include "config/userdatafolder.h"

#include "config/installlayout.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace gearmart {

namespace {

const char kSeedingSuffix[] = ".seeding";

std::string local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Regular files and folders only: a link or device in the installation is
// nothing a user's copy needs.
bool copyTree(const std::string& from, const std::string& to, std::string& failed)
{
    switch (platform::entryKind(from)) {
    case platform::EntryKind::File:
        if (platform::copyFile(from, to))
            return true;
        failed = to;
        return false;
    case platform::EntryKind::Folder: {
        std::vector<std::string> names;
        if (!platform::listFolder(from, names) || !platform::makeFolder(to, 0700)) {
            failed = to;
            return false;
        }
        for (const std::string& name : names) {
            if (!copyTree(from + '/' + name, to + '/' + name, failed))
                return false;
        }
        return true;
    }
    default:
        return true;
    }
}

} // namespace

QString UserDataFolder::defaultLocation()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QString::fromStdString(platform::homeDirectory()) + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/Gearloft");
}

QString UserDataFolder::forInstallation(const QString& qstrInstallDir)
{
    return InstallLayout::isPackaged(qstrInstallDir) ? defaultLocation() : QString();
}

UserDataFolder::UserDataFolder(QString qstrLocation, QString qstrInstallDir)
    : m_qstrLocation(std::move(qstrLocation)), m_qstrInstallDir(std::move(qstrInstallDir))
{
}

bool UserDataFolder::prepare(QString* pCause)
{
    const QString parent = QFileInfo(m_qstrLocation).path();
    if (!platform::makeDirectories(local(parent))) {
        *pCause = parent + QStringLiteral(": cannot be created");
        return false;
    }
    // The per-user installer's default folder is this one too.
    if (platform::entryKind(local(m_qstrLocation)) == platform::EntryKind::Folder &&
        platform::entryKind(local(m_qstrLocation + QStringLiteral("/.gearloft-manifest"))) !=
            platform::EntryKind::Missing) {
        *pCause = m_qstrLocation + QStringLiteral(": holds a Gearloft installation of its own; "
                                                  "remove it with its Unmoor or start that one instead");
        return false;
    }
    std::string why;
    if (!platform::ensureOwnPrivateFolder(local(m_qstrLocation), why)) {
        *pCause = QFile::decodeName(why.c_str()) + QStringLiteral(" - it must be a private folder of this user");
        return false;
    }
    for (const char* name : {"Setup.xml", "ToolsStateList.xml", "ToolsFile", "defaults"}) {
        if (!seed(QString::fromLatin1(name), pCause))
            return false;
    }
    return true;
}

bool UserDataFolder::seed(const QString& qstrName, QString* pCause)
{
    const std::string target = local(m_qstrLocation + QLatin1Char('/') + qstrName);
    if (platform::entryKind(target) != platform::EntryKind::Missing)
        return true;
    const std::string source = local(m_qstrInstallDir + QLatin1Char('/') + qstrName);
    if (platform::entryKind(source) == platform::EntryKind::Missing)
        return true; // the start-up checks repair or report what is missing
    const std::string part = target + kSeedingSuffix;
    std::string failed;
    if (!platform::removeTree(part) || !copyTree(source, part, failed) ||
        platform::moveEntryNoReplace(part, target) != platform::MoveResult::Moved) {
        platform::removeTree(part);
        *pCause = QFile::decodeName((failed.empty() ? target : failed).c_str()) +
                  QStringLiteral(": the copy from the installation failed");
        return false;
    }
    return true;
}

} // namespace gearmart
