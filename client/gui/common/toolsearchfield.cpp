#include "common/toolsearchfield.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QToolButton>

namespace gearmart {

ToolSearchField::ToolSearchField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("toolSearchField"));
    setPlaceholderText(tr("Search tools (Ctrl+F)"));
    setAccessibleName(tr("Search tools"));
    setAccessibleDescription(tr("Filters the tools by name, description and category as you type"));
    setClearButtonEnabled(true);
    // The clear button is the mouse's way to what Escape does.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        button->setAccessibleName(tr("Clear search"));
        button->setToolTip(tr("Clear search"));
    }
    setFixedWidth(kWidth);
    // Names and descriptions are short; a pasted page of text is not a search.
    setMaxLength(100);
}

void ToolSearchField::takeFindShortcutOf(QWidget* pPage)
{
    // A page's shortcut works only while the page shows, so each page can
    // have its own without the two clashing.
    auto* find = new QShortcut(QKeySequence::Find, pPage);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        setFocus(Qt::ShortcutFocusReason);
        selectAll();
    });
}

void ToolSearchField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace gearmart
