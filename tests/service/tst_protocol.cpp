// Reading request bodies and Setup.xml, writing replies, reading package
// indexes: the text formats the service shares with its peers.
#include "downloadpath.h"
#include "packagedownloader.h"
#include "protocol.h"
#include "versionquery.h"

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
            << QByteArray(R"({"method":3,"urls":[{"url":"b.zip","unzipDir":"/d/"},{"url":"a.zip","unzipDir":""}]})")
            << 3 << Entries{{"b.zip", "/d/"}, {"a.zip", ""}};
        QTest::newRow("duplicates are kept")
            << QByteArray(R"({"method":1,"urls":[{"url":"x"},{"url":"x"}]})") << 1 << Entries{{"x", ""}, {"x", ""}};
        QTest::newRow("missing members read empty")
            << QByteArray(R"({"method":4,"urls":[{}, 7, {"unzipDir":"d"}]})") << 4
            << Entries{{"", ""}, {"", ""}, {"", "d"}};
        QTest::newRow("no urls") << QByteArray(R"({"method":4})") << 4 << Entries{};
        QTest::newRow("urls not an array") << QByteArray(R"({"method":4,"urls":"x"})") << 4 << Entries{};
        QTest::newRow("comments allowed") << QByteArray("{/* c */\"method\":9}") << 9 << Entries{};
        QTest::newRow("not json") << QByteArray("method=4") << 0 << Entries{};
        QTest::newRow("top level array") << QByteArray("[1,2]") << 0 << Entries{};
        QTest::newRow("top level number") << QByteArray("4") << 0 << Entries{};
        QTest::newRow("method is text") << QByteArray(R"({"method":"4","urls":[{"url":"x"}]})") << 0 << Entries{};
        QTest::newRow("method too large") << QByteArray(R"({"method":99999999999,"urls":[]})") << 0 << Entries{};
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
        const std::string expected = "{\n\t\"method\" : 4,\n\t\"urlsToValue\" : \n\t[\n"
                                     "\t\t{\n\t\t\t\"url\" : \"B\",\n\t\t\t\"value\" : \"0\"\n\t\t},\n"
                                     "\t\t{\n\t\t\t\"url\" : \"b\",\n\t\t\t\"value\" : \"55\"\n\t\t},\n"
                                     "\t\t{\n\t\t\t\"url\" : \"\\u5de5.zip\",\n\t\t\t\"value\" : \"200\"\n\t\t}\n"
                                     "\t]\n}\n";
        QCOMPARE(protocol::buildReply(4, values), expected);
    }

    void emptyReplyHasNull()
    {
        QCOMPARE(protocol::buildReply(4, {}), std::string("{\n\t\"method\" : 4,\n\t\"urlsToValue\" : null\n}\n"));
    }

    void latestVersion_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QString>("version");
        QTest::newRow("last wins, not the highest")
            << QByteArray(R"({"app":[{"version":"1.0"},{"version":"1.2"},{"version":"1.1"}]})") << "1.1";
        QTest::newRow("last element without version")
            << QByteArray(R"({"app":[{"version":"1.0.0.1"},{"version":"1.0.0.2"},{"name":"x"}]})") << "1.0.0.2";
        QTest::newRow("no app") << QByteArray(R"({"apps":[]})") << "";
        QTest::newRow("app not an array") << QByteArray(R"({"app":{"version":"1"}})") << "";
        QTest::newRow("version not text") << QByteArray(R"({"app":[{"version":"2.0"},{"version":3}]})") << "2.0";
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
        QCOMPARE(versionquery::indexUrl("http://h", CheckManagerVersion),
                 std::string("http://h/4200/tool/windows/gearloft/package.json"));
        QCOMPARE(versionquery::indexUrl("http://h/", CheckMaterialVersion),
                 std::string("http://h//4200/tool/windows/material/package.json"));
    }

    void metadataUrlReplacesEveryZip()
    {
        QCOMPARE(PackageDownloader::metadataUrl("https://h/a/tool.zip"), std::string("https://h/a/tool.json"));
        QCOMPARE(PackageDownloader::metadataUrl("http://h/x.zip/t.zip"), std::string("http://h/x.json/t.json"));
    }

    void downloadPath_data()
    {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QString>("path");
        QTest::newRow("client layout")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n<Translator>\n<Value>1</Value>\n"
                          "</Translator>\n<DownloadPath>\n<Value>/home/u/Download</Value>\n</DownloadPath>\n</Setup>\n")
            << "/home/u/Download";
        QTest::newRow("indented value keeps its blanks")
            << QByteArray("<S>\n<DownloadPath>\n  <Value>/d</Value>\n</DownloadPath>\n</S>\n") << "  /d";
        QTest::newRow("no DownloadPath") << QByteArray("<S>\n<Skin>\n<Value>1</Value>\n</Skin>\n</S>\n") << "";
        QTest::newRow("empty value") << QByteArray("<S>\n<DownloadPath>\n<Value></Value>\n</DownloadPath>\n</S>") << "";
        QTest::newRow("first one counts")
            << QByteArray("<DownloadPath>\n<Value>/a</Value>\n<DownloadPath>\n<Value>/b</Value>\n") << "/a";
        QTest::newRow("windows line ends") << QByteArray("<S>\r\n<DownloadPath>\r\n<Value>/w</Value>\r\n") << "/w";
        QTest::newRow("chinese folder")
            << QByteArray("<DownloadPath>\n<Value>/home/u/\xe5\xb7\xa5\xe5\x85\xb7</Value>\n") << "/home/u/工具";
        QTest::newRow("escaped characters")
            << QByteArray("<DownloadPath>\n<Value>/t/A &amp; B &lt;1&gt; &#x5de5;</Value>\n") << "/t/A & B <1> 工";
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
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
