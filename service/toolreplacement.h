#pragma once

#include <functional>
#include <string>
#include <vector>

namespace haulmoor {

// Puts an unpacked tool into its unzip folder all at once, keeping the
// version it replaces. Each top-level entry of the package is first made
// complete beside its target (the new files plus the old files the new
// version does not bring, old program files of the tool folder left out),
// then swapped in by renames inside the unzip folder; the replaced entry
// becomes ".ENTRY.previous". A failure anywhere undoes every rename, so the
// installed tool and its earlier previous version stay as they were.
class ToolReplacement
{
public:
    // toolName: the tool folder's name inside unzipDir; empty when the unzip
    // folder itself is the tool folder.
    ToolReplacement(std::string unzipDir, std::string toolName);

    // Asked before each step that changes the unzip folder; a false answer
    // fails that step (lets tests break an install at any point).
    void setStepCheck(std::function<bool()> check) { m_stepCheck = std::move(check); }

    // unpacked: a folder of ours inside the unzip folder holding the package's
    // files; its entries are moved out of it.
    bool apply(const std::string& unpacked);
    const std::string& error() const { return m_error; }

    static std::string previousName(const std::string& entry) { return "." + entry + ".previous"; }
    // Old ".dll" and ".exe" files of the tool folder do not outlive an update,
    // also inside folders so named (path below the tool folder).
    static bool isOldProgramFile(const std::vector<std::string>& path);

private:
    enum class Previous
    {
        None,
        Moved,     // the replaced entry took the free ".previous" name
        Exchanged, // ... or swapped with the earlier previous version
    };
    struct Entry
    {
        std::string name;
        std::string target;   // unzipDir/name
        std::string staged;   // beside it: the new version, later what it replaced
        std::string previous; // unzipDir/.name.previous
        bool replaced = false;
        bool placed = false;
        bool keepStaged = false;
        Previous previousState = Previous::None;
    };

    bool prepare(const std::string& unpacked);
    bool build(const Entry& entry);
    bool place();
    void undo();
    void removeStaged();
    bool step();
    bool fail(const std::string& why);
    std::string pathOf(const std::string& name) const;

    std::string m_unzipDir;
    std::string m_toolName;
    std::function<bool()> m_stepCheck;
    std::vector<Entry> m_entries;
    std::string m_error;
};

} // namespace haulmoor
