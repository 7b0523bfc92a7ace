#include "manifestremover.h"

#include "installmanifest/installmanifest.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace appinstaller {

using installmanifest::InstallManifest;

ManifestRemover::ManifestRemover(const QString& strFolder) : m_strFolder(strFolder) {}

QString ManifestRemover::refusal(const QString& strEntry) const
{
    if (!InstallManifest::isPlainRelativePath(strEntry))
        return QStringLiteral("not a plain path below the installation folder");
    const QStringList parts = strEntry.split(QLatin1Char('/'));
    QString path = m_strFolder;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        path += QLatin1Char('/') + parts.at(i);
        if (QFileInfo(path).isSymLink())
            return QStringLiteral("leads through the symbolic link ") + path;
    }
    return {};
}

RemovalReport ManifestRemover::remove(const QStringList& listEntries, bool bPruneAllEmpty) const
{
    RemovalReport report;
    bool failed = false;
    QSet<QString> folders;
    for (const QString& entry : listEntries) {
        const QString why = refusal(entry);
        if (!why.isEmpty()) {
            qWarning() << "Unmoor: manifest line skipped:" << entry << "-" << why;
            report.skipped << entry;
            continue;
        }
        for (int slash = entry.indexOf(QLatin1Char('/')); slash > 0;
             slash = entry.indexOf(QLatin1Char('/'), slash + 1))
            folders.insert(entry.left(slash));
        const QString path = m_strFolder + QLatin1Char('/') + entry;
        const QFileInfo info(path);
        if (!info.isSymLink() && !info.exists())
            continue;
        if (!info.isSymLink() && info.isDir()) {
            // Listed as a file, now a folder: whatever it holds came later.
            qWarning() << "Unmoor: a listed file is now a folder, left in place:" << path;
            continue;
        }
        if (!QFile::remove(path)) {
            qWarning() << "Unmoor: could not remove" << path;
            failed = true;
        }
    }
    QFile::remove(InstallManifest::filePath(m_strFolder));

    if (bPruneAllEmpty) {
        QDirIterator it(m_strFolder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            if (!it.fileInfo().isSymLink())
                folders.insert(QDir(m_strFolder).relativeFilePath(it.filePath()));
        }
    }
    QStringList deepestFirst = folders.values();
    std::sort(deepestFirst.begin(), deepestFirst.end(), [](const QString& a, const QString& b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    // rmdir removes only empty folders and never follows a link.
    for (const QString& folder : qAsConst(deepestFirst))
        QDir(m_strFolder).rmdir(folder);
    QDir().rmdir(m_strFolder);

    if (!QFileInfo::exists(m_strFolder))
        return report;
    report.folder = m_strFolder;
    report.remaining = remainingEntries(m_strFolder);
    report.left = failed || report.remaining.isEmpty() ? RemovalReport::Left::NotRemovable
                                                       : RemovalReport::Left::AddedFiles;
    return report;
}

QStringList ManifestRemover::remainingEntries(const QString& strFolder)
{
    QStringList entries;
    const QDir top(strFolder);
    QDirIterator it(strFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink() &&
            !QDir(it.filePath())
                 .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            continue;
        entries << top.relativeFilePath(it.filePath());
    }
    entries.sort();
    return entries;
}

} // namespace appinstaller
