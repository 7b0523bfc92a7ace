#include "catalog/toolswiget.h"

#include "catalog/subtoolwidget.h"
#include "config/configmanager.h"
#include "tooldata/tooldatamanager.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

namespace gearmart {

namespace {

// Shown in the Chinese edition only.
constexpr int kChineseOnlyToolKey = 11;
constexpr int kRowPitch = ToolsWiget::kCardHeight + ToolsWiget::kRowSpacing;

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

// The row at a height, rounding down also above the grid.
int rowAt(int iY)
{
    return iY >= 0 ? iY / kRowPitch : -((kRowPitch - 1 - iY) / kRowPitch);
}

int rowsFor(int iCount, int iPerRow)
{
    return (iCount + iPerRow - 1) / iPerRow;
}

} // namespace

ToolsWiget::ToolsWiget(ToolTransfer* transfers, QWidget* parent) : QWidget(parent), m_pTransfers(transfers)
{
    setObjectName(QStringLiteral("ToolsWiget"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    resize(658, 300);
    m_pSpareTimer = new QTimer(this);
    m_pSpareTimer->setInterval(0);
    connect(m_pSpareTimer, &QTimer::timeout, this, &ToolsWiget::makeSpareCard);
    fillKeys();
}

int ToolsWiget::cardsPerRow(int iWidth, int iCardWidth)
{
    return spreadFor(iWidth, iCardWidth).perRow;
}

int ToolsWiget::gapFor(int iWidth, int iCardWidth)
{
    return spreadFor(iWidth, iCardWidth).gap;
}

void ToolsWiget::fillKeys()
{
    const bool bEnglish = ConfigManager::instance()->language() == 0;
    const ToolDataManager* data = ToolDataManager::instance();
    const auto& infos = data->toolInfos();
    for (auto it = infos.cbegin(); it != infos.cend(); ++it) {
        const int key = it.key();
        if (key == ToolDataManager::kMaterialKey || key == ToolDataManager::kManagerKey)
            continue;
        if (key == kChineseOnlyToolKey && bEnglish)
            continue;
        m_keys.append(key);
    }
    m_filter.setTools(ToolFilter::catalogTools(*data, m_keys));
}

void ToolsWiget::setSearchText(const QString& qstrText)
{
    if (m_filter.setText(qstrText))
        onShownChanged();
    else if (shownKeys().isEmpty())
        emit signalShownChanged(); // the same nothing, for another text
}

void ToolsWiget::setCategory(std::optional<int> category)
{
    if (m_filter.setCategory(category))
        onShownChanged();
}

void ToolsWiget::onShownChanged()
{
    updateGeometry();
    placeCards();
    syncCards();
    emit signalShownChanged();
}

QList<SubToolWidget*> ToolsWiget::cards() const
{
    QList<SubToolWidget*> list;
    for (int key : shownKeys()) {
        if (SubToolWidget* card = m_cards.value(key))
            list.append(card);
    }
    return list;
}

QRect ToolsWiget::cardRect(int iIndex) const
{
    const Spread spread = spreadFor(width(), kDefaultCardWidth);
    const int row = iIndex / spread.perRow;
    const int column = iIndex % spread.perRow;
    return QRect(spread.gap + column * (kDefaultCardWidth + spread.gap), row * kRowPitch, kDefaultCardWidth,
                 kCardHeight);
}

int ToolsWiget::heightForWidth(int iWidth) const
{
    const int rows = rowsFor(shownKeys().size(), spreadFor(iWidth, kDefaultCardWidth).perRow);
    return rows > 0 ? rows * kRowPitch - kRowSpacing : 0;
}

QSize ToolsWiget::sizeHint() const
{
    return QSize(kDefaultCardWidth + 2 * kMinimumGap, heightForWidth(qMax(width(), kDefaultCardWidth)));
}

QSize ToolsWiget::minimumSizeHint() const
{
    return QSize(kDefaultCardWidth, 0);
}

void ToolsWiget::watchScrollArea()
{
    if (m_pScrollArea)
        return;
    // Scrolling moves the scroll area's contents, and folding the banner
    // moves the widgets between them and the grid: both move an ancestor.
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget())) {
            if (area->viewport() == widget) {
                m_pScrollArea = area;
                return;
            }
        }
    }
    // Not in a scroll area: the whole grid is on screen, and nothing need be watched.
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget())
        widget->removeEventFilter(this);
}

QRect ToolsWiget::visibleArea() const
{
    if (!m_pScrollArea)
        return rect();
    const QWidget* viewport = m_pScrollArea->viewport();
    return QRect(mapFrom(viewport, QPoint(0, 0)), viewport->size());
}

