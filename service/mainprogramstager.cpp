#include "mainprogramstager.h"

#include "platform/files.h"
#include "platform/stagingmarker.h"
#include "treemerger.h"

#include <vector>

namespace haulmoor {

using platform::EntryKind;
using platform::MoveResult;
using platform::StagingState;

namespace {

// depth: how many folders below the checked top the link stands.
bool targetStaysInside(const std::string& target, std::size_t depth)
{
    if (target.empty() || target[0] == '/')
        return false;
    std::size_t level = depth;
    std::size_t start = 0;
    while (start <= target.size()) {
        const auto slash = target.find('/', start);
        const std::string part =
            target.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "..") {
            if (level == 0)
                return false;
            --level;
        } else if (!part.empty() && part != ".") {
            ++level;
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return true;
}

bool linksInside(const std::string& folder, std::size_t depth)
{
    std::vector<std::string> names;
    if (!platform::listFolder(folder, names))
        return false;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        const EntryKind kind = platform::entryKind(path);
        if (kind == EntryKind::Folder && !linksInside(path, depth + 1))
            return false;
        std::string target;
        if (kind == EntryKind::Link &&
            (!platform::readLink(path, target) || !targetStaysInside(target, depth)))
            return false;
    }
    return true;
}

} // namespace

MainProgramStager::MainProgramStager(std::string homeDir)
    : m_homeDir(std::move(homeDir)), m_target(m_homeDir + "/" + kFolderName)
{
}

bool MainProgramStager::linksStayInside(const std::string& folder)
{
    return linksInside(folder, 0);
}

bool MainProgramStager::fail(const std::string& why)
{
    m_error = why;
    return false;
}

bool MainProgramStager::stage(const std::string& unpacked)
{
    m_error.clear();
    const std::string staged = unpacked + "/" + kFolderName;
    // Whatever else the package holds stays in the work folder.
    if (platform::entryKind(staged) != EntryKind::Folder)
        return fail("the package holds no Gearloft folder");
    if (!linksStayInside(staged))
        return fail("a link in the package leads out of its Gearloft folder");
    // The mark is always the service's own, never the package's.
    if (!platform::writeStagingMarker(staged, StagingState::Complete))
        return fail("cannot mark the staging folder");
    return place(staged);
}

bool MainProgramStager::place(const std::string& staged)
{
    const EntryKind present = platform::entryKind(m_target);
    MoveResult moved = MoveResult::Failed;
    if (present == EntryKind::Missing) {
        moved = platform::moveEntryNoReplace(staged, m_target);
    } else {
        // Only a staging of our own, not yet applied, may be replaced; the
        // user's own folder of that name is never merged into or removed.
        if (present != EntryKind::Folder || platform::readStagingMarker(m_target).state == StagingState::None)
            return fail(m_target + " was not made by the service; left as it is");
        moved = platform::exchangeEntries(staged, m_target);
        // The earlier staging is now in the work folder, which goes as a whole.
    }
    if (moved == MoveResult::CrossDevice)
        return copyInto(staged);
    if (moved != MoveResult::Moved)
        return fail("cannot move the staging folder to " + m_target);
    return true;
}

bool MainProgramStager::copyInto(const std::string& staged)
{
    // Another file system: copied, marked incomplete until the last file is
    // in, so that nobody takes a half copy for an update.
    if (platform::entryKind(m_target) != EntryKind::Missing && !platform::removeTree(m_target))
        return fail("cannot remove the earlier staging folder " + m_target);
    if (!platform::makeFolder(m_target, 0700))
        return fail("cannot make " + m_target);
    TreeMerger merger;
    merger.setSkip([](const std::vector<std::string>& path, EntryKind) {
        return path.size() == 1 && path.front() == platform::kStagingMarkerName;
    });
    const bool copied = platform::writeStagingMarker(m_target, StagingState::Incomplete) &&
                        merger.carry(staged, m_target) &&
                        platform::writeStagingMarker(m_target, StagingState::Complete) &&
                        platform::setPermissions(m_target, platform::permissionsOf(staged));
    if (!copied) {
        platform::removeTree(m_target);
        return fail("cannot copy the staging folder to " + m_target);
    }
    return true;
}

} // namespace haulmoor
