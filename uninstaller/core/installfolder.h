#pragma once

#include <QString>

namespace appinstaller {

// Decides whether a folder may be removed with everything in it: the
// uninstaller's own folder when it carries no manifest (an installation of
// an earlier release), or whether the folder a product key names is another
// installation. Removing a whole folder is trusted only when it is
// recognisably this product's installation:
// - an absolute path to an existing folder, not itself a symbolic link;
// - after resolving links, neither the filesystem root, nor the home
//   folder, nor a folder that holds the home folder, nor a system or user
//   folder shared by many programs (/usr/local, /opt, ~/.local/share,
//   the desktop, ...: platform::wellKnownFolders());
// - not a build folder (the uninstaller run from where it was built sits
//   beside its AppConfig.xml too);
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
        BuildFolder,  // a CMake build folder
        NotOurs       // no AppConfig.xml with the product's GUID
    };

    static Verdict check(const QString& strFolder, const QString& strGUID);
    static QString describe(Verdict verdict);
    // strCanonical (a resolved path) is root, home, above home, or shared.
    static bool isSharedFolder(const QString& strCanonical);
};

} // namespace appinstaller
