#pragma once

#include <cstdint>
#include <string>

namespace bench {

// Removes dir with everything in it and creates it empty.
bool freshFolder(const std::string& dir, std::string& error);
// Bytes in the regular files below dir; -1 when it cannot be read.
std::int64_t folderBytes(const std::string& dir);
// The last path segment of a URL.
std::string fileNameOf(const std::string& url);

} // namespace bench
