#include "catalog/tooltypewidget.h"

#include "common/toolsearchfield.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace gearmart {

namespace {

const QString kAllSelectedIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_all_sel.png");
const QString kAllPlainIcon = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/ic_all_nor.png");

// Room for the widest count a catalog can have beside the longest name.
constexpr int kMinimumButtonWidth = 108;

} // namespace

QString ToolTypeWidget::selectedStyle()
{
    return QStringLiteral(
        "font-size: 12px;color: #FA3239;letter-spacing: 0;line-height: 20px;background: transparent;"
        "min-width:%1px;height:40px;padding: 0px 12px;border-top:2px solid #fa3239;border-left:1px solid "
        "#EBEBEB;border-right:1px solid #EBEBEB;border-bottom:none;")
        .arg(kMinimumButtonWidth - 24);
}

QString ToolTypeWidget::plainStyle()
{
    return QStringLiteral(
        "font-size: 12px;color: #666666;letter-spacing: 0;line-height: 20px;background: transparent;"
        "min-width:%1px;height:40px;padding: 0px 12px;border-top:1px solid #EBEBEB;border-left:1px solid "
        "#EBEBEB;border-right:none;border-bottom:1px solid #EBEBEB;")
        .arg(kMinimumButtonWidth - 24);
}

ToolTypeWidget::ToolTypeWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolTypeWidget"));
    setFixedHeight(kHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pButtonRow = new QHBoxLayout;
    m_pButtonRow->setContentsMargins(0, 0, 0, 0);
    m_pButtonRow->setSpacing(0);
    layout->addLayout(m_pButtonRow);
    layout->addStretch(1);
    m_pSearchField = new ToolSearchField(this);
    layout->addWidget(m_pSearchField, 0, Qt::AlignVCenter);
    layout->addSpacing(8);

    m_pGroup = new QButtonGroup(this);
    m_pGroup->setExclusive(true);
    m_pAllToolBtn = addButton(tr("All Tool"), 0);
    m_pAllToolBtn->setObjectName(QStringLiteral("allToolBtn"));
    m_pAllToolBtn->setIconSize(QSize(24, 24));
    m_pAllToolBtn->setChecked(true);
    restyle();
}

QPushButton* ToolTypeWidget::addButton(const QString& qstrName, int iCount)
{
    auto* button = new QPushButton(tr("%1 (%2)").arg(qstrName).arg(iCount), this);
    button->setCheckable(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(qstrName);
    button->setAccessibleDescription(tr("%n tool(s)", nullptr, iCount));
    m_pGroup->addButton(button);
    m_pButtonRow->addWidget(button);
    // Toggled, not clicked: the arrow keys and assistive technology choose
    // without a click.
    connect(button, &QPushButton::toggled, this, [this, button](bool bChecked) {
        if (!bChecked)
            return;
        const int index = m_categoryButtons.indexOf(button);
        const int category = index < 0 ? kAll : m_categoryIds.at(index);
        if (category == m_iChosen)
            return;
        m_iChosen = category;
        restyle();
        emit signalCategoryChosen(category);
    });
    return button;
}

void ToolTypeWidget::setCategories(const QVector<ToolFilter::Category>& categories, int iTotal)
{
    const QString allName = tr("All Tool");
    m_pAllToolBtn->setText(tr("%1 (%2)").arg(allName).arg(iTotal));
    m_pAllToolBtn->setAccessibleDescription(tr("%n tool(s)", nullptr, iTotal));
    for (QPushButton* button : qAsConst(m_categoryButtons)) {
        m_pGroup->removeButton(button);
        delete button;
    }
    m_categoryButtons.clear();
    m_categoryIds.clear();
    for (const ToolFilter::Category& category : categories) {
        QPushButton* button = addButton(category.name, category.count);
        button->setObjectName(QStringLiteral("categoryBtn%1").arg(category.id));
        m_categoryButtons.append(button);
        m_categoryIds.append(category.id);
    }
    if (!m_categoryIds.contains(m_iChosen))
        m_iChosen = kAll;
    // Whatever the order the buttons were made in, Tab goes left to right.
    QWidget* previous = m_pAllToolBtn;
    for (QPushButton* button : qAsConst(m_categoryButtons)) {
        setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, m_pSearchField);
    restyle();
}

bool ToolTypeWidget::choose(int iCategory)
{
    const int index = m_categoryIds.indexOf(iCategory);
    if (iCategory != kAll && index < 0)
        return false;
    QPushButton* button = index < 0 ? m_pAllToolBtn : m_categoryButtons.at(index);
    button->setChecked(true);
    return true;
}

void ToolTypeWidget::restyle()
{
    const int index = m_categoryIds.indexOf(m_iChosen);
    QPushButton* chosen = index < 0 ? m_pAllToolBtn : m_categoryButtons.at(index);
    chosen->setChecked(true);
    m_pAllToolBtn->setIcon(QIcon(chosen == m_pAllToolBtn ? kAllSelectedIcon : kAllPlainIcon));
    m_pAllToolBtn->setStyleSheet(chosen == m_pAllToolBtn ? selectedStyle() : plainStyle());
    for (QPushButton* button : qAsConst(m_categoryButtons))
        button->setStyleSheet(button == chosen ? selectedStyle() : plainStyle());
}

void ToolTypeWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
