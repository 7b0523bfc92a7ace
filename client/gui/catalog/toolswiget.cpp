#include "catalog/toolswiget.h"

#include "catalog/subtoolwidget.h"
#include "config/configmanager.h"
#include "panelcraft/flowlayout.h"
#include "tooldata/tooldatamanager.h"

#include <QPainter>
#include <QStyleOption>

namespace gearmart {

namespace {

// Shown in the Chinese edition only.
constexpr int kChineseOnlyToolKey = 11;

struct Spread
{
    int perRow = 1;
    int gap = 0;
};

Spread spreadFor(int iWidth, int iCardWidth)
{
    if (iCardWidth <= 0)
        iCardWidth = ToolsWiget::kDefaultCardWidth;
    int n = iWidth / iCardWidth;
    int r = iWidth % iCardWidth;
    while (n > 1 && r < ToolsWiget::kMinimumGap * n + ToolsWiget::kMinimumGap) {
        --n;
        r += iCardWidth;
    }
    // Narrower than one card: the card still shows, flush left.
    if (n < 1)
        return {1, 0};
    return {n, r / (n + 1)};
}

} // namespace

ToolsWiget::ToolsWiget(ToolTransfer* transfers, QWidget* parent) : QWidget(parent), m_pTransfers(transfers)
{
    setObjectName(QStringLiteral("ToolsWiget"));
    resize(658, 300);
    m_pFlowLayout = new crestui::FlowLayout(this, 0, kMinimumGap, 8);
    m_pFlowLayout->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    fillGrid();
}

int ToolsWiget::cardsPerRow(int iWidth, int iCardWidth)
{
    return spreadFor(iWidth, iCardWidth).perRow;
}

int ToolsWiget::gapFor(int iWidth, int iCardWidth)
{
    return spreadFor(iWidth, iCardWidth).gap;
}

SubToolWidget* ToolsWiget::card(int iToolkey) const
{
    for (SubToolWidget* card : m_cards) {
        if (card->toolKey() == iToolkey)
            return card;
    }
    return nullptr;
}

void ToolsWiget::fillGrid()
{
    const bool bEnglish = ConfigManager::instance()->language() == 0;
    const auto& infos = ToolDataManager::instance()->toolInfos();
    for (auto it = infos.cbegin(); it != infos.cend(); ++it) {
        const int key = it.key();
        if (key == ToolDataManager::kMaterialKey || key == ToolDataManager::kManagerKey)
            continue;
        if (key == kChineseOnlyToolKey && bEnglish)
            continue;
        addCard(key);
    }
}

void ToolsWiget::addCard(int iToolkey)
{
    auto* card = new SubToolWidget(iToolkey, m_pTransfers, this);
    m_cards.append(card);
    m_pFlowLayout->addWidget(card);

    connect(card, &SubToolWidget::signalShowMoreInfoWidget, this, &ToolsWiget::signalShowMoreInfoWidget);
    connect(card, &SubToolWidget::signalCover, this, &ToolsWiget::signalCover);
    connect(this, &ToolsWiget::signalToolDeleted, card, &SubToolWidget::onToolDeleted);
}

void ToolsWiget::spreadCards()
{
    const int cardWidth = m_cards.isEmpty() ? kDefaultCardWidth : m_cards.first()->width();
    const int gap = spreadFor(width(), cardWidth).gap;
    m_pFlowLayout->setHorizonSpacing(gap);
    const QMargins margins = m_pFlowLayout->contentsMargins();
    m_pFlowLayout->setContentsMargins(gap, margins.top(), margins.right(), margins.bottom());
    m_pFlowLayout->update();
}

void ToolsWiget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    spreadCards();
}

void ToolsWiget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
