// The my-tools board: filling from the tool states, reordering and deleting
// by drag and by keyboard with the state list checked on disk, the update
// list with "check all" and the batch, and the badge.
#include "boardfixture.h"
#include "common/nomatchpanel.h"
#include "common/toolsearchfield.h"
#include "installed/installedtools.h"
#include "mytools/boardaccessibility.h"
#include "mytools/deleteframe.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/downloadtoolswidget.h"
#include "mytools/droppableproxywidget.h"
#include "mytools/tipframe.h"
#include "mytools/toolboxtabwidget.h"
#include "mytools/toolboxwidget.h"
#include "mytools/tooldownloadedscene.h"
#include "mytools/toolupdatescene.h"
#include "mytools/updatetoolswidget.h"
#include "platform/desktopentry.h"
#include "platform/registry.h"
#include "tooldata/toolproductguids.h"
#include "tooldata/toolregistry.h"
#include "transferfixture.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

using namespace gearmart;

namespace {
// A row without long notes.
constexpr int kRow = DownloadedSubToolWidget::kBaseHeight;
} // namespace

class TestToolBoard : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    std::unique_ptr<transfertest::Model> m_model;

    std::unique_ptr<ToolBoxWidget> makeBoard()
    {
        m_model = std::make_unique<transfertest::Model>();
        auto board = std::make_unique<ToolBoxWidget>(&m_model->transfers);
        board->resize(1034, 700);
        board->show();
        if (!QTest::qWaitForWindowExposed(board.get()))
            return nullptr;
        return board;
    }

    static QGraphicsView* allToolsView(ToolBoxWidget* board) { return board->downloadToolsWidget()->view(); }

    // Viewport point of a spot on the row's background (no button there).
    static QPoint rowSpot(ToolBoxWidget* board, int key)
    {
        DroppableProxyWidget* proxy = board->downloadedScene()->proxyOf(key);
        return allToolsView(board)->mapFromScene(proxy->mapToScene(QPointF(300, 20)));
    }

    static QPoint dropTargetCentre(ToolBoxWidget* board)
    {
        DeleteFrame* frame = board->downloadToolsWidget()->deleteFrame();
        return allToolsView(board)->viewport()->mapFromGlobal(frame->mapToGlobal(frame->rect().center()));
    }

    // Press at from, move in small steps to to, release there.
    static void drag(ToolBoxWidget* board, const QPoint& from, const QPoint& to)
    {
        QWidget* viewport = allToolsView(board)->viewport();
        boardtest::sendMouse(viewport, QEvent::MouseButtonPress, from);
        const int steps = 12;
        for (int i = 1; i <= steps; ++i)
            boardtest::sendMouse(viewport, QEvent::MouseMove, from + (to - from) * i / steps);
        boardtest::sendMouse(viewport, QEvent::MouseButtonRelease, to);
    }

    static QString registryKey(int key) { return ToolRegistry::keyPath(ToolProductGuids::guid(key)); }

    platform::Registry registry() const
    {
        return platform::Registry(m_install->path() + QStringLiteral("/registry"));
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
        // Tool 5 shares tool 3's place: it takes the next free one.
        m_install = boardtest::install(boardtest::tools(2, 6),
                                       {{2, 2, true}, {3, 0, false}, {4, 1, true}, {5, 0, false}});
        QVERIFY(m_install);
    }

    void cleanup()
    {
        QCOMPARE(TipDialog::requestCountForTesting(), 0); // no unexpected message
        m_model.reset();
        m_install.reset();
    }

    void fillsInTheSavedOrder()
    {
        auto board = makeBoard();
        QVERIFY(board);
        QCOMPARE(board->downloadedScene()->toolKeys(), (QVector<int>{3, 4, 2, 5}));
        QCOMPARE(board->updateScene()->toolKeys(), (QVector<int>{4, 2}));
        QCOMPARE(board->toolOrder(), (QMap<int, int>{{3, 0}, {4, 1}, {2, 2}, {5, 3}}));
        QCOMPARE(board->downloadToolsWidget()->stack()->currentIndex(), 1);
        // Rows stand one below the other.
        for (int i = 0; i < 4; ++i)
            QCOMPARE(board->downloadedScene()->proxies().at(i)->pos(), QPointF(0, kRow * i));
        QVERIFY(board->updateNumLabel()->isVisible());
        QCOMPARE(board->updateNumLabel()->text(), QStringLiteral("2"));
        QVERIFY(board->tipFrame()->isVisible());
        // Wider, the rows take the room instead of leaving a gap.
        board->resize(1600, 700);
        QTRY_COMPARE(board->downloadedScene()->rowOf(3)->width(),
                     allToolsView(board.get())->viewport()->width() - 2);

        // The update tab hides badge and hint.
        board->tabWidget()->updateableToolButton()->click();
        QVERIFY(!board->updateNumLabel()->isVisible());
        QVERIFY(!board->tipFrame()->isVisible());
        QCOMPARE(board->updateToolsWidget()->stack()->currentIndex(), 1);
        board->onShowToolBoxWidget();
        QCOMPARE(board->tabWidget()->currentIndex(), 0);
        QVERIFY(board->updateNumLabel()->isVisible());
    }

    void aTallRowPushesTheRowsBelowIt()
    {
        ToolDataManager::instance()->toolInfos()[4].UpdateENIntro =
            QStringLiteral("A longer note. ").repeated(80);
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* scene = board->downloadedScene();
        const int tall = scene->rowOf(4)->height();
        QVERIFY(tall > kRow);
        QCOMPARE(scene->proxyOf(4)->extraHeight(), tall - kRow);
        QTRY_COMPARE(scene->proxyOf(2)->pos(), QPointF(0, kRow + tall));
        // Tool 2's row may wrap its texts too; the next one starts below it.
        const int second = scene->rowOf(2)->height();
        QCOMPARE(scene->proxyOf(5)->pos(), QPointF(0, kRow + tall + second));
        QCOMPARE(scene->heightSum(), 2 * kRow + tall + second);
    }

    void dragReordersAndSavesTheOrder()
    {
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* scene = board->downloadedScene();
        // A press without a move changes nothing and schedules nothing.
        boardtest::sendMouse(allToolsView(board.get())->viewport(), QEvent::MouseButtonPress,
                             rowSpot(board.get(), 3));
        boardtest::sendMouse(allToolsView(board.get())->viewport(), QEvent::MouseButtonRelease,
                             rowSpot(board.get(), 3));
        QVERIFY(!scene->isRelayoutPending());
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 4, 2, 5}));

        // The first row dragged below the third.
        const QPoint from = rowSpot(board.get(), 3);
        drag(board.get(), from, from + QPoint(0, 2 * kRow + 30));
        QCOMPARE(scene->toolKeys(), (QVector<int>{4, 2, 3, 5}));
        QVERIFY(!board->downloadToolsWidget()->deleteFrame()->isVisible());
        QTRY_VERIFY(!scene->isRelayoutPending() && !scene->isAnimating());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(scene->proxies().at(i)->pos(), QPointF(0, kRow * i));
        QCOMPARE(boardtest::savedListOrder(*m_install).value(3), 2);
        QCOMPARE(boardtest::savedListOrder(*m_install).value(4), 0);
        QCOMPARE(boardtest::savedListOrder(*m_install).value(5), 3);

        // And back up to the top.
        const QPoint again = rowSpot(board.get(), 5);
        drag(board.get(), again, again - QPoint(0, 3 * kRow + 10));
        QCOMPARE(scene->toolKeys(), (QVector<int>{5, 4, 2, 3}));
        QCOMPARE(boardtest::savedListOrder(*m_install).value(5), 0);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void keyboardReordersTheFocusedRow()
    {
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* scene = board->downloadedScene();
        QGraphicsView* view = allToolsView(board.get());
        view->setFocus();
        scene->setFocusItem(scene->proxyOf(4));
        QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 2, 4, 5}));
        QCOMPARE(boardtest::savedListOrder(*m_install).value(4), 2);
        QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier); // already last
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 2, 5, 4}));
        QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(scene->toolKeys(), (QVector<int>{3, 2, 4, 5}));
        QTRY_VERIFY(!scene->isAnimating());
        QCOMPARE(scene->proxyOf(4)->pos(), QPointF(0, 2 * kRow));
        QCOMPARE(boardtest::savedListOrder(*m_install),
                 (QMap<int, int>{{0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 2}, {5, 3}, {6, 0}}));
    }

    void dropOnTheTargetDeletesEverything()
    {
        ToolDataManager* data = ToolDataManager::instance();
        data->registerTool(4);
        QVERIFY(registry().holdsValues(registryKey(4)));
        QVERIFY(ToolLauncher::createDesktopShortcut(4));
        const QString entry = ToolLauncher::shortcutPath(4);
        QVERIFY(QFileInfo::exists(entry));
        const QString folder = ToolLauncher::toolFolder(4);
        QVERIFY(QFileInfo(folder).isDir());

        auto board = makeBoard();
        QVERIFY(board);
        QSignalSpy deleted(board.get(), &ToolBoxWidget::signalToolDeleted);
        QSignalSpy hover(board->downloadToolsWidget(), &DownloadToolsWidget::signalHoverOnDeleteFrame);
        TipDialog::setNextAnswerForTesting(1);
        drag(board.get(), rowSpot(board.get(), 4), dropTargetCentre(board.get()));
        QVERIFY(hover.count() > 0);
        QCOMPARE(hover.last().first().toBool(), true);
        QTRY_VERIFY(!board->downloadedScene()->proxyOf(4));
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        QVERIFY(TipDialog::lastRequestForTesting().text.contains(QStringLiteral("Tool4")));
        TipDialog::resetForTesting();

        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QFileInfo(ToolLauncher::toolFolder(3)).isDir());
        QVERIFY(!QFileInfo::exists(entry));
        QVERIFY(!registry().holdsValues(registryKey(4)));
        QCOMPARE(data->toolStates().value(4).IsDownload, 0);
        QCOMPARE(boardtest::savedElement(*m_install, 4, "IsNeedUpdate"), QByteArray("0"));
        QCOMPARE(board->updateScene()->toolKeys(), (QVector<int>{2}));
        QCOMPARE(board->updateNumLabel()->text(), QStringLiteral("1"));
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.last().at(0).toInt(), 4);
        QTRY_VERIFY(!board->downloadedScene()->isAnimating() &&
                    !board->downloadedScene()->isRelayoutPending());
        QCOMPARE(board->downloadedScene()->proxyOf(2)->pos(), QPointF(0, kRow));
        QCOMPARE(board->downloadedScene()->proxyOf(5)->pos(), QPointF(0, 2 * kRow));
    }

    void aDeclinedOrRefusedDeleteKeepsTheTool()
    {
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* scene = board->downloadedScene();
        const QString folder = ToolLauncher::toolFolder(3);

        // Declined at the question.
        TipDialog::setNextAnswerForTesting(0);
        scene->onDeleteTool(3);
        QVERIFY(scene->proxyOf(3));
        QVERIFY(QFileInfo(folder).isDir());

        // A folder outside the download folder is not touched.
        QTemporaryDir elsewhere;
        QVERIFY(testcatalog::writeFile(elsewhere.filePath(QStringLiteral("keep.txt")), "x"));
        auto& state = ToolDataManager::instance()->toolStates()[3];
        state.IsInstalledByInstaller = true;
        state.InstallLocation = elsewhere.path();
        TipDialog::setNextAnswerForTesting(1);
        TipDialog::setNextAnswerForTesting(1);
        scene->onDeleteTool(3);
        QVERIFY(scene->proxyOf(3));
        QVERIFY(QFileInfo::exists(elsewhere.filePath(QStringLiteral("keep.txt"))));
        QVERIFY(
            TipDialog::lastRequestForTesting().text.contains(QStringLiteral("not in the download folder")));
        QCOMPARE(ToolDataManager::instance()->toolStates().value(3).IsDownload, 1);
        QCOMPARE(TipDialog::requestCountForTesting(), 3);
        TipDialog::resetForTesting();
    }

    void keyboardDeleteAndTheEmptyPage()
    {
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* scene = board->downloadedScene();
        QSignalSpy allUpgraded(board.get(), &ToolBoxWidget::signalAllToolUpgraded);
        // A tool whose upgrade runs has it cancelled before its folder goes.
        m_model->running(2);
        for (int key : {3, 5, 4, 2}) {
            TipDialog::setNextAnswerForTesting(1);
            QTest::keyClick(scene->rowOf(key), Qt::Key_Delete);
            QTRY_VERIFY(!scene->proxyOf(key));
        }
        QCOMPARE(TipDialog::requestCountForTesting(), 4);
        TipDialog::resetForTesting();
        QCOMPARE(m_model->methods(), (QList<int>{DownloadSubTool, CancelDownloadSubTool}));
        QCOMPARE(board->downloadToolsWidget()->stack()->currentIndex(), 0);
        QVERIFY(!board->updateNumLabel()->isVisible());
        QVERIFY(allUpgraded.count() > 0);
        QCOMPARE(board->updateToolsWidget()->stack()->currentIndex(), 0);
        QVERIFY(!board->updateToolsWidget()->batchUpdateButton()->isEnabled());
        // The download root and SubTools stay even when emptied.
        QVERIFY(QFileInfo(ConfigManager::instance()->downloadPath() + QStringLiteral("/SubTools")).isDir());

        // The next finished download shows the list again.
        m_model->running(6);
        m_model->answer(DownloadProgress, 6, QStringLiteral("200"));
        QCOMPARE(scene->toolKeys(), (QVector<int>{6}));
        QCOMPARE(board->downloadToolsWidget()->stack()->currentIndex(), 1);
    }

    void aRunningToolIsNotDeleted()
    {
        const testcatalog::Tool tool = testcatalog::uniquelyNamedTool(6, QStringLiteral("Busybody"));
        m_install = boardtest::install({tool}, {{6, 0, false}});
        QVERIFY(m_install);
        const QString program = ToolLauncher::executablePath(6);
        QVERIFY(testcatalog::writeNamedStayingTool(program));
        auto board = makeBoard();
        QVERIFY(board);
        DownloadedSubToolWidget* row = board->downloadedScene()->rowOf(6);
        row->findChild<QPushButton*>(QStringLiteral("m_openBtn"))->click();
        const qint64 pid = row->launcher().launchedPid();
        QVERIFY(pid > 0);
        QTRY_VERIFY(ToolLauncher::isRunning(6));
        TipDialog::setNextAnswerForTesting(1);
        board->downloadedScene()->onDeleteTool(6);
        QVERIFY(board->downloadedScene()->proxyOf(6));
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 tool.enName + QStringLiteral(" Software already opened."));
        QVERIFY(QFileInfo::exists(program));
        QCOMPARE(ToolLauncher::terminateAllLaunched(), 1); // as the client's close does
        QTRY_VERIFY(testcatalog::processEnded(pid));
        TipDialog::resetForTesting();
    }

    void checkAllFollowsTheRows()
    {
        auto board = makeBoard();
        QVERIFY(board);
        UpdateToolsWidget* page = board->updateToolsWidget();
        ToolUpdateScene* scene = board->updateScene();
        board->tabWidget()->updateableToolButton()->click();
        page->batchUpdateButton()->click();
        QVERIFY(page->isSelecting());
        QVERIFY(page->checkAllBox()->isVisible());
        QVERIFY(!page->batchUpdateButton()->isVisible());
        QVERIFY(scene->rowOf(2)->findChild<QCheckBox*>()->isVisible());

        scene->rowOf(4)->setChecked(true);
        QCOMPARE(page->checkAllBox()->checkState(), Qt::PartiallyChecked);
        scene->rowOf(2)->setChecked(true);
        QCOMPARE(page->checkAllBox()->checkState(), Qt::Checked);
        scene->rowOf(2)->setChecked(false);
        QCOMPARE(page->checkAllBox()->checkState(), Qt::PartiallyChecked);
        // A click from the partial state checks every row.
        QTest::mouseClick(page->checkAllBox(), Qt::LeftButton);
        QCOMPARE(page->checkAllBox()->checkState(), Qt::Checked);
        QVERIFY(scene->rowOf(2)->isChecked() && scene->rowOf(4)->isChecked());
        QTest::mouseClick(page->checkAllBox(), Qt::LeftButton);
        QCOMPARE(page->checkAllBox()->checkState(), Qt::Unchecked);
        QVERIFY(!scene->rowOf(2)->isChecked() && !scene->rowOf(4)->isChecked());

        page->cancelButton()->click();
        QVERIFY(!page->isSelecting());
        QVERIFY(!scene->rowOf(2)->findChild<QCheckBox*>()->isVisible());
    }

    void batchTakesCheckedRowsAtRest()
    {
        auto board = makeBoard();
        QVERIFY(board);
        UpdateToolsWidget* page = board->updateToolsWidget();
        ToolUpdateScene* scene = board->updateScene();
        board->tabWidget()->updateableToolButton()->click();

        // Nothing checked: nothing to ask for, and the user is told why.
        page->batchUpdateButton()->click();
        TipDialog::setNextAnswerForTesting(1);
        page->updateButton()->click();
        QVERIFY(m_model->sent.isEmpty());
        QVERIFY(!page->isSelecting());
        QVERIFY(TipDialog::lastRequestForTesting().text.startsWith(QStringLiteral("No tool is ticked")));
        TipDialog::resetForTesting();

        // A failed row is left out even when checked.
        m_model->failed(2, -1);
        const int before = m_model->sent.size();
        page->batchUpdateButton()->click();
        QTest::mouseClick(page->checkAllBox(), Qt::LeftButton);
        page->updateButton()->click();
        QCOMPARE(m_model->sent.size(), before + 1);
        QCOMPARE(m_model->sent.last().method, int(DownloadSubTool));
        QCOMPARE(m_model->sent.last().urlToUnzipDir.keys(),
                 QStringList{ToolDataManager::instance()->downloadAddress(4)});
        // Both rows of the batched tool show the upgrade at once.
        QCOMPARE(scene->rowOf(4)->updateState(), UpdateStateUpdating);
        QCOMPARE(board->downloadedScene()->rowOf(4)->updateState(), UpdateStateUpdating);
    }

    // The search hides the rows it does not match on both lists; while it
    // does, the order is not edited and hidden rows are not updated unseen.
    void searchFiltersBothLists()
    {
        auto board = makeBoard();
        QVERIFY(board);
        ToolDownloadedScene* all = board->downloadedScene();
        ToolUpdateScene* updates = board->updateScene();
        QLineEdit* search = board->tabWidget()->searchField();
        QTest::keyClicks(search, QStringLiteral("tool 4"));
        QCOMPARE(all->shownRowCount(), 1);
        QVERIFY(all->proxyOf(4)->isVisible() && !all->proxyOf(3)->isVisible());
        QCOMPARE(all->proxyOf(4)->pos(), QPointF(0, 0)); // closed up
        QCOMPARE(all->toolKeys(), (QVector<int>{3, 4, 2, 5}));
        QVERIFY(!all->moveTool(4, 1));
        QCOMPARE(updates->shownRowCount(), 1);

        // Checking all and updating take the shown row only.
        board->tabWidget()->updateableToolButton()->click();
        board->updateToolsWidget()->batchUpdateButton()->click();
        updates->onSolveCheckAllState(Qt::Checked);
        QVERIFY(updates->rowOf(4)->isChecked() && !updates->rowOf(2)->isChecked());
        board->updateToolsWidget()->updateButton()->click();
        QCOMPARE(m_model->sent.last().urlToUnzipDir.keys(),
                 QStringList{ToolDataManager::instance()->downloadAddress(4)});

        // Nothing matches: said so over the list, with a way back.
        search->setText(QStringLiteral("nothing like it"));
        QVERIFY(board->noMatchPanel()->isVisible());
        QCOMPARE(updates->shownRowCount(), 0);
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(search->text().isEmpty());
        QVERIFY(!board->noMatchPanel()->isVisible());
        QCOMPARE(all->shownRowCount(), 4);
        // Third in the order again, right below the two rows before it.
        QCOMPARE(all->proxyOf(2)->pos(), QPointF(0, all->proxyOf(3)->rowHeight() + all->proxyOf(4)->rowHeight()));
        QVERIFY(all->moveTool(4, 1));
    }

    void rowsOfOneToolStayInStep()
    {
        auto board = makeBoard();
        QVERIFY(board);
        QSignalSpy allUpgraded(board.get(), &ToolBoxWidget::signalAllToolUpgraded);
        DownloadedSubToolWidget* listed = board->updateScene()->rowOf(2);
        DownloadedSubToolWidget* all = board->downloadedScene()->rowOf(2);

        all->findChild<QPushButton*>(QStringLiteral("m_upgradeBtn"))->click();
        QCOMPARE(m_model->methods(), QList<int>{DownloadSubTool});
        QCOMPARE(listed->updateState(), UpdateStateUpdating);
        m_model->answer(DownloadSubTool, 2, ClientValue::Waiting);
        QCOMPARE(listed->updateState(), UpdateStateWaiting);
        QCOMPARE(all->updateState(), UpdateStateWaiting);
        m_model->transfers.onWaitingToolsStartDownload(2);
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        m_model->answer(DownloadProgress, 2, QStringLiteral("37"));
        QCOMPARE(listed->findChild<ProgressBar*>()->value(), 37);
        QCOMPARE(all->findChild<ProgressBar*>()->value(), 37);

        // Cancelled in the update list: the other row rests as well.
        listed->findChild<QPushButton*>(QStringLiteral("m_cancelUpgradeBtn"))->click();
        QCOMPARE(all->updateState(), UpdateStateAvailable);
        QCOMPARE(m_model->methods().last(), int(CancelDownloadSubTool));
        m_model->answer(CancelDownloadSubTool, 2, QStringLiteral("0"));

        // Completion takes the tool off the update list and the badge.
        listed->findChild<QPushButton*>(QStringLiteral("m_upgradeBtn"))->click();
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        m_model->answer(DownloadProgress, 2, QStringLiteral("200"));
        QVERIFY(!board->updateScene()->proxyOf(2));
        QCOMPARE(all->updateState(), UpdateStateUpToDate);
        QCOMPARE(board->updateNumLabel()->text(), QStringLiteral("1"));
        QCOMPARE(board->updateCount(), 1);
        QCOMPARE(allUpgraded.count(), 0);
        // An upgrade started on another page ends here too.
        m_model->running(4);
        m_model->answer(DownloadProgress, 4, QStringLiteral("200"));
        QCOMPARE(ToolDataManager::instance()->toolStates().value(4).IsNeedUpdate, 0);
        QCOMPARE(board->updateCount(), 0);
        QVERIFY(!board->updateNumLabel()->isVisible());
        QVERIFY(allUpgraded.count() > 0);
    }

    // A skipped update leaves the update list, the badge and the batch; its
    // undo (from the settings) brings it back.
    void aSkippedUpdateIsNotOffered()
    {
        auto board = makeBoard();
        QVERIFY(board);
        DownloadedSubToolWidget* all = board->downloadedScene()->rowOf(2);
        QPushButton* skip = all->findChild<QPushButton*>(QStringLiteral("m_skipBtn"));
        QVERIFY(skip->isVisibleTo(all));
        skip->click();
        QCOMPARE(board->updateScene()->toolKeys(), QVector<int>{4});
        QCOMPARE(board->updateNumLabel()->text(), QStringLiteral("1"));
        QCOMPARE(all->updateState(), UpdateStateUpToDate);
        QVERIFY(!skip->isVisibleTo(all));
        QVERIFY(testcatalog::read(m_install->filePath(QStringLiteral("ToolsLocalInfo.xml")))
                    .contains("<SkippedVersion>1.0.0.1</SkippedVersion>"));

        // "Update all" leaves it out.
        board->tabWidget()->updateableToolButton()->click();
        board->updateToolsWidget()->batchUpdateButton()->click();
        board->updateScene()->onSolveCheckAllState(Qt::Checked);
        board->updateToolsWidget()->updateButton()->click();
        QCOMPARE(m_model->sent.size(), 1);
        QCOMPARE(m_model->sent.first().urlToUnzipDir.size(), 1);
        QCOMPARE(m_model->transfers.record(2).state, TransferState::Idle);

        QVERIFY(InstalledTools::instance()->undoSkip(2));
        QCOMPARE(board->updateScene()->toolKeys(), (QVector<int>{4, 2}));
        QCOMPARE(all->updateState(), UpdateStateAvailable);
        board->onShowToolBoxWidget();
        QCOMPARE(board->updateNumLabel()->text(), QStringLiteral("2"));
    }

    // A row is a scene item: a message it parented would be drawn inside the
    // list, under the cover, where nobody can press OK.
    void aRowsMessageShowsOverTheWindow()
    {
        auto board = makeBoard();
        QVERIFY(board);
        QVERIFY(ConfigManager::instance()->setDownloadPath(QString()));
        TipDialog::setNextAnswerForTesting(1);
        board->downloadedScene()->rowOf(2)->findChild<QPushButton*>(QStringLiteral("m_upgradeBtn"))->click();
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        QCOMPARE(TipDialog::lastRequestForTesting().parent.data(), board->window());
        TipDialog::resetForTesting();
    }

    void everyControlHasAName()
    {
        auto board = makeBoard();
        QVERIFY(board);
        const auto controls = board->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QAbstractScrollArea*>(control) ||
                qobject_cast<DeleteFrame*>(control))
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
        for (DroppableProxyWidget* proxy : board->downloadedScene()->proxies()) {
            for (QAbstractButton* button : proxy->widget()->findChildren<QAbstractButton*>())
                QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(button->objectName()));
        }
    }

    // A screen reader finds the rows under their view, in order, and reaches
    // each row's buttons and their press action.
    void screenReadersWalkTheRows()
    {
        auto board = makeBoard();
        QVERIFY(board);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(allToolsView(board.get()));
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        const QList<DroppableProxyWidget*> proxies = board->downloadedScene()->proxies();
        QCOMPARE(list->childCount(), proxies.size());
        for (int i = 0; i < proxies.size(); ++i) {
            QAccessibleInterface* row = list->child(i);
            QVERIFY(row);
            QCOMPARE(row->object(), proxies.at(i)->widget());
            QCOMPARE(row->parent(), list);
            QCOMPARE(list->indexOfChild(row), i);
            QVERIFY(!row->text(QAccessible::Name).isEmpty());
            QVERIFY(list->rect().intersects(row->rect()));
            bool pressable = false;
            for (int j = 0; j < row->childCount(); ++j) {
                QAccessibleInterface* control = row->child(j);
                if (control->role() == QAccessible::Button && control->actionInterface() &&
                    control->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()))
                    pressable = true;
            }
            QVERIFY2(pressable, qPrintable(row->text(QAccessible::Name)));
        }
    }
};

QTEST_MAIN(TestToolBoard)
#include "tst_toolboard.moc"
