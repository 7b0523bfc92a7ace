#pragma once

#include <string>

namespace haulmoor {

// Puts the main program's unpacked package in place as the staging folder
// HOME/Gearloft that the self-upgrade copies from. Only the package's
// "Gearloft" folder is taken, and nothing else in the home folder is ever
// created, replaced or removed. A HOME/Gearloft the service did not stage
// itself (no mark of ours) is left alone and the staging refused.
class MainProgramStager
{
public:
    static constexpr const char* kFolderName = "Gearloft";

    explicit MainProgramStager(std::string homeDir);

    // unpacked: a private folder of ours holding the unpacked package.
    bool stage(const std::string& unpacked);
    const std::string& error() const { return m_error; }

    // Whether every link below folder stays inside it, read lexically
    // (absolute targets never do).
    static bool linksStayInside(const std::string& folder);

private:
    bool place(const std::string& staged);
    bool copyInto(const std::string& staged);
    bool fail(const std::string& why);

    std::string m_homeDir;
    std::string m_target;
    std::string m_error;
};

} // namespace haulmoor
