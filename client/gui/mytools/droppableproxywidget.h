#pragma once

#include <QGraphicsProxyWidget>

namespace gearmart {

class DownloadedSubToolWidget;

// A row of a my-tools list on its scene. Presses and drags on the row's
// background move the item; those on its buttons also reach the buttons.
class DroppableProxyWidget : public QGraphicsProxyWidget
{
    Q_OBJECT

public:
    enum DragState
    {
        Pressed = 0,
        Moving = 1,
        Released = 2
    };
    Q_ENUM(DragState)

    explicit DroppableProxyWidget(QGraphicsItem* parent = nullptr);

    int toolKey() const { return m_iToolKey; }
    void setToolKey(int iToolKey) { m_iToolKey = iToolKey; }
    int extraHeight() const { return m_iExtraHeight; }
    void setExtraHeight(int iExtraHeight) { m_iExtraHeight = iExtraHeight; }
    // The embedded row's height (96 plus the extra height).
    int rowHeight() const;
    bool isPressed() const { return m_bPressed; }
    DownloadedSubToolWidget* row();

signals:
    void signalDragState(DroppableProxyWidget::DragState state);

public slots:
    void onResized(QSize newSize);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    bool onInteractiveChild(const QPointF& pos);

    int m_iToolKey = -1;
    int m_iExtraHeight = 0;
    bool m_bPressed = false;
    DownloadedSubToolWidget* m_pRow = nullptr;
};

} // namespace gearmart
