#include "httpclient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace wirelink {

namespace {

// Loopback must never go through a proxy from the environment, or the client
// could not reach its own service; curl's NOPROXY option replaces no_proxy, so
// keep what the user had.
std::string noProxyList()
{
    std::string list = "127.0.0.1,localhost,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        if (const char* value = std::getenv(name); value && *value) {
            list += ',';
            list += value;
            break;
        }
    }
    return list;
}

int errorFor(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return WL_ERR_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return WL_ERR_TIMEOUT;
    case CURLE_FILESIZE_EXCEEDED:
        return WL_ERR_BODY_TOO_LARGE;
    case CURLE_OUT_OF_MEMORY:
        return WL_ERR_NO_MEMORY;
    default:
        return WL_ERR_TRANSFER;
    }
}

} // namespace

bool HttpClient::CaseLess::operator()(const std::string& a, const std::string& b) const
{
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

HttpClient::HttpClient(int connectMs, int stallMs)
    : m_curl(curl_easy_init()), m_connectMs(connectMs), m_stallMs(stallMs)
{
}

HttpClient::~HttpClient()
{
    if (m_curl)
        curl_easy_cleanup(m_curl);
}

void HttpClient::setHeader(const std::string& name, const std::string& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (value.empty())
        m_headers.erase(name);
    else
        m_headers[name] = value;
}

void HttpClient::setBody(const char* data, std::size_t length)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hasBody = data != nullptr;
    m_body.assign(data ? data : "", data ? length : 0);
}

std::size_t HttpClient::onData(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* client = static_cast<HttpClient*>(self);
    const std::size_t bytes = size * count;
    if (client->m_maxResponse && client->m_response.size() + bytes > client->m_maxResponse) {
        client->m_tooLarge = true;
        return 0; // aborts the transfer at once
    }
    client->m_response.append(data, bytes);
    return bytes;
}

void HttpClient::applyRequestOptions(const std::string& url)
{
    // Options stick to a reused easy handle, so every exchange sets all of them.
    curl_easy_setopt(m_curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 1L);
    curl_easy_setopt(m_curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(m_curl, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_NOPROXY, noProxyList().c_str());
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectMs));
    // A stall is less than one byte per second for the whole stall time;
    // curl checks this about once a second, so round up to whole seconds.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, (m_stallMs + 999) / 1000)));
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &HttpClient::onData);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_maxResponse));
    if (m_hasBody) {
        curl_easy_setopt(m_curl, CURLOPT_POST, 1L);
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, m_body.data());
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_body.size()));
    } else {
        curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
    }
}

int HttpClient::exchange(ExchangeRecord& record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    record.body = nullptr;
    record.bodyLength = 0;
    record.status = 0;
    if (!m_curl)
        return WL_ERR_BAD_HANDLE;

    m_response.clear();
    m_tooLarge = false;
    applyRequestOptions(std::string(record.url, record.urlLength));

    curl_slist* headers = nullptr;
    for (const auto& [name, value] : m_headers)
        headers = curl_slist_append(headers, (name + ": " + value).c_str());
    // A POST must not wait for "100 Continue" from servers that never send it.
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, headers);

    const CURLcode code = curl_easy_perform(m_curl);
    long status = 0;
    curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    record.body = m_response.c_str();
    record.bodyLength = m_response.size();
    record.status = static_cast<int>(status);

    if (code != CURLE_OK) {
        if (code == CURLE_OPERATION_TIMEDOUT)
            record.status = 408;
        return m_tooLarge ? WL_ERR_BODY_TOO_LARGE : errorFor(code);
    }
    if (status < 200 || status > 299)
        return WL_ERR_HTTP_STATUS;
    return WL_OK;
}

} // namespace wirelink
