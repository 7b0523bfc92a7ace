#include "packagemaker.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace bench {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

struct WriteFree
{
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree
{
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

// splitmix64: fast, and its output does not compress.
std::uint64_t nextRandom(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void fillRandom(std::vector<std::uint64_t>& block, std::uint64_t& state)
{
    for (auto& word : block)
        word = nextRandom(state);
}

bool writeText(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

std::string archiveError(archive* a)
{
    const char* text = archive_error_string(a);
    return text ? text : "unknown libarchive error";
}

bool writeEntry(archive* zip, const std::string& path, std::int64_t bytes, std::uint64_t& state,
                std::string& error)
{
    std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    archive_entry_set_pathname(entry.get(), path.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), bytes);
    archive_entry_set_mtime(entry.get(), 1700000000, 0);
    if (archive_write_header(zip, entry.get()) != ARCHIVE_OK) {
        error = "cannot add " + path + ": " + archiveError(zip);
        return false;
    }
    std::vector<std::uint64_t> block(kBlockBytes / sizeof(std::uint64_t));
    for (std::int64_t left = bytes; left > 0;) {
        fillRandom(block, state);
        const std::size_t size = static_cast<std::size_t>(std::min<std::int64_t>(left, kBlockBytes));
        if (archive_write_data(zip, block.data(), size) != static_cast<la_ssize_t>(size)) {
            error = "cannot write " + path + ": " + archiveError(zip);
            return false;
        }
        left -= static_cast<std::int64_t>(size);
    }
    return true;
}

} // namespace

namespace {
bool g_publishChecksums = true;
} // namespace

void setPublishChecksums(bool bPublish)
{
    g_publishChecksums = bPublish;
}

bool checksumsPublished()
{
    return g_publishChecksums;
}

std::string metadataText(std::int64_t zipBytes, const std::string& sha256)
{
    if (!g_publishChecksums)
        return "{\"package_size\": " + std::to_string(zipBytes) + "}\n";
    return "{\"package_size\": " + std::to_string(zipBytes) + ", \"sha256\": \"" + sha256 + "\"}\n";
}

Package makePackage(const std::string& dir, const std::string& name, std::int64_t contentBytes, int entries,
                    std::uint64_t seed, std::string& error)
{
    Package package;
    const std::string zipPath = dir + "/" + name + ".zip";
    std::unique_ptr<archive, WriteFree> zip(archive_write_new());
    if (!zip || archive_write_set_format_zip(zip.get()) != ARCHIVE_OK ||
        archive_write_set_options(zip.get(), "zip:compression=store") != ARCHIVE_OK ||
        archive_write_open_filename(zip.get(), zipPath.c_str()) != ARCHIVE_OK) {
        error =
            "cannot create " + zipPath + ": " + (zip ? archiveError(zip.get()) : std::string("no memory"));
        return package;
    }
    std::uint64_t state = seed;
    const std::int64_t share = contentBytes / entries;
    for (int i = 0; i < entries; ++i) {
        const std::int64_t bytes = i + 1 == entries ? contentBytes - share * (entries - 1) : share;
        const std::string path = name + "/data-" + std::to_string(i + 1) + ".bin";
        if (!writeEntry(zip.get(), path, bytes, state, error))
            return package;
    }
    if (archive_write_close(zip.get()) != ARCHIVE_OK) {
        error = "cannot finish " + zipPath + ": " + archiveError(zip.get());
        return package;
    }
    struct stat info;
    if (stat(zipPath.c_str(), &info) != 0) {
        error = "cannot stat " + zipPath + ": " + std::strerror(errno);
        return package;
    }
    QFile zipFile(QString::fromStdString(zipPath));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!zipFile.open(QIODevice::ReadOnly) || !hash.addData(&zipFile)) {
        error = "cannot read " + zipPath + " back";
        return package;
    }
    package.sha256 = hash.result().toHex().toStdString();
    if (!writeText(dir + "/" + name + ".json", metadataText(info.st_size, package.sha256))) {
        error = "cannot write the metadata of " + name;
        return package;
    }
    package.zipPath = zipPath;
    package.zipBytes = info.st_size;
    package.contentBytes = contentBytes;
    package.entries = entries;
    return package;
}

bool findPackage(const std::string& dir, const std::string& name, std::int64_t contentBytes, int entries,
                 Package& package)
{
    const std::string zipPath = dir + "/" + name + ".zip";
    QFile metadata(QString::fromStdString(dir + "/" + name + ".json"));
    struct stat info;
    if (stat(zipPath.c_str(), &info) != 0 || !metadata.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject object = QJsonDocument::fromJson(metadata.readAll()).object();
    const std::string sha256 = object.value(QStringLiteral("sha256")).toString().toStdString();
    if (object.value(QStringLiteral("package_size")).toDouble() != double(info.st_size) ||
        sha256.size() != 64)
        return false;
    package.zipPath = zipPath;
    package.zipBytes = info.st_size;
    package.contentBytes = contentBytes;
    package.entries = entries;
    package.sha256 = sha256;
    // The metadata follows this run's choice of publishing the checksum.
    metadata.close();
    return writeText(dir + "/" + name + ".json", metadataText(package.zipBytes, package.sha256));
}

bool linkPackage(const Package& package, const std::string& dir, const std::string& name, std::string& error)
{
    const std::string zipPath = dir + "/" + name + ".zip";
    unlink(zipPath.c_str());
    if (link(package.zipPath.c_str(), zipPath.c_str()) != 0) {
        error = "cannot link " + zipPath + ": " + std::strerror(errno);
        return false;
    }
    if (!writeText(dir + "/" + name + ".json", metadataText(package.zipBytes, package.sha256))) {
        error = "cannot write the metadata of " + name;
        return false;
    }
    return true;
}

} // namespace bench
