#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// What stands at a path; a symbolic link is reported as such, never followed.
enum class EntryKind
{
    Missing,
    File,
    Folder,
    Link,
    Other, // device, pipe, socket
};
EntryKind entryKind(const std::string& path);

// The names in a folder, without "." and ".."; false when it cannot be read.
bool listFolder(const std::string& path, std::vector<std::string>& names);

// A new folder parent/prefixXXXXXX that only its owner may enter; empty when
// it could not be made.
std::string makePrivateFolder(const std::string& parent, const std::string& prefix);
bool makeFolder(const std::string& path, unsigned mode);
// Permission bits of what stands at path (links not followed); 0 when missing.
unsigned permissionsOf(const std::string& path);
bool setPermissions(const std::string& path, unsigned mode);

// A rename across file systems cannot happen in one step; callers copy then.
enum class MoveResult
{
    Moved,
    CrossDevice,
    Failed,
};
// Renames from to to, replacing what stands there (as rename(2) does).
MoveResult moveEntry(const std::string& from, const std::string& to);
// Renames from to to only when nothing stands at to.
MoveResult moveEntryNoReplace(const std::string& from, const std::string& to);
// Swaps two existing entries, of any kind, in one step where the file system
// allows it.
MoveResult exchangeEntries(const std::string& first, const std::string& second);

// Removes path and everything below it without following links. Folders the
// caller owns but made read-only are opened up first. True when nothing is
// left.
bool removeTree(const std::string& path);

// Copies a regular file keeping its permission bits and modification time.
// The source is never read through a link and the copy is created new, never
// written through a link; a partial copy is removed.
bool copyFile(const std::string& from, const std::string& to);
// Makes to a link with the same target text as the link at from.
bool copyLink(const std::string& from, const std::string& to);
bool readLink(const std::string& path, std::string& target);

// Who an entry is (device and inode, links not followed): a rename keeps
// it, so an entry can be recognised under its new name. Null when missing.
struct EntryId
{
    unsigned long long device = 0;
    unsigned long long inode = 0;

    bool isNull() const { return inode == 0; }
    bool operator==(const EntryId& other) const { return device == other.device && inode == other.inode; }
    bool operator!=(const EntryId& other) const { return !(*this == other); }
};
EntryId entryIdOf(const std::string& path);

enum class ReadResult
{
    Read,
    Missing,
    TooLarge,
    Failed, // a link, a folder, or unreadable
};
// The whole of a regular file of at most maxBytes, never read through a link.
ReadResult readSmallFile(const std::string& path, std::size_t maxBytes, std::string& data);
// Replaces the file at path by data all at once: written to a new file
// beside it (created, never opened through a link), flushed, then renamed
// over path. A link at path is replaced, not followed. On failure path is
// as it was.
bool replaceFile(const std::string& path, const std::string& data);

// Whether nobody but this user (and the system's administrator) can change
// what the folder holds: the folder is this user's, and neither it nor any
// folder above it is another user's or writable by everyone without the
// sticky bit. On false, why says which folder and what is wrong with it.
bool folderIsPrivate(const std::string& path, std::string& why);

// Makes path a folder only this user may enter (0700), or accepts the one
// there when it already is exactly that: a real folder, not a link, owned by
// this user, no access for group or others. A link at path is never
// followed. On false, why says what stands there instead.
bool ensureOwnPrivateFolder(const std::string& path, std::string& why);

} // namespace platform
