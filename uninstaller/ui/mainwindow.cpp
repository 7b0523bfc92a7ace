#include "mainwindow.h"

#include "core/installprocessmgr.h"
#include "installingpage.h"
#include "quillkit/file.h"
#include "uninstallcompletedpage.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QIcon>
#include <QStackedWidget>

namespace appinstaller {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setMinimumSize(744, 504);
    setMaximumSize(744, 504);
    setWindowTitle(QCoreApplication::translate("MainWindowUI", "MainWindowUI"));
    setWindowIcon(QIcon(QStringLiteral(":/Uninstall/Images/icon.png")));
    setAccessibleName(windowTitle());

    auto* grid = new QGridLayout(this);
    grid->setSpacing(0);
    grid->setContentsMargins(12, 12, 12, 12);
    m_pInstallStackedWidget = new QStackedWidget(this);
    m_pInstallStackedWidget->setObjectName(QStringLiteral("m_pInstallStackedWidget"));
    grid->addWidget(m_pInstallStackedWidget, 0, 0);

    m_pInstallingPage = new InstallingPage(m_pInstallStackedWidget);
    m_pCompletedPage = new UnInstallCompletedPage(m_pInstallStackedWidget);
    m_pInstallStackedWidget->addWidget(m_pInstallingPage);
    m_pInstallStackedWidget->addWidget(m_pCompletedPage);

    const QString qssFolder = QStringLiteral(":/Uninstall/Qss/");
    setStyleSheet(quillkit::CFile::ReadAll(QDir(qssFolder).entryList(QDir::Files, QDir::Name), qssFolder));

    connect(m_pInstallingPage, &InstallingPage::signalunInstallFinished, this,
            &MainWindow::onFinishedUnInstall);
    connect(m_pInstallingPage, &InstallingPage::signalClose, this, &QWidget::close);
    connect(m_pCompletedPage, &UnInstallCompletedPage::signalClose, this, &QWidget::close);

    m_pInstallStackedWidget->setCurrentWidget(m_pInstallingPage);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0, 0, 0, 114));
    shadow->setBlurRadius(12);
    m_pInstallStackedWidget->setGraphicsEffect(shadow);

    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::All, QPalette::Window, Qt::transparent);
    setPalette(background);
    setWindowOpacity(1.0);
    setAttribute(Qt::WA_TranslucentBackground, true);
}

void MainWindow::onUninstall()
{
    m_pInstallStackedWidget->setCurrentWidget(m_pInstallingPage);
    m_pInstallingPage->startUnInstall();
}

void MainWindow::onFinishedUnInstall()
{
    m_pCompletedPage->setReport(InstallProcessMgr::instance()->report());
    m_pInstallStackedWidget->setCurrentWidget(m_pCompletedPage);
    if (m_bCloseWhenFinished)
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_pInstallingPage->isUnInstalling()) {
        m_bCloseWhenFinished = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace appinstaller
