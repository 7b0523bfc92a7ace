#pragma once

#include <QWidget>

class QStackedWidget;

namespace appinstaller {

class InstallingPage;
class UnInstallCompletedPage;

// The frameless uninstaller window: the installing page, then the
// completion page once the worker has ended.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    QStackedWidget* stackedWidget() const { return m_pInstallStackedWidget; }
    InstallingPage* installingPage() const { return m_pInstallingPage; }
    UnInstallCompletedPage* completedPage() const { return m_pCompletedPage; }

public slots:
    void onUninstall();
    void onFinishedUnInstall();

protected:
    // A close while the worker runs is put off until it has ended: the
    // uninstall always runs to its end, and the window goes right after.
    void closeEvent(QCloseEvent* event) override;

private:
    QStackedWidget* m_pInstallStackedWidget;
    InstallingPage* m_pInstallingPage;
    UnInstallCompletedPage* m_pCompletedPage;
    bool m_bCloseWhenFinished = false;
};

} // namespace appinstaller
