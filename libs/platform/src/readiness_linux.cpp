#include "platform/readiness.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <vector>

namespace platform {

int waitReadable(std::initializer_list<int> fds, int timeoutMs)
{
    std::vector<pollfd> polled;
    polled.reserve(fds.size());
    for (const int fd : fds)
        polled.push_back(pollfd{fd, POLLIN, 0}); // poll skips negative descriptors
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    int wait = timeoutMs;
    for (;;) {
        const int ready = poll(polled.data(), polled.size(), wait);
        if (ready > 0)
            break;
        if (ready == 0 || errno != EINTR)
            return -1;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            wait = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
    }
    for (std::size_t i = 0; i < polled.size(); ++i) {
        if (polled[i].revents != 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace platform
