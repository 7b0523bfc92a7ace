#include "platform/paths.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string currentExecutablePath()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string currentExecutableDir()
{
    const std::string path = currentExecutablePath();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string userName()
{
    if (const passwd* pw = getpwuid(geteuid()))
        return pw->pw_name;
    return {};
}

std::string homeDirectory()
{
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = getpwuid(geteuid()))
        home = pw->pw_dir;
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home;
}

bool pathExists(const std::string& path)
{
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    std::string partial;
    std::size_t start = 0;
    if (path[0] == '/') {
        partial = "/";
        start = 1;
    }
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const std::string piece = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!piece.empty()) {
            partial += piece;
            if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
            if (!isDirectory(partial))
                return false;
            partial += '/';
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return true;
}

} // namespace platform
