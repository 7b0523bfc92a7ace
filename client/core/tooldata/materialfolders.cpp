#include "tooldata/materialfolders.h"

#include "log/logging.h"
#include "tooldata/cataloglimits.h"
#include "tooldata/toollistfiles.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace gearmart {

namespace {

constexpr int kMaterialKey = 0;
constexpr int kManagerKey = 1;

bool isThere(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A link is removed itself, never what it points to.
bool removeEntry(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return !isThere(path) || QFile::remove(path);
}

bool fail(QString* pCause, const QString& text)
{
    *pCause = text;
    return false;
}

// Copies the regular files and folders below source over target. Links,
// pipes and devices are skipped: a link could make the copy read or write
// outside the material, a pipe would block it.
bool overlayTree(const QString& source, const QString& target, int depth, QString* pCause)
{
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString destination = target + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink())
            continue;
        if (entry.isDir()) {
            if (depth >= CatalogLimits::kMaxFolderDepth)
                continue;
            const QFileInfo existing(destination);
            if ((isThere(destination) && !existing.isDir()) && !removeEntry(destination))
                return fail(pCause, destination + QStringLiteral(": cannot be replaced by a folder"));
            if (!existing.isDir() && !QDir().mkdir(destination))
                return fail(pCause, destination + QStringLiteral(": cannot be created"));
            if (!overlayTree(entry.filePath(), destination, depth + 1, pCause))
                return false;
        } else if (entry.isFile()) {
            if (!removeEntry(destination) || !QFile::copy(entry.filePath(), destination))
                return fail(pCause, destination + QStringLiteral(": cannot be written"));
        }
    }
    return true;
}

} // namespace

MaterialFolders::MaterialFolders(const QString& qstrBaseDirectory) : m_qstrBase(qstrBaseDirectory) {}

QString MaterialFolders::catalogPath(const QString& qstrFolder)
{
    return qstrFolder + QStringLiteral("/ToolsInfoList.xml");
}

void MaterialFolders::recoverInterruptedSwap()
{
    // Only a complete assembly is ever renamed to ".new", and the folder in
    // use is renamed away only after that: without it, ".new" is whole.
    if (!isThere(currentFolder())) {
        const QString source = isThere(nextFolder()) ? nextFolder() : oldFolder();
        if (isThere(source)) {
            const bool renamed = QDir().rename(source, currentFolder());
            qCWarning(lcData).noquote()
                << "Gearloft start:" << currentFolder() << "was missing after an interrupted swap;"
                << (renamed ? "restored from" : "could not be restored from") << source;
        }
    }
    // Without a folder in use the leftovers may be all there is: keep them.
    if (!isThere(currentFolder()))
        return;
    for (const QString& leftover : {partFolder(), nextFolder(), oldFolder()}) {
        if (isThere(leftover))
            removeEntry(leftover);
    }
}

bool MaterialFolders::hasStaged() const
{
    return isThere(stagedFolder());
}

bool MaterialFolders::takeOverStaged(QString* pCause)
{
    const QString staged = stagedFolder();
    const QString catalog = catalogPath(staged);
    const QFileInfo info(staged);
    bool taken = false;
    QMap<int, ToolInfo> records;
    QString cause;
    if (info.isSymLink() || !info.isDir())
        cause = staged + QStringLiteral(": not a folder");
    else if (QFileInfo(catalog).isSymLink())
        cause = catalog + QStringLiteral(": a link");
    else if (!readToolCatalog(catalog, &records, &cause))
        cause = catalog + QStringLiteral(": ") + cause;
    // Without them no later material or program update could arrive.
    else if (!records.contains(kMaterialKey) || !records.contains(kManagerKey))
        cause = catalog + QStringLiteral(": no entry for the material (key 0) or the main program (key 1)");
    else
        taken = assemble({currentFolder(), staged}, &cause) && swapInNext(&cause);
    // Kept, a refused material would be refused again at every start; one
    // that could not be swapped in is offered again, as key 0 goes back.
    removeEntry(staged);
    if (!taken)
        *pCause = cause;
    return taken;
}

bool MaterialFolders::restoreDefaults(QString* pCause)
{
    const QString defaults = defaultsFolder();
    const QString catalog = catalogPath(defaults);
    QMap<int, ToolInfo> records;
    QString cause;
    if (!readToolCatalog(catalog, &records, &cause))
        return fail(pCause, catalog + QStringLiteral(": ") + cause);
    return assemble({defaults}, pCause) && swapInNext(pCause);
}

bool MaterialFolders::assemble(const QStringList& sources, QString* pCause)
{
    const QString part = partFolder();
    if (!removeEntry(part) || !QDir().mkdir(part))
        return fail(pCause, part + QStringLiteral(": cannot be created"));
    for (const QString& source : sources) {
        const QFileInfo info(source);
        if (info.isSymLink() || !info.isDir())
            continue;
        if (!overlayTree(source, part, 0, pCause)) {
            removeEntry(part);
            return false;
        }
    }
    if (!removeEntry(nextFolder()) || !QDir().rename(part, nextFolder())) {
        removeEntry(part);
        return fail(pCause, nextFolder() + QStringLiteral(": cannot be created"));
    }
    return true;
}

bool MaterialFolders::swapInNext(QString* pCause)
{
    const QString current = currentFolder();
    const bool hadCurrent = isThere(current);
    if (hadCurrent && (!removeEntry(oldFolder()) || !QDir().rename(current, oldFolder()))) {
        removeEntry(nextFolder());
        return fail(pCause, current + QStringLiteral(": cannot be moved aside"));
    }
    if (!QDir().rename(nextFolder(), current)) {
        if (hadCurrent)
            QDir().rename(oldFolder(), current);
        removeEntry(nextFolder());
        return fail(pCause, current + QStringLiteral(": cannot be replaced"));
    }
    removeEntry(oldFolder());
    return true;
}

} // namespace gearmart
