#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

namespace appinstaller {

// Runs the uninstall steps (on the worker thread) and reports each step as
// it begins. One per process: Base::CSingleton<InstallProcessMgr>.
class InstallProcessMgr : public QObject
{
    Q_OBJECT

public:
    InstallProcessMgr();

    static InstallProcessMgr* instance();

    // Removes the installation folder, the shortcuts and menu folders, and
    // the product key, reporting 0, 30, 60 and 100. Failures do not stop it.
    void unInstall();

    // The folder that was meant to go but is still there after the last
    // unInstall() (refused as unsafe, or not removable); empty when none.
    QString keptFolder() const;

signals:
    void signalProcess(int iProcess, QString strProcessName);

private:
    void removeInstallFolder(const QString& strFolder, const QString& strGUID);
    void removeShortcuts(const QString& strNameEN, const QString& strNameCH);

    mutable QMutex m_mutex;
    QString m_strKeptFolder;
};

} // namespace appinstaller
