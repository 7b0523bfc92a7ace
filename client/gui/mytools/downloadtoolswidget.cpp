#include "mytools/downloadtoolswidget.h"

#include "mytools/deleteframe.h"
#include "mytools/tooldownloadedscene.h"

#include <QCursor>
#include <QEvent>
#include <QGraphicsView>
#include <QGridLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace gearmart {

namespace {
const QString kHoverPicture = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/install_hov.png");
const QString kNormalPicture = QStringLiteral(":/Gearmart/Image/Gearmatt/icon/install_nor.png");
} // namespace

DownloadToolsWidget::DownloadToolsWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DownloadToolsWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pStackedWidget = new QStackedWidget(this);
    m_pStackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    layout->addWidget(m_pStackedWidget);

    auto* emptyPage = new QWidget(m_pStackedWidget);
    auto* emptyLayout = new QVBoxLayout(emptyPage);
    emptyLayout->addStretch(1);
    iconLabel = new QLabel(emptyPage);
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setPixmap(QPixmap(QStringLiteral(":/Gearmart/Image/Gearmatt/icon/no_item.png")));
    iconLabel->setAccessibleName(tr("No Tool"));
    noToolTipLabel = new QLabel(tr("No Tool"), emptyPage);
    noToolTipLabel->setObjectName(QStringLiteral("noToolTipLabel"));
    noToolTipLabel->setAccessibleName(tr("No Tool"));
    emptyLayout->addWidget(iconLabel, 0, Qt::AlignHCenter);
    emptyLayout->addWidget(noToolTipLabel, 0, Qt::AlignHCenter);
    emptyLayout->addStretch(1);

    m_graphicsViewDownload = new QGraphicsView(m_pStackedWidget);
    m_graphicsViewDownload->setObjectName(QStringLiteral("m_graphicsViewDownload"));
    m_graphicsViewDownload->setFrameShape(QFrame::NoFrame);
    m_graphicsViewDownload->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_graphicsViewDownload->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_graphicsViewDownload->setAccessibleName(tr("All Tools"));
    m_graphicsViewDownload->setAccessibleDescription(
        tr("Downloaded tools. Alt+Up and Alt+Down move the focused tool, Delete removes it"));
    m_graphicsViewDownload->installEventFilter(this);

    m_pStackedWidget->addWidget(emptyPage);
    m_pStackedWidget->addWidget(m_graphicsViewDownload);
    m_pStackedWidget->setCurrentIndex(0);

    m_pDeleteFrame = new DeleteFrame(m_graphicsViewDownload);
    m_pDeleteFrame->move(476, 560);
    m_pDeleteFrame->hide();
}

void DownloadToolsWidget::setScene(ToolDownloadedScene* pScene)
{
    m_pScene = pScene;
    m_graphicsViewDownload->setScene(pScene);
}

QPoint DownloadToolsWidget::pointerPos() const
{
    return m_pScene ? m_pScene->lastDragScreenPos() : QCursor::pos();
}

void DownloadToolsWidget::placeDeleteFrame()
{
    m_pDeleteFrame->move((m_graphicsViewDownload->width() - m_pDeleteFrame->width()) / 2,
                         m_graphicsViewDownload->height() - m_pDeleteFrame->height());
}

bool DownloadToolsWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_graphicsViewDownload && event->type() == QEvent::Resize)
        placeDeleteFrame();
    return QWidget::eventFilter(watched, event);
}

void DownloadToolsWidget::onToolDragStateChange(int iToolkey, int iState)
{
    const QPoint pointer = pointerPos();
    if (iState == 1) {
        const QRect target(m_pDeleteFrame->mapToGlobal(QPoint(0, 0)), m_pDeleteFrame->size());
        const bool bHover = target.contains(pointer);
        m_pDeleteFrame->setPixmap(bHover ? kHoverPicture : kNormalPicture);
        emit signalHoverOnDeleteFrame(bHover);
        m_pDeleteFrame->show();
        m_pDeleteFrame->raise();
        return;
    }
    if (iState == 0) {
        const QPoint local = mapFromGlobal(pointer);
        if (rect().contains(local) && m_pDeleteFrame->isVisible()) {
            QWidget* child = childAt(local);
            if (child && (child == m_pDeleteFrame || m_pDeleteFrame->isAncestorOf(child)))
                emit signalDeleteTool(iToolkey);
        }
    }
    m_pDeleteFrame->hide();
    m_pDeleteFrame->setPixmap(kNormalPicture);
}

void DownloadToolsWidget::onAddTool()
{
    m_pStackedWidget->setCurrentIndex(1);
}

void DownloadToolsWidget::onAllToolsDeleted()
{
    m_pStackedWidget->setCurrentIndex(0);
}

} // namespace gearmart
