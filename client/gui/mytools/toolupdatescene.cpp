#include "mytools/toolupdatescene.h"

#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/droppableproxywidget.h"
#include "transfer/tooltransfer.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QGraphicsView>

namespace gearmart {

namespace {
constexpr int kMinSceneHeight = 603;
constexpr int kUpdateRowWidth = 1005;
} // namespace

ToolUpdateScene::ToolUpdateScene(ToolTransfer* transfers, QObject* parent)
    : ToolManageScene(transfers, parent)
{
    connect(transfers, &ToolTransfer::signalTransfersChanged, this, &ToolUpdateScene::onTransfersChanged);
}

void ToolUpdateScene::onTransfersChanged(QVector<int> toolKeys)
{
    for (int key : qAsConst(toolKeys)) {
        if (m_pTransfers->record(key).state == TransferState::Done)
            onUpgradeCompleted(key);
    }
}

void ToolUpdateScene::addTool(const ToolInfo& info)
{
    if (proxyOf(info.ToolKey))
        return;
    DroppableProxyWidget* proxy = appendRow(info, true);
    proxy->setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemSendsGeometryChanges |
                    QGraphicsItem::ItemIsFocusable);
    fitSceneRect(-4, kUpdateRowWidth, kMinSceneHeight);

    DownloadedSubToolWidget* row = proxy->row();
    connect(row, &DownloadedSubToolWidget::signalCheckBoxStateChanged, this,
            &ToolUpdateScene::onSubCheckBoxStateChanged);
    connect(this, &ToolUpdateScene::signalBatchUpdateSelecting, row,
            &DownloadedSubToolWidget::onSetCheckBoxVisible);
}

int ToolUpdateScene::checkedCount() const
{
    int count = 0;
    for (DroppableProxyWidget* proxy : m_listProxies) {
        if (proxy->isVisible() && proxy->row() && proxy->row()->isChecked())
            ++count;
    }
    return count;
}

void ToolUpdateScene::onSolveBatchUpdate()
{
    QVector<int> keys;
    // Only what the user sees: rows a search hides are not updated unseen.
    for (DroppableProxyWidget* proxy : qAsConst(m_listProxies)) {
        DownloadedSubToolWidget* row = proxy->row();
        if (!row || !row->isChecked() || !proxy->isVisible())
            continue;
        const UpdateState state = row->updateState();
        if (state == UpdateStateUpToDate || state == UpdateStateAvailable)
            keys.append(proxy->toolKey());
    }
    if (keys.isEmpty()) {
        // Pressing Update and seeing nothing happen would leave the user guessing.
        const QString text = checkedCount() == 0
                                 ? tr("No tool is ticked. Tick the tools to update, then press Update.")
                                 : tr("The ticked tools are being updated already, or their update failed: "
                                      "use the retry button on their rows.");
        QWidget* parent = views().isEmpty() ? nullptr : views().first()->window();
        TipDialog::showTip(kNoticeIcon, text, tr("OK"),
                           tr("Cancel"), false, parent);
        return;
    }
    // One request: the request layer starts three and queues the rest in
    // this order.
    m_pTransfers->download(keys);
}

void ToolUpdateScene::onSolveCheckAllState(int state)
{
    if (state != Qt::Checked && state != Qt::Unchecked)
        return;
    m_bSettingAll = true;
    for (DroppableProxyWidget* proxy : qAsConst(m_listProxies)) {
        if (proxy->row() && proxy->isVisible())
            proxy->row()->setChecked(state == Qt::Checked);
    }
    m_bSettingAll = false;
    onSubCheckBoxStateChanged();
}

void ToolUpdateScene::onSetSubCkeckBoxVisible(bool visible)
{
    emit signalBatchUpdateSelecting(visible);
}

void ToolUpdateScene::onSubCheckBoxStateChanged()
{
    if (m_bSettingAll)
        return;
    const int count = checkedCount();
    emit signalSubCheckBoxStateChanged(count > 0 && count == shownRowCount() ? kAllChecked : count);
}

void ToolUpdateScene::onToolDeleted(int iToolkey)
{
    if (DroppableProxyWidget* proxy = proxyOf(iToolkey)) {
        removeProxy(proxy);
        layoutRows();
        onSubCheckBoxStateChanged();
    }
}

void ToolUpdateScene::onUpgradeCompleted(int iKey)
{
    DroppableProxyWidget* proxy = proxyOf(iKey);
    if (!proxy)
        return;
    removeProxy(proxy);
    layoutRows();
    emit signalUpgradeCompleted(iKey);
}

} // namespace gearmart
