#include "mytools/toolfolderremover.h"

#include "log/logging.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace gearmart {

namespace {

QString subToolsRoot(const QString& qstrDownloadPath)
{
    if (qstrDownloadPath.trimmed().isEmpty())
        return {};
    return QFileInfo(QDir::cleanPath(qstrDownloadPath + QStringLiteral("/SubTools"))).canonicalFilePath();
}

} // namespace

bool ToolFolderRemover::isToolFolder(const QString& qstrFolder, const QString& qstrDownloadPath)
{
    const QString root = subToolsRoot(qstrDownloadPath);
    if (root.isEmpty() || qstrFolder.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(qstrFolder);
    const QFileInfo info(folder);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // The parent, with every link resolved, must be SubTools itself: this
    // keeps out SubTools, the download root, deeper folders and any path that
    // climbs out through ".." or a link.
    const QString parent = QFileInfo(info.path()).canonicalFilePath();
    return !parent.isEmpty() && parent == root;
}

ToolFolderRemover::Result ToolFolderRemover::remove(const QString& qstrFolder,
                                                    const QString& qstrDownloadPath)
{
    Result result;
    if (qstrFolder.isEmpty())
        return result;
    const QString folder = QDir::cleanPath(qstrFolder);
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return result;
    if (!isToolFolder(folder, qstrDownloadPath)) {
        qCDebug(lcPages) << "tracer7 refused to delete" << folder << "outside"
                         << qstrDownloadPath + QStringLiteral("/SubTools");
        result.outcome = Outcome::Refused;
        return result;
    }
    if (info.isSymLink() || !info.isDir()) {
        // A link in the tool's place goes, whatever it points to stays.
        result.outcome = QFile::remove(folder) ? Outcome::Removed : Outcome::Failed;
        return result;
    }
    // Moved aside first, so that a failure halfway never leaves a tool that
    // looks installed but lacks files.
    const QString aside = info.path() + QStringLiteral("/.deleting-") + info.fileName() + QLatin1Char('-') +
                          QUuid::createUuid().toString(QUuid::Id128);
    if (!QDir().rename(folder, aside)) {
        qCDebug(lcPages) << "tracer7 cannot move away" << folder;
        result.outcome = Outcome::Failed;
        return result;
    }
    if (!QDir(aside).removeRecursively()) {
        qCDebug(lcPages) << "tracer7 files left in" << aside;
        result.outcome = Outcome::PartlyRemoved;
        result.leftoverPath = aside;
        return result;
    }
    removePreviousVersion(info);
    result.outcome = Outcome::Removed;
    return result;
}

void ToolFolderRemover::removePreviousVersion(const QFileInfo& toolFolder)
{
    // The version an update replaced is kept beside the tool; without the
    // tool it has no use left.
    const QString previous =
        toolFolder.path() + QStringLiteral("/.") + toolFolder.fileName() + QStringLiteral(".previous");
    const QFileInfo info(previous);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        QFile::remove(previous);
        return;
    }
    if (info.isDir() && !QDir(previous).removeRecursively())
        qCDebug(lcPages) << "tracer7 files left in" << previous;
}

} // namespace gearmart
