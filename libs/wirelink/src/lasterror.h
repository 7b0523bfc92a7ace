#pragma once

#include <string>

namespace wirelink {

// The error number of the last failed call, kept per thread, with libcurl's
// words for it when an exchange failed (empty otherwise).
void setLastError(int error, const std::string& text = std::string());
const std::string& lastErrorText();

// Records the error and hands back the value a failed call returns.
template <typename T> T fail(int error, T result)
{
    setLastError(error);
    return result;
}

} // namespace wirelink
