#pragma once

#include <QWidget>

class QGraphicsView;
class QLabel;
class QStackedWidget;

namespace gearmart {

class DeleteFrame;
class ToolDownloadedScene;

// The page of the "All Tools" tab: the list of downloaded tools with its
// drop target, or "No Tool" when the list is empty.
class DownloadToolsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadToolsWidget(QWidget* parent = nullptr);

    void setScene(ToolDownloadedScene* pScene);
    QGraphicsView* view() const { return m_graphicsViewDownload; }
    DeleteFrame* deleteFrame() const { return m_pDeleteFrame; }
    QStackedWidget* stack() const { return m_pStackedWidget; }

signals:
    void signalDeleteTool(int iToolkey);
    void signalHoverOnDeleteFrame(bool bHover);

public slots:
    void onToolDragStateChange(int iToolkey, int iState);
    void onAddTool();
    void onAllToolsDeleted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint pointerPos() const;
    void placeDeleteFrame();

    QStackedWidget* m_pStackedWidget = nullptr;
    QLabel* iconLabel = nullptr;
    QLabel* noToolTipLabel = nullptr;
    QGraphicsView* m_graphicsViewDownload = nullptr;
    DeleteFrame* m_pDeleteFrame = nullptr;
    ToolDownloadedScene* m_pScene = nullptr;
};

} // namespace gearmart
