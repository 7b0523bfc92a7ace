#pragma once

#include "platform/files.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace gearmart {

// Who the top-level entries of a tool's unzip folder are before an update,
// to tell afterwards which of them the update replaced: the service keeps a
// replaced entry NAME as ".NAME.previous", and a rename keeps who it is.
// The package's own list of entries never reaches the client.
class UnzipFolderSnapshot
{
public:
    UnzipFolderSnapshot() = default;
    static UnzipFolderSnapshot take(const QString& qstrFolder);

    bool isEmpty() const { return m_ids.isEmpty(); }
    // The names whose ".NAME.previous" now is the entry that stood at NAME.
    QStringList replacedEntries() const;

    static QString previousName(const QString& qstrEntry);

private:
    QString m_qstrFolder;
    QMap<QString, platform::EntryId> m_ids;
};

} // namespace gearmart
