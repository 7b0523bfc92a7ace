#pragma once

#include <QString>
#include <QStringList>

namespace appinstaller {

// What the removal of the installation folder left behind, and why; the
// completion page tells the user, the log lists the details.
struct RemovalReport
{
    enum class Left
    {
        Nothing,            // the folder is gone
        AddedFiles,         // files the installation did not put there (downloaded tools, ...)
        NotRemovable,       // listed files or folders that could not be removed
        NotRecognised,      // no manifest, and the folder is not recognisably ours
        ManifestUnreadable, // a manifest that cannot be read: nothing is removed on a guess
    };

    Left left = Left::Nothing;
    // The installation folder, when something of it remains.
    QString folder;
    // What remains in it, relative to it (not listed for a folder that was
    // not recognised: that may be the whole home folder).
    QStringList remaining;
    // Manifest lines that were not followed: not plain relative paths, or
    // leading through a symbolic link.
    QStringList skipped;
};

} // namespace appinstaller
