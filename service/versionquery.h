#pragma once

#include "request.h"

#include <string>

namespace haulmoor {

class ServiceHost;
class TrustedKeys;

namespace versionquery {

// The package index of the material (method 6) or of the main program
// (method 7) under a cloud base URL.
std::string indexUrl(const std::string& baseUrl, int method);
// The "version" of the last "app" element that has one; empty otherwise.
std::string latestVersion(const std::string& indexText);
// Fetches and reads the index; empty text on any failure. With keys that
// require it, an index without a valid signature is such a failure.
std::string fetchLatestVersion(const std::string& baseUrl, int method, const TrustedKeys* keys = nullptr,
                               const std::string& caFile = std::string());

// Methods 6 and 7: answer base URL -> latest version. Runs on the dispatcher.
void handle(ServiceHost& host, const Request& request);

} // namespace versionquery
} // namespace haulmoor
