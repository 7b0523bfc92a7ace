// The uninstaller as the user meets it: the start with its checks and
// confirmation (answered through the tip dialog's seam), the window's
// progress and completion pages, closing while the worker runs, and the
// choice of translation files.
#include "core/appconfig.h"
#include "core/installprocessmgr.h"
#include "core/uninstallthread.h"
#include "quillkit/commandbutton.h"
#include "quillkit/modaltipdialog.h"
#include "quillkit/secondcommandbutton.h"
#include "ui/application.h"
#include "ui/customtitlewidget.h"
#include "ui/installingpage.h"
#include "ui/mainwindow.h"
#include "ui/uninstallcompletedpage.h"
#include "ui/uninstaller.h"
#include "ui/upperwidget.h"
#include "unmoorsandbox.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

using namespace appinstaller;
using quillkit::CModalTipDialog;
using unmoortest::StandInProcess;
using unmoortest::UnmoorSandbox;

namespace {

bool exists(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// A user with an installation, its key and shortcuts, and the uninstaller's
// configuration loaded.
struct InstalledUser
{
    UnmoorSandbox sandbox;
    QString installation;

    explicit InstalledUser(bool registered = true, const QString& guid = UnmoorSandbox::kGuid,
                           bool withManifest = false)
    {
        installation = sandbox.makeInstallation(sandbox.root() + QStringLiteral("/opt/Gearloft"),
                                                UnmoorSandbox::kGuid, withManifest);
        // The uninstaller at work is the one inside this installation.
        InstallProcessMgr::instance()->setOwnFolderForTesting(installation);
        if (registered)
            sandbox.registerProduct(installation);
        sandbox.writeShortcuts();
        const QString config = sandbox.root() + QStringLiteral("/AppConfig.xml");
        UnmoorSandbox::writeFile(config, UnmoorSandbox::appConfigXml(guid));
        AppConfig::instance()->load(config);
    }

    bool untouched() const
    {
        for (const QString& shortcut : sandbox.productShortcuts()) {
            if (!exists(shortcut))
                return false;
        }
        return exists(installation + QStringLiteral("/Gearloft")) && exists(sandbox.keyFile());
    }

    bool removed() const
    {
        for (const QString& shortcut : sandbox.productShortcuts()) {
            if (exists(shortcut))
                return false;
        }
        return !exists(installation) && !exists(sandbox.keyFile());
    }
};

} // namespace

class TestUnmoorWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { CModalTipDialog::clearAnswersForTesting(); }

    void progressShowsStepPercentageAndBar_data()
    {
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("fillWidth");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("30") << 30 << 192;
        QTest::newRow("60") << 60 << 385;
        QTest::newRow("100") << 100 << 642;
    }

    void progressShowsStepPercentageAndBar()
    {
        QFETCH(int, process);
        QFETCH(int, fillWidth);
        MainWindow window;
        window.show();
        InstallingPage* page = window.installingPage();
        QCOMPARE(page->processBar()->width(), 648);
        QCOMPARE(page->processFill()->width(), 0);
        QVERIFY(page->progressLabel()->text().isEmpty());

        page->onProcessInfo(process, QStringLiteral("Step"));
        QCOMPARE(page->installingLabel()->text(), QStringLiteral("Step"));
        QCOMPARE(page->progressLabel()->text(), QString::number(process) + QLatin1Char('%'));
        QCOMPARE(page->process(), process);
        QTRY_COMPARE(page->processFill()->width(), fillWidth);
        // A report of 100 alone does not finish: only the worker's end does.
        QCOMPARE(window.stackedWidget()->currentWidget(), static_cast<QWidget*>(page));
    }

