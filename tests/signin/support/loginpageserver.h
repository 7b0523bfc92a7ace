#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace signintest {

// A single-sign-on login page on the loopback interface, reached as
// http://localhost:PORT/login. Before showing its page it sends the browser
// through two impostors that set "CASTGC" for other hosts (sub.localhost and
// 127.0.0.1), then sets look-alike cookies ("castgc", "CASTGC2") for its own
// host. What happens next depends on the mode.
class LoginPageServer
{
public:
    enum class Mode
    {
        // The page posts its form at once; the answer sets "CASTGC".
        SignsIn,
        // The page stays; once loaded it asks for "/ready" and waits.
        Waits,
    };

    struct Hit
    {
        QString method;
        QString host; // the Host header, port included
        QString path; // with the query
        QString acceptLanguage;
        bool hasAcceptLanguage = false;
    };

    explicit LoginPageServer(Mode mode);
    ~LoginPageServer();
    LoginPageServer(const LoginPageServer&) = delete;
    LoginPageServer& operator=(const LoginPageServer&) = delete;

    bool start();
    void stop();
    quint16 port() const { return m_port; }
    QString loginUrl() const;

    QList<Hit> hits() const;
    bool sawPath(const QString& path) const;

private:
    void handle(const httplib::Request& request, httplib::Response& response);

    Mode m_mode;
    quint16 m_port = 0;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QList<Hit> m_hits;
};

} // namespace signintest
