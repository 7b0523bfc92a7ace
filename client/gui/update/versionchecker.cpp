#include "update/versionchecker.h"

#include "config/configmanager.h"
#include "config/installlayout.h"
#include "localprotocol/localprotocol.h"
#include "tooldata/tooldatamanager.h"

#include <QCoreApplication>

namespace gearmart {

namespace {
constexpr int kMaterialDownload = localprotocol::DownloadMaterial;
constexpr int kManagerDownload = localprotocol::DownloadManageTool;
constexpr int kProgress = localprotocol::DownloadProgress;
constexpr int kCancel = localprotocol::CancelDownloadSubTool;
constexpr int kMaterialVersion = localprotocol::CheckMaterialVersion;
constexpr int kManagerVersion = localprotocol::CheckManagerVersion;
constexpr int kFinished = localprotocol::StatusInstalled;

// A progress value as a number; texts that are none read as a failure.
int progressValue(const QString& qstrValue)
{
    bool ok = false;
    const int value = qstrValue.trimmed().toInt(&ok);
    return ok ? value : -1;
}
} // namespace

VersionChecker::VersionChecker(QObject* parent) : QObject(parent)
{
    m_rowsTimer.setSingleShot(true);
    setIntervals(2000, 1000);
    connect(&m_rowsTimer, &QTimer::timeout, this, &VersionChecker::onUpdateTimeOut);
    connect(&m_managerTimer, &QTimer::timeout, this, &VersionChecker::onManagerProcessTimeOut);
    connect(&m_materialTimer, &QTimer::timeout, this, &VersionChecker::onMaterialProcessTimeOut);
    setInstallDirectory(QCoreApplication::applicationDirPath());
}

void VersionChecker::setInstallDirectory(const QString& qstrDirectory)
{
    m_bPackaged = InstallLayout::isPackaged(qstrDirectory);
}

void VersionChecker::setIntervals(int iRowsMs, int iPollMs)
{
    m_rowsTimer.setInterval(iRowsMs);
    m_managerTimer.setInterval(iPollMs);
    m_materialTimer.setInterval(iPollMs);
}

void VersionChecker::start()
{
    if (m_bPackaged) {
        setRows(Rows::Packaged, tr("Gearloft is updated by the system's package manager."));
        emit signalGearloftNew(false);
        return;
    }
    if (ToolDataManager::instance()->managerNeedsUpdate() == 1)
        showNewVersion();
    else
        setRows(Rows::Check, QString());
}

void VersionChecker::setRows(Rows emRows, const QString& qstrMessage)
{
    m_emRows = emRows;
    m_qstrMessage = qstrMessage;
    emit signalRowsChanged();
}

void VersionChecker::showNewVersion()
{
    if (m_emRows == Rows::Updated || m_bPackaged)
        return;
    m_rowsTimer.stop();
    m_bGearloftNew = ConfigManager::instance()->promptUpgrade() != 0 || m_bAskedByUser;
    if (m_bGearloftNew)
        setRows(Rows::NewVersion, tr("check new version!"));
    else
        setRows(Rows::Check, QString());
    emit signalGearloftNew(m_bGearloftNew);
}

void VersionChecker::showMessage(const QString& qstrText)
{
    // The restart notice and the package manager's outlast any later answer.
    if (m_emRows == Rows::Updated || m_bPackaged)
        return;
    setRows(Rows::Message, qstrText);
    m_rowsTimer.start();
}

void VersionChecker::onUpdateTimeOut()
{
    if (m_emRows == Rows::Message)
        setRows(Rows::Check, QString());
}

void VersionChecker::onCheckUpdate()
{
    if (m_bPackaged)
        return;
    m_bChecking = true;
    m_rowsTimer.stop();
    setRows(Rows::Checking, tr("checking..."));
    emit signalToServer(kManagerVersion, {ToolDataManager::kManagerKey});
    m_bAskedByUser = true;
}

bool VersionChecker::onUpdate(int iDownloadingCount)
{
    if (iDownloadingCount != 0 || m_bPackaged)
        return false;
    emit signalToServer(kManagerDownload, {ToolDataManager::kManagerKey});
    emit signalStartUpdateManagerTool();
    return true;
}

void VersionChecker::onUpdateCancel()
{
    m_managerTimer.stop();
    emit signalToServer(kCancel, {ToolDataManager::kManagerKey});
}

void VersionChecker::onUpdateCompleted()
{
    // The staged program is copied in at the next start; until then the rows
    // only ask for the restart. Key 1's version is settled by the state
    // merge of that start, so none is recorded here.
    m_rowsTimer.stop();
    m_managerTimer.stop();
    m_bGearloftNew = false;
    setRows(Rows::Updated, tr("Version have updated, please restart software"));
    emit signalGearloftNew(false);
}

void VersionChecker::onManagerProcessTimeOut()
{
    emit signalToServer(kProgress, {ToolDataManager::kManagerKey});
}

void VersionChecker::onMaterialProcessTimeOut()
{
    emit signalToServer(kProgress, {ToolDataManager::kMaterialKey});
}

void VersionChecker::onServerResponded(int method, QMap<int, QString> toolkeyToServerValue)
{
    switch (method) {
    case kMaterialDownload:
        onMaterialDownload(toolkeyToServerValue);
        break;
    case kManagerDownload:
        onManagerDownload(toolkeyToServerValue);
        break;
    case kProgress:
        if (toolkeyToServerValue.contains(ToolDataManager::kMaterialKey)) {
            onMaterialProgress(toolkeyToServerValue.value(ToolDataManager::kMaterialKey));
            m_bChecking = false;
        }
        if (toolkeyToServerValue.contains(ToolDataManager::kManagerKey))
            onManagerProgress(toolkeyToServerValue.value(ToolDataManager::kManagerKey));
        break;
    case kMaterialVersion:
        onMaterialVersion(toolkeyToServerValue);
        break;
    case kManagerVersion:
        onManagerVersion(toolkeyToServerValue);
        break;
    default:
        break;
    }
}

void VersionChecker::onManagerVersion(const QMap<int, QString>& values)
{
    const auto it = values.constFind(ToolDataManager::kManagerKey);
    if (it == values.cend())
        return;
    if (it->isEmpty()) {
        showMessage(tr("check failed"));
        return;
    }
    ToolDataManager* data = ToolDataManager::instance();
    if (ToolDataManager::versionLess(data->clientVersion(), *it)) {
        data->setManagerVersion(*it);
        showNewVersion();
    } else if (data->managerNeedsUpdate() == 1) {
        showNewVersion();
    } else {
        showMessage(tr("There are no new version"));
    }
}

void VersionChecker::onMaterialVersion(const QMap<int, QString>& values)
{
    const QString value = values.value(ToolDataManager::kMaterialKey);
    if (value.isEmpty())
        return;
    m_qstrNewestMaterial = value;
    ToolDataManager* data = ToolDataManager::instance();
    if (ToolDataManager::versionLess(data->materialCurrentVersion(), value)) {
        data->setMaterialVersion(value);
        emit signalToServer(kMaterialDownload, {ToolDataManager::kMaterialKey});
    }
}

void VersionChecker::onMaterialDownload(const QMap<int, QString>& values)
{
    const auto it = values.constFind(ToolDataManager::kMaterialKey);
    if (it == values.cend()) {
        showMessage(tr("check failed"));
        m_materialTimer.stop();
    } else if (it->trimmed() == QLatin1String("0")) {
        m_materialTimer.start();
    } else {
        m_materialTimer.stop();
    }
}

void VersionChecker::onMaterialProgress(const QString& qstrValue)
{
    // A poll answered after the download ended (a second 200) must not
    // announce the material twice.
    if (!m_materialTimer.isActive())
        return;
    const int value = progressValue(qstrValue);
    if (value == kFinished) {
        m_materialTimer.stop();
        ToolDataManager::instance()->setCurrentVersion(ToolDataManager::kMaterialKey, m_qstrNewestMaterial);
        if (!m_bChecking)
            emit signalHaveNewMaterial();
    } else if (value > localprotocol::StatusReceived || value < 0) {
        m_materialTimer.stop();
    }
}

void VersionChecker::onManagerDownload(const QMap<int, QString>& values)
{
    const auto it = values.constFind(ToolDataManager::kManagerKey);
    if (it == values.cend())
        return;
    if (it->trimmed() == QLatin1String("0")) {
        m_managerTimer.start();
    } else {
        m_managerTimer.stop();
        emit signalUpdateFailed();
    }
}

void VersionChecker::onManagerProgress(const QString& qstrValue)
{
    // A poll answered after a cancel must not report that cancel as a failure.
    if (!m_managerTimer.isActive())
        return;
    const int value = progressValue(qstrValue);
    if (value == kFinished) {
        m_managerTimer.stop();
        emit signalSetUpdateProgress(100);
    } else if (value >= 0 && value <= 95) {
        emit signalSetUpdateProgress(value);
    } else if (value >= 96 && value <= 100) {
        // 100 would end the dialog before the package is unpacked.
        emit signalSetUpdateProgress(value - 1);
    } else {
        m_managerTimer.stop();
        emit signalUpdateFailed();
    }
}

} // namespace gearmart
