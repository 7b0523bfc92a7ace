#pragma once

#include "tooldata/toolinfo.h"

#include <QGraphicsScene>
#include <QList>
#include <QVector>
#include <functional>

namespace gearmart {

class DownloadedSubToolWidget;
class DroppableProxyWidget;
class ToolTransfer;

// What both my-tools lists share: an ordered column of tool rows (list
// position = place in the column), each rendering its tool's transfer, and
// the fitting of the scene to its one view.
class ToolManageScene : public QGraphicsScene
{
    Q_OBJECT

public:
    static constexpr int kRowWidth = 1007;

    explicit ToolManageScene(ToolTransfer* transfers, QObject* parent = nullptr);

    virtual void addTool(const ToolInfo& info) = 0;
    // Every row to its slot, without animation.
    virtual void layoutRows();

    const QList<DroppableProxyWidget*>& proxies() const { return m_listProxies; }
    DroppableProxyWidget* proxyOf(int iKey) const;
    DownloadedSubToolWidget* rowOf(int iKey) const;
    QVector<int> toolKeys() const;
    int rowCount() const { return m_listProxies.size(); }
    // Rows whose tool the function refuses are hidden and the others close
    // up; an empty function shows every row. The order stays that of all rows.
    void setRowFilter(std::function<bool(int)> accepts);
    bool isFiltered() const { return bool(m_rowFilter); }
    int shownRowCount() const;
    int heightSum() const { return m_iHeightSum; }
    // What every row is given: the view's width, at least a row's minimum.
    int rowWidth() const { return m_iRowWidth; }
    int extraHeightSum() const { return m_iExtraHeightSum; }
    // Where the row at a list position stands: below the shown rows before it.
    QPointF slotOf(int iIndex) const;

signals:
    void signalCover(bool cover);

public slots:
    void onViewResized();

protected:
    // A row for the tool inside a new item, added below the last row.
    DroppableProxyWidget* appendRow(const ToolInfo& info, bool bUpdateListMode);
    // Takes the item out of the list and the scene and destroys it later
    // (its row may be the sender of the signal being handled).
    void removeProxy(DroppableProxyWidget* proxy);
    void recountHeights();
    void fitSceneRect(qreal y, qreal width, int iMinHeight);
    // Relayout after a row changed its height.
    virtual void onRowResized();

    ToolTransfer* m_pTransfers;
    QList<DroppableProxyWidget*> m_listProxies;
    int m_iHeightSum = 0;
    int m_iExtraHeightSum = 0;
    std::function<bool(int)> m_rowFilter;
    int m_iRowWidth = kRowWidth;
};

} // namespace gearmart
