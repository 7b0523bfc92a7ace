#include "common/nomatchpanel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gearmart {

namespace {
// A search is short; the message keeps to one line whatever was pasted.
constexpr int kQuotedChars = 40;
} // namespace

NoMatchPanel::NoMatchPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("noMatchPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 40, 20, 40);
    layout->setSpacing(12);
    m_pLabel = new QLabel(this);
    m_pLabel->setObjectName(QStringLiteral("noMatchLabel"));
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pLabel->setTextFormat(Qt::PlainText);
    m_pClearBtn = new QPushButton(tr("Clear search"), this);
    m_pClearBtn->setObjectName(QStringLiteral("clearSearchBtn"));
    m_pClearBtn->setAccessibleName(tr("Clear search"));
    m_pClearBtn->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pClearBtn, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    connect(m_pClearBtn, &QPushButton::clicked, this, &NoMatchPanel::signalClearSearch);
}

void NoMatchPanel::setSearchText(const QString& qstrText)
{
    QString text = qstrText.simplified();
    if (text.size() > kQuotedChars)
        text = text.left(kQuotedChars - 1) + QChar(0x2026);
    m_pLabel->setText(tr("No tool matches \"%1\".").arg(text));
    m_pLabel->setAccessibleName(m_pLabel->text());
}

} // namespace gearmart
