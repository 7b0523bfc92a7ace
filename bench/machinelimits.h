#pragma once

#include "scenarios.h"

#include <string>

namespace bench {

// What this machine allows at most, so the download figures can be read
// against it: one connection's pace over the link in use, the disk, and the
// checksum.
struct MachineLimits
{
    Samples linkMs;       // curl -s -o /dev/null URL
    Samples diskMs;       // the package's size written in 512 KiB pieces, then closed
    Samples diskSyncedMs; // the same, written through to the device
    Samples sha256Ms;     // SHA-256 of the package's size, in memory
    std::int64_t bytes = 0;
};

bool measureLimits(const BenchSetup& setup, const SizeFigures& figures, MachineLimits& limits,
                   std::string& error);

} // namespace bench
