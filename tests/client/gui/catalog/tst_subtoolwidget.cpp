// The tool card: its form and looks from the catalog, the checks before a
// download, the answers of the service driving its state, the sign-in gate
// and launching, reached by clicks and through accessibility.
#include "catalog/subtoolwidget.h"
#include "catalogfixture.h"
#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/transferprogresshub.h"
#include "common/transferprogresslabel.h"
#include "transfer/transferprogresstext.h"
#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <signal.h>

using namespace gearmart;
using Look = SubToolWidget::Look;
using testcatalog::Tool;

namespace {

const QColor kDownloadGreen(QStringLiteral("#3BCD8D"));
const QColor kFailureRed(QStringLiteral("#FA3239"));

TransferProgress someFigures()
{
    TransferProgress progress;
    progress.received = 12897484;
    progress.total = 200 * 1024 * 1024;
    progress.rate = 47395635;
    return progress;
}

// A progress reply as the router delivers it: the value, then the figures.
void progressReply(SubToolWidget* card, int key, const QString& value, const TransferProgress& figures)
{
    card->onServerResponded(4, {{key, value}});
    TransferProgressHub::instance()->onTransferProgress({{key, figures}});
}

struct Probe
{
    explicit Probe(SubToolWidget* card)
        : download(card, &SubToolWidget::signalDownload), toMainPage(card, &SubToolWidget::signalToMainPage),
          cover(card, &SubToolWidget::signalCover), moreInfo(card, &SubToolWidget::signalShowMoreInfoWidget)
    {
    }

    // The methods of the requests, in order.
    QList<int> methods() const
    {
        QList<int> list;
        for (const auto& args : download) {
            if (args[1].value<QVector<int>>().size() != 1)
                list << -100; // always one key
            list << args[0].toInt();
        }
        return list;
    }
    QList<int> states() const
    {
        QList<int> list;
        for (const auto& args : toMainPage)
            list << args[0].value<ToolCurrentState>();
        return list;
    }
    QList<bool> covers() const
    {
        QList<bool> list;
        for (const auto& args : cover)
            list << args[0].toBool();
        return list;
    }
    void clear()
    {
        download.clear();
        toMainPage.clear();
        cover.clear();
        moreInfo.clear();
    }

    QSignalSpy download;
    QSignalSpy toMainPage;
    QSignalSpy cover;
    QSignalSpy moreInfo;
};

template <typename T> T* child(QWidget* card, const char* name)
{
    return card->findChild<T*>(QString::fromLatin1(name));
}

QStringList shownActions(SubToolWidget* card)
{
    QStringList shown;
    for (const char* name : {"downLoadBtn", "OpenBtn", "progressBar", "cancelBtn", "refreshBtn"}) {
        if (child<QWidget>(card, name)->isVisibleTo(card))
            shown << QString::fromLatin1(name);
    }
    return shown;
}

// A tool whose program name no other process of this or an earlier run
// carries, so that the running check sees only this test's process.
Tool launchableTool(int key)
{
    Tool tool = testcatalog::tool(key);
    tool.exeName = QStringLiteral("Opener%1_%2.exe").arg(key).arg(QRandomGenerator::global()->generate());
    return tool;
}

QStringList expectedActions(Look look)
{
    switch (look) {
    case Look::NotInstalled:
        return {QStringLiteral("downLoadBtn")};
    case Look::Installed:
        return {QStringLiteral("OpenBtn")};
    case Look::Downloading:
    case Look::Waiting:
        return {QStringLiteral("progressBar"), QStringLiteral("cancelBtn")};
    case Look::Failed:
        return {QStringLiteral("progressBar"), QStringLiteral("cancelBtn"), QStringLiteral("refreshBtn")};
    }
    return {};
}

} // namespace

class TestSubToolWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    QTemporaryDir m_programs;
    QList<qint64> m_pids;
    QString m_freeSpaceAskedFor;

    void install(const QList<Tool>& tools, const QMap<QString, QString>& setup = {},
                 const QList<int>& knownKeys = {})
    {
        m_install = catalogtest::install(tools, setup, knownKeys);
        QVERIFY(m_install);
    }

    void setInstalled(int key)
    {
        ToolState& state = ToolDataManager::instance()->toolStates()[key];
        state.ToolKey = key;
        state.IsDownload = 1;
    }

    QString signInProgram(const QByteArray& body)
    {
        const QString path = m_programs.filePath(QStringLiteral("Signgate"));
        const QByteArray log = QFile::encodeName(m_programs.filePath(QStringLiteral("runs.txt")));
        testcatalog::writeScript(path, "echo run >> '" + log + "'\n" + body);
        return path;
    }

    int signInRuns() const
    {
        return testcatalog::read(m_programs.filePath(QStringLiteral("runs.txt"))).count('\n');
    }

    // A card whose download the service has accepted.
    std::unique_ptr<SubToolWidget> downloadingCard(int key)
    {
        auto card = std::make_unique<SubToolWidget>(key);
        card->setPollInterval(10);
        card->show();
        child<QPushButton>(card.get(), "downLoadBtn")->click();
        card->onServerResponded(3, {{key, QStringLiteral("0")}});
        return card;
    }

