#pragma once

#include "scenarios.h"

#include <vector>

namespace bench {

struct Targets
{
    double serviceOverLoop = 1.05;
    double unpackerOverBsdtar = 1.0;
    double parallelPeakRssMiB = 20.0;
};

// Prints every figure and the ratios against the targets.
void printReport(const BenchSetup& setup, const std::vector<SizeFigures>& sizes,
                 const ParallelFigures& parallel, const Targets& targets);

} // namespace bench
