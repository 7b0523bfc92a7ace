#pragma once

#include "widgets/framelesswidget.h"

#include <QByteArray>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QVector>

class QStackedWidget;
class QVBoxLayout;

namespace crestui {
class CoverWidget;
}

namespace gearmart {

class ClientRequestManager;
class RequestRouter;
class ServiceSupervisor;
class ToolBoxWidget;
class ToolDownloadWidget;
class ToolTransfer;
class UpdateVersionDialog;
class WindowTitleWidget;

// The client's one top-level window and its hub: title bar and pages, the
// local service it starts and stops, the requests to it, the cover and the
// prompts for closing and for updates.
class Gearmart : public FramelessWidget
{
    Q_OBJECT

public:
    static constexpr QSize kMinimumSize{1024, 600};

    explicit Gearmart(QWidget* parent = nullptr);
    ~Gearmart() override;

    int servicePort() const { return m_iServicePort; }
    QProcess* serviceProcess() const;
    WindowTitleWidget* titleBar() const { return m_pTitleWidget; }
    QStackedWidget* pages() const { return m_pStackedWidget; }
    ToolDownloadWidget* catalogPage() const { return m_pToolDownloadPage; }
    ToolBoxWidget* toolBoxPage() const { return m_pToolBoxPage; }
    crestui::CoverWidget* cover() const { return m_pCoverWidget; }
    UpdateVersionDialog* updateDialog() const { return m_pUpdateDialog; }
    RequestRouter* requestRouter() const { return m_pRouter; }
    ToolTransfer* transfers() const { return m_pTransfers; }
    // The details pages made so far, each on its first opening.
    QMap<int, QWidget*> detailPages() const { return m_mapMoreInfoPages; }

    // What a point of the window offers, as the edge resizing sees it:
    // no edges means the caption (drag) area.
    static Qt::Edges hitTest(const QPoint& pos, const QSize& size);

signals:
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalReUpdate();
    void signalStartCheckUpdate();
    void signalGetHelp();
    void signalDownloadingCount(int count);

public slots:
    void onSolveRequestResult(int error, QString response);
    void onBuildClientRequest(int method, QVector<int> keys);
    void onServerStarted();
    void onServerStateChaned(QProcess::ProcessState newState);
    bool onClose();
    void onSolveServerProcessError(QProcess::ProcessError error);
    void onUpdateCompleted();
    void onUpdateFailed();
    void onStartUpdateGearloft();
    void onSetGearloftProgress(int iValue);
    void onSetCover(bool bCover);
    void onHaveNewMaterial();
    // The service holds its port: requests may go to it from now on.
    void onServiceListening(int port, QByteArray token);
    // No service could be had: held requests fail as with no port at all.
    void onServiceUnavailable();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildForm();
    void buildWidgets();
    // The tool's details page, made on first use; null for no catalog tool.
    QWidget* detailPage(int iToolkey);
    void makeConnections();
    void connectSettings();
    void showDetailPage(int iToolkey);
    void startService();
    void stopService();
    void setBlackCover();
    void setTransactionCover();
    void coverOff();
    void toggleMaximized();
    void writeToolOrder();
    Qt::Edges edgesAt(const QPoint& pos) const;

    QVBoxLayout* m_pMainLayout = nullptr;
    QWidget* m_pTitleArea = nullptr;
    QStackedWidget* m_pStackedWidget = nullptr;
    WindowTitleWidget* m_pTitleWidget = nullptr;
    ToolDownloadWidget* m_pToolDownloadPage = nullptr;
    ToolBoxWidget* m_pToolBoxPage = nullptr;
    QMap<int, QWidget*> m_mapMoreInfoPages;
    UpdateVersionDialog* m_pUpdateDialog = nullptr;
    crestui::CoverWidget* m_pCoverWidget = nullptr;
    ClientRequestManager* m_pRequestManager = nullptr;
    RequestRouter* m_pRouter = nullptr;
    ToolTransfer* m_pTransfers = nullptr;
    ServiceSupervisor* m_pSupervisor = nullptr;
    int m_iServicePort = -1;
    QByteArray m_serviceToken; // the running service's secret, sent with every request
    bool m_bDragging = false;
    QPoint m_lastGlobalPos;
};

} // namespace gearmart
