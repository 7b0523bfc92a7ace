#include "servicetestkit.h"

#include "loopback.h"
#include "platform/readiness.h"
#include "wirelink/wirelink.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace servicetest {

void DispatchGate::wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_open || m_permits > 0; });
    if (!m_open)
        --m_permits;
}

void DispatchGate::release(int steps)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permits += steps;
    }
    m_changed.notify_all();
}

void DispatchGate::open()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
    }
    m_changed.notify_all();
}

Reply parseReply(bool ok, int status, const QByteArray& body)
{
    Reply reply;
    reply.ok = ok;
    reply.status = status;
    reply.raw = body;
    const QJsonObject root = QJsonDocument::fromJson(body).object();
    reply.method = root.value(QStringLiteral("method")).toInt(-1);
    for (const auto& entry : root.value(QStringLiteral("urlsToValue")).toArray()) {
        const QJsonObject object = entry.toObject();
        reply.values.insert(object.value(QStringLiteral("url")).toString(),
                            object.value(QStringLiteral("value")).toString());
    }
    return reply;
}

Reply postRaw(quint16 port, const QByteArray& body)
{
    const int client = NET_HTTPCLIENT_Create();
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_BODY, nullptr, 0, body.constData(), body.size());
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/DownloadProgress?format=json";
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    const bool ok = NET_HTTPCLIENT_ShortLinkExchange(client, &record) != 0;
    const QByteArray answer(record.body ? record.body : "", static_cast<int>(record.bodyLength));
    const int status = record.status;
    NET_HTTPCLIENT_Destroy(client);
    return parseReply(ok, status, answer);
}

Reply post(quint16 port, int method, const QList<QPair<QString, QString>>& entries, const QString&)
{
    QJsonArray urls;
    for (const auto& [url, unzipDir] : entries)
        urls.append(QJsonObject{{QStringLiteral("url"), url}, {QStringLiteral("unzipDir"), unzipDir}});
    const QJsonObject body{{QStringLiteral("method"), method}, {QStringLiteral("urls"), urls}};
    return postRaw(port, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

void writeFakeUnpacker(const QString& dir, bool succeed, const QString& into)
{
    QFile script(dir + QStringLiteral("/ZipUnzip"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    const QByteArray target = "\"$3/" + into.toUtf8() + "\"";
    if (succeed)
        script.write("#!/bin/sh\n[ \"$1\" = 1 ] || exit 2\nmkdir -p " + target + " && cp \"$2\" " + target +
                     "/received.bin && exit 1\n");
    else
        script.write("#!/bin/sh\nexit 3\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList entriesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    // Without this the kernel's signal would end the test instead of the write.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_saved = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_limited = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    QVERIFY(m_limited);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    if (!m_limited || getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    limit.rlim_cur = static_cast<rlim_t>(m_saved);
    setrlimit(RLIMIT_FSIZE, &limit);
}

RunningHost::RunningHost() = default;

RunningHost::~RunningHost()
{
    if (m_thread.joinable()) {
        m_mainProgramGone.set();
        m_gate.open();
        m_thread.join();
    }
}

bool RunningHost::start()
{
    haulmoor::ServiceOptions options;
    options.moduleDir = m_module.path().toStdString();
    options.homeDir = m_home.path().toStdString();
    options.dispatchGate = [this] { m_gate.wait(); };
    options.waitForMainProgramEnd = [this](const platform::StopEvent& stop) {
        return platform::waitReadable({m_mainProgramGone.fd(), stop.fd()}, -1) == 0;
    };
    m_host = std::make_unique<haulmoor::ServiceHost>(options);
    m_port = fixtures::loopback::pickFreePort();
    m_thread = std::thread([this] { m_exitCode = m_host->run(m_port); });
    // The listener is up once a request can be queued; probe with a raw connect.
    for (int i = 0; i < 500; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(20))
            return true;
        QTest::qWait(5);
    }
    return false;
}

int RunningHost::stop()
{
    m_mainProgramGone.set();
    m_gate.open();
    if (m_thread.joinable())
        m_thread.join();
    return m_exitCode;
}

void RunningHost::writeSetup(const QString& downloadPath, const QList<QPair<QString, QString>>& more)
{
    QFile file(m_module.path() + QStringLiteral("/Setup.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n<DownloadPath>\n<Value>" +
                     downloadPath.toUtf8() + "</Value>\n</DownloadPath>\n";
    for (const auto& [key, value] : more)
        xml += "<" + key.toUtf8() + ">\n<Value>" + value.toUtf8() + "</Value>\n</" + key.toUtf8() + ">\n";
    file.write(xml + "</Setup>\n");
}

StdoutCapture::StdoutCapture()
{
    std::fflush(stdout);
    const QByteArray path = QFile::encodeName(m_dir.filePath(QStringLiteral("stdout.txt")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return;
    m_saved = ::dup(STDOUT_FILENO);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
}

StdoutCapture::~StdoutCapture()
{
    finish();
}

QByteArray StdoutCapture::finish()
{
    if (m_saved < 0)
        return m_text;
    std::fflush(stdout);
    ::dup2(m_saved, STDOUT_FILENO);
    ::close(m_saved);
    m_saved = -1;
    QFile file(m_dir.filePath(QStringLiteral("stdout.txt")));
    if (file.open(QIODevice::ReadOnly))
        m_text = file.readAll();
    return m_text;
}

} // namespace servicetest
