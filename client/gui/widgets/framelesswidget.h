#pragma once

#include <QWidget>

namespace gearmart {

// Base of the frameless main window: a white panel inset by its own drawn
// shadow (5 pixels left and right, 3 on top, 7 at the bottom).
class FramelessWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FramelessWidget(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace gearmart
