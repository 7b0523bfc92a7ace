#pragma once

#include <string>

namespace haulmoor {

// Puts a received package into place. The archive is first unpacked into a
// hidden staging folder inside the target; only when that worked are the old
// program files of the tool removed and the new files moved in, so a broken
// package never breaks the installed tool.
class PackageInstaller
{
public:
    static constexpr const char* kUnpackerName = "ZipUnzip";

    explicit PackageInstaller(std::string unpackerDir) : m_unpackerDir(std::move(unpackerDir)) {}

    // 200 when installed, 400 when the package could not be unpacked or moved.
    int install(const std::string& packagePath, const std::string& fileName, const std::string& unzipDir);

    // The tool's own folder: the unzip folder plus the package name up to its
    // first ".".
    static std::string toolFolder(const std::string& unzipDir, const std::string& fileName);
    // Deletes the tool folder's ".dll" and ".exe" files, also inside folders
    // whose names end so; everything else stays.
    static void removeOldProgramFiles(const std::string& folder);

private:
    bool unpack(const std::string& packagePath, const std::string& targetDir);

    std::string m_unpackerDir;
};

} // namespace haulmoor
