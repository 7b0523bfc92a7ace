#include "shell/gearmart.h"

#include "catalog/tooldownloadwidget.h"
#include "config/configmanager.h"
#include "config/userdatafolder.h"
#include "details/toolmoreinfowidget.h"
#include "launch/toollauncher.h"
#include "log/logging.h"
#include "mytools/toolboxwidget.h"
#include "panelcraft/coverwidget.h"
#include "platform/launcher.h"
#include "request/clientrequestmanager.h"
#include "request/requestrouter.h"
#include "request/installationsources.h"
#include "request/servicesupervisor.h"
#include "shell/windowtitlewidget.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "transfer/transferfailure.h"
#include "update/updateversiondialog.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"
#include "wirelink/wirelink.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace gearmart {

Gearmart::Gearmart(QWidget* parent) : FramelessWidget(parent)
{
    buildForm();
    setWindowTitle(tr("Brelvonix Gearloft"));
    setWindowIcon(QIcon(QStringLiteral(":/Gearmart/Image/Gearmatt/logo.ico")));
    m_pRequestManager = new ClientRequestManager(this);
    m_pRequestManager->setMaxThreadCount(10);
    m_pRouter = new RequestRouter(RequestTransport::over(m_pRequestManager), installationSources(), this);
    // Nothing, the secret least of all, goes to the port before the service
    // itself confirms it holds it.
    m_pRouter->setHolding(true);
    // Every page renders the transfers from this one model.
    m_pTransfers = new ToolTransfer(m_pRouter, this);
    buildWidgets();
    startService();
    makeConnections();
    if (ConfigManager::instance()->promptUpgrade() == 1)
        onBuildClientRequest(7, {ToolDataManager::kManagerKey});
    onBuildClientRequest(6, {ToolDataManager::kMaterialKey});
}

Gearmart::~Gearmart()
{
    if (m_pSupervisor && m_pSupervisor->process()->state() != QProcess::NotRunning)
        stopService();
}

void Gearmart::buildForm()
{
    m_pMainLayout = new QVBoxLayout(this);
    m_pMainLayout->setSpacing(0);
    m_pMainLayout->setContentsMargins(5, 0, 5, 5);
    m_pTitleArea = new QWidget(this);
    m_pTitleArea->setObjectName(QStringLiteral("titleWidget"));
    m_pTitleArea->setFixedHeight(64);
    m_pStackedWidget = new QStackedWidget(this);
    m_pStackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    m_pMainLayout->addWidget(m_pTitleArea);
    m_pMainLayout->addWidget(m_pStackedWidget);
}

void Gearmart::buildWidgets()
{
    // The whole window fits a 1024 x 768 screen, with room for a panel;
    // a smaller screen gets a window as large as its free area.
    setMinimumSize(kMinimumSize);
    QSize size(1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size()).expandedTo(kMinimumSize);
    resize(size);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setMouseTracking(true);
    setAttribute(Qt::WA_QuitOnClose, true);

    m_pTitleWidget = new WindowTitleWidget(m_pTitleArea);
    auto* titleLayout = new QVBoxLayout(m_pTitleArea);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addWidget(m_pTitleWidget);

    m_pToolDownloadPage = new ToolDownloadWidget(m_pTransfers, m_pStackedWidget);
    m_pToolDownloadPage->setObjectName(QStringLiteral("toolDownloadPage"));
    m_pToolBoxPage = new ToolBoxWidget(m_pTransfers, m_pStackedWidget);
    m_pToolBoxPage->setObjectName(QStringLiteral("toolBoxPage"));
    m_pStackedWidget->addWidget(m_pToolDownloadPage);
    m_pStackedWidget->addWidget(m_pToolBoxPage);
    m_pStackedWidget->setCurrentIndex(0);

    m_pUpdateDialog = new UpdateVersionDialog(this);
    m_pUpdateDialog->hide();

    m_pSupervisor =
        new ServiceSupervisor(QCoreApplication::applicationDirPath() + QStringLiteral("/Haulmoor"), this);
    m_pSupervisor->setDataFolder(UserDataFolder::forInstallation(QCoreApplication::applicationDirPath()));
    connect(m_pSupervisor, &ServiceSupervisor::signalProcessError, this,
            &Gearmart::onSolveServerProcessError);
    connect(m_pSupervisor->process(), &QProcess::started, this, &Gearmart::onServerStarted);
    connect(m_pSupervisor, &ServiceSupervisor::signalStateChanged, this, &Gearmart::onServerStateChaned);
    connect(m_pSupervisor, &ServiceSupervisor::signalReady, this, &Gearmart::onServiceListening);
    connect(m_pSupervisor, &ServiceSupervisor::signalNoPort, this, &Gearmart::onServiceUnavailable);

    m_pCoverWidget = new crestui::CoverWidget(this);
    m_pCoverWidget->setObjectName(QStringLiteral("CoverWidget"));
    m_pCoverWidget->hide();
}

