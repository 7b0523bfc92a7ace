#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace gearmart {

// Says that no tool matches the search, quoting it, with a button that
// clears the search.
class NoMatchPanel : public QWidget
{
    Q_OBJECT

public:
    explicit NoMatchPanel(QWidget* parent = nullptr);

    void setSearchText(const QString& qstrText);
    QLabel* label() const { return m_pLabel; }
    QPushButton* clearButton() const { return m_pClearBtn; }

signals:
    void signalClearSearch();

private:
    QLabel* m_pLabel = nullptr;
    QPushButton* m_pClearBtn = nullptr;
};

} // namespace gearmart
