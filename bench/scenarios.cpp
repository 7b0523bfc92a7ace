#include "scenarios.h"

#include "childprocess.h"
#include "folders.h"
#include "installtiming.h"
#include "rangedfetch.h"
#include "serviceinstance.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace bench {

namespace {

constexpr int kInstallTimeoutMs = 180000;

std::int64_t fileBytes(const std::string& path)
{
    std::error_code code;
    const auto size = std::filesystem::file_size(path, code);
    return code ? -1 : static_cast<std::int64_t>(size);
}

// VmRSS of a service that has started all its threads but had no request.
long idleRss(const ServiceInstance& service)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return service.rssKiB();
}

// Dirty pages of the previous run are written back now, not during the next timed one.
void settle()
{
    sync();
}

bool checkUnpacked(const std::string& dir, const Package& package, const std::string& who, std::string& error)
{
    const std::int64_t bytes = folderBytes(dir);
    if (bytes == package.contentBytes)
        return true;
    error = who + " left " + std::to_string(bytes) + " bytes in " + dir + " instead of " +
            std::to_string(package.contentBytes);
    return false;
}

bool timeCurl(const std::string& url, const std::string& out, const Package& package, Samples* samples,
              std::string& error)
{
    std::remove(out.c_str());
    settle();
    const TimedRun run = runTimed({"curl", "-s", "-o", out, url});
    if (!run.started || run.exitCode != 0 || fileBytes(out) != package.zipBytes) {
        error = "curl failed on " + url + " (exit " + std::to_string(run.exitCode) + ")";
        return false;
    }
    if (samples)
        samples->add(run.elapsedMs);
    std::remove(out.c_str());
    return true;
}

bool timeAria2(const std::string& url, const std::string& dir, const Package& package, Samples* samples,
               std::string& error)
{
    const std::string name = "aria2.zip";
    const std::string out = dir + "/" + name;
    std::remove(out.c_str());
    settle();
    const TimedRun run = runTimed({"aria2c", "-x4", "-s4", "-k1M", "-q", "--allow-overwrite=true",
                                   "--auto-file-renaming=false", "-d", dir, "-o", name, url});
    if (!run.started || run.exitCode != 0 || fileBytes(out) != package.zipBytes) {
        error = "aria2c failed on " + url + " (exit " + std::to_string(run.exitCode) + ")";
        return false;
    }
    if (samples)
        samples->add(run.elapsedMs);
    std::remove(out.c_str());
    return true;
}

bool timeLoop(const std::string& url, const std::string& out, SizeFigures& figures, bool record,
              std::string& error)
{
    std::remove(out.c_str());
    settle();
    const std::string metadata = url.substr(0, url.size() - 4) + ".json";
    const RangedFetch fetch = fetchInRanges(url, metadata, out);
    if (!fetch.ok || fetch.bytes != figures.package.zipBytes) {
        error = "the minimal range loop failed on " + url + ": " + fetch.error;
        return false;
    }
    if (record) {
        figures.loopTotalMs.add(fetch.totalMs);
        figures.loopRangesMs.add(fetch.transferMs);
        figures.loopRanges = fetch.ranges;
    }
    std::remove(out.c_str());
    return true;
}

struct InstallSamples
{
    Samples* transferMs = nullptr;   // file created -> closed
    Samples* downloadedMs = nullptr; // request -> file closed
    Samples* unpackMs = nullptr;     // file closed -> removed
    Samples* installedMs = nullptr;  // request -> file removed
    Samples* seen100Ms = nullptr;
    Samples* seen200Ms = nullptr;
    Samples* fetchUnpackMs = nullptr; // file created -> removed
};

void addTo(Samples* samples, double value)
{
    if (samples && value >= 0)
        samples->add(value);
}

bool timeService(ServiceInstance& service, const BenchSetup& setup, const std::string& url,
                 const SizeFigures& figures, const InstallSamples* samples, std::string& error)
{
    const std::string unzipDir = setup.workDir + "/installed-" + figures.name + "/";
    settle();
    const InstallTiming timing = installAndWait(service, {{url, unzipDir}}, setup.pollMs, kInstallTimeoutMs);
    if (!timing.ok) {
        error = "service install of " + url + ": " + timing.error;
        return false;
    }
    if (!checkUnpacked(unzipDir, figures.package, "the service", error))
        return false;
    if (samples) {
        const PackagePhases& phases = timing.packages.front();
        addTo(samples->transferMs, phases.rangesMs());
        addTo(samples->downloadedMs, phases.fileClosedMs);
        addTo(samples->unpackMs, phases.unpackMs());
        addTo(samples->installedMs, phases.fileRemovedMs);
        if (phases.fileCreatedMs >= 0 && phases.fileRemovedMs >= 0)
            addTo(samples->fetchUnpackMs, phases.fileRemovedMs - phases.fileCreatedMs);
        addTo(samples->seen200Ms, timing.installedSeenMs);
        addTo(samples->seen100Ms, timing.downloadedSeenMs);
    }
    std::string ignored;
    freshFolder(unzipDir, ignored);
    return true;
}

} // namespace

std::string packageUrl(const BenchSetup& setup, const std::string& name)
{
    return setup.baseUrl + "/" + name + ".zip";
}

