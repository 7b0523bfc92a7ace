#include "platform/processwatch.h"
#include "platform/readiness.h"
#include "platform/stopevent.h"

#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

ProcessWatch::ProcessWatch(pid_t pid)
{
    if (pid <= 0) {
        m_gone = true;
        return;
    }
    // Called directly: older C libraries have no wrapper for it.
    m_fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (m_fd < 0 && errno == ESRCH)
        m_gone = true;
}

ProcessWatch::~ProcessWatch()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool ProcessWatch::ended() const
{
    return waitForEnd(nullptr, 0);
}

bool ProcessWatch::waitForEnd(const StopEvent* stop, int timeoutMs) const
{
    if (m_gone)
        return true;
    if (m_fd < 0)
        return false;
    return waitReadable({m_fd, stop ? stop->fd() : -1}, timeoutMs) == 0;
}

} // namespace platform
