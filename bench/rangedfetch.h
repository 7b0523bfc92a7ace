#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct RangedFetch
{
    bool ok = false;
    std::string error;
    double totalMs = 0;    // handle creation to file closed
    double transferMs = 0; // file opened to file closed: the ranges only
    int ranges = 0;
    std::int64_t bytes = 0;
};

// The service's download over the network and nothing else: one easy handle,
// the metadata GET, then ranges with a 1 ms pause before each, the range
// length doubling after every range faster than 1.2 s up to the cap the
// package size sets, each body appended to outPath and, when the metadata
// carries "sha256", hashed there and then and compared at the end.
RangedFetch fetchInRanges(const std::string& packageUrl, const std::string& metadataUrl,
                          const std::string& outPath);

} // namespace bench