bool measureDownloads(const BenchSetup& setup, SizeFigures& figures, std::string& error)
{
    const std::string url = packageUrl(setup, figures.name);
    const std::string scratch = setup.workDir + "/fetched";
    if (!freshFolder(scratch, error))
        return false;
    ServiceInstance ranged(setup.haulmoorPath, setup.unpackerPath,
                           setup.workDir + "/service-" + figures.name);
    ServiceInstance streamed(setup.haulmoorPath, setup.unpackerPath,
                             setup.workDir + "/service-stream-" + figures.name);
    streamed.setTransferMode(1);
    ServiceInstance oneStream(setup.haulmoorPath, setup.unpackerPath,
                              setup.workDir + "/service-onestream-" + figures.name);
    oneStream.setTransferMode(1);
    oneStream.setTransferConnections(1);
    if (setup.rangesToo) {
        if (!ranged.start(error))
            return false;
        figures.serviceIdleRssKiB = idleRss(ranged);
    }
    if (!streamed.start(error) || !oneStream.start(error))
        return false;
    const InstallSamples rangedSamples{&figures.serviceRangesMs,  &figures.serviceDownloadedMs,
                                       &figures.serviceUnpackMs,  nullptr,
                                       &figures.serviceSeen100Ms, &figures.serviceSeen200Ms};
    const InstallSamples streamedSamples{
        &figures.streamMs,        &figures.streamDownloadedMs, nullptr, &figures.streamInstalledMs, nullptr,
        &figures.streamSeen200Ms, &figures.streamFetchUnpackMs};
    const InstallSamples oneStreamSamples{&figures.oneStreamMs, nullptr, nullptr,
                                          &figures.oneStreamInstalledMs};
    // Round 0 warms caches and connections and is not recorded.
    for (int round = 0; round <= setup.runs; ++round) {
        const bool record = round > 0;
        if (!timeCurl(url, scratch + "/curl.zip", figures.package, record ? &figures.curlMs : nullptr, error))
            return false;
        if (setup.rangesToo &&
            (!timeLoop(url, scratch + "/loop.zip", figures, record, error) ||
             !timeService(ranged, setup, url, figures, record ? &rangedSamples : nullptr, error)))
            return false;
        if (!timeAria2(url, scratch, figures.package, record ? &figures.aria2Ms : nullptr, error) ||
            !timeService(streamed, setup, url, figures, record ? &streamedSamples : nullptr, error) ||
            !timeService(oneStream, setup, url, figures, record ? &oneStreamSamples : nullptr, error))
            return false;
    }
    if (setup.rangesToo) {
        figures.servicePeakRssKiB = ranged.peakRssKiB();
        ranged.stop();
    }
    figures.streamPeakRssKiB = streamed.peakRssKiB();
    streamed.stop();
    oneStream.stop();
    return true;
}

bool measureUnpackers(const BenchSetup& setup, SizeFigures& figures, std::string& error)
{
    const std::string dir = setup.workDir + "/unpacked";
    const std::string& zip = figures.package.zipPath;
    // Unpacks are short and cheap, and their times scatter with writeback: take more of them.
    for (int round = 0; round <= setup.unpackRuns(); ++round) {
        // Alternating who goes first keeps cache and writeback effects off one side.
        for (int turn = 0; turn < 2; ++turn) {
            const bool bsdtar = (round + turn) % 2 == 0;
            if (!freshFolder(dir, error))
                return false;
            settle();
            const TimedRun run = bsdtar ? runTimed({"bsdtar", "-xf", zip, "-C", dir})
                                        : runTimed({setup.unpackerPath, "1", zip, dir});
            const int success = bsdtar ? 0 : 1;
            const std::string who = bsdtar ? "bsdtar" : "ZipUnzip";
            if (!run.started || run.exitCode != success) {
                error = who + " failed on " + zip + " (exit " + std::to_string(run.exitCode) + ")";
                return false;
            }
            if (!checkUnpacked(dir, figures.package, who, error))
                return false;
            if (round == 0)
                continue;
            (bsdtar ? figures.bsdtarMs : figures.unpackerMs).add(run.elapsedMs);
            long& peak = bsdtar ? figures.bsdtarPeakRssKiB : figures.unpackerPeakRssKiB;
            peak = std::max(peak, run.maxRssKiB);
        }
    }
    return freshFolder(dir, error);
}

bool measureParallel(const BenchSetup& setup, const Package& package, ParallelFigures& figures,
                     std::string& error)
{
    std::vector<InstallRequest> requests;
    for (const auto& name : figures.names)
        requests.push_back({packageUrl(setup, name), setup.workDir + "/installed-" + name + "/"});
    for (int run = 0; run < setup.parallelRuns; ++run) {
        // A new service each time: its peak RSS then belongs to this run alone.
        ServiceInstance service(setup.haulmoorPath, setup.unpackerPath, setup.workDir + "/service-parallel");
        service.setTransferMode(figures.transferMode);
        if (!service.start(error))
            return false;
        figures.idleRssKiB = std::max(figures.idleRssKiB, idleRss(service));
        settle();
        const InstallTiming timing = installAndWait(service, requests, setup.pollMs, kInstallTimeoutMs);
        if (!timing.ok) {
            error = "parallel install: " + timing.error;
            return false;
        }
        figures.peakRssKiB = std::max(figures.peakRssKiB, service.peakRssKiB());
        figures.sampledRssKiB = std::max(figures.sampledRssKiB, timing.maxSampledRssKiB);
        service.stop();
        double slowest = 0;
        double last = 0;
        for (const PackagePhases& phases : timing.packages) {
            slowest = std::max(slowest, phases.rangesMs());
            last = std::max(last, phases.fileClosedMs);
        }
        figures.installedSeenMs.add(timing.installedSeenMs);
        figures.slowestRangesMs.add(slowest);
        figures.lastDownloadedMs.add(last);
        for (const auto& request : requests) {
            if (!checkUnpacked(request.unzipDir, package, "the service", error) ||
                !freshFolder(request.unzipDir, error))
                return false;
        }
    }
    return true;
}

} // namespace bench
