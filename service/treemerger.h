#pragma once

#include "platform/files.h"

#include <functional>
#include <string>
#include <vector>

namespace haulmoor {

// Copies into one tree what another holds and it lacks: folders present in
// both are merged, anything else already there is left as it is. Files are
// copied (the source tree stays whole), links as links, never followed.
class TreeMerger
{
public:
    // Entries to leave out, by their path below the source's top.
    using Skip = std::function<bool(const std::vector<std::string>& path, platform::EntryKind kind)>;

    void setSkip(Skip skip) { m_skip = std::move(skip); }

    // False at the first entry that could not be copied (an unreadable file,
    // a full disk); what was copied so far stays for the caller to remove.
    bool carry(const std::string& from, const std::string& to);
    const std::string& failedPath() const { return m_failedPath; }

private:
    bool carryFolder(const std::string& from, const std::string& to, std::vector<std::string>& path);
    bool fail(const std::string& path);

    Skip m_skip;
    std::string m_failedPath;
};

} // namespace haulmoor
