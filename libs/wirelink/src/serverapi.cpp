#include "lasterror.h"
#include "library.h"
#include "listener.h"
#include "requesttable.h"
#include "wirelink/wirelink.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

using wirelink::fail;
using wirelink::Listener;
using wirelink::PendingRequest;

namespace {

std::mutex g_listenersMutex;
std::map<int, std::unique_ptr<Listener>> g_listeners;
int g_nextListener = 1;

std::shared_ptr<PendingRequest> findRequest(int handle)
{
    auto request = wirelink::requesttable::find(handle);
    if (!request)
        wirelink::setLastError(WL_ERR_EXPIRED);
    return request;
}

} // namespace

void wirelink::closeAllListeners()
{
    std::map<int, std::unique_ptr<Listener>> listeners;
    {
        std::lock_guard<std::mutex> lock(g_listenersMutex);
        listeners.swap(g_listeners);
    }
    listeners.clear(); // stops and joins each
}

int NET_HTTPSERVER_CreateListen(const ListenParams* params)
{
    if (!params || !params->callback)
        return fail(WL_ERR_BAD_ARGUMENT, -1);
    auto listener = std::make_unique<Listener>(*params);
    int handle;
    {
        std::lock_guard<std::mutex> lock(g_listenersMutex);
        handle = g_nextListener++;
    }
    if (!listener->start(handle))
        return -1;
    std::lock_guard<std::mutex> lock(g_listenersMutex);
    g_listeners.emplace(handle, std::move(listener));
    return handle;
}

int NET_HTTPSERVER_CloseListen(int listenHandle)
{
    std::unique_ptr<Listener> listener;
    {
        std::lock_guard<std::mutex> lock(g_listenersMutex);
        auto it = g_listeners.find(listenHandle);
        if (it == g_listeners.end())
            return fail(WL_ERR_BAD_HANDLE, 0);
        listener = std::move(it->second);
        g_listeners.erase(it);
    }
    listener->stop();
    return 1;
}

int NET_HTTPSERVER_GetParamV2(int requestHandle, int selector, int, int, int, char* buffer, int size)
{
    if (!buffer || size <= 0 || selector != WL_URL_SELECTOR)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto request = findRequest(requestHandle);
    if (!request)
        return 0;
    const std::string& url = request->target;
    if (url.size() + 1 > static_cast<std::size_t>(std::min(size, WL_URL_MAX)))
        return fail(WL_ERR_BUFFER_TOO_SMALL, 0);
    std::memcpy(buffer, url.c_str(), url.size() + 1);
    return 1;
}

int NET_HTTPSERVER_GetParam(int requestHandle, int kind, int, int, void* buffer, int size)
{
    if (!buffer || size <= 0)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto request = findRequest(requestHandle);
    if (!request)
        return 0;
    switch (kind) {
    case WL_SERVER_FORM_COUNT: {
        if (size < static_cast<int>(sizeof(int)))
            return fail(WL_ERR_BUFFER_TOO_SMALL, 0);
        const int count = static_cast<int>(request->parts.size());
        std::memcpy(buffer, &count, sizeof count);
        return 1;
    }
    case WL_SERVER_FORM_PARTS: {
        const std::size_t bytes = request->parts.size() * sizeof(FormPart);
        if (bytes > static_cast<std::size_t>(size))
            return fail(WL_ERR_BUFFER_TOO_SMALL, 0);
        std::copy(request->parts.begin(), request->parts.end(), static_cast<FormPart*>(buffer));
        return 1;
    }
    case WL_SERVER_PEER: {
        if (request->peer.size() + 1 > static_cast<std::size_t>(size))
            return fail(WL_ERR_BUFFER_TOO_SMALL, 0);
        std::memcpy(buffer, request->peer.c_str(), request->peer.size() + 1);
        return 1;
    }
    default:
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    }
}

int NET_HTTPSERVER_SetParamV2(int requestHandle, int, int kind, const char*, int, const char* body,
                              long long bodyLength)
{
    if (kind != 4 || bodyLength < 0 || (bodyLength > 0 && !body))
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto request = findRequest(requestHandle);
    if (!request)
        return 0;
    if (!request->setReplyBody(body, static_cast<std::size_t>(bodyLength)))
        return fail(WL_ERR_EXPIRED, 0);
    return 1;
}

long long NET_HTTPSERVER_ReplyV2(int requestHandle, int, int)
{
    auto request = findRequest(requestHandle);
    if (!request)
        return -1;
    std::size_t sent = 0;
    if (!request->reply(sent))
        return fail(WL_ERR_EXPIRED, -1LL);
    return static_cast<long long>(sent);
}

int NET_HTTPSERVER_GetHeader(int requestHandle, const char* name, char* buffer, int size)
{
    if (!name || !buffer || size <= 0)
        return fail(WL_ERR_BAD_ARGUMENT, -1);
    auto request = findRequest(requestHandle);
    if (!request)
        return -1;
    const std::string* value = request->header(name);
    if (!value)
        return fail(WL_ERR_NOT_FOUND, -1);
    if (value->size() + 1 > static_cast<std::size_t>(size))
        return fail(WL_ERR_BUFFER_TOO_SMALL, -1);
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    return static_cast<int>(value->size());
}

int NET_HTTPSERVER_ReplyStatus(int requestHandle, int status)
{
    if (status < 200 || status > 599)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto request = findRequest(requestHandle);
    if (!request)
        return 0;
    if (!request->replyStatus(status))
        return fail(WL_ERR_EXPIRED, 0);
    return 1;
}
