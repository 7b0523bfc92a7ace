// The installed tool's row: its looks for every service answer, the checks
// before an upgrade, the relayed tool states and its keyboard actions.
#include "boardfixture.h"
#include "common/transferprogresshub.h"
#include "common/transferprogresslabel.h"
#include "transfer/transferprogresstext.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gearmart;

class TestInstalledToolRow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<clienttest::ClientInstallation> m_install;

    std::unique_ptr<DownloadedSubToolWidget> makeRow(int key, bool bUpdateList = false)
    {
        auto row = std::make_unique<DownloadedSubToolWidget>();
        row->setUpdateListMode(bUpdateList);
        row->initialise(ToolDataManager::instance()->toolInfos().value(key));
        row->setPollInterval(20);
        row->show();
        return row;
    }

    template <typename T> static T* part(QWidget* row, const char* name)
    {
        return row->findChild<T*>(QLatin1String(name));
    }

    static bool shown(QWidget* row, const char* name)
    {
        QWidget* widget = row->findChild<QWidget*>(QLatin1String(name));
        return widget && widget->isVisibleTo(row);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
    }

    void init()
    {
        TipDialog::resetForTesting();
        DownloadedSubToolWidget::setFreeSpaceFunctionForTesting([](const QString&) { return 100.0; });
        m_install = boardtest::install(boardtest::tools(2, 3), {{2, 0, true}, {3, 1, false}});
        QVERIFY(m_install);
    }

    void cleanup()
    {
        DownloadedSubToolWidget::setFreeSpaceFunctionForTesting({});
        m_install.reset();
    }

    void startsFromTheToolState()
    {
        auto needsUpdate = makeRow(2);
        QCOMPARE(needsUpdate->updateState(), UpdateStateAvailable);
        QVERIFY(shown(needsUpdate.get(), "m_upgradeBtn"));
        QVERIFY(shown(needsUpdate.get(), "m_openBtn"));
        QVERIFY(part<QLabel>(needsUpdate.get(), "m_upgradeInfoLabel")
                    ->text()
                    .contains(QStringLiteral("What is new")));
        QCOMPARE(part<QLabel>(needsUpdate.get(), "m_versionLabel")->text(),
                 QStringLiteral("Version: V1.0.0.1"));
        QCOMPARE(part<QLabel>(needsUpdate.get(), "m_dateLabel")->text(),
                 QStringLiteral("Release date: 2026-11-30"));

        auto upToDate = makeRow(3);
        QCOMPARE(upToDate->updateState(), UpdateStateUpToDate);
        QVERIFY(!shown(upToDate.get(), "m_upgradeBtn"));
        QVERIFY(shown(upToDate.get(), "quickLinkBtn"));
        QVERIFY(part<QLabel>(upToDate.get(), "m_upgradeInfoLabel")->text().isEmpty());
        QVERIFY(upToDate->height() >= DownloadedSubToolWidget::kBaseHeight);

        // In the update list there is nothing to open and no link to make.
        auto listed = makeRow(2, true);
        QVERIFY(!shown(listed.get(), "m_openBtnFrame"));
        QVERIFY(!shown(listed.get(), "quickLinkBtn"));
        QVERIFY(!listed->deleteAction()->isEnabled());
    }

    void answersChangeTheLook_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("value");
        QTest::addColumn<UpdateState>("state");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<QString>("tip");

        QTest::newRow("download accepted") << 3 << "0" << UpdateStateUpdating << true << "";
        QTest::newRow("download waiting") << 3 << "120" << UpdateStateWaiting << false << "";
        QTest::newRow("download timeout")
            << 3 << "110" << UpdateStateFailed << false << "connect to network timeout.";
        QTest::newRow("download no service") << 3 << "130" << UpdateStateFailed << false << "network anomaly";
        QTest::newRow("download failed")
            << 3 << "-1" << UpdateStateFailed << false << "connect to network failed.";
        QTest::newRow("download garbage") << 3 << "x" << UpdateStateFailed << false << "network anomaly";
        QTest::newRow("progress 100 is no completion") << 4 << "100" << UpdateStateUpdating << true << "";
        QTest::newRow("progress not found") << 4 << "404" << UpdateStateFailed << false << "File not found.";
        QTest::newRow("progress save failed") << 4 << "400" << UpdateStateFailed << false << "save failed.";
        QTest::newRow("progress init failed")
            << 4 << "140" << UpdateStateFailed << false << "network initial failed.";
        QTest::newRow("progress still queued") << 4 << "120" << UpdateStateWaiting << false << "";
        QTest::newRow("cancel done") << 5 << "0" << UpdateStateAvailable << false << "";
        QTest::newRow("cancel refused") << 5 << "-1" << UpdateStateUpdating << true << "";
        QTest::newRow("other method") << 6 << "0" << UpdateStateUpdating << true << "";
    }

    void answersChangeTheLook()
    {
        QFETCH(int, method);
        QFETCH(QString, value);
        QFETCH(UpdateState, state);
        QFETCH(bool, polling);
        QFETCH(QString, tip);

        auto row = makeRow(2);
        // An upgrade under way: accepted and polling.
        row->onSolveServerResponse(3, {{2, QStringLiteral("0")}});
        QVERIFY(row->isPolling());
        // Answers for another tool change nothing.
        row->onSolveServerResponse(method, {{3, value}});
        QCOMPARE(row->updateState(), UpdateStateUpdating);

        row->onSolveServerResponse(method, {{2, value}});
        QCOMPARE(row->updateState(), state);
        QCOMPARE(row->isPolling(), polling);
        auto* bar = part<ProgressBar>(row.get(), "m_upgradeProgressBar");
        QCOMPARE(bar->toolTip(), tip);
        if (state == UpdateStateFailed) {
            QCOMPARE(bar->text(), QStringLiteral("download fail"));
            QVERIFY(shown(row.get(), "m_reupdateBtn"));
            QVERIFY(shown(row.get(), "m_cancelUpgradeBtn"));
        }
        if (method == 4 && value == QLatin1String("100"))
            QCOMPARE(bar->value(), 100);
    }

    void completionUpdatesTheStateList()
    {
        auto row = makeRow(2);
        QSignalSpy completed(row.get(), &DownloadedSubToolWidget::signalUpgradeCompleted);
        QSignalSpy polls(row.get(), &DownloadedSubToolWidget::signalRequestDownloadRate);
        row->onSolveServerResponse(3, {{2, QStringLiteral("0")}});
        QTRY_VERIFY(polls.count() >= 2);
        row->onSolveServerResponse(4, {{2, QStringLiteral("42")}});
        QCOMPARE(part<ProgressBar>(row.get(), "m_upgradeProgressBar")->value(), 42);
        row->onSolveServerResponse(4, {{2, QStringLiteral("200")}});
        QCOMPARE(row->updateState(), UpdateStateUpToDate);
        QVERIFY(!row->isPolling());
        QCOMPARE(completed.count(), 1);
        QVERIFY(part<QLabel>(row.get(), "m_upgradeInfoLabel")->text().isEmpty());
        const ToolState state = ToolDataManager::instance()->toolStates().value(2);
        QCOMPARE(state.IsNeedUpdate, 0);
        QCOMPARE(state.CurrentVersion, QStringLiteral("1.0.0.1"));
        QCOMPARE(boardtest::savedElement(*m_install, 2, "CurrentVersion"), QByteArray("1.0.0.1"));
        // Progress after the end is no news.
        row->onSolveServerResponse(4, {{2, QStringLiteral("-1")}});
        QCOMPARE(row->updateState(), UpdateStateUpToDate);
    }

    void transferLineFollowsTheUpgrade()
    {
        auto row = makeRow(2);
        auto* line = part<TransferProgressLabel>(row.get(), "transferLabel");
        QVERIFY(line);
        QCOMPARE(line->accessibleName(), QStringLiteral("Transfer progress of Tool2"));
        TransferProgress figures;
        figures.received = 3 * 1024 * 1024;
        figures.total = 40 * 1024 * 1024;
        figures.rate = 2 * 1024 * 1024;

        // Not upgrading: figures for the tool do not show.
        TransferProgressHub::instance()->onTransferProgress({{2, figures}});
        QVERIFY(!line->isVisibleTo(row.get()));

        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        row->onSolveServerResponse(3, {{2, QStringLiteral("0")}});
        row->onSolveServerResponse(4, {{2, QStringLiteral("7")}});
        TransferProgressHub::instance()->onTransferProgress({{2, figures}});
        QVERIFY(line->isVisibleTo(row.get()));
        QCOMPARE(line->fullText(), TransferProgressText::format(figures));
        auto* bar = part<ProgressBar>(row.get(), "m_upgradeProgressBar");
        QVERIFY(line->geometry().top() >= bar->geometry().bottom());

        // A failure takes the line away, and a retry starts without it.
        row->onSolveServerResponse(4, {{2, QStringLiteral("-1")}});
        QVERIFY(!line->isVisibleTo(row.get()));
        part<QPushButton>(row.get(), "m_reupdateBtn")->click();
        QCOMPARE(row->updateState(), UpdateStateUpdating);
        QVERIFY(!line->isVisibleTo(row.get()));
        QVERIFY(line->fullText().isEmpty());

        TransferProgressHub::instance()->onTransferProgress({{2, figures}});
        row->onSolveServerResponse(4, {{2, QStringLiteral("200")}});
        QCOMPARE(row->updateState(), UpdateStateUpToDate);
        QVERIFY(!line->isVisibleTo(row.get()));
    }

    void buttonsRequestAndCancel()
    {
        auto row = makeRow(2);
        QSignalSpy update(row.get(), &DownloadedSubToolWidget::signalUpdateTool);
        QSignalSpy cancel(row.get(), &DownloadedSubToolWidget::signalCancelUpdateTool);
        QSignalSpy retry(row.get(), &DownloadedSubToolWidget::signalReupdateTool);
        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        QCOMPARE(update.count(), 1);
        QCOMPARE(row->updateState(), UpdateStateUpdating);
        row->onSolveServerResponse(3, {{2, QStringLiteral("0")}});
        part<QPushButton>(row.get(), "m_cancelUpgradeBtn")->click();
        QCOMPARE(cancel.count(), 1);
        QCOMPARE(row->updateState(), UpdateStateAvailable);
        // A progress answer racing the cancel does not make it a failure.
        QVERIFY(!row->isPolling());
        row->onSolveServerResponse(4, {{2, QStringLiteral("-1")}});
        QCOMPARE(row->updateState(), UpdateStateAvailable);

        row->onSolveServerResponse(3, {{2, QStringLiteral("404")}});
        QCOMPARE(row->updateState(), UpdateStateFailed);
        part<QPushButton>(row.get(), "m_reupdateBtn")->click();
        QCOMPARE(retry.count(), 1);
        QCOMPARE(row->updateState(), UpdateStateUpdating);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void upgradeIsRefusedWithAReason_data()
    {
        QTest::addColumn<QString>("downloadPath");
        QTest::addColumn<double>("freeGiB");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("covered");
        QTest::newRow("no download path")
            << "" << 100.0 << "Please set downlaod path at system setting page." << true;
        QTest::newRow("no room") << "keep" << 0.001
                                 << "Disk free space little than tool Size, please modify download Path."
                                 << true;
    }

    void upgradeIsRefusedWithAReason()
    {
        QFETCH(QString, downloadPath);
        QFETCH(double, freeGiB);
        QFETCH(QString, message);
        QFETCH(bool, covered);
        if (downloadPath != QLatin1String("keep"))
            ConfigManager::instance()->setDownloadPath(downloadPath);
        DownloadedSubToolWidget::setFreeSpaceFunctionForTesting(
            [freeGiB](const QString&) { return freeGiB; });
        auto row = makeRow(2);
        QSignalSpy update(row.get(), &DownloadedSubToolWidget::signalUpdateTool);
        QSignalSpy cover(row.get(), &DownloadedSubToolWidget::signalCover);
        TipDialog::setNextAnswerForTesting(1);
        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        QCOMPARE(update.count(), 0);
        QCOMPARE(row->updateState(), UpdateStateAvailable);
        QCOMPARE(TipDialog::lastRequestForTesting().text, message);
        QCOMPARE(cover.count() == 2, covered);
        QCOMPARE(cover.last().first().toBool(), false);
    }

    void relayedStatesKeepTheRowInStep_data()
    {
        QTest::addColumn<int>("relayed");
        QTest::addColumn<int>("key");
        QTest::addColumn<UpdateState>("state");
        QTest::newRow("requested elsewhere") << int(ToolDownloadRequested) << 2 << UpdateStateUpdating;
        QTest::newRow("downloading elsewhere") << int(ToolDownloading) << 2 << UpdateStateUpdating;
        QTest::newRow("finished elsewhere") << int(ToolDownloaded) << 2 << UpdateStateUpToDate;
        QTest::newRow("cancelled, update still due") << int(ToolCancelled) << 2 << UpdateStateAvailable;
        QTest::newRow("deleted") << int(ToolDeleted) << 2 << UpdateStateFailed;
        QTest::newRow("another tool") << int(ToolDownloaded) << 3 << UpdateStateFailed;
    }

    void relayedStatesKeepTheRowInStep()
    {
        QFETCH(int, relayed);
        QFETCH(int, key);
        QFETCH(UpdateState, state);
        auto row = makeRow(2);
        row->onSolveServerResponse(3, {{2, QStringLiteral("-1")}});
        QCOMPARE(row->updateState(), UpdateStateFailed);
        row->onToolStateChanged(ToolCurrentState(relayed), key);
        QCOMPARE(row->updateState(), state);

        // A queued download that got going shows as updating at once.
        auto waiting = makeRow(3);
        waiting->onSolveServerResponse(3, {{3, QStringLiteral("120")}});
        QCOMPARE(waiting->updateState(), UpdateStateWaiting);
        waiting->onWaitingToolsStartDownload(3);
        QCOMPARE(waiting->updateState(), UpdateStateUpdating);
    }

    void longNotesGrowTheRow()
    {
        ToolDataManager::instance()->toolInfos()[2].UpdateENIntro =
            QString(40, QLatin1Char('x')).repeated(1) + QStringLiteral(" word").repeated(120);
        auto row = makeRow(2);
        auto* notes = part<QLabel>(row.get(), "m_upgradeInfoLabel");
        QTRY_VERIFY(notes->height() > 60);
        QTRY_VERIFY(row->height() >= notes->height() + 36);
        // Up to date again: the notes go and the row shrinks back.
        row->onSolveServerResponse(3, {{2, QStringLiteral("0")}});
        row->onSolveServerResponse(4, {{2, QStringLiteral("200")}});
        QCOMPARE(row->height(), DownloadedSubToolWidget::kBaseHeight);
    }

    void keyboardMovesAndDeletes()
    {
        auto row = makeRow(3);
        QSignalSpy move(row.get(), &DownloadedSubToolWidget::signalMoveRequested);
        QSignalSpy remove(row.get(), &DownloadedSubToolWidget::signalDeleteRequested);
        QTest::keyClick(row.get(), Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(row.get(), Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(row.get(), Qt::Key_Delete);
        QCOMPARE(move.count(), 2);
        QCOMPARE(move.at(0), (QVariantList{3, 1}));
        QCOMPARE(move.at(1), (QVariantList{3, -1}));
        QCOMPARE(remove.count(), 1);
        QVERIFY(row->actions().contains(row->deleteAction()));

        auto listed = makeRow(2, true);
        QSignalSpy listedRemove(listed.get(), &DownloadedSubToolWidget::signalDeleteRequested);
        QTest::keyClick(listed.get(), Qt::Key_Delete);
        QCOMPARE(listedRemove.count(), 0);
    }

    void desktopLinkIsReported()
    {
        auto row = makeRow(3);
        auto* link = part<QPushButton>(row.get(), "quickLinkBtn");
        TipDialog::setNextAnswerForTesting(1);
        link->click();
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Quick link successfully created to desktop."));
        QCOMPARE(TipDialog::lastRequestForTesting().okText, QStringLiteral("Comfirm"));
        QVERIFY(QFileInfo::exists(ToolLauncher::shortcutPath(3)));

        // Without its program there is nothing to link to, and nothing to say.
        QVERIFY(QFile::remove(ToolLauncher::executablePath(3)));
        link->click();
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        // Nor anything to open.
        part<QPushButton>(row.get(), "m_openBtn")->click();
        QCOMPARE(row->launcher().launchedPid(), qint64(-1));
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
    }

    void interactiveChildrenAreKnown()
    {
        auto row = makeRow(2);
        auto* upgrade = part<QPushButton>(row.get(), "m_upgradeBtn");
        QVERIFY(row->isOnInteractiveChild(upgrade->mapTo(row.get(), upgrade->rect().center())));
        QVERIFY(!row->isOnInteractiveChild(QPoint(300, 10)));
        // Hidden controls take no clicks.
        auto* cancel = part<QPushButton>(row.get(), "m_cancelUpgradeBtn");
        QVERIFY(!row->isOnInteractiveChild(cancel->mapTo(row.get(), cancel->rect().center())));
    }

    void everyControlHasAName()
    {
        auto row = makeRow(2);
        const auto controls = row->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            if (qobject_cast<QPushButton*>(control) || qobject_cast<QCheckBox*>(control) ||
                qobject_cast<ProgressBar*>(control))
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
        QCOMPARE(row->accessibleName(), QStringLiteral("Tool2"));
        QCOMPARE(part<QPushButton>(row.get(), "m_upgradeBtn")->accessibleName(),
                 QStringLiteral("Upgrade Tool2"));
    }
};

QTEST_MAIN(TestInstalledToolRow)
#include "tst_installedtoolrow.moc"
