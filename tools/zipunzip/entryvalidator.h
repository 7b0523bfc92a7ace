#pragma once

#include "entrynamedecoder.h"

#include <cstdint>
#include <string>
#include <unordered_set>

struct archive_entry;

// Decides, entry by entry, whether an archive may be unpacked below a
// target folder without anything landing outside it.
class EntryValidator
{
public:
    enum class Kind
    {
        File,
        Directory,
        Symlink,
        Skip
    };

    struct Verdict
    {
        bool accepted = false;
        Kind kind = Kind::Skip;
        std::string relativePath; // below the target folder, '/'-separated, UTF-8
        std::string linkTarget;   // UTF-8, symlinks only
        std::string reason;
    };

    explicit EntryValidator(std::uint64_t byteBudget);

    Verdict check(archive_entry* entry);
    // Checks that need every entry; an empty string when all is well.
    std::string finish() const;

private:
    std::string checkSymlink(const std::string& relativePath, const char* stored, std::string& target);
    void rememberParents(const std::string& relativePath);

    std::uint64_t m_budget;
    std::uint64_t m_declaredBytes = 0;
    EntryNameDecoder m_decoder;
    std::unordered_set<std::string> m_symlinks;
    std::unordered_set<std::string> m_parents;
};
