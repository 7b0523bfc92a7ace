// The tool card: its form from the catalog, its looks rendering the tool's
// transfer, the checks before a download, the sign-in gate and launching,
// reached by clicks and through accessibility.
#include "catalog/subtoolwidget.h"
#include "catalogfixture.h"
#include "common/picturecache.h"
#include "common/signingate.h"
#include "common/transferprogresslabel.h"
#include "transfer/transferprogresstext.h"
#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/transferfailure.h"
#include "transferfixture.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTimer>
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

struct Probe
{
    explicit Probe(SubToolWidget* card)
        : cover(card, &SubToolWidget::signalCover), moreInfo(card, &SubToolWidget::signalShowMoreInfoWidget)
    {
    }

    QList<bool> covers() const
    {
        QList<bool> list;
        for (const auto& args : cover)
            list << args[0].toBool();
        return list;
    }

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
    std::unique_ptr<transfertest::Model> m_model;
    QTemporaryDir m_programs;
    QList<qint64> m_pids;
    QString m_freeSpaceAskedFor;

    void install(const QList<Tool>& tools, const QMap<QString, QString>& setup = {},
                 const QList<int>& knownKeys = {})
    {
        m_install = catalogtest::install(tools, setup, knownKeys);
        QVERIFY(m_install);
        m_model = std::make_unique<transfertest::Model>();
    }

    ToolTransfer* transfers() { return &m_model->transfers; }

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
        m_model.reset();
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

        SubToolWidget fresh2(2, transfers());
        SubToolWidget installed3(3, transfers());
        QCOMPARE(fresh2.size(), QSize(234, 254));
        QCOMPARE(fresh2.minimumSize(), fresh2.maximumSize());
        const QList<QPair<const char*, QSize>> sizes{
            {"newStateLabel", {32, 32}}, {"logoLabel", {96, 96}},    {"authorLabel", {24, 24}},
            {"widget", {230, 35}},       {"OpenBtn", {210, 32}},     {"downLoadBtn", {210, 32}},
            {"progressBar", {180, 14}},  {"refreshBtn", {24, 24}},   {"cancelBtn", {24, 24}},
            {"pushButton", {100, 16}}};
        for (const auto& [name, size] : sizes) {
            QWidget* widget = child<QWidget>(&fresh2, name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->minimumSize(), size);
            QCOMPARE(widget->maximumSize(), size);
        }
        QVERIFY(qobject_cast<ProgressBar*>(child<QWidget>(&fresh2, "progressBar")));
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

