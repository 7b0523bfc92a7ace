#pragma once

#include "tooldata/toolfilter.h"

#include <QMap>
#include <QVector>
#include <QWidget>

class QLabel;

namespace gearmart {

class DownloadToolsWidget;
class NoMatchPanel;
class TipFrame;
class ToolBoxTabWidget;
class ToolDownloadedScene;
class ToolTransfer;
class ToolUpdateScene;
class UpdateToolsWidget;

// The "My Tools" page: the tools on disk in the order the user gave them,
// and the ones with a newer version, with the number of those on a badge.
class ToolBoxWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolBoxWidget(ToolTransfer* transfers, QWidget* parent = nullptr);

    // Tool key -> 0-based place on the list of all tools.
    QMap<int, int> toolOrder() const;
    // Writes the order into the tool states and saves the state list.
    bool saveToolOrder() const;
    int updateCount() const;

    ToolBoxTabWidget* tabWidget() const { return m_ToolBoxTabWidget; }
    DownloadToolsWidget* downloadToolsWidget() const { return m_pDownloadToolsWidget; }
    UpdateToolsWidget* updateToolsWidget() const { return m_pUpdateToolsWidget; }
    ToolDownloadedScene* downloadedScene() const { return m_pDownloadedScene; }
    ToolUpdateScene* updateScene() const { return m_pUpdateScene; }
    QLabel* updateNumLabel() const { return m_pUpdateNumLabel; }
    TipFrame* tipFrame() const { return m_pTipFrame; }
    NoMatchPanel* noMatchPanel() const { return m_pNoMatchPanel; }

signals:
    // A tool deleted here: the other pages show it as not installed.
    void signalToolDeleted(int iToolKey);
    void signalAllToolUpgraded();
    void signalResized();
    void signalCover(bool cover);

public slots:
    void onShowToolBoxWidget();
    void onTabChanged(int index);
    void onToolDeleted(int iToolKey);
    void onToolUpgradeCompleted(int iKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildForm();
    void makeConnections();
    void fill();
    void refreshBadge();
    void placeTip();
    // Both lists show the tools the search lets through.
    void onSearchChanged(const QString& qstrText);
    // "No tool matches" over the current list when its search hides every row.
    void refreshNoMatch();
    // A download finished anywhere puts its tool on the list.
    void onTransfersChanged(QVector<int> toolKeys);
    // A skip, its undo or a roll back: the update list follows.
    void onOffersChanged(int iToolKey);

    ToolTransfer* m_pTransfers;
    ToolBoxTabWidget* m_ToolBoxTabWidget = nullptr;
    DownloadToolsWidget* m_pDownloadToolsWidget = nullptr;
    UpdateToolsWidget* m_pUpdateToolsWidget = nullptr;
    ToolDownloadedScene* m_pDownloadedScene = nullptr;
    ToolUpdateScene* m_pUpdateScene = nullptr;
    QLabel* m_pUpdateNumLabel = nullptr;
    QLabel* m_pLinelabel = nullptr;
    TipFrame* m_pTipFrame = nullptr;
    NoMatchPanel* m_pNoMatchPanel = nullptr;
    ToolFilter m_filter;
    int m_iHasRows = -1; // unknown until the first badge refresh
};

} // namespace gearmart
