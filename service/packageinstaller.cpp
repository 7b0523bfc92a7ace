#include "packageinstaller.h"

#include "localprotocol/localprotocol.h"
#include "mainprogramstager.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/spawn.h"
#include "platform/stopevent.h"
#include "toolreplacement.h"
#include "transientname.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace haulmoor {

namespace {

// Moves every entry of from into to, merging folders and replacing files.
// Never writes through a symbolic link that already stands in the target.
bool mergeInto(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    for (fs::directory_iterator it(from, error), end; it != end; it.increment(error)) {
        if (error)
            return false;
        const fs::path target = to / it->path().filename();
        const auto sourceStatus = fs::symlink_status(it->path(), error);
        const auto targetStatus = fs::symlink_status(target, error);
        error.clear();
        const bool sourceIsDir = fs::is_directory(sourceStatus);
        const bool targetIsDir = fs::is_directory(targetStatus);
        if (sourceIsDir && targetIsDir) {
            if (!mergeInto(it->path(), target))
                return false;
            continue;
        }
        if (fs::exists(targetStatus) && (targetIsDir || sourceIsDir))
            fs::remove_all(target, error);
        if (error)
            return false;
        fs::rename(it->path(), target, error);
        if (error)
            return false;
    }
    return !error;
}

} // namespace

std::string PackageInstaller::toolFolder(const std::string& unzipDir, const std::string& fileName)
{
    return unzipDir + fileName.substr(0, fileName.find('.'));
}

int PackageInstaller::fail(const std::string& why)
{
    m_error = why;
    return 400;
}

int PackageInstaller::install(const std::string& packagePath, const std::string& fileName,
                              const std::string& unzipDir)
{
    m_error.clear();
    m_failure.clear();
    if (!platform::makeDirectories(unzipDir))
        return fail("cannot make " + unzipDir);
    // Beside the tools, so that the new files reach their place by renames.
    const std::string work = platform::makePrivateFolder(unzipDir, TransientName::prefix());
    if (work.empty())
        return fail("cannot make a work folder in " + unzipDir);

    int result = 400;
    if (!unpack(packagePath, work)) {
        fail(stopped() ? "stopped while unpacking" : "the package could not be unpacked");
    } else if (stopped()) {
        fail("stopped before the files were put in place");
    } else if (unzipDir.find("SubTools") != std::string::npos) {
        ToolReplacement replacement(unzipDir, fileName.substr(0, fileName.find('.')));
        replacement.setStepCheck([this] { return !stopped() && (!m_stepCheck || m_stepCheck()); });
        if (replacement.apply(work))
            result = 200;
        else
            fail(replacement.error());
    } else if (mergeInto(work, fs::path(unzipDir))) {
        result = 200;
    } else {
        fail("cannot move the unpacked files into " + unzipDir);
    }
    platform::removeTree(work);
    return result;
}

int PackageInstaller::stageMainProgram(const std::string& packagePath, const std::string& workDir,
                                       const std::string& homeDir)
{
    m_error.clear();
    m_failure.clear();
    const std::string unpacked = workDir + "/unpacked";
    if (!unpack(packagePath, unpacked))
        return fail(stopped() ? "stopped while unpacking" : "the package could not be unpacked");
    if (stopped())
        return fail("stopped before the files were put in place");
    MainProgramStager stager(homeDir);
    if (stager.stage(unpacked))
        return 200;
    m_failure = localprotocol::kFailureStaging;
    return fail(stager.error());
}

bool PackageInstaller::unpack(const std::string& packagePath, const std::string& targetDir)
{
    const std::string program = platform::findProgram(kUnpackerName, m_unpackerDir);
    if (program.empty())
        return false;
    // A service that is killed takes the unpacker with it instead of leaving
    // it to fill a folder nobody will ever clean.
    const auto run = platform::runAndWait(program, {"1", packagePath, targetDir},
                                          platform::ChildLifetime::EndsWithCaller, m_stop);
    return run.started && !run.stopped && run.exitCode == 1;
}

bool PackageInstaller::stopped() const
{
    return m_stop && m_stop->isSet();
}

} // namespace haulmoor
