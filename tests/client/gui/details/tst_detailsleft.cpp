// The details page's left column: looks from the tool state and from the
// tool's transfer, and what its buttons ask for.
#include "common/installedtoolactions.h"
#include "common/signingate.h"
#include "common/transferprogresslabel.h"
#include "config/configmanager.h"
#include "details/moreinfoleftwidget.h"
#include "detailsfixture.h"
#include "installed/installedtools.h"
#include "system/systemutils.h"
#include "transfer/transferfailure.h"
#include "transfer/transferprogresstext.h"
#include "transferfixture.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <csignal>

using detailstest::DetailsInstallation;
using detailstest::pressAccessible;
using detailstest::ToolSpec;
using gearmart::InstalledToolActions;
using gearmart::InstalledTools;
using gearmart::MoreInfoLeftWidget;
using gearmart::ProgressBar;
using gearmart::TipDialog;
using gearmart::ToolDataManager;
using Look = MoreInfoLeftWidget::Look;

Q_DECLARE_METATYPE(MoreInfoLeftWidget::Look)

namespace {

constexpr int kKey = 7;

// What the column asked for since the last take: its covers, in order,
// then the methods of the requests it had the model send.
class Recorder
{
public:
    Recorder(MoreInfoLeftWidget* left, const transfertest::Model* model)
        : m_model(model), m_first(model->sent.size())
    {
        QObject::connect(left, &MoreInfoLeftWidget::signalCover, &m_context,
                         [this](bool cover) { m_covers << QStringLiteral("cover %1").arg(cover); });
    }
    QStringList take()
    {
        QStringList events = std::exchange(m_covers, {});
        for (int i = m_first; i < m_model->sent.size(); ++i)
            events << QStringLiteral("request %1").arg(m_model->sent.at(i).method);
        m_first = m_model->sent.size();
        return events;
    }

private:
    QObject m_context;
    const transfertest::Model* m_model;
    int m_first;
    QStringList m_covers;
};

// Ends the tools this test opened: processes running this test's own copy
// of the fake tool, which lives in a temporary folder of this test.
void killProcessesOf(const QString& executable)
{
    const QString target = QFileInfo(executable).canonicalFilePath();
    if (target.isEmpty())
        return;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const int id = pid.toInt(&number);
        if (!number || id <= 1)
            continue;
        const QString running = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
        if (!running.isEmpty() && running == target)
            ::kill(id, SIGTERM);
    }
}

bool installFakeTool(const QString& target)
{
    QDir().mkpath(QFileInfo(target).path());
    return QFile::copy(QStringLiteral(DETAILS_FAKE_TOOL), target) &&
           QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner);
}

} // namespace

