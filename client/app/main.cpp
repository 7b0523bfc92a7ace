#include "log/logging.h"
#include "log/logsink.h"
#include "shell/gearmart.h"
#include "shell/gearmartapplication.h"
#include "tooldata/tooldatamanager.h"

#include <QTimer>

int main(int argc, char* argv[])
{
    gearmart::LogSink::install();
    gearmart::GearmartApplication app(argc, argv);
    if (!app.init()) {
        app.exit(0);
        return -1;
    }
    app.setQuitOnLastWindowClosed(true);

    gearmart::GearmartApplication::askUpdatePromptOnFirstRun();
    gearmart::ToolDataManager::instance()->setClientVersion(gearmart::GearmartApplication::clientVersion());
    // Which build runs: after a self-upgrade, the proof that the new one came.
    qCInfo(lcStartup).noquote() << "---tracer7--- Gearloft version" << gearmart::GearmartApplication::clientVersion();

    gearmart::Gearmart window;
    app.setMainWindow(&window);
    window.show();
    qCInfo(lcStartup, "---tracer7--- main window shown");
    // From the event loop, so the window is on screen behind the tip.
    QTimer::singleShot(0, &window, [&app, &window] { app.showStartupNotices(&window); });
    return app.exec();
}
