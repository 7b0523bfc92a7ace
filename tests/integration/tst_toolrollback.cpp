// Going back and skipping ahead with the real service: a tool installed and
// updated by the installed Haulmoor from a file host, then rolled back on
// disk and in the state files; a roll back cut off halfway or asked for
// while the tool runs changes nothing; a skipped update stays skipped across
// a restart until the catalog offers a newer one.
#include "clientinstallation.h"
#include "installed/installedtools.h"
#include "packageserver.h"
#include "request/clientrequestmanager.h"
#include "request/installationsources.h"
#include "request/requestrouter.h"
#include "request/servicesupervisor.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"

#include <QtTest>

using namespace gearmart;

namespace {

constexpr int kKey = 2;
constexpr int kLongWait = 60000;

// Two top-level entries, as packages that bring a data folder beside the
// tool's own have: both are replaced by an update and both must go back.
QByteArray makePackage(const QString& name, const QByteArray& version)
{
    QTemporaryDir stage;
    if (!testcatalog::writeScript(stage.filePath(name + QLatin1Char('/') + name), "exit 0") ||
        !testcatalog::writeFile(stage.filePath(name + QStringLiteral("/version.txt")), version) ||
        !testcatalog::writeFile(stage.filePath(name + QStringLiteral("Data/version.txt")), version))
        return {};
    QProcess zip;
    zip.setWorkingDirectory(stage.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-qr"), QStringLiteral("package.zip"), name, name + QStringLiteral("Data")});
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        return {};
    return testcatalog::read(stage.filePath(QStringLiteral("package.zip")));
}

} // namespace

class TestToolRollback : public QObject
{
    Q_OBJECT

private:
    fixtures::PackageServer m_cloud;
    clienttest::ClientInstallation m_install;
    testcatalog::Tool m_tool;
    std::unique_ptr<ClientRequestManager> m_manager;
    std::unique_ptr<RequestRouter> m_router;
    std::unique_ptr<ToolTransfer> m_model;
    std::unique_ptr<ServiceSupervisor> m_supervisor;

    QString subTools(const QString& name) const
    {
        return m_install.filePath(QStringLiteral("Download/SubTools/") + name);
    }
    QByteArray versionIn(const QString& entry) const
    {
        return testcatalog::read(subTools(entry + QStringLiteral("/version.txt")));
    }
    // Both entries of the tool hold this version, and both kept copies that.
    void verifyOnDisk(const QByteArray& installed, const QByteArray& kept) const
    {
        for (const QString& entry : QStringList{m_tool.enName, m_tool.enName + QStringLiteral("Data")}) {
            QCOMPARE(versionIn(entry), installed);
            QCOMPARE(versionIn(QLatin1Char('.') + entry + QStringLiteral(".previous")), kept);
        }
    }

    // The catalog offers this version; the client starts again and reads it.
    void publish(const QByteArray& version)
    {
        m_tool.version = QString::fromLatin1(version);
        const QByteArray package = makePackage(m_tool.enName, version);
        QVERIFY(!package.isEmpty());
        m_cloud.addFile(QStringLiteral("/en/tools/%1/%1.zip").arg(m_tool.enName), package);
        m_cloud.addFile(QStringLiteral("/en/tools/%1/%1.json").arg(m_tool.enName),
                        "{\"package_size\":" + QByteArray::number(package.size()) + "}");
        QVERIFY(testcatalog::writeCatalog(m_install, {m_tool}));
        restart();
    }
    void restart()
    {
        InstalledTools::resetInstanceForTest();
        QVERIFY(m_install.loadSingletons());
    }
    void install()
    {
        m_model->downloadTool(kKey);
        QTRY_COMPARE_WITH_TIMEOUT(m_model->record(kKey).state, TransferState::Done, kLongWait);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_cloud.start());
        m_install.writeSetup({{QStringLiteral("EnServerAddress"), m_cloud.url(QStringLiteral("/en"))}});
        // A name no other process has: the running check sees only ours.
        m_tool = testcatalog::uniquelyNamedTool(kKey, QStringLiteral("Rollback"));
        testcatalog::writeStates(m_install, {});
        publish("1.0.0.1");
        QVERIFY(m_install.copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
        QVERIFY(m_install.startStandIn());

        m_manager = std::make_unique<ClientRequestManager>();
        m_router =
            std::make_unique<RequestRouter>(RequestTransport::over(m_manager.get()), installationSources());
        m_router->setHolding(true);
        connect(m_manager.get(), &ClientRequestManager::signalRequestResult, m_router.get(),
                &RequestRouter::onSolveRequestResult);
        m_model = std::make_unique<ToolTransfer>(m_router.get());
        m_model->setPollInterval(100);
        m_supervisor = std::make_unique<ServiceSupervisor>(m_install.filePath(QStringLiteral("Haulmoor")));
        connect(m_supervisor.get(), &ServiceSupervisor::signalReady, this,
                [this](int port, QByteArray token) {
                    m_manager->setServiceToken(token);
                    m_router->setPort(port);
                });
        m_supervisor->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_supervisor->isReady(), 10000);
    }

