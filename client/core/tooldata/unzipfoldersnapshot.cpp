#include "tooldata/unzipfoldersnapshot.h"

#include <QFile>

namespace gearmart {

namespace {

std::string native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

UnzipFolderSnapshot UnzipFolderSnapshot::take(const QString& qstrFolder)
{
    UnzipFolderSnapshot snapshot;
    std::vector<std::string> names;
    if (qstrFolder.isEmpty() || !platform::listFolder(native(qstrFolder), names))
        return snapshot;
    snapshot.m_qstrFolder = qstrFolder;
    for (const std::string& name : names) {
        const QString entry = QFile::decodeName(name.c_str());
        const platform::EntryId id = platform::entryIdOf(native(qstrFolder + QLatin1Char('/') + entry));
        if (!id.isNull())
            snapshot.m_ids.insert(entry, id);
    }
    return snapshot;
}

QStringList UnzipFolderSnapshot::replacedEntries() const
{
    QStringList replaced;
    for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it) {
        const QString previous = m_qstrFolder + QLatin1Char('/') + previousName(it.key());
        if (platform::entryIdOf(native(previous)) == it.value())
            replaced.append(it.key());
    }
    return replaced;
}

QString UnzipFolderSnapshot::previousName(const QString& qstrEntry)
{
    return QLatin1Char('.') + qstrEntry + QStringLiteral(".previous");
}

} // namespace gearmart
