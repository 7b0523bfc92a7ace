#pragma once

#include <sys/types.h>

namespace platform {

class StopEvent;

// Tells when one process ends without looking at it again and again: the
// kernel hands out a descriptor of the process (a pidfd, Linux 5.3 and
// later) that becomes readable as it ends. Where it gives none (an older
// kernel, a container that filters the call), watching() is false and the
// caller has to look for itself.
class ProcessWatch
{
public:
    explicit ProcessWatch(pid_t pid);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    bool watching() const { return m_fd >= 0 || m_gone; }
    // Whether the process has ended (a zombie has); never blocks.
    bool ended() const;
    // True once the process ended; false when stop (optional) was set or
    // timeoutMs passed first (negative: no limit), or when not watching.
    bool waitForEnd(const StopEvent* stop, int timeoutMs) const;

private:
    int m_fd = -1;
    bool m_gone = false; // already gone when the watch began
};

} // namespace platform