    void windowIsFramelessAndFixed()
    {
        MainWindow window;
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.minimumSize(), QSize(744, 504));
        QCOMPARE(window.maximumSize(), QSize(744, 504));
        QVERIFY(window.styleSheet().contains(QLatin1String("appinstaller--InstallingPage")));
        QCOMPARE(window.stackedWidget()->objectName(), QStringLiteral("m_pInstallStackedWidget"));
        QCOMPARE(window.stackedWidget()->count(), 2);
        QVERIFY(!window.installingPage()->cancelButton()->isHidden());
        QCOMPARE(window.installingPage()->cancelButton()->text(), QStringLiteral("UndoMerge"));
        CustomTitleWidget* title = window.installingPage()->upperWidget()->titleWidget();
        QCOMPARE(title->titleLabel()->text(), QStringLiteral("LoftwardenuZxkRHANyR"));
        QVERIFY(!title->closeButton()->accessibleName().isEmpty());
    }

    void refusedWhileTheClientRuns()
    {
        InstalledUser user;
        StandInProcess client(QStringLiteral("Gearloft"));
        QVERIFY(client.isRunning());
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);

        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), -1);
        const auto shown = CModalTipDialog::shownForTesting();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().model, int(CModalTipDialog::ModelWarn));
        QCOMPARE(shown.first().text, QStringLiteral("TheClientIsRunningPrnptTrdtT"));
        QVERIFY(!uninstaller.mainWindow()->isVisible());
        QVERIFY(user.untouched());
    }

    void notInstalledWarns_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::addColumn<QString>("guid");
        QTest::newRow("no product key") << false << UnmoorSandbox::kGuid;
        // With no GUID the Uninstall key itself must not count as ours.
        QTest::newRow("no GUID") << true << QString();
    }

    void notInstalledWarns()
    {
        QFETCH(bool, registered);
        QFETCH(QString, guid);
        InstalledUser user(registered, guid);
        const QString uninstallKeyFile = QFileInfo(user.sandbox.keyFile()).path() + QStringLiteral(".ini");
        QVERIFY(UnmoorSandbox::writeFile(uninstallKeyFile, "[General]\ninstallpath=/\n"));
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);

        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), -1);
        const auto shown = CModalTipDialog::shownForTesting();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QStringLiteral("ThisSoftwareIsNotCurmXqDCfI"));
        QVERIFY(exists(user.installation + QStringLiteral("/Gearloft")));
        QVERIFY(exists(uninstallKeyFile));
        QCOMPARE(exists(user.sandbox.keyFile()), registered);
    }

    void declinedChangesNothing()
    {
        InstalledUser user;
        CModalTipDialog::setNextAnswerForTesting(QDialog::Rejected);
        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), -1);
        const auto shown = CModalTipDialog::shownForTesting();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().model, int(CModalTipDialog::ModelConfirm));
        QCOMPARE(shown.first().size, int(CModalTipDialog::SizeLarge));
        QCOMPARE(shown.first().text, QStringLiteral("DetermineTheUninstalfYANYiIa"));
        QVERIFY(!uninstaller.mainWindow()->isVisible());
        QVERIFY(user.untouched());
    }

    void confirmedRunsToTheCompletionPage()
    {
        InstalledUser user;
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);
        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), 0);
        MainWindow* window = uninstaller.mainWindow();
        InstallingPage* installing = window->installingPage();
        QVERIFY(window->isVisible());
        QVERIFY(installing->cancelButton()->isHidden());
        QSignalSpy finished(installing, &InstallingPage::signalunInstallFinished);

        QTRY_COMPARE(window->stackedWidget()->currentWidget(),
                     static_cast<QWidget*>(window->completedPage()));
        QCOMPARE(finished.count(), 1);
        QVERIFY(installing->thread()->isFinished());
        QCOMPARE(installing->progressLabel()->text(), QStringLiteral("100%"));
        QCOMPARE(installing->installingLabel()->text(), QStringLiteral("Uninstalled"));
        QCOMPARE(installing->processFill()->width(), 642);
        QVERIFY(user.removed());
        for (const QString& other : user.sandbox.foreignShortcuts())
            QVERIFY(exists(other));
        UnInstallCompletedPage* completed = window->completedPage();
        QCOMPARE(completed->infoLabel()->text(), QStringLiteral("Uninstalled"));
        QVERIFY(completed->keptFolderLabel()->isHidden());
        QVERIFY(completed->leftReasonLabel()->isHidden());

        QTest::mouseClick(completed->completedButton(), Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }

    void completionSaysWhatWasLeftAndWhy_data()
    {
        QTest::addColumn<bool>("withManifest");
        QTest::addColumn<QString>("reason");
        QTest::newRow("old installation, not recognisably ours") << false << "LeftFolderNotRecognisedJcRsNo";
        QTest::newRow("file added after install") << true << "LeftFilesAddedLaterTzQmWe";
    }

    void completionSaysWhatWasLeftAndWhy()
    {
        QFETCH(bool, withManifest);
        QFETCH(QString, reason);
        InstalledUser user(true, UnmoorSandbox::kGuid, withManifest);
        const QString left = withManifest ? QStringLiteral("/Download/tool") : QStringLiteral("/Gearloft");
        if (withManifest)
            QVERIFY(UnmoorSandbox::writeFile(user.installation + left, "downloaded"));
        else
            QVERIFY(QFile::remove(user.installation + QStringLiteral("/AppConfig.xml")));
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);
        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), 0);
        MainWindow* window = uninstaller.mainWindow();
        QTRY_COMPARE(window->stackedWidget()->currentWidget(),
                     static_cast<QWidget*>(window->completedPage()));
        QVERIFY(exists(user.installation + left));
        QVERIFY(!exists(user.sandbox.keyFile()));
        UnInstallCompletedPage* completed = window->completedPage();
        QCOMPARE(completed->infoLabel()->text(), QStringLiteral("UninstalledFolderKeptRqWbNx"));
        QVERIFY(!completed->leftReasonLabel()->isHidden());
        QCOMPARE(completed->leftReasonLabel()->text(), reason);
        QVERIFY(!completed->keptFolderLabel()->isHidden());
        QCOMPARE(completed->keptFolderLabel()->text(), user.installation);
        QCOMPARE(completed->iconButton()->property("kept").toBool(), true);

        // The title bar's close ends it as well.
        QTest::mouseClick(completed->upperWidget()->titleWidget()->closeButton(), Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }

    void closingDuringTheWorkerWaitsForIt()
    {
        InstalledUser user;
        // Enough files that the worker is still busy when the close comes.
        for (int i = 0; i < 400; ++i)
            UnmoorSandbox::writeFile(user.installation + QStringLiteral("/ToolsFile/f%1.png").arg(i), "x");
        CModalTipDialog::setNextAnswerForTesting(QDialog::Accepted);
        Uninstaller uninstaller;
        QCOMPARE(uninstaller.start(), 0);
        MainWindow* window = uninstaller.mainWindow();
        InstallingPage* installing = window->installingPage();

        // No event has been processed yet, so the worker's end cannot have
        // arrived: the close must be put off.
        QVERIFY(installing->isUnInstalling());
        QTest::mouseClick(installing->upperWidget()->titleWidget()->closeButton(), Qt::LeftButton);
        QVERIFY(window->isVisible());

        QTRY_VERIFY(!window->isVisible());
        QVERIFY(installing->thread()->isFinished());
        QCOMPARE(window->stackedWidget()->currentWidget(), static_cast<QWidget*>(window->completedPage()));
        QCOMPARE(installing->process(), 100);
        QVERIFY(user.removed());
    }

    void translationFilesFollowTheLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China)
                                 << QStringList{"gearmart_zh.qm", "unmoor_zh.qm"};
        QTest::newRow("Chinese, Taiwan")
            << QLocale(QLocale::Chinese, QLocale::Taiwan) << QStringList{"gearmart_zh.qm", "unmoor_zh.qm"};
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                                 << QStringList{"unmoor_en.qm"};
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QStringList{"unmoor_en.qm"};
    }

    void translationFilesFollowTheLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        for (const char* name : {"unmoor_zh.qm", "unmoor_en.qm", "gearmart_zh.qm", "readme_zh.txt"})
            UnmoorSandbox::writeFile(dir.filePath(QString::fromLatin1(name)), "qm");
        QDir().mkpath(dir.filePath(QStringLiteral("old_en.qm.d")));
        QCOMPARE(Application::translationFiles(dir.path(), locale), files);
    }

    // Last: it leaves Chinese installed on the application.
    void chineseTranslationsAreLoaded()
    {
        auto* app = qobject_cast<Application*>(QCoreApplication::instance());
        QVERIFY(app);
        app->loadTranslations(QStringLiteral(UNMOOR_TRANSLATIONS_DIR),
                              QLocale(QLocale::Chinese, QLocale::China));
        QCOMPARE(QObject::tr("DeleteShortcutULXVgdVTs"), QStringLiteral("正在删除快捷方式…"));
        MainWindow window;
        QCOMPARE(window.completedPage()->completedButton()->text(), QStringLiteral("完成"));
        QCOMPARE(window.installingPage()->upperWidget()->titleWidget()->titleLabel()->text(),
                 QStringLiteral("Loftwarden 卸载程序"));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestUnmoorWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unmoorwindow.moc"
