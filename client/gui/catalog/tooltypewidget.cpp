#include "catalog/tooltypewidget.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace gearmart {

ToolTypeWidget::ToolTypeWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolTypeWidget"));
    setFixedHeight(kHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignLeft);

    m_pAllToolBtn = new QPushButton(this);
    m_pAllToolBtn->setObjectName(QStringLiteral("allToolBtn"));
    m_pAllToolBtn->setText(tr("All Tool"));
    m_pAllToolBtn->setIcon(QIcon(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_all_sel.png")));
    m_pAllToolBtn->setIconSize(QSize(24, 24));
    m_pAllToolBtn->setStyleSheet(QStringLiteral(
        "font-size: 12px;color: #FA3239;letter-spacing: 0;line-height: 20px;background: "
        "transparent;width:108px;"
        "height:40px;border-top:2px solid #fa3239;border-left:1px solid #EBEBEB;border-right:1px solid "
        "#EBEBEB;border-bottom:none;"));
    layout->addWidget(m_pAllToolBtn, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

void ToolTypeWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
