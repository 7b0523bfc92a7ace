#pragma once

#include "connectionwatch.h"
#include "pendingrequest.h"
#include "wirelink/wirelink.h"

#include <atomic>
#include <memory>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace wirelink {

// One listening socket on a loopback address. Each request is handed to the
// owner's callback and then waits for its reply through the request table.
class Listener
{
public:
    explicit Listener(const ListenParams& params);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Binds and starts serving; false (with the last error set) when the
    // address cannot be bound.
    bool start(int listenHandle);
    void stop();

private:
    void handle(const httplib::Request& request, httplib::Response& response);
    void serve(const httplib::Request& request, httplib::Response& response);
    bool admit(int socket);
    void stopGate();

    ListenParams m_params;
    int m_handle = -1;
    std::unique_ptr<httplib::Server> m_server;
    std::unique_ptr<ConnectionWatch> m_watch;
    bool m_gated = false;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
};

} // namespace wirelink
