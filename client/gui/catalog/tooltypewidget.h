#pragma once

#include "tooldata/toolfilter.h"

#include <QList>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QPushButton;

namespace gearmart {

class ToolSearchField;

// The bar above the grid: "All Tool" and one button per category the
// catalog holds, each with its number of tools, then the search field. One
// button is chosen at a time; the arrow keys move between them.
class ToolTypeWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 40;
    // The "All Tool" button's category: none, every tool.
    static constexpr int kAll = -1;

    static QString selectedStyle();
    static QString plainStyle();

    explicit ToolTypeWidget(QWidget* parent = nullptr);

    // The categories in the order given, after "All Tool" with total tools.
    void setCategories(const QVector<ToolFilter::Category>& categories, int iTotal);
    // Chooses a category present on the bar (or kAll); false when absent.
    bool choose(int iCategory);
    int chosenCategory() const { return m_iChosen; }

    QPushButton* allToolButton() const { return m_pAllToolBtn; }
    QList<QPushButton*> categoryButtons() const { return m_categoryButtons; }
    ToolSearchField* searchField() const { return m_pSearchField; }

signals:
    void signalCategoryChosen(int iCategory);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* addButton(const QString& qstrName, int iCount);
    void restyle();

    QHBoxLayout* m_pButtonRow = nullptr;
    QButtonGroup* m_pGroup = nullptr;
    QPushButton* m_pAllToolBtn = nullptr;
    QList<QPushButton*> m_categoryButtons;
    QList<int> m_categoryIds;
    ToolSearchField* m_pSearchField = nullptr;
    int m_iChosen = kAll;
};

} // namespace gearmart
