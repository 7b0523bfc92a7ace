#pragma once

#include "common/toolcurrentstate.h"
#include "launch/toollauncher.h"
#include "tooldata/toolinfo.h"

#include <QMap>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

class ProgressBar;
class SignInGate;
class TransferProgressLabel;

// The left column of the details page: the large logo, the buttons that
// download, update, open, cancel and retry the tool, and its facts. It
// follows the tool card's rules, without a poll timer of its own: progress
// answers reach it through the main window's relay.
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

    explicit MoreInfoLeftWidget(const ToolInfo& record, QWidget* parent = nullptr);

    int toolKey() const { return m_toolInfo.ToolKey; }
    ToolCurrentState currentState() const { return m_emState; }
    Look look() const { return m_emLook; }

    // "1.5MB": the shortest form with 6 significant digits.
    static QString formatSize(float fSizeMB);

signals:
    void signalDownload(int method, QVector<int> toolKeys);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalCover(bool bCover);

public slots:
    void onOpenTool();
    void onDownloadTool();
    void onUpdateTool();
    void onCancel();
    void onRefresh();
    // Every answer of the local service, relayed by the main window.
    void onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue);
    // State changes of this tool made on another page.
    void onSubToolsStateChanged(ToolCurrentState emState, int iKey);
    // Ends the tool opened from here when the settings ask for it.

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    void loadFacts();
    void setLook(Look emLook);
    void takeLookOfToolState();
    void startDownload();
    void failWith(int iCode);
    bool downloadChecksPass();
    bool refuseWhileRunning(const QString& qstrMessage);
    // False when this column went away while the dialog was open.
    bool showNotice(const QString& qstrText);
    QString toolDisplayName() const;

    ToolInfo m_toolInfo;
    ToolCurrentState m_emState = ToolStateNone;
    Look m_emLook = Look::NotInstalled;
    ToolLauncher m_launcher;
    SignInGate* m_pSignInGate;

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
};

} // namespace gearmart
