#pragma once

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
};

// Prints every figure and the ratios against the targets.
void printReport(const BenchSetup& setup, const std::vector<SizeFigures>& sizes,
                 const ParallelFigures& parallelRanges, const ParallelFigures& parallelStreamed,
                 const Targets& targets);

} // namespace bench
