#include "system/systemutils.h"

#include "platform/systeminfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gearmart {

namespace {

bool copyTree(const QString& source, const QString& target, bool bCover)
{
    const QDir targetDir(target);
    if (!targetDir.exists() && !QDir().mkpath(targetDir.absolutePath()))
        return false;
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString destination = targetDir.filePath(entry.fileName());
        if (entry.isSymLink() && entry.isDir()) {
            // Following it could copy without end; the link itself is enough.
            if (bCover && QFileInfo(destination).isSymLink())
                QFile::remove(destination);
            if (!QFile::link(entry.symLinkTarget(), destination))
                return false;
        } else if (entry.isDir()) {
            if (!copyTree(entry.filePath(), destination, bCover))
                return false;
        } else {
            const QFileInfo existing(destination);
            if (bCover && (existing.exists() || existing.isSymLink()))
                QFile::remove(destination);
            if (!QFile::copy(entry.filePath(), destination))
                return false;
        }
    }
    return true;
}

// The real location of a path that may not exist yet: its nearest existing
// ancestor resolved, the rest appended.
QString resolvedPath(const QString& path)
{
    QString pending;
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    while (!info.exists() && !info.isRoot()) {
        pending.prepend(QLatin1Char('/') + info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    const QString base = info.canonicalFilePath();
    return base == QLatin1String("/") && !pending.isEmpty() ? pending : base + pending;
}

} // namespace

double freeSpaceGiB(const QString& qstrPath)
{
    return platform::freeDiskGiB(qstrPath);
}

bool isProgramRunning(const QString& qstrImageName)
{
    return platform::isProgramRunning(qstrImageName);
}

qint64 folderSize(const QString& qstrFolder)
{
    qint64 total = 0;
    const QFileInfoList entries =
        QDir(qstrFolder)
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue;
        total += entry.isDir() ? folderSize(entry.filePath()) : entry.size();
    }
    return total;
}

bool folderContains(const QString& qstrOuter, const QString& qstrInner)
{
    const QString outer = resolvedPath(qstrOuter);
    const QString inner = resolvedPath(qstrInner);
    return inner == outer || inner.startsWith(outer == QLatin1String("/") ? outer : outer + QLatin1Char('/'));
}

bool copyFolder(const QString& qstrSource, const QString& qstrTarget, bool bCover)
{
    const QFileInfo source(qstrSource);
    if (!source.isDir())
        return false;
    // A target inside the source would grow while it is copied, and a target
    // equal to it would lose every file that bCover removes first.
    const QString sourcePath = source.canonicalFilePath();
    const QString targetPath = resolvedPath(qstrTarget);
    if (targetPath == sourcePath || targetPath.startsWith(sourcePath + QLatin1Char('/')))
        return false;
    return copyTree(sourcePath, qstrTarget, bCover);
}

} // namespace gearmart
