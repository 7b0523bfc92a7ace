// The uninstall steps without a window, for tests that place it in an
// installation and run it as another account: it removes the folder it is
// started from and prints what was left (RemovalReport::Left as a number).
#include "core/appconfig.h"
#include "core/installprocessmgr.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    appinstaller::AppConfig::instance();
    appinstaller::InstallProcessMgr::instance()->unInstall();
    std::printf("%d\n", int(appinstaller::InstallProcessMgr::instance()->report().left));
    return 0;
}
