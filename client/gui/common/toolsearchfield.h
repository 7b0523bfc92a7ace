#pragma once

#include <QLineEdit>

namespace gearmart {

// The search field of a tool page: filters as the user types, Escape
// empties it, and Ctrl+F anywhere on its page puts the cursor in it.
class ToolSearchField : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int kWidth = 220;

    explicit ToolSearchField(QWidget* parent = nullptr);

    // Ctrl+F (the platform's Find keys) while the page shows selects the field.
    void takeFindShortcutOf(QWidget* pPage);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace gearmart
