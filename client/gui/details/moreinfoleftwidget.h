#pragma once

#include "launch/toollauncher.h"
#include "tooldata/toolinfo.h"

#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;
class ToolTransfer;
class TransferProgressLabel;

// The left column of the details page: the large logo, the buttons that
// download, update, open, cancel and retry the tool, and its facts: the
// catalog's, and for an installed tool the version, size and date on disk,
// with its folder and a roll back. It follows the tool card's rules and
// renders the same transfer.
class MoreInfoLeftWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 216;

    enum class Look
    {
        NotInstalled,
        Installed,
        UpdateAvailable,
        Downloading,
        Waiting,
        Failed
    };
    Q_ENUM(Look)

    MoreInfoLeftWidget(const ToolInfo& record, ToolTransfer* transfers, QWidget* parent = nullptr);

    int toolKey() const { return m_toolInfo.ToolKey; }
    Look look() const { return m_emLook; }

    // "1.5MB": the shortest form with 6 significant digits.
    static QString formatSize(float fSizeMB);

signals:
    void signalCover(bool bCover);

public slots:
    void onOpenTool();
    void onDownloadTool();
    void onUpdateTool();
    void onCancel();
    void onRefresh();
    void onShowInFolder();
    void onRollBack();
    // The tool was deleted on the my-tools board.
    void onToolDeleted(int iToolkey);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    void loadFacts();
    void setLook(Look emLook);
    void render();
    // The installed tool's facts and offers, hidden when none is installed.
    void showInstalled();
    void onTransfersChanged(QVector<int> toolKeys);
    void onToolChanged(int iToolkey);
    // False when the gate refused or this column went away meanwhile.
    bool passSignIn();
    bool downloadChecksPass();
    bool refuseWhileRunning(const QString& qstrMessage);
    // False when this column went away while the dialog was open.
    bool showNotice(const QString& qstrText);
    QString toolDisplayName() const;

    ToolInfo m_toolInfo;
    ToolTransfer* m_pTransfers;
    Look m_emLook = Look::NotInstalled;
    bool m_bLookShown = false;
    ToolLauncher m_launcher;

    QLabel* logoLabel = nullptr;
    QWidget* updateBtnWidget = nullptr;
    QPushButton* updateBtn = nullptr;
    QWidget* openBtnWidget = nullptr;
    QPushButton* downloadBtn = nullptr;
    QPushButton* openBtn = nullptr;
    QWidget* progressBarWidget = nullptr;
    ProgressBar* progressBar = nullptr;
    QPushButton* deleteBtn = nullptr;
    QPushButton* refreshBtn = nullptr;
    TransferProgressLabel* transferLabel = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* line = nullptr;
    QLabel* label_2 = nullptr;
    QLabel* timeLabel = nullptr;
    QLabel* label_3 = nullptr;
    QLabel* sizeLabel = nullptr;
    QLabel* versionLabeltext = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* installedVersionText = nullptr;
    QLabel* installedVersionLabel = nullptr;
    QLabel* diskSizeText = nullptr;
    QLabel* diskSizeLabel = nullptr;
    QLabel* installedAtText = nullptr;
    QLabel* installedAtLabel = nullptr;
    QPushButton* showFolderBtn = nullptr;
    QPushButton* rollbackBtn = nullptr;
};

} // namespace gearmart
