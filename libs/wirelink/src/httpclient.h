#pragma once

#include "wirelink/wirelink.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

typedef void CURL;
typedef void CURLM;
struct curl_slist;

namespace wirelink {

struct StreamState;

// One client handle: a libcurl easy handle reused for every exchange, so the
// connection to a host stays open between them.
class HttpClient
{
public:
    HttpClient(int connectMs, int stallMs);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    bool valid() const { return m_curl != nullptr; }

    void setHeader(const std::string& name, const std::string& value);
    void setBody(const char* data, std::size_t length);
    void setMaxResponse(std::uint64_t bytes) { m_maxResponse = bytes; }
    void setCaFile(const std::string& path);

    // libcurl's words for the last failed exchange; empty after a good one.
    std::string errorText();

    // Returns the error number, WL_OK on a complete 2xx response.
    int exchange(ExchangeRecord& record);
    // The same for a streamed exchange; see StreamRecord.
    int stream(StreamRecord& record);

    // A streamed exchange driven by someone else's multi handle (a
    // StreamGroup): begin prepares the easy handle, which is then the
    // caller's until end; the handle refuses other exchanges meanwhile.
    int beginStream(StreamRecord& record, StreamState& state);
    // The error number once the driver is done with the easy handle (it is
    // no longer in any multi handle).
    int endStream(StreamState& state);

private:
    static std::size_t onData(char* data, std::size_t size, std::size_t count, void* self);
    void applyRequestOptions(const std::string& url);
    // The error number of a failed curl code; keeps libcurl's words for it.
    int failure(int code);

    struct CaseLess
    {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::mutex m_mutex;
    CURL* m_curl = nullptr;
    bool m_busy = false;      // a StreamGroup drives the easy handle
    CURLM* m_multi = nullptr; // streamed exchanges run here, so they can be stopped between polls
    int m_connectMs;
    int m_stallMs;
    std::map<std::string, std::string, CaseLess> m_headers;
    std::string m_body;
    bool m_hasBody = false;
    std::uint64_t m_maxResponse = 0;
    std::string m_response;
    bool m_tooLarge = false;
    std::string m_caFile;
    bool m_secure = false;        // the exchange under way began at an https address
    char m_errorBuffer[256] = {}; // CURL_ERROR_SIZE
    std::string m_errorText;
};

} // namespace wirelink
