#include "platform/processes.h"

#include <dirent.h>
#include <cstdlib>
#include <fstream>
#include <limits.h>
#include <unistd.h>

namespace platform {

namespace {

std::string stripExe(const std::string& name)
{
    static const std::string suffix = ".exe";
    if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        return name.substr(0, name.size() - suffix.size());
    return name;
}

std::string baseName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path of a process's executable; empty when it cannot be read.
std::string executableOf(const std::string& pidText)
{
    char buffer[4096];
    const ssize_t n = readlink(("/proc/" + pidText + "/exe").c_str(), buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    std::string path(buffer, static_cast<std::size_t>(n));
    // A program replaced on disk while running still counts under its path.
    static const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return path;
}

std::string imageNameOf(const std::string& pidText)
{
    const std::string procDir = "/proc/" + pidText;
    const std::string executable = executableOf(pidText);
    if (!executable.empty())
        return baseName(executable);
    // Unreadable link (a process that changed its credentials): the kernel's
    // short command name is all we get.
    std::ifstream comm(procDir + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The real user of a process, from the "Uid:" line of its status; -1 when
// the process is gone or the line cannot be read.
long realUserOf(const std::string& pidText)
{
    std::ifstream status("/proc/" + pidText + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 4, "Uid:") != 0)
            continue;
        try {
            return std::stol(line.substr(4));
        } catch (...) {
            return -1;
        }
    }
    return -1;
}

// A process that has exited but was not yet collected by its parent keeps its
// /proc entry; it runs no more and must not hold up whoever waits for it.
bool hasEnded(const std::string& pidText)
{
    std::ifstream stat("/proc/" + pidText + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    // The state follows the command name, which may itself hold ")".
    const auto close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size())
        return false;
    const char state = line[close + 2];
    return state == 'Z' || state == 'X';
}

} // namespace

bool imageNamesMatch(const std::string& a, const std::string& b)
{
    return !a.empty() && stripExe(a) == stripExe(b);
}

std::vector<ProcessEntry> listProcesses()
{
    std::vector<ProcessEntry> result;
    DIR* dir = opendir("/proc");
    if (!dir)
        return result;
    // Another user's process of the same name must neither keep our service
    // alive nor hold up our upgrade: only this user's processes count.
    const long me = static_cast<long>(getuid());
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (realUserOf(name) != me)
            continue;
        ProcessEntry process;
        process.pid = static_cast<pid_t>(std::stol(name));
        process.imageName = imageNameOf(name);
        if (!process.imageName.empty() && !hasEnded(name))
            result.push_back(std::move(process));
    }
    closedir(dir);
    return result;
}

bool programRunsAt(const std::string& path)
{
    if (path.empty())
        return false;
    // The kernel names executables by their resolved path; the folder is
    // resolved here, the file may be gone (replaced while it runs).
    std::string wanted = path;
    const auto slash = path.rfind('/');
    if (slash != std::string::npos) {
        char* folder = realpath(slash == 0 ? "/" : path.substr(0, slash).c_str(), nullptr);
        if (folder) {
            wanted = std::string(folder) + (std::string(folder) == "/" ? "" : "/") + path.substr(slash + 1);
            free(folder);
        }
    }
    const pid_t self = getpid();
    for (const auto& process : listProcesses()) {
        if (process.pid != self && executableOf(std::to_string(process.pid)) == wanted)
            return true;
    }
    return false;
}

pid_t currentProcessId()
{
    return getpid();
}

bool processRuns(pid_t pid)
{
    return pid > 0 && !hasEnded(std::to_string(pid));
}

bool processIsNamed(pid_t pid, const std::string& imageName)
{
    if (pid <= 0)
        return false;
    const std::string pidText = std::to_string(pid);
    return realUserOf(pidText) == static_cast<long>(getuid()) && !hasEnded(pidText) &&
           imageNamesMatch(imageNameOf(pidText), imageName);
}

pid_t findProcess(const std::string& imageName)
{
    for (const auto& process : listProcesses()) {
        if (imageNamesMatch(process.imageName, imageName))
            return process.pid;
    }
    return 0;
}

} // namespace platform
