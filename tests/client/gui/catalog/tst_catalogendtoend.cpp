// A catalog card against the installed service, wired as the main window
// wires it, with a file host serving a real package: download with
// progress, cancel, a failure and its retry, and opening the tool.
#include "catalog/subtoolwidget.h"
#include "catalog/tooldownloadwidget.h"
#include "catalog/toolswiget.h"
#include "catalog/tooslistwidget.h"
#include "catalogfixture.h"
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "loopback.h"
#include "packageserver.h"
#include "request/clientrequestmanager.h"
#include "request/installationsources.h"
#include "request/requestrouter.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>
#include <signal.h>

using namespace gearmart;

namespace {

constexpr int kLongWait = 30000;

// The tool's package as the publisher makes it: a folder named after the
// tool with its program and some payload, zipped.
QByteArray makePackage(const QString& toolName, int payloadBytes)
{
    QTemporaryDir stage;
    const QString folder = stage.filePath(toolName);
    if (!testcatalog::writeStayingTool(folder + QLatin1Char('/') + toolName))
        return {};
    QByteArray payload(payloadBytes, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(payload.data()), payloadBytes / 4);
    if (!testcatalog::writeFile(folder + QStringLiteral("/payload.bin"), payload))
        return {};
    QProcess zip;
    zip.setWorkingDirectory(stage.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-qr"), QStringLiteral("package.zip"), toolName});
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        return {};
    return testcatalog::read(stage.filePath(QStringLiteral("package.zip")));
}

} // namespace

class TestCatalogEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void cardDrivesTheRealService()
    {
        TipDialog::resetForTesting();
        fixtures::PackageServer cloud;
        QVERIFY(cloud.start());
        // A name of its own: the running check must see only this test's tool.
        const testcatalog::Tool tool = testcatalog::uniquelyNamedTool(2, QStringLiteral("Fetchling"));
        const QString name = tool.enName;
        const QByteArray package = makePackage(name, 3 * 1024 * 1024);
        QVERIFY(!package.isEmpty());
        const QString zipPath = QStringLiteral("/en/tools/%1/%1.zip").arg(name);
        const QString jsonPath = QStringLiteral("/en/tools/%1/%1.json").arg(name);
        cloud.addFile(zipPath, package);
        cloud.addFile(jsonPath, "{\"package_size\":" + QByteArray::number(package.size()) + "}");
        // Slow enough to watch the progress and to cancel in time.
        cloud.setFault(zipPath, fixtures::Fault::rate(600 * 1024));

        auto install = catalogtest::install(
            {tool}, {{QStringLiteral("EnServerAddress"), cloud.url(QStringLiteral("/en"))}});
        QVERIFY(install);
        QVERIFY(install->copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
        QVERIFY(install->startStandIn());
        const quint16 port = fixtures::loopback::pickFreePort();
        QProcess service;
        QVERIFY(install->startService(service, port));
        QTRY_VERIFY_WITH_TIMEOUT(fixtures::loopback::portAnswers(port), 10000);

        // The request layer as the main window builds and wires it.
        ClientRequestManager manager;
        manager.setMaxThreadCount(10);
        RequestRouter router(RequestTransport::over(&manager), installationSources());
        router.setPort(port);
        connect(&manager, &ClientRequestManager::signalRequestResult, &router,
                &RequestRouter::onSolveRequestResult);

        ToolTransfer transfers(&router);
        transfers.setPollInterval(200);
        ToolDownloadWidget page(&transfers);
        page.resize(1100, 700);
        page.show();
        SubToolWidget* card = page.listWidget()->toolsWidget()->card(2);
        QVERIFY(card);
        auto* bar = card->findChild<ProgressBar*>(QStringLiteral("progressBar"));
        auto button = [card](const char* objectName) {
            return card->findChild<QPushButton*>(QLatin1String(objectName));
        };
        const QString toolFolder = ToolLauncher::toolFolder(2);

        // Download: accepted, then progress on the bar.
        button("downLoadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, kLongWait);
        QCOMPARE(card->look(), SubToolWidget::Look::Downloading);
        QVERIFY(bar->value() < 99);

        // Cancel: the card rests, the service lets go of the download.
        button("cancelBtn")->click();
        QCOMPARE(card->look(), SubToolWidget::Look::NotInstalled);
        QTRY_VERIFY_WITH_TIMEOUT(router.inFlight().isEmpty(), kLongWait);
        // The service drops what it had received once its current range is in.
        const QDir subTools(ConfigManager::instance()->downloadPath() + QStringLiteral("/SubTools/"));
        QTRY_VERIFY_WITH_TIMEOUT(
            subTools.entryList({QStringLiteral(".haulmoor-*")}, QDir::Files | QDir::Hidden).isEmpty(),
            kLongWait);
        QVERIFY(!QFile::exists(toolFolder + QLatin1Char('/') + name));

        // A package that is not there: the failure shows on the card.
        cloud.setFault(jsonPath, fixtures::Fault::status(404).times(1));
        button("downLoadBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(card->look(), SubToolWidget::Look::Failed, kLongWait);
        QCOMPARE(bar->toolTip(), QStringLiteral("file not found."));

        // Retry: this time it arrives, is unpacked and the card turns to Open.
        cloud.setFault(zipPath, fixtures::Fault::rate(4 * 1024 * 1024));
        button("refreshBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(card->look(), SubToolWidget::Look::Installed, kLongWait);
        QVERIFY(!transfers.isPolling());
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, 1);
        QVERIFY(QFileInfo(toolFolder + QLatin1Char('/') + name).isExecutable());
        QCOMPARE(testcatalog::read(toolFolder + QStringLiteral("/payload.bin")).size(), 3 * 1024 * 1024);

        // Open: the unpacked program runs in its folder.
        button("OpenBtn")->click();
        const qint64 pid = card->launcher().launchedPid();
        QVERIFY(pid > 0);
        QTRY_COMPARE(testcatalog::read(toolFolder + QStringLiteral("/started.txt")).trimmed(),
                     toolFolder.toUtf8());
        QCOMPARE(testcatalog::processCwd(pid), toolFolder);
        ::kill(pid_t(pid), SIGKILL);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);

        service.kill();
        service.waitForFinished();
    }
};

QTEST_MAIN(TestCatalogEndToEnd)
#include "tst_catalogendtoend.moc"
