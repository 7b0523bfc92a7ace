#include "settings/downloadfoldermover.h"

#include "config/configmanager.h"
#include "log/logging.h"
#include "system/systemutils.h"
#include "tooldata/tooldatamanager.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent>

namespace gearmart {

namespace {

const QString kSubTools = QStringLiteral("/SubTools");
constexpr double kBytesPerGiB = 1024.0 * 1024.0 * 1024.0;

DownloadFolderMover::Result copyTools(const QString& source, const QString& target, bool targetExisted,
                                      const DownloadFolderMover::FreeSpaceProbe& freeSpace, qint64* needed,
                                      double* freeGiB)
{
    using Result = DownloadFolderMover::Result;
    // Nothing downloaded yet: there is nothing to carry over.
    if (source.isEmpty() || !QFileInfo(source).isDir())
        return Result::Moved;
    *needed = folderSize(source);
    *freeGiB = freeSpace(QFileInfo(target).path());
    if (static_cast<double>(*needed) > *freeGiB * kBytesPerGiB)
        return Result::NoRoom;
    if (copyFolder(source, target, true))
        return Result::Moved;
    // A half copy is of no use; the old folder is still complete. A folder
    // that was there before may hold the user's own files: leave it.
    if (!targetExisted)
        QDir(target).removeRecursively();
    return Result::CopyFailed;
}

} // namespace

DownloadFolderMover::DownloadFolderMover(QObject* parent)
    : QObject(parent), m_freeSpace(&freeSpaceGiB), m_running(&isProgramRunning)
{
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &DownloadFolderMover::onWorkDone);
}

DownloadFolderMover::~DownloadFolderMover()
{
    // The worker holds our paths; let it end before they go.
    m_watcher.waitForFinished();
}

DownloadFolderMover::Result DownloadFolderMover::checkStart(int iDownloadingCount) const
{
    if (iDownloadingCount != 0)
        return Result::Downloading;
    const ToolDataManager* data = ToolDataManager::instance();
    const auto& states = data->toolStates();
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        if (it.key() == ToolDataManager::kMaterialKey || it.key() == ToolDataManager::kManagerKey ||
            it->IsDownload != 1)
            continue;
        const QString exeName = data->toolInfos().value(it.key()).ExeName;
        if (!exeName.isEmpty() && m_running(exeName)) {
            m_qstrRunningTool = data->toolName(it.key());
            return Result::ToolRunning;
        }
    }
    return Result::Moved;
}

DownloadFolderMover::Result DownloadFolderMover::checkTarget(const QString& qstrCurrentPath,
                                                             const QString& qstrNewPath) const
{
    if (qstrNewPath.isEmpty())
        return Result::Cancelled;
    // Tools copied into their own folder, or a copy whose folder holds the
    // old one, would go when the old folder is removed.
    if (!qstrCurrentPath.isEmpty() && (folderContains(qstrCurrentPath, qstrNewPath) ||
                                       folderContains(qstrNewPath + kSubTools, qstrCurrentPath + kSubTools)))
        return Result::SameOrInside;
    // The nearest folder that exists is where the new one would be made.
    QFileInfo place(qstrNewPath);
    while (!place.exists() && place.absolutePath() != place.absoluteFilePath())
        place = QFileInfo(place.absolutePath());
    if (!place.isDir() || !place.isWritable())
        return Result::NotWritable;
    m_dFreeGiB = m_freeSpace(qstrNewPath);
    if (m_dFreeGiB < kMinimumFreeGiB)
        return Result::NoRoom;
    return Result::Moved;
}

bool DownloadFolderMover::start(const QString& qstrCurrentPath, const QString& qstrNewPath)
{
    if (isRunning())
        return false;
    m_qstrConfiguredPath = qstrCurrentPath;
    // Without a configured folder there is nothing to carry over, and
    // "" + "/SubTools" must never be taken for a folder to remove.
    m_qstrOldPath = qstrCurrentPath.isEmpty() ? QString() : QDir::cleanPath(qstrCurrentPath);
    m_qstrNewPath = QDir::cleanPath(qstrNewPath);
    const QString source = m_qstrOldPath.isEmpty() ? QString() : m_qstrOldPath + kSubTools;
    const QString target = m_qstrNewPath + kSubTools;
    m_bTargetExisted = QFileInfo::exists(target);
    qCInfo(lcData).noquote() << "moving the downloaded tools from" << source << "to" << target;
    m_stage = Stage::Copying;
    m_iNeededBytes = 0;
    const bool bTargetExisted = m_bTargetExisted;
    const FreeSpaceProbe freeSpace = m_freeSpace;
    qint64* needed = &m_iNeededBytes;
    double* freeGiB = &m_dFreeGiB;
    m_watcher.setFuture(QtConcurrent::run([=] {
        return copyTools(source, target, bTargetExisted, freeSpace, needed, freeGiB);
    }));
    return true;
}

void DownloadFolderMover::onWorkDone()
{
    switch (m_stage) {
    case Stage::Idle:
        return;
    case Stage::DroppingCopy:
    case Stage::RemovingOld:
        finish(m_pending);
        return;
    case Stage::Copying:
        break;
    }
    const Result copied = m_watcher.result();
    if (copied != Result::Moved) {
        finish(copied);
        return;
    }
    ConfigManager* config = ConfigManager::instance();
    if (!config->setDownloadPath(m_qstrNewPath)) {
        // The store may already hold the new text; it must keep naming the
        // folder the tools are still in.
        config->setDownloadPath(m_qstrConfiguredPath);
        m_pending = Result::SaveFailed;
        m_stage = Stage::DroppingCopy;
        const QString copy = m_qstrNewPath + kSubTools;
        const bool keep = m_bTargetExisted;
        m_watcher.setFuture(QtConcurrent::run([copy, keep] {
            if (!keep)
                QDir(copy).removeRecursively();
            return Result::SaveFailed;
        }));
        return;
    }
    // The uninstall entries name each tool's folder; they follow the tools.
    ToolDataManager* data = ToolDataManager::instance();
    const auto& states = data->toolStates();
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        if (it.key() > ToolDataManager::kManagerKey && it->IsDownload == 1 && !it->IsInstalledByInstaller)
            data->registerTool(it.key());
    }
    m_pending = Result::Moved;
    m_stage = Stage::RemovingOld;
    const QString old = m_qstrOldPath.isEmpty() ? QString() : m_qstrOldPath + kSubTools;
    m_watcher.setFuture(QtConcurrent::run([old] {
        if (!old.isEmpty())
            QDir(old).removeRecursively();
        return Result::Moved;
    }));
}

void DownloadFolderMover::finish(Result result)
{
    m_stage = Stage::Idle;
    qCInfo(lcData) << "download folder move ended:" << result << m_qstrOldPath << "->" << m_qstrNewPath;
    emit signalFinished(result);
}

} // namespace gearmart
