#pragma once

#include <string>

namespace platform {

// Full path of the running program.
std::string currentExecutablePath();
// Folder of the running program, without a trailing separator.
std::string currentExecutableDir();
// Login name of the effective user; empty when unknown.
std::string userName();
// Home folder of the effective user, without a trailing separator.
std::string homeDirectory();
bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
// Creates every missing level of a folder path.
bool makeDirectories(const std::string& path);

} // namespace platform
