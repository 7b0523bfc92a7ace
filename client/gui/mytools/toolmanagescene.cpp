#include "mytools/toolmanagescene.h"

#include "mytools/boardaccessibility.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/droppableproxywidget.h"

#include <QGraphicsView>
#include <QTimer>
#include <algorithm>

namespace gearmart {

ToolManageScene::ToolManageScene(ToolTransfer* transfers, QObject* parent)
    : QGraphicsScene(parent), m_pTransfers(transfers)
{
    BoardAccessibility::install();
}

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
    for (int i = 0; i < iIndex && i < m_listProxies.size(); ++i) {
        if (m_listProxies.at(i)->isVisible())
            y += m_listProxies.at(i)->rowHeight();
    }
    return QPointF(0, y);
}

void ToolManageScene::recountHeights()
{
    m_iHeightSum = 0;
    m_iExtraHeightSum = 0;
    for (DroppableProxyWidget* proxy : m_listProxies) {
        if (!proxy->isVisible())
            continue;
        m_iHeightSum += proxy->rowHeight();
        m_iExtraHeightSum += proxy->extraHeight();
    }
}

void ToolManageScene::setRowFilter(std::function<bool(int)> accepts)
{
    m_rowFilter = std::move(accepts);
    for (DroppableProxyWidget* proxy : qAsConst(m_listProxies))
        proxy->setVisible(!m_rowFilter || m_rowFilter(proxy->toolKey()));
    layoutRows();
    onViewResized();
}

int ToolManageScene::shownRowCount() const
{
    return int(std::count_if(m_listProxies.cbegin(), m_listProxies.cend(),
                             [](const DroppableProxyWidget* proxy) { return proxy->isVisible(); }));
}

void ToolManageScene::layoutRows()
{
    recountHeights();
    for (int i = 0; i < m_listProxies.size(); ++i)
        m_listProxies.at(i)->setPos(slotOf(i));
}

DroppableProxyWidget* ToolManageScene::appendRow(const ToolInfo& info, bool bUpdateListMode)
{
    auto* row = new DownloadedSubToolWidget(m_pTransfers);
    row->setUpdateListMode(bUpdateListMode);
    row->resize(m_iRowWidth, row->height());
    row->initialise(info);
    auto* proxy = new DroppableProxyWidget;
    proxy->setWidget(row);
    proxy->setToolKey(info.ToolKey);
    proxy->setExtraHeight(row->height() - DownloadedSubToolWidget::kBaseHeight);
    addItem(proxy);
    proxy->setVisible(!m_rowFilter || m_rowFilter(info.ToolKey));
    proxy->setPos(slotOf(m_listProxies.size()));
    m_listProxies.append(proxy);
    recountHeights();

    connect(row, &DownloadedSubToolWidget::signalResized, proxy, &DroppableProxyWidget::onResized);
    connect(row, &DownloadedSubToolWidget::signalResized, this, &ToolManageScene::onRowResized);
    return proxy;
}

void ToolManageScene::removeProxy(DroppableProxyWidget* proxy)
{
    m_listProxies.removeAll(proxy);
    removeItem(proxy);
    if (QWidget* row = proxy->widget()) {
        row->disconnect(this);
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
        setSceneRect(-1, y, qMax(width, qreal(m_iRowWidth)), qMax(m_iHeightSum, iMinHeight));
}

void ToolManageScene::onViewResized()
{
    if (views().size() != 1)
        return;
    // Maximised, the rows spread their texts and buttons over the width.
    QWidget* viewport = views().first()->viewport();
    m_iRowWidth = qMax(DownloadedSubToolWidget::kMinWidth, viewport->width() - 2);
    for (DroppableProxyWidget* proxy : qAsConst(m_listProxies)) {
        if (QWidget* row = proxy->widget())
            row->resize(m_iRowWidth, row->height());
    }
    recountHeights();
    // The viewport's height, so that a list shorter than the view scrolls not.
    const int height = qMax(m_iHeightSum, viewport->height());
    setSceneRect(-1, -8, m_iRowWidth, height);
}

} // namespace gearmart
