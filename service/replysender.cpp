#include "replysender.h"

#include "wirelink/wirelink.h"

#include <cstdio>

namespace haulmoor {

bool ReplySender::send()
{
    if (!NET_HTTPSERVER_SetParamV2(m_handle, 0, 4, nullptr, 0, m_body.data(),
                                   static_cast<long long>(m_body.size()))) {
        std::printf("http set body fail, server_handle:%d, eror_code :%d\n", m_handle,
                    NET_UTILS_GetLastError());
        std::fflush(stdout);
        return false;
    }
    const long long sent = NET_HTTPSERVER_ReplyV2(m_handle, 0, 0);
    if (sent != static_cast<long long>(m_body.size())) {
        std::printf("http reply fail, server_handle:%d, eror_code:%d", m_handle, NET_UTILS_GetLastError());
        std::fflush(stdout);
        return false;
    }
    return true;
}

} // namespace haulmoor
