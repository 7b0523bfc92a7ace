#include "mytools/toolboxwidget.h"

#include "common/nomatchpanel.h"
#include "common/toolsearchfield.h"
#include "installed/installedtools.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/downloadtoolswidget.h"
#include "mytools/tipframe.h"
#include "mytools/toolboxtabwidget.h"
#include "mytools/tooldownloadedscene.h"
#include "mytools/toolupdatescene.h"
#include "mytools/updatetoolswidget.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"

#include <QEvent>
#include <QGraphicsView>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace gearmart {

ToolBoxWidget::ToolBoxWidget(ToolTransfer* transfers, QWidget* parent)
    : QWidget(parent), m_pTransfers(transfers)
{
    buildForm();
    makeConnections();
    fill();
}

void ToolBoxWidget::buildForm()
{
    setObjectName(QStringLiteral("ToolBoxWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    setAccessibleName(tr("My Tools"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_ToolBoxTabWidget = new ToolBoxTabWidget(this);
    layout->addWidget(m_ToolBoxTabWidget);

    m_pDownloadToolsWidget = new DownloadToolsWidget(m_ToolBoxTabWidget->downloadedToolsTab());
    auto* downloadedGrid = new QGridLayout(m_ToolBoxTabWidget->downloadedToolsTab());
    downloadedGrid->setContentsMargins(0, 0, 0, 0);
    downloadedGrid->addWidget(m_pDownloadToolsWidget);
    m_pUpdateToolsWidget = new UpdateToolsWidget(m_ToolBoxTabWidget->updateToolsTab());
    auto* updateGrid = new QGridLayout(m_ToolBoxTabWidget->updateToolsTab());
    updateGrid->setContentsMargins(0, 0, 0, 0);
    updateGrid->addWidget(m_pUpdateToolsWidget);

    m_pDownloadedScene = new ToolDownloadedScene(m_pTransfers, this);
    m_pUpdateScene = new ToolUpdateScene(m_pTransfers, this);
    m_pDownloadToolsWidget->setScene(m_pDownloadedScene);
    m_pUpdateToolsWidget->view()->setScene(m_pUpdateScene);

    m_pLinelabel = new QLabel(this);
    m_pLinelabel->setObjectName(QStringLiteral("m_pLinelabel"));
    m_pLinelabel->setFixedHeight(1);
    m_pLinelabel->setAccessibleName(tr("Separator"));
    m_pUpdateNumLabel = new QLabel(this);
    m_pUpdateNumLabel->setObjectName(QStringLiteral("m_pUpdateNumLabel"));
    m_pUpdateNumLabel->setAlignment(Qt::AlignCenter);
    m_pUpdateNumLabel->hide();
    m_pTipFrame = new TipFrame(this);

    // Over every catalog tool: a row added later is filtered like the others.
    const ToolDataManager* data = ToolDataManager::instance();
    QVector<int> keys;
    for (auto it = data->toolInfos().cbegin(); it != data->toolInfos().cend(); ++it) {
        if (it.key() != ToolDataManager::kMaterialKey && it.key() != ToolDataManager::kManagerKey)
            keys.append(it.key());
    }
    m_filter.setTools(ToolFilter::catalogTools(*data, keys));
    m_ToolBoxTabWidget->searchField()->takeFindShortcutOf(this);
    m_pNoMatchPanel = new NoMatchPanel(this);
    m_pNoMatchPanel->hide();
}

void ToolBoxWidget::makeConnections()
{
    for (ToolManageScene* scene :
         {static_cast<ToolManageScene*>(m_pDownloadedScene), static_cast<ToolManageScene*>(m_pUpdateScene)}) {
        connect(this, &ToolBoxWidget::signalResized, scene, &ToolManageScene::onViewResized);
    }
    connect(m_pTransfers, &ToolTransfer::signalTransfersChanged, this, &ToolBoxWidget::onTransfersChanged);
    connect(InstalledTools::instance(), &InstalledTools::signalOffersChanged, this,
            &ToolBoxWidget::onOffersChanged);
    connect(m_pDownloadedScene, &ToolManageScene::signalCover, this, &ToolBoxWidget::signalCover);
    connect(m_pUpdateScene, &ToolUpdateScene::signalUpgradeCompleted, this,
            &ToolBoxWidget::onToolUpgradeCompleted);

    connect(m_pDownloadedScene, &ToolDownloadedScene::signalDragState, m_pDownloadToolsWidget,
            &DownloadToolsWidget::onToolDragStateChange);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalAddTool, m_pDownloadToolsWidget,
            &DownloadToolsWidget::onAddTool);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalAllToolsDeleted, m_pDownloadToolsWidget,
            &DownloadToolsWidget::onAllToolsDeleted);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalToolDeleted, m_pUpdateScene,
            &ToolUpdateScene::onToolDeleted);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalToolDeleted, this, &ToolBoxWidget::onToolDeleted);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalOrderChanged, this,
            &ToolBoxWidget::saveToolOrder);
    // The drop arrives inside the dragged row's own mouse handling: the row
    // goes away only once that handling is over.
    connect(m_pDownloadToolsWidget, &DownloadToolsWidget::signalDeleteTool, m_pDownloadedScene,
            &ToolDownloadedScene::onDeleteTool, Qt::QueuedConnection);
    connect(m_pDownloadToolsWidget, &DownloadToolsWidget::signalHoverOnDeleteFrame, m_pDownloadedScene,
            &ToolDownloadedScene::onSolveHoverDeleteState);

    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalCheckAllStateChanged, m_pUpdateScene,
            &ToolUpdateScene::onSolveCheckAllState);
    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalBatchUpdateSelecting, m_pUpdateScene,
            &ToolUpdateScene::onSetSubCkeckBoxVisible);
    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalBatchUpdateBtnClicked, m_pUpdateScene,
            &ToolUpdateScene::onSolveBatchUpdate);
    connect(m_pUpdateScene, &ToolUpdateScene::signalSubCheckBoxStateChanged, m_pUpdateToolsWidget,
            &UpdateToolsWidget::onSubCheckBoxStateChanged);

    connect(m_ToolBoxTabWidget, &ToolBoxTabWidget::signalCurrentChanged, this, &ToolBoxWidget::onTabChanged);
    // A view also changes its height without the board: the "check all" bar.
    m_pDownloadToolsWidget->view()->installEventFilter(this);
    m_pUpdateToolsWidget->view()->installEventFilter(this);
    connect(m_pTipFrame, &TipFrame::signalResized, this, &ToolBoxWidget::placeTip);

    ToolSearchField* search = m_ToolBoxTabWidget->searchField();
    connect(search, &QLineEdit::textChanged, this, &ToolBoxWidget::onSearchChanged);
    connect(m_pNoMatchPanel, &NoMatchPanel::signalClearSearch, search, [search] {
        search->clear();
        search->setFocus(Qt::OtherFocusReason);
    });
    // Rows come and go under a search as well.
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalAddTool, this, &ToolBoxWidget::refreshNoMatch);
    connect(m_pDownloadedScene, &ToolDownloadedScene::signalToolDeleted, this, &ToolBoxWidget::refreshNoMatch);
    connect(m_pUpdateScene, &ToolUpdateScene::signalUpgradeCompleted, this, &ToolBoxWidget::refreshNoMatch);
}