QWidget* Gearmart::detailPage(int iToolkey)
{
    if (QWidget* page = m_mapMoreInfoPages.value(iToolkey))
        return page;
    const auto& catalog = ToolDataManager::instance()->toolInfos();
    const auto info = catalog.constFind(iToolkey);
    if (info == catalog.cend() || iToolkey == ToolDataManager::kMaterialKey ||
        iToolkey == ToolDataManager::kManagerKey)
        return nullptr;
    // Made when first opened: a catalog of a thousand tools would otherwise
    // build a thousand pages before the window shows. The page renders the
    // transfer model, so it shows the tool's state whenever it is made.
    auto* wrapper = new QWidget(m_pStackedWidget);
    auto* grid = new QGridLayout(wrapper);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* page = new ToolMoreInfoWidget(info.value(), m_pTransfers, wrapper);
    grid->addWidget(page);
    m_pStackedWidget->addWidget(wrapper);
    m_mapMoreInfoPages.insert(iToolkey, wrapper);

    connect(page, &ToolMoreInfoWidget::signalGoBackToToolDownWidget, this,
            [this] { m_pStackedWidget->setCurrentIndex(0); });
    connect(page, &ToolMoreInfoWidget::signalCover, this, &Gearmart::onSetCover);
    connect(m_pToolBoxPage, &ToolBoxWidget::signalToolDeleted, page, &ToolMoreInfoWidget::signalToolDeleted);
    return wrapper;
}

void Gearmart::showDetailPage(int iToolkey)
{
    if (QWidget* page = detailPage(iToolkey))
        m_pStackedWidget->setCurrentWidget(page);
}

