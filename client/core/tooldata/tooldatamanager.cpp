#include "tooldata/tooldatamanager.h"

#include "config/configmanager.h"
#include "log/logging.h"
#include "tooldata/materialfolders.h"
#include "tooldata/toollistfiles.h"
#include "tooldata/toollocalinfofile.h"
#include "tooldata/toolproductguids.h"
#include "tooldata/toolstatemerge.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <mutex>

namespace gearmart {

namespace {

std::mutex g_instanceMutex;
ToolDataManager* g_pInstance = nullptr;

const QString kStateListFile = QStringLiteral("/ToolsStateList.xml");
const QString kLocalInfoFile = QStringLiteral("/ToolsLocalInfo.xml");

} // namespace

ToolDataManager* ToolDataManager::instance()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    if (!g_pInstance)
        g_pInstance = new ToolDataManager;
    return g_pInstance;
}

void ToolDataManager::resetInstanceForTest()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    delete g_pInstance;
    g_pInstance = nullptr;
}

ToolDataManager::ToolDataManager()
    : m_iLanguage(static_cast<int>(ConfigManager::instance()->language())),
      m_iVersionType(ConfigManager::instance()->versionType()), m_qstrBaseDirectory(QDir::currentPath()),
      m_registry(platform::Registry())
{
}

bool ToolDataManager::loadAll()
{
    m_loadNotices.clear();
    m_toolInfos.clear();
    m_toolStates.clear();
    m_localInfos.clear();
    MaterialFolders folders(m_qstrBaseDirectory);
    folders.recoverInterruptedSwap();
    QString cause;
    if (folders.hasStaged() && !folders.takeOverStaged(&cause))
        addNotice(LoadNotice::Kind::StagedMaterialRefused, cause, "staged material discarded");
    readCatalog();
    const bool materialReplaced = !m_loadNotices.isEmpty();
    const bool catalogEmpty = m_toolInfos.isEmpty();

    QMap<int, ToolState> states;
    readStates(&states);
    // The version recorded when the material was downloaded is not the one in
    // use: going back to it lets the newer material be offered again.
    if (materialReplaced && states.contains(kMaterialKey) && m_toolInfos.contains(kMaterialKey))
        states[kMaterialKey].CurrentVersion = m_toolInfos.value(kMaterialKey).Version;
    m_toolStates = mergeToolStates(m_toolInfos, states);
    // The uninstall entries of the tools downloaded here follow the download
    // folder (a move, or an entry from before one).
    for (auto it = m_toolStates.cbegin(); it != m_toolStates.cend(); ++it) {
        if (it.key() > kManagerKey && it->IsDownload == 1 && !it->IsInstalledByInstaller &&
            QDir::cleanPath(installedCheck(it.key()).InstallLocation) != QDir::cleanPath(installFolder(it.key())))
            registerTool(it.key());
    }
    // Against an empty catalog the merge keeps nothing: the list stays for a
    // start with a catalog again. Otherwise the merge is repeated at every
    // start, so a list that cannot be written now costs nothing but this write.
    if (!catalogEmpty && !saveStateList())
        qCWarning(lcData).noquote() << "Gearloft start:" << m_qstrBaseDirectory + kStateListFile
                                    << "could not be written";
    if (!catalogEmpty)
        readLocalInfo();
    return m_loadNotices.isEmpty();
}

void ToolDataManager::readLocalInfo()
{
    const QString path = m_qstrBaseDirectory + kLocalInfoFile;
    QString cause;
    if (!readToolLocalInfo(path, &m_localInfos, &cause)) {
        // Dates, previous versions and skips are conveniences: without them
        // every update is offered and nothing is rolled back.
        qCWarning(lcData).noquote() << "Gearloft start:" << path + QStringLiteral(": ") + cause
                                    << "- ignored";
        return;
    }
    bool changed = false;
    for (auto it = m_localInfos.begin(); it != m_localInfos.end(); ++it) {
        const QString skipped = it->skippedVersion;
        if (skipped.isEmpty())
            continue;
        const QString offered = m_toolInfos.value(it.key()).Version;
        if (m_toolInfos.contains(it.key()) && !versionLess(skipped, offered))
            continue;
        qCInfo(lcData).noquote() << "tool" << it.key()
                                 << "skipped V" + skipped + ", the catalog now offers V" + offered +
                                        ": offered again";
        it->skippedVersion.clear();
        changed = true;
    }
    if (changed && !saveLocalInfo())
        qCWarning(lcData).noquote() << "Gearloft start:" << path << "could not be written";
}

void ToolDataManager::readCatalog()
{
    MaterialFolders folders(m_qstrBaseDirectory);
    const QString path = MaterialFolders::catalogPath(folders.currentFolder());
    QString cause;
    if (readToolCatalog(path, &m_toolInfos, &cause))
        return;
    const QString refused = path + QStringLiteral(": ") + cause;
    if (folders.restoreDefaults(&cause) && readToolCatalog(path, &m_toolInfos, &cause)) {
        addNotice(LoadNotice::Kind::CatalogRestored, refused, "shipped material restored");
        return;
    }
    m_toolInfos.clear();
    addNotice(LoadNotice::Kind::CatalogEmpty, refused + QStringLiteral("; ") + cause,
              "no shipped material usable either, starting with an empty catalog");
}

