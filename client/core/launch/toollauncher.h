#pragma once

#include "platform/launcher.h"

#include <QString>
#include <QVector>

namespace gearmart {

// Where an installed tool lives and how it is started and linked on the
// desktop. Reads the catalog, the tool states and the configuration; shows
// nothing (the pages show the messages).
class ToolLauncher
{
public:
    // Longest paths a desktop shortcut may carry; longer ones fail it.
    static constexpr int kMaxExecutablePath = 256;
    static constexpr int kMaxIconPath = 256;
    static constexpr int kMaxShortcutPath = 128;

    // The install location for a tool registered by its own installer, else
    // DownloadPath + "/SubTools/" + ExeName without its last four characters.
    static QString toolFolder(int iToolkey);
    // The executable: ExeName with every "_x64" removed, in the tool folder;
    // when that file is missing but the same path without its trailing
    // ".exe" exists, that file. Empty for an unknown key.
    static QString executablePath(int iToolkey);
    // Whether executablePath() names an existing file.
    static bool executableExists(int iToolkey);
    // Whether a process with the tool's ExeName runs (".exe" ignored).
    static bool isRunning(int iToolkey);

    // Starts the executable detached, in its folder, and keeps who it is.
    // False when the file does not exist ("Exe not exist" is logged) or
    // cannot be started.
    bool launch(int iToolkey);
    qint64 launchedPid() const { return m_launched.isEmpty() ? -1 : m_launched.pid; }
    // Ends the process this launcher started last (SIGTERM), if it still
    // runs and is still that program (pids are reused).
    void terminateLaunched();
    // Every tool any launcher of this client started: those still running
    // as the same program are asked to end. How many were.
    static int terminateAllLaunched();

    // The desktop entry of a tool, named by its name in the current language.
    static QString shortcutIconPath(int iToolkey);
    static QString shortcutPath(int iToolkey);
    // False when the executable is missing, a path would not fit the limits
    // the shortcut format allows, or the entry cannot be written.
    static bool createDesktopShortcut(int iToolkey);
    static bool removeDesktopShortcut(int iToolkey);

private:
    platform::ProcessIdentity m_launched;
};

} // namespace gearmart
