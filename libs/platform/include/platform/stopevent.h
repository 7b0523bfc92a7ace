#pragma once

#include <atomic>

namespace platform {

// A one-way signal between threads that a blocking wait can watch beside
// what it waits for (a process, a child, a signal): once set it stays set,
// and every waiter sees it. Throws std::system_error when the kernel gives
// no descriptor for it.
class StopEvent
{
public:
    StopEvent();
    ~StopEvent();
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    void set();
    bool isSet() const { return m_set.load(); }
    // Readable once set.
    int fd() const { return m_fd; }
    // True once set; false when timeoutMs passed first (negative: no limit).
    bool wait(int timeoutMs) const;

private:
    std::atomic<bool> m_set{false};
    int m_fd = -1;
};

} // namespace platform
