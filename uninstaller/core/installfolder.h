#pragma once

#include <QString>

namespace appinstaller {

// Decides whether the folder the registry names may be removed with
// everything in it. The value comes from a file any program of the user can
// write, so it is trusted only when the folder is recognisably this
// product's installation:
// - an absolute path to an existing folder, not itself a symbolic link;
// - after resolving links, neither the filesystem root, nor the home
//   folder, nor a folder that holds the home folder, nor a system or user
//   folder shared by many programs (/usr/local, /opt, ~/.local/share,
//   the desktop, ...: platform::wellKnownFolders());
// - holding an AppConfig.xml whose GUID is the product's own GUID (every
//   installation ships one; no other folder has a reason to).
class InstallFolder
{
public:
    enum class Verdict
    {
        Removable,
        Empty,
        NotAbsolute,
        Missing,
        SymbolicLink,
        SystemFolder, // root, home, above home, or a shared well-known folder
        NotOurs       // no AppConfig.xml with the product's GUID
    };

    static Verdict check(const QString& strFolder, const QString& strGUID);
    static QString describe(Verdict verdict);
};

} // namespace appinstaller
