#include "platform/readiness.h"
#include "platform/stopevent.h"

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace platform {

StopEvent::StopEvent() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

StopEvent::~StopEvent()
{
    close(m_fd);
}

void StopEvent::set()
{
    if (m_set.exchange(true))
        return;
    // Never read back: the counter stays above zero, so the descriptor stays
    // readable for every wait to come.
    const std::uint64_t one = 1;
    (void)!write(m_fd, &one, sizeof one);
}

bool StopEvent::wait(int timeoutMs) const
{
    return isSet() || waitReadable({m_fd}, timeoutMs) == 0;
}

} // namespace platform
