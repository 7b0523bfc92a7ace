#include "installed/installedtools.h"

#include "installed/toolrollback.h"
#include "launch/toollauncher.h"
#include "log/logging.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"
#include "tooldata/unzipfoldersnapshot.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <algorithm>
#include <mutex>

namespace gearmart {

namespace {

std::mutex g_instanceMutex;
InstalledTools* g_pInstance = nullptr;

QString sessionNote(bool bSaved)
{
    return bSaved ? QString()
                  : QStringLiteral(" (for this session only: ToolsLocalInfo.xml could not be written)");
}

QString logName(int iToolkey)
{
    const QString name = ToolDataManager::instance()->toolInfos().value(iToolkey).ToolENName;
    return QStringLiteral("tool %1 (%2)").arg(iToolkey).arg(name);
}

} // namespace

const QString InstalledTools::kUnknownVersion = QStringLiteral("0.0.0.0");

InstalledTools* InstalledTools::instance()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    if (!g_pInstance)
        g_pInstance = new InstalledTools;
    return g_pInstance;
}

void InstalledTools::resetInstanceForTest()
{
    std::lock_guard<std::mutex> lock(g_instanceMutex);
    delete g_pInstance;
    g_pInstance = nullptr;
}

InstalledTools::InstalledTools()
{
    // One folder at a time: the disk is shared with the downloads.
    m_pool.setMaxThreadCount(1);
}

InstalledTools::~InstalledTools()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void InstalledTools::waitForMeasurementsForTesting()
{
    // A result may start the next measurement (a view asks again).
    for (;;) {
        m_pool.waitForDone();
        QCoreApplication::sendPostedEvents(this);
        if (std::none_of(m_sizes.cbegin(), m_sizes.cend(), [](const Size& size) { return size.measuring; }))
            return;
    }
}

InstalledTools::Facts InstalledTools::facts(int iToolkey)
{
    const ToolDataManager* data = ToolDataManager::instance();
    const ToolLocalInfo info = data->localInfo(iToolkey);
    Facts facts;
    facts.installedVersion = data->toolStates().value(iToolkey).CurrentVersion;
    facts.folder = ToolLauncher::toolFolder(iToolkey);
    const QFileInfo folder(facts.folder);
    facts.installedAt = info.installedAt.isValid() ? info.installedAt
                                                   : (folder.exists() ? folder.lastModified() : QDateTime());
    Size& size = m_sizes[iToolkey];
    if (size.stamp == info.installedAt && size.folder == facts.folder && size.bytes >= 0) {
        facts.sizeBytes = size.bytes;
    } else if (!size.measuring) {
        measure(iToolkey, facts.folder, info.installedAt);
    }
    return facts;
}

void InstalledTools::measure(int iToolkey, const QString& qstrFolder, const QDateTime& stamp)
{
    m_sizes[iToolkey].measuring = true;
    m_pool.start([this, iToolkey, qstrFolder, stamp] {
        const qint64 bytes = folderSize(qstrFolder);
        QMetaObject::invokeMethod(
            this,
            [this, iToolkey, qstrFolder, stamp, bytes] { onMeasured(iToolkey, qstrFolder, stamp, bytes); },
            Qt::QueuedConnection);
    });
}

void InstalledTools::onMeasured(int iToolkey, const QString& qstrFolder, const QDateTime& stamp, qint64 bytes)
{
    Size& size = m_sizes[iToolkey];
    size.measuring = false;
    size.bytes = bytes;
    size.stamp = stamp;
    size.folder = qstrFolder;
    emit signalFactsChanged(iToolkey);
}

QStringList InstalledTools::keptEntries(int iToolkey) const
{
    const ToolDataManager* data = ToolDataManager::instance();
    const ToolState state = data->toolStates().value(iToolkey);
    // An installer's copy is the installer's to change.
    if (state.IsDownload != 1 || state.IsInstalledByInstaller)
        return {};
    QStringList entries = data->localInfo(iToolkey).previousEntries;
    // Kept by an update this client did not see end: the tool's folder.
    if (entries.isEmpty() && !data->exeBaseName(iToolkey).isEmpty())
        entries.append(data->exeBaseName(iToolkey));
    return ToolRollback(data->unzipFolder(iToolkey), entries).isPossible() ? entries : QStringList();
}

InstalledTools::RollbackOffer InstalledTools::rollbackOffer(int iToolkey) const
{
    RollbackOffer offer;
    if (keptEntries(iToolkey).isEmpty())
        return offer;
    const ToolDataManager* data = ToolDataManager::instance();
    const ToolLocalInfo info = data->localInfo(iToolkey);
    offer.version = info.previousEntries.isEmpty() ? QString() : info.previousVersion;
    // What a roll back left kept is the newer version: going there is an update.
    const QString current = data->toolStates().value(iToolkey).CurrentVersion;
    offer.available = offer.version.isEmpty() || !ToolDataManager::versionLess(current, offer.version);
    return offer;
}

