#include "platform/environment.h"

#include <cstdlib>

namespace platform {

bool takeEnvironmentVariable(const char* name, std::string& value)
{
    const char* text = std::getenv(name);
    if (!text)
        return false;
    value = text;
    unsetenv(name);
    return true;
}

} // namespace platform