private slots:
    void initTestCase() { qRegisterMetaType<Look>(); }

    void init()
    {
        TipDialog::resetForTesting();
        PictureCache::instance().clear();
        QFile::remove(m_programs.filePath(QStringLiteral("runs.txt")));
        m_freeSpaceAskedFor.clear();
        SubToolWidget::setFreeSpaceFunctionForTesting([this](const QString& path) {
            m_freeSpaceAskedFor = path;
            return 100.0;
        });
        SignInGate::setProgramForTesting(signInProgram("exit 1"));
    }

    void cleanup()
    {
        for (qint64 pid : qAsConst(m_pids))
            ::kill(pid_t(pid), SIGKILL);
        m_pids.clear();
        SubToolWidget::setFreeSpaceFunctionForTesting({});
        SignInGate::setProgramForTesting(QString());
        m_install.reset();
    }

    void formFollowsTheCatalog()
    {
        Tool fresh = testcatalog::tool(2);
        fresh.isDown = 1;
        install({fresh, testcatalog::tool(3)}, {}, {3});
        QVERIFY(QDir().mkpath(m_install->filePath(QStringLiteral("ToolsFile/Icon"))));
        QVERIFY(catalogtest::solid(Qt::blue, QSize(64, 32))
                    .save(m_install->filePath(QStringLiteral("ToolsFile/Icon/tool2_mid.png"))));
        setInstalled(3);

        SubToolWidget fresh2(2);
        SubToolWidget installed3(3);
        QCOMPARE(fresh2.size(), QSize(234, 254));
        QCOMPARE(fresh2.minimumSize(), fresh2.maximumSize());
        const QList<QPair<const char*, QSize>> sizes{
            {"newStateLabel", {32, 32}},     {"logoLabel", {96, 96}},    {"authorLabel", {24, 24}},
            {"toolInfoTextedit", {208, 40}}, {"widget", {230, 35}},      {"OpenBtn", {210, 32}},
            {"downLoadBtn", {210, 32}},      {"progressBar", {180, 14}}, {"refreshBtn", {24, 24}},
            {"cancelBtn", {24, 24}},         {"pushButton", {100, 16}}};
        for (const auto& [name, size] : sizes) {
            QWidget* widget = child<QWidget>(&fresh2, name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->minimumSize(), size);
            QCOMPARE(widget->maximumSize(), size);
        }
        QVERIFY(qobject_cast<ProgressBar*>(child<QWidget>(&fresh2, "progressBar")));
        QCOMPARE(child<QWidget>(&fresh2, "pushButton")->styleSheet(),
                 QStringLiteral("border:none;\nbackground-color: rgb(255, 255, 255);"));
        QCOMPARE(child<QPushButton>(&fresh2, "toolName")->text(), QStringLiteral("Tool2"));
        QCOMPARE(child<QLabel>(&fresh2, "toolInfoTextedit")->text(), QStringLiteral("About Tool2"));
        QCOMPARE(child<QPushButton>(&fresh2, "OpenBtn")->text(), QStringLiteral("Open"));
        QCOMPARE(child<QPushButton>(&fresh2, "downLoadBtn")->text(), QStringLiteral("Download"));

        // Badges and looks from the state record and the catalog.
        QVERIFY(child<QWidget>(&fresh2, "newStateLabel")->isVisibleTo(&fresh2));
        QVERIFY(child<QWidget>(&fresh2, "authorLabel")->isVisibleTo(&fresh2));
        QCOMPARE(shownActions(&fresh2), expectedActions(Look::NotInstalled));
        QVERIFY(!child<QWidget>(&installed3, "newStateLabel")->isVisibleTo(&installed3));
        QVERIFY(!child<QWidget>(&installed3, "authorLabel")->isVisibleTo(&installed3));
        QCOMPARE(shownActions(&installed3), expectedActions(Look::Installed));
        QCOMPARE(fresh2.cardState(), ToolStateNone);

        // The logo scaled to 96 high; a missing one leaves a placeholder, not a hole.
        const QPixmap logo = child<QLabel>(&fresh2, "logoLabel")->pixmap(Qt::ReturnByValue);
        QCOMPARE(logo.height(), 96);
        QCOMPARE(logo.toImage().pixelColor(logo.width() / 2, 48), QColor(Qt::blue));
        const QPixmap missing = child<QLabel>(&installed3, "logoLabel")->pixmap(Qt::ReturnByValue);
        QCOMPARE(missing.size(), QSize(96, 96));
        QVERIFY(PictureCache::instance().isPlaceholder(missing));
    }

    void namesFollowTheLanguage()
    {
        install({testcatalog::tool(2)}, {{QStringLiteral("Translator"), QStringLiteral("1")}});
        SubToolWidget card(2);
        QCOMPARE(child<QPushButton>(&card, "toolName")->text(), QStringLiteral("工具2"));
        QCOMPARE(child<QLabel>(&card, "toolInfoTextedit")->text(), QStringLiteral("工具2的简介"));
    }

    void aCardWithoutRecordStaysEmpty()
    {
        install({testcatalog::tool(2)});
        SubToolWidget card(42);
        Probe probe(&card);
        QVERIFY(!card.hasRecord());
        QVERIFY(shownActions(&card).isEmpty());
        card.onServerResponded(3, {{42, QStringLiteral("0")}});
        card.onSubToolsStateChanged(ToolDownloadRequested, 42);
        QVERIFY(!card.isPolling());
        QVERIFY(shownActions(&card).isEmpty());
        QVERIFY(probe.download.isEmpty());
    }

    void styleSheetsDrawTheBadges()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)}, {}, {3});
        QFile qss(QStringLiteral(":/Gearmart/Qss/pages.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        QWidget window;
        window.setStyleSheet(QString::fromUtf8(qss.readAll()));
        auto* fresh = new SubToolWidget(2, &window);
        auto* known = new SubToolWidget(3, &window);
        known->move(240, 0);
        window.resize(480, 260);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect badge = child<QWidget>(fresh, "newStateLabel")->geometry();
        const QImage freshImage = fresh->grab(badge).toImage();
        const QImage knownImage = known->grab(badge).toImage();
        QVERIFY(freshImage != knownImage);
    }

    void downloadNeedsADownloadPath()
    {
        install({testcatalog::tool(2)}, {{QStringLiteral("DownloadPath"), QString()}});
        SubToolWidget card(2);
        Probe probe(&card);
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request tip = TipDialog::lastRequestForTesting();
        QCOMPARE(tip.text, QStringLiteral("Please set downlaod path at system setting page."));
        QCOMPARE(tip.iconPath, QStringLiteral(":/Gearmart/Image/Gearmatt/icon/notice.png"));
        QCOMPARE(tip.okText, QStringLiteral("OK"));
        QCOMPARE(tip.showCancel, false);
        QCOMPARE(tip.parent.data(), &card);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
        QVERIFY(probe.download.isEmpty());
        QCOMPARE(shownActions(&card), expectedActions(Look::NotInstalled));
    }

    void downloadNeedsRoomForTheTool_data()
    {
        QTest::addColumn<double>("freeGiB");
        QTest::addColumn<bool>("allowed");
        // ToolSize 1.5 MB against free space x 1024.
        QTest::newRow("exactly the size") << 1.5 / 1024.0 << true;
        QTest::newRow("a little less") << std::nextafter(1.5 / 1024.0, 0.0) << false;
        QTest::newRow("plenty") << 10.0 << true;
        QTest::newRow("unknown") << 0.0 << false;
    }

    void downloadNeedsRoomForTheTool()
    {
        QFETCH(double, freeGiB);
        QFETCH(bool, allowed);
        install({testcatalog::tool(2)});
        SubToolWidget::setFreeSpaceFunctionForTesting([&](const QString& path) {
            m_freeSpaceAskedFor = path;
            return freeGiB;
        });
        QWidget window;
        auto* card = new SubToolWidget(2, &window);
        Probe probe(card);
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(card, "downLoadBtn")->click();

        QCOMPARE(m_freeSpaceAskedFor, ConfigManager::instance()->downloadPath());
        if (allowed) {
            QCOMPARE(probe.methods(), QList<int>{3});
            QCOMPARE(TipDialog::requestCountForTesting(), 0);
            return;
        }
        QVERIFY(probe.download.isEmpty());
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request tip = TipDialog::lastRequestForTesting();
        QCOMPARE(tip.text,
                 QStringLiteral("Disk free space little than tool Size, please modify download Path."));
        QCOMPARE(tip.parent.data(), &window); // the card's own window
        QCOMPARE(tip.showCancel, false);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
    }

    void startingADownload()
    {
        install({testcatalog::tool(2)});
        SubToolWidget card(2);
        card.show();
        Probe probe(&card);
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(probe.download.size(), 1);
        QCOMPARE(probe.download[0][0].toInt(), 3);
        QCOMPARE(probe.download[0][1].value<QVector<int>>(), QVector<int>{2});
        QCOMPARE(probe.toMainPage.size(), 1);
        QCOMPARE(probe.toMainPage[0][0].value<ToolCurrentState>(), ToolDownloadRequested);
        QCOMPARE(probe.toMainPage[0][1].toInt(), 2);
        QCOMPARE(card.cardState(), ToolDownloadRequested);
        QCOMPARE(shownActions(&card), expectedActions(Look::Downloading));
        auto* bar = child<ProgressBar>(&card, "progressBar");
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->mode(), 0);
        QCOMPARE(bar->chunkColor(), kDownloadGreen);
        QVERIFY(!card.isPolling()); // only once the service accepts
    }

    void answersToTheDownloadRequest_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<Look>("look");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<QList<int>>("relayed");

        const QList<int> none;
        QTest::newRow("accepted") << "0" << Look::Downloading << QString() << true << QList<int>{2};
        QTest::newRow("queued") << "120" << Look::Waiting << QString() << false << none;
        const QString failed = QStringLiteral("connect to network failed.");
        QTest::newRow("no url") << "130" << Look::Failed << failed << false << none;
        QTest::newRow("200 is no success here") << "200" << Look::Failed << failed << false << none;
        QTest::newRow("-1") << "-1" << Look::Failed << failed << false << none;
        QTest::newRow("110") << "110" << Look::Failed << "connect to network timeout." << false << none;
        QTest::newRow("140") << "140" << Look::Failed << "network initial failed." << false << none;
        QTest::newRow("400") << "400" << Look::Failed << "save failed." << false << none;
        QTest::newRow("404") << "404" << Look::Failed << "file not found." << false << none;
        QTest::newRow("other negative") << "-2" << Look::Failed << "network abnomaly" << false << none;
        QTest::newRow("unknown code") << "999" << Look::Failed << "network abnomaly" << false << none;
        QTest::newRow("progress value") << "50" << Look::Failed << "network abnomaly" << false << none;
        QTest::newRow("no number") << "ok" << Look::Failed << "network abnomaly" << false << none;
        QTest::newRow("empty") << "" << Look::Failed << "network abnomaly" << false << none;
    }

    void answersToTheDownloadRequest()
    {
        QFETCH(QString, value);
        QFETCH(Look, look);
        QFETCH(QString, tip);
        QFETCH(bool, polling);
        QFETCH(QList<int>, relayed);
        install({testcatalog::tool(2)});
        SubToolWidget card(2);
        card.show();
        child<QPushButton>(&card, "downLoadBtn")->click();
        Probe probe(&card);

        card.onServerResponded(3, {{2, value}});
        QCOMPARE(card.look(), look);
        QCOMPARE(shownActions(&card), expectedActions(look));
        QCOMPARE(card.isPolling(), polling);
        QCOMPARE(probe.states(), relayed);
        QCOMPARE(card.cardState(), polling ? ToolDownloading : ToolDownloadRequested);
        auto* bar = child<ProgressBar>(&card, "progressBar");
        QCOMPARE(bar->toolTip(), tip);
        if (look == Look::Failed) {
            QCOMPARE(bar->mode(), 1);
            QCOMPARE(bar->text(), QStringLiteral("download fail"));
            QCOMPARE(bar->chunkColor(), kFailureRed);
        } else if (look == Look::Waiting) {
            QCOMPARE(bar->mode(), 2);
            QCOMPARE(bar->text(), QStringLiteral("Waiting..."));
            QCOMPARE(bar->value(), 0);
        }
        QVERIFY(probe.download.isEmpty());
    }

    void answersToProgressRequests_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<Look>("look");
        QTest::addColumn<int>("barValue");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("polling");

        QTest::newRow("0 keeps polling") << "0" << Look::Downloading << 0 << QString() << true;
        QTest::newRow("37") << "37" << Look::Downloading << 37 << QString() << true;
        QTest::newRow("95") << "95" << Look::Downloading << 95 << QString() << true;
        QTest::newRow("96 shows 95") << "96" << Look::Downloading << 95 << QString() << true;
        QTest::newRow("100 shows 99") << "100" << Look::Downloading << 99 << QString() << true;
        QTest::newRow("queued") << "120" << Look::Waiting << 0 << QString() << true;
        const QString failed = QStringLiteral("connect to network failed.");
        QTest::newRow("130") << "130" << Look::Failed << 60 << failed << false;
        QTest::newRow("-1") << "-1" << Look::Failed << 60 << failed << false;
        QTest::newRow("110") << "110" << Look::Failed << 60 << "connect to network timeout." << false;
        QTest::newRow("140") << "140" << Look::Failed << 60 << "network initial failed." << false;
        QTest::newRow("400") << "400" << Look::Failed << 60 << "save failed." << false;
        QTest::newRow("404") << "404" << Look::Failed << 60 << "file not found." << false;
        QTest::newRow("101") << "101" << Look::Failed << 60 << "network abnomaly" << false;
        QTest::newRow("-3") << "-3" << Look::Failed << 60 << "network abnomaly" << false;
    }

    void answersToProgressRequests()
    {
        QFETCH(QString, value);
        QFETCH(Look, look);
        QFETCH(int, barValue);
        QFETCH(QString, tip);
        QFETCH(bool, polling);
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        card->onServerResponded(4, {{2, QStringLiteral("60")}});
        Probe probe(card.get());

        card->onServerResponded(4, {{2, value}});
        QCOMPARE(card->look(), look);
        QCOMPARE(shownActions(card.get()), expectedActions(look));
        auto* bar = child<ProgressBar>(card.get(), "progressBar");
        QCOMPARE(bar->value(), barValue);
        QCOMPARE(bar->toolTip(), tip);
        QCOMPARE(card->isPolling(), polling);
        QCOMPARE(card->cardState(), ToolDownloading);
        QVERIFY(probe.toMainPage.isEmpty());
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, 0);
    }

    void completionInstallsTheTool()
    {
        Tool tool = testcatalog::tool(2);
        tool.version = QStringLiteral("2.3.4.5");
        install({tool});
        auto card = downloadingCard(2);
        Probe probe(card.get());
        card->onServerResponded(4, {{2, QStringLiteral("200")}});
        QCOMPARE(shownActions(card.get()), expectedActions(Look::Installed));
        QCOMPARE(card->cardState(), ToolDownloaded);
        QVERIFY(!card->isPolling());
        QCOMPARE(probe.states(), QList<int>{ToolDownloaded});
        QCOMPARE(probe.toMainPage[0][1].toInt(), 2);
        const ToolState state = ToolDataManager::instance()->toolStates().value(2);
        QCOMPARE(state.IsDownload, 1);
        QCOMPARE(state.CurrentVersion, QStringLiteral("2.3.4.5"));
        // Saved, not only in memory.
        const QByteArray saved = testcatalog::read(m_install->filePath(QStringLiteral("ToolsStateList.xml")));
        QVERIFY(saved.contains("<CurrentVersion>2.3.4.5</CurrentVersion>"));
    }

    void pollingRunsOnlyWhileDownloading()
    {
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        Probe probe(card.get());
        QCOMPARE(card->pollInterval(), 10);
        QTRY_VERIFY(probe.download.size() >= 3);
        const QList<int> methods = probe.methods();
        QVERIFY(std::all_of(methods.cbegin(), methods.cend(), [](int m) { return m == 4; }));
        card->onServerResponded(4, {{2, QStringLiteral("404")}});
        QVERIFY(!card->isPolling());

        // The retry starts over, without the checks.
        SubToolWidget::setFreeSpaceFunctionForTesting([](const QString&) { return 0.0; });
        probe.clear();
        child<QPushButton>(card.get(), "refreshBtn")->click();
        QCOMPARE(probe.methods(), QList<int>{3});
        QCOMPARE(probe.states(), QList<int>{ToolDownloadRequested});
        QCOMPARE(shownActions(card.get()), expectedActions(Look::Downloading));
        QCOMPARE(TipDialog::requestCountForTesting(), 0);

        SubToolWidget fresh(2);
        QCOMPARE(fresh.pollInterval(), 1000);
    }

    void cancelIgnoresLaterAnswers_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("not installed") << false;
        QTest::newRow("update of an installed tool") << true;
    }

    void cancelIgnoresLaterAnswers()
    {
        QFETCH(bool, installed);
        install({testcatalog::tool(2)});
        if (installed)
            setInstalled(2);
        auto card = std::make_unique<SubToolWidget>(2);
        card->setPollInterval(10);
        card->onSubToolsStateChanged(ToolDownloadRequested, 2);
        card->onServerResponded(3, {{2, QStringLiteral("0")}});
        card->onServerResponded(4, {{2, QStringLiteral("40")}});
        Probe probe(card.get());

        child<QPushButton>(card.get(), "cancelBtn")->click();
        QCOMPARE(probe.methods(), QList<int>{5});
        QCOMPARE(probe.states(), QList<int>{ToolCancelled});
        QCOMPARE(card->cardState(), ToolCancelled);
        QVERIFY(!card->isPolling());
        QCOMPARE(child<ProgressBar>(card.get(), "progressBar")->value(), 0);
        const Look resting = installed ? Look::Installed : Look::NotInstalled;
        QCOMPARE(shownActions(card.get()), expectedActions(resting));

        // Late answers change nothing, not even a completion.
        card->onServerResponded(4, {{2, QStringLiteral("200")}});
        card->onServerResponded(3, {{2, QStringLiteral("0")}});
        QCOMPARE(shownActions(card.get()), expectedActions(resting));
        QVERIFY(!card->isPolling());
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, installed ? 1 : 0);

        // A new request listens again.
        if (installed)
            card->onSubToolsStateChanged(ToolDownloadRequested, 2);
        else
            child<QPushButton>(card.get(), "downLoadBtn")->click();
        card->onServerResponded(3, {{2, QStringLiteral("0")}});
        QVERIFY(card->isPolling());
    }

    void answersForOthersAreIgnored()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)});
        auto card = downloadingCard(2);
        card->onServerResponded(4, {{2, QStringLiteral("30")}});
        Probe probe(card.get());
        card->onServerResponded(4, {{3, QStringLiteral("-1")}});
        card->onServerResponded(5, {{2, QStringLiteral("-1")}});
        card->onServerResponded(6, {{2, QStringLiteral("404")}});
        card->onServerResponded(1, {{2, QStringLiteral("200")}});
        QCOMPARE(shownActions(card.get()), expectedActions(Look::Downloading));
        QCOMPARE(child<ProgressBar>(card.get(), "progressBar")->value(), 30);
        QVERIFY(card->isPolling());
        QVERIFY(probe.toMainPage.isEmpty());
    }

    void stateChangesFromOtherPages_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<Look>("look");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<int>("cardState");
        QTest::addColumn<int>("isDownload");

        QTest::newRow("1 requested") << 1 << false << Look::Downloading << false << 1 << 0;
        QTest::newRow("2 running") << 2 << false << Look::NotInstalled << true << 2 << 0;
        QTest::newRow("3 finished elsewhere") << 3 << true << Look::Installed << false << 0 << 1;
        QTest::newRow("4 cancelled, not installed") << 4 << false << Look::NotInstalled << false << 4 << 0;
        QTest::newRow("4 cancelled, installed") << 4 << true << Look::Installed << false << 4 << 1;
        QTest::newRow("5 deleted") << 5 << true << Look::NotInstalled << false << 5 << 0;
    }

    void stateChangesFromOtherPages()
    {
        QFETCH(int, state);
        QFETCH(bool, installed);
        QFETCH(Look, look);
        QFETCH(bool, polling);
        QFETCH(int, cardState);
        QFETCH(int, isDownload);
        install({testcatalog::tool(2)});
        if (installed)
            setInstalled(2);
        SubToolWidget card(2);
        card.setPollInterval(10);
        Probe probe(&card);
        card.onSubToolsStateChanged(ToolCurrentState(state), 3); // someone else's
        QCOMPARE(card.cardState(), ToolStateNone);
        card.onSubToolsStateChanged(ToolCurrentState(state), 2);
        QCOMPARE(shownActions(&card), expectedActions(look));
        QCOMPARE(card.isPolling(), polling);
        QCOMPARE(int(card.cardState()), cardState);
        QCOMPARE(ToolDataManager::instance()->toolStates().value(2).IsDownload, isDownload);
        QVERIFY(probe.download.isEmpty());
        QVERIFY(probe.toMainPage.isEmpty());
    }

    void aQueuedDownloadGetsGoing()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)});
        SubToolWidget card(2);
        card.show();
        child<QPushButton>(&card, "downLoadBtn")->click();
        card.onServerResponded(3, {{2, QStringLiteral("120")}});
        QCOMPARE(card.look(), Look::Waiting);
        Probe probe(&card);
        card.onWaitingToolsStartDownload(3);
        QCOMPARE(card.look(), Look::Waiting);
        card.onWaitingToolsStartDownload(2);
        QCOMPARE(card.look(), Look::Downloading);
        QCOMPARE(child<ProgressBar>(&card, "progressBar")->mode(), 0);
        QCOMPARE(probe.states(), QList<int>{ToolDownloading});
        QVERIFY(probe.download.isEmpty());
    }

    void aQueuedDownloadShowsItsProgress()
    {
        // Without the queued-start notice, progress still replaces "Waiting...".
        install({testcatalog::tool(2)});
        SubToolWidget card(2);
        card.setPollInterval(10);
        card.show();
        child<QPushButton>(&card, "downLoadBtn")->click();
        card.onServerResponded(3, {{2, QStringLiteral("120")}});
        card.onServerResponded(3, {{2, QStringLiteral("0")}});
        card.onServerResponded(4, {{2, QStringLiteral("40")}});
        auto* bar = child<ProgressBar>(&card, "progressBar");
        QCOMPARE(card.look(), Look::Downloading);
        QCOMPARE(bar->mode(), 0);
        QCOMPARE(bar->text(), QStringLiteral("40%"));
        QCOMPARE(bar->chunkColor(), kDownloadGreen);
    }

    void looksAreDrawn()
    {
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        QVERIFY(QTest::qWaitForWindowExposed(card.get()));
        auto* bar = child<ProgressBar>(card.get(), "progressBar");
        card->onServerResponded(4, {{2, QStringLiteral("50")}});
        QImage image = bar->grab().toImage();
        QCOMPARE(image.pixelColor(20, 7), kDownloadGreen);
        QCOMPARE(image.pixelColor(170, 7), QColor(QStringLiteral("#E6E6E6")));
        card->onServerResponded(4, {{2, QStringLiteral("-1")}});
        image = bar->grab().toImage();
        QCOMPARE(image.pixelColor(20, 7), kFailureRed);
    }

    void transferLineSitsUnderTheBar()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)});
        auto card = downloadingCard(2);
        auto* line = child<TransferProgressLabel>(card.get(), "transferLabel");
        auto* bar = child<ProgressBar>(card.get(), "progressBar");
        QWidget* area = child<QWidget>(card.get(), "widget");
        QVERIFY(line);
        QCOMPARE(line->accessibleName(), QStringLiteral("Transfer progress of Tool2"));
        QCoreApplication::processEvents();
        const QRect barAlone = bar->geometry();

        // Replies without figures: the bar alone, where it always was.
        progressReply(card.get(), 2, QStringLiteral("12"), TransferProgress());
        QCoreApplication::processEvents();
        QVERIFY(!line->isVisibleTo(card.get()));
        QCOMPARE(bar->geometry(), barAlone);
        QCOMPARE(shownActions(card.get()), expectedActions(Look::Downloading));

        progressReply(card.get(), 2, QStringLiteral("12"), someFigures());
        QCoreApplication::processEvents();
        QVERIFY(line->isVisibleTo(card.get()));
        QCOMPARE(line->fullText(), TransferProgressText::format(someFigures()));
        QCOMPARE(bar->value(), 12);
        // Inside the action area, which keeps its size, and under the bar.
        QCOMPARE(area->size(), QSize(230, 35));
        QVERIFY(area->rect().contains(line->geometry()));
        QVERIFY(line->geometry().top() >= bar->geometry().bottom());
        QVERIFY(line->width() > bar->width());

        // Another tool's figures do not reach this card.
        TransferProgress other = someFigures();
        other.received = 1;
        TransferProgressHub::instance()->onTransferProgress({{3, other}});
        QCOMPARE(line->fullText(), TransferProgressText::format(someFigures()));

        // A reply that stops carrying figures takes the line away again.
        progressReply(card.get(), 2, QStringLiteral("100"), TransferProgress());
        QCoreApplication::processEvents();
        QVERIFY(!line->isVisibleTo(card.get()));
        QCOMPARE(bar->geometry(), barAlone);
    }

    void transferLineEndsWithTheDownload_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<Look>("look");
        QTest::newRow("finished") << QStringLiteral("200") << Look::Installed;
        QTest::newRow("failed") << QStringLiteral("-1") << Look::Failed;
        QTest::newRow("save failed") << QStringLiteral("400") << Look::Failed;
        QTest::newRow("queued again") << QStringLiteral("120") << Look::Waiting;
        QTest::newRow("cancelled") << QStringLiteral("cancel") << Look::NotInstalled;
        QTest::newRow("deleted elsewhere") << QStringLiteral("deleted") << Look::NotInstalled;
    }

    void transferLineEndsWithTheDownload()
    {
        QFETCH(QString, ending);
        QFETCH(Look, look);
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        auto* line = child<TransferProgressLabel>(card.get(), "transferLabel");
        progressReply(card.get(), 2, QStringLiteral("30"), someFigures());
        QVERIFY(line->isVisibleTo(card.get()));

        if (ending == QLatin1String("cancel"))
            child<QPushButton>(card.get(), "cancelBtn")->click();
        else if (ending == QLatin1String("deleted"))
            card->onSubToolsStateChanged(ToolDeleted, 2);
        else
            card->onServerResponded(4, {{2, ending}});
        QCOMPARE(card->look(), look);
        QVERIFY(!line->isVisibleTo(card.get()));
        QVERIFY(line->fullText().isEmpty());
        QCOMPARE(shownActions(card.get()), expectedActions(look));

        // Figures that still come (the service may send them with a final
        // value) do not bring the line back.
        TransferProgressHub::instance()->onTransferProgress({{2, someFigures()}});
        QVERIFY(!line->isVisibleTo(card.get()));
    }

    // A package that arrived damaged is named as such, not as a network
    // failure; the next failure without a reason says the usual thing.
    void aDamagedPackageIsNamed()
    {
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        auto* bar = child<ProgressBar>(card.get(), "progressBar");
        TransferProgressHub::instance()->onTransferFailures({{2, QStringLiteral("checksum")}});
        card->onServerResponded(4, {{2, QStringLiteral("-1")}});
        QCOMPARE(card->look(), Look::Failed);
        QCOMPARE(bar->toolTip(),
                 QStringLiteral("The package arrived damaged and was not installed. Please try again."));
        TransferProgressHub::instance()->onTransferFailures({{2, QStringLiteral("folder")}});
        card->onServerResponded(4, {{2, QStringLiteral("-1")}});
        QVERIFY(bar->toolTip().contains(QStringLiteral("download folder")));

        child<QPushButton>(card.get(), "refreshBtn")->click();
        card->onServerResponded(3, {{2, QStringLiteral("0")}});
        TransferProgressHub::instance()->onTransferFailures({{2, QString()}});
        card->onServerResponded(4, {{2, QStringLiteral("-1")}});
        QCOMPARE(bar->toolTip(), QStringLiteral("connect to network failed."));
    }

    void aNewDownloadStartsWithoutOldFigures()
    {
        install({testcatalog::tool(2)});
        auto card = downloadingCard(2);
        auto* line = child<TransferProgressLabel>(card.get(), "transferLabel");
        progressReply(card.get(), 2, QStringLiteral("30"), someFigures());
        card->onServerResponded(4, {{2, QStringLiteral("-1")}});
        child<QPushButton>(card.get(), "refreshBtn")->click();
        QCOMPARE(card->look(), Look::Downloading);
        QVERIFY(!line->isVisibleTo(card.get()));

        // A queued download shows figures once it runs.
        card->onServerResponded(3, {{2, QStringLiteral("120")}});
        TransferProgressHub::instance()->onTransferProgress({{2, someFigures()}});
        QVERIFY(!line->isVisibleTo(card.get()));
        card->onServerResponded(3, {{2, QStringLiteral("0")}});
        progressReply(card.get(), 2, QStringLiteral("3"), someFigures());
        QCOMPARE(card->look(), Look::Downloading);
        QVERIFY(line->isVisibleTo(card.get()));
    }

    void signInBeforeDownload()
    {
        Tool first = testcatalog::tool(2);
        first.isDown = 1;
        Tool second = testcatalog::tool(3);
        second.isDown = 1;
        install({first, second});
        SignInGate::setProgramForTesting(signInProgram("exit 0"));
        SubToolWidget card(2);
        Probe probe(&card);
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 1);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
        QVERIFY(probe.download.isEmpty());
        QCOMPARE(shownActions(&card), expectedActions(Look::NotInstalled));
        QCOMPARE(TipDialog::requestCountForTesting(), 0); // abandoned silently

        SignInGate::setProgramForTesting(signInProgram("exit 1"));
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 2);
        QCOMPARE(probe.methods(), QList<int>{3});

        // One sign-in serves every card.
        SubToolWidget other(3);
        Probe otherProbe(&other);
        child<QPushButton>(&other, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 2);
        QCOMPARE(otherProbe.methods(), QList<int>{3});
        QVERIFY(otherProbe.cover.isEmpty());
    }

    void openingAnInstalledTool()
    {
        install({launchableTool(2)});
        setInstalled(2);
        const QString folder = ToolLauncher::toolFolder(2);
        QVERIFY(testcatalog::writeNamedStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        SubToolWidget card(2);
        Probe probe(&card);

        child<QPushButton>(&card, "OpenBtn")->click();
        const qint64 pid = card.launcher().launchedPid();
        QVERIFY(pid > 0);
        m_pids << pid;
        QTRY_COMPARE(testcatalog::read(folder + QStringLiteral("/started.txt")).trimmed(), folder.toUtf8());
        QCOMPARE(testcatalog::processCwd(pid), folder);
        QVERIFY(probe.cover.isEmpty());

        // Running already: told, not started twice.
        QTRY_VERIFY(ToolLauncher::isRunning(2));
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(&card, "OpenBtn")->click();
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request tip = TipDialog::lastRequestForTesting();
        QCOMPARE(tip.text, QStringLiteral("Tool2 Software already opened.")); // name, blank, message
        QCOMPARE(tip.parent.data(), &card);
        QCOMPARE(tip.showCancel, false);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
        QCOMPARE(card.launcher().launchedPid(), pid);
        QVERIFY(probe.download.isEmpty());
    }

    void openingSignsInFirst()
    {
        Tool guarded = launchableTool(2);
        guarded.isDown = 1;
        install({guarded});
        setInstalled(2);
        QVERIFY(testcatalog::writeNamedStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        SignInGate::setProgramForTesting(signInProgram("exit 0"));
        SubToolWidget card(2);
        child<QPushButton>(&card, "OpenBtn")->click();
        QCOMPARE(signInRuns(), 1);
        QCOMPARE(card.launcher().launchedPid(), qint64(-1));

        SignInGate::setProgramForTesting(signInProgram("exit 1"));
        child<QPushButton>(&card, "OpenBtn")->click();
        QVERIFY(card.launcher().launchedPid() > 0);
        m_pids << card.launcher().launchedPid();
    }

    void aMissingProgramIsDownloadedAgain_data()
    {
        QTest::addColumn<bool>("withPath");
        QTest::newRow("download path set") << true;
        QTest::newRow("no download path") << false;
    }

    void aMissingProgramIsDownloadedAgain()
    {
        QFETCH(bool, withPath);
        QMap<QString, QString> setup;
        if (!withPath)
            setup.insert(QStringLiteral("DownloadPath"), QString());
        install({launchableTool(2)}, setup);
        setInstalled(2);
        SubToolWidget card(2);
        Probe probe(&card);
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(&card, "OpenBtn")->click();
        QCOMPARE(card.launcher().launchedPid(), qint64(-1));
        if (withPath) {
            QCOMPARE(probe.methods(), QList<int>{3});
            QCOMPARE(shownActions(&card), expectedActions(Look::Downloading));
        } else {
            QVERIFY(probe.download.isEmpty());
            QCOMPARE(TipDialog::lastRequestForTesting().text,
                     QStringLiteral("Please set downlaod path at system setting page."));
        }
    }

    // What the card opens is among the tools the client's close may end.
    void openedToolsAreKnownToTheClose()
    {
        install({launchableTool(2)});
        setInstalled(2);
        QVERIFY(testcatalog::writeStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        SubToolWidget card(2);
        child<QPushButton>(&card, "OpenBtn")->click();
        const qint64 pid = card.launcher().launchedPid();
        QVERIFY(pid > 0);
        m_pids << pid;
        QCOMPARE(ToolLauncher::terminateAllLaunched(), 1);
        QTRY_VERIFY(testcatalog::processEnded(pid));
    }

    void detailsOpenFromLogoAndName()
    {
        install({testcatalog::tool(2)});
        SubToolWidget card(2);
        card.show();
        Probe probe(&card);
        QTest::mouseClick(child<QWidget>(&card, "logoLabel"), Qt::LeftButton);
        QCOMPARE(probe.moreInfo.size(), 1);
        QVERIFY(catalogtest::press(&card, QStringLiteral("Tool2")));
        QTRY_COMPARE(probe.moreInfo.size(), 2);
        QCOMPARE(probe.moreInfo[0][0].toInt(), 2);
        QCOMPARE(probe.moreInfo[1][0].toInt(), 2);
    }

    void everyActionIsReachableByName()
    {
        install({testcatalog::tool(2), launchableTool(3)});
        setInstalled(3);
        QVERIFY(testcatalog::writeStayingTool(ToolLauncher::executablePath(3).chopped(4)));
        SubToolWidget card(2);
        SubToolWidget installed(3);
        card.show();
        installed.show();
        Probe probe(&card);

        // Only what the look shows can be found.
        QVERIFY(!catalogtest::findShown(&card, QStringLiteral("Cancel download of Tool2")));
        // Buttons press themselves a moment after the request, as on screen.
        QVERIFY(catalogtest::press(&card, QStringLiteral("Download Tool2")));
        QTRY_COMPARE(probe.methods(), QList<int>{3});
        card.onServerResponded(3, {{2, QStringLiteral("-1")}});
        QVERIFY(catalogtest::press(&card, QStringLiteral("Retry download of Tool2")));
        QTRY_COMPARE(probe.methods(), (QList<int>{3, 3}));
        QVERIFY(catalogtest::press(&card, QStringLiteral("Cancel download of Tool2")));
        QTRY_COMPARE(probe.methods(), (QList<int>{3, 3, 5}));
        QVERIFY(!catalogtest::findShown(&card, QStringLiteral("Open Tool2")));

        QVERIFY(catalogtest::press(&installed, QStringLiteral("Open Tool3")));
        QTRY_VERIFY(installed.launcher().launchedPid() > 0);
        m_pids << installed.launcher().launchedPid();

        // The filler is neither focusable nor pressable.
        auto* filler = child<QPushButton>(&card, "pushButton");
        QVERIFY(!filler->isEnabled());
        QCOMPARE(filler->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(TestSubToolWidget)
#include "tst_subtoolwidget.moc"
