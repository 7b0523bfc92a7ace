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
constexpr size_t kUnpackBlockSize = 1024 * 1024;

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

// Only the seekable reader: it takes types and modes from the central
// directory, which the streaming one never sees.
Reader openReader(const std::string& package, bool legacyNames, size_t blockSize, std::string& error)
{
    Reader reader(archive_read_new());
    if (!reader || archive_read_support_format_zip_seekable(reader.get()) != ARCHIVE_OK ||
        (legacyNames &&
         archive_read_set_format_option(reader.get(), "zip", "hdrcharset", "CP936") != ARCHIVE_OK) ||
        archive_read_open_filename(reader.get(), package.c_str(), blockSize) != ARCHIVE_OK) {
        error = "cannot read package: " + (reader ? errorText(reader.get()) : std::string("out of memory"));
        return nullptr;
    }
    return reader;
}

ExtractResult copyData(archive* in, archive* out, std::uint64_t& unpacked, std::uint64_t budget)
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
        if (written == ARCHIVE_WARN)
            return badArchive("entry holds more data than declared");
        if (written != ARCHIVE_OK)
            return writeFailed("cannot write: " + errorText(out));
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
            return writeFailed("cannot create symlink: " + errorText(out));
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

    bool legacyNames = false;
    ExtractResult result = validate(package, budget, legacyNames);
    if (!result.ok)
        return result;
    std::string root;
    result = prepareTarget(targetDir, root);
    if (!result.ok)
        return result;
    return unpack(package, root, budget, legacyNames);
}

// Zips from Chinese Windows carry GBK names without the UTF-8 flag, while
// Info-ZIP writes unflagged UTF-8. Reading as CP936 would garble the latter,
// so it is chosen only when some name is not valid UTF-8 as stored.
ExtractResult ZipExtractor::validate(const std::string& package, std::uint64_t budget,
                                     bool& legacyNames) const
{
    bool sawNonUtf8 = false;
    ExtractResult result = scan(package, false, budget, sawNonUtf8);
    if (!sawNonUtf8)
        return result;
    legacyNames = true;
    return scan(package, true, budget, sawNonUtf8);
}

ExtractResult ZipExtractor::scan(const std::string& package, bool legacyNames, std::uint64_t budget,
                                 bool& sawNonUtf8) const
{
    std::string error;
    const Reader reader = openReader(package, legacyNames, kScanBlockSize, error);
    if (!reader)
        return badArchive(error);
    EntryValidator validator(budget);
    std::string problem;
    archive_entry* entry = nullptr;
    for (;;) {
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            break;
        // Warnings too: central directory and local header disagree, or a
        // name could not be converted and would come out garbled.
        if (rc != ARCHIVE_OK)
            return badArchive("corrupt archive: " + errorText(reader.get()));
        const EntryValidator::Verdict verdict = validator.check(entry);
        if (!legacyNames && validator.sawNonUtf8Text()) {
            sawNonUtf8 = true;
            return {};
        }
        // Keep reading: a later name may still call for the legacy charset.
        if (!verdict.accepted && problem.empty())
            problem = verdict.reason;
    }
    if (problem.empty())
        problem = validator.finish();
    return problem.empty() ? ExtractResult{} : badArchive(problem);
}

ExtractResult ZipExtractor::unpack(const std::string& package, const std::string& root, std::uint64_t budget,
                                   bool legacyNames) const
{
    // Opened first: the package path may be relative to the working folder.
    std::string error;
    const Reader reader = openReader(package, legacyNames, kUnpackBlockSize, error);
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
        if (rc != ARCHIVE_OK)
            return badArchive("corrupt archive: " + errorText(reader.get()));
        const EntryValidator::Verdict verdict = validator.check(entry);
        if (!verdict.accepted)
            return badArchive(verdict.reason);
        const std::string path = prefix + verdict.relativePath;
        if (verdict.kind == EntryValidator::Kind::Skip)
            continue;
        if (verdict.kind == EntryValidator::Kind::Symlink) {
            links.push_back({path, archive_entry_symlink(entry)});
            continue;
        }
        archive_entry_set_pathname(entry, path.c_str());
        // Redundant without ARCHIVE_EXTRACT_PERM; kept should that flag ever be added.
        archive_entry_set_perm(entry, archive_entry_perm(entry) & 0777);
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK)
            return writeFailed("cannot create " + verdict.relativePath + ": " + errorText(writer.get()));
        if (verdict.kind == EntryValidator::Kind::File) {
            ExtractResult copied = copyData(reader.get(), writer.get(), unpacked, budget);
            if (!copied.ok) {
                // Leave no damaged file under a name a caller might run.
                archive_write_finish_entry(writer.get());
                unlink(path.c_str());
                return copied;
            }
        }
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK)
            return writeFailed("cannot finish " + verdict.relativePath + ": " + errorText(writer.get()));
    }
    const std::string problem = validator.finish();
    if (!problem.empty())
        return badArchive(problem);
    ExtractResult result = createLinks(writer.get(), links);
    if (result.ok && archive_write_close(writer.get()) != ARCHIVE_OK)
        result = writeFailed("cannot finish unpacking: " + errorText(writer.get()));
    return result;
}
