// The service in-process over real HTTP: queues, the dispatcher that takes
// one request per step, the progress table, cancel and the orderly end.
#include "packageserver.h"
#include "platform/stagingmarker.h"
#include "servicetestkit.h"
#include "wirelink/wirelink.h"

#include <QtTest>

#include <functional>
#include <thread>

using namespace servicetest;
using haulmoor::ProgressCell;

namespace {

// A request sent from a thread of its own. A plain thread and its join, not
// QtConcurrent: Qt's own locks are invisible to ThreadSanitizer.
class PostInThread
{
public:
    explicit PostInThread(std::function<Reply()> send)
        : m_thread([this, send = std::move(send)] { m_reply = send(); })
    {
    }
    ~PostInThread()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    Reply result()
    {
        m_thread.join();
        return m_reply;
    }

private:
    Reply m_reply;
    std::thread m_thread;
};

} // namespace

class TestServiceHost : public QObject
{
    Q_OBJECT

private:
    fixtures::PackageServer m_cloud;

private slots:
    void initTestCase()
    {
        NET_UTILS_Init();
        QVERIFY(m_cloud.start());
        m_cloud.addFile(QStringLiteral("/4200/tool/windows/gearloft/package.json"),
                        R"({"app":[{"version":"1.1.0.5"},{"version":"1.1.0.6"}]})");
    }

