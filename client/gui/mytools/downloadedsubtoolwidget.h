#pragma once

#include "launch/toollauncher.h"
#include "mytools/updatestate.h"
#include "tooldata/toolinfo.h"

#include <QPixmap>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;
class ToolTransfer;
class TransferProgressLabel;

// One downloaded tool on the my-tools board, in the list of all tools or in
// the update list: icon, name, version, date and update notes, its size and
// install date, with open, desktop link, upgrade, cancel and retry, show in
// folder, roll back and skip. Its looks render the tool's transfer; its
// upgrade buttons go to the transfer model. The texts and buttons spread
// over whatever width the row is given.
class DownloadedSubToolWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBaseHeight = 128;
    // Narrow enough for a window of 960 pixels with its scroll bar.
    static constexpr int kMinWidth = 900;

    explicit DownloadedSubToolWidget(ToolTransfer* transfers, QWidget* parent = nullptr);

    // Rows of the update list hide the open and link buttons; set before
    // initialise().
    void setUpdateListMode(bool bUpdateList);
    bool isUpdateListMode() const { return m_bUpdateListMode; }
    void initialise(const ToolInfo& info);

    int toolKey() const { return m_iToolKey; }
    const ToolInfo& toolInfo() const { return m_toolInfo; }
    QString toolName() const { return m_qstrName; }
    UpdateState updateState() const { return m_emUpdateState; }
    const ToolLauncher& launcher() const { return m_launcher; }

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

signals:
    void signalCheckBoxStateChanged(int iState);
    void signalCover(bool cover);
    void signalResized(QSize newSize);
    void signalMoveRequested(int iKey, int iStep);
    void signalDeleteRequested(int iKey);

public slots:
    void onSetCheckBoxVisible(bool bVisible);
    void onOpenTool();
    void onUpdateBtnClicked();
    void onCancelUpdateBtnClicked();
    void onReupdateBtnClicked();
    void onCreateQuickLink();
    void onShowInFolder();
    void onRollBack();
    void onSkipVersion();

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
    // The catalog's version, and the installed one while an update is due.
    void showVersions(bool bNeedsUpdate);
    void render();
    void onTransfersChanged(QVector<int> toolKeys);
    void onToolChanged(int iToolkey);
    // The notes, or why there are none while the catalog has a newer version.
    void showNotes();
    void showFacts();
    void showOffers();
    // As high as the texts need at the current width, never below the base.
    void fitHeight();
    void setCovered(bool bCovered);
    void showNotice(const QString& qstrIcon, const QString& qstrText, const QString& qstrOk,
                    QWidget* pParent);

    ToolTransfer* m_pTransfers;
    int m_iToolKey = -1;
    ToolInfo m_toolInfo;
    QString m_qstrName;
    UpdateState m_emUpdateState = UpdateStateUpToDate;
    bool m_bStateShown = false;
    bool m_bDragged = false;
    bool m_bUpdateListMode = false;
    bool m_bFitting = false;
    ToolLauncher m_launcher;
    QPixmap m_shadow;

    QWidget* m_checkWidget = nullptr;
    QCheckBox* m_checkBox = nullptr;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_toolNameLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_upgradeInfoLabel = nullptr;
    // Size on disk and when it was installed or last updated.
    QLabel* m_factsLabel = nullptr;
    QPushButton* m_showFolderBtn = nullptr;
    QPushButton* m_rollbackBtn = nullptr;
    QPushButton* m_skipBtn = nullptr;
    QPushButton* m_upgradeBtn = nullptr;
    QWidget* m_openBtnFrame = nullptr;
    QPushButton* m_openBtn = nullptr;
    ProgressBar* m_upgradeProgressBar = nullptr;
    // Bytes, speed and time left under the bar.
    TransferProgressLabel* m_pTransferLabel = nullptr;
    QPushButton* m_reupdateBtn = nullptr;
    QPushButton* m_cancelUpgradeBtn = nullptr;
    QPushButton* quickLinkBtn = nullptr;
    QAction* m_pMoveUpAction = nullptr;
    QAction* m_pMoveDownAction = nullptr;
    QAction* m_pDeleteAction = nullptr;
};

} // namespace gearmart
