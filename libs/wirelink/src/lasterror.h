#pragma once

namespace wirelink {

// The error number of the last failed call, kept per thread.
void setLastError(int error);

// Records the error and hands back the value a failed call returns.
template <typename T> T fail(int error, T result)
{
    setLastError(error);
    return result;
}

} // namespace wirelink
