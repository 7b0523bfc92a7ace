#include "loginpageserver.h"

#include "loopback.h"

#include <chrono>
#include <httplib.h>

namespace signintest {

namespace {

const char* const kHtml = "text/html; charset=utf-8";

std::string page(const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Sign in</title></head><body>" + body +
           "</body></html>";
}

} // namespace

LoginPageServer::LoginPageServer(Mode mode) : m_mode(mode) {}

LoginPageServer::~LoginPageServer()
{
    stop();
}

bool LoginPageServer::start()
{
    stop();
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(8); };
    server->set_tcp_nodelay(true);
    server->set_keep_alive_timeout(1);
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    };
    server->Get(".*", handler);
    server->Post(".*", handler);
    // Chromium resolves localhost and its subdomains to the loopback
    // addresses; 127.0.0.1 serves all three hosts the page uses.
    const int bound = server->bind_to_any_port("127.0.0.1");
    if (bound <= 0)
        return false;
    m_port = quint16(bound);
    m_server = std::move(server);
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_server->is_running();
}

void LoginPageServer::stop()
{
    if (!m_server)
        return;
    m_server->stop();
    fixtures::loopback::shutdownAcceptedSockets(m_port);
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

QString LoginPageServer::loginUrl() const
{
    return QStringLiteral("http://localhost:%1/login").arg(m_port);
}

QList<LoginPageServer::Hit> LoginPageServer::hits() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hits;
}

bool LoginPageServer::sawPath(const QString& path) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const Hit& hit : m_hits) {
        if (hit.path == path)
            return true;
    }
    return false;
}

void LoginPageServer::handle(const httplib::Request& request, httplib::Response& response)
{
    Hit hit;
    hit.method = QString::fromStdString(request.method);
    hit.host = QString::fromStdString(request.get_header_value("Host"));
    hit.path = QString::fromStdString(request.target);
    hit.hasAcceptLanguage = request.has_header("Accept-Language");
    hit.acceptLanguage = QString::fromStdString(request.get_header_value("Accept-Language"));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hits += hit;
    }

    const std::string port = std::to_string(m_port);
    const std::string host = request.get_header_value("Host");
    const bool onLoginHost = host == "localhost:" + port;

    if (request.path == "/impostor") {
        // Each impostor sets the ticket for its own host, then hands over.
        response.set_header("Set-Cookie", "CASTGC=TGT-impostor; Path=/");
        const std::string next = host.rfind("sub.localhost", 0) == 0
                                     ? "http://127.0.0.1:" + port + "/impostor"
                                     : "http://localhost:" + port + "/login?page=1";
        response.set_redirect(next);
        return;
    }
    if (!onLoginHost) {
        response.status = 404;
        return;
    }
    if (request.path == "/login" && request.method == "GET" && !request.has_param("page")) {
        response.set_content(
            page("<script>location.replace('http://sub.localhost:" + port + "/impostor');</script>"), kHtml);
        return;
    }
    if (request.path == "/login" && request.method == "GET") {
        response.set_header("Set-Cookie", "castgc=TGT-lower-case; Path=/");
        response.set_header("Set-Cookie", "CASTGC2=TGT-other-name; Path=/");
        const std::string next = m_mode == Mode::SignsIn ? "document.forms[0].submit();" : "fetch('/ready');";
        response.set_content(page("<form method=\"post\" action=\"/login\"><input name=\"username\" "
                                  "value=\"tester\"><input type=\"password\" name=\"password\" "
                                  "value=\"secret\"></form><img src=\"/logo.svg\" alt=\"\">"
                                  "<script>window.addEventListener('load', function () { " +
                                  next + " });</script>"),
                             kHtml);
        return;
    }
    if (request.path == "/login" && request.method == "POST") {
        response.set_header("Set-Cookie", "CASTGC=TGT-1-signed-in; Path=/; HttpOnly");
        response.set_content(page("<p>Signed in.</p>"), kHtml);
        return;
    }
    if (request.path == "/logo.svg") {
        response.set_content("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\"/>",
                             "image/svg+xml");
        return;
    }
    if (request.path == "/ready") {
        response.set_content("ready", "text/plain");
        return;
    }
    response.status = 404;
}

} // namespace signintest
