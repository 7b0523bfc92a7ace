#pragma once

#include "common/toolcurrentstate.h"
#include "launch/toollauncher.h"
#include "tooldata/toolinfo.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace gearmart {

class ProgressBar;
class SignInGate;
class TransferProgressLabel;

// The catalog's tile for one tool: logo, name, description, badges and an
// action area that is a Download button, an Open button or a progress bar
// with cancel and retry. Turns clicks into service requests and the
// service's answers into its looks.
class SubToolWidget : public QWidget
{
    Q_OBJECT

public:
    enum class Look
    {
        NotInstalled,
        Installed,
        Downloading,
        Waiting,
        Failed
    };

    static constexpr int kDefaultPollInterval = 1000;

    explicit SubToolWidget(int toolKey, QWidget* parent = nullptr);

    int toolKey() const { return m_iToolKey; }
    bool hasRecord() const { return m_bHasRecord; }
    ToolCurrentState cardState() const { return m_emCardState; }
    Look look() const { return m_emLook; }
    bool isPolling() const;
    const ToolLauncher& launcher() const { return m_launcher; }

    // Progress polling interval; tests shorten it.
    void setPollInterval(int iMilliseconds);
    int pollInterval() const;

    // The free-space measure (GiB of the volume holding a path); tests
    // replace it. An empty function restores the real one.
    static void setFreeSpaceFunctionForTesting(std::function<double(const QString&)> function);
    // The tool tip a failure code shows.
    static QString failureMessage(int iCode);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int imethod, QVector<int> vectToolKeys);
    void signalCover(bool bCover);
    void signalToMainPage(ToolCurrentState enumType, int iKey);

public slots:
    void onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue);
    void onSubToolsStateChanged(ToolCurrentState emState, int iKey);
    void onWaitingToolsStartDownload(int iToolkey);

private slots:
    void onShowMoreInfoWidget();
    void onDownloadTool();
    void onOpenTool();
    void onTimeOut();
    void onCancelDownload();
    void onRefresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    void loadFromCatalog();
    void connectSignals();
    void setLook(Look emLook);
    void showInstalledOrNotLook();
    void startDownload();
    void startPolling();
    void stopPolling();
    void fail(int iCode);
    void onDownloadAnswer(int iValue);
    void onProgressAnswer(int iValue);
    bool stateIsDownloaded() const;
    void showNotice(const QString& qstrText, QWidget* pParent);

    int m_iToolKey;
    bool m_bHasRecord = false;
    ToolInfo m_toolInfo;
    ToolCurrentState m_emCardState = ToolStateNone;
    Look m_emLook = Look::NotInstalled;
    ToolLauncher m_launcher;
    SignInGate* m_pSignInGate = nullptr;
    QTimer* m_pPollTimer = nullptr;

    QLabel* m_pNewStateLabel = nullptr;
    QLabel* m_pLogoLabel = nullptr;
    QPushButton* m_pToolName = nullptr;
    QLabel* m_pAuthorLabel = nullptr;
    QLabel* m_pToolInfoTextedit = nullptr;
    QWidget* m_pActionArea = nullptr;
    QPushButton* m_pOpenBtn = nullptr;
    QPushButton* m_pDownLoadBtn = nullptr;
    ProgressBar* m_pProgressBar = nullptr;
    QPushButton* m_pRefreshBtn = nullptr;
    QPushButton* m_pCancelBtn = nullptr;
    QPushButton* m_pFillerBtn = nullptr;
    TransferProgressLabel* m_pTransferLabel = nullptr;
};

} // namespace gearmart

Q_DECLARE_METATYPE(gearmart::SubToolWidget::Look)
