#include "requestcollector.h"

#include "protocol.h"
#include "servicehost.h"
#include "servicelog.h"
#include "textcodec.h"
#include "wirelink/wirelink.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace haulmoor {

bool RequestCollector::listen(int port, ServiceHost& host)
{
    m_host = &host;
    ListenParams params;
    std::strncpy(params.address, "127.0.0.1", sizeof params.address - 1);
    params.port = static_cast<std::uint16_t>(port);
    params.timeoutMs = 5000;
    params.callback = &RequestCollector::onRequest;
    params.userData = this;
    // Another user of the machine may reach the loopback port too: such
    // connections are closed unread, and a request sent a byte at a time
    // cannot hold a server thread for long.
    params.ownUserOnly = 1;
    params.requestDeadlineMs = kRequestDeadlineMs;
    const int handle = NET_HTTPSERVER_CreateListen(&params);
    if (handle == -1) {
        NET_UTILS_GetLastError();
        return false;
    }
    listenHandle = handle;
    return true;
}

void RequestCollector::close()
{
    if (listenHandle == -1)
        return;
    NET_HTTPSERVER_CloseListen(listenHandle);
    listenHandle = -1;
}

void RequestCollector::refuse(int handle)
{
    NET_HTTPSERVER_ReplyStatus(handle, 503);
}

bool RequestCollector::admits(int handle) const
{
    if (!m_token.required())
        return true;
    char value[AccessToken::kMaxHeaderLength + 1];
    const int length = NET_HTTPSERVER_GetHeader(handle, localprotocol::kTokenHeader, value, sizeof value);
    if (length < 0)
        return false;
    return m_token.admits(std::string_view(value, static_cast<std::size_t>(length)));
}

void RequestCollector::onRequest(int handle, const RequestInfo* info, void* userData)
{
    auto* collector = static_cast<RequestCollector*>(userData);
    if (!info || handle < 0 || !collector || !collector->m_host) {
        NET_UTILS_GetLastError();
        return;
    }
    // A stranger's request is refused before its body is looked at, so it
    // can neither be logged nor start anything.
    if (!collector->admits(handle)) {
        serviceLog("request", "Refused a request without the client's token (403)");
        NET_HTTPSERVER_ReplyStatus(handle, 403);
        return;
    }
    if (info->kind >= WL_REQUEST_NOT_A_REQUEST)
        return;

    // The path and query are read but play no part: the body's method decides.
    std::vector<char> urlBuffer(WL_URL_BUFFER_SIZE, '\0');
    if (!NET_HTTPSERVER_GetParamV2(handle, info->urlSelector, 0, 0, 0, urlBuffer.data(),
                                   WL_URL_BUFFER_SIZE)) {
        NET_UTILS_GetLastError();
        return;
    }

    std::string body;
    if (info->kind == WL_REQUEST_BODY) {
        if (info->bodyLength > kMaxBodyBytes)
            return;
        body.assign(info->body ? info->body : "", info->body ? info->bodyLength : 0);
    } else if (info->kind != WL_REQUEST_FORM) {
        return;
    }
    // A form carries no body of the protocol; it is queued and dropped.

    std::string converted;
    if (!utf8ToAnsi(body.data(), body.size(), converted))
        converted = body;
    std::fwrite(converted.data(), 1, converted.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);

    // An ending service takes nothing new; the client hears so at once.
    if (!collector->m_host->enqueue(protocol::parseBody(converted, handle)))
        refuse(handle);
}

} // namespace haulmoor
