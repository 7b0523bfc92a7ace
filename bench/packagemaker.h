#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct Package
{
    std::string zipPath;
    std::int64_t zipBytes = 0;
    std::int64_t contentBytes = 0; // sum of the entries, what an unpack writes
    int entries = 0;
    std::string sha256; // lower-case hex, also in the metadata
};

// Writes dir/name.zip (stored, so random content keeps it at full size)
// holding `entries` files of random bytes that add up to contentBytes, and
// dir/name.json with the zip's exact size and SHA-256, as the package
// service publishes them. Empty zipPath on failure, with
// error telling why.
Package makePackage(const std::string& dir, const std::string& name, std::int64_t contentBytes, int entries,
                    std::uint64_t seed, std::string& error);

// A package an earlier run left in dir (zip and metadata agreeing on the
// size), so runs over several links serve the same bytes; false when absent.
bool findPackage(const std::string& dir, const std::string& name, std::int64_t contentBytes, int entries,
                 Package& package);

// Serves the same package under another name: a hard link and its own
// metadata file.
bool linkPackage(const Package& package, const std::string& dir, const std::string& name, std::string& error);

std::string metadataText(std::int64_t zipBytes, const std::string& sha256);

// Whether metadata files name the package's SHA-256 (the service then
// verifies every download); on by default.
void setPublishChecksums(bool bPublish);
bool checksumsPublished();

} // namespace bench
