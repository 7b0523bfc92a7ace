#pragma once

#include <string>

namespace platform {

// Reads a variable of this process's environment and removes it, so that
// programs started later do not inherit it. False when it was not set.
bool takeEnvironmentVariable(const char* name, std::string& value);

} // namespace platform
