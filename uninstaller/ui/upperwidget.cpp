#include "upperwidget.h"

#include "customtitlewidget.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace appinstaller {

UpperWidget::UpperWidget(QWidget* parent) : QWidget(parent)
{
    resize(720, 480);
    setWindowTitle(QCoreApplication::translate("UpperWidgeUI", "MainWindowUI"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The style sheet paints the background on this inner panel.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("m_pUpperWidget"));
    panel->setAttribute(Qt::WA_StyledBackground, true);
    outer->addWidget(panel);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pTopTitleWidget = new CustomTitleWidget(panel);
    m_pTopTitleWidget->setObjectName(QStringLiteral("m_pTopTitleWidget"));
    m_pTopTitleWidget->setFixedHeight(60);
    layout->addWidget(m_pTopTitleWidget);
    layout->addStretch(1);

    connect(m_pTopTitleWidget, &CustomTitleWidget::signalClose, this, &UpperWidget::signalClose);
}

} // namespace appinstaller
