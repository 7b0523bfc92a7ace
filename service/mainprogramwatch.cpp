#include "mainprogramwatch.h"

#include "platform/processes.h"
#include "platform/processwatch.h"
#include "platform/stopevent.h"

namespace haulmoor {

bool MainProgramWatch::waitUntilGone(const platform::StopEvent& stop) const
{
    while (!stop.isSet()) {
        const pid_t pid = platform::findProcess(m_imageName);
        if (pid == 0)
            return true;
        const platform::ProcessWatch watch(pid);
        if (!watch.watching()) {
            if (stop.wait(kScanIntervalMs))
                return false;
            continue;
        }
        // The process may have ended, and its pid gone to another, between
        // the scan and the watch.
        if (platform::processIsNamed(pid, m_imageName))
            watch.waitForEnd(&stop, -1);
    }
    return false;
}

} // namespace haulmoor
