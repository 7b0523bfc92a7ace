#pragma once

#include <QWidget>

class QPushButton;

namespace gearmart {

// The bar of tool types above the grid; the catalog has one type, "All Tool".
class ToolTypeWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 40;

    explicit ToolTypeWidget(QWidget* parent = nullptr);

    QPushButton* allToolButton() const { return m_pAllToolBtn; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* m_pAllToolBtn = nullptr;
};

} // namespace gearmart
