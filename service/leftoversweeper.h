#pragma once

#include "serviceoptions.h"

#include <string>

namespace haulmoor {

// Removes what a service that is gone left behind: packages on their way
// and work folders (named by TransientName with their service's pid) and a
// staging of the main program it never finished. Entries of a service that
// still runs are never touched.
class LeftoverSweeper
{
public:
    // The module folder, ToolsFileTemp, the download folder's SubTools and
    // HOME/Gearloft; run once at start, before anything is served.
    static void sweepAll(const ServiceOptions& options, const std::string& setupPath);

    // The leftovers directly inside folder; returns how many were removed.
    static int sweepFolder(const std::string& folder);
    // Removes the staging folder when its mark says "incomplete" and the
    // service that wrote it is gone.
    static bool sweepStaging(const std::string& stagingFolder);
};

} // namespace haulmoor
