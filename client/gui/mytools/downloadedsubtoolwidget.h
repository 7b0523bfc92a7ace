#pragma once

#include "common/toolcurrentstate.h"
#include "launch/toollauncher.h"
#include "mytools/updatestate.h"
#include "tooldata/toolinfo.h"

#include <QMap>
#include <QPixmap>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class QVBoxLayout;

namespace gearmart {

class ProgressBar;
class ResizeLabel;
class TransferProgressLabel;

// One downloaded tool on the my-tools board, in the list of all tools or in
// the update list: icon, name, version, date and update notes, with open,
// desktop link, upgrade, cancel and retry. Turns its buttons into service
// requests and the service's answers into its looks.
class DownloadedSubToolWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBaseHeight = 96;
    static constexpr int kMinWidth = 1008;
    static constexpr int kDefaultPollInterval = 1000;

    explicit DownloadedSubToolWidget(QWidget* parent = nullptr);

    // Rows of the update list hide the open and link buttons; set before
    // initialise().
    void setUpdateListMode(bool bUpdateList);
    bool isUpdateListMode() const { return m_bUpdateListMode; }
    void initialise(const ToolInfo& info);

    int toolKey() const { return m_iToolKey; }
    const ToolInfo& toolInfo() const { return m_toolInfo; }
    QString toolName() const { return m_qstrName; }
    UpdateState updateState() const { return m_emUpdateState; }
    bool isPolling() const;
    void setPollInterval(int iMilliseconds);
    const ToolLauncher& launcher() const { return m_launcher; }

    // A tool state relayed by the boards.
    void onToolStateChanged(ToolCurrentState emState, int iKey);
    void setChecked(bool bChecked);
    bool isChecked() const;
    // Whether a point (row coordinates) lies on a control that takes clicks.
    bool isOnInteractiveChild(const QPoint& point) const;
    void setDragged(bool bDragged);
    bool isDragged() const { return m_bDragged; }

    // The keyboard's way to reorder and delete (the list of all tools only).
    QAction* moveUpAction() const { return m_pMoveUpAction; }
    QAction* moveDownAction() const { return m_pMoveDownAction; }
    QAction* deleteAction() const { return m_pDeleteAction; }

    // The free-space measure (GiB of the volume holding a path); tests
    // replace it. An empty function restores the real one.
    static void setFreeSpaceFunctionForTesting(std::function<double(const QString&)> function);
    static QString failureMessage(int iCode);

signals:
    void signalUpdateTool(int iKey);
    void signalCancelUpdateTool(int iKey);
    void signalRequestDownloadRate(int iKey);
    void signalReupdateTool(int iKey);
    void signalCheckBoxStateChanged(int iState);
    void signalUpgradeCompleted(int iKey);
    void signalCover(bool cover);
    void signalResized(QSize newSize);
    void signalMoveRequested(int iKey, int iStep);
    void signalDeleteRequested(int iKey);

public slots:
    void onSetUpdatedRate(int iKey, int iRate);
    void onSetUpdateState(int iKey, UpdateState emState);
    void onSetCheckBoxVisible(bool bVisible);
    void onSolveServerResponse(int method, QMap<int, QString> toolkeyToServerValue);
    void onWaitingToolsStartDownload(int iToolkey);
    void onOpenTool();
    void onUpdateBtnClicked();
    void onCancelUpdateBtnClicked();
    void onReupdateBtnClicked();
    void onTimeout();
    void onCreateQuickLink();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void buildForm();
    void buildActions();
    void connectSignals();
    void setUpdateState(UpdateState emState);
    void fail(int iCode);
    void completeUpgrade();
    void onNameResized(QSize size);
    void onNotesResized(QSize size);
    void growTo(int iHeight);
    void placeQuickLink();
    void showNotice(const QString& qstrIcon, const QString& qstrText, const QString& qstrOk,
                    QWidget* pParent);

    int m_iToolKey = -1;
    ToolInfo m_toolInfo;
    QString m_qstrName;
    UpdateState m_emUpdateState = UpdateStateUpToDate;
    bool m_bDragged = false;
    bool m_bUpdateListMode = false;
    QTimer* m_pPollTimer = nullptr;
    ToolLauncher m_launcher;
    QPixmap m_shadow;

    QWidget* m_checkWidget = nullptr;
    QCheckBox* m_checkBox = nullptr;
    QLabel* m_iconLabel = nullptr;
    QWidget* toolNameLabel = nullptr;
    ResizeLabel* m_toolNameLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QWidget* upgradeInfoLabel = nullptr;
    ResizeLabel* m_upgradeInfoLabel = nullptr;
    QPushButton* m_upgradeBtn = nullptr;
    QWidget* m_openBtnFrame = nullptr;
    QPushButton* m_openBtn = nullptr;
    ProgressBar* m_upgradeProgressBar = nullptr;
    QVBoxLayout* m_pActionColumn = nullptr;
    // Bytes, speed and time left under the bar; made once the tool is known.
    TransferProgressLabel* m_pTransferLabel = nullptr;
    QPushButton* m_reupdateBtn = nullptr;
    QPushButton* m_cancelUpgradeBtn = nullptr;
    QPushButton* quickLinkBtn = nullptr;
    QAction* m_pMoveUpAction = nullptr;
    QAction* m_pMoveDownAction = nullptr;
    QAction* m_pDeleteAction = nullptr;
};

} // namespace gearmart
