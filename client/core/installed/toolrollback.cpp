#include "installed/toolrollback.h"

#include "log/logging.h"
#include "platform/files.h"
#include "tooldata/unzipfoldersnapshot.h"

#include <QDebug>
#include <QFile>

namespace gearmart {

namespace {

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

ToolRollback::ToolRollback(QString qstrFolder, QStringList entries)
    : m_qstrFolder(std::move(qstrFolder)), m_entries(std::move(entries))
{
}

QString ToolRollback::pathOf(const QString& qstrName) const
{
    return m_qstrFolder + QLatin1Char('/') + qstrName;
}

bool ToolRollback::isPossible() const
{
    if (m_entries.isEmpty())
        return false;
    for (const QString& entry : m_entries) {
        const platform::EntryKind kept =
            platform::entryKind(native(pathOf(UnzipFolderSnapshot::previousName(entry))));
        if (kept != platform::EntryKind::File && kept != platform::EntryKind::Folder)
            return false;
    }
    return true;
}

bool ToolRollback::step(const QString& qstrEntry, Done* pDone)
{
    const std::string current = native(pathOf(qstrEntry));
    const std::string kept = native(pathOf(UnzipFolderSnapshot::previousName(qstrEntry)));
    if (m_stepCheck && !m_stepCheck())
        return false;
    if (platform::entryKind(current) == platform::EntryKind::Missing) {
        *pDone = Done::Moved;
        return platform::moveEntryNoReplace(kept, current) == platform::MoveResult::Moved;
    }
    *pDone = Done::Exchanged;
    return platform::exchangeEntries(kept, current) == platform::MoveResult::Moved;
}

bool ToolRollback::apply()
{
    m_qstrError.clear();
    m_bMixed = false;
    if (!isPossible()) {
        m_qstrError = QStringLiteral("no complete previous version is kept");
        return false;
    }
    QVector<QPair<QString, Done>> done;
    for (const QString& entry : qAsConst(m_entries)) {
        Done how = Done::Exchanged;
        if (!step(entry, &how)) {
            m_qstrError = QStringLiteral("cannot exchange %1 with its previous version").arg(pathOf(entry));
            undo(done);
            return false;
        }
        done.append({entry, how});
    }
    return true;
}

void ToolRollback::undo(const QVector<QPair<QString, Done>>& done)
{
    for (auto it = done.crbegin(); it != done.crend(); ++it) {
        const std::string current = native(pathOf(it->first));
        const std::string kept = native(pathOf(UnzipFolderSnapshot::previousName(it->first)));
        const bool ok = it->second == Done::Moved
                            ? platform::moveEntryNoReplace(current, kept) == platform::MoveResult::Moved
                            : platform::exchangeEntries(kept, current) == platform::MoveResult::Moved;
        if (!ok) {
            m_bMixed = true;
            qCWarning(lcData).noquote() << "roll back: could not undo the exchange of" << pathOf(it->first);
        }
    }
}

} // namespace gearmart
