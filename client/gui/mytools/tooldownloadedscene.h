#pragma once

#include "mytools/droppableproxywidget.h"
#include "mytools/toolmanagescene.h"

#include <QMap>
#include <QPointer>

class QParallelAnimationGroup;
class QPropertyAnimation;
class QTimer;

namespace gearmart {

// The list of all downloaded tools. Rows are dragged to a new place or onto
// the drop target to delete them; the keyboard moves and deletes the focused
// row the same way. The list order is the board's order.
class ToolDownloadedScene : public ToolManageScene
{
    Q_OBJECT

public:
    static constexpr int kAnimationMs = 138;

    explicit ToolDownloadedScene(ToolTransfer* transfers, QObject* parent = nullptr);

    void addTool(const ToolInfo& info) override;
    // Tool key -> list position.
    QMap<int, int> toolOrder() const;
    DroppableProxyWidget* draggedProxy() const { return m_pDraggedProxy; }
    bool isAnimating() const;
    bool isRelayoutPending() const;
    // Screen position of the pointer at the last drag event.
    QPoint lastDragScreenPos() const { return m_lastScreenPos; }
    // Moves a row one place up (-1) or down (1); false at either end.
    bool moveTool(int iKey, int iStep);

signals:
    void signalToolDeleted(int iToolKey);
    void signalDragState(int iToolkey, int iState);
    void signalAddTool();
    void signalAllToolsDeleted();
    // The user put rows in a new order (a drag ended or a row was moved).
    void signalOrderChanged();

public slots:
    void onDeleteTool(int iKey);
    void onSolveHoverDeleteState(bool isHover);
    void onSolveDragState(DroppableProxyWidget::DragState state);
    void onAnimationFinish();

protected:
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void onRowResized() override;

private:
    void reorderAround(DroppableProxyWidget* proxy);
    void animateTo(DroppableProxyWidget* proxy, const QPointF& target);
    void swapAt(int iFirst, int iSecond);
    bool confirmDelete(int iKey, const QString& qstrName);
    void tell(const QString& qstrText);

    QParallelAnimationGroup* m_pAnimationGroup = nullptr;
    QMap<int, QPropertyAnimation*> m_mapAnimations;
    QPointer<DroppableProxyWidget> m_pDraggedProxy;
    bool m_bDragMoved = false;
    QVector<int> m_vectOrderAtPress;
    QTimer* m_pRelayoutTimer = nullptr;
    QPoint m_lastScreenPos;
};

} // namespace gearmart
