// The streamed client exchange: pieces in order with flat memory, headers
// before the body, refusals, stops, stalls and broken answers, and a handle
// that still does plain exchanges afterwards.
#include "packageserver.h"
#include "wirelink/wirelink.h"

#include <QtTest>
#include <cstring>

using fixtures::Fault;
using fixtures::PackageServer;

Q_DECLARE_METATYPE(fixtures::Fault)

namespace {

struct Collected
{
    QByteArray body;
    std::size_t largestPiece = 0;
    int pieces = 0;
    int starts = 0;
    int bodyBeforeStart = 0;
    bool refuse = false;
    bool stopAfterFirstPiece = false;
    QByteArray contentRange;
    QByteArray etag;
    QByteArray lastModified;
    long long contentLength = -2;
    int status = 0;
};

int onStart(void* user, const StreamRecord* record)
{
    auto* seen = static_cast<Collected*>(user);
    ++seen->starts;
    seen->status = record->status;
    seen->contentRange = record->contentRange;
    seen->etag = record->etag;
    seen->lastModified = record->lastModified;
    seen->contentLength = record->contentLength;
    return seen->refuse ? 0 : 1;
}

int onBody(void* user, const char* data, std::size_t length)
{
    auto* seen = static_cast<Collected*>(user);
    if (seen->starts == 0)
        ++seen->bodyBeforeStart;
    seen->body.append(data, int(length));
    seen->largestPiece = std::max(seen->largestPiece, length);
    ++seen->pieces;
    return 1;
}

int stopFlag(void* user)
{
    auto* seen = static_cast<Collected*>(user);
    return seen->stopAfterFirstPiece && seen->pieces > 0 ? 1 : 0;
}

QByteArray patterned(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + i / 251) & 0xff);
    return data;
}

} // namespace

class TestWirelinkStream : public QObject
{
    Q_OBJECT

    PackageServer m_server;
    int m_client = -1;

    int stream(const QString& url, Collected& seen, StreamRecord& record, int stallMs = 0)
    {
        const std::string text = url.toStdString();
        record.url = text.c_str();
        record.urlLength = text.size();
        record.onStart = &onStart;
        record.onBody = &onBody;
        record.shouldStop = &stopFlag;
        record.user = &seen;
        record.stallMs = stallMs;
        return NET_HTTPCLIENT_StreamExchange(m_client, &record);
    }

    void setRange(const QByteArray& range)
    {
        NET_HTTPCLIENT_SetParam(m_client, WL_CLIENT_HEADER, "Range", 5, range.constData(), range.size());
    }

private slots:
    void initTestCase()
    {
        NET_UTILS_Init();
        QVERIFY(m_server.start());
        m_server.addFile(QStringLiteral("/big.bin"), patterned(8 * 1024 * 1024));
        m_server.addFile(QStringLiteral("/small.bin"), patterned(1000));
    }

    void init()
    {
        m_client = NET_HTTPCLIENT_Create();
        QVERIFY(m_client > 0);
        m_server.clearFaults();
    }

    void cleanup() { NET_HTTPCLIENT_Destroy(m_client); }

    void bodyArrivesInBoundedPiecesAfterItsHeaders()
    {
        setRange("bytes=1000-");
        Collected seen;
        StreamRecord record;
        QVERIFY(stream(m_server.url(QStringLiteral("/big.bin")), seen, record));
        QCOMPARE(record.error, int(WL_OK));
        QCOMPARE(record.status, 206);
        QCOMPARE(seen.starts, 1);
        QCOMPARE(seen.bodyBeforeStart, 0);
        QCOMPARE(seen.status, 206);
        QCOMPARE(seen.contentRange, QByteArray("bytes 1000-8388607/8388608"));
        QCOMPARE(seen.contentLength, 8 * 1024 * 1024 - 1000LL);
        QVERIFY(!seen.etag.isEmpty());
        QVERIFY(seen.lastModified.endsWith(" GMT"));
        QVERIFY(seen.body == patterned(8 * 1024 * 1024).mid(1000));
        QCOMPARE(record.bodyBytes, 8 * 1024 * 1024 - 1000LL);
        // Streamed, never collected: no piece comes near the body's size.
        QVERIFY2(seen.largestPiece <= 256 * 1024, QByteArray::number(qulonglong(seen.largestPiece)));
    }

