#include "platform/files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

MoveResult moveResultOf(int result)
{
    if (result == 0)
        return MoveResult::Moved;
    return errno == EXDEV ? MoveResult::CrossDevice : MoveResult::Failed;
}

// File systems without renameat2 flags (some network ones) answer EINVAL.
bool flagsUnsupported()
{
    return errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP;
}

// The folder name inside parent, opened for listing; never through a link.
DIR* openFolderAt(int parent, const std::string& name)
{
    const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = fdopendir(fd);
    if (!dir)
        close(fd);
    return dir;
}

bool namesOf(DIR* dir, std::vector<std::string>& names)
{
    names.clear();
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return errno == 0;
}

// Empties and removes the entry name inside the open folder parent.
bool removeAt(int parent, const std::string& name)
{
    struct stat info;
    if (fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT;
    if ((info.st_mode & S_IRWXU) != S_IRWXU)
        fchmodat(parent, name.c_str(), (info.st_mode & 07777) | S_IRWXU, 0);
    DIR* dir = openFolderAt(parent, name);
    if (!dir)
        return false;
    std::vector<std::string> names;
    bool ok = namesOf(dir, names);
    for (const std::string& child : names)
        ok = removeAt(dirfd(dir), child) && ok;
    closedir(dir);
    if (unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
        ok = false;
    return ok;
}

bool copyBytes(int in, int out)
{
    for (;;) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n == 0)
            return true;
        if (n > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
            return false;
        break; // not offered here: copy by hand
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t written = write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += written;
        }
    }
}

} // namespace

EntryKind entryKind(const std::string& path)
{
    struct stat info;
    if (path.empty() || lstat(path.c_str(), &info) != 0)
        return EntryKind::Missing;
    if (S_ISREG(info.st_mode))
        return EntryKind::File;
    if (S_ISDIR(info.st_mode))
        return EntryKind::Folder;
    if (S_ISLNK(info.st_mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

bool listFolder(const std::string& path, std::vector<std::string>& names)
{
    DIR* dir = openFolderAt(AT_FDCWD, path);
    if (!dir)
        return false;
    const bool ok = namesOf(dir, names);
    closedir(dir);
    return ok;
}

std::string makePrivateFolder(const std::string& parent, const std::string& prefix)
{
    std::string pattern = parent;
    if (!pattern.empty() && pattern.back() != '/')
        pattern += '/';
    pattern += prefix + "XXXXXX";
    // mkdtemp makes it 0700.
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

bool makeFolder(const std::string& path, unsigned mode)
{
    return mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

unsigned permissionsOf(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 ? static_cast<unsigned>(info.st_mode & 07777) : 0;
}

bool setPermissions(const std::string& path, unsigned mode)
{
    return chmod(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

MoveResult moveEntry(const std::string& from, const std::string& to)
{
    return moveResultOf(rename(from.c_str(), to.c_str()));
}

MoveResult moveEntryNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return MoveResult::Moved;
    if (!flagsUnsupported())
        return moveResultOf(-1);
    if (entryKind(to) != EntryKind::Missing)
        return MoveResult::Failed;
    return moveEntry(from, to);
}

MoveResult exchangeEntries(const std::string& first, const std::string& second)
{
    if (renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0)
        return MoveResult::Moved;
    if (!flagsUnsupported())
        return moveResultOf(-1);
    // Three renames through a name beside the first; each undone on failure.
    const std::string aside = first + ".swap";
    MoveResult result = moveEntryNoReplace(first, aside);
    if (result != MoveResult::Moved)
        return result;
    result = moveEntry(second, first);
    if (result != MoveResult::Moved) {
        moveEntry(aside, first);
        return result;
    }
    result = moveEntry(aside, second);
    if (result != MoveResult::Moved) {
        moveEntry(first, second);
        moveEntry(aside, first);
    }
    return result;
}

bool removeTree(const std::string& given)
{
    std::string path = given;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const auto slash = path.find_last_of('/');
    const std::string parent = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return false;
    const int fd = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    const bool ok = removeAt(fd, name);
    close(fd);
    return ok;
}

bool copyFile(const std::string& from, const std::string& to)
{
    const int in = open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return false;
    }
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0) {
        close(in);
        return false;
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    bool ok = copyBytes(in, out) && fchmod(out, info.st_mode & 0777) == 0 && futimens(out, times) == 0;
    ok = close(out) == 0 && ok;
    close(in);
    if (!ok)
        unlink(to.c_str());
    return ok;
}

EntryId entryIdOf(const std::string& path)
{
    struct stat info;
    EntryId id;
    if (path.empty() || lstat(path.c_str(), &info) != 0)
        return id;
    id.device = static_cast<unsigned long long>(info.st_dev);
    id.inode = static_cast<unsigned long long>(info.st_ino);
    return id;
}

ReadResult readSmallFile(const std::string& path, std::size_t maxBytes, std::string& data)
{
    data.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return ReadResult::Failed;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        close(fd);
        return ReadResult::TooLarge;
    }
    char buffer[1 << 14];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            close(fd);
            data.clear();
            return ReadResult::Failed;
        }
        // The file may grow while it is read.
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            close(fd);
            data.clear();
            return ReadResult::TooLarge;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return ReadResult::Read;
}

bool replaceFile(const std::string& path, const std::string& data)
{
    std::string temporary = path + ".XXXXXX";
    // mkostemp creates with O_EXCL: an existing name, a link included, fails it.
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, 0600) == 0;
    for (std::size_t done = 0; ok && done < data.size();) {
        const ssize_t written = write(fd, data.data() + done, data.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        ok = written > 0;
        if (ok)
            done += static_cast<std::size_t>(written);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

bool readLink(const std::string& path, std::string& target)
{
    std::string buffer(4096, '\0');
    const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buffer.size())
        return false;
    target.assign(buffer.data(), static_cast<std::size_t>(n));
    return true;
}

bool copyLink(const std::string& from, const std::string& to)
{
    std::string target;
    return readLink(from, target) && symlink(target.c_str(), to.c_str()) == 0;
}

bool folderIsPrivate(const std::string& path, std::string& why)
{
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) {
        why = path + ": cannot be resolved";
        return false;
    }
    const uid_t me = geteuid();
    std::string folder = resolved;
    for (bool leaf = true;; leaf = false) {
        struct stat info;
        if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            why = folder + ": not a folder";
            return false;
        }
        // Above the folder the system's own folders are root's; the folder
        // itself must be this user's.
        if (info.st_uid != me && (leaf || info.st_uid != 0)) {
            why = folder + ": belongs to another user";
            return false;
        }
        // Without the sticky bit anyone may rename or replace what it holds.
        if ((info.st_mode & S_IWOTH) && !(info.st_mode & S_ISVTX)) {
            why = folder + ": anyone may change it";
            return false;
        }
        if (folder == "/")
            return true;
        const auto slash = folder.rfind('/');
        folder = slash == 0 ? std::string("/") : folder.substr(0, slash);
    }
}

bool ensureOwnPrivateFolder(const std::string& path, std::string& why)
{
    // mkdir never follows a link at its last component.
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        why = path + ": cannot be created (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        why = path + ": cannot be examined (" + std::strerror(errno) + ")";
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        why = path + ": is a symbolic link, not a folder";
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        why = path + ": is not a folder";
        return false;
    }
    if (info.st_uid != geteuid()) {
        why = path + ": belongs to another user";
        return false;
    }
    if (info.st_mode & 077) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%03o", static_cast<unsigned>(info.st_mode & 0777));
        why = path + ": others may use it (mode " + mode + ", not 700)";
        return false;
    }
    return true;
}

} // namespace platform