void Gearmart::makeConnections()
{
    // A service that ended on its own takes its downloads along; the
    // supervisor starts a new one, and requests wait for it.
    // The model fails what ran with it, then lets the router wait for the next.
    connect(m_pSupervisor, &ServiceSupervisor::signalServiceLost, m_pTransfers, &ToolTransfer::onServiceLost);
    connect(m_pRequestManager, &ClientRequestManager::signalRequestResult, this,
            &Gearmart::onSolveRequestResult);
    connect(m_pRouter, &RequestRouter::signalServerResponded, this, &Gearmart::signalServerResponded);
    connect(m_pRouter, &RequestRouter::signalDownloadingCount, this, &Gearmart::signalDownloadingCount);
    // The main program's own figures, for its update dialog.
    connect(m_pRouter, &RequestRouter::signalTransferProgress, this, [this](TransferProgressMap figures) {
        const auto it = figures.constFind(ToolDataManager::kManagerKey);
        if (it != figures.cend())
            m_pUpdateDialog->setTransferProgress(it.value());
    });

    connect(this, &Gearmart::signalServerResponded, m_pTitleWidget,
            &WindowTitleWidget::signalServerResponded);
    connect(this, &Gearmart::signalReUpdate, m_pTitleWidget, &WindowTitleWidget::signalReUpdate);
    connect(this, &Gearmart::signalStartCheckUpdate, m_pTitleWidget,
            &WindowTitleWidget::signalStartCheckUpdate);
    connect(this, &Gearmart::signalGetHelp, m_pTitleWidget, &WindowTitleWidget::signalGetHelp);
    connect(this, &Gearmart::signalDownloadingCount, m_pTitleWidget,
            &WindowTitleWidget::signalDownloadingCount);

    connect(m_pToolDownloadPage, &ToolDownloadWidget::signalShowMoreInfoWidget, this,
            &Gearmart::showDetailPage);
    connect(m_pToolDownloadPage, &ToolDownloadWidget::signalCover, this, &Gearmart::onSetCover);

    connect(m_pToolBoxPage, &ToolBoxWidget::signalCover, this, &Gearmart::onSetCover);
    connect(m_pToolBoxPage, &ToolBoxWidget::signalAllToolUpgraded, m_pTitleWidget,
            &WindowTitleWidget::onAllToolsUpgraded);
    connect(m_pToolBoxPage, &ToolBoxWidget::signalToolDeleted, m_pToolDownloadPage,
            &ToolDownloadWidget::signalToolDeleted);

    connect(m_pTitleWidget, &WindowTitleWidget::signalShowToolsDownloadWidget, this,
            [this] { m_pStackedWidget->setCurrentIndex(0); });
    connect(m_pTitleWidget, &WindowTitleWidget::signalShowToolBoxWidget, this, [this] {
        m_pStackedWidget->setCurrentIndex(1);
        m_pToolBoxPage->onShowToolBoxWidget();
    });
    connect(m_pTitleWidget, &WindowTitleWidget::signalCloseApp, this, &Gearmart::onClose);
    connect(m_pTitleWidget, &WindowTitleWidget::signalShowSmall, this, &QWidget::showMinimized);
    connect(m_pTitleWidget, &WindowTitleWidget::signalShowMax, this, &Gearmart::toggleMaximized);
    connect(m_pTitleWidget, &WindowTitleWidget::signalToServer, this, &Gearmart::onBuildClientRequest);
    connect(m_pTitleWidget, &WindowTitleWidget::signalStartUpdateManagerTool, this,
            &Gearmart::onStartUpdateGearloft);
    connect(m_pTitleWidget, &WindowTitleWidget::signalSetUpdateProgress, this,
            &Gearmart::onSetGearloftProgress);
    connect(m_pTitleWidget, &WindowTitleWidget::signalUpdateFailed, this, &Gearmart::onUpdateFailed);
    connect(m_pTitleWidget, &WindowTitleWidget::signalHaveNewMaterial, this, &Gearmart::onHaveNewMaterial);
    connect(m_pTitleWidget, &WindowTitleWidget::signalCover, this, &Gearmart::onSetCover);
    connect(m_pTitleWidget, &WindowTitleWidget::signalTransCover, this, [this](bool bCover) {
        if (bCover)
            setTransactionCover();
        else
            coverOff();
    });

    connect(m_pUpdateDialog, &UpdateVersionDialog::signalUpdateCompleted, this, &Gearmart::onUpdateCompleted);
    connect(m_pUpdateDialog, &UpdateVersionDialog::signalUpdateCompleted, m_pTitleWidget,
            &WindowTitleWidget::signalUpdateCompleted);
    connect(m_pUpdateDialog, &UpdateVersionDialog::signalUpdateCancel, this, &Gearmart::coverOff);
    connect(m_pUpdateDialog, &UpdateVersionDialog::signalUpdateCancel, m_pTitleWidget,
            &WindowTitleWidget::signalUpdateCancel);
    connectSettings();
}

void Gearmart::connectSettings()
{
    // The help pop-up names F1 for the manual; it works anywhere in the window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &Gearmart::signalGetHelp);
}

void Gearmart::onBuildClientRequest(int method, QVector<int> keys)
{
    m_pRouter->onBuildClientRequest(method, keys);
}

void Gearmart::onSolveRequestResult(int error, QString response)
{
    m_pRouter->onSolveRequestResult(error, response);
}

