#pragma once

#include <functional>
#include <string>

namespace haulmoor {

// What the service takes from its surroundings; tests replace any of it.
struct ServiceOptions
{
    std::string moduleDir;          // folder of the service program: Setup.xml, ToolsFileTemp, ZipUnzip
    std::string homeDir;            // where the main program's own update is staged
    std::function<void()> waitTick; // one dispatcher tick (100 ms)
    std::function<bool()> mainProgramRunning; // the service lives only as long as this holds
    int workerCount = 10;

    static ServiceOptions defaults();
};

} // namespace haulmoor
