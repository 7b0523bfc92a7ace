#pragma once

#include "extractresult.h"

#include <cstdint>
#include <string>

// Unpacks a zip package into a folder, refusing archives that would write
// outside it or unpack to more than a byte budget. Every entry is checked
// before the first byte is written.
class ZipExtractor
{
public:
    // Zero restores the default, derived from the package size.
    void setByteBudget(std::uint64_t bytes) { m_byteBudget = bytes; }
    // Lets extract() work inside the target folder, so libarchive checks
    // short relative paths instead of walking the whole absolute target for
    // every entry. Single-threaded processes only (see WorkingFolderScope).
    void setMayChangeWorkingFolder(bool allowed) { m_mayChangeWorkingFolder = allowed; }

    ExtractResult extract(const std::string& package, const std::string& targetDir) const;

    static std::uint64_t defaultByteBudget(std::uint64_t packageSize);

private:
    ExtractResult scan(const std::string& package, std::uint64_t budget) const;
    ExtractResult unpack(const std::string& package, const std::string& root, std::uint64_t budget) const;

    std::uint64_t m_byteBudget = 0;
    bool m_mayChangeWorkingFolder = false;
};
