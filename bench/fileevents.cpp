#include "fileevents.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace bench {

FileEvents::~FileEvents()
{
    stop();
}

bool FileEvents::start(const std::vector<std::string>& folders, std::string& error)
{
    stop();
    m_events.clear();
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) {
        error = std::string("inotify: ") + std::strerror(errno);
        return false;
    }
    for (const std::string& folder : folders) {
        if (inotify_add_watch(m_fd, folder.c_str(), IN_CREATE | IN_CLOSE_WRITE | IN_DELETE) < 0) {
            error = "cannot watch " + folder + ": " + std::strerror(errno);
            stop();
            return false;
        }
    }
    m_stop = false;
    m_reader = std::thread([this] { readLoop(); });
    return true;
}

void FileEvents::stop()
{
    m_stop = true;
    if (m_reader.joinable())
        m_reader.join();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void FileEvents::readLoop()
{
    alignas(inotify_event) char buffer[64 * 1024];
    while (!m_stop) {
        pollfd ready{m_fd, POLLIN, 0};
        if (poll(&ready, 1, 20) <= 0)
            continue;
        const auto at = Clock::now();
        const ssize_t length = read(m_fd, buffer, sizeof buffer);
        std::lock_guard<std::mutex> guard(m_lock);
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            m_events.push_back({at, event->mask, event->len ? std::string(event->name) : std::string()});
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

std::optional<FileEvents::Clock::time_point> FileEvents::first(const std::string& name,
                                                               std::uint32_t mask) const
{
    // The service writes a package as ".haulmoor-PID-N-NAME".
    const std::string suffix = "-" + name;
    std::lock_guard<std::mutex> guard(m_lock);
    for (const Event& event : m_events) {
        const bool named =
            event.name == name ||
            (event.name.compare(0, 10, ".haulmoor-") == 0 && event.name.size() > suffix.size() &&
             event.name.compare(event.name.size() - suffix.size(), suffix.size(), suffix) == 0);
        if ((event.mask & mask) && named)
            return event.at;
    }
    return std::nullopt;
}

std::optional<FileEvents::Clock::time_point> FileEvents::created(const std::string& name) const
{
    return first(name, IN_CREATE);
}

std::optional<FileEvents::Clock::time_point> FileEvents::closedAfterWrite(const std::string& name) const
{
    return first(name, IN_CLOSE_WRITE);
}

std::optional<FileEvents::Clock::time_point> FileEvents::removed(const std::string& name) const
{
    return first(name, IN_DELETE);
}

} // namespace bench
