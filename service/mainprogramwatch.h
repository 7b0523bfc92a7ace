#pragma once

#include <string>
#include <utility>

namespace platform {
class StopEvent;
}

namespace haulmoor {

// Tells when no process of the main program runs any more; the service must
// not outlive it. Costs nothing while it runs: one process of that name is
// found, then the kernel reports its end, and only then is the list looked
// through again (a client started meanwhile keeps the service). Where the
// kernel cannot report an end, the list is looked through every 100 ms.
class MainProgramWatch
{
public:
    static constexpr const char* kImageName = "Gearloft";
    static constexpr int kScanIntervalMs = 100;

    explicit MainProgramWatch(std::string imageName = kImageName) : m_imageName(std::move(imageName)) {}

    // True once none runs; false as soon as stop is set.
    bool waitUntilGone(const platform::StopEvent& stop) const;

private:
    std::string m_imageName;
};

} // namespace haulmoor
