// Streamed downloads against a misbehaving file host: one request per
// package, resumes that complete the file byte for byte, a package that
// changes between tries, cancels, progress figures, a full disk, and the
// checksum check in both transfer modes; and the same over several
// connections, one part of the package each.
#include "packagedownloader.h"
#include "packageserver.h"
#include "servicetestkit.h"
#include "wirelink/wirelink.h"

#include <QCryptographicHash>
#include <QSet>
#include <QtTest>
#include <thread>

using fixtures::Fault;
using fixtures::PackageServer;
using haulmoor::PackageDownloader;
using haulmoor::ProgressCell;
using haulmoor::TransferMode;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(fixtures::Fault)
Q_DECLARE_METATYPE(haulmoor::TransferMode)

namespace {

QByteArray patterned(qint64 size, int seed = 0)
{
    QByteArray data(static_cast<int>(size), Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[static_cast<int>(i)] = static_cast<char>((i * 131 + i / 7 + seed) & 0xff);
    return data;
}

QByteArray sha256Of(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray metadata(const QByteArray& data, const QByteArray& sha256 = {})
{
    QByteArray json = "{\"package_size\": " + QByteArray::number(data.size());
    if (!sha256.isNull())
        json += ", \"sha256\": \"" + sha256 + "\"";
    return json + "}";
}

QString jsonPath(QString path)
{
    return path.replace(QStringLiteral(".zip"), QStringLiteral(".json"));
}

// First byte asked for by a "bytes=N-" header.
qint64 rangeStart(const QByteArray& range)
{
    return range.mid(6, range.indexOf('-') - 6).toLongLong();
}

// Packages at least this large are split in the tests that split them.
constexpr qint64 kSmallSplit = 64 * 1024;
// A package in four parts of 200000 bytes.
constexpr qint64 kSplitSize = 800000;

} // namespace

class TestStreamedDownload : public QObject
{
    Q_OBJECT

private:
    PackageServer m_server;
    QTemporaryDir m_unpacker;
    std::unique_ptr<QTemporaryDir> m_work;
    std::shared_ptr<ProgressCell> m_cell;
    std::mutex m_lock;
    std::mutex m_pausesLock;
    QList<qint64> m_pauses;
    std::function<void()> m_onPause; // runs on the download's thread at each pause
    TransferMode m_mode = TransferMode::Stream;
    bool m_usePauseHook = true;
    qint64 m_segmentThreshold = 0; // 0: the service's own
    // With a small threshold: all connections join once the first answer is
    // in, so parts begin at fixed bytes; else the service's own rule.
    milliseconds m_longLink{0};
    std::vector<milliseconds> m_resumePauses = PackageDownloader::defaultResumePauses();

    QString downloadDir() const { return m_work->path() + QStringLiteral("/SubTools/"); }
    QString unzipDir() const { return m_work->path() + QStringLiteral("/Unzip/SubTools/"); }

    void publish(const QString& path, const QByteArray& data, const QByteArray& sha256 = {})
    {
        m_server.addFile(path, data);
        m_server.addFile(jsonPath(path), metadata(data, sha256));
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
            downloader.setTransferMode(m_mode);
            downloader.setStallTimeout(milliseconds(300));
            downloader.setResumePauses(m_resumePauses);
            if (m_segmentThreshold > 0) {
                downloader.setSegmentThreshold(m_segmentThreshold);
                downloader.setLongLink(m_longLink);
            }
            if (m_usePauseHook) {
                downloader.setPauseFunction([this](milliseconds pause) {
                    {
                        std::lock_guard<std::mutex> guard(m_pausesLock);
                        m_pauses.append(pause.count());
                    }
                    if (m_onPause)
                        m_onPause();
                    return true;
                });
            }
            downloader.download();
        });
    }

    int download(const QString& url)
    {
        startDownload(url).join();
        return cell().value;
    }