void ToolsWiget::syncCards()
{
    // Making a card can move things about; one pass at a time.
    if (m_bSyncing || !isVisible())
        return;
    m_bSyncing = true;
    const QVector<int>& shown = shownKeys();
    const int perRow = spreadFor(width(), kDefaultCardWidth).perRow;
    const int rowCount = rowsFor(shown.size(), perRow);
    const QRect area = visibleArea();
    // Rows of the viewport, which may lie partly or wholly outside the grid.
    const int top = rowAt(area.top());
    const int bottom = rowAt(area.bottom());
    const int firstMade = qMax(0, top - kRowsAhead) * perRow;
    const int lastMade = qMin(rowCount - 1, bottom + kRowsAhead) * perRow + perRow - 1;
    const int firstKept = qMax(0, top - kRowsKept) * perRow;
    const int lastKept = qMin(rowCount - 1, bottom + kRowsKept) * perRow + perRow - 1;

    QHash<int, int> indexOf;
    indexOf.reserve(shown.size());
    for (int i = 0; i < shown.size(); ++i)
        indexOf.insert(shown.at(i), i);
    for (auto it = m_cards.begin(); it != m_cards.end();) {
        const int index = indexOf.value(it.key(), -1);
        if (index < firstKept || index > lastKept) {
            if (mayLetGo(it.value())) {
                letGo(it.value());
                it = m_cards.erase(it);
                continue;
            }
            // Busy under a sign-in or a message, or holding the focus: it
            // stays, but out of sight when its tool is no longer shown.
            if (index < 0)
                it.value()->hide();
        }
        ++it;
    }
    bool bMade = false;
    for (int i = qMax(0, firstMade); i <= qMin(lastMade, int(shown.size()) - 1); ++i) {
        if (!m_cards.contains(shown.at(i))) {
            makeCard(shown.at(i));
            bMade = true;
        }
    }
    placeCards();
    if (bMade)
        chainFocus();
    if (m_cards.size() + m_spareCards.size() < wantedCards() && !m_pSpareTimer->isActive())
        m_pSpareTimer->start();
    m_bSyncing = false;
}

SubToolWidget* ToolsWiget::makeCard(int iToolkey)
{
    // A card let go before costs a few texts and a picture; a new one its
    // widgets and their styling, several milliseconds.
    if (!m_spareCards.isEmpty()) {
        // The one that showed this tool last, if it is still there.
        int index = m_spareCards.size() - 1;
        for (int i = 0; i < m_spareCards.size(); ++i) {
            if (m_spareCards.at(i)->toolKey() == iToolkey)
                index = i;
        }
        SubToolWidget* card = m_spareCards.takeAt(index);
        card->showTool(iToolkey);
        m_cards.insert(iToolkey, card);
        return card;
    }
    SubToolWidget* card = newCard(iToolkey);
    m_cards.insert(iToolkey, card);
    return card;
}

SubToolWidget* ToolsWiget::newCard(int iToolkey)
{
    auto* card = new SubToolWidget(iToolkey, m_pTransfers, this);
    connect(card, &SubToolWidget::signalShowMoreInfoWidget, this, &ToolsWiget::signalShowMoreInfoWidget);
    connect(card, &SubToolWidget::signalCover, this, &ToolsWiget::signalCover);
    connect(this, &ToolsWiget::signalToolDeleted, card, &SubToolWidget::onToolDeleted);
    return card;
}

int ToolsWiget::wantedCards() const
{
    // The rows in view, the rows made ahead and kept behind on either side.
    const int rows = visibleArea().height() / kRowPitch + 2 + 2 * kRowsKept;
    return qMin(int(shownKeys().size()), qMin(rows * spreadFor(width(), kDefaultCardWidth).perRow,
                                              int(m_cards.size()) + kMostSpareCards));
}

void ToolsWiget::makeSpareCard()
{
    if (!isVisible() || m_cards.size() + m_spareCards.size() >= wantedCards()) {
        m_pSpareTimer->stop();
        return;
    }
    // One per turn of the event loop, styled now rather than when it is
    // first needed in the middle of a scroll.
    SubToolWidget* card = newCard(-1);
    card->ensurePolished();
    m_spareCards.append(card);
}

bool ToolsWiget::mayLetGo(SubToolWidget* card) const
{
    if (card->isBusy())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    return !focus || (focus != card && !card->isAncestorOf(focus));
}

void ToolsWiget::letGo(SubToolWidget* card)
{
    card->hide();
    if (m_spareCards.size() < kMostSpareCards) {
        m_spareCards.append(card);
        return;
    }
    card->disconnect(this);
    disconnect(this, nullptr, card, nullptr);
    // Later: it may be the card whose event is being handled.
    card->deleteLater();
}

void ToolsWiget::placeCards()
{
    const QVector<int>& shown = shownKeys();
    for (int i = 0; i < shown.size(); ++i) {
        SubToolWidget* card = m_cards.value(shown.at(i));
        if (!card)
            continue;
        const QRect place = cardRect(i);
        if (card->geometry() != place)
            card->setGeometry(place);
        if (card->isHidden())
            card->show();
    }
}

void ToolsWiget::chainFocus()
{
    // New cards join the end of the window's focus chain; Tab must still go
    // through them in grid order.
    SubToolWidget* previous = nullptr;
    for (int key : shownKeys()) {
        SubToolWidget* card = m_cards.value(key);
        if (!card || card->isHidden())
            continue;
        if (previous)
            QWidget::setTabOrder(previous, card);
        previous = card;
    }
}

bool ToolsWiget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        syncCards();
    return QWidget::eventFilter(watched, event);
}

void ToolsWiget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeCards();
    syncCards();
}

void ToolsWiget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    syncCards();
}

void ToolsWiget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    watchScrollArea();
    syncCards();
}

void ToolsWiget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
