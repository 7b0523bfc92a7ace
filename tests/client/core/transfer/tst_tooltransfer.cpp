// The transfer model against the installed service, supervised as the
// window supervises it, and a file host: the states of a download and what
// its end writes, the reasons of failures, one poll for every running tool,
// cancel and restart in a row, and a service that dies under its downloads.
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "packageserver.h"
#include "platform/registry.h"
#include "request/clientrequestmanager.h"
#include "request/installationsources.h"
#include "request/requestrouter.h"
#include "request/servicesupervisor.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"
#include "tooldata/toolproductguids.h"
#include "tooldata/toolregistry.h"
#include "transfer/tooltransfer.h"
#include "transfer/transferfailure.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtTest>
#include <limits>

using namespace gearmart;
using Wording = TransferFailure::Wording;

namespace {

constexpr int kLongWait = 60000;

// A tool's package as its publisher makes it: the tool's folder with its
// program and a payload that does not compress, zipped.
QByteArray makePackage(const QString& name, int payloadBytes)
{
    QTemporaryDir stage;
    const QString folder = stage.filePath(name);
    QByteArray payload(payloadBytes, Qt::Uninitialized);
    QRandomGenerator(payloadBytes).fillRange(reinterpret_cast<quint32*>(payload.data()), payloadBytes / 4);
    if (!testcatalog::writeScript(folder + QLatin1Char('/') + name, "exit 0") ||
        !testcatalog::writeFile(folder + QStringLiteral("/payload.bin"), payload))
        return {};
    QProcess zip;
    zip.setWorkingDirectory(stage.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-qr"), QStringLiteral("package.zip"), name});
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        return {};
    return testcatalog::read(stage.filePath(QStringLiteral("package.zip")));
}

} // namespace

class TestToolTransfer : public QObject
{
    Q_OBJECT

private:
    fixtures::PackageServer m_cloud;
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    std::unique_ptr<ClientRequestManager> m_manager;
    std::unique_ptr<RequestRouter> m_router;
    std::unique_ptr<ToolTransfer> m_model;
    std::unique_ptr<ServiceSupervisor> m_supervisor;
    QMap<int, QByteArray> m_packages;
    QList<ClientRequest> m_progressRequests;
    QList<QPair<int, TransferState>> m_states; // (key, state) in the order announced

    QString zipPath(int key) const { return QStringLiteral("/en/tools/Tool%1/Tool%1.zip").arg(key); }
    QString jsonPath(int key) const { return QStringLiteral("/en/tools/Tool%1/Tool%1.json").arg(key); }

    // The package's metadata beside it, with its checksum or another.
    void publishMetadata(int key, const QByteArray& sha256)
    {
        m_cloud.addFile(jsonPath(key),
                        "{\"package_size\":" + QByteArray::number(m_packages.value(key).size()) +
                            ",\"sha256\":\"" + sha256 + "\"}");
    }
    QByteArray checksumOf(int key) const
    {
        return QCryptographicHash::hash(m_packages.value(key), QCryptographicHash::Sha256).toHex();
    }

