#include "httpclient.h"

#include "streamstate.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
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
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return WL_ERR_TLS;
    default:
        return WL_ERR_TRANSFER;
    }
}

bool isHttps(const std::string& url)
{
    return strncasecmp(url.c_str(), "https://", 8) == 0;
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
    if (m_multi)
        curl_multi_cleanup(m_multi);
}

void HttpClient::setHeader(const std::string& name, const std::string& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (value.empty())
        m_headers.erase(name);
    else
        m_headers[name] = value;
}

void HttpClient::setCaFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_caFile = path;
}

std::string HttpClient::errorText()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_errorText;
}

int HttpClient::failure(int code)
{
    const auto curlCode = static_cast<CURLcode>(code);
    m_errorText = m_errorBuffer[0] ? m_errorBuffer : curl_easy_strerror(curlCode);
    // Only http and https are allowed, so for an https address this is a
    // redirect to plain http; for any other it is just a bad address.
    if (curlCode == CURLE_UNSUPPORTED_PROTOCOL)
        return m_secure ? WL_ERR_SCHEME : WL_ERR_TRANSFER;
    return errorFor(curlCode);
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
    // Packages come over HTTP(S) only, and what began secure stays secure:
    // a redirect from https to plain http fails instead of being followed.
    m_secure = isHttps(url);
    curl_easy_setopt(m_curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_curl, CURLOPT_REDIR_PROTOCOLS_STR, m_secure ? "https" : "http,https");
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, 2L);
    // A private deployment's authority replaces the bundle file only: the
    // system's store (CAPATH) still counts.
    const char* bundle = m_caFile.empty() ? curl_version_info(CURLVERSION_NOW)->cainfo : m_caFile.c_str();
    curl_easy_setopt(m_curl, CURLOPT_CAINFO, bundle);
    m_errorBuffer[0] = '\0';
    m_errorText.clear();
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(m_curl, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_NOPROXY, noProxyList().c_str());
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectMs));
    // A stall is less than one byte per second for the whole stall time;
    // curl checks this about once a second, so round up to whole seconds.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, (m_stallMs + 999) / 1000)));
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &HttpClient::onData);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, nullptr);
    curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, nullptr);
    curl_easy_setopt(m_curl, CURLOPT_BUFFERSIZE, static_cast<long>(CURL_MAX_WRITE_SIZE));
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
    if (!m_curl || m_busy)
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
        const int error = failure(code);
        return m_tooLarge ? WL_ERR_BODY_TOO_LARGE : error;
    }
    if (status < 200 || status > 299)
        return WL_ERR_HTTP_STATUS;
    return WL_OK;
}

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollMs = 50;
// Large reads keep a fast stream from costing a callback and a write per
// 16 KiB; on loopback half a MiB measured faster than curl's own 100 KiB.
constexpr long kStreamBufferBytes = 512 * 1024; // libcurl's largest
constexpr long kMinStreamBufferBytes = 16 * 1024;

void copyField(char* target, std::size_t size, const char* value, std::size_t length)
{
    if (length >= size)
        length = 0; // a value that does not fit is no value
    std::memcpy(target, value, length);
    target[length] = '\0';
}

void resetAnswer(StreamRecord& record)
{
    record.status = 0;
    record.contentLength = -1;
    record.contentRange[0] = '\0';
    record.etag[0] = '\0';
    record.lastModified[0] = '\0';
}

std::size_t onStreamHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* state = static_cast<StreamState*>(user);
    StreamRecord& record = *state->record;
    const std::size_t bytes = size * count;
    state->lastActivity = Clock::now();
    std::size_t length = bytes;
    while (length > 0 && (data[length - 1] == '\r' || data[length - 1] == '\n'))
        --length;

    if (length >= 5 && std::strncmp(data, "HTTP/", 5) == 0) {
        // A new answer (after a redirect or an interim 1xx): forget the last one.
        resetAnswer(record);
        state->headersDone = false;
        const char* space = static_cast<const char*>(std::memchr(data, ' ', length));
        if (space)
            record.status = std::atoi(space + 1);
        return bytes;
    }
    if (length == 0) {
        state->headersDone = true;
        const int status = record.status;
        if (status >= 200 && status <= 299) {
            if (record.onStart && !record.onStart(record.user, &record)) {
                state->refused = true;
                return 0;
            }
            state->started = true;
        } else if (status >= 400 || status < 100) {
            state->badStatus = true;
            return 0; // its body is of no use
        }
        return bytes; // 1xx and redirects: the real answer follows
    }

    const char* colon = static_cast<const char*>(std::memchr(data, ':', length));
    if (!colon)
        return bytes;
    const std::string name(data, static_cast<std::size_t>(colon - data));
    const char* value = colon + 1;
    const char* end = data + length;
    while (value < end && (*value == ' ' || *value == '\t'))
        ++value;
    const std::size_t valueLength = static_cast<std::size_t>(end - value);
    if (strcasecmp(name.c_str(), "Content-Range") == 0)
        copyField(record.contentRange, sizeof record.contentRange, value, valueLength);
    else if (strcasecmp(name.c_str(), "ETag") == 0)
        copyField(record.etag, sizeof record.etag, value, valueLength);
    else if (strcasecmp(name.c_str(), "Last-Modified") == 0)
        copyField(record.lastModified, sizeof record.lastModified, value, valueLength);
    else if (strcasecmp(name.c_str(), "Content-Length") == 0)
        record.contentLength = std::strtoll(std::string(value, valueLength).c_str(), nullptr, 10);
    return bytes;
}

