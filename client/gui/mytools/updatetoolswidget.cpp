#include "mytools/updatetoolswidget.h"

#include "mytools/toolupdatescene.h"

#include <QCheckBox>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace gearmart {

UpdateToolsWidget::UpdateToolsWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("UpdateToolsWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pStackedWidget = new QStackedWidget(this);
    m_pStackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    auto* emptyPage = new QWidget(m_pStackedWidget);
    auto* emptyLayout = new QVBoxLayout(emptyPage);
    emptyLayout->addStretch(1);
    iconLabel = new QLabel(emptyPage);
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setFixedSize(206, 207);
    iconLabel->setAlignment(Qt::AlignCenter);
    iconLabel->setPixmap(QPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/no_item.png")));
    iconLabel->setAccessibleName(tr("No Tool"));
    noToolTipLabel = new QLabel(tr("No Tool"), emptyPage);
    noToolTipLabel->setObjectName(QStringLiteral("noToolTipLabel"));
    noToolTipLabel->setAccessibleName(tr("No Tool"));
    emptyLayout->addWidget(iconLabel, 0, Qt::AlignHCenter);
    emptyLayout->addWidget(noToolTipLabel, 0, Qt::AlignHCenter);
    emptyLayout->addStretch(1);

    auto* listPage = new QWidget(m_pStackedWidget);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    m_checkAllWidget = new QWidget(listPage);
    m_checkAllWidget->setObjectName(QStringLiteral("m_checkAllWidget"));
    m_checkAllWidget->setAttribute(Qt::WA_StyledBackground, true);
    m_checkAllWidget->setFixedHeight(48);
    auto* checkAllLayout = new QHBoxLayout(m_checkAllWidget);
    checkAllLayout->setContentsMargins(14, 0, 0, 0);
    m_checkAllBox = new QCheckBox(tr("check all"), m_checkAllWidget);
    m_checkAllBox->setObjectName(QStringLiteral("m_checkAllBox"));
    m_checkAllBox->setAccessibleName(tr("check all"));
    checkAllLayout->addWidget(m_checkAllBox);
    checkAllLayout->addStretch(1);
    m_graphicsViewUpdate = new QGraphicsView(listPage);
    m_graphicsViewUpdate->setObjectName(QStringLiteral("m_graphicsViewUpdate"));
    m_graphicsViewUpdate->setFrameShape(QFrame::NoFrame);
    m_graphicsViewUpdate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_graphicsViewUpdate->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_graphicsViewUpdate->setAccessibleName(tr("Updateable Tools"));
    listLayout->addWidget(m_checkAllWidget);
    listLayout->addWidget(m_graphicsViewUpdate, 1);
    m_pStackedWidget->addWidget(emptyPage);
    m_pStackedWidget->addWidget(listPage);
    layout->addWidget(m_pStackedWidget, 1);

    auto* bottomBar = new QWidget(this);
    bottomBar->setObjectName(QStringLiteral("bottomBar"));
    auto* bottomLayout = new QHBoxLayout(bottomBar);
    bottomLayout->setContentsMargins(0, 12, 24, 12);
    bottomLayout->addStretch(1);
    m_batchUpdateWidget = new QWidget(bottomBar);
    m_batchUpdateWidget->setObjectName(QStringLiteral("m_batchUpdateWidget"));
    auto* batchLayout = new QHBoxLayout(m_batchUpdateWidget);
    batchLayout->setContentsMargins(0, 0, 0, 0);
    m_BatchUpdateBtn = new QPushButton(tr("BatchUpdate"), m_batchUpdateWidget);
    m_BatchUpdateBtn->setObjectName(QStringLiteral("m_BatchUpdateBtn"));
    m_BatchUpdateBtn->setFixedSize(120, 32);
    m_BatchUpdateBtn->setAccessibleName(tr("BatchUpdate"));
    batchLayout->addWidget(m_BatchUpdateBtn);
    m_updateWidget = new QWidget(bottomBar);
    m_updateWidget->setObjectName(QStringLiteral("m_updateWidget"));
    auto* updateLayout = new QHBoxLayout(m_updateWidget);
    updateLayout->setContentsMargins(0, 0, 0, 0);
    updateLayout->setSpacing(12);
    m_updateBtn = new QPushButton(tr("Update"), m_updateWidget);
    m_updateBtn->setObjectName(QStringLiteral("m_updateBtn"));
    m_updateBtn->setFixedSize(96, 32);
    m_updateBtn->setAccessibleName(tr("Update"));
    m_cancelBtn = new QPushButton(tr("Cancel"), m_updateWidget);
    m_cancelBtn->setObjectName(QStringLiteral("m_cancelBtn"));
    m_cancelBtn->setFixedSize(96, 32);
    m_cancelBtn->setAccessibleName(tr("Cancel"));
    updateLayout->addWidget(m_updateBtn);
    updateLayout->addWidget(m_cancelBtn);
    bottomLayout->addWidget(m_batchUpdateWidget);
    bottomLayout->addWidget(m_updateWidget);
    layout->addWidget(bottomBar);

    connect(m_checkAllBox, &QCheckBox::stateChanged, this, &UpdateToolsWidget::signalCheckAllStateChanged);
    // A click toggles between all and none, also from the partial state.
    connect(m_checkAllBox, &QCheckBox::clicked, this, [this] { m_checkAllBox->setTristate(false); });
    connect(m_BatchUpdateBtn, &QPushButton::clicked, this, &UpdateToolsWidget::onBatchUpdateBtnClicked);
    connect(m_updateBtn, &QPushButton::clicked, this, &UpdateToolsWidget::onUpdateBtnClicked);
    connect(m_updateBtn, &QPushButton::clicked, this, &UpdateToolsWidget::signalBatchUpdateBtnClicked);
    connect(m_cancelBtn, &QPushButton::clicked, this, &UpdateToolsWidget::onCancelBtnClicked);

    m_checkAllWidget->hide();
    m_updateWidget->hide();
    m_batchUpdateWidget->show();
    m_pStackedWidget->setCurrentIndex(0);
}

void UpdateToolsWidget::setSelecting(bool bSelecting)
{
    m_bSelecting = bSelecting;
    emit signalBatchUpdateSelecting(bSelecting);
    m_checkAllWidget->setVisible(bSelecting);
    m_batchUpdateWidget->setVisible(!bSelecting);
    m_updateWidget->setVisible(bSelecting);
}

void UpdateToolsWidget::onBatchUpdateBtnClicked()
{
    setSelecting(true);
}

void UpdateToolsWidget::onUpdateBtnClicked()
{
    setSelecting(false);
}

void UpdateToolsWidget::onCancelBtnClicked()
{
    setSelecting(false);
}

void UpdateToolsWidget::onSubCheckBoxStateChanged(int checkNumber)
{
    if (checkNumber == ToolUpdateScene::kAllChecked) {
        m_checkAllBox->setCheckState(Qt::Checked);
    } else if (checkNumber != 0) {
        m_checkAllBox->setTristate(true);
        m_checkAllBox->setCheckState(Qt::PartiallyChecked);
    } else {
        m_checkAllBox->setCheckState(Qt::Unchecked);
        m_checkAllBox->setTristate(false);
    }
}

void UpdateToolsWidget::setHasRows(bool bHasRows)
{
    setSelecting(false);
    m_BatchUpdateBtn->setEnabled(bHasRows);
    m_pStackedWidget->setCurrentIndex(bHasRows ? 1 : 0);
}

} // namespace gearmart
