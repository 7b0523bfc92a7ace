#pragma once

#include "serviceinstance.h"

#include <string>
#include <vector>

namespace bench {

// Phases of one package's install, in ms from the install request; the
// edges come from the download file appearing, being closed and vanishing.
struct PackagePhases
{
    double fileCreatedMs = -1; // after the dispatcher tick and the metadata GET
    double fileClosedMs = -1;  // every range received
    double fileRemovedMs = -1; // unpacked and moved into place
    double rangesMs() const { return fileClosedMs - fileCreatedMs; }
    double unpackMs() const { return fileRemovedMs - fileClosedMs; }
};

struct InstallTiming
{
    bool ok = false;
    std::string error;
    std::vector<PackagePhases> packages; // in request order
    double downloadedSeenMs = -1;        // first poll with all at 100 or more, not all at 200
    double installedSeenMs = -1;         // first poll with every value at 200
    long maxSampledRssKiB = 0;
};

// Asks the service to install the packages and polls progress every pollMs
// until all are installed or one fails.
InstallTiming installAndWait(ServiceInstance& service, const std::vector<InstallRequest>& requests,
                             int pollMs, int timeoutMs);

} // namespace bench