        // The logo scaled to 96 high; a missing one leaves a placeholder, not a hole.
        const QPixmap logo = child<QLabel>(&fresh2, "logoLabel")->pixmap(Qt::ReturnByValue);
        QCOMPARE(logo.height(), 96);
        QCOMPARE(logo.toImage().pixelColor(logo.width() / 2, 48), QColor(Qt::blue));
        const QPixmap missing = child<QLabel>(&installed3, "logoLabel")->pixmap(Qt::ReturnByValue);
        QCOMPARE(missing.size(), QSize(96, 96));
        QVERIFY(PictureCache::instance().isPlaceholder(missing));
    }

    // Lines cut at the label's edge lost their descenders: the description
    // shows whole lines only, the rest elided, the whole text in the tip.
    void descriptionShowsWholeLines_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("description");
        const QString english = QStringLiteral(
            "Finds the least crowded Wi-Fi channel, explains weak signal and gently nudges typography, "
            "jumpy graphs and queries along the way.");
        const QString chinese =
            QStringLiteral("扫描周边无线信道，找出最空闲的信道并分析信号弱的原因，还会给出摆放路由器的建议和其他提示。");
        for (const char* family : {"DejaVu Sans", "Noto Sans CJK SC"}) {
            QTest::addRow("%s, English", family) << QString::fromLatin1(family) << english;
            QTest::addRow("%s, Chinese", family) << QString::fromLatin1(family) << chinese;
            QTest::addRow("%s, short", family) << QString::fromLatin1(family) << QStringLiteral("Tiny gap.");
        }
    }

    void descriptionShowsWholeLines()
    {
        QFETCH(QString, family);
        QFETCH(QString, description);
        install({testcatalog::tool(2)});
        ToolDataManager::instance()->toolInfos()[2].BriefENIntro = description;
        QFile qss(QStringLiteral(":/Gearmart/Qss/pages.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        QWidget window;
        window.setFont(QFont(family, 9));
        auto* card = new SubToolWidget(2, transfers(), &window);
        // The pages' style sheet comes after the card is made, as a page's would.
        window.setStyleSheet(QString::fromUtf8(qss.readAll()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* label = child<QLabel>(card, "toolInfoTextedit");
        const QFontMetrics metrics(label->font());
        QCOMPARE(label->font().pixelSize(), 12);
        const QStringList lines = label->text().split(QLatin1Char('\n'));
        QCOMPARE(label->width(), 208);
        QCOMPARE(label->height() % metrics.lineSpacing(), 0);
        QVERIFY(lines.size() * metrics.lineSpacing() <= label->height());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
        const QString shown = QString(label->text()).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
        const QString whole = QString(description).remove(QLatin1Char(' '));
        if (shown.endsWith(QChar(0x2026)))
            QVERIFY(whole.startsWith(shown.chopped(1)));
        else
            QCOMPARE(shown, whole);
        QCOMPARE(label->toolTip(), description);
        // Above the spacer, inside the card.
        QVERIFY(label->geometry().bottom() < child<QWidget>(card, "pushButton")->geometry().top());
    }

    void namesFollowTheLanguage()
    {
        install({testcatalog::tool(2)}, {{QStringLiteral("Translator"), QStringLiteral("1")}});
        SubToolWidget card(2, transfers());
        QCOMPARE(child<QPushButton>(&card, "toolName")->text(), QStringLiteral("工具2"));
        QCOMPARE(child<QLabel>(&card, "toolInfoTextedit")->text(), QStringLiteral("工具2的简介"));
    }

    void aCardWithoutRecordStaysEmpty()
    {
        install({testcatalog::tool(2)});
        SubToolWidget card(42, transfers());
        QVERIFY(!card.hasRecord());
        QVERIFY(shownActions(&card).isEmpty());
        m_model->running(42, 30);
        QVERIFY(shownActions(&card).isEmpty());
        QVERIFY(m_model->sent.isEmpty());
    }

    void styleSheetsDrawTheBadges()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)}, {}, {3});
        QFile qss(QStringLiteral(":/Gearmart/Qss/pages.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        QWidget window;
        window.setStyleSheet(QString::fromUtf8(qss.readAll()));
        auto* fresh = new SubToolWidget(2, transfers(), &window);
        auto* known = new SubToolWidget(3, transfers(), &window);
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
        SubToolWidget card(2, transfers());
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
        QVERIFY(m_model->sent.isEmpty());
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
        auto* card = new SubToolWidget(2, transfers(), &window);
        Probe probe(card);
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(card, "downLoadBtn")->click();

        QCOMPARE(m_freeSpaceAskedFor, ConfigManager::instance()->downloadPath());
        if (allowed) {
            QCOMPARE(m_model->methods(), QList<int>{3});
            QCOMPARE(TipDialog::requestCountForTesting(), 0);
            return;
        }
        QVERIFY(m_model->sent.isEmpty());
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
        const TipDialog::Request tip = TipDialog::lastRequestForTesting();
        QCOMPARE(tip.text,
                 QStringLiteral("Disk free space little than tool Size, please modify download Path."));
        QCOMPARE(tip.parent.data(), &window); // the card's own window
        QCOMPARE(tip.showCancel, false);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
    }

    // The card shows whatever the model holds for its tool, however it got
    // there; only what a widget can show is checked here.
    void looksRenderTheTransfer_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<Look>("look");
        QTest::addColumn<int>("barValue");

        QTest::newRow("asked for") << "asked" << false << Look::Downloading << 0;
        QTest::newRow("37") << "37" << false << Look::Downloading << 37;
        QTest::newRow("96 shows 95") << "96" << false << Look::Downloading << 95;
        QTest::newRow("unpacking shows 99") << "100" << false << Look::Downloading << 99;
        QTest::newRow("queued") << "queued" << false << Look::Waiting << 0;
        QTest::newRow("failed") << "-1" << false << Look::Failed << 40;
        QTest::newRow("installed") << "200" << false << Look::Installed << 0;
        QTest::newRow("cancelled") << "cancel" << false << Look::NotInstalled << 0;
        QTest::newRow("update cancelled") << "cancel" << true << Look::Installed << 0;
        QTest::newRow("another tool runs") << "other" << false << Look::NotInstalled << 0;
    }

    void looksRenderTheTransfer()
    {
        QFETCH(QString, step);
        QFETCH(bool, installed);
        QFETCH(Look, look);
        QFETCH(int, barValue);
        install({testcatalog::tool(2), testcatalog::tool(3)});
        if (installed)
            setInstalled(2);
        SubToolWidget card(2, transfers());
        card.show();
        if (step == QLatin1String("asked")) {
            m_model->transfers.downloadTool(2);
        } else if (step == QLatin1String("queued")) {
            m_model->transfers.downloadTool(2);
            m_model->answer(DownloadSubTool, 2, ClientValue::Waiting);
        } else if (step == QLatin1String("cancel")) {
            m_model->running(2, 40);
            child<QPushButton>(&card, "cancelBtn")->click();
            QCOMPARE(m_model->methods().last(), int(CancelDownloadSubTool));
            m_model->answer(CancelDownloadSubTool, 2, QStringLiteral("0"));
        } else if (step == QLatin1String("other")) {
            m_model->running(3, 50);
        } else if (step == QLatin1String("-1")) {
            m_model->running(2, 40);
            m_model->answer(DownloadProgress, 2, step);
        } else {
            m_model->running(2, step.toInt());
        }
        QCOMPARE(card.look(), look);
        QCOMPARE(shownActions(&card), expectedActions(look));
        auto* bar = child<ProgressBar>(&card, "progressBar");
        if (look == Look::Downloading || look == Look::Failed)
            QCOMPARE(bar->value(), barValue);
        if (look == Look::Downloading) {
            QCOMPARE(bar->mode(), 0);
            QCOMPARE(bar->chunkColor(), kDownloadGreen);
        } else if (look == Look::Waiting) {
            QCOMPARE(bar->mode(), 2);
            QCOMPARE(bar->text(), QStringLiteral("Waiting..."));
        } else if (look == Look::Failed) {
            QCOMPARE(bar->mode(), 1);
            QCOMPARE(bar->text(), QStringLiteral("download fail"));
            QCOMPARE(bar->chunkColor(), kFailureRed);
            QCOMPARE(bar->toolTip(), TransferFailure::text(m_model->transfers.record(2),
                                                           TransferFailure::Wording::Card));
            QVERIFY(!bar->toolTip().isEmpty());
        }
    }

    void buttonsGoToTheModel()
    {
        install({testcatalog::tool(2)});
        SubToolWidget card(2, transfers());
        card.show();
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(m_model->methods(), QList<int>{DownloadSubTool});
        QCOMPARE(m_model->sent.first().urlToUnzipDir.keys(), QStringList{ToolDataManager::instance()->downloadAddress(2)});
        m_model->answer(DownloadSubTool, 2, QStringLiteral("-1"));
        QCOMPARE(card.look(), Look::Failed);

        // The retry starts over, without the checks before a first download.
        SubToolWidget::setFreeSpaceFunctionForTesting([](const QString&) { return 0.0; });
        child<QPushButton>(&card, "refreshBtn")->click();
        QCOMPARE(m_model->methods(), (QList<int>{DownloadSubTool, DownloadSubTool}));
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        child<QPushButton>(&card, "cancelBtn")->click();
        QCOMPARE(m_model->methods().last(), int(CancelDownloadSubTool));

        // The board deleted the tool: the card offers the download again.
        m_model->answer(CancelDownloadSubTool, 2, QStringLiteral("0"));
        setInstalled(2);
        card.onToolDeleted(2);
        QCOMPARE(card.look(), Look::Installed);
        ToolDataManager::instance()->toolStates()[2].IsDownload = 0;
        card.onToolDeleted(3);
        QCOMPARE(card.look(), Look::Installed);
        card.onToolDeleted(2);
        QCOMPARE(card.look(), Look::NotInstalled);
    }

    void transferLineSitsUnderTheBar()
    {
        install({testcatalog::tool(2), testcatalog::tool(3)});
        SubToolWidget card(2, transfers());
        card.show();
        m_model->running(2, 12);
        m_model->running(3, 12);
        auto* line = child<TransferProgressLabel>(&card, "transferLabel");
        auto* bar = child<ProgressBar>(&card, "progressBar");
        QWidget* area = child<QWidget>(&card, "widget");
        QVERIFY(line);
        QCOMPARE(line->accessibleName(), QStringLiteral("Transfer progress of Tool2"));
        QCoreApplication::processEvents();
        const QRect barAlone = bar->geometry();

        // Without figures: the bar alone, where it always was.
        QVERIFY(!line->isVisibleTo(&card));
        QCOMPARE(shownActions(&card), expectedActions(Look::Downloading));

        m_model->transfers.onTransferProgress({{2, someFigures()}});
        QCoreApplication::processEvents();
        QVERIFY(line->isVisibleTo(&card));
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
        m_model->transfers.onTransferProgress({{3, other}});
        QCOMPARE(line->fullText(), TransferProgressText::format(someFigures()));

        m_model->transfers.onTransferProgress({{2, TransferProgress()}});
        QCoreApplication::processEvents();
        QVERIFY(!line->isVisibleTo(&card));
        QCOMPARE(bar->geometry(), barAlone);
    }

    void transferLineEndsWithTheDownload_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<Look>("look");
        QTest::newRow("finished") << QStringLiteral("200") << Look::Installed;
        QTest::newRow("failed") << QStringLiteral("-1") << Look::Failed;
        QTest::newRow("queued again") << QStringLiteral("120") << Look::Waiting;
        QTest::newRow("cancelled") << QStringLiteral("cancel") << Look::NotInstalled;
    }

    void transferLineEndsWithTheDownload()
    {
        QFETCH(QString, ending);
        QFETCH(Look, look);
        install({testcatalog::tool(2)});
        SubToolWidget card(2, transfers());
        card.show();
        m_model->running(2, 30);
        m_model->transfers.onTransferProgress({{2, someFigures()}});
        auto* line = child<TransferProgressLabel>(&card, "transferLabel");
        QVERIFY(line->isVisibleTo(&card));

        if (ending == QLatin1String("cancel"))
            child<QPushButton>(&card, "cancelBtn")->click();
        else
            m_model->answer(DownloadProgress, 2, ending);
        QCOMPARE(card.look(), look);
        QVERIFY(!line->isVisibleTo(&card));
        QVERIFY(line->fullText().isEmpty());
        QCOMPARE(shownActions(&card), expectedActions(look));
    }

    void signInBeforeDownload()
    {
        Tool first = testcatalog::tool(2);
        first.isDown = 1;
        Tool second = testcatalog::tool(3);
        second.isDown = 1;
        install({first, second});
        SignInGate::setProgramForTesting(signInProgram("exit 0"));
        SubToolWidget card(2, transfers());
        Probe probe(&card);
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 1);
        QCOMPARE(probe.covers(), (QList<bool>{true, false}));
        QVERIFY(m_model->sent.isEmpty());
        QCOMPARE(shownActions(&card), expectedActions(Look::NotInstalled));
        QCOMPARE(TipDialog::requestCountForTesting(), 0); // abandoned silently

        SignInGate::setProgramForTesting(signInProgram("exit 1"));
        child<QPushButton>(&card, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 2);
        QCOMPARE(m_model->methods(), QList<int>{3});

        // One sign-in serves every card.
        SubToolWidget other(3, transfers());
        Probe otherProbe(&other);
        child<QPushButton>(&other, "downLoadBtn")->click();
        QCOMPARE(signInRuns(), 2);
        QCOMPARE(m_model->methods(), (QList<int>{3, 3}));
        QVERIFY(otherProbe.cover.isEmpty());
    }

    // The catalog may be rebuilt while the user signs in: the card that
    // asked goes away, and nothing is downloaded for it.
    void aCardDeletedDuringSignInAsksForNothing()
    {
        Tool guarded = testcatalog::tool(2);
        guarded.isDown = 1;
        install({guarded});
        SignInGate::setProgramForTesting(signInProgram("sleep 0.3\nexit 1"));
        QWidget window;
        QPointer<SubToolWidget> card = new SubToolWidget(2, transfers(), &window);
        QTimer::singleShot(50, card.data(), [&card] { delete card.data(); });
        QMetaObject::invokeMethod(card.data(), "onDownloadTool");
        QVERIFY(card.isNull());
        QCOMPARE(signInRuns(), 1);
        QVERIFY(m_model->sent.isEmpty());
        QVERIFY(ToolDataManager::instance()->isSignedIn());
    }

    void openingAnInstalledTool()
    {
        install({launchableTool(2)});
        setInstalled(2);
        const QString folder = ToolLauncher::toolFolder(2);
        QVERIFY(testcatalog::writeNamedStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        SubToolWidget card(2, transfers());
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
        QVERIFY(m_model->sent.isEmpty());
    }

    void openingSignsInFirst()
    {
        Tool guarded = launchableTool(2);
        guarded.isDown = 1;
        install({guarded});
        setInstalled(2);
        QVERIFY(testcatalog::writeNamedStayingTool(ToolLauncher::executablePath(2).chopped(4)));
        SignInGate::setProgramForTesting(signInProgram("exit 0"));
        SubToolWidget card(2, transfers());
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
        SubToolWidget card(2, transfers());
        TipDialog::setNextAnswerForTesting(1);
        child<QPushButton>(&card, "OpenBtn")->click();
        QCOMPARE(card.launcher().launchedPid(), qint64(-1));
        if (withPath) {
            QCOMPARE(m_model->methods(), QList<int>{3});
            QCOMPARE(shownActions(&card), expectedActions(Look::Downloading));
        } else {
            QVERIFY(m_model->sent.isEmpty());
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
        SubToolWidget card(2, transfers());
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
        SubToolWidget card(2, transfers());
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
        SubToolWidget card(2, transfers());
        SubToolWidget installed(3, transfers());
        card.show();
        installed.show();

        // Only what the look shows can be found.
        QVERIFY(!catalogtest::findShown(&card, QStringLiteral("Cancel download of Tool2")));
        // Buttons press themselves a moment after the request, as on screen.
        QVERIFY(catalogtest::press(&card, QStringLiteral("Download Tool2")));
        QTRY_COMPARE(m_model->methods(), QList<int>{3});
        m_model->answer(DownloadSubTool, 2, QStringLiteral("-1"));
        QVERIFY(catalogtest::press(&card, QStringLiteral("Retry download of Tool2")));
        QTRY_COMPARE(m_model->methods(), (QList<int>{3, 3}));
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        QVERIFY(catalogtest::press(&card, QStringLiteral("Cancel download of Tool2")));
        QTRY_COMPARE(m_model->methods(), (QList<int>{3, 3, 5}));
        QVERIFY(!catalogtest::findShown(&card, QStringLiteral("Open Tool2")));

        QVERIFY(catalogtest::press(&installed, QStringLiteral("Open Tool3")));
        QTRY_VERIFY(installed.launcher().launchedPid() > 0);
        m_pids << installed.launcher().launchedPid();

        // Enter on a focused card runs its main action.
        m_model->answer(CancelDownloadSubTool, 2, QStringLiteral("0"));
        QVERIFY(card.focusPolicy() & Qt::TabFocus);
        QTest::keyClick(&card, Qt::Key_Return);
        QCOMPARE(m_model->methods().last(), int(DownloadSubTool));

        // The filler is neither focusable nor pressable.
        auto* filler = child<QPushButton>(&card, "pushButton");
        QVERIFY(!filler->isEnabled());
        QCOMPARE(filler->focusPolicy(), Qt::NoFocus);
    }
};

QTEST_MAIN(TestSubToolWidget)
#include "tst_subtoolwidget.moc"