    // Tools 2 .. 1 + count on the host, each paced to bytesPerSecond, and
    // the client's request layer on a supervised service.
    void start(int count, int payloadBytes, qint64 bytesPerSecond)
    {
        QList<testcatalog::Tool> tools;
        for (int key = 2; key < 2 + count; ++key) {
            tools << testcatalog::tool(key);
            m_packages.insert(key, makePackage(tools.last().enName, payloadBytes));
            QVERIFY(!m_packages.value(key).isEmpty());
            m_cloud.addFile(zipPath(key), m_packages.value(key));
            publishMetadata(key, checksumOf(key));
            m_cloud.setFault(zipPath(key), fixtures::Fault::rate(bytesPerSecond));
        }
        m_install = std::make_unique<clienttest::ClientInstallation>();
        // Streamed transfers: the mode that reports bytes and rate.
        m_install->writeSetup({{QStringLiteral("EnServerAddress"), m_cloud.url(QStringLiteral("/en"))},
                               {QStringLiteral("TransferMode"), QStringLiteral("1")}});
        QVERIFY(testcatalog::writeCatalog(*m_install, tools));
        testcatalog::writeStates(*m_install, {});
        QVERIFY(m_install->loadSingletons());
        QVERIFY(m_install->copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
        QVERIFY(m_install->startStandIn());

        m_manager = std::make_unique<ClientRequestManager>();
        m_manager->setMaxThreadCount(10);
        ClientRequestManager* manager = m_manager.get();
        RequestTransport transport{[this, manager](const ClientRequest& request) {
            if (request.method == DownloadProgress)
                m_progressRequests << request;
            manager->send(request);
        }};
        m_router = std::make_unique<RequestRouter>(transport, installationSources());
        m_router->setHolding(true);
        connect(manager, &ClientRequestManager::signalRequestResult, m_router.get(),
                &RequestRouter::onSolveRequestResult);
        m_model = std::make_unique<ToolTransfer>(m_router.get());
        m_model->setPollInterval(100);
        connect(m_model.get(), &ToolTransfer::signalTransfersChanged, this, [this](QVector<int> keys) {
            for (int key : keys)
                m_states << qMakePair(key, m_model->record(key).state);
        });

        m_supervisor = std::make_unique<ServiceSupervisor>(m_install->filePath(QStringLiteral("Haulmoor")));
        m_supervisor->setFirstRestartDelay(50);
        connect(m_supervisor.get(), &ServiceSupervisor::signalReady, this,
                [this](int port, QByteArray token) {
                    m_manager->setServiceToken(token);
                    m_router->setPort(port);
                });
        connect(m_supervisor.get(), &ServiceSupervisor::signalServiceLost, m_model.get(),
                &ToolTransfer::onServiceLost);
        m_supervisor->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_supervisor->isReady(), 10000);
    }

    QList<TransferState> statesOf(int key) const
    {
        QList<TransferState> states;
        for (const auto& [changed, state] : m_states) {
            if (changed == key && (states.isEmpty() || states.last() != state))
                states << state;
        }
        return states;
    }

    TransferState state(int key) const { return m_model->record(key).state; }
    bool allDone(const QList<int>& keys) const
    {
        return std::all_of(keys.cbegin(), keys.cend(),
                           [this](int key) { return state(key) == TransferState::Done; });
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<TransferState>();
        QVERIFY(m_cloud.start());
    }

    void cleanup()
    {
        m_supervisor.reset();
        m_model.reset();
        m_router.reset();
        m_manager.reset();
        m_install.reset();
        m_cloud.clearFaults();
        m_packages.clear();
        m_progressRequests.clear();
        m_states.clear();
    }

    void aDownloadRunsToTheInstalledTool()
    {
        start(1, 1024 * 1024, 384 * 1024);
        m_model->downloadTool(2);
        QCOMPARE(state(2), TransferState::Downloading);
        QTRY_VERIFY_WITH_TIMEOUT(m_model->record(2).percent > 0 && m_model->record(2).figures.isKnown(),
                                 kLongWait);
        const TransferRecord running = m_model->record(2);
        QCOMPARE(running.state, TransferState::Downloading);
        QVERIFY(running.percent < 100);
        QVERIFY(running.figures.received > 0);
        QCOMPARE(running.figures.total, qint64(m_packages.value(2).size()));

        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Done, kLongWait);
        const QList<TransferState> states = statesOf(2);
        QVERIFY(!states.contains(TransferState::Failed));
        QCOMPARE(states.first(), TransferState::Downloading);
        QVERIFY(!m_model->record(2).figures.isKnown());
        QVERIFY(!m_model->isPolling());

        // The end is written once, for every page: on disk, in the states
        // (saved) and in the uninstall registry.
        QVERIFY(QFileInfo(ToolDataManager::instance()->installFolder(2) + QStringLiteral("/Tool2")).isFile());
        const ToolState saved = ToolDataManager::instance()->toolStates().value(2);
        QCOMPARE(saved.IsDownload, 1);
        QCOMPARE(saved.IsNeedUpdate, 0);
        QCOMPARE(m_install->savedState(2, "CurrentVersion"), QByteArray("1.0.0.1"));
        QCOMPARE(m_install->savedState(2, "IsDownload"), QByteArray("1"));
        const platform::Registry registry(m_install->path() + QStringLiteral("/registry"));
        QVERIFY(registry.holdsValues(ToolRegistry::keyPath(ToolProductGuids::guid(2))));
    }

