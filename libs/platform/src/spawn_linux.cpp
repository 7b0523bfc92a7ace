#include "platform/spawn.h"

#include "platform/paths.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {
bool isExecutableFile(const std::string& path)
{
    return isDirectory(path) == false && access(path.c_str(), X_OK) == 0;
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

RunResult runAndWait(const std::string& program, const std::vector<std::string>& arguments)
{
    RunResult result;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return result;
    result.started = true;
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
