#include "packageinstaller.h"

#include "platform/paths.h"
#include "platform/spawn.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace haulmoor {

namespace {

std::atomic<unsigned> g_stagingCounter{0};

bool endsWithNoCase(const std::string& name, const char* suffix)
{
    const std::size_t n = std::strlen(suffix);
    return name.size() >= n && strcasecmp(name.c_str() + name.size() - n, suffix) == 0;
}

void removeMatching(const fs::path& folder, const char* suffix)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!endsWithNoCase(name, suffix))
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError) && !it->is_symlink(typeError))
            removeMatching(it->path(), suffix);
        else
            fs::remove(it->path(), typeError); // a file in use simply stays
    }
}

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

void PackageInstaller::removeOldProgramFiles(const std::string& folder)
{
    // A link standing in for the tool folder is replaced by the move, never
    // cleaned through: what it points at is not ours.
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(folder, error)))
        return;
    removeMatching(folder, ".dll");
    removeMatching(folder, ".exe");
}

int PackageInstaller::install(const std::string& packagePath, const std::string& fileName,
                              const std::string& unzipDir)
{
    if (!platform::makeDirectories(unzipDir))
        return 400;
    const fs::path staging = fs::path(unzipDir) / (".haulmoor-unpack-" + std::to_string(getpid()) + "-" +
                                                   std::to_string(g_stagingCounter++));
    std::error_code error;
    fs::remove_all(staging, error);

    int result = 400;
    if (unpack(packagePath, staging.string())) {
        // Old program files go only once the new ones are ready to replace them.
        if (unzipDir.find("SubTools") != std::string::npos)
            removeOldProgramFiles(toolFolder(unzipDir, fileName));
        if (mergeInto(staging, fs::path(unzipDir)))
            result = 200;
    }
    fs::remove_all(staging, error);
    return result;
}

bool PackageInstaller::unpack(const std::string& packagePath, const std::string& targetDir)
{
    const std::string program = platform::findProgram(kUnpackerName, m_unpackerDir);
    if (program.empty())
        return false;
    const auto run = platform::runAndWait(program, {"1", packagePath, targetDir});
    return run.started && run.exitCode == 1;
}

} // namespace haulmoor
