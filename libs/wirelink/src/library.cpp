#include "library.h"

#include "lasterror.h"
#include "wirelink/wirelink.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <curl/curl.h>
#include <mutex>
#include <string>

namespace wirelink {

namespace {
thread_local int t_lastError = WL_OK;
thread_local std::string t_lastErrorText;
std::once_flag g_curlOnce;
std::atomic<int> g_connectMs{10000};
std::atomic<int> g_stallMs{20000};
} // namespace

void setLastError(int error, const std::string& text)
{
    t_lastError = error;
    t_lastErrorText = text;
}

const std::string& lastErrorText()
{
    return t_lastErrorText;
}

void ensureCurl()
{
    // curl's global state must exist once per process and is never torn down:
    // client handles may outlive NET_UTILS_Fini in their owners' destructors.
    std::call_once(g_curlOnce, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

ClientTimeouts clientTimeouts()
{
    return {g_connectMs.load(), g_stallMs.load()};
}

} // namespace wirelink

int NET_UTILS_Init()
{
    wirelink::ensureCurl();
    return 1;
}

int NET_UTILS_Fini()
{
    wirelink::closeAllListeners();
    return 1;
}

int NET_UTILS_GetLastError()
{
    return wirelink::t_lastError;
}

int NET_UTILS_GetLastErrorText(char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const std::string& text = wirelink::t_lastErrorText;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

int NET_UTILS_SetClientTimeouts(int connectMs, int stallMs)
{
    if (connectMs <= 0 || stallMs <= 0)
        return wirelink::fail(WL_ERR_BAD_ARGUMENT, 0);
    wirelink::g_connectMs = connectMs;
    wirelink::g_stallMs = stallMs;
    return 1;
}
