#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace wirelink {

// Shuts down connections whose request does not arrive whole in time: a
// connection gets the limit from its acceptance, and again after each
// answer, while a request being served has none. Sending a byte a second
// therefore holds a server thread for the limit at most.
class ConnectionWatch
{
public:
    using Clock = std::chrono::steady_clock;

    explicit ConnectionWatch(std::chrono::milliseconds limit);
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    // Connections are told apart by their peer's port: on a loopback listener
    // no two open connections share one.
    void accepted(int socket, std::uint16_t peerPort);
    void requestArrived(std::uint16_t peerPort);
    void requestAnswered(std::uint16_t peerPort);

private:
    struct Connection
    {
        int socket = -1;
        unsigned long long inode = 0; // tells a reused descriptor apart
        Clock::time_point deadline;
        bool serving = false;
    };

    void run();
    void expire(Clock::time_point now);

    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<std::uint16_t, Connection> m_connections;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace wirelink
