#include "gearmart.h"
#include "gearmartapplication.h"
#include "tooldata/tooldatamanager.h"

int main(int argc, char* argv[])
{
    gearmart::GearmartApplication app(argc, argv);
    if (!app.init()) {
        app.exit(0);
        return -1;
    }
    app.setQuitOnLastWindowClosed(true);

    gearmart::GearmartApplication::askUpdatePromptOnFirstRun();
    gearmart::ToolDataManager::instance()->setClientVersion(gearmart::GearmartApplication::clientVersion());

    gearmart::Gearmart window;
    app.setMainWindow(&window);
    window.show();
    return app.exec();
}