std::size_t onStreamBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* state = static_cast<StreamState*>(user);
    const std::size_t bytes = size * count;
    state->lastActivity = Clock::now();
    if (!state->started) {
        // The body of a redirect; anything else never got past the headers.
        if (state->badStatus)
            return 0;
        return bytes;
    }
    StreamRecord& record = *state->record;
    if (bytes == 0)
        return 0;
    if (!record.onBody || !record.onBody(record.user, data, bytes)) {
        state->stopped = true;
        return 0;
    }
    record.bodyBytes += static_cast<long long>(bytes);
    return bytes;
}

} // namespace

int HttpClient::stream(StreamRecord& record)
{
    StreamState state;
    if (const int error = beginStream(record, state); error != WL_OK)
        return error;
    if (!m_multi && !(m_multi = curl_multi_init()))
        state.error = WL_ERR_NO_MEMORY;
    else if (curl_multi_add_handle(m_multi, m_curl) != CURLM_OK)
        state.error = WL_ERR_NO_MEMORY;
    else {
        for (;;) {
            int running = 0;
            if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
                state.error = WL_ERR_TRANSFER;
                break;
            }
            int pending = 0;
            while (CURLMsg* message = curl_multi_info_read(m_multi, &pending)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == m_curl) {
                    state.code = message->data.result;
                    state.finished = true;
                }
            }
            if (state.finished || running == 0)
                break;
            if (record.shouldStop && record.shouldStop(record.user)) {
                state.callerStopped = true;
                break;
            }
            if (state.stalled(Clock::now())) {
                state.timedOut = true;
                break;
            }
            curl_multi_poll(m_multi, nullptr, 0, kPollMs, nullptr);
        }
        // Removing an unfinished transfer closes its connection.
        curl_multi_remove_handle(m_multi, m_curl);
    }
    return endStream(state);
}

int HttpClient::beginStream(StreamRecord& record, StreamState& state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    resetAnswer(record);
    record.bodyBytes = 0;
    if (!m_curl || m_busy)
        return WL_ERR_BAD_HANDLE;
    m_busy = true;

    applyRequestOptions(std::string(record.url, record.urlLength));
    state.record = &record;
    state.curl = m_curl;
    state.lastActivity = Clock::now();
    state.stall = std::chrono::milliseconds(record.stallMs > 0 ? record.stallMs : m_stallMs);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &onStreamBody);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, &onStreamHeader);
    curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(m_curl, CURLOPT_BUFFERSIZE,
                     record.bufferBytes > 0 ? std::clamp<long>(record.bufferBytes, kMinStreamBufferBytes,
                                                               kStreamBufferBytes)
                                            : kStreamBufferBytes);
    curl_easy_setopt(m_curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(0));
    // Stalls are timed by the driver, to the millisecond, rather than by
    // libcurl's whole-second speed check.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, 0L);

    for (const auto& [name, value] : m_headers)
        state.headers = curl_slist_append(state.headers, (name + ": " + value).c_str());
    state.headers = curl_slist_append(state.headers, "Expect:");
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, state.headers);
    return WL_OK;
}

int HttpClient::endStream(StreamState& state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(state.headers);
    state.headers = nullptr;
    m_busy = false;

    if (state.error != WL_OK)
        return state.error;
    if (state.refused)
        return WL_ERR_REFUSED;
    if (state.stopped || state.callerStopped)
        return WL_ERR_CANCELLED;
    if (state.timedOut)
        return WL_ERR_TIMEOUT;
    if (state.badStatus || (state.finished && state.code == CURLE_OK && !state.started))
        return WL_ERR_HTTP_STATUS;
    if (!state.finished)
        return WL_ERR_TRANSFER;
    if (state.code != CURLE_OK)
        return failure(state.code);
    return WL_OK;
}

} // namespace wirelink
