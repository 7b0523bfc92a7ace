#pragma once

#include "request.h"

#include <string>

namespace haulmoor {

class ServiceHost;

namespace versionquery {

// The package index of the material (method 6) or of the main program
// (method 7) under a cloud base URL.
std::string indexUrl(const std::string& baseUrl, int method);
// The "version" of the last "app" element that has one; empty otherwise.
std::string latestVersion(const std::string& indexText);
// Fetches and reads the index; empty text on any failure.
std::string fetchLatestVersion(const std::string& baseUrl, int method);

// Methods 6 and 7: answer base URL -> latest version. Runs on the dispatcher.
void handle(ServiceHost& host, const Request& request);

} // namespace versionquery
} // namespace haulmoor
