#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// "${XDG_STATE_HOME:-~/.local/state}/Gearloft": where the programs keep the
// log a user can send. Empty when neither variable gives an absolute path.
std::string defaultLogFolder();

// A log file a user may read and send: "<folder>/<name>.log", rotated when a
// line would take it past the limit (the oldest of `keep` files goes:
// name.log.1 is the previous one, name.log.N the oldest). The folder is made
// private (0700, each missing level), the files are 0600; neither a link in
// place of the folder nor one in place of a file is ever followed, and a
// file of another user is never written. Lines from several threads stay
// whole. A log that cannot be written drops its lines: logging never stops
// the program.
class LogFile
{
public:
    static constexpr std::uint64_t kDefaultLimit = 1024 * 1024;
    static constexpr int kDefaultKeep = 5;

    LogFile(std::string folder, std::string name, std::uint64_t limit = kDefaultLimit, int keep = kDefaultKeep);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Appends one line (a newline is added); false when it could not.
    bool write(const std::string& line);

    const std::string& folder() const { return m_folder; }
    std::string path() const;
    // The files of this log, newest first, as they are now.
    std::vector<std::string> files() const;

private:
    bool openLocked();
    void rotateLocked();
    void closeLocked();

    std::string m_folder;
    std::string m_name;
    std::uint64_t m_limit;
    int m_keep;
    std::mutex m_mutex;
    int m_folderFd = -1;
    int m_fd = -1;
    std::uint64_t m_size = 0;
    bool m_failed = false;
};

// "2026-05-01 14:03:07.123", local time: the time stamp of a log line.
std::string logTimestamp();

} // namespace platform
