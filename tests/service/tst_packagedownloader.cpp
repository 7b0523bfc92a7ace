// One package download against a misbehaving file host: metadata, the range
// sequence and its adaptive lengths, failures, cancel and the hand-over to
// the unpacker.
#include "packagedownloader.h"
#include "packageserver.h"
#include "servicetestkit.h"
#include "wirelink/wirelink.h"

#include <QtTest>
#include <thread>

using fixtures::Fault;
using fixtures::PackageServer;
using haulmoor::PackageDownloader;
using haulmoor::ProgressCell;

Q_DECLARE_METATYPE(fixtures::Fault)

namespace {

QByteArray patterned(qint64 size)
{
    QByteArray data(static_cast<int>(size), Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[static_cast<int>(i)] = static_cast<char>((i * 131 + i / 7) & 0xff);
    return data;
}

QByteArray metadata(qint64 size)
{
    return "{\"package_size\": " + QByteArray::number(size) + "}";
}

} // namespace

class TestPackageDownloader : public QObject
{
    Q_OBJECT

private:
    PackageServer m_server;
    QTemporaryDir m_unpacker;
    std::unique_ptr<QTemporaryDir> m_work;
    std::shared_ptr<ProgressCell> m_cell;
    std::mutex m_lock;

    QString downloadDir() const { return m_work->path() + QStringLiteral("/SubTools/"); }
    QString unzipDir() const { return m_work->path() + QStringLiteral("/Unzip/SubTools/"); }

    void publish(const QString& path, const QByteArray& data)
    {
        m_server.addFile(path, data);
        QString json = path;
        json.replace(QStringLiteral(".zip"), QStringLiteral(".json"));
        m_server.addFile(json, metadata(data.size()));
    }

    std::thread startDownload(const QString& url)
    {
        return std::thread([this, url] {
            PackageDownloader downloader;
            downloader.setUrl(url.toStdString());
            downloader.setChunkSize(PackageDownloader::kDefaultChunk);
            downloader.setDownloadDir(downloadDir().toStdString());
            downloader.setUnzipDir(unzipDir().toStdString());
            downloader.setCell(m_cell, &m_lock);
            downloader.setUnpackerDir(m_unpacker.path().toStdString());
            downloader.download();
        });
    }

    int download(const QString& url)
    {
        startDownload(url).join();
        return cellValue();
    }

    int cellValue()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_cell->value;
    }

