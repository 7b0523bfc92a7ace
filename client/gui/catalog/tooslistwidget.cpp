#include "catalog/tooslistwidget.h"

#include "catalog/toolswiget.h"

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

    auto* allPage = new QWidget(m_pStackedWidget);
    allPage->setObjectName(QStringLiteral("allPage"));
    auto* allLayout = new QGridLayout(allPage);
    allLayout->setContentsMargins(0, 0, 0, 5);
    allLayout->setSpacing(0);
    m_pToolsWiget = new ToolsWiget(transfers, allPage);
    allLayout->addWidget(m_pToolsWiget, 0, 0);
    auto* secondPage = new QWidget(m_pStackedWidget);
    secondPage->setObjectName(QStringLiteral("page_2"));
    m_pStackedWidget->addWidget(allPage);
    m_pStackedWidget->addWidget(secondPage);
    m_pStackedWidget->setCurrentWidget(allPage);

    connect(m_pToolsWiget, &ToolsWiget::signalShowMoreInfoWidget, this,
            &ToosListWidget::signalShowMoreInfoWidget);
    connect(m_pToolsWiget, &ToolsWiget::signalCover, this, &ToosListWidget::signalCover);
    connect(this, &ToosListWidget::signalToolDeleted, m_pToolsWiget, &ToolsWiget::signalToolDeleted);
}

void ToosListWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
