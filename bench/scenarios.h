#pragma once

#include "packagemaker.h"
#include "samples.h"

#include <string>
#include <vector>

namespace bench {

struct BenchSetup
{
    std::string haulmoorPath;
    std::string unpackerPath;
    std::string workDir;   // scratch: fetched files, unpack folders, service installations
    std::string servedDir; // what nginx serves
    std::string baseUrl;
    std::string linkLabel = "loopback nginx";
    int roundTripMs = 0;   // of the link, for the targets that depend on it
    bool rangesToo = true; // false: streamed transfers only (curl, bsdtar and the streamed service)
    int runs = 7;
    int parallelRuns = 3;
    int pollMs = 50;

    int unpackRuns() const { return runs * 2 + 1; }
};

struct SizeFigures
{
    std::string label;
    std::string name; // served as name.zip and name.json
    Package package;

    Samples curlMs;
    Samples aria2Ms;      // aria2c -x4 -s4 -k1M
    Samples loopTotalMs;  // metadata GET and ranges
    Samples loopRangesMs; // file opened to closed
    int loopRanges = 0;

    Samples serviceRangesMs;     // file opened to closed
    Samples serviceDownloadedMs; // request to file closed
    Samples serviceSeen100Ms;    // request to a poll answering "100"
    Samples serviceSeen200Ms;    // request to a poll answering "200"
    Samples serviceUnpackMs;     // file closed to file removed: unpacker and move
    long serviceIdleRssKiB = 0;  // VmRSS once started, before any request
    long servicePeakRssKiB = 0;

    // The same service with TransferMode 1.
    Samples streamMs;            // file created to closed: the stream, hashed as it is written
    Samples streamDownloadedMs;  // request to file closed
    Samples streamInstalledMs;   // request to file removed: verified, unpacked and moved
    Samples streamFetchUnpackMs; // file created to removed: download, checksum and unpack
    Samples streamSeen200Ms;     // request to a poll answering "200"
    long streamPeakRssKiB = 0;
    // The same with TransferConnections 1: one connection, as before parts.
    Samples oneStreamMs;          // file created to closed
    Samples oneStreamInstalledMs; // request to file removed

    Samples bsdtarMs;
    Samples unpackerMs;
    long bsdtarPeakRssKiB = 0;
    long unpackerPeakRssKiB = 0;
};

struct ParallelFigures
{
    int transferMode = 0;
    std::vector<std::string> names;
    Samples installedSeenMs;  // request to all "200"
    Samples slowestRangesMs;  // the slowest download's file opened to closed
    Samples lastDownloadedMs; // request to the last file closed
    long idleRssKiB = 0;      // VmRSS once started, before any request
    long peakRssKiB = 0;      // worst VmHWM over the runs
    long sampledRssKiB = 0;   // largest VmRSS seen while polling
};

std::string packageUrl(const BenchSetup& setup, const std::string& name);

bool measureDownloads(const BenchSetup& setup, SizeFigures& figures, std::string& error);
bool measureUnpackers(const BenchSetup& setup, SizeFigures& figures, std::string& error);
bool measureParallel(const BenchSetup& setup, const Package& package, ParallelFigures& figures,
                     std::string& error);

} // namespace bench
