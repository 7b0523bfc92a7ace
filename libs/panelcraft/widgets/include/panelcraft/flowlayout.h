#pragma once

#include <QLayout>
#include <QList>

namespace crestui {

// Places items in rows from left to right and starts a new row when the next
// item would cross the right edge. Rows start at the left contents margin:
// owners centre a grid by choosing the left margin and the horizontal spacing
// themselves. A spacing of -1 falls back to QLayout::spacing() (setSpacing()
// or the style's). Hidden widgets take no room.
class FlowLayout : public QLayout
{
    Q_OBJECT

public:
    explicit FlowLayout(QWidget* parent, int margin = -1, int hSpacing = -1, int vSpacing = -1);
    explicit FlowLayout(int margin = -1, int hSpacing = -1, int vSpacing = -1);
    ~FlowLayout() override;

    int horizontalSpacing() const;
    int verticalSpacing() const;
    void setHorizonSpacing(int n);
    void setVerticalSpacing(int n);

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    int arrange(const QRect& rect, bool bApply) const;
    int fallbackSpacing() const;

    QList<QLayoutItem*> m_items;
    int m_iHSpacing;
    int m_iVSpacing;
};

} // namespace crestui
