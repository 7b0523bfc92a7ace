#pragma once

#include <string>

namespace haulmoor {

// The "DownloadPath" of Setup.xml as the client writes it: the line after the
// first line holding "<DownloadPath>", with every "<Value>" and "</Value>"
// taken out and nothing else touched. Empty when there is no such line; the
// fallback folder when the file cannot be read.
std::string readDownloadPath(const std::string& setupPath, const std::string& fallback);

} // namespace haulmoor
