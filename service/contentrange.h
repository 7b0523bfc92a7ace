#pragma once

#include <cstdint>
#include <string>

namespace haulmoor {

// A "Content-Range: bytes FIRST-LAST/SIZE" header; SIZE is -1 when given as "*".
struct ContentRange
{
    std::int64_t first = -1;
    std::int64_t last = -1;
    std::int64_t size = -1;

    // False for anything but one satisfied byte range.
    static bool parse(const std::string& text, ContentRange& range);
};

} // namespace haulmoor
