#include "platform/logfile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace platform {

namespace {

std::string absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

// Opens the folder, making each missing level private; a link anywhere on
// the way to the last level is taken as the user's own set-up, but the last
// level itself must be a real folder of this user.
int openPrivateFolder(const std::string& folder)
{
    if (folder.empty() || folder[0] != '/')
        return -1;
    for (std::string::size_type slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return -1;
        if (slash == std::string::npos)
            break;
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    if ((info.st_mode & 07777) != 0700)
        ::fchmod(fd, 0700);
    return fd;
}

bool writeAll(int fd, const std::string& text)
{
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

std::string defaultLogFolder()
{
    std::string base = absoluteVariable("XDG_STATE_HOME");
    if (base.empty()) {
        const std::string home = absoluteVariable("HOME");
        if (home.empty())
            return {};
        base = home + "/.local/state";
    }
    return base + "/Gearloft";
}

std::string logTimestamp()
{
    struct timeval now {};
    ::gettimeofday(&now, nullptr);
    struct tm local {};
    ::localtime_r(&now.tv_sec, &local);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + length, sizeof text - length, ".%03d", static_cast<int>(now.tv_usec / 1000));
    return text;
}

LogFile::LogFile(std::string folder, std::string name, std::uint64_t limit, int keep)
    : m_folder(std::move(folder)), m_name(std::move(name)), m_limit(limit), m_keep(keep < 1 ? 1 : keep)
{
}

LogFile::~LogFile()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    closeLocked();
}

std::string LogFile::path() const
{
    return m_folder + "/" + m_name + ".log";
}

std::vector<std::string> LogFile::files() const
{
    std::vector<std::string> found;
    for (int i = 0; i < m_keep; ++i) {
        const std::string file = i == 0 ? path() : path() + "." + std::to_string(i);
        struct stat info {};
        if (::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            found.push_back(file);
    }
    return found;
}

void LogFile::closeLocked()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_folderFd >= 0)
        ::close(m_folderFd);
    m_fd = m_folderFd = -1;
}

bool LogFile::openLocked()
{
    if (m_folderFd < 0)
        m_folderFd = openPrivateFolder(m_folder);
    if (m_folderFd < 0)
        return false;
    const std::string file = m_name + ".log";
    m_fd = ::openat(m_folderFd, file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return false;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    if ((info.st_mode & 07777) != 0600)
        ::fchmod(m_fd, 0600);
    m_size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

void LogFile::rotateLocked()
{
    ::close(m_fd);
    m_fd = -1;
    // renameat replaces a link standing at the new name; it never follows one.
    const std::string base = m_name + ".log";
    const std::string oldest = base + "." + std::to_string(m_keep - 1);
    ::unlinkat(m_folderFd, oldest.c_str(), 0);
    for (int i = m_keep - 2; i >= 0; --i) {
        const std::string from = i == 0 ? base : base + "." + std::to_string(i);
        const std::string to = base + "." + std::to_string(i + 1);
        ::renameat(m_folderFd, from.c_str(), m_folderFd, to.c_str());
    }
}

bool LogFile::write(const std::string& line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // One failed open is enough: retrying on every line would cost each
    // line a system call for nothing.
    if (m_failed)
        return false;
    if (m_fd < 0 && !openLocked()) {
        m_failed = true;
        closeLocked();
        return false;
    }
    const std::string text = line + "\n";
    if (m_size > 0 && m_size + text.size() > m_limit) {
        rotateLocked();
        if (!openLocked()) {
            m_failed = true;
            closeLocked();
            return false;
        }
    }
    if (!writeAll(m_fd, text))
        return false;
    m_size += text.size();
    return true;
}

} // namespace platform
