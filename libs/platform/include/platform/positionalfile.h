#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A file written at given positions, so several streams can each fill their
// own part of it. Created new: nothing standing at the path (a link
// included) is ever opened or followed.
class PositionalFile
{
public:
    PositionalFile() = default;
    ~PositionalFile();
    PositionalFile(const PositionalFile&) = delete;
    PositionalFile& operator=(const PositionalFile&) = delete;

    // Creates path, readable and writable by its owner only; false when
    // anything stands there or it cannot be made. An open file is closed first.
    bool create(const std::string& path);
    bool isOpen() const { return m_fd >= 0; }
    // All of data at offset, or false (a full disk, a file size limit).
    bool writeAt(std::int64_t offset, const char* data, std::size_t length);
    // Claims the disk space for size bytes at once, so a full disk shows
    // before any byte is fetched. True where the file system cannot claim
    // ahead; the writes then find out.
    bool reserve(std::int64_t size);
    // False when the last writes could not be completed.
    bool close();

private:
    int m_fd = -1;
};

} // namespace platform
