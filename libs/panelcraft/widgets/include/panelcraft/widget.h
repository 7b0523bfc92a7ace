#pragma once

#include <QWidget>

namespace crestui {

// A plain widget with its own meta-object, so style sheets can select it by
// class and its background, border and image rules are painted.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace crestui
