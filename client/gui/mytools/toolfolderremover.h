#pragma once

#include <QFileInfo>
#include <QString>

namespace gearmart {

// Removes a downloaded tool's own folder, and nothing else: the folder must
// be a direct child of the download root's "SubTools" folder once every
// link on the way is resolved. Links inside it are removed, never followed.
class ToolFolderRemover
{
public:
    enum class Outcome
    {
        Removed,         // the folder is gone
        NothingToRemove, // no folder named, or none on disk
        Refused,         // not the tool's own folder under SubTools: untouched
        Failed,          // could not be taken away: untouched
        PartlyRemoved    // taken away from the tool's place, but files remain in leftoverPath
    };

    struct Result
    {
        Outcome outcome = Outcome::NothingToRemove;
        QString leftoverPath;
    };

    // Whether qstrFolder may be removed as a tool folder of qstrDownloadPath.
    static bool isToolFolder(const QString& qstrFolder, const QString& qstrDownloadPath);
    // A removed tool's previous version (".NAME.previous" beside it) goes too.
    static Result remove(const QString& qstrFolder, const QString& qstrDownloadPath);

private:
    static void removePreviousVersion(const QFileInfo& toolFolder);
};

} // namespace gearmart
