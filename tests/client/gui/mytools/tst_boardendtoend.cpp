// The update board against the installed service and a file host: a batch
// of more tools than the request layer lets download at once, all brought
// up to date, with the queue honoured and the state list written.
#include "boardfixture.h"
#include "loopback.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/toolboxtabwidget.h"
#include "mytools/toolboxwidget.h"
#include "mytools/tooldownloadedscene.h"
#include "mytools/toolupdatescene.h"
#include "mytools/updatetoolswidget.h"
#include "packageserver.h"
#include "request/clientrequestmanager.h"
#include "request/installationsources.h"
#include "request/requestrouter.h"
#include "transfer/tooltransfer.h"
#include "widgets/tipdialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

using namespace gearmart;

namespace {

constexpr int kLongWait = 60000;
constexpr int kTools = 5;

// The newer package of a tool: its folder with the program and a marker of
// the version inside, zipped.
QByteArray makePackage(const QString& toolName, const QByteArray& version)
{
    QTemporaryDir stage;
    const QString folder = stage.filePath(toolName);
    if (!testcatalog::writeScript(folder + QLatin1Char('/') + toolName, "exit 0") ||
        !testcatalog::writeFile(folder + QStringLiteral("/version.txt"), version) ||
        !testcatalog::writeFile(folder + QStringLiteral("/payload.bin"), QByteArray(256 * 1024, 'p')))
        return {};
    QProcess zip;
    zip.setWorkingDirectory(stage.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-qr"), QStringLiteral("package.zip"), toolName});
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        return {};
    return testcatalog::read(stage.filePath(QStringLiteral("package.zip")));
}

} // namespace

class TestBoardEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void batchUpdateBringsEveryToolUpToDate()
    {
        TipDialog::resetForTesting();
        fixtures::PackageServer cloud;
        QVERIFY(cloud.start());
        QList<testcatalog::Tool> tools;
        QList<boardtest::Installed> installed;
        for (int key = 2; key < 2 + kTools; ++key) {
            testcatalog::Tool tool = testcatalog::tool(key);
            tool.version = QStringLiteral("1.0.0.2");
            tools << tool;
            installed << boardtest::Installed{key, key, true};
            const QByteArray package = makePackage(tool.enName, "1.0.0.2");
            QVERIFY(!package.isEmpty());
            const QString zipPath = QStringLiteral("/en/tools/%1/%1.zip").arg(tool.enName);
            cloud.addFile(zipPath, package);
            cloud.addFile(QStringLiteral("/en/tools/%1/%1.json").arg(tool.enName),
                          "{\"package_size\":" + QByteArray::number(package.size()) + "}");
            // Slow enough that the first three are still running when the
            // batch is sent.
            cloud.setFault(zipPath, fixtures::Fault::rate(256 * 1024));
        }
        auto install = boardtest::install(
            tools, installed, {{QStringLiteral("EnServerAddress"), cloud.url(QStringLiteral("/en"))}});
        QVERIFY(install);
        QVERIFY(install->copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
        QVERIFY(install->startStandIn());
        const quint16 port = fixtures::loopback::pickFreePort();
        QProcess service;
        QVERIFY(install->startService(service, port));
        QTRY_VERIFY_WITH_TIMEOUT(fixtures::loopback::portAnswers(port), 10000);

        // The request layer and the board, wired as the main window wires them.
        ClientRequestManager manager;
        manager.setMaxThreadCount(10);
        RequestRouter router(RequestTransport::over(&manager), installationSources());
        router.setPort(port);
        connect(&manager, &ClientRequestManager::signalRequestResult, &router,
                &RequestRouter::onSolveRequestResult);

        ToolTransfer transfers(&router);
        transfers.setPollInterval(200);
        ToolBoxWidget board(&transfers);
        int mostInFlight = 0;
        connect(&router, &RequestRouter::signalDownloadingCount, this,
                [&mostInFlight](int count) { mostInFlight = qMax(mostInFlight, count); });
        QSignalSpy allUpgraded(&board, &ToolBoxWidget::signalAllToolUpgraded);
        board.resize(1034, 700);
        board.show();
        QCOMPARE(board.updateNumLabel()->text(), QString::number(kTools));

        board.tabWidget()->updateableToolButton()->click();
        UpdateToolsWidget* page = board.updateToolsWidget();
        page->batchUpdateButton()->click();
        QTest::mouseClick(page->checkAllBox(), Qt::LeftButton);
        QCOMPARE(board.updateScene()->checkedCount(), kTools);
        page->updateButton()->click();

        // Three go, the rest wait their turn.
        QCOMPARE(router.waiting(), (QList<int>{5, 6}));
        QCOMPARE(board.updateScene()->rowOf(5)->updateState(), UpdateStateWaiting);
        QCOMPARE(board.updateScene()->rowOf(6)->updateState(), UpdateStateWaiting);
        QCOMPARE(board.downloadedScene()->rowOf(6)->updateState(), UpdateStateWaiting);
        QCOMPARE(board.updateScene()->rowOf(2)->updateState(), UpdateStateUpdating);

        QTRY_COMPARE_WITH_TIMEOUT(board.updateCount(), 0, kLongWait);
        QVERIFY(mostInFlight <= RequestRouter::kMaxDownloads);
        QVERIFY(allUpgraded.count() > 0);
        QCOMPARE(page->stack()->currentIndex(), 0);
        for (int key = 2; key < 2 + kTools; ++key) {
            QCOMPARE(board.downloadedScene()->rowOf(key)->updateState(), UpdateStateUpToDate);
            const QString folder = ToolLauncher::toolFolder(key);
            QCOMPARE(testcatalog::read(folder + QStringLiteral("/version.txt")), QByteArray("1.0.0.2"));
            QCOMPARE(boardtest::savedElement(*install, key, "CurrentVersion"), QByteArray("1.0.0.2"));
            QCOMPARE(boardtest::savedElement(*install, key, "IsNeedUpdate"), QByteArray("0"));
        }
        QVERIFY(router.waiting().isEmpty());
        QCOMPARE(TipDialog::requestCountForTesting(), 0);

        service.kill();
        service.waitForFinished();
    }
};

QTEST_MAIN(TestBoardEndToEnd)
#include "tst_boardendtoend.moc"