void ToolDataManager::readStates(QMap<int, ToolState>* pStates)
{
    const QString path = m_qstrBaseDirectory + kStateListFile;
    QString cause;
    QList<int> keys;
    if (readToolStates(path, pStates, &cause)) {
        keys = pStates->keys();
    } else {
        // Rebuilt from what is on disk: every catalog tool the registry knows
        // as installed; the merge adds the others as new.
        addNotice(LoadNotice::Kind::StateListRebuilt, path + QStringLiteral(": ") + cause, "rebuilding it");
        pStates->clear();
        keys = m_toolInfos.keys();
    }
    for (const int key : keys) {
        const InstallInfo info = installedCheck(key);
        const auto it = pStates->find(key);
        // A tool this client downloaded lives in the download folder, wherever
        // its registry entry (perhaps written before a folder move) points.
        const QString ownFolder = installFolder(key);
        const bool bOwnCopyHere = !exeBaseName(key).isEmpty() && QFileInfo(ownFolder).isDir();
        const bool bInstallersCopy = info.IsInstalled && !info.IsOwnCopy &&
                                     QDir::cleanPath(info.InstallLocation) != QDir::cleanPath(ownFolder);
        if (bInstallersCopy) {
            ToolState& state = (*pStates)[key];
            state.ToolKey = key;
            state.IsDownload = 1;
            state.CurrentVersion = info.DisplayVersion;
            state.IsInstalledByInstaller = true;
            state.InstallLocation = info.InstallLocation;
            continue;
        }
        if (bOwnCopyHere) {
            ToolState& state = (*pStates)[key];
            state.ToolKey = key;
            state.IsDownload = 1;
            state.IsInstalledByInstaller = false;
            state.InstallLocation.clear();
            if (state.CurrentVersion.isEmpty())
                state.CurrentVersion = info.DisplayVersion;
            continue;
        }
        if (it != pStates->end())
            it->IsDownload = 0;
    }
}

void ToolDataManager::addNotice(LoadNotice::Kind emKind, const QString& qstrCause, const char* pszAction)
{
    qCWarning(lcData).noquote() << "Gearloft start:" << qstrCause << "-" << pszAction;
    m_loadNotices.append({emKind, qstrCause});
}

QString ToolDataManager::localized(int iToolkey, QString ToolInfo::*chinese, QString ToolInfo::*english) const
{
    const auto it = m_toolInfos.constFind(iToolkey);
    if (it == m_toolInfos.cend())
        return {};
    if (m_iLanguage == 1)
        return it.value().*chinese;
    if (m_iLanguage == 0)
        return it.value().*english;
    return {};
}

QString ToolDataManager::toolName(int iToolkey) const
{
    return localized(iToolkey, &ToolInfo::ToolCHName, &ToolInfo::ToolENName);
}

QString ToolDataManager::briefIntro(int iToolkey) const
{
    return localized(iToolkey, &ToolInfo::BriefCHIntro, &ToolInfo::BriefENIntro);
}

QString ToolDataManager::updateIntro(int iToolkey) const
{
    return localized(iToolkey, &ToolInfo::UpdateCHIntro, &ToolInfo::UpdateENIntro);
}

QString ToolDataManager::exeBaseName(int iToolkey) const
{
    const QString exeName = m_toolInfos.value(iToolkey).ExeName;
    return exeName.left(qMax(0, exeName.size() - 4));
}

QString ToolDataManager::installFolder(int iToolkey) const
{
    return ConfigManager::instance()->downloadPath() + QStringLiteral("/SubTools/") + exeBaseName(iToolkey);
}

QString ToolDataManager::downloadAddress(int iToolkey) const
{
    const auto it = m_toolInfos.constFind(iToolkey);
    if (it == m_toolInfos.cend())
        return {};
    const bool chinese = m_iLanguage == 1;
    QString packagePath;
    if (iToolkey == kMaterialKey) {
        packagePath = (chinese ? QStringLiteral("/4200/tool/windows/material/v%1/standard/zh/Material.zip")
                               : QStringLiteral("/4200/tool/windows/material/v%1/standard/en/Material.zip"))
                          .arg(m_qstrMaterialVersion);
    } else if (iToolkey == kManagerKey) {
        packagePath = (chinese ? QStringLiteral("/4200/tool/windows/gearloft/v%1/standard/zh/Gearloft.zip")
                               : QStringLiteral("/4200/tool/windows/gearloft/v%1/standard/en/Gearloft.zip"))
                          .arg(m_qstrManagerVersion);
    } else {
        packagePath = chinese ? it.value().DownloadCHUrl : it.value().DownloadENUrl;
    }
    return ConfigManager::instance()->serverAddress() + QLatin1Char('/') + packagePath;
}

