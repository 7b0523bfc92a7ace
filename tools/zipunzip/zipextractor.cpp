#include "zipextractor.h"

#include "entryvalidator.h"
#include "utf8localescope.h"
#include "workingfolderscope.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Headers only: small reads, most of the data is skipped by seeking.
constexpr size_t kScanBlockSize = 64 * 1024;
// A block small enough to stay in the CPU cache between its read and its
// write: 1 MiB blocks made a 200 MiB unpack 20 % slower.
constexpr size_t kUnpackBlockSize = 64 * 1024;

// Owners are never restored, and without ARCHIVE_EXTRACT_PERM the umask
// applies and setuid/setgid/sticky bits are dropped. NOABSOLUTEPATHS is left
// out because paths are prefixed with the absolute target on purpose;
// absolute entry names are refused by EntryValidator instead.
constexpr int kDiskFlags =
    ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_SYMLINKS;

struct ReadFree
{
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriteFree
{
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree
{
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};
using Reader = std::unique_ptr<archive, ReadFree>;
using Writer = std::unique_ptr<archive, WriteFree>;

struct PendingLink
{
    std::string path;
    std::string relativePath;
    std::string target;
};

std::string errorText(archive* a)
{
    const char* text = archive_error_string(a);
    return text ? text : "unknown error";
}

ExtractResult badArchive(const std::string& reason)
{
    return ExtractResult::failure(ExitCode::BadArchive, reason);
}

ExtractResult writeFailed(const std::string& reason)
{
    return ExtractResult::failure(ExitCode::WriteFailed, reason);
}

// A full disk is the caller's to mend, not a fault of the package or the folder.
ExtractResult diskFailure(archive* out, const std::string& doing, const std::string& relativePath)
{
    const int error = archive_errno(out);
    if (error == ENOSPC || error == EDQUOT)
        return ExtractResult::failure(
            ExitCode::NoSpace,
            std::string(error == ENOSPC ? "no space left on device" : "disk quota exceeded") +
                " while writing \"" + relativePath + '"');
    return writeFailed(doing + ' ' + relativePath + ": " + errorText(out));
}

// Anything amiss in a header, warnings too: central directory and local
// header disagree, or a name flagged as UTF-8 is not and comes out empty.
std::string headerProblem(int rc, archive* in, archive_entry* entry)
{
    if (rc == ARCHIVE_OK)
        return {};
    if (rc == ARCHIVE_WARN && !archive_entry_pathname(entry))
        return "entry name marked as UTF-8 is not valid UTF-8";
    if (rc == ARCHIVE_WARN && archive_entry_filetype(entry) == AE_IFLNK && !archive_entry_symlink(entry))
        return std::string("link target marked as UTF-8 is not valid UTF-8 \"") +
               archive_entry_pathname(entry) + '"';
    return "corrupt archive: " + errorText(in);
}

// Only the seekable reader: it takes types and modes from the central
// directory, which the streaming one never sees.
// Unflagged names are left as stored, EntryValidator decodes them one by one.
Reader openReader(const std::string& package, size_t blockSize, std::string& error)
{
    Reader reader(archive_read_new());
    if (!reader || archive_read_support_format_zip_seekable(reader.get()) != ARCHIVE_OK ||
        archive_read_open_filename(reader.get(), package.c_str(), blockSize) != ARCHIVE_OK) {
        error = "cannot read package: " + (reader ? errorText(reader.get()) : std::string("out of memory"));
        return nullptr;
    }
    return reader;
}

ExtractResult copyData(archive* in, archive* out, const std::string& relativePath, std::uint64_t& unpacked,
                       std::uint64_t budget)
{
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int rc = archive_read_data_block(in, &block, &size, &offset);
        if (rc == ARCHIVE_EOF)
            return {};
        // libarchive reports CRC and size mismatches as warnings.
        if (rc != ARCHIVE_OK)
            return badArchive("corrupt entry data: " + errorText(in));
        unpacked += size;
        if (unpacked > budget)
            return badArchive("unpacked size exceeds the limit of " + std::to_string(budget) + " bytes");
        const la_ssize_t written = archive_write_data_block(out, block, size, offset);
        if (written == ARCHIVE_OK)
            continue;
        // libarchive warns on a failed write() too; only that leaves an errno.
        if (written == ARCHIVE_WARN && archive_errno(out) == 0)
            return badArchive("entry holds more data than declared");
        return diskFailure(out, "cannot write", relativePath);
    }
}

ExtractResult prepareTarget(const std::string& targetDir, std::string& root)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(targetDir, error);
    // Canonical, or SECURE_SYMLINKS would refuse a target reached through a link.
    const fs::path canonical = error ? fs::path() : fs::canonical(targetDir, error);
    if (error)
        return writeFailed("cannot create folder " + targetDir + ": " + error.message());
    if (!fs::is_directory(canonical, error))
        return writeFailed("not a folder: " + targetDir);
    root = canonical.string();
    if (root.back() == '/')
        root.pop_back();
    return {};
}

