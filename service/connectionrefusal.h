#pragma once

#include <string>

namespace haulmoor {

// A cloud exchange that failed because the connection could not be trusted
// (a certificate not trusted or not the host's, https sent on to plain
// http), not because the network faltered: trying again cannot help, and
// the user is to be told why instead of "network failure".
class ConnectionRefusal
{
public:
    // After a failed exchange on this thread: true when it failed so, with
    // libcurl's words for it.
    static bool lastFailure(std::string& why);
    // "Secure connection refused: URL: why".
    static std::string describe(const std::string& url, const std::string& why);
};

} // namespace haulmoor
