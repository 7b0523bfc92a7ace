#include "wirelink/wirelink.h"

#include <QTcpServer>
#include <QtTest>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Seen
{
    int handle = -1;
    int kind = -1;
    std::string url;
    std::string body;
    std::string peer;
    int formCount = 0;
    std::vector<std::string> formNames;
    std::vector<std::string> formData;
    std::string header;       // value of Recorder::headerName
    int headerLength = -1;    // what NET_HTTPSERVER_GetHeader returned
    int headerError = WL_OK;  // and its error when it failed
    bool answeredTwice = false;
};

// Records each request; answers it at once with a fixed body unless told to
// hold it back for the test to answer.
class Recorder
{
public:
    bool answer = true;
    std::string replyBody = "pong";
    int refuseWith = 0; // answer with this status and no body instead
    std::string headerName = "X-Probe";
    int headerBuffer = 64;

    static void callback(int handle, const RequestInfo* info, void* user)
    {
        static_cast<Recorder*>(user)->onRequest(handle, info);
    }

    std::vector<Seen> seen()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

    bool waitFor(std::size_t count, int ms = 5000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_seen.size() >= count; });
    }

private:
    void onRequest(int handle, const RequestInfo* info)
    {
        Seen s;
        s.handle = handle;
        s.kind = info->kind;
        s.body.assign(info->body ? info->body : "", info->bodyLength);
        char url[WL_URL_BUFFER_SIZE] = {};
        if (NET_HTTPSERVER_GetParamV2(handle, info->urlSelector, 0, 0, 0, url, sizeof url))
            s.url = url;
        char peer[128] = {};
        if (NET_HTTPSERVER_GetParam(handle, WL_SERVER_PEER, 0, 0, peer, sizeof peer))
            s.peer = peer;
        if (info->kind == WL_REQUEST_FORM) {
            NET_HTTPSERVER_GetParam(handle, WL_SERVER_FORM_COUNT, 0, 0, &s.formCount, sizeof s.formCount);
            std::vector<FormPart> parts(static_cast<std::size_t>(s.formCount));
            if (s.formCount > 0 &&
                NET_HTTPSERVER_GetParam(handle, WL_SERVER_FORM_PARTS, 0, 0, parts.data(),
                                        static_cast<int>(parts.size() * sizeof(FormPart)))) {
                for (const auto& part : parts) {
                    s.formNames.emplace_back(part.name);
                    s.formData.emplace_back(part.data, part.dataLength);
                }
            }
        }
        std::vector<char> value(static_cast<std::size_t>(headerBuffer), 'x');
        s.headerLength = NET_HTTPSERVER_GetHeader(handle, headerName.c_str(), value.data(), headerBuffer);
        if (s.headerLength >= 0)
            s.header.assign(value.data());
        else
            s.headerError = NET_UTILS_GetLastError();
        if (refuseWith) {
            NET_HTTPSERVER_ReplyStatus(handle, refuseWith);
            s.answeredTwice = NET_HTTPSERVER_SetParamV2(handle, 0, 4, nullptr, 0, "x", 1) != 0 ||
                              NET_HTTPSERVER_ReplyStatus(handle, 200) != 0;
        } else if (answer) {
            NET_HTTPSERVER_SetParamV2(handle, 0, 4, nullptr, 0, replyBody.data(),
                                      static_cast<long long>(replyBody.size()));
            NET_HTTPSERVER_ReplyV2(handle, 0, 0);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(s);
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Seen> m_seen;
};

struct Result
{
    bool ok = false;
    int status = -1;
    std::string body;
    int error = 0;
};

Result runExchange(int client, const std::string& url)
{
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    Result result;
    result.ok = NET_HTTPCLIENT_ShortLinkExchange(client, &record) != 0;
    result.status = record.status;
    result.body.assign(record.body ? record.body : "", record.bodyLength);
    result.error = result.ok ? 0 : NET_UTILS_GetLastError();
    return result;
}

void setHeader(int client, const char* name, const std::string& value)
{
    QVERIFY(NET_HTTPCLIENT_SetParam(client, WL_CLIENT_HEADER, name, static_cast<int>(std::strlen(name)),
                                    value.data(), static_cast<long long>(value.size())));
}

void setBody(int client, const std::string& body)
{
    QVERIFY(NET_HTTPCLIENT_SetParam(client, WL_CLIENT_BODY, nullptr, 0, body.data(),
                                    static_cast<long long>(body.size())));
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestWirelink : public QObject
{
    Q_OBJECT

private:
    int listen(Recorder& recorder, int timeoutMs = 5000)
    {
        ListenParams params;
        std::strcpy(params.address, "127.0.0.1");
        params.port = freePort();
        params.timeoutMs = timeoutMs;
        params.callback = &Recorder::callback;
        params.userData = &recorder;
        const int handle = NET_HTTPSERVER_CreateListen(&params);
        m_base = "http://127.0.0.1:" + std::to_string(params.port);
        m_port = params.port;
        return handle;
    }

    std::string m_base;
    quint16 m_port = 0;

private slots:
    void initTestCase() { QVERIFY(NET_UTILS_Init()); }
    void cleanupTestCase() { NET_UTILS_Fini(); }

    void requestKindsReachTheCallback_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("kind");
        QTest::newRow("post with body") << QByteArray("{\"method\":4}") << int(WL_REQUEST_BODY);
        QTest::newRow("get without body") << QByteArray() << int(WL_REQUEST_OTHER);
    }

    void requestKindsReachTheCallback()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, kind);
        Recorder recorder;
        const int listener = listen(recorder);
        QVERIFY(listener > 0);
        const int client = NET_HTTPCLIENT_Create();
        if (!body.isEmpty())
            setBody(client, body.toStdString());
        const Result r = runExchange(client, m_base + "/DownloadProgress?format=json");
        QVERIFY(r.ok);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.body, std::string("pong"));
        const auto seen = recorder.seen();
        QCOMPARE(seen.size(), std::size_t(1));
        QCOMPARE(seen[0].kind, kind);
        QCOMPARE(seen[0].url, std::string("/DownloadProgress?format=json"));
        QCOMPARE(seen[0].body, body.toStdString());
        NET_HTTPCLIENT_Destroy(client);
        QVERIFY(NET_HTTPSERVER_CloseListen(listener));
    }

    void formPartsAreHandedOver()
    {
        Recorder recorder;
        const int listener = listen(recorder);
        const std::string boundary = "XyZ";
        const std::string body = "--XyZ\r\nContent-Disposition: form-data; name=\"first\"\r\n\r\none\r\n"
                                 "--XyZ\r\nContent-Disposition: form-data; name=\"second\"\r\n\r\ntwo\r\n--XyZ--\r\n";
        const int client = NET_HTTPCLIENT_Create();
        setHeader(client, "Content-Type", "multipart/form-data; boundary=" + boundary);
        setBody(client, body);
        QVERIFY(runExchange(client, m_base + "/form").ok);
        const auto seen = recorder.seen();
        QCOMPARE(seen.at(0).kind, int(WL_REQUEST_FORM));
        QCOMPARE(seen.at(0).formCount, 2);
        QCOMPARE(seen.at(0).formNames, (std::vector<std::string>{"first", "second"}));
        QCOMPARE(seen.at(0).formData, (std::vector<std::string>{"one", "two"}));
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void replyMayComeLaterFromAnotherThread()
    {
        Recorder recorder;
        recorder.answer = false;
        const int listener = listen(recorder);
        std::thread replier([&] {
            QVERIFY(recorder.waitFor(1));
            const int handle = recorder.seen().at(0).handle;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const std::string body = "late answer";
            NET_HTTPSERVER_SetParamV2(handle, 0, 4, nullptr, 0, body.data(), static_cast<long long>(body.size()));
            QCOMPARE(NET_HTTPSERVER_ReplyV2(handle, 0, 0), static_cast<long long>(body.size()));
        });
        const int client = NET_HTTPCLIENT_Create();
        const Result r = runExchange(client, m_base + "/x");
        replier.join();
        QVERIFY(r.ok);
        QCOMPARE(r.body, std::string("late answer"));
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void unansweredRequestFailsAfterTheListenerTimeout()
    {
        Recorder recorder;
        recorder.answer = false;
        const int listener = listen(recorder, 300);
        const int client = NET_HTTPCLIENT_Create();
        QElapsedTimer timer;
        timer.start();
        const Result r = runExchange(client, m_base + "/never");
        QVERIFY(!r.ok);
        QVERIFY(r.status < 200 || r.status > 299);
        QCOMPARE(r.error, int(WL_ERR_HTTP_STATUS));
        QVERIFY(timer.elapsed() >= 250);

        // Answering afterwards is refused and reported.
        const int handle = recorder.seen().at(0).handle;
        const std::string late = "too late";
        QCOMPARE(NET_HTTPSERVER_SetParamV2(handle, 0, 4, nullptr, 0, late.data(), 8), 0);
        QCOMPARE(NET_HTTPSERVER_ReplyV2(handle, 0, 0), -1LL);
        QCOMPARE(NET_UTILS_GetLastError(), int(WL_ERR_EXPIRED));
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void headersAreReadByNameAndRequestsRefusedWithAStatus()
    {
        Recorder recorder;
        recorder.refuseWith = 403;
        const int listener = listen(recorder);
        const int client = NET_HTTPCLIENT_Create();
        setHeader(client, "x-PROBE", "some value");
        setBody(client, "{\"method\":3}");
        const Result refused = runExchange(client, m_base + "/DownloadSubTool");
        QVERIFY(!refused.ok);
        QCOMPARE(refused.status, 403);
        QCOMPARE(refused.error, int(WL_ERR_HTTP_STATUS));
        QVERIFY(refused.body.empty());
        auto seen = recorder.seen();
        QCOMPARE(seen.at(0).header, std::string("some value"));
        QCOMPARE(seen.at(0).headerLength, 10);
        QVERIFY(!seen.at(0).answeredTwice);

        recorder.refuseWith = 0;
        setHeader(client, "X-Probe", std::string(64, 'v')); // no room for the terminator
        QVERIFY(runExchange(client, m_base + "/x").ok);
        setHeader(client, "X-Probe", ""); // removed
        QVERIFY(runExchange(client, m_base + "/x").ok);
        seen = recorder.seen();
        QCOMPARE(seen.at(1).headerLength, -1);
        QCOMPARE(seen.at(1).headerError, int(WL_ERR_BUFFER_TOO_SMALL));
        QCOMPARE(seen.at(2).headerLength, -1);
        QCOMPARE(seen.at(2).headerError, int(WL_ERR_NOT_FOUND));
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void connectionIsKeptAlive()
    {
        Recorder recorder;
        const int listener = listen(recorder);
        const int client = NET_HTTPCLIENT_Create();
        setBody(client, "a");
        QVERIFY(runExchange(client, m_base + "/one").ok);
        QVERIFY(runExchange(client, m_base + "/two").ok);
        const auto seen = recorder.seen();
        QCOMPARE(seen.size(), std::size_t(2));
        QCOMPARE(seen[0].peer, seen[1].peer); // same source port: one connection
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void failuresReportStatusAndError_data()
    {
        QTest::addColumn<int>("maxResponse");
        QTest::addColumn<bool>("closeFirst");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("error");
        QTest::newRow("nothing listening") << 0 << true << 0 << int(WL_ERR_CONNECT);
        QTest::newRow("response too long") << 3 << false << 200 << int(WL_ERR_BODY_TOO_LARGE);
    }

    void failuresReportStatusAndError()
    {
        QFETCH(int, maxResponse);
        QFETCH(bool, closeFirst);
        QFETCH(int, status);
        QFETCH(int, error);
        Recorder recorder;
        const int listener = listen(recorder);
        if (closeFirst)
            NET_HTTPSERVER_CloseListen(listener);
        const int client = NET_HTTPCLIENT_Create();
        const std::string limit = std::to_string(maxResponse);
        QVERIFY(NET_HTTPCLIENT_SetParam(client, WL_CLIENT_MAX_RESPONSE, nullptr, 0, limit.data(),
                                        static_cast<long long>(limit.size())));
        const Result r = runExchange(client, m_base + "/x");
        QVERIFY(!r.ok);
        QCOMPARE(r.status, status);
        QCOMPARE(r.error, error);
        NET_HTTPCLIENT_Destroy(client);
        if (!closeFirst)
            NET_HTTPSERVER_CloseListen(listener);
    }

    void stalledTransferTimesOutWith408()
    {
        Recorder recorder;
        recorder.answer = false;
        const int listener = listen(recorder, 5000);
        QVERIFY(NET_UTILS_SetClientTimeouts(1000, 1000));
        const int client = NET_HTTPCLIENT_Create();
        QVERIFY(NET_UTILS_SetClientTimeouts(10000, 20000));
        const Result r = runExchange(client, m_base + "/slow");
        QVERIFY(!r.ok);
        QCOMPARE(r.status, 408);
        QCOMPARE(r.error, int(WL_ERR_TIMEOUT));
        NET_HTTPCLIENT_Destroy(client);
        NET_HTTPSERVER_CloseListen(listener);
    }

    void lastErrorIsPerThread()
    {
        QCOMPARE(NET_HTTPCLIENT_Destroy(987654), 0);
        QCOMPARE(NET_UTILS_GetLastError(), int(WL_ERR_BAD_HANDLE));
        int other = -1;
        std::thread([&] { other = NET_UTILS_GetLastError(); }).join();
        QCOMPARE(other, int(WL_OK));
    }

    void secondListenerOnATakenPortFails()
    {
        Recorder recorder;
        const int first = listen(recorder);
        QVERIFY(first > 0);
        ListenParams params;
        std::strcpy(params.address, "127.0.0.1");
        params.port = m_port;
        params.callback = &Recorder::callback;
        params.userData = &recorder;
        QCOMPARE(NET_HTTPSERVER_CreateListen(&params), -1);
        QCOMPARE(NET_UTILS_GetLastError(), int(WL_ERR_BIND));
        NET_HTTPSERVER_CloseListen(first);
    }

    void closingWakesWaitingRequests()
    {
        Recorder recorder;
        recorder.answer = false;
        const int listener = listen(recorder, 60000);
        Result r;
        std::thread caller([&] {
            const int client = NET_HTTPCLIENT_Create();
            r = runExchange(client, m_base + "/hang");
            NET_HTTPCLIENT_Destroy(client);
        });
        QVERIFY(recorder.waitFor(1));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(NET_HTTPSERVER_CloseListen(listener));
        caller.join();
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY(!r.ok);
    }
};

QTEST_GUILESS_MAIN(TestWirelink)
#include "tst_wirelink.moc"