void ToolBoxWidget::onSearchChanged(const QString& qstrText)
{
    m_filter.setText(qstrText);
    std::function<bool(int)> accepts;
    if (m_filter.hasSearch())
        accepts = [this](int key) { return m_filter.matches(key); };
    m_pDownloadedScene->setRowFilter(accepts);
    m_pUpdateScene->setRowFilter(accepts);
    m_pUpdateScene->onSubCheckBoxStateChanged();
    refreshNoMatch();
}

void ToolBoxWidget::refreshNoMatch()
{
    const ToolManageScene* scene = m_ToolBoxTabWidget->currentIndex() == 0
                                       ? static_cast<const ToolManageScene*>(m_pDownloadedScene)
                                       : static_cast<const ToolManageScene*>(m_pUpdateScene);
    if (!m_filter.hasSearch() || scene->rowCount() == 0 || scene->shownRowCount() > 0) {
        m_pNoMatchPanel->hide();
        return;
    }
    m_pNoMatchPanel->setSearchText(m_filter.text());
    // Below the tab row, across the list.
    const QWidget* page = m_ToolBoxTabWidget->currentIndex() == 0 ? m_ToolBoxTabWidget->downloadedToolsTab()
                                                                  : m_ToolBoxTabWidget->updateToolsTab();
    const QPoint topLeft = page->mapTo(this, QPoint(0, 0));
    m_pNoMatchPanel->setGeometry(QRect(topLeft, QSize(page->width(), m_pNoMatchPanel->sizeHint().height())));
    m_pNoMatchPanel->show();
    m_pNoMatchPanel->raise();
}

void ToolBoxWidget::fill()
{
    ToolDataManager* data = ToolDataManager::instance();
    QMap<int, int> keyByOrder;
    const auto& states = data->toolStates();
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        const ToolState& state = it.value();
        if (state.IsDownload != 1 || it.key() == ToolDataManager::kMaterialKey ||
            it.key() == ToolDataManager::kManagerKey || !data->toolInfos().contains(it.key()))
            continue;
        int order = state.ListOrder;
        while (keyByOrder.contains(order))
            ++order;
        keyByOrder.insert(order, it.key());
    }
    for (int key : qAsConst(keyByOrder)) {
        const ToolInfo& info = data->toolInfos()[key];
        m_pDownloadedScene->addTool(info);
        if (data->updateOffered(key))
            m_pUpdateScene->addTool(info);
    }
    refreshBadge();
}

QMap<int, int> ToolBoxWidget::toolOrder() const
{
    return m_pDownloadedScene->toolOrder();
}

bool ToolBoxWidget::saveToolOrder() const
{
    ToolDataManager* data = ToolDataManager::instance();
    const QMap<int, int> order = toolOrder();
    for (auto it = order.cbegin(); it != order.cend(); ++it)
        data->setListOrder(it.key(), it.value());
    return data->saveStateList();
}

