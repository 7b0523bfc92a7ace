#include "connectionwatch.h"

#include <sys/socket.h>
#include <sys/stat.h>

namespace wirelink {

namespace {

unsigned long long inodeOf(int socket)
{
    struct stat info;
    return fstat(socket, &info) == 0 ? static_cast<unsigned long long>(info.st_ino) : 0;
}

} // namespace

ConnectionWatch::ConnectionWatch(std::chrono::milliseconds limit) : m_limit(limit)
{
    m_thread = std::thread([this] { run(); });
}

ConnectionWatch::~ConnectionWatch()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void ConnectionWatch::accepted(int socket, std::uint16_t peerPort)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_connections[peerPort] = Connection{socket, inodeOf(socket), Clock::now() + m_limit, false};
    m_wake.notify_all();
}

void ConnectionWatch::requestArrived(std::uint16_t peerPort)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_connections.find(peerPort);
    if (it != m_connections.end())
        it->second.serving = true;
}

void ConnectionWatch::requestAnswered(std::uint16_t peerPort)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_connections.find(peerPort);
    if (it == m_connections.end())
        return;
    it->second.serving = false;
    it->second.deadline = Clock::now() + m_limit;
    m_wake.notify_all();
}

void ConnectionWatch::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        Clock::time_point next = Clock::now() + m_limit;
        for (const auto& entry : m_connections)
            if (!entry.second.serving && entry.second.deadline < next)
                next = entry.second.deadline;
        m_wake.wait_until(lock, next);
        if (!m_stopping)
            expire(Clock::now());
    }
}

void ConnectionWatch::expire(Clock::time_point now)
{
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        const Connection& connection = it->second;
        if (connection.serving || connection.deadline > now) {
            ++it;
            continue;
        }
        // A connection closed meanwhile may have left its number to a new
        // one: only the same socket is shut down. The server notices the
        // shutdown at its next read and closes the connection itself.
        if (inodeOf(connection.socket) == connection.inode)
            shutdown(connection.socket, SHUT_RDWR);
        it = m_connections.erase(it);
    }
}

} // namespace wirelink
