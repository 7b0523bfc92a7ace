#include "details/moreinforighttopwidget.h"

#include "tooldata/tooldatamanager.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QVBoxLayout>

namespace gearmart {

MoreInfoRightTopWidget::MoreInfoRightTopWidget(const ToolInfo& record, QWidget* parent)
    : QWidget(parent), m_iToolKey(record.ToolKey)
{
    setObjectName(QStringLiteral("MoreInfoRightTopWidget"));
    buildForm();
    connect(introMoreBtn, &QPushButton::clicked, this, &MoreInfoRightTopWidget::onIntroMoreClicked);
    connect(updateMoreBtn, &QPushButton::clicked, this, &MoreInfoRightTopWidget::onUpdateMoreClicked);
    refresh();
}

void MoreInfoRightTopWidget::buildForm()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    introWidget = new QWidget(this);
    introWidget->setObjectName(QStringLiteral("introWidget"));
    auto* introLayout = new QVBoxLayout(introWidget);
    introLayout->setContentsMargins(0, 0, 0, 0);
    introLayout->setSpacing(8);
    toolName = new QLabel(introWidget);
    toolName->setObjectName(QStringLiteral("toolName"));
    introTextLabel = new QLabel(introWidget);
    introTextLabel->setObjectName(QStringLiteral("introTextLabel"));
    // The line arithmetic assumes the label is exactly this wide.
    introTextLabel->setFixedWidth(kTextWidth);
    introTextLabel->setWordWrap(true);
    introTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    introTextLabel->setTextFormat(Qt::PlainText);
    // A style sheet may give the label another font later; the cut follows it.
    introTextLabel->installEventFilter(this);
    introMoreBtn = new QPushButton(introWidget);
    introMoreBtn->setObjectName(QStringLiteral("introMoreBtn"));
    introMoreBtn->setCursor(Qt::PointingHandCursor);
    introMoreBtn->setFlat(true);
    // Both toggles read the same; the description tells them apart.
    introMoreBtn->setAccessibleDescription(tr("Shows or shortens the description"));
    introLayout->addWidget(toolName);
    introLayout->addWidget(introTextLabel);
    introLayout->addWidget(introMoreBtn, 0, Qt::AlignLeft);

    updateWidget = new QWidget(this);
    updateWidget->setObjectName(QStringLiteral("updateWidget"));
    auto* updateLayout = new QVBoxLayout(updateWidget);
    updateLayout->setContentsMargins(0, 0, 0, 0);
    updateLayout->setSpacing(8);
    updateTittle = new QLabel(tr("Update info"), updateWidget);
    updateTittle->setObjectName(QStringLiteral("updateTittle"));
    updateTextLabel = new QLabel(updateWidget);
    updateTextLabel->setObjectName(QStringLiteral("updateTextLabel"));
    updateTextLabel->setFixedWidth(kTextWidth);
    updateTextLabel->setWordWrap(true);
    updateTextLabel->setTextFormat(Qt::PlainText);
    updateMoreBtn = new QPushButton(updateWidget);
    updateMoreBtn->setObjectName(QStringLiteral("updateMoreBtn"));
    updateMoreBtn->setCursor(Qt::PointingHandCursor);
    updateMoreBtn->setFlat(true);
    updateMoreBtn->setAccessibleDescription(tr("Shows or hides the notes on the newest version"));
    updateMoreBtn->setText(tr("...more"));
    updateTextLabel->setVisible(false);
    updateLayout->addWidget(updateTittle);
    updateLayout->addWidget(updateTextLabel);
    updateLayout->addWidget(updateMoreBtn, 0, Qt::AlignLeft);

    layout->addWidget(introWidget);
    layout->addWidget(updateWidget);
    layout->addStretch(1);
}

void MoreInfoRightTopWidget::refresh()
{
    ToolDataManager* data = ToolDataManager::instance();
    m_qstrName = data->toolName(m_iToolKey);
    m_qstrIntro = data->briefIntro(m_iToolKey);
    m_qstrUpdateIntro = data->updateIntro(m_iToolKey);
    // A skipped update has no notes to read.
    const bool bNeedsUpdate = data->updateOffered(m_iToolKey);
    if (bNeedsUpdate != m_bNeedsUpdate) {
        m_bNeedsUpdate = bNeedsUpdate;
        m_bUpdateExpanded = false;
        updateMoreBtn->setText(tr("...more"));
        updateTextLabel->setVisible(false);
    }
    toolName->setText(m_qstrName);
    updateTextLabel->setText(m_qstrUpdateIntro);
    updateWidget->setVisible(m_bNeedsUpdate);
    m_iLineLimit = m_bIntroExpanded ? kExpandedLines : collapsedLines();
    introMoreBtn->setText(m_bIntroExpanded ? tr("return") : tr("...more"));
    paintDescription();
}

int MoreInfoRightTopWidget::collapsedLines() const
{
    return m_bNeedsUpdate ? kCollapsedLinesWithUpdate : kCollapsedLines;
}

QString MoreInfoRightTopWidget::elidedDescription(const QString& qstrText, const QFont& font, int iLines)
{
    const QFontMetricsF metrics(font);
    if (metrics.horizontalAdvance(qstrText) < iLines * kTextWidth) {
        return qstrText;
    }
    // Word wrapping loses part of each line; keep room for it.
    const qreal width = iLines >= 2 ? (iLines - 0.2) * kTextWidth : iLines * kTextWidth;
    return metrics.elidedText(qstrText, Qt::ElideRight, width);
}

void MoreInfoRightTopWidget::paintDescription()
{
    // The application style sheet sets the label's font; measure with it.
    introTextLabel->ensurePolished();
    const QFont font = introTextLabel->font();
    const bool bFits = QFontMetricsF(font).horizontalAdvance(m_qstrIntro) < m_iLineLimit * kTextWidth;
    introTextLabel->setText(elidedDescription(m_qstrIntro, font, m_iLineLimit));
    introMoreBtn->setVisible(!(bFits && m_iLineLimit <= kCollapsedLines));
}

void MoreInfoRightTopWidget::onIntroMoreClicked()
{
    m_bIntroExpanded = !m_bIntroExpanded;
    m_iLineLimit = m_bIntroExpanded ? kExpandedLines : collapsedLines();
    introMoreBtn->setText(m_bIntroExpanded ? tr("return") : tr("...more"));
    paintDescription();
}

void MoreInfoRightTopWidget::onUpdateMoreClicked()
{
    m_bUpdateExpanded = !m_bUpdateExpanded;
    updateTextLabel->setVisible(m_bUpdateExpanded);
    updateMoreBtn->setText(m_bUpdateExpanded ? tr("return") : tr("...more"));
}

bool MoreInfoRightTopWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == introTextLabel && event->type() == QEvent::FontChange) {
        paintDescription();
    }
    return QWidget::eventFilter(watched, event);
}

void MoreInfoRightTopWidget::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearmart
