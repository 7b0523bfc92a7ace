#include "catalog/bannerindicatorwidget.h"

#include "common/picturecache.h"
#include "panelcraft/iconbutton.h"
#include "tooldata/tooldatamanager.h"

#include <QVBoxLayout>

namespace gearmart {

BannerIndicatorWidget::BannerIndicatorWidget(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("BannerIndicatorWidget"));
    setFixedSize(278, 94);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pPicBtn = new crestui::IconButton(this);
    m_pPicBtn->setObjectName(QStringLiteral("picBtn"));
    m_pPicBtn->setFixedSize(278, 94);
    m_pPicBtn->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_pPicBtn);
    connect(m_pPicBtn, &crestui::IconButton::clicked, this, [this] { emit signalClicked(m_iKey); });
}

void BannerIndicatorWidget::setPicture(int iKey, const QString& qstrPicturePath)
{
    m_iKey = iKey;
    m_qstrPicturePath = qstrPicturePath;
    m_pPicBtn->SetPixmap(
        PictureCache::instance().picture(qstrPicturePath, PictureCache::Placeholder::Picture));
    const QString name = ToolDataManager::instance()->toolName(iKey);
    m_pPicBtn->setAccessibleName(tr("Show %1").arg(name.isEmpty() ? QString::number(iKey) : name));
}

void BannerIndicatorWidget::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (m_iKey >= 0)
        emit signalShowMaxPic(m_iKey);
}

} // namespace gearmart
