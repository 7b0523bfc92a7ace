#pragma once

#include "tooldata/toolfilter.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QVector>
#include <QWidget>

class QAbstractScrollArea;
class QTimer;

namespace gearmart {

class SubToolWidget;
class ToolTransfer;

// The catalog's cards in a flowing grid, one per tool in key order, spread
// evenly over the width. A catalog may hold a thousand tools, so a card
// shows a tool only while the tool's place is on screen or near it: cards
// are given tools as their rows scroll into view and let go once far out
// of it, to be reused for others. Each card renders its tool's transfer
// from the model, so a card given a tool again shows what it showed before.
class ToolsWiget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultCardWidth = 234;
    static constexpr int kCardHeight = 254;
    static constexpr int kMinimumGap = 10;
    static constexpr int kRowSpacing = 8;
    // Rows made beyond the visible ones, so that the next card is there for
    // the Tab key and a slow scroll never shows an empty place.
    static constexpr int kRowsAhead = 1;
    // Rows kept beyond the visible ones before their cards are let go.
    static constexpr int kRowsKept = 2;
    // Cards let go are kept hidden, up to this many, to show other tools.
    static constexpr int kMostSpareCards = 48;

    explicit ToolsWiget(ToolTransfer* transfers, QWidget* parent = nullptr);

    // Every tool the grid may show, and those the search and category let through.
    const QVector<int>& toolKeys() const { return m_keys; }
    const QVector<int>& shownKeys() const { return m_filter.matchingKeys(); }
    const ToolFilter& filter() const { return m_filter; }
    void setSearchText(const QString& qstrText);
    // A category of ToolCategory; none shows every category.
    void setCategory(std::optional<int> category);

    // The cards showing a tool now, in grid order (spare ones aside).
    QList<SubToolWidget*> cards() const;
    // Null while no card shows the tool.
    SubToolWidget* card(int iToolkey) const { return m_cards.value(iToolkey); }
    // Where the card of the n-th shown tool goes.
    QRect cardRect(int iIndex) const;

    // Cards per row and the gap around them for a width: the most cards
    // that leave at least kMinimumGap on both sides and between them (never
    // fewer than one), and the remaining room shared out.
    static int cardsPerRow(int iWidth, int iCardWidth);
    static int gapFor(int iWidth, int iCardWidth);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int iWidth) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalCover(bool bCover);
    // In: a tool deleted on the my-tools board.
    void signalToolDeleted(int iToolkey);
    // The shown tools changed (search or category).
    void signalShownChanged();

public slots:
    // Makes and lets go of cards for the part of the grid now on screen.
    void syncCards();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fillKeys();
    void watchScrollArea();
    // The part of the grid inside the scrolling viewport (all of it without one).
    QRect visibleArea() const;
    SubToolWidget* makeCard(int iToolkey);
    SubToolWidget* newCard(int iToolkey);
    // How many cards scrolling needs at hand, shown or spare.
    int wantedCards() const;
    void makeSpareCard();
    void letGo(SubToolWidget* card);
    bool mayLetGo(SubToolWidget* card) const;
    void placeCards();
    void chainFocus();
    void onShownChanged();

    ToolTransfer* m_pTransfers;
    QVector<int> m_keys;
    ToolFilter m_filter;
    QHash<int, SubToolWidget*> m_cards;
    QList<SubToolWidget*> m_spareCards;
    // Makes spare cards while nothing else happens.
    QTimer* m_pSpareTimer = nullptr;
    QPointer<QAbstractScrollArea> m_pScrollArea;
    bool m_bSyncing = false;
};

} // namespace gearmart