class TestDetailsLeft : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DetailsInstallation> m_install;
    std::unique_ptr<transfertest::Model> m_model;
    std::unique_ptr<MoreInfoLeftWidget> m_left;
    ToolSpec m_tool;

    void make(const ToolSpec& tool = ToolSpec(), const QMap<QString, QString>& setup = {}, int isDownload = 0,
              int isNeedUpdate = 0)
    {
        m_tool = tool;
        m_install = std::make_unique<DetailsInstallation>(setup);
        QVERIFY(m_install->load({tool}));
        DetailsInstallation::setState(tool.key, isDownload, isNeedUpdate);
        m_model = std::make_unique<transfertest::Model>();
        m_left = std::make_unique<MoreInfoLeftWidget>(DetailsInstallation::record(tool.key), &m_model->transfers);
        m_left->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_left.get()));
    }
    template <typename T> T* child(const char* name) const
    {
        auto* widget = m_left->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    bool shown(const char* name) const { return child<QWidget>(name)->isVisibleTo(m_left.get()); }
    ProgressBar* bar() const { return child<ProgressBar>("progressBar"); }

    // The widgets each look shows, checked against the look the column reports.
    void verifyLook(Look look) const
    {
        QCOMPARE(m_left->look(), look);
        const bool idle =
            look == Look::NotInstalled || look == Look::Installed || look == Look::UpdateAvailable;
        QCOMPARE(shown("openBtnWidget"), idle);
        QCOMPARE(shown("downloadBtn"), look == Look::NotInstalled);
        QCOMPARE(shown("openBtn"), look == Look::Installed || look == Look::UpdateAvailable);
        QCOMPARE(shown("updateBtnWidget"), look == Look::UpdateAvailable);
        QCOMPARE(shown("progressBarWidget"), !idle);
        QCOMPARE(shown("deleteBtn"), !idle);
        QCOMPARE(shown("refreshBtn"), look == Look::Failed);
        if (look == Look::Downloading) {
            QCOMPARE(bar()->mode(), 0);
            QCOMPARE(bar()->chunkColor(), QColor(QStringLiteral("#3BCD8D")));
        } else if (look == Look::Waiting) {
            QCOMPARE(bar()->mode(), 2);
            QCOMPARE(bar()->text(), QStringLiteral("Waiting..."));
        } else if (look == Look::Failed) {
            QCOMPARE(bar()->mode(), 1);
            QCOMPARE(bar()->text(), QStringLiteral("download fail"));
            QCOMPARE(bar()->chunkColor(), QColor(QStringLiteral("#FA3239")));
        }
    }

private slots:
    void initTestCase() { TipDialog::resetForTesting(); }

    void cleanup()
    {
        if (m_install)
            killProcessesOf(m_install->installedExecutable(m_tool));
        m_left.reset();
        m_model.reset();
        m_install.reset();
        gearmart::SignInGate::setProgramForTesting(QString());
        TipDialog::resetForTesting();
    }

    void looksFollowToolState_data()
    {
        QTest::addColumn<int>("isDownload");
        QTest::addColumn<int>("isNeedUpdate");
        QTest::addColumn<Look>("look");
        QTest::newRow("not installed") << 0 << 0 << Look::NotInstalled;
        QTest::newRow("not installed, stale update flag") << 0 << 1 << Look::NotInstalled;
        QTest::newRow("installed") << 1 << 0 << Look::Installed;
        QTest::newRow("update available") << 1 << 1 << Look::UpdateAvailable;
    }

    // At construction and again after a cancelled download.
    void looksFollowToolState()
    {
        QFETCH(int, isDownload);
        QFETCH(int, isNeedUpdate);
        QFETCH(Look, look);
        make(ToolSpec(), {}, isDownload, isNeedUpdate);
        verifyLook(look);

        Recorder recorder(m_left.get(), m_model.get());
        m_left->onRefresh();
        m_model->answer(gearmart::DownloadSubTool, kKey, QStringLiteral("0"));
        m_model->answer(gearmart::DownloadProgress, kKey, QStringLiteral("40"));
        verifyLook(Look::Downloading);
        QCOMPARE(bar()->value(), 40);
        QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Cancel download of NetProbe")));
        QTRY_COMPARE(m_model->methods().size(), 2);
        verifyLook(look);
        QCOMPARE(bar()->value(), 0);
        QCOMPARE(recorder.take(), QStringList({"request 3", "request 5"}));
    }

    // The column shows whatever the model holds for its tool.
    void looksRenderTheTransfer_data()
    {
        QTest::addColumn<QStringList>("answers"); // method:value, after the request
        QTest::addColumn<Look>("look");
        QTest::addColumn<int>("barValue");
        QTest::newRow("accepted") << QStringList{"3:0"} << Look::Downloading << 0;
        QTest::newRow("57") << QStringList{"3:0", "4:57"} << Look::Downloading << 57;
        QTest::newRow("unpacking shows 99") << QStringList{"3:0", "4:100"} << Look::Downloading << 99;
        QTest::newRow("queued") << QStringList{"3:120"} << Look::Waiting << 0;
        QTest::newRow("refused") << QStringList{"3:404"} << Look::Failed << 0;
        QTest::newRow("failed on the way") << QStringList{"3:0", "4:30", "4:-1"} << Look::Failed << 30;
        QTest::newRow("installed") << QStringList{"3:0", "4:200"} << Look::Installed << 0;
        QTest::newRow("another tool's answers") << QStringList{"3:0", "4:30", "other"} << Look::Downloading << 30;
    }

    void looksRenderTheTransfer()
    {
        QFETCH(QStringList, answers);
        QFETCH(Look, look);
        QFETCH(int, barValue);
        ToolSpec other;
        other.key = kKey + 1;
        other.enName = QStringLiteral("Other");
        m_install = std::make_unique<DetailsInstallation>();
        QVERIFY(m_install->load({ToolSpec(), other}));
        m_model = std::make_unique<transfertest::Model>();
        m_left = std::make_unique<MoreInfoLeftWidget>(DetailsInstallation::record(kKey), &m_model->transfers);
        m_left->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_left.get()));
        m_left->onRefresh();
        for (const QString& answer : answers) {
            if (answer == QLatin1String("other")) {
                m_model->failed(kKey + 1, 404);
                continue;
            }
            const QStringList parts = answer.split(QLatin1Char(':'));
            m_model->answer(parts.at(0).toInt(), kKey, parts.at(1));
        }
        verifyLook(look);
        if (look != Look::Installed)
            QCOMPARE(bar()->value(), barValue);
        const gearmart::TransferRecord record = m_model->transfers.record(kKey);
        QCOMPARE(bar()->toolTip(), look == Look::Failed ? gearmart::TransferFailure::text(
                                                                record, gearmart::TransferFailure::Wording::Details)
                                                          : QString());
        if (look == Look::Failed) {
            // Retrying starts over with a clean bar.
            Recorder recorder(m_left.get(), m_model.get());
            const int before = m_model->sent.size();
            QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Retry download of NetProbe")));
            QTRY_COMPARE(m_model->sent.size(), before + 1);
            QCOMPARE(recorder.take(), QStringList{"request 3"});
            verifyLook(Look::Downloading);
            QCOMPARE(bar()->toolTip(), QString());
        }
    }

    void transferLineFollowsTheDownload()
    {
        make();
        auto* line = child<gearmart::TransferProgressLabel>("transferLabel");
        QCOMPARE(line->accessibleName(), QStringLiteral("Transfer progress of NetProbe"));
        gearmart::TransferProgress figures;
        figures.received = 3 * 1024 * 1024;
        figures.total = 10 * 1024 * 1024;
        figures.rate = 1024 * 1024;

        m_model->running(kKey, 30);
        QVERIFY(!line->isVisibleTo(m_left.get()));
        verifyLook(Look::Downloading);
        m_model->transfers.onTransferProgress({{kKey, figures}});
        QVERIFY(line->isVisibleTo(m_left.get()));
        QCOMPARE(line->fullText(), gearmart::TransferProgressText::format(figures));
        QCoreApplication::processEvents();
        QVERIFY(line->geometry().top() >= child<QWidget>("progressBarWidget")->geometry().bottom());
        QVERIFY(line->geometry().bottom() < child<QWidget>("infoWidget")->geometry().top());

        // Completion takes it away; so does the failure of a new download.
        m_model->answer(gearmart::DownloadProgress, kKey, QStringLiteral("200"));
        verifyLook(Look::Installed);
        QVERIFY(!line->isVisibleTo(m_left.get()));
        m_model->running(kKey, 10);
        m_model->transfers.onTransferProgress({{kKey, figures}});
        QVERIFY(line->isVisibleTo(m_left.get()));
        m_model->answer(gearmart::DownloadProgress, kKey, QStringLiteral("-1"));
        verifyLook(Look::Failed);
        QVERIFY(!line->isVisibleTo(m_left.get()));
    }

    void aToolDeletedOnTheBoard()
    {
        make(ToolSpec(), {}, 1, 0);
        m_left->onToolDeleted(kKey + 1);
        verifyLook(Look::Installed);
        DetailsInstallation::setState(kKey, 0, 0);
        m_left->onToolDeleted(kKey);
        verifyLook(Look::NotInstalled);
    }

    void downloadButtonRequestsTheDownload()
    {
        make();
        Recorder recorder(m_left.get(), m_model.get());
        QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Download")));
        QTRY_COMPARE(m_model->sent.size(), 1);
        QCOMPARE(recorder.take(), QStringList({"request 3"}));
        verifyLook(Look::Downloading);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void downloadChecks_data()
    {
        QTest::addColumn<QString>("downloadPath");
        QTest::addColumn<QString>("toolSize");
        QTest::addColumn<QString>("message");
        QTest::newRow("no download folder") << ""
                                            << "1.5"
                                            << "Please set downlaod path at system setting page.";
        QTest::newRow("too big for the disk")
            << "<default>"
            << "1e15"
            << "Disk free space little than tool Size, please modify download Path.";
    }

    void downloadChecks()
    {
        QFETCH(QString, downloadPath);
        QFETCH(QString, toolSize);
        QFETCH(QString, message);
        ToolSpec tool;
        tool.toolSize = toolSize;
        QMap<QString, QString> setup;
        if (downloadPath != QLatin1String("<default>"))
            setup.insert(QStringLiteral("DownloadPath"), downloadPath);
        make(tool, setup);
        Recorder recorder(m_left.get(), m_model.get());
        TipDialog::setNextAnswerForTesting(1);
        QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Download")));
        QTRY_COMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request request = TipDialog::lastRequestForTesting();
        QCOMPARE(request.text, message);
        QCOMPARE(request.iconPath, QStringLiteral(":/Gearmart/Image/Gearmatt/icon/notice.png"));
        QCOMPARE(request.okText, QStringLiteral("OK"));
        QVERIFY(!request.showCancel);
        QCOMPARE(request.parent.data(), m_left.get());
        QCOMPARE(recorder.take(), QStringList({"cover 1", "cover 0"}));
        verifyLook(Look::NotInstalled);
    }

    void signInGate_data()
    {
        QTest::addColumn<QString>("signIn");
        QTest::addColumn<QStringList>("events");
        // Signgate's exit code 1 means signed in.
        QTest::newRow("signed in") << "/bin/false" << QStringList{"cover 1", "cover 0", "request 3"};
        QTest::newRow("abandoned") << "/bin/true" << QStringList{"cover 1", "cover 0"};
    }

    void signInGate()
    {
        QFETCH(QString, signIn);
        QFETCH(QStringList, events);
        ToolSpec tool;
        tool.isDown = 1;
        make(tool);
        gearmart::SignInGate::setProgramForTesting(signIn);
        Recorder recorder(m_left.get(), m_model.get());
        m_left->onDownloadTool();
        QCOMPARE(recorder.take(), events);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
    }

    void updateIsRefusedWhileTheToolRuns()
    {
        make(ToolSpec(), {}, 1, 1);
        verifyLook(Look::UpdateAvailable);
        const QString executable = m_install->installedExecutable(m_tool);
        QVERIFY(installFakeTool(executable));
        QProcess running;
        running.start(executable, QStringList());
        QVERIFY(running.waitForStarted());

        Recorder recorder(m_left.get(), m_model.get());
        TipDialog::setNextAnswerForTesting(1);
        QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Update")));
        QTRY_COMPARE(TipDialog::requestCountForTesting(), 1);
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("NetProbe have already open, please close at first."));
        QCOMPARE(TipDialog::lastRequestForTesting().parent.data(), m_left.get());
        QCOMPARE(recorder.take(), QStringList({"cover 1", "cover 0"}));
        verifyLook(Look::UpdateAvailable);

        running.terminate();
        QVERIFY(running.waitForFinished());
        m_left->onUpdateTool();
        QCOMPARE(recorder.take(), QStringList({"request 3"}));
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
    }

    void openLaunchesOnceAndCloseEndsItWhenAsked()
    {
        make(ToolSpec(), {{QStringLiteral("IsCloseOpenTools"), QStringLiteral("0")}}, 1, 0);
        const QString executable = m_install->installedExecutable(m_tool);
        QVERIFY(installFakeTool(executable));
        QVERIFY(!gearmart::isProgramRunning(m_tool.exeName));

        Recorder recorder(m_left.get(), m_model.get());
        QVERIFY(pressAccessible(m_left.get(), QStringLiteral("Open")));
        QTRY_VERIFY(gearmart::isProgramRunning(m_tool.exeName));

        TipDialog::setNextAnswerForTesting(1);
        m_left->onOpenTool();
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("NetProbe have already open."));
        QCOMPARE(recorder.take(), QStringList({"cover 1", "cover 0"}));

        // Known to the client's close, which ends it when asked.
        QCOMPARE(gearmart::ToolLauncher::terminateAllLaunched(), 1);
        QTRY_VERIFY(!gearmart::isProgramRunning(m_tool.exeName));
    }

    void openWithoutTheProgramDownloadsIt()
    {
        make(ToolSpec(), {}, 1, 0);
        Recorder recorder(m_left.get(), m_model.get());
        m_left->onOpenTool();
        QCOMPARE(recorder.take(), QStringList({"request 3"}));
        verifyLook(Look::Downloading);
    }

    void facts_data()
    {
        QTest::addColumn<QString>("toolSize");
        QTest::addColumn<QString>("sizeText");
        QTest::newRow("fraction") << "1.5"
                                  << "1.5MB";
        QTest::newRow("float noise is cut") << "0.1"
                                            << "0.1MB";
        QTest::newRow("six digits") << "1234.5678"
                                    << "1234.57MB";
        QTest::newRow("whole") << "100"
                               << "100MB";
        QTest::newRow("large goes exponential") << "1234567"
                                                << "1.23457e+06MB";
        QTest::newRow("zero") << "0"
                              << "0MB";
    }

    void facts()
    {
        QFETCH(QString, toolSize);
        QFETCH(QString, sizeText);
        ToolSpec tool;
        tool.toolSize = toolSize;
        make(tool);
        QCOMPARE(child<QLabel>("sizeLabel")->text(), sizeText);
        QCOMPARE(child<QLabel>("versionLabel")->text(), QStringLiteral("V2.0.0.3"));
        QCOMPARE(child<QLabel>("timeLabel")->text(), QStringLiteral("2026-11-30"));
        QCOMPARE(child<QLabel>("label_3")->text(), QStringLiteral("size:"));
    }

    // Beside the catalog's facts, what is on this disk, and the way back.
    void installedFactsAndRollBack()
    {
        make(ToolSpec(), {}, 0, 0);
        QVERIFY(!shown("installedVersionLabel"));
        QVERIFY(!shown("showFolderBtn"));
        QVERIFY(installFakeTool(m_install->installedExecutable(m_tool)));
        const QString folder = QFileInfo(m_install->installedExecutable(m_tool)).path();
        const QString kept = QFileInfo(folder).path() + QStringLiteral("/.") + QFileInfo(folder).fileName() +
                             QStringLiteral(".previous");
        QVERIFY(QDir().mkpath(kept));
        ToolDataManager* data = ToolDataManager::instance();
        data->toolStates()[kKey].CurrentVersion = QStringLiteral("2.0.0.2");
        DetailsInstallation::setState(kKey, 1, 1);
        m_model->running(kKey);
        // Not while an update replaces the files.
        QVERIFY(shown("installedVersionLabel"));
        QVERIFY(!shown("rollbackBtn"));
        m_left->onCancel();
        m_model->answer(gearmart::CancelDownloadSubTool, kKey, QStringLiteral("0"));

        QCOMPARE(child<QLabel>("versionLabel")->text(), QStringLiteral("V2.0.0.3"));
        QCOMPARE(child<QLabel>("installedVersionLabel")->text(), QStringLiteral("V2.0.0.2"));
        InstalledTools::instance()->waitForMeasurementsForTesting();
        QCOMPARE(child<QLabel>("diskSizeLabel")->text(),
                 InstalledToolActions::sizeText(gearmart::folderSize(folder)));
        QCOMPARE(child<QLabel>("installedAtLabel")->text(),
                 QFileInfo(folder).lastModified().date().toString(Qt::ISODate));
        // Kept by an update nobody recorded: its version is not known.
        auto* rollback = child<QPushButton>("rollbackBtn");
        QVERIFY(shown("rollbackBtn"));
        QCOMPARE(rollback->text(), QStringLiteral("Roll back to the previous version"));
        TipDialog::setNextAnswerForTesting(1);
        TipDialog::setNextAnswerForTesting(1);
        rollback->click();
        QVERIFY(
            QFileInfo(kept + QLatin1Char('/') + QFileInfo(m_install->installedExecutable(m_tool)).fileName())
                .exists());
        QCOMPARE(child<QLabel>("installedVersionLabel")->text(), QStringLiteral("an earlier version"));
        // The newer version is skipped: nothing offers it here.
        verifyLook(Look::Installed);
        QVERIFY(!shown("rollbackBtn"));
    }

    void logoComesFromTheLargeIcon()
    {
        m_install = std::make_unique<DetailsInstallation>();
        QVERIFY(m_install->writePicture(QStringLiteral("ToolsFile/Icon/netprobe_max.png"), Qt::red,
                                        QSize(64, 64)));
        QVERIFY(m_install->writePicture(QStringLiteral("ToolsFile/Icon/netprobe_mid.png"), Qt::blue,
                                        QSize(64, 64)));
        QVERIFY(m_install->load({ToolSpec()}));
        m_model = std::make_unique<transfertest::Model>();
        MoreInfoLeftWidget left(DetailsInstallation::record(kKey), &m_model->transfers);
        left.show();
        QVERIFY(QTest::qWaitForWindowExposed(&left));
        auto* logo = left.findChild<QLabel*>(QStringLiteral("logoLabel"));
        QCOMPARE(logo->size(), QSize(128, 128));
        const QImage image = logo->grab().toImage();
        QCOMPARE(image.pixelColor(64, 64), QColor(Qt::red));
        QCOMPARE(image.pixelColor(2, 125), QColor(Qt::red));

        // Without the file the placeholder shows, and the column still works.
        ToolSpec other;
        other.key = 8;
        other.enName = QStringLiteral("NoIcon");
        QVERIFY(m_install->load({ToolSpec(), other}));
        MoreInfoLeftWidget bare(DetailsInstallation::record(8), &m_model->transfers);
        QVERIFY(gearmart::PictureCache::instance().isPlaceholder(
            bare.findChild<QLabel*>(QStringLiteral("logoLabel"))->pixmap(Qt::ReturnByValue)));
    }

    void iconButtonsAreNamedForTheTool()
    {
        make(ToolSpec(), {{QStringLiteral("Translator"), QStringLiteral("1")}});
        m_model->failed(kKey, 404);
        // Names follow the interface language's tool name.
        QVERIFY(detailstest::findAccessible(m_left.get(), QStringLiteral("Cancel download of 网探")));
        QVERIFY(detailstest::findAccessible(m_left.get(), QStringLiteral("Retry download of 网探")));
        for (const char* name : {"downloadBtn", "openBtn", "updateBtn", "deleteBtn", "refreshBtn"}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(child<QWidget>(name));
            QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), name);
        }
    }
};

QTEST_MAIN(TestDetailsLeft)
#include "tst_detailsleft.moc"
