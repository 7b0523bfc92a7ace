// The main window with its real service: title bar and page switching,
// covers, the close confirmation, the update prompts and edge resizing.
#include "catalog/subtoolwidget.h"
#include "catalog/tooldownloadwidget.h"
#include "catalog/toolswiget.h"
#include "catalog/tooslistwidget.h"
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "mytools/toolboxwidget.h"
#include "mytools/tooldownloadedscene.h"
#include "panelcraft/coverwidget.h"
#include "request/requestrouter.h"
#include "shell/gearmart.h"
#include "shell/windowtitlewidget.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "update/updateversiondialog.h"
#include "widgets/tipdialog.h"

#include <QAccessible>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <signal.h>

using namespace gearmart;

class TestGearmart : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;

    static QByteArray testFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<Gearmart> makeWindow()
    {
        auto window = std::make_unique<Gearmart>();
        window->show();
        return window;
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup();
        m_install->writeCatalog();
        m_install->writeStateList();
        QVERIFY(m_install->loadSingletons());
        QVERIFY(m_install->startStandIn());
    }

    void cleanup()
    {
        QCOMPARE(TipDialog::requestCountForTesting(), 0); // no unexpected message
        m_install.reset();
    }

    void startsTheServiceAsItsChild()
    {
        auto window = makeWindow();
        // The port counts only once the service says it holds it.
        QCOMPARE(window->requestRouter()->port(), -1);
        QTRY_VERIFY(window->servicePort() >= 20008);
        QCOMPARE(window->requestRouter()->port(), window->servicePort());
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        QCOMPARE(window->serviceProcess()->arguments(), QStringList{QString::number(window->servicePort())});
        QCOMPARE(window->windowTitle(), QStringLiteral("Brelvonix Gearloft"));
        // Whole on a 1024 x 768 screen, with room for a panel.
        QCOMPARE(window->width(), 1024);
        QVERIFY(window->height() <= 768);
        QVERIFY(window->minimumWidth() <= 1024 && window->minimumHeight() <= 700);
        QCOMPARE(window->pages()->count(), 2); // two tabs; a details page comes when first opened
        QVERIFY(window->detailPages().isEmpty());
        window->serviceProcess()->disconnect(window.get());
    }

    void tabsSwitchPages()
    {
        auto window = makeWindow();
        QTest::mouseClick(window->titleBar()->myToolsButton(), Qt::LeftButton);
        QCOMPARE(window->pages()->currentIndex(), 1);
        QVERIFY(window->titleBar()->myToolsButton()->styleSheet().contains(QStringLiteral("#FA3239")));
        QVERIFY(!window->titleBar()->toolsDownButton()->styleSheet().contains(QStringLiteral("#FA3239")));
        QTest::mouseClick(window->titleBar()->toolsDownButton(), Qt::LeftButton);
        QCOMPARE(window->pages()->currentIndex(), 0);
        window->serviceProcess()->disconnect(window.get());
    }

    void catalogOpensDetailPagesAndHomePageReturns()
    {
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        emit window->catalogPage()->signalShowMoreInfoWidget(3);
        QCOMPARE(window->detailPages().keys(), QList<int>{3});
        QWidget* page = window->detailPages().value(3);
        QCOMPARE(window->pages()->currentWidget(), page);
        emit window->catalogPage()->signalShowMoreInfoWidget(77); // no such page: nothing changes
        emit window->catalogPage()->signalShowMoreInfoWidget(1);
        QCOMPARE(window->pages()->currentWidget(), page);
        QCOMPARE(window->detailPages().keys(), QList<int>{3});
        auto* home = window->detailPages().value(3)->findChild<QAbstractButton*>(QStringLiteral("goBackBtn"));
        QVERIFY(home);
        QTest::mouseClick(home, Qt::LeftButton);
        QCOMPARE(window->pages()->currentIndex(), 0);
        // Opened again: the same page.
        emit window->catalogPage()->signalShowMoreInfoWidget(3);
        QCOMPARE(window->pages()->currentWidget(), page);
        QCOMPARE(window->pages()->count(), 3);
    }

    void everyControlHasAnAccessibleName()
    {
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        QStringList unnamed;
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
            if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << button->objectName() + QLatin1Char('/') + button->metaObject()->className();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

        // A screen reader can press the tab by its name.
        QAccessibleInterface* tab =
            QAccessible::queryAccessibleInterface(window->titleBar()->myToolsButton());
        QCOMPARE(tab->text(QAccessible::Name), QStringLiteral("My Tools"));
        QVERIFY(tab->actionInterface());
        tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(window->pages()->currentIndex(), 1);
    }

    // The service's answers reach the one transfer model.
    void progressFiguresReachTheModel()
    {
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        const QString url = ToolDataManager::instance()->downloadAddress(2);
        QVERIFY(!url.isEmpty());
        window->transfers()->setPollInterval(60000);
        window->transfers()->downloadTool(2);
        const QString answer = QStringLiteral(R"({"method":%1,"urlsToValue":[{"url":"%2","value":"%3"%4}]})");
        window->onSolveRequestResult(0, answer.arg(3).arg(url, QStringLiteral("0"), QString()));
        window->onSolveRequestResult(
            0, answer.arg(4).arg(url, QStringLiteral("10"), QStringLiteral(R"(,"received":100,"total":1000,"rate":50)")));
        const TransferRecord record = window->transfers()->record(2);
        QCOMPARE(record.state, TransferState::Downloading);
        QCOMPARE(record.percent, 10);
        QCOMPARE(record.figures.received, qint64(100));
        QCOMPARE(record.figures.total, qint64(1000));
        QCOMPARE(record.figures.rate, qint64(50));
        window->serviceProcess()->disconnect(window.get());
    }

    void catalogWithoutToolsHasNoDetailPages()
    {
        m_install->writeCatalog(0);
        QVERIFY(m_install->loadSingletons());
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        QVERIFY(window->detailPages().isEmpty());
        QCOMPARE(window->pages()->count(), 2);
        emit window->catalogPage()->signalShowMoreInfoWidget(2);
        QCOMPARE(window->pages()->currentIndex(), 0);
    }

    void maximiseButtonFollowsTheWindowState()
    {
        auto window = makeWindow();
        QPushButton* max = window->titleBar()->maxButton();
        QTest::mouseClick(max, Qt::LeftButton);
        QTRY_VERIFY(window->isMaximized());
        QVERIFY(max->styleSheet().contains(QStringLiteral("ic_restore.png")));
        QTest::mouseClick(max, Qt::LeftButton);
        QTRY_VERIFY(!window->isMaximized());
        QVERIFY(max->styleSheet().contains(QStringLiteral("ic_max.png")));
        window->serviceProcess()->disconnect(window.get());
    }

    void declinedCloseKeepsEverything()
    {
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        TipDialog::setNextAnswerForTesting(0);
        QVERIFY(!window->onClose());
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("Are you sure close the software?"));
        QVERIFY(TipDialog::lastRequestForTesting().showCancel);
        QVERIFY(window->isVisible());
        QVERIFY(!window->cover()->isVisible());
        QCOMPARE(window->serviceProcess()->state(), QProcess::Running);
        TipDialog::resetForTesting();
        window->serviceProcess()->disconnect(window.get());
    }

    void closeEndsOpenedToolsOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("ended");
        QTest::newRow("keep them running") << "0" << false;
        QTest::newRow("close them") << "1" << true;
    }

    void closeEndsOpenedToolsOnlyWhenAsked()
    {
        QFETCH(QString, flag);
        QFETCH(bool, ended);
        QVERIFY(ConfigManager::instance()->set(ConfigKey::IsCloseOpenTools, flag));
        auto window = makeWindow();
        QVERIFY(testcatalog::writeStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        ToolLauncher launcher; // as a card or row does
        QVERIFY(launcher.launch(2));
        const qint64 pid = launcher.launchedPid();
        TipDialog::setNextAnswerForTesting(1);
        QVERIFY(window->onClose());
        if (ended)
            QTRY_VERIFY(testcatalog::processEnded(pid));
        else
            QVERIFY(!testcatalog::processEnded(pid));
        ::kill(pid_t(pid), SIGKILL);
        ToolLauncher::terminateAllLaunched();
        TipDialog::resetForTesting();
    }

    void confirmedCloseKillsTheServiceSilently()
    {
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        TipDialog::setNextAnswerForTesting(1);
        QVERIFY(window->onClose());
        QVERIFY(!window->isVisible());
        QCOMPARE(window->serviceProcess()->state(), QProcess::NotRunning);
        // Only the question was asked: no "connect to server fail" afterwards.
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        TipDialog::resetForTesting();
    }

    // Reported once, and a new service (new port, new secret) takes over.
    void serviceEndingUnexpectedlyIsReportedAndReplaced()
    {
        auto window = makeWindow();
        QTRY_VERIFY(window->servicePort() > 0); // listening, not merely started
        const qint64 firstPid = window->serviceProcess()->processId();
        QSignalSpy responded(window->requestRouter(), &RequestRouter::signalServerResponded);
        window->onBuildClientRequest(3, {2}); // a tool download, accepted
        QTRY_VERIFY(std::any_of(responded.begin(), responded.end(), [](const QList<QVariant>& arguments) {
            return arguments.at(0).toInt() == 3 &&
                   arguments.at(1).value<QMap<int, QString>>().value(2) == "0";
        }));
        TipDialog::setNextAnswerForTesting(1);
        window->serviceProcess()->kill();
        QTRY_COMPARE(TipDialog::requestCountForTesting(), 1);
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("connect to server fail"));
        QVERIFY(!TipDialog::lastRequestForTesting().showCancel);
        // The download under way is answered as failed.
        QVERIFY(std::any_of(responded.begin(), responded.end(), [](const QList<QVariant>& arguments) {
            return arguments.at(1).value<QMap<int, QString>>().value(2) == QLatin1String("-1");
        }));
        QTRY_VERIFY_WITH_TIMEOUT(window->serviceProcess()->state() == QProcess::Running &&
                                     window->serviceProcess()->processId() != firstPid &&
                                     window->requestRouter()->port() > 0,
                                 10000);
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        TipDialog::resetForTesting();
    }

    void coverFollowsTheWindow()
    {
        auto window = makeWindow();
        window->onSetCover(true);
        QVERIFY(window->cover()->isVisible());
        QVERIFY(window->cover()->isBlackCover());
        window->resize(1200, 800);
        QTRY_COMPARE(window->cover()->geometry(), window->rect());
        window->onSetCover(false);
        QVERIFY(!window->cover()->isVisible());
        window->serviceProcess()->disconnect(window.get());
    }

    void restartLaterKeepsTheStagedUpdate()
    {
        auto window = makeWindow();
        TipDialog::setNextAnswerForTesting(0);
        window->onStartUpdateGearloft();
        QVERIFY(window->updateDialog()->isVisible());
        window->updateDialog()->setProgress(100); // completes and asks
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Upgrade completed, restart software?"));
        QCOMPARE(TipDialog::lastRequestForTesting().okText, QStringLiteral("Restart Now"));
        QCOMPARE(TipDialog::lastRequestForTesting().cancelText, QStringLiteral("Restart Later"));
        QVERIFY(!window->updateDialog()->isVisible());
        QVERIFY(!window->cover()->isVisible());
        QCOMPARE(ConfigManager::instance()->needUpdateFlag(), 1);
        QFile setup(m_install->filePath(QStringLiteral("Setup.xml")));
        QVERIFY(setup.open(QIODevice::ReadOnly));
        QVERIFY(setup.readAll().contains("<IsNeedUpdate>\n<Value>1</Value>\n"));
        TipDialog::resetForTesting();
        window->serviceProcess()->disconnect(window.get());
    }

    void failedUpdateOffersAnotherTry_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("again");
        QTest::addColumn<QString>("reason"); // as the service gives it for the main program
        QTest::newRow("again") << 1 << true << QString();
        QTest::newRow("next") << 0 << false << QString();
        QTest::newRow("home folder not ours") << 0 << false << QStringLiteral("staging");
    }

    void failedUpdateOffersAnotherTry()
    {
        QFETCH(int, answer);
        QFETCH(bool, again);
        QFETCH(QString, reason);
        auto window = makeWindow();
        QSignalSpy reUpdate(window.get(), &Gearmart::signalReUpdate);
        window->transfers()->onTransferFailures({{ToolDataManager::kManagerKey, reason}});
        TipDialog::setNextAnswerForTesting(answer);
        window->onUpdateFailed();
        if (reason.isEmpty())
            QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("Upgrade fail, try again?"));
        else
            QVERIFY(TipDialog::lastRequestForTesting().text.contains(QStringLiteral("home folder")));
        QCOMPARE(reUpdate.size(), again ? 1 : 0);
        QCOMPARE(window->cover()->isVisible(), again);
        TipDialog::resetForTesting();
        window->serviceProcess()->disconnect(window.get());
    }

    void draggingStartsOnlyInTheTitleArea()
    {
        auto window = makeWindow();
        window->move(100, 100);
        const QPoint start = window->pos();
        auto drag = [&](QPoint from) {
            QMouseEvent press(QEvent::MouseButtonPress, from, window->mapToGlobal(from), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &press);
            const QPoint to = from + QPoint(40, 30);
            QMouseEvent move(QEvent::MouseMove, to, window->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(window.get(), &move);
            QMouseEvent release(QEvent::MouseButtonRelease, to, window->mapToGlobal(to), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &release);
        };
        drag(QPoint(300, 600)); // below the title area
        QCOMPARE(window->pos(), start);
        drag(QPoint(300, 30));
        QCOMPARE(window->pos(), start + QPoint(40, 30));
        window->serviceProcess()->disconnect(window.get());
    }

    void edgesForResizing_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("edges");
        const QSize size(1034, 768);
        QTest::newRow("inside") << QPoint(500, 400) << 0;
        QTest::newRow("left") << QPoint(4, 400) << int(Qt::LeftEdge);
        QTest::newRow("not the first column") << QPoint(0, 400) << 0;
        QTest::newRow("right") << QPoint(1030, 400) << int(Qt::RightEdge);
        QTest::newRow("right outside") << QPoint(1034, 400) << 0;
        QTest::newRow("top") << QPoint(500, 1) << int(Qt::TopEdge);
        QTest::newRow("four above the bottom") << QPoint(500, 764) << int(Qt::BottomEdge);
        QTest::newRow("five above the bottom") << QPoint(500, 763) << 0;
        QTest::newRow("bottom right") << QPoint(1031, 766) << int(Qt::RightEdge | Qt::BottomEdge);
        QTest::newRow("top left") << QPoint(2, 2) << int(Qt::LeftEdge | Qt::TopEdge);
    }

    void edgesForResizing()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, edges);
        QCOMPARE(int(Gearmart::hitTest(pos, QSize(1034, 768))), edges);
    }

    void boardFollowsTheCatalogAndKeepsItsOrder()
    {
        // Deleting removes a desktop entry: keep it away from the real desktop.
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        auto restoreHome = qScopeGuard([&realHome] { qputenv("HOME", realHome); });
        auto& states = ToolDataManager::instance()->toolStates();
        states[2].IsDownload = 1;
        states[2].ListOrder = 1;
        states[3].IsDownload = 1;
        states[3].ListOrder = 0;
        auto window = makeWindow();
        QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
        ToolBoxWidget* board = window->toolBoxPage();
        QCOMPARE(window->pages()->widget(1), board);
        ToolDownloadedScene* scene = board->downloadedScene();
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 2}));

        // A download finished on the catalog lands on the board.
        window->transfers()->downloadTool(4);
        window->transfers()->onServerResponded(3, {{4, QStringLiteral("0")}});
        window->transfers()->onServerResponded(4, {{4, QStringLiteral("200")}});
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 2, 4}));

        // A tool deleted on the board is offered for download again.
        SubToolWidget* card = window->catalogPage()->listWidget()->toolsWidget()->card(3);
        QCOMPARE(card->look(), SubToolWidget::Look::Installed);
        TipDialog::setNextAnswerForTesting(1);
        scene->onDeleteTool(3);
        QCOMPARE(card->look(), SubToolWidget::Look::NotInstalled);
        QCOMPARE(states.value(3).IsDownload, 0);

        // Closing writes the board's order, also when the close is declined.
        states[4].ListOrder = 7;
        TipDialog::setNextAnswerForTesting(0);
        QVERIFY(!window->onClose());
        TipDialog::resetForTesting();
        const QByteArray saved = testFile(m_install->filePath(QStringLiteral("ToolsStateList.xml")));
        QVERIFY(saved.contains("<ToolKey>4</ToolKey>"));
        QCOMPARE(states.value(4).ListOrder, 1);
        QCOMPARE(states.value(2).ListOrder, 0);
        QVERIFY(!saved.contains("<ListOrder>7</ListOrder>"));
        window->serviceProcess()->disconnect(window.get());
    }
};

QTEST_MAIN(TestGearmart)
#include "tst_gearmart.moc"
