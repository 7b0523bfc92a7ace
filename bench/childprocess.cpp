#include "childprocess.h"

#include <chrono>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> argvOf(std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

// Only async-signal-safe calls between fork and exec.
pid_t forkExec(std::vector<std::string> arguments, const std::string& workDir, const std::string& logPath,
               bool dieWithParent)
{
    std::vector<char*> argv = argvOf(arguments);
    const std::string log = logPath.empty() ? std::string("/dev/null") : logPath;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (dieWithParent) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
    }
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int null = open("/dev/null", O_RDONLY);
    if (out < 0 || null < 0 || (!workDir.empty() && chdir(workDir.c_str()) != 0))
        _exit(126);
    dup2(null, 0);
    dup2(out, 1);
    dup2(out, 2);
    close_range(3, ~0U, 0);
    execvp(argv[0], argv.data());
    _exit(127);
}

} // namespace

TimedRun runTimed(const std::vector<std::string>& argv, const std::string& logPath)
{
    TimedRun run;
    const auto started = Clock::now();
    const pid_t pid = forkExec(argv, {}, logPath, true);
    if (pid < 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    run.started = !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.maxRssKiB = usage.ru_maxrss;
    return run;
}

pid_t spawnChild(const std::vector<std::string>& argv, const std::string& workDir, const std::string& logPath)
{
    return forkExec(argv, workDir, logPath, true);
}

bool waitForExit(pid_t pid, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const pid_t done = waitpid(pid, nullptr, WNOHANG);
        if (done == pid || done < 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool isAlive(pid_t pid)
{
    return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0;
}

void endChild(pid_t pid, int graceMs)
{
    if (!isAlive(pid))
        return;
    kill(pid, SIGTERM);
    if (!waitForExit(pid, graceMs)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace bench
