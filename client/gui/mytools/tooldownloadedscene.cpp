#include "mytools/tooldownloadedscene.h"

#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "mytools/downloadedsubtoolwidget.h"
#include "mytools/toolfolderremover.h"
#include "tooldata/tooldatamanager.h"
#include "transfer/tooltransfer.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QParallelAnimationGroup>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTimer>

namespace gearmart {

namespace {
constexpr int kMinSceneHeight = 627;
} // namespace

ToolDownloadedScene::ToolDownloadedScene(ToolTransfer* transfers, QObject* parent)
    : ToolManageScene(transfers, parent)
{
    m_pAnimationGroup = new QParallelAnimationGroup(this);
    m_pRelayoutTimer = new QTimer(this);
    m_pRelayoutTimer->setSingleShot(true);
    m_pRelayoutTimer->setInterval(kAnimationMs);
    connect(m_pRelayoutTimer, &QTimer::timeout, this, &ToolDownloadedScene::layoutRows);
    connect(this, &QGraphicsScene::focusItemChanged, this, [this](QGraphicsItem* item) {
        // A row reached by the keyboard scrolls into sight.
        if (item && views().size() == 1)
            views().first()->ensureVisible(item, 0, 8);
    });
}

void ToolDownloadedScene::addTool(const ToolInfo& info)
{
    if (proxyOf(info.ToolKey))
        return;
    DroppableProxyWidget* proxy = appendRow(info, false);
    proxy->setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemSendsGeometryChanges |
                    QGraphicsItem::ItemIsFocusable);
    emit signalAddTool();
    fitSceneRect(0, kRowWidth, kMinSceneHeight);

    DownloadedSubToolWidget* row = proxy->row();
    connect(row, &DownloadedSubToolWidget::signalCover, this, &ToolManageScene::signalCover);
    connect(row, &DownloadedSubToolWidget::signalMoveRequested, this, &ToolDownloadedScene::moveTool);
    // After the key event that asked for it has been handled.
    connect(row, &DownloadedSubToolWidget::signalDeleteRequested, this, &ToolDownloadedScene::onDeleteTool,
            Qt::QueuedConnection);
    connect(proxy, &DroppableProxyWidget::signalDragState, this, &ToolDownloadedScene::onSolveDragState);
}

QMap<int, int> ToolDownloadedScene::toolOrder() const
{
    QMap<int, int> order;
    for (int i = 0; i < m_listProxies.size(); ++i)
        order.insert(m_listProxies.at(i)->toolKey(), i);
    return order;
}

bool ToolDownloadedScene::isAnimating() const
{
    return m_pAnimationGroup->state() == QAbstractAnimation::Running;
}

bool ToolDownloadedScene::isRelayoutPending() const
{
    return m_pRelayoutTimer->isActive();
}

void ToolDownloadedScene::onRowResized()
{
    // A dragged row keeps following the pointer; the release lays out anyway.
    if (!m_pDraggedProxy)
        ToolManageScene::onRowResized();
}

void ToolDownloadedScene::swapAt(int iFirst, int iSecond)
{
    m_listProxies.swapItemsAt(iFirst, iSecond);
    recountHeights();
}

void ToolDownloadedScene::reorderAround(DroppableProxyWidget* proxy)
{
    const int e = m_listProxies.indexOf(proxy);
    // The order is that of all rows: while a search hides some, it stays.
    if (e < 0 || isFiltered())
        return;
    // Neighbours are measured at their slots, not where their animation has
    // got to: a fast drag would otherwise swap back and forth.
    const qreal bottom = proxy->y() + proxy->rowHeight();
    bool bSwapped = false;
    if (e < m_listProxies.size() - 1) {
        DroppableProxyWidget* next = m_listProxies.at(e + 1);
        if (slotOf(e + 1).y() + next->rowHeight() / 2.0 < bottom) {
            swapAt(e, e + 1);
            animateTo(m_listProxies.at(e), slotOf(e));
            bSwapped = true;
        }
    }
    if (!bSwapped && e > 0) {
        DroppableProxyWidget* previous = m_listProxies.at(e - 1);
        if (proxy->y() < slotOf(e - 1).y() + previous->rowHeight() / 2.0) {
            swapAt(e - 1, e);
            animateTo(m_listProxies.at(e), slotOf(e));
        }
    }
    if (m_pAnimationGroup->state() != QAbstractAnimation::Running && m_pAnimationGroup->animationCount() > 0)
        m_pAnimationGroup->start();
}

void ToolDownloadedScene::onSolveDragState(DroppableProxyWidget::DragState state)
{
    auto* proxy = qobject_cast<DroppableProxyWidget*>(sender());
    if (!proxy)
        return;
    switch (state) {
    case DroppableProxyWidget::Pressed:
        m_vectOrderAtPress = toolKeys();
        break;
    case DroppableProxyWidget::Moving:
        m_bDragMoved = true;
        m_pDraggedProxy = proxy;
        emit signalDragState(proxy->toolKey(), 1);
        if (proxy->row())
            proxy->row()->setDragged(true);
        reorderAround(proxy);
        break;
    case DroppableProxyWidget::Released: {
        const int key = proxy->toolKey();
        m_pDraggedProxy = nullptr;
        if (proxy->row())
            proxy->row()->setDragged(false);
        proxy->setScale(1);
        animateTo(proxy, slotOf(m_listProxies.indexOf(proxy)));
        const bool bReordered = !m_vectOrderAtPress.isEmpty() && m_vectOrderAtPress != toolKeys();
        m_vectOrderAtPress.clear();
        emit signalDragState(key, 0);
        if (bReordered)
            emit signalOrderChanged();
        break;
    }
    }
}

void ToolDownloadedScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    m_lastScreenPos = event->screenPos();
    ToolManageScene::mouseMoveEvent(event);
}

void ToolDownloadedScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    m_lastScreenPos = event->screenPos();
    if (m_bDragMoved) {
        m_pRelayoutTimer->start();
        m_bDragMoved = false;
    }
    ToolManageScene::mouseReleaseEvent(event);
}

void ToolDownloadedScene::animateTo(DroppableProxyWidget* proxy, const QPointF& target)
{
    const int key = proxy->toolKey();
    if (QPropertyAnimation* running = m_mapAnimations.take(key)) {
        m_pAnimationGroup->removeAnimation(running);
        running->stop();
        running->deleteLater();
    }
    auto* animation = new QPropertyAnimation(proxy, "pos");
    animation->setObjectName(QStringLiteral("animation"));
    animation->setStartValue(proxy->pos());
    animation->setEndValue(target);
    animation->setDuration(kAnimationMs);
    connect(animation, &QPropertyAnimation::finished, this, &ToolDownloadedScene::onAnimationFinish);
    m_pAnimationGroup->addAnimation(animation);
    m_mapAnimations.insert(key, animation);
    if (m_pAnimationGroup->state() != QAbstractAnimation::Running)
        m_pAnimationGroup->start();
}

void ToolDownloadedScene::onAnimationFinish()
{
    auto* animation = qobject_cast<QPropertyAnimation*>(sender());
    if (!animation)
        return;
    for (auto it = m_mapAnimations.begin(); it != m_mapAnimations.end(); ++it) {
        if (it.value() == animation) {
            m_mapAnimations.erase(it);
            break;
        }
    }
    m_pAnimationGroup->removeAnimation(animation);
    animation->deleteLater();
}

void ToolDownloadedScene::onSolveHoverDeleteState(bool isHover)
{
    if (!m_pDraggedProxy)
        return;
    m_pDraggedProxy->setTransformOriginPoint(m_pDraggedProxy->boundingRect().center());
    m_pDraggedProxy->setScale(isHover ? 0.5 : 1);
}

bool ToolDownloadedScene::moveTool(int iKey, int iStep)
{
    DroppableProxyWidget* proxy = proxyOf(iKey);
    const int from = m_listProxies.indexOf(proxy);
    const int to = from + iStep;
    if (!proxy || iStep == 0 || to < 0 || to >= m_listProxies.size() || isFiltered())
        return false;
    m_listProxies.move(from, to);
    for (int i = qMin(from, to); i <= qMax(from, to); ++i)
        animateTo(m_listProxies.at(i), slotOf(i));
    if (views().size() == 1)
        views().first()->ensureVisible(QRectF(slotOf(to), proxy->size()), 0, 8);
    emit signalOrderChanged();
    return true;
}

void ToolDownloadedScene::tell(const QString& qstrText)
{
    TipDialog::showTip(kErrorIcon, qstrText, tr("OK"), tr("Cancel"), false, nullptr);
}

bool ToolDownloadedScene::confirmDelete(int iKey, const QString& qstrName)
{
    Q_UNUSED(iKey);
    QPointer<ToolDownloadedScene> self(this);
    emit signalCover(true);
    const int answer = TipDialog::showTip(kSureIcon, tr("Delete %1 and all its files?").arg(qstrName),
                                          tr("OK"), tr("Cancel"), true, nullptr);
    if (self)
        emit signalCover(false);
    return self && answer == 1;
}

void ToolDownloadedScene::onDeleteTool(int iKey)
{
    DroppableProxyWidget* proxy = proxyOf(iKey);
    if (!proxy)
        return;
    ToolDataManager* data = ToolDataManager::instance();
    const QString name = data->toolName(iKey);
    if (ToolLauncher::isRunning(iKey)) {
        TipDialog::showTip(kNoticeIcon, name + QLatin1Char(' ') + tr("Software already opened."), tr("OK"),
                           tr("Cancel"), false, nullptr);
        return;
    }
    QPointer<ToolDownloadedScene> self(this);
    if (!confirmDelete(iKey, name) || !self)
        return;
    // The row may have gone while the question was open.
    proxy = proxyOf(iKey);
    if (!proxy)
        return;

    // An upgrade under way would write into the folder being removed.
    if (m_pTransfers->record(iKey).isActive())
        m_pTransfers->cancel(iKey);
    const QString folder = ToolLauncher::toolFolder(iKey);
    const ToolFolderRemover::Result result =
        ToolFolderRemover::remove(folder, ConfigManager::instance()->downloadPath());
    switch (result.outcome) {
    case ToolFolderRemover::Outcome::Refused:
        tell(tr("%1 is not in the download folder and was not deleted: %2").arg(name, folder));
        return;
    case ToolFolderRemover::Outcome::Failed:
        tell(tr("%1 could not be deleted. Close every program that uses its files and try again.").arg(name));
        return;
    case ToolFolderRemover::Outcome::Removed:
    case ToolFolderRemover::Outcome::NothingToRemove:
    case ToolFolderRemover::Outcome::PartlyRemoved:
        break;
    }

    if (QPropertyAnimation* running = m_mapAnimations.take(iKey)) {
        m_pAnimationGroup->removeAnimation(running);
        running->stop();
        running->deleteLater();
    }
    if (m_pDraggedProxy == proxy)
        m_pDraggedProxy = nullptr;
    removeProxy(proxy);
    ToolLauncher::removeDesktopShortcut(iKey);
    emit signalToolDeleted(iKey);
    layoutRows();
    if (m_listProxies.isEmpty())
        emit signalAllToolsDeleted();
    if (result.outcome == ToolFolderRemover::Outcome::PartlyRemoved)
        tell(tr("%1 was deleted, but some of its files could not be removed: %2")
                 .arg(name, result.leftoverPath));
}

} // namespace gearmart
