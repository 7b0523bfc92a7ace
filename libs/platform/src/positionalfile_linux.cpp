#include "platform/positionalfile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

PositionalFile::~PositionalFile()
{
    close();
}

bool PositionalFile::create(const std::string& path)
{
    close();
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    return m_fd >= 0;
}

bool PositionalFile::writeAt(std::int64_t offset, const char* data, std::size_t length)
{
    if (m_fd < 0 || offset < 0)
        return false;
    while (length > 0) {
        const ssize_t written = ::pwrite(m_fd, data, length, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= static_cast<std::size_t>(written);
        offset += written;
    }
    return true;
}

bool PositionalFile::reserve(std::int64_t size)
{
    if (m_fd < 0 || size < 0)
        return false;
    if (size == 0)
        return true;
    int result = 0;
    do {
        // The file's size grows only as bytes are written: a reader that
        // follows the writer never meets the reserved tail.
        result = ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
    } while (result != 0 && errno == EINTR);
    return result == 0 || errno == EOPNOTSUPP;
}

bool PositionalFile::close()
{
    if (m_fd < 0)
        return true;
    const bool ok = ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

} // namespace platform
