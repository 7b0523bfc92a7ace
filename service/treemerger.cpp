#include "treemerger.h"

namespace haulmoor {

using platform::EntryKind;

bool TreeMerger::carry(const std::string& from, const std::string& to)
{
    m_failedPath.clear();
    std::vector<std::string> path;
    return carryFolder(from, to, path);
}

bool TreeMerger::fail(const std::string& path)
{
    m_failedPath = path;
    return false;
}

bool TreeMerger::carryFolder(const std::string& from, const std::string& to, std::vector<std::string>& path)
{
    std::vector<std::string> names;
    if (!platform::listFolder(from, names))
        return fail(from);
    for (const std::string& name : names) {
        const std::string source = from + "/" + name;
        const std::string target = to + "/" + name;
        const EntryKind kind = platform::entryKind(source);
        path.push_back(name);
        const bool skipped = kind == EntryKind::Other || (m_skip && m_skip(path, kind));
        bool ok = true;
        if (!skipped) {
            const EntryKind present = platform::entryKind(target);
            if (kind == EntryKind::Folder && present == EntryKind::Folder) {
                ok = carryFolder(source, target, path);
            } else if (present != EntryKind::Missing) {
                // The newer tree's own entry wins.
            } else if (kind == EntryKind::File) {
                ok = platform::copyFile(source, target) || fail(source);
            } else if (kind == EntryKind::Link) {
                ok = platform::copyLink(source, target) || fail(source);
            } else if (kind == EntryKind::Folder) {
                // Filled while writable, then given the source's permissions.
                ok = (platform::makeFolder(target, 0700) || fail(target)) &&
                     carryFolder(source, target, path) &&
                     (platform::setPermissions(target, platform::permissionsOf(source)) || fail(target));
            }
        }
        path.pop_back();
        if (!ok)
            return false;
    }
    return true;
}

} // namespace haulmoor
