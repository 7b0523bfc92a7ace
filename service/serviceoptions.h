#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace platform {
class StopEvent;
}

namespace haulmoor {

// What the service takes from its surroundings; tests replace any of it.
struct ServiceOptions
{
    std::string moduleDir; // folder of the service program: ZipUnzip, trusted keys
    // The client's folder of files it writes (Setup.xml, ToolsFileTemp, the
    // main program's work folder); empty: moduleDir. A packaged client keeps
    // them per user and names the folder in kDataDirVariable.
    std::string dataDir;
    std::string homeDir;   // where the main program's own update is staged
    // Passed before each dispatch step once a request waits; tests hold the
    // dispatcher here to queue several requests and then release them one
    // step at a time. Empty: no gate.
    std::function<void()> dispatchGate;
    // Blocks until no process of the main program runs (true), or until the
    // event is set because the service ends for another reason (false).
    // Empty: the service never ends for want of its main program.
    std::function<bool(const platform::StopEvent&)> waitForMainProgramEnd;
    // SIGTERM and SIGINT end the service cleanly (the program itself; tests
    // that run a host in their own process leave them alone).
    bool catchStopSignals = false;
    // How long a signalled end may spend cleaning up before the service ends
    // all the same; the client kills it 3 s after its signal.
    std::chrono::milliseconds cleanUpLimit{2500};
    int workerCount = 10;

    static constexpr const char* kDataDirVariable = "GEARLOFT_DATA_DIR";

    std::string dataFolder() const { return dataDir.empty() ? moduleDir : dataDir; }

    static ServiceOptions defaults();
};

} // namespace haulmoor
