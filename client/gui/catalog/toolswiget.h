#pragma once

#include <QList>
#include <QWidget>

namespace crestui {
class FlowLayout;
}

namespace gearmart {

class SubToolWidget;
class ToolTransfer;

// The catalog's cards in a flowing grid, one per tool in key order, spread
// evenly over the width.
class ToolsWiget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultCardWidth = 234;
    static constexpr int kMinimumGap = 10;

    explicit ToolsWiget(ToolTransfer* transfers, QWidget* parent = nullptr);

    const QList<SubToolWidget*>& cards() const { return m_cards; }
    SubToolWidget* card(int iToolkey) const;
    crestui::FlowLayout* flowLayout() const { return m_pFlowLayout; }

    // Cards per row and the gap around them for a width: the most cards
    // that leave at least kMinimumGap on both sides and between them (never
    // fewer than one), and the remaining room shared out.
    static int cardsPerRow(int iWidth, int iCardWidth);
    static int gapFor(int iWidth, int iCardWidth);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);
    // In: a tool deleted on the my-tools board.
    void signalToolDeleted(int iToolkey);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fillGrid();
    void addCard(int iToolkey);
    void spreadCards();

    ToolTransfer* m_pTransfers;
    crestui::FlowLayout* m_pFlowLayout = nullptr;
    QList<SubToolWidget*> m_cards;
};

} // namespace gearmart