    void failuresAreNamed_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QStringList>("texts"); // card, details page, row
        const QString damaged =
            QStringLiteral("The package failed its integrity check (it was damaged or altered on the way) and was not installed.");
        QTest::newRow("damaged") << "checksum" << -1 << "checksum" << QStringList{damaged, damaged, damaged};
        QTest::newRow("not found") << "404" << 404 << ""
                                   << QStringList{"file not found.", "File not found.", "File not found."};
        QTest::newRow("folder others may change") << "folder" << -1 << "folder" << QStringList();
    }

    void failuresAreNamed()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(QString, reason);
        QFETCH(QStringList, texts);
        start(1, 256 * 1024, 4 * 1024 * 1024);
        const QString downloads = ConfigManager::instance()->downloadPath();
        QVERIFY(QDir().mkpath(downloads));
        if (fault == QLatin1String("checksum"))
            publishMetadata(2, QByteArray(64, 'a'));
        else if (fault == QLatin1String("404"))
            m_cloud.setFault(jsonPath(2), fixtures::Fault::status(404));
        else // writable by everyone, without the sticky bit
            QVERIFY(QFile::setPermissions(downloads, QFileDevice::Permissions(0x7777)));

        m_model->downloadTool(2);
        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Failed, kLongWait);
        const TransferRecord failed = m_model->record(2);
        QCOMPARE(failed.failureCode, code);
        QCOMPARE(failed.failureReason, reason);
        if (texts.isEmpty())
            texts = QVector<QString>(3, TransferFailure::reasonText(reason)).toList();
        QVERIFY(!texts.first().isEmpty());
        QCOMPARE(TransferFailure::text(failed, Wording::Card), texts.at(0));
        QCOMPARE(TransferFailure::text(failed, Wording::Details), texts.at(1));
        QCOMPARE(TransferFailure::text(failed, Wording::Row), texts.at(2));
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, 0);

        // Put right, the retry installs and the reason is gone.
        m_cloud.clearFaults();
        publishMetadata(2, checksumOf(2));
        QVERIFY(QFile::setPermissions(downloads, QFileDevice::Permissions(0x7700)));
        m_model->downloadTool(2);
        QCOMPARE(m_model->record(2).failureReason, QString());
        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Done, kLongWait);
    }

    // The words every view uses for a failure's code; a reason the service
    // or the client gave outranks the code.
    void failureWordings_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QStringList>("texts"); // card, details page, row
        const auto same = [](const QString& text) { return QStringList{text, text, text}; };
        const QString anomaly = QStringLiteral("network abnomaly");
        const QString anomalyFixed = QStringLiteral("network anomaly");
        QTest::newRow("-1") << -1 << "" << same("connect to network failed.");
        QTest::newRow("110") << 110 << "" << same("connect to network timeout.");
        QTest::newRow("140") << 140 << "" << same("network initial failed.");
        QTest::newRow("400") << 400 << "" << same("save failed.");
        QTest::newRow("130 no url") << 130 << ""
                                    << QStringList{"connect to network failed.", "connect to network failed.",
                                                   anomalyFixed};
        QTest::newRow("200 answering the request")
            << 200 << "" << QStringList{"connect to network failed.", "connect to network failed.", anomalyFixed};
        QTest::newRow("unknown") << 999 << "" << QStringList{anomaly, anomalyFixed, anomalyFixed};
        QTest::newRow("no number") << std::numeric_limits<int>::min() << ""
                                   << QStringList{anomaly, anomalyFixed, anomalyFixed};
        QTest::newRow("reason outranks") << 404 << "folder"
                                         << same(TransferFailure::reasonText(QStringLiteral("folder")));
        QTest::newRow("unknown reason") << 110 << "newer" << same("connect to network timeout.");
    }

    void failureWordings()
    {
        QFETCH(int, code);
        QFETCH(QString, reason);
        QFETCH(QStringList, texts);
        QCOMPARE(TransferFailure::text(code, reason, Wording::Card), texts.at(0));
        QCOMPARE(TransferFailure::text(code, reason, Wording::Details), texts.at(1));
        QCOMPARE(TransferFailure::text(code, reason, Wording::Row), texts.at(2));
    }

    // One request a tick carries every running tool; the rest wait their
    // turn in the client, in the order they were asked for.
    void oneRequestPollsEveryRunningTool()
    {
        start(5, 512 * 1024, 256 * 1024);
        int ticks = 0;
        connect(&m_model->pollTimer(), &QTimer::timeout, this, [&ticks] { ++ticks; });
        m_model->download({2, 3, 4, 5, 6});
        QCOMPARE(state(2), TransferState::Downloading);
        QCOMPARE(state(5), TransferState::Waiting);
        QCOMPARE(state(6), TransferState::Waiting);
        QCOMPARE(m_router->waiting(), (QList<int>{5, 6}));

        QTRY_VERIFY_WITH_TIMEOUT(allDone({2, 3, 4, 5, 6}), kLongWait);
        QVERIFY(ticks > 0);
        QVERIFY2(
            m_progressRequests.size() <= ticks,
            qPrintable(QStringLiteral("%1 requests in %2 ticks").arg(m_progressRequests.size()).arg(ticks)));
        int widest = 0;
        for (const ClientRequest& request : qAsConst(m_progressRequests))
            widest = qMax(widest, request.urlToUnzipDir.size());
        QCOMPARE(widest, RequestRouter::kMaxDownloads);
        // Asked for and queued within one announcement, then started in turn.
        QCOMPARE(statesOf(6).first(), TransferState::Waiting);
        QVERIFY(statesOf(6).contains(TransferState::Downloading));
    }

    // The service joins a download already running and withdraws a pending
    // cancel; the model keeps every key's requests in order, so however
    // often the user changes their mind, the last word wins.
    void cancelAndRestartInARowEndsInstalled()
    {
        start(1, 2 * 1024 * 1024, 512 * 1024);
        m_model->downloadTool(2);
        QTRY_VERIFY_WITH_TIMEOUT(m_model->record(2).percent > 0, kLongWait);
        for (int round = 0; round < 12; ++round) {
            m_model->cancel(2);
            QCOMPARE(state(2), TransferState::Cancelling);
            if (round % 3 == 1)
                QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Idle, 10000);
            m_model->downloadTool(2);
            QCOMPARE(state(2), TransferState::Downloading);
            if (round % 3 == 2)
                QTest::qWait(30);
        }
        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Done, kLongWait);
        QVERIFY(!statesOf(2).contains(TransferState::Failed));
        QCOMPARE(
            testcatalog::read(ToolDataManager::instance()->installFolder(2) + QStringLiteral("/payload.bin"))
                .size(),
            2 * 1024 * 1024);
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, 1);
        QVERIFY(m_router->inFlight().isEmpty());
    }

    void aDeadServiceFailsItsTransfersAndTheNextDownloadWorks()
    {
        start(2, 1024 * 1024, 128 * 1024);
        m_model->download({2, 3});
        QTRY_VERIFY_WITH_TIMEOUT(m_model->record(2).percent > 0 && m_model->record(3).percent > 0, kLongWait);
        const qint64 firstPid = m_supervisor->process()->processId();
        m_supervisor->process()->kill();

        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Failed, kLongWait);
        QTRY_COMPARE_WITH_TIMEOUT(state(3), TransferState::Failed, kLongWait);
        for (int key : {2, 3}) {
            const TransferRecord lost = m_model->record(key);
            QCOMPARE(lost.failureReason, QString::fromLatin1(TransferFailure::kLostReason));
            QCOMPARE(
                TransferFailure::text(lost, Wording::Row),
                QStringLiteral("The download service stopped, and this download with it. Please try again."));
        }
        QVERIFY(!m_model->isPolling());

        QTRY_VERIFY_WITH_TIMEOUT(m_supervisor->isReady() && m_supervisor->process()->processId() != firstPid,
                                 10000);
        m_cloud.clearFaults();
        m_model->downloadTool(2);
        QTRY_COMPARE_WITH_TIMEOUT(state(2), TransferState::Done, kLongWait);
        QCOMPARE(state(3), TransferState::Failed);
    }
};

QTEST_MAIN(TestToolTransfer)
#include "tst_tooltransfer.moc"