QString ToolDataManager::materialCurrentVersion() const
{
    return m_toolStates.value(kMaterialKey).CurrentVersion;
}

int ToolDataManager::managerNeedsUpdate() const
{
    const auto it = m_toolStates.constFind(kManagerKey);
    return it == m_toolStates.cend() ? 0 : it.value().IsNeedUpdate;
}

bool ToolDataManager::setCurrentVersion(int iToolkey, const QString& qstrVersion)
{
    auto it = m_toolStates.find(iToolkey);
    if (it == m_toolStates.end()) {
        ToolState state;
        state.ToolKey = iToolkey;
        it = m_toolStates.insert(iToolkey, state);
    }
    it.value().CurrentVersion = qstrVersion;
    return saveStateList();
}

void ToolDataManager::setListOrder(int iToolkey, int iOrder)
{
    auto it = m_toolStates.find(iToolkey);
    if (it == m_toolStates.end()) {
        ToolState state;
        state.ToolKey = iToolkey;
        it = m_toolStates.insert(iToolkey, state);
    }
    it.value().ListOrder = iOrder;
}

bool ToolDataManager::saveStateList()
{
    return writeToolStates(m_qstrBaseDirectory + kStateListFile, m_toolStates);
}

void ToolDataManager::setLocalInfo(int iToolkey, const ToolLocalInfo& info)
{
    m_localInfos.insert(iToolkey, info);
}

bool ToolDataManager::saveLocalInfo()
{
    return writeToolLocalInfo(m_qstrBaseDirectory + kLocalInfoFile, m_localInfos);
}

void ToolDataManager::recordInstall(int iToolkey, const QString& qstrReplacedVersion,
                                    const QStringList& replacedEntries)
{
    ToolLocalInfo& info = m_localInfos[iToolkey];
    info.installedAt = QDateTime::currentDateTimeUtc();
    info.previousEntries = replacedEntries;
    info.previousVersion = replacedEntries.isEmpty() ? QString() : qstrReplacedVersion;
    const QString installed = m_toolStates.value(iToolkey).CurrentVersion;
    if (!info.skippedVersion.isEmpty() && !versionLess(installed, info.skippedVersion))
        info.skippedVersion.clear();
    if (!saveLocalInfo())
        qCWarning(lcData).noquote() << m_qstrBaseDirectory + kLocalInfoFile << "could not be written";
}

bool ToolDataManager::needsUpdate(int iToolkey) const
{
    return m_toolStates.value(iToolkey).IsNeedUpdate == 1;
}

bool ToolDataManager::isUpdateSkipped(int iToolkey) const
{
    const QString skipped = m_localInfos.value(iToolkey).skippedVersion;
    return !skipped.isEmpty() && !versionLess(skipped, m_toolInfos.value(iToolkey).Version);
}

bool ToolDataManager::updateOffered(int iToolkey) const
{
    return needsUpdate(iToolkey) && !isUpdateSkipped(iToolkey);
}

bool ToolDataManager::setSkippedVersion(int iToolkey, const QString& qstrVersion)
{
    m_localInfos[iToolkey].skippedVersion = qstrVersion;
    return saveLocalInfo();
}

QString ToolDataManager::unzipFolder(int iToolkey) const
{
    const auto it = m_toolStates.constFind(iToolkey);
    if (it != m_toolStates.constEnd() && it->IsInstalledByInstaller)
        return QFileInfo(QDir::cleanPath(it->InstallLocation)).path();
    return ConfigManager::instance()->downloadPath() + QStringLiteral("/SubTools");
}

void ToolDataManager::registerTool(int iToolkey)
{
    if (ToolProductGuids::guid(iToolkey).isEmpty())
        return;
    const auto it = m_toolStates.constFind(iToolkey);
    if (it == m_toolStates.cend()) {
        qCDebug(lcData) << "no state to register for tool" << iToolkey;
        return;
    }
    m_registry.registerTool(iToolkey, it.value(), installFolder(iToolkey));
}

void ToolDataManager::unregisterTool(int iToolkey)
{
    m_registry.unregisterTool(iToolkey);
}

InstallInfo ToolDataManager::installedCheck(int iToolkey) const
{
    return m_registry.installedCheck(iToolkey);
}

bool ToolDataManager::versionLess(const QString& a, const QString& b)
{
    const QStringList partsA = a.split(QLatin1Char('.'));
    const QStringList partsB = b.split(QLatin1Char('.'));
    if (partsA.size() != 4 || partsB.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        // A part that is not a number counts as 0.
        const qulonglong partA = partsA.at(i).toULongLong();
        const qulonglong partB = partsB.at(i).toULongLong();
        if (partA != partB)
            return partA < partB;
    }
    return false;
}

} // namespace gearmart
