#include "platform/files.h"
#include "platform/stagingmarker.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr std::size_t kMarkerMaxBytes = 64;
} // namespace

StagingMarker readStagingMarker(const std::string& folder)
{
    StagingMarker marker;
    if (entryKind(folder) != EntryKind::Folder)
        return marker;
    const std::string path = folder + "/" + kStagingMarkerName;
    // A link in the mark's place is not our mark.
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return marker;
    struct stat info;
    char buffer[kMarkerMaxBytes + 1] = {};
    ssize_t length = -1;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        length = read(fd, buffer, kMarkerMaxBytes);
    close(fd);
    if (length <= 0)
        return marker;
    const std::string text(buffer, static_cast<std::size_t>(length));
    const auto lineEnd = text.find('\n');
    const std::string first = text.substr(0, lineEnd);
    if (first == "complete")
        marker.state = StagingState::Complete;
    else if (first == "incomplete")
        marker.state = StagingState::Incomplete;
    if (marker.state != StagingState::None && lineEnd != std::string::npos)
        marker.writer = static_cast<pid_t>(std::atol(text.c_str() + lineEnd + 1));
    return marker;
}

bool isCompleteStaging(const std::string& folder)
{
    return readStagingMarker(folder).state == StagingState::Complete;
}

bool writeStagingMarker(const std::string& folder, StagingState state)
{
    if (state == StagingState::None)
        return false;
    const std::string path = folder + "/" + kStagingMarkerName;
    if (entryKind(path) == EntryKind::Folder ? !removeTree(path)
                                             : (unlink(path.c_str()) != 0 && errno != ENOENT))
        return false;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    // Only a copy under way needs its writer: a later service must not take
    // it for a dead one's leftover while that writer still runs.
    const std::string text = state == StagingState::Complete
                                 ? std::string("complete\n")
                                 : "incomplete\n" + std::to_string(getpid()) + "\n";
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    // "complete" must never be read back empty after a crash.
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    return ok;
}

} // namespace platform