int ToolBoxWidget::updateCount() const
{
    return m_pUpdateScene->rowCount();
}

void ToolBoxWidget::refreshBadge()
{
    const int count = updateCount();
    if (count <= 0 || m_ToolBoxTabWidget->currentIndex() == 1) {
        m_pUpdateNumLabel->hide();
    } else {
        m_pUpdateNumLabel->setText(QString::number(count));
        m_pUpdateNumLabel->setAccessibleName(tr("%n updateable tool(s)", nullptr, count));
        m_pUpdateNumLabel->adjustSize();
        QPushButton* button = m_ToolBoxTabWidget->updateableToolButton();
        const QPoint topRight = button->mapTo(this, QPoint(button->width(), 0));
        m_pUpdateNumLabel->move(topRight.x() - m_pUpdateNumLabel->width(),
                                topRight.y() + m_pUpdateNumLabel->height() - 4);
        m_pUpdateNumLabel->show();
        m_pUpdateNumLabel->raise();
    }
    // Leaving the selection mode on every refresh would drop the user's
    // choice on a mere resize; only a change between rows and none does.
    const int hasRows = count > 0 ? 1 : 0;
    if (hasRows != m_iHasRows) {
        m_iHasRows = hasRows;
        m_pUpdateToolsWidget->setHasRows(hasRows == 1);
    }
    if (count == 0)
        emit signalAllToolUpgraded();
}

void ToolBoxWidget::placeTip()
{
    m_pTipFrame->move(width() - m_pTipFrame->width() - 32, 15);
    m_pTipFrame->raise();
}

void ToolBoxWidget::onShowToolBoxWidget()
{
    m_ToolBoxTabWidget->onAllToolBtnClicked();
}

void ToolBoxWidget::onTransfersChanged(QVector<int> toolKeys)
{
    ToolDataManager* data = ToolDataManager::instance();
    for (int key : qAsConst(toolKeys)) {
        const auto info = data->toolInfos().constFind(key);
        if (m_pTransfers->record(key).state == TransferState::Done && info != data->toolInfos().cend())
            m_pDownloadedScene->addTool(info.value());
    }
}

void ToolBoxWidget::onOffersChanged(int iToolKey)
{
    ToolDataManager* data = ToolDataManager::instance();
    const bool bOffered = data->toolStates().value(iToolKey).IsDownload == 1 &&
                          data->updateOffered(iToolKey) && data->toolInfos().contains(iToolKey);
    if (bOffered && !m_pUpdateScene->rowOf(iToolKey)) {
        m_pUpdateScene->addTool(data->toolInfos().value(iToolKey));
        m_pUpdateScene->onViewResized();
    } else if (!bOffered && m_pUpdateScene->rowOf(iToolKey)) {
        m_pUpdateScene->onToolDeleted(iToolKey);
    }
    refreshBadge();
}

void ToolBoxWidget::onToolDeleted(int iToolKey)
{
    refreshBadge();
    ToolDataManager* data = ToolDataManager::instance();
    data->unregisterTool(iToolKey);
    auto state = data->toolStates().find(iToolKey);
    if (state != data->toolStates().end()) {
        state->IsDownload = 0;
        state->IsNeedUpdate = 0;
        state->IsInstalledByInstaller = false;
        state->InstallLocation.clear();
    }
    saveToolOrder();
    emit signalToolDeleted(iToolKey);
}

void ToolBoxWidget::onToolUpgradeCompleted(int)
{
    refreshBadge();
}

void ToolBoxWidget::onTabChanged(int index)
{
    refreshNoMatch();
    if (index == 0) {
        m_pDownloadedScene->onViewResized();
        m_pTipFrame->show();
        refreshBadge();
    } else {
        m_pUpdateScene->onViewResized();
        m_pTipFrame->hide();
        m_pUpdateNumLabel->hide();
    }
}

bool ToolBoxWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Queued: the view lays out its viewport only after this filter.
    if (event->type() == QEvent::Resize) {
        if (watched == m_pDownloadToolsWidget->view())
            QMetaObject::invokeMethod(m_pDownloadedScene, &ToolManageScene::onViewResized,
                                      Qt::QueuedConnection);
        else if (watched == m_pUpdateToolsWidget->view())
            QMetaObject::invokeMethod(m_pUpdateScene, &ToolManageScene::onViewResized, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void ToolBoxWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshBadge();
    m_pDownloadedScene->onViewResized();
    m_pUpdateScene->onViewResized();
}

void ToolBoxWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refreshBadge();
    placeTip();
    QPushButton* button = m_ToolBoxTabWidget->updateableToolButton();
    const QPoint corner = button->mapTo(this, QPoint(button->width(), button->height() - 1));
    m_pLinelabel->move(corner);
    m_pLinelabel->setFixedWidth(qMax(0, width() - corner.x() - 9));
    m_pLinelabel->raise();
    refreshNoMatch();
    emit signalResized();
}

} // namespace gearmart
