#pragma once

#include "common/toolcurrentstate.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QStackedWidget;

namespace gearmart {

class ToolsWiget;

// The catalog's list: a stack whose current page holds the grid of all
// tools. Passes the page's signals down to the grid and the grid's up.
class ToosListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToosListWidget(QWidget* parent = nullptr);

    ToolsWiget* toolsWidget() const { return m_pToolsWiget; }
    QStackedWidget* stackedWidget() const { return m_pStackedWidget; }

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalCover(bool bCover);
    void signalToMoreInfoPage(ToolCurrentState enumType, int iKey);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalSubToolsStateChanged(ToolCurrentState emState, int iKey);
    void signalWaitingToolsStartDownload(int iToolkey);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStackedWidget* m_pStackedWidget = nullptr;
    ToolsWiget* m_pToolsWiget = nullptr;
};

} // namespace gearmart
