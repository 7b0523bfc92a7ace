#pragma once

#include <QWidget>

class QCheckBox;
class QGraphicsView;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace gearmart {

// The page of the "Updateable Tools" tab: the update list with "check all"
// and the batch update, or "No Tool" when every tool is up to date.
class UpdateToolsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateToolsWidget(QWidget* parent = nullptr);

    // Leaves the selection mode and shows the list or the empty page.
    void setHasRows(bool bHasRows);
    QGraphicsView* view() const { return m_graphicsViewUpdate; }
    QStackedWidget* stack() const { return m_pStackedWidget; }
    QCheckBox* checkAllBox() const { return m_checkAllBox; }
    QPushButton* batchUpdateButton() const { return m_BatchUpdateBtn; }
    QPushButton* updateButton() const { return m_updateBtn; }
    QPushButton* cancelButton() const { return m_cancelBtn; }
    bool isSelecting() const { return m_bSelecting; }

signals:
    void signalBatchUpdateSelecting(bool bIsSelecting);
    void signalCheckAllStateChanged(int chackNumber);
    void signalBatchUpdateBtnClicked();

public slots:
    void onSubCheckBoxStateChanged(int checkNumber);
    void onBatchUpdateBtnClicked();
    void onUpdateBtnClicked();
    void onCancelBtnClicked();

private:
    void setSelecting(bool bSelecting);

    QStackedWidget* m_pStackedWidget = nullptr;
    QLabel* iconLabel = nullptr;
    QLabel* noToolTipLabel = nullptr;
    QWidget* m_checkAllWidget = nullptr;
    QCheckBox* m_checkAllBox = nullptr;
    QGraphicsView* m_graphicsViewUpdate = nullptr;
    QWidget* m_batchUpdateWidget = nullptr;
    QPushButton* m_BatchUpdateBtn = nullptr;
    QWidget* m_updateWidget = nullptr;
    QPushButton* m_updateBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    bool m_bSelecting = false;
};

} // namespace gearmart
