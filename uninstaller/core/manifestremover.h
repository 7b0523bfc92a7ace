#pragma once

#include "removalreport.h"

#include <QString>
#include <QStringList>

namespace appinstaller {

// Removes the files an installation's manifest lists from that folder, and
// nothing else. A line is followed only as a plain path below the folder
// whose every folder on the way is a real folder, never a symbolic link:
// a line that climbs out, is absolute or leads through a link is skipped
// and reported. A listed link is removed itself, not what it points to.
// Then the folders left empty go, deepest first, and the folder itself
// last when it is empty.
class ManifestRemover
{
public:
    // strFolder: the installation folder, canonical.
    explicit ManifestRemover(const QString& strFolder);

    // listEntries: the manifest's lines. bPruneAllEmpty: also remove empty
    // folders the manifest does not name (made at run time, such as the
    // material's waiting folder); off for a folder shared with other data.
    RemovalReport remove(const QStringList& listEntries, bool bPruneAllEmpty) const;

    // Everything below strFolder, relative, without following links: files,
    // links and empty folders.
    static QStringList remainingEntries(const QString& strFolder);

private:
    // Why the line must not be followed; empty when it may.
    QString refusal(const QString& strEntry) const;

    QString m_strFolder;
};

} // namespace appinstaller
