// Reading request bodies and Setup.xml, writing replies, reading package
// indexes: the text formats the service shares with its peers.
#include "contentrange.h"
#include "downloadpath.h"
#include "packagedownloader.h"
#include "protocol.h"
#include "ratewindow.h"
#include "sha256.h"
#include "versionquery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace haulmoor;

using Entries = std::vector<std::pair<std::string, std::string>>;
Q_DECLARE_METATYPE(Entries)

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void parseBody_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("method");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("two entries in body order")
            << QByteArray(
                   R"({"method":3,"urls":[{"url":"b.zip","unzipDir":"/d/"},{"url":"a.zip","unzipDir":""}]})")
            << 3 << Entries{{"b.zip", "/d/"}, {"a.zip", ""}};
        QTest::newRow("duplicates are kept") << QByteArray(R"({"method":1,"urls":[{"url":"x"},{"url":"x"}]})")
                                             << 1 << Entries{{"x", ""}, {"x", ""}};
        QTest::newRow("missing members read empty")
            << QByteArray(R"({"method":4,"urls":[{}, 7, {"unzipDir":"d"}]})") << 4
            << Entries{{"", ""}, {"", ""}, {"", "d"}};
        QTest::newRow("no urls") << QByteArray(R"({"method":4})") << 4 << Entries{};
        QTest::newRow("urls not an array") << QByteArray(R"({"method":4,"urls":"x"})") << 4 << Entries{};
        QTest::newRow("comments allowed") << QByteArray("{/* c */\"method\":9}") << 9 << Entries{};
        QTest::newRow("not json") << QByteArray("method=4") << 0 << Entries{};
        QTest::newRow("top level array") << QByteArray("[1,2]") << 0 << Entries{};
        QTest::newRow("top level number") << QByteArray("4") << 0 << Entries{};
        QTest::newRow("method is text")
            << QByteArray(R"({"method":"4","urls":[{"url":"x"}]})") << 0 << Entries{};
        QTest::newRow("method too large")
            << QByteArray(R"({"method":99999999999,"urls":[]})") << 0 << Entries{};
        QTest::newRow("method fractional") << QByteArray(R"({"method":4.5,"urls":[]})") << 0 << Entries{};
        QTest::newRow("empty body") << QByteArray() << 0 << Entries{};
    }

    void parseBody()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, method);
        QFETCH(Entries, entries);
        const Request request = protocol::parseBody(body.toStdString(), 17);
        QCOMPARE(request.handle, 17);
        QCOMPARE(request.method, method);
        QCOMPARE(request.entries, entries);
    }

    void replyIsStyledAndOrderedByUrlBytes()
    {
        const ReplyMap values{{"b", "55"}, {"B", "0"}, {"\xe5\xb7\xa5.zip", "200"}};
        const std::string expected =
            "{\n\t\"method\" : 4,\n\t\"urlsToValue\" : \n\t[\n"
            "\t\t{\n\t\t\t\"url\" : \"B\",\n\t\t\t\"value\" : \"0\"\n\t\t},\n"
            "\t\t{\n\t\t\t\"url\" : \"b\",\n\t\t\t\"value\" : \"55\"\n\t\t},\n"
            "\t\t{\n\t\t\t\"url\" : \"\\u5de5.zip\",\n\t\t\t\"value\" : \"200\"\n\t\t}\n"
            "\t]\n}\n";
        QCOMPARE(protocol::buildReply(4, values), expected);
    }

    void emptyReplyHasNull()
    {
        QCOMPARE(protocol::buildReply(4, {}),
                 std::string("{\n\t\"method\" : 4,\n\t\"urlsToValue\" : null\n}\n"));
    }

    void latestVersion_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QString>("version");
        QTest::newRow("last wins, not the highest")
            << QByteArray(R"({"app":[{"version":"1.0"},{"version":"1.2"},{"version":"1.1"}]})") << "1.1";
        QTest::newRow("last element without version")
            << QByteArray(R"({"app":[{"version":"1.0.0.1"},{"version":"1.0.0.2"},{"name":"x"}]})")
            << "1.0.0.2";
        QTest::newRow("no app") << QByteArray(R"({"apps":[]})") << "";
        QTest::newRow("app not an array") << QByteArray(R"({"app":{"version":"1"}})") << "";
        QTest::newRow("version not text")
            << QByteArray(R"({"app":[{"version":"2.0"},{"version":3}]})") << "2.0";
        QTest::newRow("elements not objects") << QByteArray(R"({"app":[1,"x",{"version":"9"}]})") << "9";
        QTest::newRow("malformed") << QByteArray(R"({"app":[)") << "";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void latestVersion()
    {
        QFETCH(QByteArray, index);
        QFETCH(QString, version);
        QCOMPARE(QString::fromStdString(versionquery::latestVersion(index.toStdString())), version);
    }

    void indexUrlsJoinAsTheyStand()
    {
        QCOMPARE(versionquery::indexUrl("http://h", localprotocol::CheckManagerVersion),
                 std::string("http://h/4200/tool/windows/gearloft/package.json"));
        QCOMPARE(versionquery::indexUrl("http://h/", localprotocol::CheckMaterialVersion),
                 std::string("http://h//4200/tool/windows/material/package.json"));
    }

    void metadataUrlReplacesEveryZip()
    {
        QCOMPARE(PackageDownloader::metadataUrl("https://h/a/tool.zip"),
                 std::string("https://h/a/tool.json"));
        QCOMPARE(PackageDownloader::metadataUrl("http://h/x.zip/t.zip"),
                 std::string("http://h/x.json/t.json"));
    }

    void downloadPath_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QString>("path");
        QTest::newRow("client layout")
            << QByteArray(
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n<Translator>\n<Value>1</Value>\n"
                   "</Translator>\n<DownloadPath>\n<Value>/home/u/Download</Value>\n</DownloadPath>\n</"
                   "Setup>\n")
            << "/home/u/Download";
        QTest::newRow("indented value keeps its blanks")
            << QByteArray("<S>\n<DownloadPath>\n  <Value>/d</Value>\n</DownloadPath>\n</S>\n") << "  /d";
        QTest::newRow("no DownloadPath")
            << QByteArray("<S>\n<Skin>\n<Value>1</Value>\n</Skin>\n</S>\n") << "";
        QTest::newRow("empty value") << QByteArray(
                                            "<S>\n<DownloadPath>\n<Value></Value>\n</DownloadPath>\n</S>")
                                     << "";
        QTest::newRow("first one counts")
            << QByteArray("<DownloadPath>\n<Value>/a</Value>\n<DownloadPath>\n<Value>/b</Value>\n") << "/a";
        QTest::newRow("windows line ends")
            << QByteArray("<S>\r\n<DownloadPath>\r\n<Value>/w</Value>\r\n") << "/w";
        QTest::newRow("chinese folder")
            << QByteArray("<DownloadPath>\n<Value>/home/u/\xe5\xb7\xa5\xe5\x85\xb7</Value>\n")
            << "/home/u/工具";
        QTest::newRow("escaped characters")
            << QByteArray("<DownloadPath>\n<Value>/t/A &amp; B &lt;1&gt; &#x5de5;</Value>\n")
            << "/t/A & B <1> 工";
    }

    void downloadPath()
    {
        QFETCH(QByteArray, setup);
        QFETCH(QString, path);
        QTemporaryDir dir;
        QFile file(dir.filePath("Setup.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(setup);
        file.close();
        QCOMPARE(QString::fromStdString(readDownloadPath(file.fileName().toStdString(), "/fallback")), path);
    }

    void unreadableSetupGivesFallback()
    {
        QCOMPARE(readDownloadPath("/nonexistent/Setup.xml", "/module"), std::string("/module"));
    }

    void progressReplyAddsByteFiguresToRunningDownloads()
    {
        const ReplyMap values{{"a.zip", "42"}, {"b.zip", "200"}};
        const protocol::ByteFigures bytes{{"a.zip", {5000000000, 8000000000, 1234567}}};
        const std::string body = protocol::buildProgressReply(4, values, bytes);
        const QJsonArray entries =
            QJsonDocument::fromJson(QByteArray::fromStdString(body)).object().value("urlsToValue").toArray();
        QCOMPARE(entries.size(), 2);
        const QJsonObject running = entries.at(0).toObject();
        QCOMPARE(running.value("url").toString(), QStringLiteral("a.zip"));
        QCOMPARE(running.value("value").toString(), QStringLiteral("42")); // still text
        QVERIFY(running.value("received").isDouble());
        QCOMPARE(running.value("received").toDouble(), 5000000000.0);
        QCOMPARE(running.value("total").toDouble(), 8000000000.0);
        QCOMPARE(running.value("rate").toDouble(), 1234567.0);
        QCOMPARE(entries.at(1).toObject().keys(), (QStringList{"url", "value"}));
        // Without figures the reply is the plain one, byte for byte.
        QCOMPARE(protocol::buildProgressReply(4, values, {}), protocol::buildReply(4, values));

        // A failure's reason travels beside its value.
        const std::string failed =
            protocol::buildProgressReply(4, {{"c.zip", "-1"}}, {}, {{"c.zip", "checksum"}});
        const QJsonObject entry = QJsonDocument::fromJson(QByteArray::fromStdString(failed))
                                      .object()
                                      .value("urlsToValue")
                                      .toArray()
                                      .at(0)
                                      .toObject();
        QCOMPARE(entry.value("value").toString(), QStringLiteral("-1"));
        QCOMPARE(entry.value("failure").toString(), QStringLiteral("checksum"));
    }

    void transferMode_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<int>("mode");
        const QByteArray path = "<Setup>\n<DownloadPath>\n<Value>/d</Value>\n</DownloadPath>\n";
        QTest::newRow("absent") << path + "</Setup>\n" << 0;
        QTest::newRow("streamed") << path + "<TransferMode>\n<Value>1</Value>\n</TransferMode>\n</Setup>\n"
                                  << 1;
        QTest::newRow("ranges") << path + "<TransferMode>\n<Value>0</Value>\n</TransferMode>\n</Setup>\n"
                                << 0;
        QTest::newRow("blanks and CR LF")
            << QByteArray("<TransferMode>\r\n  <Value> 1 </Value>\r\n</TransferMode>\r\n") << 1;
        QTest::newRow("unknown value") << QByteArray("<TransferMode>\n<Value>2</Value>\n") << 0;
        QTest::newRow("empty value") << QByteArray("<TransferMode>\n<Value></Value>\n") << 0;
    }

    void transferMode()
    {
        QFETCH(QByteArray, setup);
        QFETCH(int, mode);
        QTemporaryDir dir;
        QFile file(dir.filePath("Setup.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(setup);
        file.close();
        QCOMPARE(int(readTransferMode(file.fileName().toStdString())), mode);
        QCOMPARE(int(readTransferMode("/nonexistent/Setup.xml")), 0);
    }

    void transferConnections_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<int>("connections");
        QTest::newRow("absent") << QByteArray("<Setup>\n</Setup>\n") << 4;
        QTest::newRow("one") << QByteArray("<TransferConnections>\n<Value>1</Value>\n") << 1;
        QTest::newRow("eight, blanks and CR LF")
            << QByteArray("<TransferConnections>\r\n  <Value> 8 </Value>\r\n") << 8;
        QTest::newRow("zero") << QByteArray("<TransferConnections>\n<Value>0</Value>\n") << 4;
        QTest::newRow("nine") << QByteArray("<TransferConnections>\n<Value>9</Value>\n") << 4;
        QTest::newRow("two digits") << QByteArray("<TransferConnections>\n<Value>12</Value>\n") << 4;
        QTest::newRow("not a number") << QByteArray("<TransferConnections>\n<Value>many</Value>\n") << 4;
        QTest::newRow("empty value") << QByteArray("<TransferConnections>\n<Value></Value>\n") << 4;
    }

    void transferConnections()
    {
        QFETCH(QByteArray, setup);
        QFETCH(int, connections);
        QTemporaryDir dir;
        QFile file(dir.filePath("Setup.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(setup);
        file.close();
        QCOMPARE(readTransferConnections(file.fileName().toStdString(), 4), connections);
        QCOMPARE(readTransferConnections("/nonexistent/Setup.xml", 4), 4);
    }

    void contentRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("size");
        QTest::newRow("plain") << "bytes 100-199/200" << true << qint64(100) << qint64(199) << qint64(200);
        QTest::newRow("beyond 4 GiB") << "bytes 5000000000-5000000009/5000000010" << true
                                      << qint64(5000000000) << qint64(5000000009) << qint64(5000000010);
        QTest::newRow("size unknown") << "bytes 0-9/*" << true << qint64(0) << qint64(9) << qint64(-1);
        QTest::newRow("unsatisfied") << "bytes */200" << false << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("last before first")
            << "bytes 9-3/20" << false << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("last beyond size")
            << "bytes 0-200/200" << false << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("other unit") << "items 0-1/2" << false << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("trailing text") << "bytes 0-1/2x" << false << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("overflow") << "bytes 0-99999999999999999999/1" << false << qint64(-1) << qint64(-1)
                                  << qint64(-1);
    }

    void contentRange()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(qint64, size);
        ContentRange range;
        QCOMPARE(ContentRange::parse(text.toStdString(), range), ok);
        QCOMPARE(qint64(range.first), first);
        QCOMPARE(qint64(range.last), last);
        QCOMPARE(qint64(range.size), size);
    }

    void rateCoversTheLastTwoSeconds()
    {
        using std::chrono::milliseconds;
        RateWindow window;
        const auto start = RateWindow::Clock::time_point{} + std::chrono::hours(1);
        QCOMPARE(window.add(start, 0), std::int64_t(0));
        // One second at 1 MB/s, then four seconds at 100 kB/s.
        std::int64_t received = 0;
        std::int64_t rate = 0;
        for (int tick = 1; tick <= 10; ++tick)
            rate = window.add(start + milliseconds(100 * tick), received += 100000);
        QCOMPARE(rate, std::int64_t(1000000));
        for (int tick = 11; tick <= 50; ++tick)
            rate = window.add(start + milliseconds(100 * tick), received += 10000);
        QCOMPARE(rate, std::int64_t(100000)); // the fast second has left the window
        // A stall brings it down to nothing within two seconds.
        for (int tick = 51; tick <= 71; ++tick)
            rate = window.add(start + milliseconds(100 * tick), received);
        QCOMPARE(rate, std::int64_t(0));
    }

    void sha256MatchesKnownDigests()
    {
        Sha256 hash;
        QCOMPARE(hash.hexDigest(),
                 std::string("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
        hash.reset();
        hash.add("a", 1);
        hash.add("bc", 2); // pieces hash as the whole
        QCOMPARE(hash.hexDigest(),
                 std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
        QCOMPARE(Sha256::normalise(std::string(64, 'A')), std::string(64, 'a'));
        QCOMPARE(Sha256::normalise(std::string(63, 'a')), std::string());
        QCOMPARE(Sha256::normalise(std::string(63, 'a') + "g"), std::string());
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
