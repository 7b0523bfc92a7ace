#include "mytools/deleteframe.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace gearmart {

DeleteFrame::DeleteFrame(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("DeleteFrame"));
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_trashLabel = new QLabel(this);
    m_trashLabel->setObjectName(QStringLiteral("m_trashLabel"));
    m_trashLabel->setFixedSize(32, 32);
    m_trashLabel->hide();
    m_delWordLabel = new QLabel(tr("delete"), this);
    m_delWordLabel->setObjectName(QStringLiteral("m_delWordLabel"));
    m_delWordLabel->hide();
    layout->addWidget(m_trashLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_delWordLabel, 0, Qt::AlignHCenter);
    setAccessibleName(tr("Drop here to delete"));
    setPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/install_nor.png"));
}

void DeleteFrame::setPixmap(const QString& qstrPath)
{
    if (qstrPath == m_qstrPixmapPath)
        return;
    m_qstrPixmapPath = qstrPath;
    m_pixmap = QPixmap(qstrPath);
    update();
}

void DeleteFrame::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    const QSize size = m_pixmap.size().scaled(this->size(), Qt::KeepAspectRatio).boundedTo(m_pixmap.size());
    painter.drawPixmap(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size),
                       m_pixmap);
}

} // namespace gearmart
