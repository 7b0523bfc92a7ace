#include "mytools/toolmanagescene.h"

#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/droppableproxywidget.h"

#include <QGraphicsView>
#include <QTimer>

namespace gearmart {

ToolManageScene::ToolManageScene(QObject* parent) : QGraphicsScene(parent) {}

DroppableProxyWidget* ToolManageScene::proxyOf(int iKey) const
{
    for (DroppableProxyWidget* proxy : m_listProxies) {
        if (proxy->toolKey() == iKey)
            return proxy;
    }
    return nullptr;
}

DownloadedSubToolWidget* ToolManageScene::rowOf(int iKey) const
{
    DroppableProxyWidget* proxy = proxyOf(iKey);
    return proxy ? proxy->row() : nullptr;
}

QVector<int> ToolManageScene::toolKeys() const
{
    QVector<int> keys;
    for (DroppableProxyWidget* proxy : m_listProxies)
        keys.append(proxy->toolKey());
    return keys;
}

QPointF ToolManageScene::slotOf(int iIndex) const
{
    int y = 0;
    for (int i = 0; i < iIndex && i < m_listProxies.size(); ++i)
        y += m_listProxies.at(i)->rowHeight();
    return QPointF(0, y);
}

void ToolManageScene::recountHeights()
{
    m_iHeightSum = 0;
    m_iExtraHeightSum = 0;
    for (DroppableProxyWidget* proxy : m_listProxies) {
        m_iHeightSum += proxy->rowHeight();
        m_iExtraHeightSum += proxy->extraHeight();
    }
}

void ToolManageScene::layoutRows()
{
    recountHeights();
    for (int i = 0; i < m_listProxies.size(); ++i)
        m_listProxies.at(i)->setPos(slotOf(i));
}

void ToolManageScene::changeToolState(ToolCurrentState emState, int iKey)
{
    if (DownloadedSubToolWidget* row = rowOf(iKey))
        row->onToolStateChanged(emState, iKey);
}

DroppableProxyWidget* ToolManageScene::appendRow(const ToolInfo& info, bool bUpdateListMode)
{
    auto* row = new DownloadedSubToolWidget;
    row->setUpdateListMode(bUpdateListMode);
    row->initialise(info);
    row->setPollInterval(m_iPollInterval);
    auto* proxy = new DroppableProxyWidget;
    proxy->setWidget(row);
    proxy->setToolKey(info.ToolKey);
    proxy->setExtraHeight(row->height() - DownloadedSubToolWidget::kBaseHeight);
    addItem(proxy);
    proxy->setPos(m_listProxies.isEmpty()
                      ? QPointF(0, 0)
                      : QPointF(0, m_listProxies.last()->y() + m_listProxies.last()->rowHeight()));
    m_listProxies.append(proxy);
    recountHeights();

    connect(row, &DownloadedSubToolWidget::signalUpdateTool, this, &ToolManageScene::onUpdateTool);
    connect(row, &DownloadedSubToolWidget::signalCancelUpdateTool, this,
            &ToolManageScene::onCancelUpdateTool);
    connect(row, &DownloadedSubToolWidget::signalReupdateTool, this, &ToolManageScene::onReupdateTool);
    connect(row, &DownloadedSubToolWidget::signalRequestDownloadRate, this,
            &ToolManageScene::onRequestDownloadRate);
    connect(row, &DownloadedSubToolWidget::signalResized, proxy, &DroppableProxyWidget::onResized);
    connect(row, &DownloadedSubToolWidget::signalResized, this, &ToolManageScene::onRowResized);
    connect(this, &ToolManageScene::signalServerResponded, row,
            &DownloadedSubToolWidget::onSolveServerResponse);
    connect(this, &ToolManageScene::signalWaitingToolsStartDownload, row,
            &DownloadedSubToolWidget::onWaitingToolsStartDownload);
    return proxy;
}

void ToolManageScene::removeProxy(DroppableProxyWidget* proxy)
{
    m_listProxies.removeAll(proxy);
    removeItem(proxy);
    if (QWidget* row = proxy->widget()) {
        row->disconnect(this);
        // Answers still being handed out must not reach a row on its way out.
        disconnect(this, nullptr, row, nullptr);
    }
    disconnect(proxy);
    proxy->deleteLater();
    recountHeights();
}

void ToolManageScene::onRowResized()
{
    QTimer::singleShot(0, this, [this] {
        recountHeights();
        layoutRows();
    });
}

void ToolManageScene::fitSceneRect(qreal y, qreal width, int iMinHeight)
{
    if (views().size() == 1)
        setSceneRect(-1, y, width, qMax(m_iHeightSum, iMinHeight));
}

void ToolManageScene::onViewResized()
{
    if (views().size() != 1)
        return;
    recountHeights();
    // The viewport's height, so that a list shorter than the view scrolls not.
    const int height = qMax(m_iHeightSum, views().first()->viewport()->height());
    setSceneRect(-1, -8, kRowWidth, height);
}

// The page's own state goes out first: when the request is queued behind
// other downloads, its "waiting" answer must come last.
void ToolManageScene::onUpdateTool(int iKey)
{
    emit signalSubToolsStateChanged(ToolDownloadRequested, iKey);
    emit signalSubToolsRequest(3, {iKey});
}

void ToolManageScene::onCancelUpdateTool(int iKey)
{
    emit signalSubToolsRequest(5, {iKey});
    emit signalSubToolsStateChanged(ToolCancelled, iKey);
}

void ToolManageScene::onReupdateTool(int iKey)
{
    emit signalSubToolsStateChanged(ToolDownloading, iKey);
    emit signalSubToolsRequest(3, {iKey});
}

void ToolManageScene::onRequestDownloadRate(int iKey)
{
    emit signalSubToolsRequest(4, {iKey});
}

} // namespace gearmart
