#include "installtiming.h"

#include "fileevents.h"
#include "folders.h"

#include <algorithm>
#include <thread>

namespace bench {

namespace {

using Clock = FileEvents::Clock;

double msBetween(Clock::time_point from, const std::optional<Clock::time_point>& to)
{
    return to ? std::chrono::duration<double, std::milli>(*to - from).count() : -1;
}

bool isFailure(int value)
{
    return value == -1 || value == 400 || value == 404;
}

} // namespace

InstallTiming installAndWait(ServiceInstance& service, const std::vector<InstallRequest>& requests,
                             int pollMs, int timeoutMs)
{
    InstallTiming timing;
    std::vector<std::string> folders{service.downloadFolder()};
    std::vector<std::string> urls;
    for (const auto& request : requests) {
        if (!freshFolder(request.unzipDir, timing.error))
            return timing;
        urls.push_back(request.url);
    }
    FileEvents events;
    if (!events.start(folders, timing.error))
        return timing;

    const auto asked = Clock::now();
    if (!service.requestInstall(requests, timing.error))
        return timing;
    const auto deadline = asked + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
        timing.maxSampledRssKiB = std::max(timing.maxSampledRssKiB, service.rssKiB());
        const auto values = service.progress(urls);
        const auto now = Clock::now();
        if (!values || values->size() != urls.size()) {
            timing.error = "the service did not answer a progress request";
            return timing;
        }
        const auto [lowest, highest] = std::minmax_element(
            values->begin(), values->end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        for (const auto& [url, value] : *values) {
            if (isFailure(value)) {
                timing.error = url + " ended with " + std::to_string(value);
                return timing;
            }
        }
        if (lowest->second >= 100 && lowest->second < 200 && timing.downloadedSeenMs < 0)
            timing.downloadedSeenMs = msBetween(asked, now);
        if (lowest->second == 200 && highest->second == 200) {
            timing.installedSeenMs = msBetween(asked, now);
            break;
        }
        if (now > deadline) {
            timing.error = "no install within " + std::to_string(timeoutMs / 1000) + " s";
            return timing;
        }
    }
    // The removal may reach the watcher a moment after the service reported 200.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    events.stop();
    for (const auto& url : urls) {
        const std::string name = fileNameOf(url);
        PackagePhases phases;
        phases.fileCreatedMs = msBetween(asked, events.created(name));
        phases.fileClosedMs = msBetween(asked, events.closedAfterWrite(name));
        phases.fileRemovedMs = msBetween(asked, events.removed(name));
        if (phases.fileCreatedMs < 0 || phases.fileClosedMs < 0 || phases.fileRemovedMs < 0) {
            timing.error = "missed the download file events of " + name;
            return timing;
        }
        timing.packages.push_back(phases);
    }
    timing.ok = true;
    return timing;
}

} // namespace bench
