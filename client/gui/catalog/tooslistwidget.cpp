#include "catalog/tooslistwidget.h"

#include "catalog/toolswiget.h"
#include "common/nomatchpanel.h"

#include <QGridLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QStyleOption>

namespace gearmart {

ToosListWidget::ToosListWidget(ToolTransfer* transfers, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToosListWidget"));
    resize(799, 300);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pStackedWidget = new QStackedWidget(this);
    m_pStackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    layout->addWidget(m_pStackedWidget, 0, 0);

    m_pAllPage = new QWidget(m_pStackedWidget);
    m_pAllPage->setObjectName(QStringLiteral("allPage"));
    auto* allLayout = new QGridLayout(m_pAllPage);
    allLayout->setContentsMargins(0, 0, 0, 5);
    allLayout->setSpacing(0);
    m_pToolsWiget = new ToolsWiget(transfers, m_pAllPage);
    allLayout->addWidget(m_pToolsWiget, 0, 0);

    m_pNoMatchPanel = new NoMatchPanel(m_pStackedWidget);
    m_pNoMatchPanel->setObjectName(QStringLiteral("page_2"));

    m_pStackedWidget->addWidget(m_pAllPage);
    m_pStackedWidget->addWidget(m_pNoMatchPanel);
    m_pStackedWidget->setCurrentWidget(m_pAllPage);

    connect(m_pToolsWiget, &ToolsWiget::signalShowMoreInfoWidget, this,
            &ToosListWidget::signalShowMoreInfoWidget);
    connect(m_pToolsWiget, &ToolsWiget::signalCover, this, &ToosListWidget::signalCover);
    connect(this, &ToosListWidget::signalToolDeleted, m_pToolsWiget, &ToolsWiget::signalToolDeleted);
    connect(m_pToolsWiget, &ToolsWiget::signalShownChanged, this, &ToosListWidget::onShownChanged);
    connect(m_pNoMatchPanel, &NoMatchPanel::signalClearSearch, this, &ToosListWidget::signalClearSearch);
}

bool ToosListWidget::showsNoMatch() const
{
    return m_pStackedWidget->currentWidget() == m_pNoMatchPanel;
}

void ToosListWidget::onShownChanged()
{
    const ToolFilter& filter = m_pToolsWiget->filter();
    // An empty catalog is no failed search.
    if (!m_pToolsWiget->shownKeys().isEmpty() || filter.toolCount() == 0 || !filter.hasSearch()) {
        m_pStackedWidget->setCurrentWidget(m_pAllPage);
        return;
    }
    m_pNoMatchPanel->setSearchText(filter.text());
    m_pStackedWidget->setCurrentWidget(m_pNoMatchPanel);
}

void ToosListWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
