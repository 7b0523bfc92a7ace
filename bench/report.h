#pragma once

#include "machinelimits.h"
#include "scenarios.h"

#include <vector>

namespace bench {

struct Targets
{
    double serviceOverLoop = 1.05;
    double unpackerOverBsdtar = 1.0;
    double parallelPeakRssMiB = 20.0;
    double streamedSpeedOfCurl = 0.95;      // curl time / streamed time, at least
    double installSpeedOfCurlBsdtar = 0.95; // (curl + bsdtar) / streamed install, at least
    // (aria2c + bsdtar) / streamed request -> installed, at least, on a link
    // of this round trip or longer.
    double installSpeedOfAria2Bsdtar = 1.0;
    int aria2TargetRoundTripMs = 50;
};

// Prints every figure and the ratios against the targets.
void printReport(const BenchSetup& setup, const std::vector<SizeFigures>& sizes,
                 const ParallelFigures& parallelRanges, const ParallelFigures& parallelStreamed,
                 const MachineLimits& limits, const Targets& targets);

} // namespace bench
