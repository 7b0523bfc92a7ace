#include "serviceoptions.h"

#include "platform/paths.h"
#include "platform/processes.h"

#include <chrono>
#include <thread>

namespace haulmoor {

ServiceOptions ServiceOptions::defaults()
{
    ServiceOptions options;
    options.moduleDir = platform::currentExecutableDir();
    options.homeDir = platform::homeDirectory();
    options.waitTick = [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); };
    options.mainProgramRunning = [] { return platform::findProcess("Gearloft") != 0; };
    return options;
}

} // namespace haulmoor