InstalledTools::Rollback InstalledTools::rollBack(int iToolkey)
{
    ToolDataManager* data = ToolDataManager::instance();
    if (ToolLauncher::isRunning(iToolkey)) {
        qCInfo(lcData).noquote() << logName(iToolkey) << "not rolled back: it is running";
        return Rollback::Running;
    }
    const RollbackOffer offer = rollbackOffer(iToolkey);
    const QStringList entries = keptEntries(iToolkey);
    if (!offer.available || entries.isEmpty()) {
        qCInfo(lcData).noquote() << logName(iToolkey) << "not rolled back: no previous version is kept";
        return Rollback::NothingKept;
    }
    ToolRollback rollback(data->unzipFolder(iToolkey), entries);
    rollback.setStepCheck(m_stepCheck);
    if (!rollback.apply()) {
        qCWarning(lcData).noquote() << logName(iToolkey) << "not rolled back:" << rollback.error()
                                    << (rollback.isMixed() ? "- and not every step was undone"
                                                           : "- nothing changed");
        return rollback.isMixed() ? Rollback::Mixed : Rollback::Failed;
    }

    const QString newer = data->toolStates().value(iToolkey).CurrentVersion;
    const QString older = offer.version.isEmpty() ? kUnknownVersion : offer.version;
    const QString offered = data->toolInfos().value(iToolkey).Version;
    ToolState& state = data->toolStates()[iToolkey];
    state.IsNeedUpdate = ToolDataManager::versionLess(older, offered) ? 1 : 0;
    if (!data->setCurrentVersion(iToolkey, older))
        qCWarning(lcData).noquote() << logName(iToolkey)
                                    << "rolled back, but the state list could not be written";
    data->registerTool(iToolkey);

    ToolLocalInfo info = data->localInfo(iToolkey);
    info.installedAt = QDateTime::currentDateTimeUtc();
    info.previousEntries = entries;
    info.previousVersion = newer == kUnknownVersion ? QString() : newer;
    if (state.IsNeedUpdate == 1)
        info.skippedVersion = offered;
    data->setLocalInfo(iToolkey, info);
    if (!data->saveLocalInfo())
        qCWarning(lcData).noquote() << logName(iToolkey)
                                    << "rolled back, but ToolsLocalInfo.xml could not be written";
    QString done = QStringLiteral("%1 rolled back from V%2 to %3")
                       .arg(logName(iToolkey), newer,
                            offer.version.isEmpty() ? QStringLiteral("the previous version")
                                                    : QString(QLatin1Char('V') + older));
    if (state.IsNeedUpdate == 1)
        done += QStringLiteral("; the update to V%1 is skipped").arg(offered);
    qCInfo(lcData).noquote() << done;
    emit signalOffersChanged(iToolkey);
    emit signalFactsChanged(iToolkey);
    return Rollback::RolledBack;
}

bool InstalledTools::skipUpdate(int iToolkey)
{
    ToolDataManager* data = ToolDataManager::instance();
    if (!data->needsUpdate(iToolkey) || data->isUpdateSkipped(iToolkey))
        return true;
    const QString version = data->toolInfos().value(iToolkey).Version;
    const bool saved = data->setSkippedVersion(iToolkey, version);
    qCInfo(lcData).noquote() << QStringLiteral("%1: the update to V%2 is skipped%3")
                                    .arg(logName(iToolkey), version, sessionNote(saved));
    emit signalOffersChanged(iToolkey);
    return saved;
}

bool InstalledTools::undoSkip(int iToolkey)
{
    ToolDataManager* data = ToolDataManager::instance();
    if (!data->isUpdateSkipped(iToolkey))
        return true;
    const QString version = data->localInfo(iToolkey).skippedVersion;
    const bool saved = data->setSkippedVersion(iToolkey, QString());
    qCInfo(lcData).noquote() << QStringLiteral("%1: the update to V%2 is offered again%3")
                                    .arg(logName(iToolkey), version, sessionNote(saved));
    emit signalOffersChanged(iToolkey);
    return saved;
}

QVector<int> InstalledTools::skippedTools() const
{
    const ToolDataManager* data = ToolDataManager::instance();
    QVector<int> keys;
    const auto& infos = data->localInfos();
    for (auto it = infos.cbegin(); it != infos.cend(); ++it) {
        if (data->toolStates().value(it.key()).IsDownload == 1 && data->isUpdateSkipped(it.key()))
            keys.append(it.key());
    }
    return keys;
}

} // namespace gearmart
