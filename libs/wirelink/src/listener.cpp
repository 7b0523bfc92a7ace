#include "listener.h"

#include "acceptgate.h"
#include "lasterror.h"
#include "platform/socketowner.h"
#include "requesttable.h"

#include <algorithm>
#include <cstring>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wirelink {

namespace {

// Bodies beyond this are refused by the server itself (413) before any
// memory is spent on them.
constexpr std::size_t kMaxPayload = 16 * 1024 * 1024;
constexpr int kServerThreads = 32;

void copyText(char* target, std::size_t size, const std::string& text)
{
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

int kindOf(const httplib::Request& request)
{
    if (request.is_multipart_form_data())
        return WL_REQUEST_FORM;
    if (!request.body.empty() || request.method == "POST" || request.method == "PUT" ||
        request.method == "PATCH")
        return WL_REQUEST_BODY;
    return WL_REQUEST_OTHER;
}

void fillForm(const httplib::Request& request, PendingRequest& pending)
{
    pending.partData.reserve(request.files.size());
    for (const auto& [field, file] : request.files) {
        FormPart part;
        copyText(part.name, sizeof part.name, file.name);
        copyText(part.fileName, sizeof part.fileName, file.filename);
        copyText(part.contentType, sizeof part.contentType, file.content_type);
        pending.partData.push_back(file.content);
        pending.parts.push_back(part);
    }
    for (std::size_t i = 0; i < pending.parts.size(); ++i) {
        pending.parts[i].data = pending.partData[i].data();
        pending.parts[i].dataLength = pending.partData[i].size();
    }
}

} // namespace

Listener::Listener(const ListenParams& params)
    : m_params(params), m_server(std::make_unique<httplib::Server>())
{
}

Listener::~Listener()
{
    stop();
}

bool Listener::start(int listenHandle)
{
    m_handle = listenHandle;
    auto& server = *m_server;
    server.new_task_queue = [] { return new httplib::ThreadPool(kServerThreads); };
    // Without it every request on a kept-alive connection waits for Nagle.
    server.set_tcp_nodelay(true);
    // Idle kept-alive connections hold a server thread until this runs out.
    server.set_keep_alive_timeout(2);
    server.set_keep_alive_max_count(100000);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_payload_max_length(kMaxPayload);
    // The library's default adds SO_REUSEPORT, which would let a second
    // listener share a port that is already in use.
    int listening = -1;
    server.set_socket_options([&listening](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening = sock;
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            response.status = 500;
            response.set_content("", "text/plain");
        });
    auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    };
    const char* anyPath = ".*";
    server.Get(anyPath, handler);
    server.Post(anyPath, handler);
    server.Put(anyPath, handler);
    server.Patch(anyPath, handler);
    server.Delete(anyPath, handler);
    server.Options(anyPath, handler);

    m_params.address[sizeof m_params.address - 1] = '\0';
    if (m_params.requestDeadlineMs > 0)
        m_watch = std::make_unique<ConnectionWatch>(std::chrono::milliseconds(m_params.requestDeadlineMs));
    // Guarded before the bind, so no connection slips through unchecked.
    if (m_params.ownUserOnly || m_watch) {
        acceptgate::guard(m_params.port, [this](int socket) { return admit(socket); });
        m_gated = true;
    }
    if (!server.bind_to_port(m_params.address, m_params.port)) {
        stopGate();
        return fail(WL_ERR_BIND, false);
    }
    // The library listens with a backlog of 5: a burst of connections, most
    // of them to be refused, would overflow it and make the client's own
    // connection wait for a retransmission. Listening again only resizes it.
    if (listening >= 0)
        ::listen(listening, SOMAXCONN);
    m_thread = std::thread([&server] { server.listen_after_bind(); });
    // stop() is a no-op until the server runs, so a listener closed right
    // after creation would otherwise never end.
    while (!server.is_running() && m_thread.joinable())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void Listener::stopGate()
{
    if (m_gated)
        acceptgate::release(m_params.port);
    m_gated = false;
}

bool Listener::admit(int socket)
{
    if (m_params.ownUserOnly && platform::loopbackPeerUser(socket) != static_cast<long>(getuid()))
        return false;
    if (m_watch) {
        sockaddr_storage peer{};
        socklen_t length = sizeof peer;
        if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
            return false;
        const std::uint16_t port = peer.ss_family == AF_INET6
                                       ? ntohs(reinterpret_cast<const sockaddr_in6&>(peer).sin6_port)
                                       : ntohs(reinterpret_cast<const sockaddr_in&>(peer).sin_port);
        m_watch->accepted(socket, port);
    }
    return true;
}

void Listener::stop()
{
    stopGate();
    if (!m_thread.joinable())
        return;
    m_stopping = true;
    m_server->stop();
    // Requests still waiting for a reply hold their server threads.
    requesttable::closeAll(m_handle);
    m_thread.join();
}

void Listener::handle(const httplib::Request& request, httplib::Response& response)
{
    const auto peerPort = static_cast<std::uint16_t>(request.remote_port);
    if (m_watch)
        m_watch->requestArrived(peerPort);
    serve(request, response);
    if (m_watch)
        m_watch->requestAnswered(peerPort);
}

void Listener::serve(const httplib::Request& request, httplib::Response& response)
{
    auto pending = std::make_shared<PendingRequest>();
    pending->listener = m_handle;
    pending->kind = kindOf(request);
    pending->target = request.target;
    pending->peer = request.remote_addr + ":" + std::to_string(request.remote_port);
    pending->headers.assign(request.headers.begin(), request.headers.end());
    if (pending->kind == WL_REQUEST_FORM)
        fillForm(request, *pending);
    else
        pending->body = request.body;

    const int handle = requesttable::add(pending);
    if (m_stopping)
        pending->close();
    RequestInfo info;
    info.kind = pending->kind;
    info.body = pending->body.data();
    info.bodyLength = pending->body.size();
    info.urlSelector = WL_URL_SELECTOR;
    if (m_params.callback) {
        try {
            m_params.callback(handle, &info, m_params.userData);
        } catch (...) {
            // The owner's failure must not take the server thread down.
        }
    }

    std::string body;
    int status = 200;
    const auto outcome =
        pending->wait(std::chrono::milliseconds(std::max(0, m_params.timeoutMs)), body, status);
    requesttable::remove(handle);
    switch (outcome) {
    case PendingRequest::Outcome::Replied:
        response.status = status;
        if (status == 200)
            response.set_content(std::move(body), "application/json");
        break;
    case PendingRequest::Outcome::TimedOut:
        // Never a 2xx: the client must see that nothing answered in time.
        response.status = 504;
        break;
    case PendingRequest::Outcome::Closed:
        response.status = 503;
        response.set_header("Connection", "close");
        break;
    }
}

} // namespace wirelink
