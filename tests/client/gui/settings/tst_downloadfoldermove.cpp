// Moving the download folder with real files: the tools arrive complete, the
// configuration follows only a finished copy, and every refusal or failure
// leaves the old folder complete and configured.
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "platform/registry.h"
#include "tooldata/toolproductguids.h"
#include "tooldata/toolregistry.h"
#include "settings/folderpicker.h"
#include "settings/systemconfigwidget.h"
#include "settingsfixture.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gearmart;
using settingstest::snapshot;

class TestDownloadFolderMove : public QObject
{
    Q_OBJECT

    std::unique_ptr<settingstest::Installation> m_install;
    std::unique_ptr<QTemporaryDir> m_elsewhere;

    QString tipText(SystemConfigWidget& page) const
    {
        return page.findChild<QLabel*>(QStringLiteral("tipTextLabel"))->text();
    }
    bool failureIconShown(SystemConfigWidget& page) const
    {
        return page.findChild<QLabel*>(QStringLiteral("tipLabel"))
            ->styleSheet()
            .contains(QStringLiteral("ic_fauls"));
    }
    QString newFolder(const QString& name = QStringLiteral("NewHome")) const
    {
        return m_elsewhere->filePath(name);
    }

    // Chooses folder in the dialog and waits for the move to end.
    void moveTo(SystemConfigWidget& page, const QString& folder)
    {
        QSignalSpy done(&page, &SystemConfigWidget::signalCopyCompleted);
        FolderPicker::setNextAnswerForTesting(folder);
        page.onSelectDownloadPath();
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 20000);
        QVERIFY(!page.isMoving());
    }

    // Nothing moved: the tools and the configuration are as before.
    void verifyUnchanged(const QMap<QString, QByteArray>& before)
    {
        QCOMPARE(snapshot(m_install->downloadPath() + QStringLiteral("/SubTools")), before);
        QCOMPARE(ConfigManager::instance()->downloadPath(), m_install->downloadPath());
        QCOMPARE(settingstest::serviceDownloadPath(m_install->setupFile()),
                 m_install->downloadPath().toUtf8());
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        FolderPicker::resetForTesting();
        m_install = std::make_unique<settingstest::Installation>();
        QVERIFY(m_install->load());
        QVERIFY(m_install->downloadTools());
        m_elsewhere = std::make_unique<QTemporaryDir>();
        // A move's end is confirmed or explained in a message that stays.
        for (int i = 0; i < 4; ++i)
            TipDialog::setNextAnswerForTesting(1);
    }

    void cleanup() { m_install.reset(); }

    void movesEveryToolAndThenTheConfiguration()
    {
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));
        QSignalSpy cover(&page, &SystemConfigWidget::signalTransCover);
        auto* changePath = page.findChild<QPushButton*>(QStringLiteral("changePathBtn"));
        auto* waiting = page.findChild<QLabel*>(QStringLiteral("waitingLabel"));

        FolderPicker::setNextAnswerForTesting(newFolder());
        page.onSelectDownloadPath();
        // Busy while the worker copies: cover on, button off, animation shown.
        QVERIFY(page.isMoving());
        QVERIFY(!changePath->isEnabled());
        QVERIFY(!waiting->isHidden());
        QCOMPARE(cover.size(), 1);
        QCOMPARE(cover.at(0).at(0).toBool(), true);
        QCOMPARE(FolderPicker::lastTitleForTesting(), QStringLiteral("DownloadPath"));
        QTRY_VERIFY_WITH_TIMEOUT(!page.isMoving(), 20000);

        QCOMPARE(snapshot(newFolder() + QStringLiteral("/SubTools")), before);
        QVERIFY(!QFileInfo::exists(m_install->downloadPath() + QStringLiteral("/SubTools")));
        QCOMPARE(ConfigManager::instance()->downloadPath(), newFolder());
        QCOMPARE(settingstest::serviceDownloadPath(m_install->setupFile()), newFolder().toUtf8());
        QCOMPARE(page.currentPath(), newFolder());
        auto* pathText = page.findChild<QLabel*>(QStringLiteral("pathTextLabel"));
        QCOMPARE(pathText->text(), newFolder());
        QCOMPARE(pathText->toolTip(), newFolder());
        QVERIFY(changePath->isEnabled());
        QVERIFY(waiting->isHidden());
        QCOMPARE(cover.size(), 2);
        QCOMPARE(cover.at(1).at(0).toBool(), false);
        QVERIFY(!failureIconShown(page));
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("The downloaded tools were moved to %1.").arg(newFolder()));
    }

    // Tools downloaded before this start (their uninstall entries naming the
    // old folder) and during it, moved twice with a restart after each: all
    // stay listed in their order and open from the new folder; a tool its own
    // installer put elsewhere stays where it is.
    void movedToolsStayThroughRestarts()
    {
        ToolDataManager* data = ToolDataManager::instance();
        auto& states = data->toolStates();
        states[2].ListOrder = 1;
        states[3].ListOrder = 0;
        data->registerTool(2);
        QVERIFY(data->saveStateList());
        platform::Registry registry(m_install->path() + QStringLiteral("/registry"));
        QTemporaryDir installerPlace;
        const QString installerKey = ToolRegistry::keyPath(ToolProductGuids::guid(4));
        QVERIFY(registry.setValue(installerKey, QStringLiteral("InstallLocation"), installerPlace.path()));
        QVERIFY(registry.setValue(installerKey, QStringLiteral("DisplayVersion"), QStringLiteral("9.0.0.0")));
        QVERIFY(m_install->load()); // the start that found tool 2 installed
        data = ToolDataManager::instance();
        data->toolStates()[3].IsDownload = 1; // and tool 3 downloaded during it
        data->registerTool(3);

        for (const QString& name : {QStringLiteral("New Home & Tools"), QStringLiteral("Again & again")}) {
            {
                SystemConfigWidget page;
                page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
                moveTo(page, newFolder(name));
            }
            QCOMPARE(ToolLauncher::executablePath(2), newFolder(name) + QStringLiteral("/SubTools/Tool2/Tool2"));
            QVERIFY(ToolLauncher::executableExists(2));
            QVERIFY(m_install->load()); // restart
            data = ToolDataManager::instance();
            for (int key : {2, 3}) {
                const ToolState state = data->toolStates().value(key);
                QCOMPARE(state.IsDownload, 1);
                QVERIFY(!state.IsInstalledByInstaller);
                QVERIFY(ToolLauncher::executableExists(key));
                QVERIFY(ToolLauncher::executablePath(key).startsWith(newFolder(name) + QLatin1Char('/')));
                QCOMPARE(data->installedCheck(key).InstallLocation, ToolLauncher::toolFolder(key));
            }
            QCOMPARE(data->toolStates().value(2).ListOrder, 1);
            QCOMPARE(data->toolStates().value(3).ListOrder, 0);
            const ToolState installers = data->toolStates().value(4);
            QCOMPARE(installers.IsDownload, 1);
            QVERIFY(installers.IsInstalledByInstaller);
            QCOMPARE(ToolLauncher::toolFolder(4), installerPlace.path());
        }
    }

    void refusalsLeaveEverythingInPlace_data()
    {
        QTest::addColumn<int>("downloading");
        QTest::addColumn<QString>("runningExe");
        QTest::addColumn<double>("freeGiB");
        QTest::addColumn<QString>("target"); // relative to the installation; "new" for a fresh folder
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("message");
        const QString noSpace = QStringLiteral("Disk free space less than 2G.");
        const QString inside = QStringLiteral("The new path cannot be the current path or lie inside it.");
        QTest::newRow("download in flight")
            << 1 << QString() << 50.0 << "new" << false << "Cannot change path while downloading.";
        QTest::newRow("downloaded tool runs")
            << 0 << "Tool3.exe" << 50.0 << "new" << false << "Please close open tools.";
        QTest::newRow("just under 2 GiB") << 0 << QString() << 1.999 << "new" << true << noSpace;
        QTest::newRow("same folder") << 0 << QString() << 50.0 << "Download" << true << inside;
        QTest::newRow("inside the tools")
            << 0 << QString() << 50.0 << "Download/SubTools/Tool2" << true << inside;
        QTest::newRow("inside the download folder")
            << 0 << QString() << 50.0 << "Download/Other" << true << inside;
        QTest::newRow("cancelled") << 0 << QString() << 50.0 << "" << true << QString();
    }

    void refusalsLeaveEverythingInPlace()
    {
        QFETCH(int, downloading);
        QFETCH(QString, runningExe);
        QFETCH(double, freeGiB);
        QFETCH(QString, target);
        QFETCH(bool, asked);
        QFETCH(QString, message);
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([freeGiB](const QString&) { return freeGiB; });
        QStringList probed;
        page.mover()->setRunningProbe([&probed, runningExe](const QString& exe) {
            probed << exe;
            return exe == runningExe;
        });
        page.onDownloadingCount(downloading);
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));
        const QString standing = tipText(page);
        QSignalSpy cover(&page, &SystemConfigWidget::signalTransCover);

        FolderPicker::setNextAnswerForTesting(target == QLatin1String("new") ? newFolder()
                                              : target.isEmpty()             ? QString()
                                                                             : m_install->filePath(target));
        page.onSelectDownloadPath();

        QVERIFY(!page.isMoving());
        QCOMPARE(FolderPicker::requestCountForTesting(), asked ? 1 : 0);
        QCOMPARE(cover.size(), 0);
        if (message.isEmpty()) {
            QCOMPARE(tipText(page), standing);
            QVERIFY(!failureIconShown(page));
        } else {
            QCOMPARE(tipText(page), message);
            QVERIFY(failureIconShown(page));
            page.onTimeOut(); // the tip timer puts the standing tip back
            QCOMPARE(tipText(page), standing);
            QVERIFY(!failureIconShown(page));
        }
        verifyUnchanged(before);
        QVERIFY(!QFileInfo::exists(newFolder()));
        if (!runningExe.isEmpty())
            QVERIFY(TipDialog::lastRequestForTesting().text.startsWith(QStringLiteral("Tool3 is running")));
        // Only downloaded tools are looked for, never the material or the program itself.
        for (const QString& exe : qAsConst(probed))
            QVERIFY2(exe == QLatin1String("Tool2.exe") || exe == QLatin1String("Tool3.exe"), qPrintable(exe));
    }

    void exactlyTwoGiBFreeIsEnough()
    {
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 2.0; });
        moveTo(page, newFolder());
        QCOMPARE(ConfigManager::instance()->downloadPath(), newFolder());
    }

    void toolsLargerThanTheFreeSpaceAreRefused()
    {
        SystemConfigWidget page;
        // Room for the 2 GiB rule, none for the tools themselves.
        int calls = 0;
        page.mover()->setFreeSpaceProbe([&calls](const QString&) { return ++calls == 1 ? 3.0 : 0.0001; });
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));
        moveTo(page, newFolder());
        QCOMPARE(tipText(page), QStringLiteral("Not enough free space for the downloaded tools."));
        QVERIFY(failureIconShown(page));
        // The message stays and gives the figures.
        QVERIFY(TipDialog::lastRequestForTesting().text.contains(QStringLiteral("but only")));
        verifyUnchanged(before);
        QVERIFY(!QFileInfo::exists(newFolder() + QStringLiteral("/SubTools")));
    }

    void copyFailingHalfwayLosesNothing()
    {
        // Tool2 is copied first; a link to nowhere in Tool3 then fails the copy.
        const QString broken = m_install->downloadPath() + QStringLiteral("/SubTools/Tool3/broken");
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/target"), broken));
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));

        moveTo(page, newFolder());

        QCOMPARE(tipText(page), QStringLiteral("Download path save fail."));
        QVERIFY(failureIconShown(page));
        verifyUnchanged(before);
        QCOMPARE(page.currentPath(), m_install->downloadPath());
        // The half copy is gone; the chosen folder itself stays.
        QVERIFY(!QFileInfo::exists(newFolder() + QStringLiteral("/SubTools")));
        QVERIFY(page.findChild<QPushButton*>(QStringLiteral("changePathBtn"))->isEnabled());
    }

    void copyFailingKeepsWhatWasAlreadyInTheTarget()
    {
        const QString broken = m_install->downloadPath() + QStringLiteral("/SubTools/Tool3/broken");
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/target"), broken));
        const QString own = newFolder() + QStringLiteral("/SubTools/Mine/notes.txt");
        QVERIFY(settingstest::writeFile(own, "mine"));
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));
        moveTo(page, newFolder());
        verifyUnchanged(before);
        QCOMPARE(settingstest::read(own), QByteArray("mine"));
    }

    void failedSaveKeepsTheToolsWhereTheConfigurationSays_data()
    {
        QTest::addColumn<bool>("setupGone");
        QTest::addColumn<QString>("folderName");
        QTest::newRow("Setup.xml gone") << true << "NewHome";
        // A name XML cannot carry: the store takes the text in memory but
        // cannot write it, and must not keep it.
        QTest::newRow("name XML cannot carry") << false << QStringLiteral("New\x01Home");
    }

    void failedSaveKeepsTheToolsWhereTheConfigurationSays()
    {
        QFETCH(bool, setupGone);
        QFETCH(QString, folderName);
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        const auto before = snapshot(m_install->downloadPath() + QStringLiteral("/SubTools"));
        const QByteArray setup = settingstest::read(m_install->setupFile());
        if (setupGone)
            QVERIFY(QFile::remove(m_install->setupFile()));

        moveTo(page, newFolder(folderName));

        QCOMPARE(tipText(page), QStringLiteral("Download path save fail."));
        if (setupGone)
            QVERIFY(settingstest::writeFile(m_install->setupFile(), setup));
        verifyUnchanged(before);
        QCOMPARE(page.currentPath(), m_install->downloadPath());
        QVERIFY(!QFileInfo::exists(newFolder(folderName) + QStringLiteral("/SubTools")));
    }

    void nothingDownloadedYetStillMoves()
    {
        QVERIFY(QDir(m_install->downloadPath() + QStringLiteral("/SubTools")).removeRecursively());
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        moveTo(page, newFolder());
        QVERIFY(!failureIconShown(page));
        QCOMPARE(ConfigManager::instance()->downloadPath(), newFolder());
    }

    void popupStaysWhileTheMoveRuns()
    {
        SystemConfigWidget page;
        page.mover()->setFreeSpaceProbe([](const QString&) { return 50.0; });
        page.show();
        QSignalSpy done(&page, &SystemConfigWidget::signalCopyCompleted);
        FolderPicker::setNextAnswerForTesting(newFolder());
        page.onSelectDownloadPath();
        QVERIFY(page.isMoving());
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&page, &deactivate);
        QVERIFY(page.isVisible());
        QTest::keyClick(&page, Qt::Key_Escape);
        QVERIFY(page.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 20000);
        QApplication::sendEvent(&page, &deactivate);
        QVERIFY(!page.isVisible());
    }
};

QTEST_MAIN(TestDownloadFolderMove)
#include "tst_downloadfoldermove.moc"
