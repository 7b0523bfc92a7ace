#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace bench {

// Times when files appear, are closed after writing and vanish in a few
// folders, so the phases of another process's download can be told apart
// without polling it.
class FileEvents
{
public:
    using Clock = std::chrono::steady_clock;

    FileEvents() = default;
    ~FileEvents();
    FileEvents(const FileEvents&) = delete;
    FileEvents& operator=(const FileEvents&) = delete;

    bool start(const std::vector<std::string>& folders, std::string& error);
    void stop();

    // The first such event for that name after start().
    std::optional<Clock::time_point> created(const std::string& name) const;
    std::optional<Clock::time_point> closedAfterWrite(const std::string& name) const;
    std::optional<Clock::time_point> removed(const std::string& name) const;

private:
    struct Event
    {
        Clock::time_point at;
        std::uint32_t mask;
        std::string name;
    };

    void readLoop();
    std::optional<Clock::time_point> first(const std::string& name, std::uint32_t mask) const;

    int m_fd = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
    mutable std::mutex m_lock;
    std::vector<Event> m_events;
};

} // namespace bench
