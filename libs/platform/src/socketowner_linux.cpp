#include "platform/socketowner.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>

namespace platform {

namespace {

// An address as the kernel's tables print it: the 32-bit words of the
// address in host byte order as hex, then ":" and the port in hex.
std::string tableAddress(const sockaddr_storage& address)
{
    char text[64];
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        std::snprintf(text, sizeof text, "%08X:%04X", v4.sin_addr.s_addr, ntohs(v4.sin_port));
        return text;
    }
    if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        std::uint32_t words[4];
        std::memcpy(words, &v6.sin6_addr, sizeof words);
        std::snprintf(text, sizeof text, "%08X%08X%08X%08X:%04X", words[0], words[1], words[2], words[3],
                      ntohs(v6.sin6_port));
        return text;
    }
    return {};
}

// The same endpoint as a v4-mapped IPv6 address, for peers whose socket is
// an IPv6 one talking to an IPv4 listener.
sockaddr_storage mappedToV6(const sockaddr_storage& address)
{
    sockaddr_storage mapped{};
    if (address.ss_family != AF_INET)
        return mapped;
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    auto& v6 = reinterpret_cast<sockaddr_in6&>(mapped);
    v6.sin6_family = AF_INET6;
    v6.sin6_port = v4.sin_port;
    v6.sin6_addr.s6_addr[10] = 0xFF;
    v6.sin6_addr.s6_addr[11] = 0xFF;
    std::memcpy(&v6.sin6_addr.s6_addr[12], &v4.sin_addr, 4);
    return mapped;
}

// Columns: sl local rem st tx:rx tr:when retrnsmt uid ...
long ownerIn(const char* table, const std::string& local, const std::string& remote)
{
    std::ifstream file(table);
    std::string line;
    std::getline(file, line); // header
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string slot, from, to, state, queues, timer, retransmits;
        long uid = -1;
        if (!(fields >> slot >> from >> to >> state >> queues >> timer >> retransmits >> uid))
            continue;
        if (from == local && to == remote)
            return uid;
    }
    return -1;
}

} // namespace

long loopbackPeerUser(int connectedSocket)
{
    sockaddr_storage ours{};
    sockaddr_storage theirs{};
    socklen_t length = sizeof ours;
    if (getsockname(connectedSocket, reinterpret_cast<sockaddr*>(&ours), &length) != 0)
        return -1;
    length = sizeof theirs;
    if (getpeername(connectedSocket, reinterpret_cast<sockaddr*>(&theirs), &length) != 0)
        return -1;
    // The peer's own socket lists the peer as local and us as remote.
    const long uid = ownerIn(ours.ss_family == AF_INET ? "/proc/net/tcp" : "/proc/net/tcp6",
                             tableAddress(theirs), tableAddress(ours));
    if (uid >= 0 || ours.ss_family != AF_INET)
        return uid;
    return ownerIn("/proc/net/tcp6", tableAddress(mappedToV6(theirs)), tableAddress(mappedToV6(ours)));
}

} // namespace platform
