#pragma once

#include "accesstoken.h"
#include "request.h"

#include <deque>
#include <mutex>

struct RequestInfo;

namespace haulmoor {

class ServiceHost;

// Owns the listener: parses each incoming body on the listener's threads into
// the intake queue, and on its own thread sorts the intake into the host's
// dispatch queues.
class RequestCollector
{
public:
    static constexpr std::size_t kMaxBodyBytes = 10485760;
    static constexpr int kRequestDeadlineMs = 2000;

    // Binds the listener; false when the port cannot be had.
    bool listen(int port);
    // The collector thread: move requests until the stop marker. A port below
    // 1 is reported and nothing is ever collected.
    void run(ServiceHost& host, int port);

    // Listener callback; userData is the collector.
    static void onRequest(int handle, const RequestInfo* info, void* userData);

    std::size_t intakeCount();

    // Set before the listener starts; it is read on the listener's threads.
    void setAccessToken(AccessToken token) { m_token = std::move(token); }

    int reserved = -1;
    int listenHandle = -1;

private:
    void intake(Request request);
    bool moveOne(ServiceHost& host);
    bool admits(int handle) const;

    std::mutex m_mutex;
    std::mutex m_intakeLock;
    std::deque<Request> m_intake;
    AccessToken m_token;
};

} // namespace haulmoor
