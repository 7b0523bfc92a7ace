#pragma once

#include <QPoint>
#include <QWidget>

namespace quillkit {

// A title bar for frameless windows: pressing the left button on it and
// moving drags its window. Children that take the mouse themselves (buttons)
// keep their clicks.
class CFancyTitle : public QWidget
{
    Q_OBJECT

public:
    explicit CFancyTitle(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace quillkit
