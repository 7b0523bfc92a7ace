#pragma once

#include <QString>

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

    // Starts the executable detached, in its folder, and keeps its pid.
    // False when the file does not exist ("Exe not exist" is logged) or
    // cannot be started.
    bool launch(int iToolkey);
    qint64 launchedPid() const { return m_launchedPid; }
    // Ends the process this launcher started last (SIGTERM), if any.
    void terminateLaunched();

    // The desktop entry of a tool, named by its name in the current language.
    static QString shortcutIconPath(int iToolkey);
    static QString shortcutPath(int iToolkey);
    // False when the executable is missing, a path would not fit the limits
    // the shortcut format allows, or the entry cannot be written.
    static bool createDesktopShortcut(int iToolkey);
    static bool removeDesktopShortcut(int iToolkey);

private:
    qint64 m_launchedPid = -1;
};

} // namespace gearmart
