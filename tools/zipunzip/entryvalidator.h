#pragma once

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
        std::string relativePath; // below the target folder, '/'-separated
        std::string reason;
    };

    explicit EntryValidator(std::uint64_t byteBudget);

    Verdict check(archive_entry* entry);
    // Checks that need every entry; an empty string when all is well.
    std::string finish() const;
    // Some name or link target is not UTF-8, so the archive needs a legacy charset.
    bool sawNonUtf8Text() const { return m_sawNonUtf8; }

private:
    std::string checkSymlink(const std::string& relativePath, const char* target);
    void noteText(const char* text);
    void rememberParents(const std::string& relativePath);

    std::uint64_t m_budget;
    std::uint64_t m_declaredBytes = 0;
    bool m_sawNonUtf8 = false;
    std::unordered_set<std::string> m_symlinks;
    std::unordered_set<std::string> m_parents;
};
