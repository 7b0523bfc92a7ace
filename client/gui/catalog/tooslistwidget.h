#pragma once

#include <QWidget>

class QStackedWidget;

namespace gearmart {

class NoMatchPanel;
class ToolTransfer;
class ToolsWiget;

// The catalog's list: a stack whose first page holds the grid of tools and
// whose second says that no tool matches the search, with a way to clear
// it. Passes the page's signals down to the grid and the grid's up.
class ToosListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToosListWidget(ToolTransfer* transfers, QWidget* parent = nullptr);

    ToolsWiget* toolsWidget() const { return m_pToolsWiget; }
    QStackedWidget* stackedWidget() const { return m_pStackedWidget; }
    NoMatchPanel* noMatchPanel() const { return m_pNoMatchPanel; }
    bool showsNoMatch() const;

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);
    void signalToolDeleted(int iToolkey);
    void signalClearSearch();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onShownChanged();

    QStackedWidget* m_pStackedWidget = nullptr;
    QWidget* m_pAllPage = nullptr;
    NoMatchPanel* m_pNoMatchPanel = nullptr;
    ToolsWiget* m_pToolsWiget = nullptr;
};

} // namespace gearmart
