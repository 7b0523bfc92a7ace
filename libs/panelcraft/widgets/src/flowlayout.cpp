#include "panelcraft/flowlayout.h"

#include <QWidget>
#include <algorithm>

namespace crestui {

namespace {

QSize itemSize(const QLayoutItem* item)
{
    return item->sizeHint().expandedTo(item->minimumSize()).boundedTo(item->maximumSize());
}

} // namespace

FlowLayout::FlowLayout(QWidget* parent, int margin, int hSpacing, int vSpacing)
    : QLayout(parent), m_iHSpacing(hSpacing), m_iVSpacing(vSpacing)
{
    if (margin >= 0) {
        setContentsMargins(margin, margin, margin, margin);
    }
}

FlowLayout::FlowLayout(int margin, int hSpacing, int vSpacing)
    : FlowLayout(nullptr, margin, hSpacing, vSpacing)
{
}

FlowLayout::~FlowLayout()
{
    qDeleteAll(m_items);
}

int FlowLayout::horizontalSpacing() const
{
    return m_iHSpacing >= 0 ? m_iHSpacing : fallbackSpacing();
}

int FlowLayout::verticalSpacing() const
{
    return m_iVSpacing >= 0 ? m_iVSpacing : fallbackSpacing();
}

void FlowLayout::setHorizonSpacing(int n)
{
    m_iHSpacing = n;
    invalidate();
}

void FlowLayout::setVerticalSpacing(int n)
{
    m_iVSpacing = n;
    invalidate();
}

int FlowLayout::fallbackSpacing() const
{
    return std::max(0, QLayout::spacing());
}

void FlowLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
    invalidate();
}

int FlowLayout::count() const
{
    return m_items.size();
}

QLayoutItem* FlowLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size()) {
        return nullptr;
    }
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (!item->isEmpty()) {
            size = size.expandedTo(item->minimumSize());
        }
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const
{
    // The widest item decides; the height follows from heightForWidth.
    QSize size;
    for (const QLayoutItem* item : m_items) {
        if (!item->isEmpty()) {
            size = size.expandedTo(itemSize(item));
        }
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool bApply) const
{
    const QMargins m = contentsMargins();
    const QRect area = rect.marginsRemoved(m);
    const int hSpacing = horizontalSpacing();
    const int vSpacing = verticalSpacing();
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : m_items) {
        if (item->isEmpty()) {
            continue;
        }
        QSize size = itemSize(item);
        // An item wider than the area gets a row of its own, cut to the area
        // unless that would go below its minimum.
        size.setWidth(std::max(std::min(size.width(), area.width()), item->minimumSize().width()));
        if (x > area.x() && x + size.width() > area.x() + area.width()) {
            x = area.x();
            y += rowHeight + vSpacing;
            rowHeight = 0;
        }
        if (bApply) {
            item->setGeometry(QRect(QPoint(x, y), size));
        }
        x += size.width() + hSpacing;
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight - rect.y() + m.bottom();
}

} // namespace crestui
