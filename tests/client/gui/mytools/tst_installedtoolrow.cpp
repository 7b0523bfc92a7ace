// The installed tool's row: its looks rendering the tool's transfer, the
// checks before an upgrade, what its buttons ask for and its keyboard actions.
#include "boardfixture.h"
#include "common/installedtoolactions.h"
#include "common/signingate.h"
#include "common/transferprogresslabel.h"
#include "installed/installedtools.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "system/systemutils.h"
#include "transfer/transferfailure.h"
#include "transfer/transferprogresstext.h"
#include "transferfixture.h"
#include "urlrecorder.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace gearmart;

class TestInstalledToolRow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    std::unique_ptr<transfertest::Model> m_model;

    std::unique_ptr<DownloadedSubToolWidget> makeRow(int key, bool bUpdateList = false)
    {
        auto row = std::make_unique<DownloadedSubToolWidget>(&m_model->transfers);
        row->setUpdateListMode(bUpdateList);
        row->initialise(ToolDataManager::instance()->toolInfos().value(key));
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

    // The version an update of the tool replaced, kept beside it; an empty
    // version: kept by an update nobody recorded.
    static void keepPrevious(int key, const QString& version)
    {
        ToolDataManager* data = ToolDataManager::instance();
        const QString folder = ToolLauncher::toolFolder(key);
        const QString kept = QFileInfo(folder).path() + QStringLiteral("/.") + QFileInfo(folder).fileName() +
                             QStringLiteral(".previous");
        QVERIFY(testcatalog::writeFile(kept + QStringLiteral("/version.txt"), "previous"));
        if (version.isEmpty())
            return;
        ToolLocalInfo info;
        info.previousVersion = version;
        info.previousEntries = QStringList{QFileInfo(folder).fileName()};
        data->setLocalInfo(key, info);
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
        m_model = std::make_unique<transfertest::Model>();
    }

    void cleanup()
    {
        DownloadedSubToolWidget::setFreeSpaceFunctionForTesting({});
        SignInGate::setProgramForTesting(QString());
        m_model.reset();
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
        // The catalog's version, and the installed one the update replaces.
        QCOMPARE(part<QLabel>(needsUpdate.get(), "m_versionLabel")->text(),
                 QStringLiteral("Version: V1.0.0.1 (installed: V1.0.0.0)"));
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

    // The row shows whatever the model holds for its tool.
    void looksRenderTheTransfer_data()
    {
        QTest::addColumn<QStringList>("answers"); // method:value, after the upgrade was asked for
        QTest::addColumn<UpdateState>("state");
        QTest::addColumn<int>("barValue");
        QTest::newRow("accepted") << QStringList{"3:0"} << UpdateStateUpdating << 0;
        QTest::newRow("waiting") << QStringList{"3:120"} << UpdateStateWaiting << 0;
        QTest::newRow("100 is no completion") << QStringList{"3:0", "4:100"} << UpdateStateUpdating << 100;
        QTest::newRow("refused") << QStringList{"3:110"} << UpdateStateFailed << 0;
        QTest::newRow("failed on the way") << QStringList{"3:0", "4:30", "4:404"} << UpdateStateFailed << 30;
        QTest::newRow("installed") << QStringList{"3:0", "4:200"} << UpdateStateUpToDate << 0;
        QTest::newRow("cancelled") << QStringList{"3:0", "cancel", "5:0"} << UpdateStateAvailable << 0;
        QTest::newRow("another tool's answers")
            << QStringList{"3:0", "4:30", "other"} << UpdateStateUpdating << 30;
    }

    void looksRenderTheTransfer()
    {
        QFETCH(QStringList, answers);
        QFETCH(UpdateState, state);
        QFETCH(int, barValue);
        auto row = makeRow(2);
        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        QCOMPARE(row->updateState(), UpdateStateUpdating);
        for (const QString& answer : answers) {
            if (answer == QLatin1String("other")) {
                m_model->failed(3, 404);
            } else if (answer == QLatin1String("cancel")) {
                part<QPushButton>(row.get(), "m_cancelUpgradeBtn")->click();
            } else {
                const QStringList parts = answer.split(QLatin1Char(':'));
                m_model->answer(parts.at(0).toInt(), 2, parts.at(1));
            }
        }
        QCOMPARE(row->updateState(), state);
        auto* bar = part<ProgressBar>(row.get(), "m_upgradeProgressBar");
        if (state == UpdateStateUpdating || state == UpdateStateFailed)
            QCOMPARE(bar->value(), barValue);
        if (state == UpdateStateFailed) {
            QCOMPARE(bar->text(), QStringLiteral("download fail"));
            QCOMPARE(bar->toolTip(),
                     TransferFailure::text(m_model->transfers.record(2), TransferFailure::Wording::Row));
            QVERIFY(shown(row.get(), "m_reupdateBtn"));
            QVERIFY(shown(row.get(), "m_cancelUpgradeBtn"));
        }
        if (state == UpdateStateUpToDate) {
            QVERIFY(!shown(row.get(), "m_upgradeBtn"));
            QVERIFY(part<QLabel>(row.get(), "m_upgradeInfoLabel")->text().isEmpty());
        }
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

        m_model->running(2, 7);
        QVERIFY(!line->isVisibleTo(row.get()));
        m_model->transfers.onTransferProgress({{2, figures}});
        QVERIFY(line->isVisibleTo(row.get()));
        QCOMPARE(line->fullText(), TransferProgressText::format(figures));
        auto* bar = part<ProgressBar>(row.get(), "m_upgradeProgressBar");
        QVERIFY(line->geometry().top() >= bar->geometry().bottom());

        // A failure takes the line away, and a retry starts without it.
        m_model->answer(DownloadProgress, 2, QStringLiteral("-1"));
        QVERIFY(!line->isVisibleTo(row.get()));
        part<QPushButton>(row.get(), "m_reupdateBtn")->click();
        QCOMPARE(row->updateState(), UpdateStateUpdating);
        QVERIFY(!line->isVisibleTo(row.get()));
        QVERIFY(line->fullText().isEmpty());
    }

    void buttonsGoToTheModel()
    {
        auto row = makeRow(2);
        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        QCOMPARE(m_model->methods(), QList<int>{DownloadSubTool});
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        part<QPushButton>(row.get(), "m_cancelUpgradeBtn")->click();
        QCOMPARE(m_model->methods().last(), int(CancelDownloadSubTool));
        QCOMPARE(row->updateState(), UpdateStateAvailable);
        m_model->answer(CancelDownloadSubTool, 2, QStringLiteral("0"));

        m_model->failed(2, 404);
        QCOMPARE(row->updateState(), UpdateStateFailed);
        part<QPushButton>(row.get(), "m_reupdateBtn")->click();
        QCOMPARE(m_model->methods().last(), int(DownloadSubTool));
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
        QSignalSpy cover(row.get(), &DownloadedSubToolWidget::signalCover);
        TipDialog::setNextAnswerForTesting(1);
        part<QPushButton>(row.get(), "m_upgradeBtn")->click();
        QVERIFY(m_model->sent.isEmpty());
        QCOMPARE(row->updateState(), UpdateStateAvailable);
        QCOMPARE(TipDialog::lastRequestForTesting().text, message);
        QCOMPARE(cover.count() == 2, covered);
        QCOMPARE(cover.last().first().toBool(), false);
    }

    // The board may rebuild its rows while the user signs in: the row that
    // asked goes away and nothing is opened for it.
    void aRowDeletedDuringSignInOpensNothing()
    {
        ToolDataManager::instance()->toolInfos()[3].IsDown = 1;
        QTemporaryDir programs;
        const QString signIn = programs.filePath(QStringLiteral("Signgate"));
        QVERIFY(testcatalog::writeScript(signIn, "sleep 0.3\nexit 1"));
        SignInGate::setProgramForTesting(signIn);
        QWidget board;
        QPointer<DownloadedSubToolWidget> row = new DownloadedSubToolWidget(&m_model->transfers, &board);
        row->initialise(ToolDataManager::instance()->toolInfos().value(3));
        QTimer::singleShot(50, row.data(), [&row] { delete row.data(); });
        row->onOpenTool();
        QVERIFY(row.isNull());
        QVERIFY(ToolDataManager::instance()->isSignedIn());
        QVERIFY(!ToolLauncher::isRunning(3));
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
        m_model->running(2);
        m_model->answer(DownloadProgress, 2, QStringLiteral("200"));
        QCOMPARE(row->height(), DownloadedSubToolWidget::kBaseHeight);
        QCOMPARE(part<QLabel>(row.get(), "m_versionLabel")->text(), QStringLiteral("Version: V1.0.0.1"));
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

        // Without its program there is nothing to link to, and the user is told.
        QVERIFY(QFile::remove(ToolLauncher::executablePath(3)));
        TipDialog::setNextAnswerForTesting(1);
        link->click();
        QCOMPARE(TipDialog::requestCountForTesting(), 2);
        QVERIFY(
            TipDialog::lastRequestForTesting().text.contains(QStringLiteral("program of Tool3 is missing")));
        // Nor anything to open.
        part<QPushButton>(row.get(), "m_openBtn")->click();
        QCOMPARE(row->launcher().launchedPid(), qint64(-1));
        QCOMPARE(TipDialog::requestCountForTesting(), 2);
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

    void factsAndTheFolder()
    {
        auto row = makeRow(3);
        const QString folder = ToolLauncher::toolFolder(3);
        InstalledTools::instance()->waitForMeasurementsForTesting();
        QCOMPARE(part<QLabel>(row.get(), "m_factsLabel")->text(),
                 QStringLiteral("Size: %1    Installed on: %2")
                     .arg(InstalledToolActions::sizeText(folderSize(folder)),
                          QFileInfo(folder).lastModified().date().toString(Qt::ISODate)));
        QVERIFY(!shown(row.get(), "m_rollbackBtn"));
        QVERIFY(!shown(row.get(), "m_skipBtn"));

        UrlRecorder manager;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &manager, "open");
        part<QPushButton>(row.get(), "m_showFolderBtn")->click();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(manager.urls, QList<QUrl>{QUrl::fromLocalFile(folder)});
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void rollBackAsksAndTells()
    {
        keepPrevious(3, QStringLiteral("1.0.0.0"));
        auto row = makeRow(3);
        auto* rollback = part<QPushButton>(row.get(), "m_rollbackBtn");
        QVERIFY(rollback->isVisibleTo(row.get()));
        QCOMPARE(rollback->text(), QStringLiteral("Roll back to V1.0.0.0"));

        TipDialog::setNextAnswerForTesting(0);
        rollback->click();
        QVERIFY(TipDialog::lastRequestForTesting().text.startsWith(
            QStringLiteral("Roll Tool3 back to V1.0.0.0?")));
        QCOMPARE(ToolDataManager::instance()->toolStates().value(3).CurrentVersion,
                 QStringLiteral("1.0.0.1"));

        TipDialog::setNextAnswerForTesting(1);
        TipDialog::setNextAnswerForTesting(1);
        rollback->click();
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Tool3 was rolled back to V1.0.0.0."));
        QCOMPARE(testcatalog::read(ToolLauncher::toolFolder(3) + QStringLiteral("/version.txt")),
                 QByteArray("previous"));
        // Back at the older version, the newer one skipped and kept.
        QCOMPARE(row->updateState(), UpdateStateUpToDate);
        QCOMPARE(part<QLabel>(row.get(), "m_versionLabel")->text(),
                 QStringLiteral("Version: V1.0.0.1 (installed: V1.0.0.0)"));
        QVERIFY(part<QLabel>(row.get(), "m_upgradeInfoLabel")->text().contains(QStringLiteral("is skipped")));
        QVERIFY(!rollback->isVisibleTo(row.get()));
    }

    // Down to the narrowest row the window allows, every control stays on
    // the row and clear of the others; wide, the texts take the room.
    void rowFitsNarrowAndSpreadsWide()
    {
        keepPrevious(2, QString());
        auto row = makeRow(2);
        QVERIFY(shown(row.get(), "m_rollbackBtn"));
        QVERIFY(shown(row.get(), "m_skipBtn"));
        int notesWidth = 0;
        for (int width : {int(DownloadedSubToolWidget::kMinWidth), 1600}) {
            row->resize(width, row->height());
            QCoreApplication::processEvents();
            QVector<QRect> taken;
            for (QWidget* control : row->findChildren<QWidget*>()) {
                if (!control->isVisibleTo(row.get()) || control->parentWidget() != row.get())
                    continue;
                const QRect area = control->geometry();
                QVERIFY2(row->rect().contains(area), qPrintable(control->objectName()));
                if (!qobject_cast<QAbstractButton*>(control))
                    continue;
                for (const QRect& other : qAsConst(taken))
                    QVERIFY2(!other.intersects(area), qPrintable(control->objectName()));
                taken << area;
            }
            const int now = part<QLabel>(row.get(), "m_upgradeInfoLabel")->width();
            QVERIFY(now > notesWidth);
            notesWidth = now;
        }
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
