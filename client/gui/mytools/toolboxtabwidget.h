#pragma once

#include <QFrame>

class QPushButton;
class QStackedWidget;

namespace gearmart {

class ToolSearchField;

// The two tabs of the my-tools board, "All Tools" and "Updateable Tools",
// with the page of each, and the search field beside them.
class ToolBoxTabWidget : public QFrame
{
    Q_OBJECT

public:
    explicit ToolBoxTabWidget(QWidget* parent = nullptr);

    QPushButton* allToolButton() const { return allToolBtn; }
    QPushButton* updateableToolButton() const { return updateableToolBtn; }
    ToolSearchField* searchField() const { return m_pSearchField; }
    QWidget* downloadedToolsTab() const { return m_downloadedToolsTab; }
    QWidget* updateToolsTab() const { return m_updateToolsTab; }
    int currentIndex() const;

signals:
    void signalCurrentChanged(int index);

public slots:
    void onAllToolBtnClicked();
    void onUpdateableBtnClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* allToolBtn = nullptr;
    QPushButton* updateableToolBtn = nullptr;
    QStackedWidget* m_pStackedWidget = nullptr;
    QWidget* m_downloadedToolsTab = nullptr;
    QWidget* m_updateToolsTab = nullptr;
    ToolSearchField* m_pSearchField = nullptr;
};

} // namespace gearmart
