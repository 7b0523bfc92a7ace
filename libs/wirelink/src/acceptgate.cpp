#include "acceptgate.h"

#include <map>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wirelink::acceptgate {

namespace {

std::mutex g_mutex;
std::map<std::uint16_t, Admit>& guards()
{
    static std::map<std::uint16_t, Admit> map;
    return map;
}

int localPort(int socket)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return -1;
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

bool admits(int listening, int accepted)
{
    Admit admit;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (guards().empty())
            return true;
        const auto it = guards().find(static_cast<std::uint16_t>(localPort(listening)));
        if (it == guards().end())
            return true;
        admit = it->second;
    }
    return admit(accepted);
}

} // namespace

void guard(std::uint16_t port, Admit admit)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    guards()[port] = std::move(admit);
}

void release(std::uint16_t port)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    guards().erase(port);
}

} // namespace wirelink::acceptgate

// The HTTP server library accepts connections itself and offers no hook
// between accept() and the first read of a request; this definition takes
// the place of the C library's for it (the program's own symbol comes first
// in the dynamic lookup) and keeps refused connections from ever reaching it.
extern "C" int accept(int listening, sockaddr* address, socklen_t* length)
{
    const socklen_t room = length ? *length : 0;
    for (;;) {
        if (length)
            *length = room;
        const int accepted = accept4(listening, address, length, 0);
        if (accepted < 0 || wirelink::acceptgate::admits(listening, accepted))
            return accepted;
        close(accepted);
    }
}