    ProgressCell cell()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return *m_cell;
    }

    void requestCancel()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_cell->value = 0;
        m_cell->cancelRequested = 1;
    }

    QList<qint64> pauses()
    {
        std::lock_guard<std::mutex> guard(m_pausesLock);
        return m_pauses;
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

    QByteArray received() const
    {
        QFile file(unzipDir() + QStringLiteral("received.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool packageFileLeft() const { return !servicetest::entriesIn(downloadDir()).isEmpty(); }

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
        m_server.setSendEtags(true);
        m_pauses.clear();
        m_onPause = nullptr;
        m_mode = TransferMode::Stream;
        m_usePauseHook = true;
        m_resumePauses = PackageDownloader::defaultResumePauses();
        m_segmentThreshold = 0;
        m_longLink = milliseconds(0);
    }

    void oneRequestPerPackage_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("shorter than one range") << qint64(100000);
        QTest::newRow("several ranges' worth") << qint64(3 * 1024 * 1024 + 17);
    }

    void oneRequestPerPackage()
    {
        QFETCH(qint64, size);
        const QString path = QStringLiteral("/one/tool_%1.zip").arg(size);
        const QByteArray content = patterned(size);
        publish(path, content);
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        const auto requests = packageRequests(path);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().range, QByteArray("bytes=0-"));
        QVERIFY(!requests.first().hasHeader("If-Range"));
        QVERIFY(!packageFileLeft());
        // A final value carries no byte figures.
        QCOMPARE(cell().total, qint64(0));
    }

    void resumesCompleteTheFileByteForByte_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("minimumRequests");
        QTest::newRow("connection dropped every 100000 bytes") << Fault::truncate(100000).times(5) << 6;
        QTest::newRow("truncated final body") << Fault::truncate(500000).times(1) << 2;
        QTest::newRow("stall before any byte") << Fault::stall(0, 3000).times(1) << 2;
        QTest::newRow("stall mid-body") << Fault::stall(200000, 3000).times(1) << 2;
        QTest::newRow("no answer at all") << Fault::delay(3000).times(1) << 2;
        QTest::newRow("connection dropped before answering") << Fault::drop().times(2) << 3;
        QTest::newRow("server busy for a moment") << Fault::status(503).times(3) << 4;
        QTest::newRow("server ignores Range") << Fault::ignoreRange() << 1;
    }

    void resumesCompleteTheFileByteForByte()
    {
        QFETCH(Fault, fault);
        QFETCH(int, minimumRequests);
        const QString path =
            QStringLiteral("/resume/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        const QByteArray content = patterned(600000, 3);
        publish(path, content, sha256Of(content));
        m_server.setFault(path, fault);

        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);

        const auto requests = packageRequests(path);
        QVERIFY2(requests.size() >= minimumRequests, QByteArray::number(requests.size()));
        QCOMPARE(pauses().size(), requests.size() - 1);
        // Every resume asks for exactly what is missing, and only while the
        // package is the one begun.
        QByteArray validator;
        for (int i = 1; i < requests.size(); ++i) {
            const auto& request = requests.at(i);
            const qint64 start = rangeStart(request.range);
            QVERIFY(start >= rangeStart(requests.at(i - 1).range));
            if (start > 0) {
                QVERIFY(request.hasHeader("If-Range"));
                if (validator.isEmpty())
                    validator = request.header("If-Range");
                QCOMPARE(request.header("If-Range"), validator);
            } else {
                QVERIFY(!request.hasHeader("If-Range"));
            }
        }
        if (!validator.isEmpty())
            QVERIFY(validator.startsWith("\"v")); // the ETag the fixture gave
    }

    void serverBroughtBackCompletesTheDownload()
    {
        PackageServer own;
        QVERIFY(own.start());
        const quint16 port = own.port();
        const QString path = QStringLiteral("/restart/tool.zip");
        const QByteArray content = patterned(3000000, 4);
        own.addFile(path, content);
        own.addFile(jsonPath(path), metadata(content, sha256Of(content)));
        own.setFault(path, Fault::rate(1000000));
        m_usePauseHook = false;
        m_resumePauses = {milliseconds(200), milliseconds(400), milliseconds(800), milliseconds(1600),
                          milliseconds(3200)};
        auto worker = startDownload(own.url(path));
        QTRY_VERIFY_WITH_TIMEOUT(cell().received > 500000, 10000);
        own.stop();
        QTest::qWait(1000);
        QVERIFY(own.start(port)); // serving the same files as before
        worker.join();
        QCOMPARE(cell().value, 200);
        QVERIFY(received() == content);
        // Resumed where it broke, not started again.
        QList<QByteArray> ranges;
        for (const auto& record : own.log()) {
            if (record.path == path)
                ranges.append(record.range);
        }
        QCOMPARE(ranges.size(), 2);
        QVERIFY(rangeStart(ranges.last()) > 500000);
    }

    void resumeFallsBackOnLastModified()
    {
        const QString path = QStringLiteral("/lastmodified/tool.zip");
        const QByteArray content = patterned(400000, 5);
        publish(path, content);
        m_server.setSendEtags(false);
        m_server.setFault(path, Fault::truncate(150000).times(1));
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        const auto requests = packageRequests(path);
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(1).range, QByteArray("bytes=150000-"));
        QVERIFY(requests.at(1).header("If-Range").endsWith(" GMT"));
    }

    void changedPackageStartsAgainFromZero()
    {
        const QString path = QStringLiteral("/changed/tool.zip");
        const QByteArray before = patterned(500000, 1);
        const QByteArray after = patterned(450000, 2);
        publish(path, before, sha256Of(before));
        m_server.setFault(path, Fault::truncate(200000).times(1));
        m_onPause = [&] {
            if (pauses().size() == 1)
                publish(path, after, sha256Of(after));
        };
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == after);

        const auto requests = packageRequests(path);
        QVERIFY(requests.size() >= 3);
        QCOMPARE(requests.at(0).range, QByteArray("bytes=0-"));
        QCOMPARE(requests.at(1).range, QByteArray("bytes=200000-"));
        QVERIFY(requests.at(1).hasHeader("If-Range"));
        QCOMPARE(requests.last().range, QByteArray("bytes=0-"));
        QVERIFY(!requests.last().hasHeader("If-Range"));
        // The new package's size and checksum were read again.
        int metadataReads = 0;
        for (const auto& record : m_server.log()) {
            if (record.path != jsonPath(path))
                continue;
            ++metadataReads;
            QVERIFY(!record.hasHeader("Range"));
            QVERIFY(!record.hasHeader("If-Range"));
        }
        QCOMPARE(metadataReads, 2);
    }

    void givesUpAfterFiveFruitlessResumes_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<qint64>("threshold");
        QTest::newRow("connection always dropped") << Fault::drop() << qint64(0);
        QTest::newRow("always unavailable") << Fault::status(503) << qint64(0);
        QTest::newRow("always stalled") << Fault::stall(0, 2000) << qint64(0);
        // No more connections join a server that never answered.
        QTest::newRow("large, always unavailable") << Fault::status(503) << kSmallSplit;
    }

    void givesUpAfterFiveFruitlessResumes()
    {
        QFETCH(Fault, fault);
        QFETCH(qint64, threshold);
        m_segmentThreshold = threshold;
        const QString path =
            QStringLiteral("/dead/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        publish(path, patterned(threshold > 0 ? kSplitSize : 300000));
        m_server.setFault(path, fault);
        QCOMPARE(download(m_server.url(path)), -1);
        QCOMPARE(pauses(), (QList<qint64>{500, 1000, 2000, 4000, 8000}));
        QCOMPARE(packageRequests(path).size(), 6);
        QVERIFY(!packageFileLeft());
        QVERIFY(received().isEmpty());
        QCOMPARE(cell().total, qint64(0));
    }

    void progressResetsTheResumeCount()
    {
        // Seven breaks, each after some progress: never five fruitless in a row.
        const QString path = QStringLiteral("/longhaul/tool.zip");
        const QByteArray content = patterned(700000, 9);
        publish(path, content);
        m_server.setFault(path, Fault::truncate(90000).times(7));
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        QCOMPARE(pauses(), (QList<qint64>{500, 500, 500, 500, 500, 500, 500}));
    }

    void wrongAnswersAreNeverWritten_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("error page sent as 206") << Fault::status(206, "<html>busy</html>");
        QTest::newRow("206 longer than the package") << Fault::extraBytes(10);
        QTest::newRow("package missing") << Fault::status(404);
        QTest::newRow("forbidden") << Fault::status(403);
    }

    void wrongAnswersAreNeverWritten()
    {
        QFETCH(Fault, fault);
        const QString path =
            QStringLiteral("/wrong/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        publish(path, patterned(300000));
        m_server.setFault(path, fault);
        QCOMPARE(download(m_server.url(path)), -1);
        QVERIFY(!packageFileLeft());
        QVERIFY(received().isEmpty());
        QCOMPARE(packageRequests(path).size(), 1); // no resume of a wrong answer
    }

    void cancelMidStream_data()
    {
        QTest::addColumn<qint64>("threshold");
        QTest::addColumn<int>("requests");
        QTest::newRow("one stream") << qint64(0) << 1;
        QTest::newRow("four parts") << kSmallSplit << 4;
    }

    void cancelMidStream()
    {
        QFETCH(qint64, threshold);
        QFETCH(int, requests);
        m_segmentThreshold = threshold;
        const QString path = QStringLiteral("/cancel/%1/tool.zip").arg(requests);
        publish(path, patterned(4000000));
        m_server.setFault(path, Fault::rate(400000 / requests));
        auto worker = startDownload(m_server.url(path));
        QTRY_VERIFY_WITH_TIMEOUT(cell().value >= 1, 10000);
        QVERIFY(cell().received > 0);
        QElapsedTimer timer;
        timer.start();
        requestCancel();
        worker.join();
        // Generous for a busy machine; the whole package would take ten seconds.
        QVERIFY2(timer.elapsed() < 2000, QByteArray::number(timer.elapsed()));
        const ProgressCell after = cell();
        QCOMPARE(after.value, 0);
        QCOMPARE(after.cancelRequested, 0);
        QCOMPARE(after.total, qint64(0));
        QVERIFY(!packageFileLeft());
        QVERIFY(received().isEmpty());
        QCOMPARE(packageRequests(path).size(), requests);
    }

    void cancelDuringAResumePause()
    {
        m_usePauseHook = false;
        m_resumePauses = {milliseconds(30000)};
        const QString path = QStringLiteral("/cancelpause/tool.zip");
        publish(path, patterned(300000));
        m_server.setFault(path, Fault::drop());
        auto worker = startDownload(m_server.url(path));
        QTRY_VERIFY(!packageRequests(path).isEmpty());
        QTest::qWait(200);
        QElapsedTimer timer;
        timer.start();
        requestCancel();
        worker.join();
        QVERIFY2(timer.elapsed() < 2000, QByteArray::number(timer.elapsed()));
        QCOMPARE(cell().value, 0);
        QCOMPARE(cell().cancelRequested, 0);
        QVERIFY(!packageFileLeft());
        QCOMPARE(packageRequests(path).size(), 1);
    }

    void progressFiguresWhileStreaming_data()
    {
        QTest::addColumn<qint64>("threshold");
        QTest::addColumn<int>("parts");
        QTest::newRow("one stream") << qint64(0) << 1;
        // The figures count the bytes of every part.
        QTest::newRow("four parts") << kSmallSplit << 4;
    }

    void progressFiguresWhileStreaming()
    {
        QFETCH(qint64, threshold);
        QFETCH(int, parts);
        m_segmentThreshold = threshold;
        const QString path = QStringLiteral("/figures/%1/tool.zip").arg(parts);
        const qint64 size = 2000000;
        publish(path, patterned(size));
        m_server.setFault(path, Fault::rate(1000000 / parts));
        QElapsedTimer timer;
        timer.start();
        auto worker = startDownload(m_server.url(path));
        QList<int> values{0};
        qint64 lastReceived = 0;
        qint64 bestRate = 0;
        bool figuresSeen = false;
        while (values.last() != 200 && timer.elapsed() < 20000) {
            const ProgressCell now = cell();
            if (now.value != values.last())
                values.append(now.value);
            if (now.total > 0) {
                figuresSeen = true;
                QCOMPARE(now.total, size);
                QVERIFY(now.received >= lastReceived);
                QVERIFY(now.received <= size);
                lastReceived = now.received;
                bestRate = std::max<qint64>(bestRate, now.rate);
            }
            QThread::msleep(2);
        }
        worker.join();
        QVERIFY(figuresSeen);
        QCOMPARE(values.last(), 200);
        for (int i = 1; i + 1 < values.size(); ++i)
            QVERIFY(values.at(i) > values.at(i - 1));
        // 100 only once the package is complete: it is followed by 200 alone.
        QCOMPARE(values.mid(values.size() - 2), (QList<int>{100, 200}));
        // Two seconds of streaming, a write at most every 100 ms.
        QVERIFY2(values.size() <= timer.elapsed() / 100 + 4, QByteArray::number(values.size()));
        QVERIFY2(bestRate > 250000 && bestRate < 4000000, QByteArray::number(bestRate));
    }

    // Faults strike within a part's first 16 KiB, which another connection
    // taking over half of it never takes.
    void partsCompleteTheFileByteForByte_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("minimumRequests");
        QTest::addColumn<qint64>("resumedAt"); // a request must begin here; -1: none
        QTest::newRow("no fault") << Fault() << 4 << qint64(-1);
        QTest::newRow("a part cut short")
            << Fault::truncate(10000).onRangeFrom(200000).times(1) << 5 << qint64(210000);
        QTest::newRow("four breaks") << Fault::truncate(10000).times(4) << 8 << qint64(-1);
        QTest::newRow("a part stalls")
            << Fault::stall(10000, 3000).onRangeFrom(400000).times(1) << 5 << qint64(410000);
        QTest::newRow("a part's server busy")
            << Fault::status(503).onRangeFrom(600000).times(2) << 6 << qint64(600000);
        QTest::newRow("a part's connection dropped")
            << Fault::drop().onRangeFrom(0).times(1) << 5 << qint64(0);
        // The other parts end first and take over halves of the first one.
        QTest::newRow("first part slowest") << Fault::rate(100000).onRangeFrom(0) << 5 << qint64(-1);
    }

    void partsCompleteTheFileByteForByte()
    {
        QFETCH(Fault, fault);
        QFETCH(int, minimumRequests);
        QFETCH(qint64, resumedAt);
        m_segmentThreshold = kSmallSplit;
        const QString path =
            QStringLiteral("/parts/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_').remove('\'');
        const QByteArray content = patterned(kSplitSize, 11);
        publish(path, content, sha256Of(content));
        m_server.setFault(path, fault);

        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        QVERIFY(!packageFileLeft());

        const auto requests = packageRequests(path);
        QVERIFY2(requests.size() >= minimumRequests, QByteArray::number(requests.size()));
        QSet<qint64> starts;
        QByteArray validator;
        for (const auto& request : requests) {
            // Every request names its part's end: nothing is fetched twice.
            QVERIFY2(!request.range.endsWith('-'), request.range.constData());
            starts.insert(rangeStart(request.range));
            if (!request.hasHeader("If-Range"))
                continue;
            if (validator.isEmpty())
                validator = request.header("If-Range");
            QCOMPARE(request.header("If-Range"), validator);
        }
        for (const qint64 first : {qint64(0), qint64(200000), qint64(400000), qint64(600000)})
            QVERIFY(starts.contains(first));
        if (resumedAt >= 0) {
            QVERIFY(starts.contains(resumedAt));
            if (resumedAt > 0)
                QVERIFY(validator.startsWith("\"v"));
        }
        if (QByteArray(QTest::currentDataTag()) == "first part slowest") {
            QVERIFY(std::any_of(starts.begin(), starts.end(),
                                [](qint64 first) { return first > 0 && first < 200000; }));
        }
    }

    void serverWithoutRangesGetsOneStream()
    {
        m_segmentThreshold = kSmallSplit;
        const QString path = QStringLiteral("/noranges/tool.zip");
        const QByteArray content = patterned(kSplitSize, 12);
        publish(path, content, sha256Of(content));
        m_server.setFault(path, Fault::ignoreRange());
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        // The whole package came with the first answer; nothing more was asked.
        const auto requests = packageRequests(path);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().range, QByteArray("bytes=0-199999"));
    }

    void connectionsJoinASlowStream_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("joined");
        QTest::newRow("fast") << Fault() << false;
        QTest::newRow("slow") << Fault::rate(300000) << true;
    }

    void connectionsJoinASlowStream()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, joined);
        m_segmentThreshold = kSmallSplit;
        m_longLink = milliseconds(60000); // decided by the stream's pace alone
        const QString path = QStringLiteral("/join/%1/tool.zip").arg(QTest::currentDataTag());
        const QByteArray content = patterned(1200000, 15);
        publish(path, content, sha256Of(content));
        m_server.setFault(path, fault);
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == content);
        const auto requests = packageRequests(path);
        QCOMPARE(requests.first().range, QByteArray("bytes=0-299999"));
        QSet<int> connections;
        for (const auto& request : requests)
            connections.insert(request.remotePort);
        // Alone, the first connection goes from part to part.
        QCOMPARE(connections.size() > 1, joined);
        QCOMPARE(requests.size() >= 4, true);
    }

    void changedPackageStartsAllPartsAgain()
    {
        m_segmentThreshold = kSmallSplit;
        const QString path = QStringLiteral("/partschanged/tool.zip");
        const QByteArray before = patterned(kSplitSize, 13);
        const QByteArray after = patterned(kSplitSize - 1000, 14);
        publish(path, before, sha256Of(before));
        m_server.setFault(path, Fault::truncate(10000).onRangeFrom(400000).times(1));
        m_onPause = [&] {
            if (pauses().size() == 1)
                publish(path, after, sha256Of(after));
        };
        QCOMPARE(download(m_server.url(path)), 200);
        QVERIFY(received() == after);
        int metadataReads = 0;
        for (const auto& record : m_server.log())
            metadataReads += record.path == jsonPath(path) ? 1 : 0;
        QCOMPARE(metadataReads, 2);
    }

    void diskFullFailsAndLeavesNothing_data()
    {
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<qint64>("threshold");
        QTest::newRow("streamed") << TransferMode::Stream << qint64(0);
        QTest::newRow("four parts") << TransferMode::Stream << kSmallSplit;
        QTest::newRow("ranges") << TransferMode::Ranges << qint64(0);
    }

    void diskFullFailsAndLeavesNothing()
    {
        QFETCH(TransferMode, mode);
        QFETCH(qint64, threshold);
        m_mode = mode;
        m_segmentThreshold = threshold;
        const QString path =
            QStringLiteral("/full/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        publish(path, patterned(600000));
        {
            const servicetest::FileSizeLimit full(200000);
            QCOMPARE(download(m_server.url(path)), -1);
        }
        QVERIFY(!packageFileLeft());
        QVERIFY(received().isEmpty());
        QCOMPARE(cell().total, qint64(0));
    }

    void checksum_data()
    {
        QTest::addColumn<TransferMode>("mode");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QByteArray>("sha256"); // "good": the right one
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<qint64>("threshold"); // 0: one stream
        for (const auto mode : {TransferMode::Stream, TransferMode::Ranges}) {
            const char* name = mode == TransferMode::Stream ? "streamed" : "ranges";
            for (const qint64 size : {qint64(50000), qint64(300000)}) {
                const QByteArray tag = QByteArray(name) + ", " + QByteArray::number(size) + " bytes";
                QTest::newRow(QByteArray(tag + ", matching").constData())
                    << mode << size << QByteArray("good") << 200 << QByteArray() << qint64(0);
                QTest::newRow(QByteArray(tag + ", upper case").constData())
                    << mode << size << QByteArray("GOOD") << 200 << QByteArray() << qint64(0);
                QTest::newRow(QByteArray(tag + ", mismatch").constData())
                    << mode << size << QByteArray(64, 'a') << -1 << QByteArray("Checksum mismatch: ")
                    << qint64(0);
            }
            QTest::newRow(QByteArray(QByteArray(name) + ", unreadable").constData())
                << mode << qint64(300000) << QByteArray("abc") << -1 << QByteArray("Unreadable checksum: ")
                << qint64(0);
        }
        // Four parts, hashed in file order whichever arrives first.
        QTest::newRow("four parts, matching")
            << TransferMode::Stream << kSplitSize << QByteArray("good") << 200 << QByteArray() << kSmallSplit;
        QTest::newRow("four parts, mismatch") << TransferMode::Stream << kSplitSize << QByteArray(64, 'a')
                                              << -1 << QByteArray("Checksum mismatch: ") << kSmallSplit;
    }

    void checksum()
    {
        QFETCH(TransferMode, mode);
        QFETCH(qint64, size);
        QFETCH(QByteArray, sha256);
        QFETCH(int, value);
        QFETCH(QByteArray, log);
        m_mode = mode;
        QFETCH(qint64, threshold);
        m_segmentThreshold = threshold;
        const QString path = QStringLiteral("/sum/%1/tool.zip")
                                 .arg(QString::fromLatin1(QTest::currentDataTag()))
                                 .replace(' ', '_')
                                 .replace(',', '_');
        const QByteArray content = patterned(size, 7);
        if (sha256 == "good")
            sha256 = sha256Of(content);
        else if (sha256 == "GOOD")
            sha256 = sha256Of(content).toUpper();
        publish(path, content, sha256);

        servicetest::StdoutCapture capture;
        const int result = download(m_server.url(path));
        const QByteArray output = capture.finish();

        QCOMPARE(result, value);
        if (value == 200) {
            QVERIFY(received() == content);
            QVERIFY(!output.contains("Checksum"));
            QVERIFY(cell().failure.empty());
        } else {
            // The client can tell a damaged package from a network failure.
            QCOMPARE(QString::fromStdString(cell().failure), QStringLiteral("checksum"));
            QVERIFY(received().isEmpty()); // nothing unpacked
            QVERIFY(!packageFileLeft());
            QVERIFY2(output.contains(log + m_server.url(path).toUtf8() + "\n"), output.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestStreamedDownload)
#include "tst_streameddownload.moc"
