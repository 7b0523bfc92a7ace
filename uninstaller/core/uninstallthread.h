#pragma once

#include <QThread>

namespace appinstaller {

// The worker that runs InstallProcessMgr::unInstall().
class UnInstallThread : public QThread
{
    Q_OBJECT

public:
    explicit UnInstallThread(QObject* parent = nullptr);

protected:
    void run() override;
};

} // namespace appinstaller