    void failures_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("bodySeen");
        QTest::newRow("refused from its headers") << Fault() << true << int(WL_ERR_REFUSED) << 206 << false;
        QTest::newRow("not found") << Fault::status(404) << false << int(WL_ERR_HTTP_STATUS) << 404 << false;
        QTest::newRow("server error")
            << Fault::status(503) << false << int(WL_ERR_HTTP_STATUS) << 503 << false;
        QTest::newRow("cut short") << Fault::truncate(5000) << false << int(WL_ERR_TRANSFER) << 206 << true;
        QTest::newRow("dropped unanswered") << Fault::drop() << false << int(WL_ERR_TRANSFER) << 0 << false;
        QTest::newRow("stalled after some bytes")
            << Fault::stall(5000, 3000) << false << int(WL_ERR_TIMEOUT) << 206 << true;
        QTest::newRow("no answer") << Fault::delay(3000) << false << int(WL_ERR_TIMEOUT) << 0 << false;
    }

    void failures()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, refuse);
        QFETCH(int, error);
        QFETCH(int, status);
        QFETCH(bool, bodySeen);
        m_server.setFault(QStringLiteral("/big.bin"), fault);
        setRange("bytes=0-");
        Collected seen;
        seen.refuse = refuse;
        StreamRecord record;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!stream(m_server.url(QStringLiteral("/big.bin")), seen, record, 300));
        QCOMPARE(record.error, error);
        QCOMPARE(NET_UTILS_GetLastError(), error);
        QCOMPARE(record.status, status);
        QCOMPARE(!seen.body.isEmpty(), bodySeen);
        QCOMPARE(record.bodyBytes, qint64(seen.body.size()));
        QVERIFY(patterned(8 * 1024 * 1024).startsWith(seen.body));
        // Stalls end by the record's own time, not the handle's 20 seconds.
        QVERIFY2(timer.elapsed() < 2500, QByteArray::number(timer.elapsed()));
    }

    void callerStopsWithinAPoll()
    {
        m_server.setFault(QStringLiteral("/big.bin"), Fault::rate(200000));
        setRange("bytes=0-");
        Collected seen;
        seen.stopAfterFirstPiece = true;
        StreamRecord record;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!stream(m_server.url(QStringLiteral("/big.bin")), seen, record));
        QCOMPARE(record.error, int(WL_ERR_CANCELLED));
        QVERIFY(seen.pieces >= 1);
        QVERIFY2(timer.elapsed() < 2000, QByteArray::number(timer.elapsed()));
    }

    void nothingListening()
    {
        Collected seen;
        StreamRecord record;
        QVERIFY(!stream(QStringLiteral("http://127.0.0.1:1/x"), seen, record));
        QCOMPARE(record.error, int(WL_ERR_CONNECT));
        QCOMPARE(record.status, 0);
        QCOMPARE(seen.starts, 0);
    }

    void handleStillDoesPlainExchangesAfterwards()
    {
        setRange("bytes=0-");
        Collected seen;
        StreamRecord record;
        QVERIFY(stream(m_server.url(QStringLiteral("/small.bin")), seen, record));
        setRange("bytes=10-19");
        const std::string url = m_server.url(QStringLiteral("/small.bin")).toStdString();
        ExchangeRecord plain;
        plain.url = url.c_str();
        plain.urlLength = url.size();
        QVERIFY(NET_HTTPCLIENT_ShortLinkExchange(m_client, &plain));
        QCOMPARE(plain.status, 206);
        QCOMPARE(QByteArray(plain.body, int(plain.bodyLength)), patterned(1000).mid(10, 10));
        QCOMPARE(seen.pieces, 1); // the stream's callbacks are not called again
    }

    void badArguments()
    {
        StreamRecord record;
        QVERIFY(!NET_HTTPCLIENT_StreamExchange(m_client, nullptr));
        QVERIFY(!NET_HTTPCLIENT_StreamExchange(m_client, &record)); // no URL
        const char* url = "http://127.0.0.1:1/";
        record.url = url;
        record.urlLength = std::strlen(url);
        QVERIFY(!NET_HTTPCLIENT_StreamExchange(m_client, &record)); // no body callback
        QCOMPARE(NET_UTILS_GetLastError(), int(WL_ERR_BAD_ARGUMENT));
        record.onBody = &onBody;
        QVERIFY(!NET_HTTPCLIENT_StreamExchange(99999, &record));
        QCOMPARE(record.error, int(WL_ERR_BAD_HANDLE));
    }
};

QTEST_GUILESS_MAIN(TestWirelinkStream)
#include "tst_wirelinkstream.moc"
