#pragma once

#include <functional>
#include <string>

namespace platform {
class StopEvent;
}

namespace haulmoor {

// Puts a received package into place. It is always unpacked completely into
// a private work folder first, so a broken package changes nothing. Tools
// (an unzip folder holding "SubTools") are then replaced all at once with
// their previous version kept; other packages (the material) are merged
// into their folder; the main program is staged for the self-upgrade.
class PackageInstaller
{
public:
    static constexpr const char* kUnpackerName = "ZipUnzip";

    explicit PackageInstaller(std::string unpackerDir) : m_unpackerDir(std::move(unpackerDir)) {}

    // 200 when installed, 400 when the package could not be unpacked or put
    // in place.
    int install(const std::string& packagePath, const std::string& fileName, const std::string& unzipDir);
    // 200 when workDir's unpacked package became homeDir/Gearloft, else 400.
    int stageMainProgram(const std::string& packagePath, const std::string& workDir,
                         const std::string& homeDir);

    // Why the last call failed, for the log; empty after a success.
    const std::string& error() const { return m_error; }
    // The client-facing reason of the last failure; empty when there is none.
    const std::string& failure() const { return m_failure; }

    // Lets tests break a tool install at any step (see ToolReplacement).
    void setStepCheck(std::function<bool()> check) { m_stepCheck = std::move(check); }
    // Once set, the unpacker is stopped and a tool half put in place is put
    // back: the installed version stays as it was.
    void setStopEvent(const platform::StopEvent* stop) { m_stop = stop; }

    // The tool's own folder: the unzip folder plus the package name up to its
    // first ".".
    static std::string toolFolder(const std::string& unzipDir, const std::string& fileName);

private:
    bool unpack(const std::string& packagePath, const std::string& targetDir);
    bool stopped() const;
    int fail(const std::string& why);

    std::string m_unpackerDir;
    std::function<bool()> m_stepCheck;
    const platform::StopEvent* m_stop = nullptr;
    std::string m_error;
    std::string m_failure;
};

} // namespace haulmoor
