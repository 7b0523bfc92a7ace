#pragma once

#include "accesstoken.h"
#include "request.h"

struct RequestInfo;

namespace haulmoor {

class ServiceHost;

// Owns the listener: each incoming body is checked and parsed on the
// listener's thread and handed straight to the host's dispatch queues.
class RequestCollector
{
public:
    static constexpr std::size_t kMaxBodyBytes = 10485760;
    static constexpr int kRequestDeadlineMs = 2000;

    // Binds the listener, which feeds host from then on; false when the port
    // cannot be had.
    bool listen(int port, ServiceHost& host);
    // Stops listening; requests still waiting are answered 503.
    void close();
    // Answers a request that will never be served with 503.
    static void refuse(int handle);

    // Listener callback; userData is the collector.
    static void onRequest(int handle, const RequestInfo* info, void* userData);

    // Set before the listener starts; it is read on the listener's threads.
    void setAccessToken(AccessToken token) { m_token = std::move(token); }

    int reserved = -1;
    int listenHandle = -1;

private:
    bool admits(int handle) const;

    ServiceHost* m_host = nullptr;
    AccessToken m_token;
};

} // namespace haulmoor
