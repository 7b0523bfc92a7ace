#include "requesttable.h"

#include <climits>
#include <map>
#include <mutex>

namespace wirelink::requesttable {

namespace {
std::mutex g_mutex;
std::map<int, std::shared_ptr<PendingRequest>> g_requests;
int g_next = 0;
} // namespace

int add(std::shared_ptr<PendingRequest> request)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    do {
        g_next = g_next == INT_MAX ? 1 : g_next + 1;
    } while (g_requests.count(g_next));
    g_requests.emplace(g_next, std::move(request));
    return g_next;
}

std::shared_ptr<PendingRequest> find(int handle)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_requests.find(handle);
    return it == g_requests.end() ? nullptr : it->second;
}

void remove(int handle)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.erase(handle);
}

void closeAll(int listener)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    for (auto& [handle, request] : g_requests) {
        if (request->listener == listener)
            request->close();
    }
}

} // namespace wirelink::requesttable
