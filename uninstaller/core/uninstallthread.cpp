#include "uninstallthread.h"

#include "installprocessmgr.h"

namespace appinstaller {

UnInstallThread::UnInstallThread(QObject* parent) : QThread(parent) {}

void UnInstallThread::run()
{
    InstallProcessMgr::instance()->unInstall();
}

} // namespace appinstaller
