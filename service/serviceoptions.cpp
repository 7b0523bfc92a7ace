#include "serviceoptions.h"

#include "mainprogramwatch.h"
#include "platform/environment.h"
#include "platform/paths.h"

namespace haulmoor {

ServiceOptions ServiceOptions::defaults()
{
    ServiceOptions options;
    options.moduleDir = platform::currentExecutableDir();
    // Only an absolute path: a relative one would count from wherever the
    // service happened to be started.
    std::string dataDir;
    if (platform::takeEnvironmentVariable(kDataDirVariable, dataDir) && !dataDir.empty() && dataDir.front() == '/')
        options.dataDir = dataDir;
    options.homeDir = platform::homeDirectory();
    options.waitForMainProgramEnd = [](const platform::StopEvent& stop) {
        return MainProgramWatch().waitUntilGone(stop);
    };
    options.catchStopSignals = true;
    return options;
}

} // namespace haulmoor