    // The packaged client names its per-user folder; only an absolute one
    // counts, and the variable is not passed on to the unpacker.
    void dataFolderComesFromTheClient_data()
    {
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<bool>("taken");
        QTest::newRow("absolute") << QByteArray("/srv/ann/.local/share/Gearloft") << true;
        QTest::newRow("relative") << QByteArray("share/Gearloft") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void dataFolderComesFromTheClient()
    {
        QFETCH(QByteArray, given);
        QFETCH(bool, taken);
        qputenv(haulmoor::ServiceOptions::kDataDirVariable, given);
        const haulmoor::ServiceOptions options = haulmoor::ServiceOptions::defaults();
        QVERIFY(!qEnvironmentVariableIsSet(haulmoor::ServiceOptions::kDataDirVariable));
        const std::string folder = taken ? given.toStdString() : options.moduleDir;
        QCOMPARE(options.dataFolder(), folder);
        const haulmoor::ServiceHost host(options);
        QCOMPARE(host.setupPath, folder + "/Setup.xml");
        QCOMPARE(host.moduleDir, options.moduleDir);
    }

    void urgentFirstAndOneRequestPerStep()
    {
        RunningHost running;
        QVERIFY(running.start());
        const quint16 port = running.port();
        const QString missing = m_cloud.url(QStringLiteral("/none/tool.zip"));

        QList<int> answered;
        std::mutex answeredMutex;
        auto send = [&](int method, const QString& url) {
            const Reply reply = post(port, method, {{url, QString()}});
            std::lock_guard<std::mutex> lock(answeredMutex);
            answered.append(reply.ok ? reply.method : -method);
        };
        std::thread version([&] { send(7, m_cloud.baseUrl()); });
        QTRY_COMPARE(running.host().queuedCount(), std::size_t(1));
        std::thread download([&] { send(3, missing); });
        QTRY_COMPARE(running.host().queuedCount(), std::size_t(2));
        std::thread progress([&] { send(4, missing); });
        QTRY_COMPARE(running.host().queuedCount(), std::size_t(3));

        running.gate().release();
        QTRY_COMPARE(running.host().queuedCount(), std::size_t(2));
        progress.join();
        QCOMPARE(running.host().queuedCount(), std::size_t(2)); // one step, one request
        running.gate().release();
        download.join();
        running.gate().release();
        version.join();
        QCOMPARE(answered, (QList<int>{4, 3, 7}));
        QCOMPARE(running.stop(), 0);
    }

    // The main program ended while requests waited: they are refused at
    // once instead of running into the listener's time-out.
    void endingRefusesWhatIsStillQueued()
    {
        RunningHost running;
        QVERIFY(running.start());
        PostInThread queued([&] { return post(running.port(), 4, {{QStringLiteral("u"), QString()}}); });
        QTRY_COMPARE(running.host().queuedCount(), std::size_t(1));
        running.endMainProgram();
        QTRY_VERIFY(running.host().ending() == haulmoor::ServiceHost::Ending::Drain);
        QCOMPARE(running.stop(), 0);
        const Reply refused = queued.result();
        QVERIFY(!refused.ok);
        QCOMPARE(refused.status, 503);
    }

    void progressAndCancelUseTheTable()
    {
        RunningHost running;
        QVERIFY(running.start());
        running.gate().open();
        const QString url = QStringLiteral("http://cloud/never/asked.zip");

        const Reply first = post(running.port(), 4, {{url, QString()}});
        QVERIFY(first.ok);
        QCOMPARE(first.values.value(url), QStringLiteral("0"));
        QCOMPARE(running.host().progressTable.count(url.toStdString()), std::size_t(1));

        const Reply cancel = post(running.port(), 5, {{url, QString()}});
        QCOMPARE(cancel.values.value(url), QStringLiteral("0"));
        const ProgressCell cell = running.host().readCell(url.toStdString());
        QCOMPARE(cell.value, 0);
        QCOMPARE(cell.cancelRequested, 1);

        const Reply empty = post(running.port(), 4, {});
        QVERIFY(empty.ok);
        QCOMPARE(empty.method, 4);
        QVERIFY(empty.raw.contains("\"urlsToValue\" : null"));
        QCOMPARE(running.stop(), 0);
    }

    // Download, cancel, download again: one task, and the cancel withdrawn.
    void sameUrlAgainJoinsTheRunningTask()
    {
        RunningHost running;
        QVERIFY(running.start());
        running.gate().open();
        const QString path = QStringLiteral("/slow/tool.json");
        m_cloud.addFile(path, "{}");
        m_cloud.setFault(path, fixtures::Fault::delay(800));
        const QString url = m_cloud.url(QStringLiteral("/slow/tool.zip"));
        const Reply reply = post(running.port(), 3, {{url, QString()}, {url, QString()}});
        QVERIFY(reply.ok);
        QCOMPARE(reply.values.size(), 1);
        QCOMPARE(reply.values.value(url), QStringLiteral("0"));
        QVERIFY(post(running.port(), 5, {{url, QString()}}).ok);
        QVERIFY(post(running.port(), 3, {{url, QString()}}).ok);
        {
            std::lock_guard<std::mutex> lock(running.host().lock);
            QCOMPARE(running.host().handedOutCells.size(), std::size_t(1));
            QCOMPARE(running.host().progressTable.at(url.toStdString())->cancelRequested, 0);
        }
        // The metadata is unusable: the one task ends, not cancelled, at -1.
        QTRY_COMPARE(running.host().readCell(url.toStdString()).value, -1);
        QVERIFY(!running.host().readCell(url.toStdString()).running);
        m_cloud.clearFault(path);
        QCOMPARE(running.stop(), 0);
    }

    void unusableBodiesAreDroppedAndServingGoesOn_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("unknown method") << QByteArray(R"({"method":9,"urls":[{"url":"x"}]})");
        QTest::newRow("array") << QByteArray("[4]");
        QTest::newRow("method as text") << QByteArray(R"({"method":"4","urls":[]})");
        QTest::newRow("not json") << QByteArray("hello");
    }

    void unusableBodiesAreDroppedAndServingGoesOn()
    {
        QFETCH(QByteArray, body);
        RunningHost running;
        QVERIFY(running.start());
        running.gate().open();
        PostInThread dropped([&] { return postRaw(running.port(), body); });
        QTRY_VERIFY(running.host().queuedCount() == 0);
        const Reply good = post(running.port(), 4, {{QStringLiteral("u"), QString()}});
        QVERIFY(good.ok);
        QCOMPARE(good.values.value(QStringLiteral("u")), QStringLiteral("0"));
        const Reply bad = dropped.result(); // the listener gives up on it
        QVERIFY(!bad.ok);
        QVERIFY(bad.status < 200 || bad.status > 299);
        QCOMPARE(running.stop(), 0);
    }

