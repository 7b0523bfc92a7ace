#pragma once

#include "shell/startuploader.h"

#include <QApplication>
#include <QPointer>
#include <QTranslator>

namespace gearmart {

class SingleInstance;

// The client's application object: one instance per user, start-up in the
// folder of its own files (the installation, or the user's data folder in
// the packaged layout), and the hand-over to a staged self-upgrade.
class GearmartApplication : public QApplication
{
    Q_OBJECT

public:
    GearmartApplication(int& argc, char** argv);

    // The start-up sequence; false only when another instance runs, a
    // staged self-upgrade takes over or the user's data folder cannot be
    // used (said to the user). Damaged files never stop it.
    bool init();
    // Tells the user, over the shown window, what this start refused or repaired.
    void showStartupNotices(QWidget* pWindow) const { m_startup.showNotices(pWindow); }
    void setMainWindow(QWidget* pWindow) { m_pMainWindow = pWindow; }
    bool isAlreadyRunning() const { return m_bAlreadyRunning; }
    QString serverName() const { return m_qstrServerName; }
    static QString clientVersion();
    // On the first start after installation, asks whether new versions are
    // to be announced and stores the answer.
    static void askUpdatePromptOnFirstRun();

private slots:
    void onActivationRequested();

private:
    bool prepareDataFolder();
    bool handOverToUpgrade();
    void setApplicationFont();
    void loadSkin();
    void loadStyle();
    void loadTranslation();

    QPointer<QWidget> m_pMainWindow;
    bool m_bAlreadyRunning = false;
    SingleInstance* m_pSingleInstance = nullptr;
    QString m_qstrServerName;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
    QString m_qstrDataFolder;
    StartupLoader m_startup;
};

} // namespace gearmart
