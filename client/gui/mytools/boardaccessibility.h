#pragma once

#include <QAccessibleWidget>
#include <QList>

class QGraphicsView;

namespace gearmart {

// Qt 5 shows a graphics view to screen readers as an empty box: the widgets
// its scene carries in proxies (the rows of the My Tools board and of the
// update list) are windows of their own that no reader finds. These
// interfaces put each proxied widget under its view, in on-screen order, so
// that a reader walks the rows and their buttons as on any other page.
class BoardAccessibility
{
public:
    // Registers the interfaces once for the application.
    static void install();
};

// A graphics view as a list of the widgets its scene shows.
class BoardViewAccessible : public QAccessibleWidget
{
public:
    explicit BoardViewAccessible(QGraphicsView* view);

    QList<QWidget*> rows() const;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
};

// A widget inside a proxy: its parent is the view that shows it, its place
// on screen is where the view draws it.
class BoardRowAccessible : public QAccessibleWidget
{
public:
    explicit BoardRowAccessible(QWidget* row);

    QAccessibleInterface* parent() const override;
    QRect rect() const override;
    QAccessible::State state() const override;

private:
    QGraphicsView* view() const;
};

} // namespace gearmart
