#include "entryvalidator.h"

#include <archive_entry.h>
#include <string_view>
#include <vector>

namespace {

bool isAbsolute(std::string_view name)
{
    if (name.empty())
        return false;
    if (name[0] == '/' || name[0] == '\\')
        return true;
    const char drive = char(name[0] | 0x20);
    return name.size() >= 2 && name[1] == ':' && drive >= 'a' && drive <= 'z';
}

// Drops empty and "." parts. Windows packers write '\\' as separator, so the
// safety checks split on it too even though the file system would not.
std::vector<std::string_view> splitPath(std::string_view name, bool backslashSeparates)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '/' && !(backslashSeparates && name[i] == '\\'))
            continue;
        const std::string_view part = name.substr(start, i - start);
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = i + 1;
    }
    return parts;
}

bool hasDotDot(const std::vector<std::string_view>& parts)
{
    for (std::string_view part : parts)
        if (part == "..")
            return true;
    return false;
}

} // namespace

EntryValidator::EntryValidator(std::uint64_t byteBudget) : m_budget(byteBudget) {}

EntryValidator::Verdict EntryValidator::check(archive_entry* entry)
{
    Verdict verdict;
    const char* stored = archive_entry_pathname(entry);
    std::string name;
    const auto refuse = [&](const std::string& why) {
        verdict.reason = why + " \"" + name + '"';
        return verdict;
    };
    if (!stored || !*stored)
        return refuse("entry without a name");
    if (!m_decoder.toUtf8(stored, name)) {
        name = stored;
        return refuse("entry name in an unknown encoding");
    }
    if (archive_entry_hardlink(entry))
        return refuse("hard link");
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG:
        verdict.kind = Kind::File;
        break;
    case AE_IFDIR:
        verdict.kind = Kind::Directory;
        break;
    case AE_IFLNK:
        verdict.kind = Kind::Symlink;
        break;
    default:
        return refuse("unsupported entry type");
    }
    if (isAbsolute(name) || hasDotDot(splitPath(name, true)))
        return refuse("entry outside the target folder");
    for (std::string_view part : splitPath(name, false)) {
        if (!verdict.relativePath.empty())
            verdict.relativePath += '/';
        verdict.relativePath += part;
    }
    if (verdict.relativePath.empty()) {
        if (verdict.kind != Kind::Directory)
            return refuse("entry names the target folder itself");
        verdict.kind = Kind::Skip; // "./" would restamp the target folder itself
    }
    if (verdict.kind == Kind::Symlink) {
        verdict.reason = checkSymlink(verdict.relativePath, archive_entry_symlink(entry), verdict.linkTarget);
        if (!verdict.reason.empty())
            return verdict;
        m_symlinks.insert(verdict.relativePath);
    }
    if (verdict.kind == Kind::File && archive_entry_size_is_set(entry)) {
        m_declaredBytes += std::uint64_t(archive_entry_size(entry));
        if (m_declaredBytes > m_budget)
            return refuse(
                ("unpacked size exceeds the limit of " + std::to_string(m_budget) + " bytes at").c_str());
    }
    rememberParents(verdict.relativePath);
    verdict.accepted = true;
    return verdict;
}

// A link is accepted when its target, read lexically, stays inside the
// target folder. That reading is only sound when ".." never follows a normal
// part (it would climb from wherever a linked folder points), so such
// targets are refused. Links are created after all other entries and no
// entry may sit below one, so nothing is written through them.
std::string EntryValidator::checkSymlink(const std::string& relativePath, const char* stored,
                                         std::string& target)
{
    const std::string quoted = " \"" + relativePath + '"';
    if (!stored || !*stored)
        return "symlink without target" + quoted;
    if (!m_decoder.toUtf8(stored, target))
        return "symlink target in an unknown encoding" + quoted;
    if (isAbsolute(target))
        return "symlink to an absolute path" + quoted;
    size_t ups = 0;
    bool descended = false;
    for (std::string_view part : splitPath(target, true)) {
        if (part != "..")
            descended = true;
        else if (descended)
            return "symlink target with \"..\" after a folder name" + quoted;
        else
            ++ups;
    }
    const size_t depth = splitPath(relativePath, false).size() - 1;
    if (ups > depth)
        return "symlink pointing outside the target folder" + quoted;
    return {};
}

std::string EntryValidator::finish() const
{
    for (const std::string& link : m_symlinks)
        if (m_parents.count(link))
            return "entries below the symlink \"" + link + '"';
    return {};
}

void EntryValidator::rememberParents(const std::string& relativePath)
{
    for (size_t slash = relativePath.rfind('/'); slash != std::string::npos && slash > 0;
         slash = relativePath.rfind('/', slash - 1)) {
        if (!m_parents.insert(relativePath.substr(0, slash)).second)
            return;
    }
}
