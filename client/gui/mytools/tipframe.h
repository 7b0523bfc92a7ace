#pragma once

#include <QFrame>

class QLabel;

namespace gearmart {

// The hint above the list of all tools: "Drag to sort or delete".
class TipFrame : public QFrame
{
    Q_OBJECT

public:
    explicit TipFrame(QWidget* parent = nullptr);

signals:
    void signalResized(QSize size);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_iconLabel = nullptr;
    QLabel* m_wordLabel = nullptr;
};

} // namespace gearmart
