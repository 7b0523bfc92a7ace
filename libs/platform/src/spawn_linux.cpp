#include "platform/paths.h"
#include "platform/processwatch.h"
#include "platform/spawn.h"
#include "platform/stopevent.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {
bool isExecutableFile(const std::string& path)
{
    return isDirectory(path) == false && access(path.c_str(), X_OK) == 0;
}

// posix_spawn cannot ask for a parent-death signal, so fork and exec by hand.
// Between the two only async-signal-safe calls: the caller has other threads.
pid_t startTethered(const char* program, char* const* argv)
{
    // The exec's outcome comes back through a pipe that the exec closes.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return -1;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The signal follows the thread that forked, not the process: the
        // service's pool workers live as long as the service, which is what
        // makes this "ends with the service".
        int error = 0;
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
            error = errno;
        else if (getppid() != parent)
            error = ESRCH; // the caller died before the signal was armed
        else
            execve(program, argv, environ);
        if (error == 0)
            error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        return -1;
    }
    int error = 0;
    ssize_t n;
    while ((n = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (n > 0) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        return -1;
    }
    return pid;
}

// Kills the child once stop is set; false when it ended by itself first.
// Either way it is left for the caller to collect.
bool stopBeforeEnd(pid_t pid, const StopEvent& stop)
{
    const ProcessWatch watch(pid);
    if (watch.watching()) {
        if (watch.waitForEnd(&stop, -1))
            return false;
    } else {
        // No pidfd here: look at the child between short waits for the stop.
        for (;;) {
            siginfo_t info{};
            if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
                if (errno != EINTR)
                    return false;
            } else if (info.si_pid == pid) {
                return false;
            }
            if (stop.wait(50))
                break;
        }
    }
    // What it made is thrown away with its work folder: nothing to let it finish.
    kill(pid, SIGKILL);
    return true;
}
} // namespace

std::string findProgram(const std::string& name, const std::string& preferredDir)
{
    if (name.find('/') != std::string::npos)
        return isExecutableFile(name) ? name : std::string();
    if (!preferredDir.empty() && isExecutableFile(preferredDir + "/" + name))
        return preferredDir + "/" + name;
    const char* pathEnv = std::getenv("PATH");
    std::string path = pathEnv ? pathEnv : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto colon = path.find(':', start);
        std::string dir = path.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (dir.empty())
            dir = ".";
        if (isExecutableFile(dir + "/" + name))
            return dir + "/" + name;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return {};
}

RunResult runAndWait(const std::string& program, const std::vector<std::string>& arguments,
                     ChildLifetime lifetime, const StopEvent* stop)
{
    RunResult result;
    if (stop && stop->isSet()) {
        result.stopped = true;
        return result;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (lifetime == ChildLifetime::EndsWithCaller) {
        pid = startTethered(program.c_str(), argv.data());
        if (pid < 0)
            return result;
    } else if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return result;
    }
    result.started = true;
    result.stopped = stop && stopBeforeEnd(pid, *stop);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return result;
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

void ignoreBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace platform
