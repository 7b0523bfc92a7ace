#pragma once

#include "core/uninstallthread.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace quillkit {
class CSecondCommandButton;
}

namespace appinstaller {

class UpperWidget;

// The progress page: step name, percentage and bar while the worker runs.
class InstallingPage : public QWidget
{
    Q_OBJECT

public:
    explicit InstallingPage(QWidget* parent = nullptr);
    // Never leaves a running worker behind: waits for it to end.
    ~InstallingPage() override;

    // Hides the cancel button and starts the worker as a child of the page.
    void startUnInstall();
    bool isUnInstalling() const;
    int process() const { return m_iProcess; }

    UpperWidget* upperWidget() const { return m_pUpperWidget; }
    QLabel* installingLabel() const { return m_pInstallingLabel; }
    QLabel* progressLabel() const { return m_pInstallProgressLabel; }
    QWidget* processBar() const { return m_pWidgetProcessBar; }
    QWidget* processFill() const { return m_pFrame; }
    quillkit::CSecondCommandButton* cancelButton() const { return m_pCancelBtn; }
    UnInstallThread* thread() const { return m_pThread; }

signals:
    void signalClose();
    void signalunInstallFinished();

public slots:
    void onProcessInfo(int iProcess, QString strProcessName);

private:
    UpperWidget* m_pUpperWidget;
    QWidget* m_pBottomWidget;
    QLabel* m_pInstallingLabel;
    QLabel* m_pInstallProgressLabel;
    QWidget* m_pWidgetProcessBar;
    QWidget* m_pFrame;
    quillkit::CSecondCommandButton* m_pCancelBtn;
    QPointer<UnInstallThread> m_pThread;
    int m_iProcess = 0;
    bool m_bWorkerDone = false;
};

} // namespace appinstaller
