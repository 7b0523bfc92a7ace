#pragma once

#include <QLabel>

namespace gearmart {

// A label that reports every change of its size, for rows that grow with
// their wrapped texts.
class ResizeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ResizeLabel(QWidget* parent = nullptr);

signals:
    void signalResized(QSize size);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace gearmart
