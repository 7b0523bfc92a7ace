#include "installprocessmgr.h"

#include "appconfig.h"
#include "installfolder.h"
#include "platform/desktopentry.h"
#include "platform/menufolder.h"
#include "productkey.h"
#include "singleton.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

namespace appinstaller {

namespace {

// The product's Chinese name as the shortcuts of older releases carry it.
const char kProductNameCH[] = "Loftwarden";

} // namespace

InstallProcessMgr::InstallProcessMgr() = default;

InstallProcessMgr* InstallProcessMgr::instance()
{
    return Base::CSingleton<InstallProcessMgr>::instance();
}

QString InstallProcessMgr::keptFolder() const
{
    QMutexLocker lock(&m_mutex);
    return m_strKeptFolder;
}

void InstallProcessMgr::unInstall()
{
    const AppConfig* config = AppConfig::instance();
    const ProductKey key(config->guid());
    const QString installPath = key.installPath();
    {
        QMutexLocker lock(&m_mutex);
        m_strKeptFolder.clear();
    }

    emit signalProcess(0, QObject::tr("BeganToUnloadWkJrSaJaAq"));
    removeInstallFolder(installPath, config->guid());

    emit signalProcess(30, QObject::tr("DeleteShortcutULXVgdVTs"));
    removeShortcuts(config->softwareNameEN(), config->softwareNameCH());

    emit signalProcess(60, QObject::tr("ClearTheRegistryeuyqTkYHjj"));
    if (!key.clear())
        qWarning() << "Unmoor: the product key could not be cleared:" << key.keyPath();

    emit signalProcess(100, QObject::tr("Uninstalled"));
}

void InstallProcessMgr::removeInstallFolder(const QString& strFolder, const QString& strGUID)
{
    const InstallFolder::Verdict verdict = InstallFolder::check(strFolder, strGUID);
    if (verdict == InstallFolder::Verdict::Empty || verdict == InstallFolder::Verdict::Missing) {
        qWarning() << "Unmoor: no installation folder to remove:" << InstallFolder::describe(verdict)
                   << strFolder;
        return;
    }
    if (verdict != InstallFolder::Verdict::Removable) {
        qWarning() << "Unmoor: the installation folder is left in place:" << InstallFolder::describe(verdict)
                   << strFolder;
        QMutexLocker lock(&m_mutex);
        m_strKeptFolder = strFolder;
        return;
    }
    const QString folder = QFileInfo(strFolder).canonicalFilePath();
    QDir(folder).removeRecursively();
    if (QFileInfo::exists(folder)) {
        qWarning() << "Unmoor: the installation folder could not be removed completely:" << folder;
        QMutexLocker lock(&m_mutex);
        m_strKeptFolder = folder;
    }
}

void InstallProcessMgr::removeShortcuts(const QString& strNameEN, const QString& strNameCH)
{
    // Each removal on its own; a missing or stubborn entry does not stop the
    // others. The public desktop of Windows has no counterpart here.
    const QString desktop = platform::desktopEntryFolder(platform::EntryFolder::Desktop);
    platform::removeDesktopEntry(desktop, strNameEN);
    platform::removeDesktopEntry(desktop, strNameCH);
    platform::removeMenuFolder(strNameEN);
    platform::removeMenuFolder(strNameCH);
    platform::removeDesktopEntry(desktop, QStringLiteral("Gearloft"));
    platform::removeDesktopEntry(desktop, QString::fromUtf8(kProductNameCH));
}

} // namespace appinstaller
