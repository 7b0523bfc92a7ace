// The catalog page with a thousand tools, in process: how long each
// keystroke in the search field takes until the grid has settled, how long
// choosing a category takes, and the slowest step of scrolling through the
// whole grid (where cards are made). Figures against targets, never
// pass/fail: exits non-zero only when the page could not be built.
#include "catalog/subtoolwidget.h"
#include "catalog/tooldownloadwidget.h"
#include "catalog/toolswiget.h"
#include "catalog/tooltypewidget.h"
#include "catalog/tooslistwidget.h"
#include "clientinstallation.h"
#include "common/toolsearchfield.h"
#include "samples.h"
#include "transferfixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <cstdio>

namespace {

constexpr int kTools = 1000;
constexpr double kKeystrokeTargetMs = 50;
// One frame at 60 Hz.
constexpr double kScrollStepTargetMs = 16.7;

// Until every posted event (layout, paint) has run.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

double timed(const std::function<void()>& action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    settle();
    return clock.nsecsElapsed() / 1e6;
}

void report(const char* label, const bench::Samples& samples, double target)
{
    std::printf("%-44s%7.2f ms median (best %.2f, worst %.2f)   target < %.1f ms: %s\n", label,
                samples.median(), samples.best(), samples.worst(), target,
                samples.worst() < target ? "met" : "NOT MET");
}

void applyPagesLook(QApplication& app)
{
    QFont font(QStringLiteral("Microsoft YaHei"), 9);
    font.setKerning(false);
    app.setFont(font);
    QString sheet;
    const QString folder = QStringLiteral(":/Gearmart/Qss/");
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile file(folder + name);
        if (file.open(QIODevice::ReadOnly))
            sheet += QString::fromUtf8(file.readAll());
    }
    app.setStyleSheet(sheet);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyPagesLook(app);

    clienttest::ClientInstallation install;
    install.writeSetup();
    install.writeCatalog(kTools);
    install.writeStateList();
    QDir().mkpath(install.filePath(QStringLiteral("ToolsFile/Icon")));
    for (int key = 2; key < 2 + kTools; ++key) {
        QImage logo(96, 96, QImage::Format_ARGB32);
        logo.fill(QColor::fromHsv((key * 37) % 360, 180, 200));
        logo.save(install.filePath(QStringLiteral("ToolsFile/Icon/tool%1_mid.png").arg(key)), "PNG");
    }
    if (!install.loadSingletons()) {
        std::fprintf(stderr, "bench_catalogsearch: the catalog did not load\n");
        return 2;
    }
    transfertest::Model model;

    QElapsedTimer clock;
    clock.start();
    gearmart::ToolDownloadWidget page(&model.transfers);
    page.resize(1024, 700);
    page.show();
    if (!QTest::qWaitForWindowExposed(&page)) {
        std::fprintf(stderr, "bench_catalogsearch: the page did not show\n");
        return 2;
    }
    settle();
    const double buildMs = clock.nsecsElapsed() / 1e6;
    gearmart::ToolsWiget* grid = page.listWidget()->toolsWidget();
    std::printf("catalog page with %d tools: built and shown in %.1f ms, %d cards made\n", kTools, buildMs,
                int(grid->cards().size()));

    // What the grid saves by reusing cards: one made, styled, laid out and
    // painted, against one given another tool, laid out and painted.
    {
        constexpr int kCards = 40;
        QWidget holder;
        holder.resize(1000, 2700);
        holder.show();
        settle();
        QList<gearmart::SubToolWidget*> cards;
        const double made = timed([&] {
            for (int i = 0; i < kCards; ++i) {
                cards << new gearmart::SubToolWidget(100 + i, &model.transfers, &holder);
                cards.last()->move(i % 4 * 240, i / 4 * 262);
                cards.last()->show();
            }
            holder.repaint();
        });
        const double reused = timed([&] {
            for (int i = 0; i < kCards; ++i)
                cards.at(i)->showTool(300 + i);
            settle();
            holder.repaint();
        });
        std::printf("%-44s%7.2f ms each\n%-44s%7.2f ms each\n", "card made and painted", made / kCards,
                    "card given another tool and painted", reused / kCards);
    }

    gearmart::ToolSearchField* search = page.typeBar()->searchField();
    search->setFocus();
    bench::Samples keystrokes;
    bench::Samples clears;
    // Typed one key at a time, then taken back the same way: growing and
    // shrinking matches ("Tool1" matches 111 tools, "Tool12" 11, "Tool123" 1).
    const QStringList words{QStringLiteral("Tool123"), QStringLiteral("about tool9"), QStringLiteral("zzz")};
    for (int round = 0; round < 5; ++round) {
        for (const QString& word : words) {
            for (const QChar c : word)
                keystrokes.add(timed([&] { QTest::keyClick(search, c.toLatin1()); }));
            for (int i = 0; i < word.size(); ++i)
                keystrokes.add(timed([&] { QTest::keyClick(search, Qt::Key_Backspace); }));
        }
        QTest::keyClicks(search, QStringLiteral("tool5"));
        settle();
        clears.add(timed([&] { QTest::keyClick(search, Qt::Key_Escape); }));
    }
    report("keystroke in the search field", keystrokes, kKeystrokeTargetMs);
    report("Escape back to all tools", clears, kKeystrokeTargetMs);

    bench::Samples categories;
    gearmart::ToolTypeWidget* bar = page.typeBar();
    for (int round = 0; round < 5; ++round) {
        for (QPushButton* button : bar->categoryButtons())
            categories.add(timed([&] { button->click(); }));
        categories.add(timed([&] { bar->allToolButton()->click(); }));
    }
    report("choosing a category", categories, kKeystrokeTargetMs);

    // Through the whole grid by wheel-sized steps, down and back up.
    QScrollBar* scroll = page.scrollArea()->verticalScrollBar();
    bench::Samples steps;
    int most = 0;
    const int step = 120;
    for (int value = 0; value <= scroll->maximum(); value += step) {
        steps.add(timed([&] { scroll->setValue(value); }));
        most = qMax(most, int(grid->cards().size()));
    }
    bench::Samples jumps;
    for (int value = scroll->maximum(); value >= 0; value -= scroll->pageStep()) {
        jumps.add(timed([&] { scroll->setValue(value); }));
    }
    report("wheel step (120 px), painted", steps, kScrollStepTargetMs);
    report("page step up, painted", jumps, kScrollStepTargetMs * 2);
    std::printf("%-44s%d at most while scrolling\n", "cards in existence", most);
    return 0;
}
