#pragma once

#include "common/toolcurrentstate.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

namespace crestui {
class FlowLayout;
}

namespace gearmart {

class SubToolWidget;

// The catalog's cards in a flowing grid, one per tool in key order, spread
// evenly over the width.
class ToolsWiget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultCardWidth = 234;
    static constexpr int kMinimumGap = 10;

    explicit ToolsWiget(QWidget* parent = nullptr);

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
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalCover(bool bCover);
    void signalToMoreInfoPage(ToolCurrentState enumType, int iKey);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalSubToolsStateChanged(ToolCurrentState emState, int iKey);
    void signalWaitingToolsStartDownload(int iToolkey);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fillGrid();
    void addCard(int iToolkey);
    void spreadCards();

    crestui::FlowLayout* m_pFlowLayout = nullptr;
    QList<SubToolWidget*> m_cards;
};

} // namespace gearmart
