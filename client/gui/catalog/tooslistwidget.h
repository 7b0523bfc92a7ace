#pragma once

#include <QWidget>

class QStackedWidget;

namespace gearmart {

class ToolTransfer;
class ToolsWiget;

// The catalog's list: a stack whose current page holds the grid of all
// tools. Passes the page's signals down to the grid and the grid's up.
class ToosListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToosListWidget(ToolTransfer* transfers, QWidget* parent = nullptr);

    ToolsWiget* toolsWidget() const { return m_pToolsWiget; }
    QStackedWidget* stackedWidget() const { return m_pStackedWidget; }

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);
    void signalToolDeleted(int iToolkey);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStackedWidget* m_pStackedWidget = nullptr;
    ToolsWiget* m_pToolsWiget = nullptr;
};

} // namespace gearmart
