#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Free bytes of the volume holding path (or its nearest existing parent);
// -1 when it cannot be measured.
std::int64_t freeDiskBytes(const std::string& path);

} // namespace platform
