#include "httpclient.h"
#include "lasterror.h"
#include "library.h"
#include "streamgroup.h"
#include "wirelink/wirelink.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

using wirelink::fail;
using wirelink::HttpClient;

namespace {

std::mutex g_clientsMutex;
std::map<int, std::shared_ptr<HttpClient>> g_clients;
int g_nextClient = 1;

std::mutex g_groupsMutex;
std::map<int, std::shared_ptr<wirelink::StreamGroup>> g_groups;
int g_nextGroup = 1;

std::shared_ptr<wirelink::StreamGroup> findGroup(int handle)
{
    std::lock_guard<std::mutex> lock(g_groupsMutex);
    auto it = g_groups.find(handle);
    return it == g_groups.end() ? nullptr : it->second;
}

std::shared_ptr<HttpClient> findClient(int handle)
{
    std::lock_guard<std::mutex> lock(g_clientsMutex);
    auto it = g_clients.find(handle);
    return it == g_clients.end() ? nullptr : it->second;
}

} // namespace

int NET_HTTPCLIENT_Create()
{
    wirelink::ensureCurl();
    const auto timeouts = wirelink::clientTimeouts();
    auto client = std::make_shared<HttpClient>(timeouts.connectMs, timeouts.stallMs);
    if (!client->valid())
        return fail(WL_ERR_NO_MEMORY, -1);
    std::lock_guard<std::mutex> lock(g_clientsMutex);
    const int handle = g_nextClient++;
    g_clients.emplace(handle, std::move(client));
    return handle;
}

int NET_HTTPCLIENT_SetParam(int handle, int kind, const char* name, int nameLength, const char* value,
                            long long valueLength)
{
    auto client = findClient(handle);
    if (!client)
        return fail(WL_ERR_BAD_HANDLE, 0);
    if (valueLength < 0 || (valueLength > 0 && !value))
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    const std::string text(value ? value : "", value ? static_cast<std::size_t>(valueLength) : 0);
    switch (kind) {
    case WL_CLIENT_BODY:
        client->setBody(value, static_cast<std::size_t>(valueLength));
        return 1;
    case WL_CLIENT_HEADER:
        if (!name || nameLength <= 0)
            return fail(WL_ERR_BAD_ARGUMENT, 0);
        client->setHeader(std::string(name, static_cast<std::size_t>(nameLength)), text);
        return 1;
    case WL_CLIENT_MAX_RESPONSE: {
        char* end = nullptr;
        const unsigned long long bytes = std::strtoull(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0')
            return fail(WL_ERR_BAD_ARGUMENT, 0);
        client->setMaxResponse(bytes);
        return 1;
    }
    case WL_CLIENT_CA_FILE:
        client->setCaFile(text);
        return 1;
    default:
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    }
}

int NET_HTTPCLIENT_ShortLinkExchange(int handle, ExchangeRecord* record)
{
    if (!record || !record->url)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto client = findClient(handle);
    if (!client) {
        record->status = 0;
        return fail(WL_ERR_BAD_HANDLE, 0);
    }
    const int error = client->exchange(*record);
    if (error != WL_OK) {
        wirelink::setLastError(error, client->errorText());
        return 0;
    }
    return 1;
}

int NET_HTTPCLIENT_Destroy(int handle)
{
    std::shared_ptr<HttpClient> client;
    {
        std::lock_guard<std::mutex> lock(g_clientsMutex);
        auto it = g_clients.find(handle);
        if (it == g_clients.end())
            return fail(WL_ERR_BAD_HANDLE, 0);
        client = std::move(it->second);
        g_clients.erase(it);
    }
    // An exchange still running on another thread keeps its own reference.
    return 1;
}

int NET_HTTPCLIENT_StreamExchange(int handle, StreamRecord* record)
{
    if (!record || !record->url || !record->onBody)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto client = findClient(handle);
    if (!client) {
        record->status = 0;
        record->error = WL_ERR_BAD_HANDLE;
        return fail(WL_ERR_BAD_HANDLE, 0);
    }
    const int error = client->stream(*record);
    record->error = error;
    if (error != WL_OK) {
        wirelink::setLastError(error, client->errorText());
        return 0;
    }
    return 1;
}

int NET_HTTPCLIENT_StreamGroupCreate()
{
    wirelink::ensureCurl();
    auto group = std::make_shared<wirelink::StreamGroup>();
    if (!group->valid())
        return fail(WL_ERR_NO_MEMORY, -1);
    std::lock_guard<std::mutex> lock(g_groupsMutex);
    const int handle = g_nextGroup++;
    g_groups.emplace(handle, std::move(group));
    return handle;
}

int NET_HTTPCLIENT_StreamGroupStart(int group, int client, StreamRecord* record)
{
    if (!record || !record->url || !record->onBody)
        return fail(WL_ERR_BAD_ARGUMENT, 0);
    auto found = findGroup(group);
    auto owner = findClient(client);
    if (!found || !owner) {
        record->error = WL_ERR_BAD_HANDLE;
        return fail(WL_ERR_BAD_HANDLE, 0);
    }
    record->error = found->start(std::move(owner), *record);
    if (record->error != WL_OK)
        return fail(record->error, 0);
    return 1;
}

int NET_HTTPCLIENT_StreamGroupRun(int group, int waitMs, StreamRecord** ended)
{
    if (!ended || waitMs < 0)
        return fail(WL_ERR_BAD_ARGUMENT, -1);
    auto found = findGroup(group);
    if (!found)
        return fail(WL_ERR_BAD_HANDLE, -1);
    std::string text;
    if (!found->run(waitMs, *ended, text))
        return 0;
    wirelink::setLastError((*ended)->error, text);
    return 1;
}

int NET_HTTPCLIENT_StreamGroupStop(int group, const StreamRecord* record)
{
    auto found = findGroup(group);
    if (!found || !record)
        return fail(WL_ERR_BAD_HANDLE, 0);
    return found->stop(*record) ? 1 : 0;
}

int NET_HTTPCLIENT_StreamGroupDestroy(int group)
{
    std::shared_ptr<wirelink::StreamGroup> found;
    {
        std::lock_guard<std::mutex> lock(g_groupsMutex);
        auto it = g_groups.find(group);
        if (it == g_groups.end())
            return fail(WL_ERR_BAD_HANDLE, 0);
        found = std::move(it->second);
        g_groups.erase(it);
    }
    return 1;
}
