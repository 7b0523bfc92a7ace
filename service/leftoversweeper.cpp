#include "leftoversweeper.h"

#include "downloadpath.h"
#include "mainprogramstager.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/stagingmarker.h"
#include "servicelog.h"
#include "transientname.h"

#include <cstdio>
#include <vector>

namespace haulmoor {

namespace {

bool ownerIsGone(pid_t owner)
{
    return owner != platform::currentProcessId() && !platform::processRuns(owner);
}

void logRemoved(const std::string& path, bool removed)
{
    serviceLog("cleanup", std::string(removed ? "Removed" : "Could not remove") + " left by an ended service: " + path);
}

} // namespace

void LeftoverSweeper::sweepAll(const ServiceOptions& options, const std::string& setupPath)
{
    const std::string data = options.dataFolder();
    sweepFolder(data);
    sweepFolder(data + "/ToolsFileTemp");
    sweepFolder(readDownloadPath(setupPath, data) + "/SubTools");
    sweepStaging(options.homeDir + "/" + MainProgramStager::kFolderName);
}

int LeftoverSweeper::sweepFolder(const std::string& folder)
{
    std::vector<std::string> names;
    if (!platform::listFolder(folder, names))
        return 0;
    int removed = 0;
    for (const std::string& name : names) {
        const pid_t owner = TransientName::ownerOf(name);
        if (owner == 0 || !ownerIsGone(owner))
            continue;
        const std::string path = folder + "/" + name;
        const bool gone = platform::removeTree(path);
        logRemoved(path, gone);
        removed += gone ? 1 : 0;
    }
    return removed;
}

bool LeftoverSweeper::sweepStaging(const std::string& stagingFolder)
{
    const platform::StagingMarker marker = platform::readStagingMarker(stagingFolder);
    if (marker.state != platform::StagingState::Incomplete || !ownerIsGone(marker.writer))
        return false;
    const bool gone = platform::removeTree(stagingFolder);
    logRemoved(stagingFolder, gone);
    return gone;
}

} // namespace haulmoor
