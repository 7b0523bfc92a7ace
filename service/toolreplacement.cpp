#include "toolreplacement.h"

#include "platform/files.h"
#include "servicelog.h"
#include "transientname.h"
#include "treemerger.h"

#include <cstdio>
#include <strings.h>

namespace haulmoor {

using platform::EntryKind;
using platform::MoveResult;

namespace {

bool endsWithNoCase(const std::string& name, const std::string& suffix)
{
    return name.size() >= suffix.size() &&
           strcasecmp(name.c_str() + name.size() - suffix.size(), suffix.c_str()) == 0;
}

// Names the service keeps for itself beside the tools; a package that
// brought one could overwrite a previous version or a work folder.
bool isReservedName(const std::string& name)
{
    const std::string previous = ".previous";
    return name.compare(0, 10, ".haulmoor-") == 0 ||
           (name.size() > previous.size() + 1 && name[0] == '.' &&
            name.compare(name.size() - previous.size(), previous.size(), previous) == 0);
}

} // namespace

ToolReplacement::ToolReplacement(std::string unzipDir, std::string toolName)
    : m_unzipDir(std::move(unzipDir)), m_toolName(std::move(toolName))
{
    while (m_unzipDir.size() > 1 && m_unzipDir.back() == '/')
        m_unzipDir.pop_back();
}

bool ToolReplacement::isOldProgramFile(const std::vector<std::string>& path)
{
    for (const char* suffix : {".dll", ".exe"}) {
        bool all = !path.empty();
        for (const std::string& part : path)
            all = all && endsWithNoCase(part, suffix);
        if (all)
            return true;
    }
    return false;
}

std::string ToolReplacement::pathOf(const std::string& name) const
{
    return m_unzipDir + "/" + name;
}

bool ToolReplacement::step()
{
    return !m_stepCheck || m_stepCheck();
}

bool ToolReplacement::fail(const std::string& why)
{
    if (m_error.empty())
        m_error = why;
    return false;
}

bool ToolReplacement::apply(const std::string& unpacked)
{
    m_entries.clear();
    m_error.clear();
    if (!prepare(unpacked) || !place()) {
        undo();
        removeStaged();
        return false;
    }
    // Only now that every new entry is in place may the version before the
    // replaced one go.
    for (const Entry& entry : m_entries) {
        if (entry.previousState == Previous::Exchanged && !platform::removeTree(entry.staged))
            serviceLog("install", "Could not remove an older version: " + entry.staged);
    }
    return true;
}

bool ToolReplacement::prepare(const std::string& unpacked)
{
    std::vector<std::string> names;
    if (!platform::listFolder(unpacked, names))
        return fail("cannot read the unpacked package");
    for (const std::string& name : names) {
        if (isReservedName(name))
            return fail("the package holds a reserved name: " + name);
        Entry entry;
        entry.name = name;
        entry.target = pathOf(name);
        entry.staged = pathOf(TransientName::next("new"));
        entry.previous = pathOf(previousName(name));
        if (!step() || platform::moveEntryNoReplace(unpacked + "/" + name, entry.staged) != MoveResult::Moved)
            return fail("cannot stage " + name);
        m_entries.push_back(entry);
        if (!build(entry))
            return false;
    }
    return true;
}

bool ToolReplacement::build(const Entry& entry)
{
    // A link in the target's place is replaced, never followed: what it
    // points at is not ours to merge.
    if (platform::entryKind(entry.staged) != EntryKind::Folder ||
        platform::entryKind(entry.target) != EntryKind::Folder)
        return true;
    TreeMerger merger;
    const bool toolFolder = entry.name == m_toolName;
    const bool insideToolFolder = m_toolName.empty();
    if (toolFolder || insideToolFolder) {
        const std::string top = entry.name;
        merger.setSkip([insideToolFolder, top](const std::vector<std::string>& path, EntryKind kind) {
            if (kind == EntryKind::Folder)
                return false;
            if (!insideToolFolder)
                return isOldProgramFile(path);
            std::vector<std::string> full{top};
            full.insert(full.end(), path.begin(), path.end());
            return isOldProgramFile(full);
        });
    }
    if (!step() || !merger.carry(entry.target, entry.staged))
        return fail("cannot carry over " +
                    (merger.failedPath().empty() ? entry.target : merger.failedPath()));
    return true;
}

bool ToolReplacement::place()
{
    for (Entry& entry : m_entries) {
        if (!step())
            return fail("cannot put " + entry.name + " in place");
        if (platform::entryKind(entry.target) != EntryKind::Missing) {
            if (platform::exchangeEntries(entry.staged, entry.target) != MoveResult::Moved)
                return fail("cannot put " + entry.name + " in place");
            entry.replaced = true;
        } else {
            if (platform::moveEntryNoReplace(entry.staged, entry.target) != MoveResult::Moved)
                return fail("cannot put " + entry.name + " in place");
            entry.placed = true;
        }
    }
    for (Entry& entry : m_entries) {
        if (!entry.replaced)
            continue;
        if (!step())
            return fail("cannot keep the previous " + entry.name);
        if (platform::entryKind(entry.previous) != EntryKind::Missing) {
            if (platform::exchangeEntries(entry.staged, entry.previous) != MoveResult::Moved)
                return fail("cannot keep the previous " + entry.name);
            entry.previousState = Previous::Exchanged;
        } else {
            if (platform::moveEntryNoReplace(entry.staged, entry.previous) != MoveResult::Moved)
                return fail("cannot keep the previous " + entry.name);
            entry.previousState = Previous::Moved;
        }
    }
    return true;
}

void ToolReplacement::undo()
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        Entry& entry = *it;
        bool ok = true;
        if (entry.previousState == Previous::Exchanged)
            ok = platform::exchangeEntries(entry.staged, entry.previous) == MoveResult::Moved;
        else if (entry.previousState == Previous::Moved)
            ok = platform::moveEntryNoReplace(entry.previous, entry.staged) == MoveResult::Moved;
        if (ok && entry.replaced)
            ok = platform::exchangeEntries(entry.staged, entry.target) == MoveResult::Moved;
        else if (ok && entry.placed)
            ok = platform::moveEntryNoReplace(entry.target, entry.staged) == MoveResult::Moved;
        if (!ok) {
            // What is left beside the target may be the only old copy.
            entry.keepStaged = true;
            serviceLog("rollback", "Could not undo the update of " + entry.target + ", kept in " + entry.staged);
        }
        entry.previousState = Previous::None;
        entry.replaced = entry.placed = false;
    }
}

void ToolReplacement::removeStaged()
{
    for (const Entry& entry : m_entries) {
        if (!entry.keepStaged)
            platform::removeTree(entry.staged);
    }
}

} // namespace haulmoor
