#include "serviceoptions.h"

#include "mainprogramwatch.h"
#include "platform/paths.h"

namespace haulmoor {

ServiceOptions ServiceOptions::defaults()
{
    ServiceOptions options;
    options.moduleDir = platform::currentExecutableDir();
    options.homeDir = platform::homeDirectory();
    options.waitForMainProgramEnd = [](const platform::StopEvent& stop) {
        return MainProgramWatch().waitUntilGone(stop);
    };
    options.catchStopSignals = true;
    return options;
}

} // namespace haulmoor
