#include "customtitlewidget.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace appinstaller {

CustomTitleWidget::CustomTitleWidget(QWidget* parent) : quillkit::CFancyTitle(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 16, 16, 0);

    m_pIconLabel = new QLabel(this);
    m_pIconLabel->setObjectName(QStringLiteral("m_pIconLabel"));
    m_pIconLabel->setFixedSize(32, 32);
    m_pIconLabel->setPixmap(QIcon(QStringLiteral(":/Uninstall/Images/icon.svg")).pixmap(32, 32));
    m_pIconLabel->setAccessibleName(tr("Product icon"));
    layout->addWidget(m_pIconLabel);

    m_pTitleLabel = new QLabel(tr("LoftwardenuZxkRHANyR"), this);
    m_pTitleLabel->setObjectName(QStringLiteral("m_pTitleLabel"));
    m_pTitleLabel->setStyleSheet(
        QStringLiteral("font-size: 16px; color: #FFFFFF; letter-spacing: -0.39px; font-weight: bold "));
    m_pTitleLabel->setAccessibleName(m_pTitleLabel->text());
    layout->addWidget(m_pTitleLabel);
    layout->addStretch(1);

    m_pCloseBtn = new QPushButton(this);
    m_pCloseBtn->setObjectName(QStringLiteral("m_pCloseBtn"));
    m_pCloseBtn->setFixedSize(24, 24);
    m_pCloseBtn->setCursor(Qt::PointingHandCursor);
    m_pCloseBtn->setStyleSheet(QStringLiteral(
        "background:transparent; border:none; border-image:url(:/Uninstall/Images/common_close.svg);"));
    m_pCloseBtn->setAccessibleName(tr("Close"));
    m_pCloseBtn->setToolTip(tr("Close"));
    layout->addWidget(m_pCloseBtn, 0, Qt::AlignTop);

    connect(m_pCloseBtn, &QPushButton::clicked, this, &CustomTitleWidget::signalClose);
}

} // namespace appinstaller
