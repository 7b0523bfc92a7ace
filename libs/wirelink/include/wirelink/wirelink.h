#pragma once
// Wirelink: the small HTTP client and server layer shared by the client and
// the service. Plain functions over integer handles, so that callers keep no
// library objects; records are filled by value.
//
// Client side: one libcurl easy handle per client handle, so a connection is
// kept alive across exchanges on the same handle. Server side: a cpp-httplib
// listener on a loopback address whose requests are answered later, from any
// thread, through their request handle.

#include <cstddef>
#include <cstdint>

// Error numbers of NET_UTILS_GetLastError (per thread).
enum WirelinkError : int {
    WL_OK = 0,
    WL_ERR_NOT_INITIALISED = 1,
    WL_ERR_BAD_HANDLE = 2,
    WL_ERR_BAD_ARGUMENT = 3,
    WL_ERR_NO_MEMORY = 4,
    WL_ERR_CONNECT = 10,        // nothing answered
    WL_ERR_TIMEOUT = 11,        // connect or stalled transfer timed out
    WL_ERR_TRANSFER = 12,       // connection broke, response incomplete
    WL_ERR_HTTP_STATUS = 13,    // complete response, status not 2xx
    WL_ERR_BODY_TOO_LARGE = 14, // response longer than the allowed maximum
    WL_ERR_BIND = 20,           // listener could not bind its address
    WL_ERR_EXPIRED = 21,        // request already answered or timed out
    WL_ERR_BUFFER_TOO_SMALL = 22,
    WL_ERR_CANCELLED = 23,      // the caller stopped a streamed exchange
    WL_ERR_NOT_FOUND = 24,      // the request carries no such header
    WL_ERR_REFUSED = 25,        // the caller refused a streamed answer from its headers
    WL_ERR_TLS = 26,            // the secure connection failed: certificate not trusted or not the host's, CA file unusable
    WL_ERR_SCHEME = 27,         // an https exchange redirected to plain http (or another scheme)
};

// Parameter kinds of NET_HTTPCLIENT_SetParam.
enum WirelinkClientParam : int {
    WL_CLIENT_BODY = 2,         // request body; an exchange with a body is a POST
    WL_CLIENT_HEADER = 3,       // request header, replacing one of the same name; empty value removes it
    WL_CLIENT_MAX_RESPONSE = 4, // value: decimal text; a longer response body fails the exchange (0 = no limit)
    WL_CLIENT_CA_FILE = 5,      // value: a PEM file of authorities trusted besides the system's; empty: the system's only
};

// Parameter kinds of NET_HTTPSERVER_GetParam.
enum WirelinkServerParam : int {
    WL_SERVER_FORM_COUNT = 1,  // int: number of form parts
    WL_SERVER_FORM_PARTS = 2,  // FormPart array
    WL_SERVER_PEER = 3,        // text of at most 128 bytes: the peer's address and port
};

// Request kinds in RequestInfo::kind.
enum WirelinkRequestKind : int {
    WL_REQUEST_BODY = 0,  // a request carrying a plain body
    WL_REQUEST_OTHER = 1, // a request without a body
    WL_REQUEST_FORM = 2,  // a multipart form
    WL_REQUEST_NOT_A_REQUEST = 0xFF00,
};

constexpr int WL_URL_SELECTOR = 1;  // RequestInfo::urlSelector of every request
constexpr int WL_URL_BUFFER_SIZE = 4798;
constexpr int WL_URL_MAX = 2048;    // the URL fits in this many bytes of the buffer, terminator included

struct ExchangeRecord
{
    const char* url = nullptr; // in
    std::size_t urlLength = 0; // in
    const char* body = nullptr; // out: response body, zero-terminated; owned by the client handle until its next exchange
    std::size_t bodyLength = 0; // out
    int status = 0;             // out: HTTP status; 408 for a time-out, 0 when nothing answered
    std::uint8_t flags = 0;     // in: reserved, 0
};

// A streamed exchange (NET_HTTPCLIENT_StreamExchange): the body of a 2xx
// answer is handed over piece by piece as it arrives instead of being
// collected, so memory stays flat whatever its length. Everything is called
// on the thread that runs the exchange.
struct StreamRecord
{
    const char* url = nullptr; // in
    std::size_t urlLength = 0; // in
    // in, optional: once the headers of a 2xx answer are in (the out fields
    // below are filled), before any of its body; return 0 to refuse it.
    int (*onStart)(void* user, const StreamRecord* record) = nullptr;
    // in: each piece of the 2xx body, in order; return 0 to stop.
    int (*onBody)(void* user, const char* data, std::size_t length) = nullptr;
    // in, optional: asked at least every 50 ms while the exchange runs,
    // stalled or not; non-zero stops it.
    int (*shouldStop)(void* user) = nullptr;
    void* user = nullptr;
    int stallMs = 0; // in: no byte for this long fails with WL_ERR_TIMEOUT; 0: the handle's stall time
    int bufferBytes = 0; // in: libcurl's receive buffer, 16 KiB to 512 KiB; 0: 512 KiB

