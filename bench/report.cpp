#include "report.h"

#include "packagemaker.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace bench {

namespace {

constexpr int kLabelWidth = 50;
constexpr int kColumnWidth = 22;

std::string format(const char* pattern, double a, double b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

std::string timeCell(const Samples& samples)
{
    if (samples.empty())
        return "not seen";
    return format("%.1f ms (%.1f)", samples.median(), samples.best());
}

std::string mib(double kib)
{
    return format("%.1f MiB", kib / 1024.0);
}

void row(const std::string& label, const std::vector<std::string>& cells, const std::string& tail = {})
{
    std::printf("%-*s", kLabelWidth, label.c_str());
    for (const auto& cell : cells)
        std::printf("%-*s", kColumnWidth, cell.c_str());
    std::printf("%s\n", tail.c_str());
}

template <typename Cell> std::vector<std::string> cellsOf(const std::vector<SizeFigures>& sizes, Cell cell)
{
    std::vector<std::string> cells;
    for (const auto& figures : sizes)
        cells.push_back(cell(figures));
    return cells;
}

// One ratio per size, marked against an upper bound.
void ratioRow(const std::string& label, const std::vector<SizeFigures>& sizes,
              double (*ratio)(const SizeFigures&), double bound, bool informational)
{
    std::vector<std::string> cells;
    bool met = true;
    for (const auto& figures : sizes) {
        const double value = ratio(figures);
        met = met && value <= bound;
        std::string cell = format("%.3f", value);
        if (!informational)
            cell += value <= bound ? "  met" : "  NOT MET";
        cells.push_back(cell);
    }
    const std::string tail =
        informational ? "(informational)" : format("target <= %.2f: ", bound) + (met ? "met" : "NOT MET");
    row(label, cells, tail);
}

// One speed ratio per size (higher is faster), marked against a lower bound.
void speedRow(const std::string& label, const std::vector<SizeFigures>& sizes,
              double (*ratio)(const SizeFigures&), double bound, bool informational)
{
    std::vector<std::string> cells;
    bool met = true;
    for (const auto& figures : sizes) {
        const double value = ratio(figures);
        met = met && value >= bound;
        std::string cell = format("%.3f", value);
        if (!informational)
            cell += value >= bound ? "  met" : "  NOT MET";
        cells.push_back(cell);
    }
    const std::string tail =
        informational ? "(informational)" : format("target >= %.2f: ", bound) + (met ? "met" : "NOT MET");
    row(label, cells, tail);
}

void parallelSection(const BenchSetup& setup, const ParallelFigures& parallel, const char* how)
{
    std::printf("\nThree parallel installs of 200 MiB packages through one service, %s\n"
                "(%d runs, new service each)\n",
                how, setup.parallelRuns);
    row("request -> all three \"200\" polled", {timeCell(parallel.installedSeenMs)});
    row("request -> last download file closed", {timeCell(parallel.lastDownloadedMs)});
    row("slowest download (file opened -> closed)", {timeCell(parallel.slowestRangesMs)});
    row("service RSS when idle after start (VmRSS)", {mib(parallel.idleRssKiB)});
    row("service peak RSS: VmHWM / largest VmRSS polled",
        {mib(parallel.peakRssKiB) + " / " + format("%.1f", parallel.sampledRssKiB / 1024.0)});
}

void peakRow(const char* label, const ParallelFigures& parallel, const Targets& targets)
{
    const double peakMiB = parallel.peakRssKiB / 1024.0;
    row(label, {format("%.1f MiB", peakMiB)},
        format("target < %.0f MiB: ", targets.parallelPeakRssMiB) +
            (peakMiB < targets.parallelPeakRssMiB ? "met" : "NOT MET"));
}

std::string throughput(std::int64_t bytes, const Samples& samples)
{
    const double seconds = samples.median() / 1000.0;
    return format("%.0f MB/s", seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0);
}

void limitsReport(const BenchSetup& setup, const MachineLimits& limits)
{
    std::printf("\nLimits of this machine over %s (%.0f MiB, median of %d)\n", setup.linkLabel.c_str(),
                static_cast<double>(limits.bytes) / (1024.0 * 1024.0), setup.runs);
    row("one connection: curl -s -o /dev/null URL", {timeCell(limits.linkMs)},
        throughput(limits.bytes, limits.linkMs));
    row("disk: written, closed (page cache)", {timeCell(limits.diskMs)},
        throughput(limits.bytes, limits.diskMs));
    row("disk: written through (fdatasync)", {timeCell(limits.diskSyncedMs)},
        throughput(limits.bytes, limits.diskSyncedMs));
    row("SHA-256 in memory", {timeCell(limits.sha256Ms)}, throughput(limits.bytes, limits.sha256Ms));
}

void streamedReport(const BenchSetup& setup, const std::vector<SizeFigures>& sizes, const Targets& targets,
                    bool loopback)
{
    std::printf("\nStreamed transfers (TransferMode 1), %s\n",
                checksumsPublished() ? "checksum verified" : "no checksum published");
    row("", cellsOf(sizes, [](const SizeFigures& f) { return f.label; }));
    row("curl -s -o FILE URL", cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.curlMs); }));
    row("aria2c -x4 -s4 -k1M", cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.aria2Ms); }));
    row("bsdtar -xf PACKAGE -C DIR",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.bsdtarMs); }));
    row("streamed: stream (file opened -> closed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.streamMs); }));
    row("streamed: request -> file closed",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.streamDownloadedMs); }));
    row("streamed: request -> installed (file removed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.streamInstalledMs); }));
    row("streamed: download + unpack (created -> removed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.streamFetchUnpackMs); }));
    row("streamed: request -> \"200\" polled",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.streamSeen200Ms); }));
    row("streamed: service peak RSS (VmHWM)",
        cellsOf(sizes, [](const SizeFigures& f) { return mib(f.streamPeakRssKiB); }));
    row("one connection: stream (opened -> closed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.oneStreamMs); }));
    row("one connection: request -> installed",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.oneStreamInstalledMs); }));
    std::printf("Speed ratios of medians (time of the plain tools / time of the service)\n");
    speedRow(
        "curl / streamed stream", sizes,
        [](const SizeFigures& f) { return f.curlMs.median() / f.streamMs.median(); },
        targets.streamedSpeedOfCurl, false);
    speedRow(
        "curl / streamed request -> file closed", sizes,
        [](const SizeFigures& f) { return f.curlMs.median() / f.streamDownloadedMs.median(); }, 0, true);
    speedRow(
        "(curl + bsdtar) / streamed download + unpack", sizes,
        [](const SizeFigures& f) {
            return (f.curlMs.median() + f.bsdtarMs.median()) / f.streamFetchUnpackMs.median();
        },
        targets.installSpeedOfCurlBsdtar, true);
    // The whole install as the user waits for it, dispatch and metadata
    // included.
    speedRow(
        "(curl + bsdtar) / streamed request -> installed", sizes,
        [](const SizeFigures& f) {
            return (f.curlMs.median() + f.bsdtarMs.median()) / f.streamInstalledMs.median();
        },
        targets.installSpeedOfCurlBsdtar, !loopback);
    speedRow(
        "(aria2c + bsdtar) / streamed request -> installed", sizes,
        [](const SizeFigures& f) {
            return (f.aria2Ms.median() + f.bsdtarMs.median()) / f.streamInstalledMs.median();
        },
        targets.installSpeedOfAria2Bsdtar, setup.roundTripMs < targets.aria2TargetRoundTripMs);
    speedRow(
        "one connection / streamed: request -> installed", sizes,
        [](const SizeFigures& f) { return f.oneStreamInstalledMs.median() / f.streamInstalledMs.median(); },
        0, true);
}

} // namespace