void Gearmart::startService()
{
    NET_UTILS_Init();
    m_pSupervisor->start();
}

void Gearmart::onServiceListening(int port, QByteArray token)
{
    m_iServicePort = port;
    m_serviceToken = token;
    m_pRequestManager->setServiceToken(token);
    m_pRouter->setPort(port);
}

void Gearmart::onServiceUnavailable()
{
    m_pRouter->setHolding(false);
    TipDialog::showTip(kNoticeIcon, tr("Connect to server fail"), tr("OK"), tr("Cancel"), false, this);
}

void Gearmart::stopService()
{
    // The ending service must not raise "connect to server fail".
    NET_UTILS_Fini();
    m_pSupervisor->stop();
    m_serviceToken.clear();
}

QProcess* Gearmart::serviceProcess() const
{
    return m_pSupervisor->process();
}

void Gearmart::onServerStarted() {}

void Gearmart::onServerStateChaned(QProcess::ProcessState newState)
{
    if (newState == QProcess::NotRunning)
        TipDialog::showTip(kNoticeIcon, tr("connect to server fail"), tr("OK"), tr("Cancel"), false, nullptr);
}

void Gearmart::onSolveServerProcessError(QProcess::ProcessError error)
{
    switch (error) {
    case QProcess::FailedToStart:
        m_pRouter->setHolding(false);
        TipDialog::showTip(kNoticeIcon, tr("start server fail"), tr("OK"), tr("Cancel"), false, nullptr);
        qCDebug(lcStartup) << "pb12 FailedToStart";
        break;
    case QProcess::Crashed:
        qCDebug(lcStartup) << "pb12 Crashed";
        break;
    case QProcess::Timedout:
        qCDebug(lcStartup) << "pb12 Timedout";
        break;
    case QProcess::ReadError:
        qCDebug(lcStartup) << "pb12 ReadError";
        break;
    case QProcess::WriteError:
        qCDebug(lcStartup) << "pb12 WriteError";
        break;
    case QProcess::UnknownError:
        qCDebug(lcStartup) << "pb12 UnknownError";
        break;
    }
}

void Gearmart::writeToolOrder()
{
    m_pToolBoxPage->saveToolOrder();
}

bool Gearmart::onClose()
{
    writeToolOrder();
    setBlackCover();
    const int answer = TipDialog::showTip(kSureIcon, tr("Are you sure close the software?"), tr("OK"),
                                          tr("Cancel"), true, this);
    if (answer != 1) {
        coverOff();
        return false;
    }
    // Tools started from here, still running as themselves, end with it.
    if (ConfigManager::instance()->closeOpenToolsFlag() > 0)
        ToolLauncher::terminateAllLaunched();
    stopService();
    return close();
}

void Gearmart::onHaveNewMaterial()
{
    setBlackCover();
    TipDialog::showTip(kNoticeIcon, tr("material have new version, please restart software."), tr("OK"),
                       tr("Cancel"), false, nullptr);
    coverOff();
}

void Gearmart::onStartUpdateGearloft()
{
    setBlackCover();
    m_pUpdateDialog->setProgress(0);
    const ToolDataManager* data = ToolDataManager::instance();
    m_pUpdateDialog->setVersions(data->clientVersion(), data->managerVersion());
    m_pUpdateDialog->move(pos() + QPoint(350, 290));
    m_pUpdateDialog->show();
}

void Gearmart::onSetGearloftProgress(int iValue)
{
    m_pUpdateDialog->setProgress(iValue);
}

void Gearmart::onUpdateCompleted()
{
    m_pUpdateDialog->hide();
    writeToolOrder();
    ConfigManager::instance()->setNeedUpdateFlag(1);
    auto& states = ToolDataManager::instance()->toolStates();
    if (states.contains(ToolDataManager::kManagerKey))
        states[ToolDataManager::kManagerKey].IsNeedUpdate = 0;
    ToolDataManager::instance()->saveStateList();

    setBlackCover();
    const int answer = TipDialog::showTip(kSureIcon, tr("Upgrade completed, restart software?"),
                                          tr("Restart Now"), tr("Restart Later"), true, this);
    if (answer != 1) {
        coverOff();
        return;
    }
    stopService();
    // The new instance finds the staged version and hands over to the copier.
    platform::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1),
                            QDir::currentPath());
    close();
}

