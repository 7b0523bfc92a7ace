#pragma once

#include <QString>
#include <functional>

namespace gearmart {
class ConfigManager;
}

namespace swapover {

// Swapover's work after start-up: load Setup.xml, wait for the main
// program to end, run the installation's copy script, clear "IsNeedUpdate",
// remove the staging folder, restart the main program. Runs once, in order,
// on the calling thread.
class SelfUpgrade
{
public:
    enum class CopyOutcome
    {
        NotLoaded,    // Setup.xml could not be loaded: nothing done
        NoProgram,    // the main program's name is empty or not a plain name
        Copied,       // the script ended with status 0; staging folder removed
        ScriptFailed, // the script failed or could not start; staging folder kept
        NotStaged,    // no staging folder the service completed: nothing copied or removed
    };
    // What the user is told while the copy step runs.
    enum class Stage
    {
        Waiting,  // the main program is still running
        Applying, // the copy script runs
        Applied,  // the script ended with status 0
        Failed,   // the script failed, or no complete staging: the old version stays
    };

    // qstrInstallDir holds copyfiles.sh, Setup.xml and the main program;
    // qstrHomeDir holds the staging folder qstrHomeDir + "/" + qstrMainApp.
    SelfUpgrade(const QString& qstrInstallDir, const QString& qstrHomeDir, const QString& qstrMainApp);

    // Whether the main program of the given name runs (default: a process of
    // this user runs the installation's program of that name).
    void setProcessProbe(std::function<bool(const QString&)> probe) { m_probe = std::move(probe); }
    // Called between two polls that found the main program running (default:
    // sleep for the poll interval).
    void setPause(std::function<void()> pause) { m_pause = std::move(pause); }
    void setPollInterval(int iMilliseconds) { m_iPollIntervalMs = iMilliseconds; }
    // How long one wait for the script lasts before "still running" is logged
    // and the wait goes on (default 30000 ms, as the copier always waited).
    void setScriptWaitSlice(int iMilliseconds) { m_iScriptWaitSliceMs = iMilliseconds; }
    // Told each stage of the copy step as it begins (default: nobody).
    void setStageSink(std::function<void(Stage)> sink) { m_stageSink = std::move(sink); }
    // Called about every kIdleStepMs while the copy script runs, so that a
    // window can be repainted (default: nothing, one wait per slice).
    void setIdle(std::function<void()> idle) { m_idle = std::move(idle); }
    static constexpr int kIdleStepMs = 50;

    QString stagingDir() const;
    QString mainProgramPath() const;

    // The main sequence: load, copy (only after a successful load), restart.
    // Always 0.
    int run();

    bool loadConfig();
    CopyOutcome copy();
    bool restart();

private:
    // Non-empty, no "/", not "." or "..": a name that can never turn the
    // staging folder into the home folder or something outside it.
    bool mainAppIsPlainName() const;
    void waitForMainProgram();
    // Whether the staging folder is one the service finished; logs why not.
    bool stagingIsComplete() const;
    bool runCopyScript();
    // Adds what the staging folder held to the installation's manifest, so
    // that the uninstaller removes the new files too.
    void recordStagedFiles() const;
    void tell(Stage stage) const;

    QString m_qstrInstallDir;
    QString m_qstrHomeDir;
    QString m_qstrMainApp;
    gearmart::ConfigManager* m_pConfigManager = nullptr;
    std::function<bool(const QString&)> m_probe;
    std::function<void()> m_pause;
    std::function<void(Stage)> m_stageSink;
    std::function<void()> m_idle;
    int m_iPollIntervalMs = 250;
    int m_iScriptWaitSliceMs = 30000;
};

} // namespace swapover