    void requestCancel()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_cell->value = 0;
        m_cell->cancelRequested = 1;
    }

    QList<fixtures::RequestRecord> packageRequests(const QString& path) const
    {
        QList<fixtures::RequestRecord> result;
        for (const auto& record : m_server.log()) {
            if (record.path == path)
                result.append(record);
        }
        return result;
    }

    static QList<qint64> rangeLengths(const QList<fixtures::RequestRecord>& records)
    {
        QList<qint64> lengths;
        for (const auto& record : records) {
            const QList<QByteArray> bounds = record.range.mid(6).split('-');
            lengths.append(bounds.value(1).toLongLong() - bounds.value(0).toLongLong() + 1);
        }
        return lengths;
    }

    QByteArray received() const
    {
        QFile file(unzipDir() + QStringLiteral("received.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        NET_UTILS_Init();
        QVERIFY(m_server.start());
        servicetest::writeFakeUnpacker(m_unpacker.path());
    }

    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        m_cell = std::make_shared<ProgressCell>();
        m_server.clearFaults();
        m_server.clearLog();
    }

    void rangeSequence_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QStringList>("firstRanges");
        QTest::newRow("shorter than one range") << qint64(100000) << QStringList{};
        QTest::newRow("three ranges")
            << qint64(300000) << QStringList{"bytes=0-132767", "bytes=132768-265535", "bytes=265536-299999"};
        QTest::newRow("85 MiB starts four times larger")
            << qint64(85 * 1024 * 1024) << QStringList{"bytes=0-531071", "bytes=531072-1062143"};
        QTest::newRow("95 MiB grows from the normal size")
            << qint64(95 * 1024 * 1024)
            << QStringList{"bytes=0-132767", "bytes=132768-398303", "bytes=398304-929375",
                           "bytes=929376-1460447"};
    }

    void rangeSequence()
    {
        QFETCH(qint64, size);
        QFETCH(QStringList, firstRanges);
        const QString path = QStringLiteral("/seq/tool_%1.zip").arg(size);
        const QByteArray content = patterned(size);
        publish(path, content);
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        QCOMPARE(servicetest::entriesIn(downloadDir()), QStringList());

        const auto log = m_server.log();
        QCOMPARE(log.first().path, QString(path).replace(QStringLiteral(".zip"), QStringLiteral(".json")));
        const auto requests = packageRequests(path);
        if (firstRanges.isEmpty()) {
            QCOMPARE(requests.size(), 1);
            QVERIFY(!requests.first().hasHeader("Range"));
            return;
        }
        for (int i = 0; i < firstRanges.size(); ++i)
            QCOMPARE(QString::fromLatin1(requests.at(i).range), firstRanges.at(i));
        QCOMPARE(requests.last().header("Connection").toLower(), QByteArray("keep-alive"));
        for (const auto& request : requests)
            QCOMPARE(request.remotePort, requests.first().remotePort); // one connection throughout
        QVERIFY(!requests.first().hasHeader("Pragma"));
    }

    void percentagesChangeOncePerWholeNumber()
    {
        const QString path = QStringLiteral("/pct/tool.zip");
        publish(path, patterned(300000));
        m_server.setFault(path, Fault::delay(150));
        auto worker = startDownload(m_server.url(path));
        QList<int> seen{0};
        QElapsedTimer timer;
        timer.start();
        while (seen.last() != 200 && timer.elapsed() < 10000) {
            const int value = cellValue();
            if (value != seen.last())
                seen.append(value);
            QThread::msleep(2);
        }
        worker.join();
        QCOMPARE(seen, (QList<int>{0, 44, 88, 100, 200}));
    }

    void timeoutsHalveTheRangeUntilTheyGiveUp()
    {
        const QString path = QStringLiteral("/slow/tool.zip");
        publish(path, patterned(400000));
        m_server.setFault(path, Fault::status(408));
        QCOMPARE(download(m_server.url(path)), -1);
        QCOMPARE(rangeLengths(packageRequests(path)),
                 (QList<qint64>{132768, 66384, 33192, 16596, 8298, 4149, 2074}));
    }

    void oneTimeoutShrinksThenTheRangeGrowsBack()
    {
        const QString path = QStringLiteral("/hiccup/tool.zip");
        const QByteArray content = patterned(600000);
        publish(path, content);
        m_server.setFault(path, Fault::status(408).skipping(1).times(1));
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        QCOMPARE(rangeLengths(packageRequests(path)).mid(0, 4),
                 (QList<qint64>{132768, 132768, 66384, 132768}));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("metadataBody"); // empty: the real metadata
        QTest::addColumn<int>("metadataStatus");   // 0: served normally
        QTest::addColumn<Fault>("packageFault");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("packageAsked");
        const Fault none;
        QTest::newRow("metadata missing") << QString() << 404 << none << 404 << false;
        QTest::newRow("metadata server error") << QString() << 500 << none << -1 << false;
        QTest::newRow("metadata empty") << QStringLiteral(" ") << 0 << none << -1 << false;
        QTest::newRow("no package_size") << QStringLiteral("{\"size\":5}") << 0 << none << -1 << false;
        QTest::newRow("package_size zero")
            << QStringLiteral("{\"package_size\":0}") << 0 << none << -1 << false;
        QTest::newRow("package_size text")
            << QStringLiteral("{\"package_size\":\"9\"}") << 0 << none << -1 << false;
        QTest::newRow("range answered 500") << QString() << 0 << Fault::status(500).skipping(1) << -1 << true;
        QTest::newRow("server ignores Range") << QString() << 0 << Fault::ignoreRange() << -1 << true;
        QTest::newRow("200 of the asked length")
            << QString() << 0 << Fault::status(200, QByteArray(132768, 'Z')).skipping(1) << -1 << true;
        QTest::newRow("206 longer than asked") << QString() << 0 << Fault::extraBytes(10) << -1 << true;
        QTest::newRow("206 with nothing in it") << QString() << 0 << Fault::status(206, "") << -1 << true;
        QTest::newRow("206 always cut short")
            << QString() << 0 << Fault::truncate(0).skipping(1) << -1 << true;
    }

    void failures()
    {
        QFETCH(QString, metadataBody);
        QFETCH(int, metadataStatus);
        QFETCH(Fault, packageFault);
        QFETCH(int, value);
        QFETCH(bool, packageAsked);
        const QString path =
            QStringLiteral("/fail/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        const QByteArray content = patterned(500000);
        publish(path, content);
        const QString json = QString(path).replace(QStringLiteral(".zip"), QStringLiteral(".json"));
        if (!metadataBody.isEmpty())
            m_server.addFile(json, metadataBody.toUtf8());
        if (metadataStatus)
            m_server.setFault(json, Fault::status(metadataStatus));
        if (packageFault.kind != Fault::Kind::None)
            m_server.setFault(path, packageFault);

        QCOMPARE(download(m_server.url(path)), value);
        QVERIFY(received().isEmpty()); // nothing was handed to the unpacker
        // Whatever got as far as the disk is gone again.
        QCOMPARE(servicetest::entriesIn(downloadDir()), QStringList());
        QCOMPARE(packageRequests(path).isEmpty(), !packageAsked);
        // The idle-pass bound keeps a broken 206 from looping for ever.
        QVERIFY(packageRequests(path).size() <= PackageDownloader::kMaxIdlePasses + 2);
    }

    void brokenRangeIsAskedAgain()
    {
        const QString path = QStringLiteral("/cut/tool.zip");
        const QByteArray content = patterned(400000);
        publish(path, content);
        m_server.setFault(path, Fault::truncate(1000).skipping(1).times(1));
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        const auto requests = packageRequests(path);
        QCOMPARE(requests.at(1).range, requests.at(2).range);
    }

    void secureUrlsAskCachesToRevalidate_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("headers");
        QTest::newRow("https in the URL") << QStringLiteral("/https://mirror/a/tool.zip") << true;
        QTest::newRow("plain http") << QStringLiteral("/plain/a/tool.zip") << false;
    }

    void secureUrlsAskCachesToRevalidate()
    {
        QFETCH(QString, path);
        QFETCH(bool, headers);
        publish(path, patterned(200000));
        QCOMPARE(download(m_server.url(path)), 200);
        const auto log = m_server.log();
        QVERIFY(!log.isEmpty());
        for (const auto& record : log) {
            QCOMPARE(record.hasHeader("Pragma"), headers);
            if (headers) {
                QCOMPARE(record.header("Pragma"), QByteArray("public"));
                QCOMPARE(record.header("Cache-Control"),
                         QByteArray("must-revalidate, post-check=0, pre-check=0"));
            }
        }
    }

    void cancelDuringRangesDeletesThePartialFile()
    {
        const QString path = QStringLiteral("/cancel/tool.zip");
        publish(path, patterned(2000000));
        m_server.setFault(path, Fault::rate(400000));
        auto worker = startDownload(m_server.url(path));
        QTRY_VERIFY_WITH_TIMEOUT(cellValue() >= 1, 10000);
        requestCancel();
        worker.join();
        QCOMPARE(cellValue(), 0);
        QCOMPARE(m_cell->cancelRequested, 0);
        QCOMPARE(servicetest::entriesIn(downloadDir()), QStringList());
        QVERIFY(received().isEmpty());
    }

    void cancelCannotStopASingleRequest()
    {
        const QString path = QStringLiteral("/cancel/small.zip");
        const QByteArray content = patterned(50000);
        publish(path, content);
        m_server.setFault(path, Fault::delay(400));
        auto worker = startDownload(m_server.url(path));
        QTRY_VERIFY(!packageRequests(path).isEmpty());
        requestCancel();
        worker.join();
        QCOMPARE(cellValue(), 200);
        QVERIFY(received() == content);
    }

    void rangesBeyondTwoGiB_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<qint64>("last");
        QTest::newRow("middle") << qint64(3000000000) << qint64(5000000000) << 531072 << qint64(3000531071);
        QTest::newRow("tail") << qint64(4999999000) << qint64(5000000000) << 531072 << qint64(4999999999);
        QTest::newRow("small") << qint64(0) << qint64(10) << 132768 << qint64(9);
    }

    void rangesBeyondTwoGiB()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        QFETCH(int, chunk);
        QFETCH(qint64, last);
        const auto range = PackageDownloader::nextRange(received, total, chunk);
        QCOMPARE(qint64(range.first), received);
        QCOMPARE(qint64(range.second), last);
    }
};

QTEST_GUILESS_MAIN(TestPackageDownloader)
#include "tst_packagedownloader.moc"
