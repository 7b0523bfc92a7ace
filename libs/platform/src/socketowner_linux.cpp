#include "platform/socketowner.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

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

// Asks the kernel for the one socket with that peer and local end: a single
// exact lookup, where reading the table costs a scan of every socket. -1
// when it cannot be asked (no sock_diag) or has no such socket.
long ownerByDiag(const sockaddr_storage& ours, const sockaddr_storage& theirs)
{
    if (ours.ss_family != AF_INET && ours.ss_family != AF_INET6)
        return -1;
    const int channel = socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (channel < 0)
        return -1;
    struct
    {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } message{};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST;
    message.request.sdiag_family = static_cast<__u8>(ours.ss_family);
    message.request.sdiag_protocol = IPPROTO_TCP;
    message.request.idiag_states = ~0U;
    inet_diag_sockid& id = message.request.id;
    id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
    id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    // The peer's socket: its source is their end, its destination ours.
    if (ours.ss_family == AF_INET) {
        const auto& mine = reinterpret_cast<const sockaddr_in&>(ours);
        const auto& peer = reinterpret_cast<const sockaddr_in&>(theirs);
        id.idiag_sport = peer.sin_port;
        id.idiag_dport = mine.sin_port;
        id.idiag_src[0] = peer.sin_addr.s_addr;
        id.idiag_dst[0] = mine.sin_addr.s_addr;
    } else {
        const auto& mine = reinterpret_cast<const sockaddr_in6&>(ours);
        const auto& peer = reinterpret_cast<const sockaddr_in6&>(theirs);
        id.idiag_sport = peer.sin6_port;
        id.idiag_dport = mine.sin6_port;
        std::memcpy(id.idiag_src, &peer.sin6_addr, sizeof id.idiag_src);
        std::memcpy(id.idiag_dst, &mine.sin6_addr, sizeof id.idiag_dst);
    }
    long uid = -1;
    if (send(channel, &message, sizeof message, 0) == static_cast<ssize_t>(sizeof message)) {
        alignas(nlmsghdr) char answer[1024];
        const ssize_t length = recv(channel, answer, sizeof answer, 0);
        const auto* header = reinterpret_cast<const nlmsghdr*>(answer);
        if (length > 0 && NLMSG_OK(header, static_cast<unsigned>(length)) &&
            header->nlmsg_type == SOCK_DIAG_BY_FAMILY &&
            header->nlmsg_len >= NLMSG_LENGTH(sizeof(inet_diag_msg)))
            uid = static_cast<const inet_diag_msg*>(NLMSG_DATA(header))->idiag_uid;
    }
    close(channel);
    return uid;
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
    const long found = ownerByDiag(ours, theirs);
    if (found >= 0)
        return found;
    // The peer's own socket lists the peer as local and us as remote.
    const long uid = ownerIn(ours.ss_family == AF_INET ? "/proc/net/tcp" : "/proc/net/tcp6",
                             tableAddress(theirs), tableAddress(ours));
    if (uid >= 0 || ours.ss_family != AF_INET)
        return uid;
    return ownerIn("/proc/net/tcp6", tableAddress(mappedToV6(theirs)), tableAddress(mappedToV6(ours)));
}

} // namespace platform
