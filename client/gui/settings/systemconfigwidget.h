#pragma once

#include "settings/downloadfoldermover.h"

#include <QMap>
#include <QTimer>
#include <QVector>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMovie;
class QPushButton;
class QScrollArea;

namespace crestui {
class CMiddleSwitchBox;
}

namespace gearmart {

class VersionChecker;

// The settings pop-up of the title bar: the download folder and its move,
// the switches, the language, the skipped updates, the version rows with the
// client's own update, and the manual and licences.
class SystemConfigWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SystemConfigWidget(QWidget* parent = nullptr);

    // Where the manual and the licences are looked for; the program's folder
    // unless a test says otherwise.
    void setApplicationDirectory(const QString& qstrDirectory) { m_qstrApplicationDir = qstrDirectory; }
    void setTipInterval(int iMs) { m_tipTimer.setInterval(iMs); }

    QString currentPath() const { return m_qstrCurrentPath; }
    int downloadingCount() const { return m_iDownloadingCount; }
    bool isMoving() const { return m_pMover->isRunning(); }
    DownloadFolderMover* mover() const { return m_pMover; }
    VersionChecker* versionChecker() const { return m_pChecker; }

signals:
    void signalUpdateCompleted();
    void signalCover(bool bCover);
    void signalTransCover(bool bCover);
    void signalUpdateFailed();
    void signalToServer(int method, QVector<int> toolKeys);
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalCopyCompleted();
    void signalHaveNewMaterial();
    void signalGearloftNew(bool bNew);

public slots:
    void onSelectDownloadPath();
    void onIsClosedOpenTools(int iState);
    void onTimeOut();
    void onUpdateTimeOut();
    void onManagerProcessTimeOut();
    void onMaterialProcessTimeOut();
    void onOpenLicense();
    void onUpgradePromptChange(int state);
    void onTransferModeChange(int state);
    void onManualButtonClicked();
    // Saved for the next start: the texts, names and cloud follow it then.
    void onLanguageChanged(int iIndex);
    void onUndoSkip(int iToolkey);

    void onDownloadingCount(int count);
    void onServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void onCheckUpdate();
    void onUpdateGearloft();
    // "Again" after a failed update: the main window is covered and the
    // pop-up may be hidden, so a refusal is told in a tip that uncovers.
    void onReUpdate();
    void onUpdateCancel();
    void onGearloftUpdated();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    void fillPage();
    void showFailure(const QString& qstrText);
    // A folder move's end or refusal: the line keeps it, and a message that
    // stays until dismissed says why, or confirms the move.
    void reportMove(const QString& qstrLine, const QString& qstrMessage, bool bFailed);
    void onMoveFinished(DownloadFolderMover::Result result);
    void endBusy();
    void onVersionRowsChanged();
    void showTip(const QString& qstrText);
    // The path as the label has room for it, shortened in the middle; the
    // whole path stays in the tool tip and the accessible name.
    void showPath();
    // One line per installed tool whose update is skipped, with its undo.
    void fillSkipped();

    QLabel* m_pPathTextLabel = nullptr;
    QLabel* m_pWaitingLabel = nullptr;
    QPushButton* m_pChangePathBtn = nullptr;
    QLabel* m_pTipLabel = nullptr;
    QLabel* m_pTipTextLabel = nullptr;
    QCheckBox* m_pCloseSoftwareCheckBox = nullptr;
    QLabel* m_pVersionTextLabel = nullptr;
    QLabel* m_pNewVersionLabel = nullptr;
    QPushButton* m_pUpdateBtn = nullptr;
    QPushButton* m_pCheckUpdateBtn = nullptr;
    crestui::CMiddleSwitchBox* m_pUpgradePromptSwitch = nullptr;
    crestui::CMiddleSwitchBox* m_pTransferModeSwitch = nullptr;
    QPushButton* m_pSeeAboutBtn = nullptr;
    QFrame* m_pUserManualFrame = nullptr;
    QPushButton* m_pOpenUserManualBtn = nullptr;
    QComboBox* m_pLanguageBox = nullptr;
    QScrollArea* m_pSkippedArea = nullptr;
    QWidget* m_pSkippedList = nullptr;
    QMovie* m_pWaitingMovie = nullptr;

    DownloadFolderMover* m_pMover = nullptr;
    VersionChecker* m_pChecker = nullptr;
    QString m_qstrCurrentPath;
    QString m_qstrApplicationDir;
    QString m_qstrStandingTip;
    int m_iDownloadingCount = 0;
    bool m_bNoDialogOpen = true;
    QTimer m_tipTimer;
};

} // namespace gearmart