    void versionQueryAnswersTheLastPublishedVersion()
    {
        RunningHost running;
        QVERIFY(running.start());
        running.gate().open();
        const Reply found = post(running.port(), 7, {{m_cloud.baseUrl(), QString()}});
        QCOMPARE(found.values.value(m_cloud.baseUrl()), QStringLiteral("1.1.0.6"));
        const Reply none = post(running.port(), 6, {{m_cloud.baseUrl(), QString()}});
        QVERIFY(none.ok);
        QCOMPARE(none.values.value(m_cloud.baseUrl()), QString());
        const auto log = m_cloud.log();
        QVERIFY(std::any_of(log.begin(), log.end(), [](const fixtures::RequestRecord& r) {
            return r.path == QStringLiteral("/4200/tool/windows/material/package.json");
        }));
        QCOMPARE(running.stop(), 0);
    }

    void endingRunsQueuedDownloadsFirst()
    {
        RunningHost running;
        writeFakeUnpacker(running.moduleDir());
        QVERIFY(running.start());
        running.gate().open();
        QTemporaryDir downloads;
        running.writeSetup(downloads.path());
        const QByteArray package(200000, 'p');
        m_cloud.addFile(QStringLiteral("/slow/tool.zip"), package);
        m_cloud.addFile(QStringLiteral("/slow/tool.json"), R"({"package_size":200000})");
        m_cloud.setFault(QStringLiteral("/slow/tool.zip"), fixtures::Fault::delay(300));
        const QString url = m_cloud.url(QStringLiteral("/slow/tool.zip"));
        const QString unzipDir = downloads.path() + QStringLiteral("/SubTools/");
        QVERIFY(post(running.port(), 3, {{url, unzipDir}}).ok);

        QCOMPARE(running.stop(), 0); // returns only once the download has run
        QCOMPARE(running.host().progressTable.at(url.toStdString())->value, 200);
        QFile received(unzipDir + QStringLiteral("received.bin"));
        QVERIFY(received.open(QIODevice::ReadOnly));
        QCOMPARE(received.readAll(), package);
        QCOMPARE(servicetest::entriesIn(unzipDir), QStringList{QStringLiteral("received.bin")});
        m_cloud.clearFaults();
    }

    void methodDirectories()
    {
        RunningHost running;
        // The main program's package holds its "Gearloft" folder.
        writeFakeUnpacker(running.moduleDir(), true, QStringLiteral("Gearloft"));
        QVERIFY(running.start());
        running.gate().open();
        m_cloud.addFile(QStringLiteral("/m/Material.zip"), QByteArray(1000, 'm'));
        m_cloud.addFile(QStringLiteral("/m/Material.json"), R"({"package_size":1000})");
        m_cloud.addFile(QStringLiteral("/g/Gearloft.zip"), QByteArray(1000, 'g'));
        m_cloud.addFile(QStringLiteral("/g/Gearloft.json"), R"({"package_size":1000})");
        const QString material = m_cloud.url(QStringLiteral("/m/Material.zip"));
        const QString manager = m_cloud.url(QStringLiteral("/g/Gearloft.zip"));
        QVERIFY(post(running.port(), 1, {{material, QStringLiteral("/ignored/")}}).ok);
        QVERIFY(post(running.port(), 2, {{manager, QStringLiteral("/ignored/")}}).ok);
        QTRY_COMPARE(running.host().readCell(material.toStdString()).value, 200);
        QTRY_COMPARE(running.host().readCell(manager.toStdString()).value, 200);
        QVERIFY(QFile::exists(running.moduleDir() + QStringLiteral("/ToolsFileTemp/Gearloft/received.bin")));
        QCOMPARE(servicetest::entriesIn(running.homeDir()), QStringList{QStringLiteral("Gearloft")});
        QVERIFY(QFile::exists(running.homeDir() + QStringLiteral("/Gearloft/received.bin")));
        QVERIFY(platform::isCompleteStaging(running.homeDir().toStdString() + "/Gearloft"));
        // The work folders went with the downloads.
        QCOMPARE(servicetest::entriesIn(running.moduleDir()), (QStringList{"ToolsFileTemp", "ZipUnzip"}));
        QVERIFY(!QFile::exists(QStringLiteral("/ignored")));
        QCOMPARE(running.stop(), 0);
    }
};

QTEST_GUILESS_MAIN(TestServiceHost)
#include "tst_servicehost.moc"
