#include "details/toolmoreinfowidget.h"

#include "details/moreinfoleftwidget.h"
#include "details/moreinforightbottomwidget.h"
#include "details/moreinforighttopwidget.h"
#include "widgets/baseconfigbuton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOption>
#include <QVBoxLayout>

namespace gearmart {

namespace {
QGridLayout* bareGrid(QWidget* container)
{
    auto* grid = new QGridLayout(container);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    return grid;
}
} // namespace

ToolMoreInfoWidget::ToolMoreInfoWidget(ToolInfo record, ToolTransfer* transfers, QWidget* parent)
    : QWidget(parent), m_toolInfo(std::move(record))
{
    setObjectName(QStringLiteral("ToolMoreInfoWidget"));
    buildForm(transfers);
    makeConnections();
}

void ToolMoreInfoWidget::buildForm(ToolTransfer* transfers)
{
    auto* layout = new QVBoxLayout(this);
    // Tight enough that the 768 px picture viewer and the 6 px scroll bar
    // fit beside the left column in a 1024 px window.
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(8);

    goBackBtn = new BaseConfigButon(this);
    goBackBtn->setObjectName(QStringLiteral("goBackBtn"));
    goBackBtn->setText(tr("Home Page"));
    goBackBtn->setIconImage(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_forwardBack.png"));
    goBackBtn->setCursor(Qt::PointingHandCursor);
    layout->addWidget(goBackBtn, 0, Qt::AlignLeft);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(4);
    layout->addLayout(body, 1);

    leftWidget = new QWidget(this);
    leftWidget->setObjectName(QStringLiteral("leftWidget"));
    m_pLeftWidget = new MoreInfoLeftWidget(m_toolInfo, transfers, leftWidget);
    bareGrid(leftWidget)->addWidget(m_pLeftWidget);
    body->addWidget(leftWidget, 0, Qt::AlignTop);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rightContent = new QWidget;
    rightContent->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    auto* rightLayout = new QVBoxLayout(rightContent);
    rightLayout->setContentsMargins(0, 24, 0, 24);
    rightLayout->setSpacing(24);

    rightTopWidget = new QWidget(rightContent);
    rightTopWidget->setObjectName(QStringLiteral("rightTopWidget"));
    m_pRightTopWidget = new MoreInfoRightTopWidget(m_toolInfo, rightTopWidget);
    bareGrid(rightTopWidget)->addWidget(m_pRightTopWidget);
    // Wide windows keep the text as wide as the pictures (lines stay
    // readable) and centre the two together in the room they have.
    rightTopWidget->setFixedWidth(MoreInfoRightBottomWidget::kWidth);
    rightLayout->addWidget(rightTopWidget, 0, Qt::AlignHCenter);

    rightBottomWidget = new QWidget(rightContent);
    rightBottomWidget->setObjectName(QStringLiteral("rightBottomWidget"));
    m_pRightBottomWidget = new MoreInfoRightBottomWidget(m_toolInfo, rightBottomWidget);
    bareGrid(rightBottomWidget)->addWidget(m_pRightBottomWidget);
    rightLayout->addWidget(rightBottomWidget, 0, Qt::AlignHCenter);
    rightLayout->addStretch(1);

    scrollArea->setWidget(rightContent);
    // The page's own background shows through the scrolled part.
    scrollArea->viewport()->setAutoFillBackground(false);
    rightContent->setAutoFillBackground(false);
    body->addWidget(scrollArea, 1);
}

void ToolMoreInfoWidget::makeConnections()
{
    connect(goBackBtn, &QAbstractButton::clicked, this, &ToolMoreInfoWidget::signalGoBackToToolDownWidget);
    connect(this, &ToolMoreInfoWidget::signalToolDeleted, m_pLeftWidget, &MoreInfoLeftWidget::onToolDeleted);
    connect(m_pLeftWidget, &MoreInfoLeftWidget::signalCover, this, &ToolMoreInfoWidget::signalCover);
}

void ToolMoreInfoWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The page is built at start-up; whether an update waits may have
    // changed since.
    m_pRightTopWidget->refresh();
}

void ToolMoreInfoWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
