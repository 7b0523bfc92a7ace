#include "config/configmanager.h"
#include "gearmart.h"
#include "gearmartapplication.h"
#include "inquiryifupdatepromptdialog.h"
#include "tooldata/tooldatamanager.h"

int main(int argc, char* argv[])
{
    gearmart::GearmartApplication app(argc, argv);
    if (!app.init()) {
        app.exit(0);
        return -1;
    }
    app.setQuitOnLastWindowClosed(true);

    gearmart::ConfigManager* config = gearmart::ConfigManager::instance();
    if (config->firstLoading() == 1) {
        config->set(gearmart::ConfigKey::IsFirstLoading, QStringLiteral("0"));
        gearmart::InquiryIfUpdatePromptDialog dialog;
        const bool enable = dialog.exec() == QDialog::Accepted;
        config->set(gearmart::ConfigKey::PromptUpgrade, enable ? QStringLiteral("1") : QStringLiteral("0"));
    }
    gearmart::ToolDataManager::instance()->setClientVersion(gearmart::GearmartApplication::clientVersion());

    gearmart::Gearmart window;
    app.setMainWindow(&window);
    window.show();
    return app.exec();
}
