#include "installprocessmgr.h"

#include "appconfig.h"
#include "installfolder.h"
#include "installmanifest/installmanifest.h"
#include "manifestremover.h"
#include "platform/desktopentry.h"
#include "platform/desktopintegration.h"
#include "platform/menufolder.h"
#include "productkey.h"
#include "singleton.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

namespace appinstaller {

using installmanifest::InstallManifest;

namespace {

// The product's Chinese name as the shortcuts of older releases carry it.
const char kProductNameCH[] = "Loftwarden";
// The name of the menu entry, icon and AppStream data the installer puts
// into the user's data folder (packaging/).
const char kDesktopId[] = "com.brelvonix.Gearloft";

// Enough of a list for the log; the rest is counted.
void logRemaining(const char* what, const QString& strFolder, const QStringList& listEntries)
{
    const int shown = 20;
    qWarning().noquote() << "Unmoor:" << what << strFolder;
    for (int i = 0; i < listEntries.size() && i < shown; ++i)
        qWarning().noquote() << "  " << listEntries.at(i);
    if (listEntries.size() > shown)
        qWarning().noquote() << "   and" << listEntries.size() - shown << "more";
}

} // namespace

InstallProcessMgr::InstallProcessMgr() = default;

InstallProcessMgr* InstallProcessMgr::instance()
{
    return Base::CSingleton<InstallProcessMgr>::instance();
}

QString InstallProcessMgr::ownFolder() const
{
    QString folder;
    {
        QMutexLocker lock(&m_mutex);
        folder = m_strOwnFolderForTesting;
    }
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return QFileInfo(folder).canonicalFilePath();
}

void InstallProcessMgr::setOwnFolderForTesting(const QString& strFolder)
{
    QMutexLocker lock(&m_mutex);
    m_strOwnFolderForTesting = strFolder;
}

bool InstallProcessMgr::isInstalled() const
{
    if (ProductKey(AppConfig::instance()->guid()).isInstalled())
        return true;
    const QString folder = ownFolder();
    return !folder.isEmpty() && InstallManifest::existsIn(folder);
}

RemovalReport InstallProcessMgr::report() const
{
    QMutexLocker lock(&m_mutex);
    return m_report;
}

void InstallProcessMgr::unInstall()
{
    const AppConfig* config = AppConfig::instance();
    const ProductKey key(config->guid());
    const QString folder = ownFolder();
    {
        QMutexLocker lock(&m_mutex);
        m_report = RemovalReport();
    }

    // Decided before anything goes: afterwards the own folder cannot be
    // resolved any more. The key is cleared when it names this installation
    // or nothing that is one; another installation keeps its registration.
    const QString recorded = key.installPath();
    const bool namesThis = QDir::isAbsolutePath(recorded) &&
                           QFileInfo(recorded).canonicalFilePath() == folder && !folder.isEmpty();
    const bool namesAnother =
        !namesThis && InstallFolder::check(recorded, config->guid()) == InstallFolder::Verdict::Removable;
    if (namesAnother)
        qWarning() << "Unmoor: the product key names another installation, which is left alone:" << recorded;
    else if (!namesThis && !recorded.trimmed().isEmpty())
        qWarning() << "Unmoor: the product key names a folder that is not this installation, not followed:"
                   << recorded;

    emit signalProcess(0, QObject::tr("BeganToUnloadWkJrSaJaAq"));
    const RemovalReport removal = removeOwnFolder(folder, config->guid());
    {
        QMutexLocker lock(&m_mutex);
        m_report = removal;
    }

    emit signalProcess(30, QObject::tr("DeleteShortcutULXVgdVTs"));
    removeShortcuts(config->softwareNameEN(), config->softwareNameCH());
    // The menu entry starts the installation registered last: another one keeps it.
    if (!namesAnother && !platform::removeDesktopIntegration(QString::fromLatin1(kDesktopId)))
        qWarning() << "Unmoor: the menu entry or icon could not all be removed:" << kDesktopId;

    emit signalProcess(60, QObject::tr("ClearTheRegistryeuyqTkYHjj"));
    if (!namesAnother && !key.clear() && key.isInstalled())
        qWarning() << "Unmoor: the product key could not be cleared:" << key.keyPath();

    emit signalProcess(100, QObject::tr("Uninstalled"));
}

RemovalReport InstallProcessMgr::removeOwnFolder(const QString& strFolder, const QString& strGUID)
{
    RemovalReport report;
    if (strFolder.isEmpty()) {
        qWarning() << "Unmoor: the program's own folder cannot be resolved; nothing is removed";
        return report;
    }

    if (InstallManifest::existsIn(strFolder)) {
        InstallManifest manifest;
        if (!manifest.read(strFolder)) {
            qWarning().noquote() << "Unmoor: nothing is removed:" << manifest.errorString();
            report.left = RemovalReport::Left::ManifestUnreadable;
            report.folder = strFolder;
            return report;
        }
        // Empty folders made at run time go too, unless the installation
        // was put straight into a folder shared with other data.
        report =
            ManifestRemover(strFolder).remove(manifest.entries(), !InstallFolder::isSharedFolder(strFolder));
    } else {
        qWarning() << "Unmoor: no manifest (an installation of an earlier release): the whole folder goes "
                      "if it is recognisably this product's:"
                   << strFolder;
        const InstallFolder::Verdict verdict = InstallFolder::check(strFolder, strGUID);
        if (verdict != InstallFolder::Verdict::Removable) {
            qWarning() << "Unmoor: the installation folder is left in place:"
                       << InstallFolder::describe(verdict) << strFolder;
            report.left = RemovalReport::Left::NotRecognised;
            report.folder = strFolder;
            return report;
        }
        QDir(strFolder).removeRecursively();
        if (QFileInfo::exists(strFolder)) {
            report.left = RemovalReport::Left::NotRemovable;
            report.folder = strFolder;
            report.remaining = ManifestRemover::remainingEntries(strFolder);
        }
    }
    if (report.left == RemovalReport::Left::AddedFiles)
        logRemaining("left in place, not installed with the product:", strFolder, report.remaining);
    else if (report.left == RemovalReport::Left::NotRemovable)
        logRemaining("could not remove everything of", strFolder, report.remaining);
    return report;
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