    void cleanupTestCase()
    {
        InstalledTools::instance()->setStepCheckForTesting({});
        if (m_supervisor)
            m_supervisor->stop();
        m_install.stopStandIn();
    }

    // One story, in the order a user meets it.
    void updateRollBackAndSkip()
    {
        InstalledTools* installed = InstalledTools::instance();
        install();
        QCOMPARE(versionIn(m_tool.enName), QByteArray("1.0.0.1"));
        // A first install replaced nothing: there is nothing to go back to.
        QVERIFY(!installed->rollbackOffer(kKey).available);

        publish("1.0.0.2");
        installed = InstalledTools::instance();
        QVERIFY(ToolDataManager::instance()->updateOffered(kKey));
        install();
        verifyOnDisk("1.0.0.2", "1.0.0.1");
        QCOMPARE(installed->rollbackOffer(kKey).version, QStringLiteral("1.0.0.1"));
        QVERIFY(installed->rollbackOffer(kKey).available);

        // Cut off at the second entry: the first goes back where it was.
        int steps = 0;
        installed->setStepCheckForTesting([&steps] { return ++steps < 2; });
        QCOMPARE(installed->rollBack(kKey), InstalledTools::Rollback::Failed);
        installed->setStepCheckForTesting({});
        QCOMPARE(steps, 2);
        verifyOnDisk("1.0.0.2", "1.0.0.1");
        QCOMPARE(m_install.savedState(kKey, "CurrentVersion"), QByteArray("1.0.0.2"));

        // Not under a running tool.
        QProcess tool;
        const QString program = subTools(QStringLiteral(".run/") + m_tool.enName);
        QDir().mkpath(QFileInfo(program).path());
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));
        tool.start(program, {QStringLiteral("30")});
        QVERIFY(tool.waitForStarted());
        QCOMPARE(installed->rollBack(kKey), InstalledTools::Rollback::Running);
        tool.kill();
        tool.waitForFinished();
        verifyOnDisk("1.0.0.2", "1.0.0.1");

        QSignalSpy offers(installed, &InstalledTools::signalOffersChanged);
        QCOMPARE(installed->rollBack(kKey), InstalledTools::Rollback::RolledBack);
        QCOMPARE(offers.count(), 1);
        verifyOnDisk("1.0.0.1", "1.0.0.2");
        QCOMPARE(m_install.savedState(kKey, "CurrentVersion"), QByteArray("1.0.0.1"));
        QCOMPARE(m_install.savedState(kKey, "IsNeedUpdate"), QByteArray("1"));
        QVERIFY(!ToolDataManager::instance()->updateOffered(kKey));
        // Going "back" to the newer version would be an update.
        QVERIFY(!installed->rollbackOffer(kKey).available);

        // The skip is on disk: a new start keeps it.
        restart();
        QVERIFY(ToolDataManager::instance()->needsUpdate(kKey));
        QVERIFY(!ToolDataManager::instance()->updateOffered(kKey));
        QCOMPARE(InstalledTools::instance()->skippedTools(), QVector<int>{kKey});

        // ... until the catalog offers a newer version than the one skipped.
        publish("1.0.0.3");
        QVERIFY(ToolDataManager::instance()->updateOffered(kKey));
        QVERIFY(InstalledTools::instance()->skippedTools().isEmpty());
        QVERIFY(!testcatalog::read(m_install.filePath(QStringLiteral("ToolsLocalInfo.xml")))
                     .contains("SkippedVersion"));
    }
};

QTEST_MAIN(TestToolRollback)
#include "tst_toolrollback.moc"