void printReport(const BenchSetup& setup, const std::vector<SizeFigures>& sizes,
                 const ParallelFigures& parallelRanges, const ParallelFigures& parallelStreamed,
                 const MachineLimits& limits, const Targets& targets)
{
    const bool loopback = setup.linkLabel.find("loopback") != std::string::npos;
    if (!setup.rangesToo) {
        std::printf("\nOver %s; %d runs after one warm-up run, shown as median (best).\n",
                    setup.linkLabel.c_str(), setup.runs);
        limitsReport(setup, limits);
        streamedReport(setup, sizes, targets, loopback);
        parallelSection(setup, parallelStreamed, "streamed");
        peakRow("peak RSS, 3 parallel streamed 200 MiB", parallelStreamed, targets);
        std::fflush(stdout);
        return;
    }
    const ParallelFigures& parallel = parallelRanges;
    std::printf("\nDownload and unpack over %s; %d runs per download figure and %d per\n"
                "unpack figure after one warm-up run, shown as median (best). Service phases come\n"
                "from its download file being created, closed and removed; polls every %d ms\n"
                "see \"100\" and \"200\".\n\n",
                setup.linkLabel.c_str(), setup.runs, setup.unpackRuns(), setup.pollMs);
    row("", cellsOf(sizes, [](const SizeFigures& f) { return f.label; }));
    row("package bytes",
        cellsOf(sizes, [](const SizeFigures& f) { return std::to_string(f.package.zipBytes); }));
    row("curl -s -o FILE URL", cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.curlMs); }));
    row("minimal loop: metadata GET + ranges",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.loopTotalMs); }));
    row("minimal loop: ranges only",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.loopRangesMs); }));
    row("ranges per download",
        cellsOf(sizes, [](const SizeFigures& f) { return std::to_string(f.loopRanges); }));
    row("service: ranges only (file opened -> closed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.serviceRangesMs); }));
    row("service: request -> file closed",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.serviceDownloadedMs); }));
    row("service: request -> \"100\" polled",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.serviceSeen100Ms); }));
    row("service: request -> \"200\" polled (total)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.serviceSeen200Ms); }));
    row("service: unpack + move (file closed -> removed)",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.serviceUnpackMs); }));
    row("service RSS when idle after start (VmRSS)",
        cellsOf(sizes, [](const SizeFigures& f) { return mib(f.serviceIdleRssKiB); }));
    row("service peak RSS over all its installs (VmHWM)",
        cellsOf(sizes, [](const SizeFigures& f) { return mib(f.servicePeakRssKiB); }));
    row("bsdtar -xf PACKAGE -C DIR",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.bsdtarMs); }));
    row("ZipUnzip 1 PACKAGE DIR",
        cellsOf(sizes, [](const SizeFigures& f) { return timeCell(f.unpackerMs); }));
    row("peak RSS bsdtar / ZipUnzip", cellsOf(sizes, [](const SizeFigures& f) {
            return mib(f.bsdtarPeakRssKiB) + " / " + format("%.1f", f.unpackerPeakRssKiB / 1024.0);
        }));

    parallelSection(setup, parallel, "range sequence");
    std::printf("\nRatios of medians\n");
    row("", cellsOf(sizes, [](const SizeFigures& f) { return f.label; }));
    ratioRow(
        "service ranges / minimal loop ranges", sizes,
        [](const SizeFigures& f) { return f.serviceRangesMs.median() / f.loopRangesMs.median(); },
        targets.serviceOverLoop, false);
    ratioRow(
        "service request -> file closed / minimal loop all", sizes,
        [](const SizeFigures& f) { return f.serviceDownloadedMs.median() / f.loopTotalMs.median(); }, 0,
        true);
    ratioRow(
        "service ranges / curl", sizes,
        [](const SizeFigures& f) { return f.serviceRangesMs.median() / f.curlMs.median(); }, 0, true);
    ratioRow(
        "ZipUnzip / bsdtar", sizes,
        [](const SizeFigures& f) { return f.unpackerMs.median() / f.bsdtarMs.median(); },
        targets.unpackerOverBsdtar, false);
    peakRow("peak RSS, 3 parallel 200 MiB (ranges)", parallel, targets);

    limitsReport(setup, limits);
    streamedReport(setup, sizes, targets, loopback);
    parallelSection(setup, parallelStreamed, "streamed");
    peakRow("peak RSS, 3 parallel streamed 200 MiB", parallelStreamed, targets);
    std::fflush(stdout);
}

} // namespace bench