void Gearmart::onUpdateFailed()
{
    m_pUpdateDialog->hide();
    setBlackCover();
    // Where the service said why (a home folder it must not touch), say so.
    QString text = TransferFailure::reasonText(m_pTransfers->failureReasonOf(ToolDataManager::kManagerKey));
    if (text.isEmpty())
        text = tr("Upgrade fail, try again?");
    const int answer = TipDialog::showTip(kSureIcon, text, tr("Again"), tr("Next"), true, this);
    if (answer == 1)
        emit signalReUpdate(); // the cover stays for the renewed update
    else
        coverOff();
}

void Gearmart::onSetCover(bool bCover)
{
    if (bCover)
        setBlackCover();
    else
        coverOff();
}

void Gearmart::setBlackCover()
{
    m_pCoverWidget->setBlackCover();
    m_pCoverWidget->show();
    m_pCoverWidget->move(0, 0);
    m_pCoverWidget->raise();
}

void Gearmart::setTransactionCover()
{
    m_pCoverWidget->setTransactionCover();
    m_pCoverWidget->show();
    m_pCoverWidget->move(0, 0);
    m_pCoverWidget->raise();
}

void Gearmart::coverOff()
{
    m_pCoverWidget->hide();
    m_pCoverWidget->lower();
}

void Gearmart::toggleMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
    m_pTitleWidget->setMaximizedLook(isMaximized());
}

void Gearmart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange)
        m_pTitleWidget->setMaximizedLook(isMaximized());
    FramelessWidget::changeEvent(event);
}

Qt::Edges Gearmart::hitTest(const QPoint& pos, const QSize& size)
{
    const int x = pos.x();
    const int y = pos.y();
    Qt::Edges edges;
    if (x > 0 && x <= 4)
        edges |= Qt::LeftEdge;
    if (x > size.width() - 5 && x < size.width())
        edges |= Qt::RightEdge;
    if (y > 0 && y <= 4)
        edges |= Qt::TopEdge;
    if (y > size.height() - 5 && y < size.height())
        edges |= Qt::BottomEdge;
    return edges;
}

Qt::Edges Gearmart::edgesAt(const QPoint& pos) const
{
    // A child under the pointer keeps its own behaviour.
    if (childAt(pos) || isMaximized())
        return {};
    return hitTest(pos, size());
}

void Gearmart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const Qt::Edges edges = edgesAt(event->pos());
        if (edges && windowHandle() && windowHandle()->startSystemResize(edges)) {
            event->accept();
            return;
        }
        if (m_pTitleArea->geometry().contains(event->pos())) {
            m_bDragging = true;
            m_lastGlobalPos = event->globalPos();
        }
    }
    FramelessWidget::mousePressEvent(event);
}

void Gearmart::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton)) {
        move(pos() + event->globalPos() - m_lastGlobalPos);
        m_lastGlobalPos = event->globalPos();
    } else {
        const Qt::Edges edges = edgesAt(event->pos());
        if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
            setCursor(Qt::SizeFDiagCursor);
        else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
            setCursor(Qt::SizeBDiagCursor);
        else if (edges & (Qt::LeftEdge | Qt::RightEdge))
            setCursor(Qt::SizeHorCursor);
        else if (edges & (Qt::TopEdge | Qt::BottomEdge))
            setCursor(Qt::SizeVerCursor);
        else
            unsetCursor();
    }
    FramelessWidget::mouseMoveEvent(event);
}

void Gearmart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bDragging = false;
    FramelessWidget::mouseReleaseEvent(event);
}

void Gearmart::resizeEvent(QResizeEvent* event)
{
    FramelessWidget::resizeEvent(event);
    m_pCoverWidget->resize(size());
}

} // namespace gearmart
