#include "mytools/toolboxtabwidget.h"

#include "common/toolsearchfield.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace gearmart {

namespace {

const QString kAllSelectedIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_all_sel.png");
const QString kAllPlainIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_all_nor.png");
const QString kUpdateSelectedIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_quickSettings_sel.png");
const QString kUpdatePlainIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_quickSettings_nor.png");

QString tabStyle(bool bSelected, bool bRightBorder)
{
    const QString common =
        QStringLiteral("font-family: \"Microsoft Yahei\"; font-size: 12px; letter-spacing: 0px; "
                       "line-height: 20px; background: transparent; padding-left: 15px; "
                       "padding-right: 15px;");
    if (bSelected)
        return QStringLiteral("QPushButton{%1 color: #FA3239; border-top: 2px solid #fa3239; "
                              "border-left: 1px solid #EBEBEB; border-bottom: none; border-right: %2;}")
            .arg(common, bRightBorder ? QStringLiteral("1px solid #EBEBEB") : QStringLiteral("none"));
    return QStringLiteral(
               "QPushButton{%1 color: #666666; border-top: 1px solid #EBEBEB; "
               "border-left: 1px solid #EBEBEB; border-bottom: 1px solid #EBEBEB; border-right: %2;}")
        .arg(common, bRightBorder ? QStringLiteral("1px solid #EBEBEB") : QStringLiteral("none"));
}

} // namespace

ToolBoxTabWidget::ToolBoxTabWidget(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ToolBoxTabWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tabRow = new QHBoxLayout;
    tabRow->setContentsMargins(0, 0, 0, 0);
    tabRow->setSpacing(0);
    allToolBtn = new QPushButton(tr("All Tools"), this);
    allToolBtn->setObjectName(QStringLiteral("allToolBtn"));
    allToolBtn->setMinimumSize(108, 40);
    allToolBtn->setFixedHeight(40);
    allToolBtn->setToolTip(tr("All Tools"));
    allToolBtn->setAccessibleName(tr("All Tools"));
    updateableToolBtn = new QPushButton(tr("Updateable Tools"), this);
    updateableToolBtn->setObjectName(QStringLiteral("updateableToolBtn"));
    updateableToolBtn->setMinimumSize(120, 40);
    updateableToolBtn->setFixedHeight(40);
    updateableToolBtn->setToolTip(tr("Update Tools"));
    updateableToolBtn->setAccessibleName(tr("Updateable Tools"));
    for (QPushButton* button : {allToolBtn, updateableToolBtn}) {
        button->setIconSize(QSize(24, 24));
        button->setCursor(Qt::PointingHandCursor);
    }
    tabRow->addWidget(allToolBtn);
    tabRow->addWidget(updateableToolBtn);
    // Beside the tabs: the board's hint takes the far right.
    m_pSearchField = new ToolSearchField(this);
    tabRow->addSpacing(24);
    tabRow->addWidget(m_pSearchField, 0, Qt::AlignVCenter);
    tabRow->addStretch(1);
    layout->addLayout(tabRow);

    m_pStackedWidget = new QStackedWidget(this);
    m_pStackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    m_downloadedToolsTab = new QWidget(m_pStackedWidget);
    m_downloadedToolsTab->setObjectName(QStringLiteral("m_downloadedToolsTab"));
    m_updateToolsTab = new QWidget(m_pStackedWidget);
    m_updateToolsTab->setObjectName(QStringLiteral("m_updateToolsTab"));
    m_pStackedWidget->addWidget(m_downloadedToolsTab);
    m_pStackedWidget->addWidget(m_updateToolsTab);
    layout->addWidget(m_pStackedWidget, 1);

    connect(allToolBtn, &QPushButton::clicked, this, &ToolBoxTabWidget::onAllToolBtnClicked);
    connect(updateableToolBtn, &QPushButton::clicked, this, &ToolBoxTabWidget::onUpdateableBtnClicked);
    connect(m_pStackedWidget, &QStackedWidget::currentChanged, this, &ToolBoxTabWidget::signalCurrentChanged);
    onAllToolBtnClicked();
}

int ToolBoxTabWidget::currentIndex() const
{
    return m_pStackedWidget->currentIndex();
}

void ToolBoxTabWidget::onAllToolBtnClicked()
{
    m_pStackedWidget->setCurrentIndex(0);
    allToolBtn->setIcon(QIcon(kAllSelectedIcon));
    allToolBtn->setStyleSheet(tabStyle(true, false));
    updateableToolBtn->setIcon(QIcon(kUpdatePlainIcon));
    updateableToolBtn->setStyleSheet(tabStyle(false, true));
}

void ToolBoxTabWidget::onUpdateableBtnClicked()
{
    m_pStackedWidget->setCurrentIndex(1);
    updateableToolBtn->setIcon(QIcon(kUpdateSelectedIcon));
    updateableToolBtn->setStyleSheet(tabStyle(true, true));
    allToolBtn->setIcon(QIcon(kAllPlainIcon));
    allToolBtn->setStyleSheet(tabStyle(false, false));
}

void ToolBoxTabWidget::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    onAllToolBtnClicked();
}

} // namespace gearmart