    int status = 0;               // out: HTTP status of the final answer, 0 when nothing answered
    long long contentLength = -1; // out: its Content-Length, -1 when absent
    char contentRange[128] = {};  // out: its headers, empty when absent or too long
    char etag[256] = {};
    char lastModified[128] = {};
    long long bodyBytes = 0; // out: bytes handed to onBody
    int error = WL_OK;       // out: as NET_UTILS_GetLastError after the call
};

struct RequestInfo
{
    int reserved = 0;
    int kind = WL_REQUEST_OTHER;
    std::size_t bodyLength = 0;
    const char* body = nullptr;
    int urlSelector = WL_URL_SELECTOR;
};

using WirelinkRequestCallback = void (*)(int requestHandle, const RequestInfo* info, void* userData);

struct ListenParams
{
    int reserved = 0;
    char address[128] = {};
    std::uint16_t port = 0;
    int timeoutMs = 5000; // an unanswered request fails for its client after this long
    WirelinkRequestCallback callback = nullptr;
    void* userData = nullptr;
    // Non-zero: connections whose other end belongs to another user of the
    // machine are closed as they are accepted, before a byte is read.
    int ownUserOnly = 0;
    // Above zero: a request must arrive whole within this many milliseconds
    // of its connection's acceptance or previous answer, or the connection
    // is shut down.
    int requestDeadlineMs = 0;
};

struct FormPart
{
    char name[32] = {};
    char fileName[32] = {};
    char contentType[256] = {};
    char contentDisposition[256] = {};
    char encoding[32] = {};
    char reserved[256] = {};
    std::size_t dataLength = 0;
    const char* data = nullptr; // valid until the request is answered
};

// Library.
int NET_UTILS_Init();
int NET_UTILS_Fini();
int NET_UTILS_GetLastError();
// What went wrong in the calling thread's last failed exchange, as libcurl
// tells it ("SSL certificate problem: ..."), zero-terminated in buffer and
// cut to fit; returns the length written. Empty when there is no such text.
int NET_UTILS_GetLastErrorText(char* buffer, int size);
// Time-outs for client handles created afterwards (connect, and a transfer
// that receives nothing). Defaults are in docs/wirelink.md.
int NET_UTILS_SetClientTimeouts(int connectMs, int stallMs);

// Client.
int NET_HTTPCLIENT_Create();
int NET_HTTPCLIENT_SetParam(int handle, int kind, const char* name, int nameLength, const char* value,
                            long long valueLength);
int NET_HTTPCLIENT_ShortLinkExchange(int handle, ExchangeRecord* record);
// Non-zero when the whole 2xx body was handed over. Headers and the body
// set with NET_HTTPCLIENT_SetParam apply; the maximum response length does
// not (the caller sees every byte).
int NET_HTTPCLIENT_StreamExchange(int handle, StreamRecord* record);
int NET_HTTPCLIENT_Destroy(int handle);

// Stream groups: streamed exchanges of several client handles at once, each
// on its handle's own connection, all moved on by the thread that calls
// NET_HTTPCLIENT_StreamGroupRun (callbacks run there). A group belongs to
// the thread that uses it; its client handles take no other exchange while
// theirs runs.
int NET_HTTPCLIENT_StreamGroupCreate();
// Begins a streamed exchange of client with the headers set on it; record
// must stay valid until the exchange is reported ended or stopped. Its
// shouldStop is asked at every run, its stall time holds as for
// NET_HTTPCLIENT_StreamExchange. Non-zero once begun.
int NET_HTTPCLIENT_StreamGroupStart(int group, int client, StreamRecord* record);
// Moves the exchanges on for up to waitMs (0: only what is ready). 1 with
// *ended set when an exchange ended: its record's error tells how, as
// NET_UTILS_GetLastError (and its text) does now. 0 when none ended, -1 for
// a bad group.
int NET_HTTPCLIENT_StreamGroupRun(int group, int waitMs, StreamRecord** ended);
// Gives up one exchange, running or ended but not yet reported; a running
// one's connection is closed. Non-zero when it was the group's.
int NET_HTTPCLIENT_StreamGroupStop(int group, const StreamRecord* record);
// Gives up every exchange left and frees the group.
int NET_HTTPCLIENT_StreamGroupDestroy(int group);

// Server.
int NET_HTTPSERVER_CreateListen(const ListenParams* params);
int NET_HTTPSERVER_CloseListen(int listenHandle);
int NET_HTTPSERVER_GetParamV2(int requestHandle, int selector, int a, int b, int c, char* buffer, int size);
int NET_HTTPSERVER_GetParam(int requestHandle, int kind, int a, int b, void* buffer, int size);
int NET_HTTPSERVER_SetParamV2(int requestHandle, int a, int kind, const char* name, int nameLength,
                              const char* body, long long bodyLength);
long long NET_HTTPSERVER_ReplyV2(int requestHandle, int a, int b);
// The first value of a request header (the name is matched regardless of
// case), zero-terminated in buffer. Returns the value's length, or -1 with
// WL_ERR_NOT_FOUND or WL_ERR_BUFFER_TOO_SMALL.
int NET_HTTPSERVER_GetHeader(int requestHandle, const char* name, char* buffer, int size);
// Answers at once with this status (200-599) and an empty body, e.g. to
// refuse a request; non-zero on success.
int NET_HTTPSERVER_ReplyStatus(int requestHandle, int status);
