#include "uninstaller.h"

#include "core/appconfig.h"
#include "core/clientprocess.h"
#include "core/installprocessmgr.h"
#include "mainwindow.h"
#include "quillkit/modaltipdialog.h"
#include "quillkit/resource.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>

namespace appinstaller {

Uninstaller::Uninstaller() = default;

Uninstaller::~Uninstaller() = default;

QString Uninstaller::resourceFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/rcc/guiresource.rcc");
}

int Uninstaller::start()
{
    QString styleSheet;
    quillkit::InitResource(resourceFilePath(), styleSheet, false);
    qApp->setStyleSheet(styleSheet);

    m_pMainWindow = std::make_unique<MainWindow>();

    const AppConfig* config = AppConfig::instance();
    if (ClientProcess::isRunning(config->programName())) {
        quillkit::CModalTipDialog::ShowMessageWarn(QObject::tr("TheClientIsRunningPrnptTrdtT"), 0, nullptr);
        return -1;
    }

    if (InstallProcessMgr::instance()->isInstalled()) {
        quillkit::CModalTipDialog dialog;
        dialog.setDialogModel(3);
        dialog.setContentText(QObject::tr("DetermineTheUninstalfYANYiIa"));
        dialog.setDialogSize(1);
        if (dialog.exec() != QDialog::Accepted)
            return -1;
        // Frameless windows get no placement from some window managers.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_pMainWindow->move(screen->availableGeometry().center() - m_pMainWindow->rect().center());
        m_pMainWindow->show();
        m_pMainWindow->onUninstall();
        return 0;
    }

    quillkit::CModalTipDialog::ShowMessageWarn(QObject::tr("ThisSoftwareIsNotCurmXqDCfI"), 0, nullptr);
    return -1;
}

} // namespace appinstaller
