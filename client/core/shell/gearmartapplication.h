#pragma once

#include <QApplication>
#include <QPointer>
#include <QTranslator>

namespace gearmart {

class SingleInstance;

// The client's application object: one instance per user, start-up in the
// installation folder, and the hand-over to a staged self-upgrade.
class GearmartApplication : public QApplication
{
    Q_OBJECT

public:
    static constexpr double kMinimumFreeGiB = 2.0;

    GearmartApplication(int& argc, char** argv);

    // The start-up sequence; false when the client must not start.
    bool init();
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
    bool handOverToUpgrade();
    bool ensureDownloadPath();
    void setApplicationFont();
    void loadSkin();
    void loadStyle();
    void loadTranslation();

    QPointer<QWidget> m_pMainWindow;
    bool m_bAlreadyRunning = false;
    SingleInstance* m_pSingleInstance = nullptr;
    QString m_qstrServerName;
    QTranslator m_translator;
};

} // namespace gearmart
