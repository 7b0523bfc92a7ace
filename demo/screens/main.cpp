// Walks the client's main pages and saves a picture of the X screen for
// each: gearloft_screens OUT_DIR NAME_PREFIX window|full [DETAIL_TOOL_KEY]
//
// Run from inside an installation (it reads Setup.xml and the catalog beside
// itself, as Gearloft does) on a virtual screen of the size to show. The
// window is shown at its own size in the top-left corner ("window") or
// filling the screen ("full"), as a window manager would maximise it.

#include "log/logsink.h"
#include "shell/gearmart.h"
#include "catalog/tooldownloadwidget.h"
#include "shell/gearmartapplication.h"
#include "tooldata/tooldatamanager.h"

#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i)
        QTest::qWait(50);
}

bool click(QWidget& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) {
        std::fprintf(stderr, "gearloft_screens: no button %s\n", name);
        return false;
    }
    button->click();
    settle();
    return true;
}

bool shoot(const QString& file)
{
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0);
    if (picture.isNull() || !picture.save(file, "PNG")) {
        std::fprintf(stderr, "gearloft_screens: cannot write %s\n", qUtf8Printable(file));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(file));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    gearmart::LogSink::install();
    gearmart::GearmartApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4 || (args.at(3) != QLatin1String("window") && args.at(3) != QLatin1String("full"))) {
        std::fprintf(stderr, "usage: gearloft_screens OUT_DIR NAME_PREFIX window|full [DETAIL_TOOL_KEY]\n");
        return 2;
    }
    const bool full = args.at(3) == QLatin1String("full");
    const QString outDir = QDir(args.at(1)).absolutePath();
    const QString prefix = args.at(2);
    if (!app.init())
        return 1;
    gearmart::ToolDataManager::instance()->setClientVersion(gearmart::GearmartApplication::clientVersion());

    gearmart::Gearmart window;
    app.setMainWindow(&window);
    window.move(0, 0);
    window.show();
    settle();

    int detailKey = args.size() > 4 ? args.at(4).toInt() : -1;
    if (detailKey < 0 && !window.detailPages().isEmpty())
        detailKey = window.detailPages().firstKey();

    const std::vector<std::pair<const char*, std::function<bool()>>> pages = {
        {"catalog", [&] { return click(window, "toolsDownBtn"); }},
        {"details",
         [&] {
             emit window.catalogPage()->signalShowMoreInfoWidget(detailKey);
             settle();
             return true;
         }},
        {"mytools", [&] { return click(window, "myToolsBtn") && click(window, "allToolBtn"); }},
        {"updates", [&] { return click(window, "updateableToolBtn"); }},
        {"settings", [&] { return click(window, "settingsBtn"); }},
        // Where the keyboard is: the ring on the third control Tab reaches.
        {"keyboard",
         [&] {
             if (!click(window, "toolsDownBtn"))
                 return false;
             window.activateWindow();
             if (!QTest::qWaitForWindowActive(&window))
                 std::fprintf(stderr, "gearloft_screens: the window did not become active\n");
             for (int i = 0; i < 3; ++i)
                 QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
             settle();
             return true;
         }},
    };
    if (full)
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    else
        window.move(0, 0);
    settle();

    bool ok = true;
    for (const auto& page : pages) {
        // A pop-up of the previous page would hide this one.
        for (QWidget* other : QApplication::topLevelWidgets()) {
            // Rows of the boards are windows too, inside their scenes.
            if (other != &window && other->isVisible() && !other->graphicsProxyWidget())
                other->hide();
        }
        settle();
        ok = page.second() && ok;
        ok = shoot(QStringLiteral("%1/%2-%3.png").arg(outDir, prefix, QLatin1String(page.first))) && ok;
    }
    window.close();
    return ok ? 0 : 1;
}
