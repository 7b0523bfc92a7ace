#pragma once

#include "removalreport.h"

#include <QMutex>
#include <QObject>
#include <QString>

namespace appinstaller {

// Runs the uninstall steps (on the worker thread) and reports each step as
// it begins. One per process: Base::CSingleton<InstallProcessMgr>.
//
// It removes the installation it was started from, never the folder a
// product key names: the key holds the installation registered last, and
// any program of the user can write it.
class InstallProcessMgr : public QObject
{
    Q_OBJECT

public:
    InstallProcessMgr();

    static InstallProcessMgr* instance();

    // The program's own folder, resolved; the installation to remove.
    QString ownFolder() const;
    // Tests run the steps for a folder other than the test program's.
    void setOwnFolderForTesting(const QString& strFolder);

    // The product key is present, or the own folder carries a manifest (its
    // key may have been cleared by the uninstall of another installation).
    bool isInstalled() const;

    // Removes the listed files of the own folder, the shortcuts and menu
    // folders, and the product key unless it names another installation,
    // reporting 0, 30, 60 and 100. Failures do not stop it.
    void unInstall();

    // What the last unInstall() left of the installation folder.
    RemovalReport report() const;

signals:
    void signalProcess(int iProcess, QString strProcessName);

private:
    RemovalReport removeOwnFolder(const QString& strFolder, const QString& strGUID);
    void removeShortcuts(const QString& strNameEN, const QString& strNameCH);

    mutable QMutex m_mutex;
    QString m_strOwnFolderForTesting;
    RemovalReport m_report;
};

} // namespace appinstaller
