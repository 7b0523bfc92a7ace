#include "mytools/tipframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>

namespace gearmart {

TipFrame::TipFrame(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("TipFrame"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("m_iconLabel"));
    m_iconLabel->setFixedSize(16, 16);
    m_iconLabel->setPixmap(QPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/tip.png"))
                               .scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_iconLabel->setAccessibleName(tr("Hint"));
    m_wordLabel = new QLabel(tr("Drag to sort or delete"), this);
    m_wordLabel->setObjectName(QStringLiteral("m_wordLabel"));
    m_wordLabel->setAccessibleName(tr("Drag to sort or delete"));
    layout->addWidget(m_iconLabel);
    layout->addWidget(m_wordLabel);
    setAccessibleName(tr("Drag to sort or delete"));
    adjustSize();
}

void TipFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    emit signalResized(event->size());
}

} // namespace gearmart
