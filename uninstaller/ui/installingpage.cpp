#include "installingpage.h"

#include "core/installprocessmgr.h"
#include "core/uninstallthread.h"
#include "quillkit/secondcommandbutton.h"
#include "upperwidget.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace appinstaller {

InstallingPage::InstallingPage(QWidget* parent) : QWidget(parent)
{
    resize(720, 480);
    setWindowTitle(QCoreApplication::translate("InstallingUI", "MainWindowUI"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pUpperWidget = new UpperWidget(this);
    m_pUpperWidget->setObjectName(QStringLiteral("m_pUpperWidget"));
    m_pUpperWidget->setFixedHeight(320);
    layout->addWidget(m_pUpperWidget);

    m_pBottomWidget = new QWidget(this);
    m_pBottomWidget->setObjectName(QStringLiteral("m_pBottomWidget"));
    m_pBottomWidget->setAttribute(Qt::WA_StyledBackground, true);
    m_pBottomWidget->setFixedHeight(160);
    layout->addWidget(m_pBottomWidget);

    auto* grid = new QGridLayout(m_pBottomWidget);
    grid->setSpacing(6);
    grid->setContentsMargins(36, 26, 36, 24);

    m_pInstallingLabel = new QLabel(m_pBottomWidget);
    m_pInstallingLabel->setObjectName(QStringLiteral("m_pInstallingLabel"));
    m_pInstallingLabel->setMinimumSize(160, 24);
    m_pInstallingLabel->setAccessibleName(tr("Current step"));
    grid->addWidget(m_pInstallingLabel, 0, 0, Qt::AlignLeft);
    m_pInstallProgressLabel = new QLabel(m_pBottomWidget);
    m_pInstallProgressLabel->setObjectName(QStringLiteral("m_pInstallProgressLabel"));
    m_pInstallProgressLabel->setMinimumSize(160, 24);
    m_pInstallProgressLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pInstallProgressLabel->setAccessibleName(tr("Progress"));
    grid->addWidget(m_pInstallProgressLabel, 0, 1, Qt::AlignRight);

    m_pWidgetProcessBar = new QWidget(m_pBottomWidget);
    m_pWidgetProcessBar->setObjectName(QStringLiteral("m_pWidgetProcessBar"));
    m_pWidgetProcessBar->setAttribute(Qt::WA_StyledBackground, true);
    m_pWidgetProcessBar->setFixedSize(648, 16);
    m_pWidgetProcessBar->setAccessibleName(tr("Progress bar"));
    m_pWidgetProcessBar->setStyleSheet(QStringLiteral("border:1px solid rgba(0,0,0,0.2);border-radius:8px"));
    auto* barLayout = new QHBoxLayout(m_pWidgetProcessBar);
    barLayout->setContentsMargins(3, 3, 3, 3);
    barLayout->setSpacing(0);
    m_pFrame = new QWidget(m_pWidgetProcessBar);
    m_pFrame->setObjectName(QStringLiteral("frame"));
    m_pFrame->setAttribute(Qt::WA_StyledBackground, true);
    m_pFrame->setStyleSheet(QStringLiteral("background:red; border-radius:5px; border:none;"));
    m_pFrame->setFixedWidth(0);
    barLayout->addWidget(m_pFrame);
    barLayout->addStretch(1);
    grid->addWidget(m_pWidgetProcessBar, 1, 0, 1, 2);

    m_pCancelBtn = new quillkit::CSecondCommandButton(
        QCoreApplication::translate("InstallingUI", "UndoMerge"), m_pBottomWidget);
    m_pCancelBtn->setObjectName(QStringLiteral("m_pCancelBtn"));
    m_pCancelBtn->setFixedSize(88, 32);
    m_pCancelBtn->setAccessibleName(m_pCancelBtn->text());
    grid->addWidget(m_pCancelBtn, 2, 1, Qt::AlignRight);

    connect(m_pUpperWidget, &UpperWidget::signalClose, this, &InstallingPage::signalClose);
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
            &InstallingPage::onProcessInfo);
}

InstallingPage::~InstallingPage()
{
    // Destroying a running QThread aborts the program, and a worker cut off
    // mid-removal would leave the installation half removed.
    if (m_pThread)
        m_pThread->wait();
}

void InstallingPage::startUnInstall()
{
    if (isUnInstalling())
        return;
    m_pCancelBtn->hide();
    m_pThread = new UnInstallThread(this);
    m_bWorkerDone = false;
    connect(m_pThread, &QThread::finished, this, [this]() {
        m_bWorkerDone = true;
        emit signalunInstallFinished();
    });
    m_pThread->start(QThread::InheritPriority);
}

bool InstallingPage::isUnInstalling() const
{
    // Until the end is delivered here, not merely until run() returns, so a
    // close that waits for the worker always sees that end arrive.
    return m_pThread && !m_bWorkerDone;
}

void InstallingPage::onProcessInfo(int iProcess, QString strProcessName)
{
    m_pInstallingLabel->setText(strProcessName);
    m_pInstallProgressLabel->setText(QString::number(iProcess) + QLatin1Char('%'));
    const int clamped = qBound(0, iProcess, 100);
    m_pFrame->setFixedWidth(clamped * (m_pWidgetProcessBar->width() - 6) / 100);
    m_iProcess = iProcess;
    update();
}

} // namespace appinstaller