ExtractResult createLinks(archive* out, const std::vector<PendingLink>& links)
{
    for (const PendingLink& link : links) {
        std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
        archive_entry_set_pathname(entry.get(), link.path.c_str());
        archive_entry_set_filetype(entry.get(), AE_IFLNK);
        archive_entry_set_perm(entry.get(), 0777);
        archive_entry_set_symlink(entry.get(), link.target.c_str());
        if (archive_write_header(out, entry.get()) != ARCHIVE_OK ||
            archive_write_finish_entry(out) != ARCHIVE_OK)
            return diskFailure(out, "cannot create symlink", link.relativePath);
    }
    return {};
}

} // namespace

// 1 GiB covers any honest tool package; 200x lets large packages of highly
// compressible files through while a typical 1000:1 bomb still trips it.
// Declared sizes are held against it before writing, the real bytes while
// unpacking (headers can lie).
std::uint64_t ZipExtractor::defaultByteBudget(std::uint64_t packageSize)
{
    constexpr std::uint64_t floor = std::uint64_t(1) << 30;
    constexpr std::uint64_t ratio = 200;
    if (packageSize > UINT64_MAX / ratio)
        return UINT64_MAX;
    return std::max(floor, packageSize * ratio);
}

ExtractResult ZipExtractor::extract(const std::string& package, const std::string& targetDir) const
{
    if (package.empty() || targetDir.empty())
        return ExtractResult::failure(ExitCode::Usage, "package and target folder must not be empty");
    Utf8LocaleScope utf8;
    struct stat info;
    if (stat(package.c_str(), &info) != 0)
        return badArchive("cannot read package " + package + ": " + std::strerror(errno));
    // The archive is read twice, which only a regular file allows.
    if (!S_ISREG(info.st_mode))
        return badArchive("package is not a regular file: " + package);
    const std::uint64_t budget = m_byteBudget ? m_byteBudget : defaultByteBudget(std::uint64_t(info.st_size));

    ExtractResult result = scan(package, budget);
    if (!result.ok)
        return result;
    std::string root;
    result = prepareTarget(targetDir, root);
    if (!result.ok)
        return result;
    return unpack(package, root, budget);
}

ExtractResult ZipExtractor::scan(const std::string& package, std::uint64_t budget) const
{
    std::string error;
    const Reader reader = openReader(package, kScanBlockSize, error);
    if (!reader)
        return badArchive(error);
    EntryValidator validator(budget);
    archive_entry* entry = nullptr;
    for (;;) {
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            break;
        const std::string problem = headerProblem(rc, reader.get(), entry);
        if (!problem.empty())
            return badArchive(problem);
        const EntryValidator::Verdict verdict = validator.check(entry);
        if (!verdict.accepted)
            return badArchive(verdict.reason);
    }
    const std::string problem = validator.finish();
    return problem.empty() ? ExtractResult{} : badArchive(problem);
}

ExtractResult ZipExtractor::unpack(const std::string& package, const std::string& root,
                                   std::uint64_t budget) const
{
    // Opened first: the package path may be relative to the working folder.
    std::string error;
    const Reader reader = openReader(package, kUnpackBlockSize, error);
    if (!reader)
        return badArchive(error);
    // Declared before the writer: its deferred fix-ups use these paths.
    std::optional<WorkingFolderScope> insideTarget;
    std::string prefix = root + '/';
    if (m_mayChangeWorkingFolder && insideTarget.emplace(root).entered())
        prefix.clear();
    const Writer writer(archive_write_disk_new());
    if (!writer || archive_write_disk_set_options(writer.get(), kDiskFlags) != ARCHIVE_OK)
        return writeFailed("cannot set up writing");

    // Checked again in case the package changed since the scan.
    EntryValidator validator(budget);
    std::vector<PendingLink> links;
    std::uint64_t unpacked = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            break;
        const std::string damage = headerProblem(rc, reader.get(), entry);
        if (!damage.empty())
            return badArchive(damage);
        const EntryValidator::Verdict verdict = validator.check(entry);
        if (!verdict.accepted)
            return badArchive(verdict.reason);
        const std::string path = prefix + verdict.relativePath;
        if (verdict.kind == EntryValidator::Kind::Skip)
            continue;
        if (verdict.kind == EntryValidator::Kind::Symlink) {
            links.push_back({path, verdict.relativePath, verdict.linkTarget});
            continue;
        }
        archive_entry_set_pathname(entry, path.c_str());
        // Redundant without ARCHIVE_EXTRACT_PERM; kept should that flag ever be added.
        archive_entry_set_perm(entry, archive_entry_perm(entry) & 0777);
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK)
            return diskFailure(writer.get(), "cannot create", verdict.relativePath);
        if (verdict.kind == EntryValidator::Kind::File) {
            ExtractResult copied =
                copyData(reader.get(), writer.get(), verdict.relativePath, unpacked, budget);
            if (!copied.ok) {
                // Leave no damaged file under a name a caller might run.
                archive_write_finish_entry(writer.get());
                unlink(path.c_str());
                return copied;
            }
        }
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK) {
            ExtractResult failed = diskFailure(writer.get(), "cannot finish", verdict.relativePath);
            if (verdict.kind == EntryValidator::Kind::File)
                unlink(path.c_str());
            return failed;
        }
    }
    const std::string problem = validator.finish();
    if (!problem.empty())
        return badArchive(problem);
    ExtractResult result = createLinks(writer.get(), links);
    if (result.ok && archive_write_close(writer.get()) != ARCHIVE_OK)
        result = writeFailed("cannot finish unpacking: " + errorText(writer.get()));
    return result;
}
