#pragma once

#include "common/toolcurrentstate.h"
#include "tooldata/toolinfo.h"

#include <QGraphicsScene>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

namespace gearmart {

class DownloadedSubToolWidget;
class DroppableProxyWidget;

// What both my-tools lists share: an ordered column of tool rows (list
// position = place in the column), the requests their buttons make and the
// fitting of the scene to its one view.
class ToolManageScene : public QGraphicsScene
{
    Q_OBJECT

public:
    static constexpr int kRowWidth = 1007;

    explicit ToolManageScene(QObject* parent = nullptr);

    virtual void addTool(const ToolInfo& info) = 0;
    // Passes a tool state to the row of its key.
    virtual void changeToolState(ToolCurrentState emState, int iKey);
    // Every row to its slot, without animation.
    virtual void layoutRows();

    const QList<DroppableProxyWidget*>& proxies() const { return m_listProxies; }
    DroppableProxyWidget* proxyOf(int iKey) const;
    DownloadedSubToolWidget* rowOf(int iKey) const;
    QVector<int> toolKeys() const;
    int rowCount() const { return m_listProxies.size(); }
    int heightSum() const { return m_iHeightSum; }
    int extraHeightSum() const { return m_iExtraHeightSum; }
    // Where the row at a list position stands: below the rows before it.
    QPointF slotOf(int iIndex) const;
    // Progress polling interval of the rows made from now on; tests shorten it.
    void setPollInterval(int iMilliseconds) { m_iPollInterval = iMilliseconds; }

signals:
    void signalSubToolsRequest(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void signalCover(bool cover);
    void signalWaitingToolsStartDownload(int iToolkey);

public slots:
    void onUpdateTool(int iKey);
    void onCancelUpdateTool(int iKey);
    void onReupdateTool(int iKey);
    void onRequestDownloadRate(int iKey);
    void onViewResized();

protected:
    // A row for the tool inside a new item, connected to the scene's request
    // slots and answers, added below the last row.
    DroppableProxyWidget* appendRow(const ToolInfo& info, bool bUpdateListMode);
    // Takes the item out of the list and the scene and destroys it later
    // (its row may be the sender of the signal being handled).
    void removeProxy(DroppableProxyWidget* proxy);
    void recountHeights();
    void fitSceneRect(qreal y, qreal width, int iMinHeight);
    // Relayout after a row changed its height.
    virtual void onRowResized();

    QList<DroppableProxyWidget*> m_listProxies;
    int m_iHeightSum = 0;
    int m_iExtraHeightSum = 0;
    int m_iPollInterval = 1000;
};

} // namespace gearmart
