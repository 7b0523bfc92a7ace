#include "launch/toollauncher.h"

#include "config/configmanager.h"
#include "log/logging.h"
#include "platform/desktopentry.h"
#include "platform/launcher.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"

#include <QDebug>
#include <QFileInfo>

namespace gearmart {

namespace {

// Every tool started from this client, for the close that ends them.
QVector<platform::ProcessIdentity>& launchedTools()
{
    static QVector<platform::ProcessIdentity> tools;
    return tools;
}

const QString kExeSuffix = QStringLiteral(".exe");

const ToolInfo* toolRecord(int iToolkey)
{
    const auto& infos = ToolDataManager::instance()->toolInfos();
    const auto it = infos.constFind(iToolkey);
    return it == infos.cend() ? nullptr : &it.value();
}

} // namespace

QString ToolLauncher::toolFolder(int iToolkey)
{
    const ToolInfo* info = toolRecord(iToolkey);
    if (!info || info->ExeName.isEmpty())
        return {};
    const auto& states = ToolDataManager::instance()->toolStates();
    const auto state = states.constFind(iToolkey);
    if (state != states.cend() && state->IsInstalledByInstaller)
        return state->InstallLocation;
    return ToolDataManager::instance()->installFolder(iToolkey);
}

QString ToolLauncher::executablePath(int iToolkey)
{
    const ToolInfo* info = toolRecord(iToolkey);
    const QString folder = toolFolder(iToolkey);
    if (!info || folder.isEmpty())
        return {};
    QString fileName = info->ExeName;
    fileName.remove(QStringLiteral("_x64"));
    const QString path = folder + QLatin1Char('/') + fileName;
    if (!QFileInfo(path).isFile() && path.endsWith(kExeSuffix)) {
        const QString bare = path.left(path.size() - kExeSuffix.size());
        if (QFileInfo(bare).isFile())
            return bare;
    }
    return path;
}

bool ToolLauncher::executableExists(int iToolkey)
{
    const QString path = executablePath(iToolkey);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool ToolLauncher::isRunning(int iToolkey)
{
    const ToolInfo* info = toolRecord(iToolkey);
    return info && !info->ExeName.isEmpty() && isProgramRunning(info->ExeName);
}

bool ToolLauncher::launch(int iToolkey)
{
    if (!executableExists(iToolkey)) {
        qCDebug(lcLaunch) << "Exe not exist";
        return false;
    }
    const QString path = executablePath(iToolkey);
    qint64 pid = -1;
    if (!platform::startDetached(path, {}, QFileInfo(path).path(), &pid) || pid <= 0)
        return false;
    m_launched = platform::identityOf(pid);
    if (m_launched.isEmpty())
        m_launched.pid = pid; // gone already: nothing will match it later
    launchedTools().append(m_launched);
    return true;
}

void ToolLauncher::terminateLaunched()
{
    platform::terminateIfSame(m_launched);
    m_launched = {};
}

int ToolLauncher::terminateAllLaunched()
{
    int ended = 0;
    for (const platform::ProcessIdentity& identity : qAsConst(launchedTools()))
        ended += platform::terminateIfSame(identity) ? 1 : 0;
    launchedTools().clear();
    return ended;
}

QString ToolLauncher::shortcutIconPath(int iToolkey)
{
    const ToolInfo* info = toolRecord(iToolkey);
    if (!info)
        return {};
    QString name = info->IconMinName;
    name = name.mid(qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    name = name.left(name.indexOf(QLatin1Char('.')));
    name = name.left(name.indexOf(QLatin1Char('_')));
    return ToolDataManager::instance()->baseDirectory() + QStringLiteral("/ToolsFile/Icon/") + name +
           QStringLiteral(".ico");
}

QString ToolLauncher::shortcutPath(int iToolkey)
{
    if (!toolRecord(iToolkey))
        return {};
    return platform::desktopEntryFilePath(platform::desktopEntryFolder(platform::EntryFolder::Desktop),
                                          ToolDataManager::instance()->toolName(iToolkey));
}

bool ToolLauncher::createDesktopShortcut(int iToolkey)
{
    if (!executableExists(iToolkey)) {
        qCDebug(lcLaunch) << "Exe not exist";
        return false;
    }
    const QString executable = executablePath(iToolkey);
    const QString icon = shortcutIconPath(iToolkey);
    const QString link = shortcutPath(iToolkey);
    // The shortcut format holds paths of limited length; a cut path would
    // start the wrong program, so such a shortcut is not made at all.
    if (link.isEmpty() || executable.size() > kMaxExecutablePath || icon.size() > kMaxIconPath ||
        link.size() > kMaxShortcutPath)
        return false;
    platform::DesktopEntry entry;
    entry.name = ToolDataManager::instance()->toolName(iToolkey);
    entry.executable = executable;
    entry.icon = icon;
    return platform::writeDesktopEntry(platform::desktopEntryFolder(platform::EntryFolder::Desktop), entry);
}

bool ToolLauncher::removeDesktopShortcut(int iToolkey)
{
    if (!toolRecord(iToolkey))
        return false;
    return platform::removeDesktopEntry(platform::desktopEntryFolder(platform::EntryFolder::Desktop),
                                        ToolDataManager::instance()->toolName(iToolkey));
}

} // namespace gearmart
