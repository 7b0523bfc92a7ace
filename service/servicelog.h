#pragma once

#include <string>

namespace haulmoor {

// The service's log lines go to standard output, as they always did, and,
// once openServiceLog has run, to "haulmoor.log" in the log folder a user
// can send (platform::defaultLogFolder), each with time, program and
// category. Never give it a secret: the access token stays out of every line.
void openServiceLog();
// Writes "TIME Haulmoor CATEGORY: TEXT". Safe from any thread.
void serviceLog(const char* category, const std::string& text);

} // namespace haulmoor
