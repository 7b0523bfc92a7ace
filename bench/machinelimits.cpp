#include "machinelimits.h"

#include "childprocess.h"
#include "sha256.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kPiece = 512 * 1024;

double since(Clock::time_point started)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

bool timeWrite(const std::string& path, std::int64_t bytes, bool synced, Samples& samples, std::string& error)
{
    std::vector<char> piece(kPiece, '\x5a');
    std::remove(path.c_str());
    sync();
    const auto started = Clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = fd >= 0;
    for (std::int64_t written = 0; ok && written < bytes;) {
        const auto length = static_cast<std::size_t>(std::min<std::int64_t>(kPiece, bytes - written));
        ok = ::write(fd, piece.data(), length) == static_cast<ssize_t>(length);
        written += static_cast<std::int64_t>(length);
    }
    if (ok && synced)
        ok = ::fdatasync(fd) == 0;
    if (fd >= 0)
        ok = ::close(fd) == 0 && ok;
    const double elapsed = since(started);
    std::remove(path.c_str());
    if (!ok) {
        error = "cannot write " + path;
        return false;
    }
    samples.add(elapsed);
    return true;
}

} // namespace

bool measureLimits(const BenchSetup& setup, const SizeFigures& figures, MachineLimits& limits,
                   std::string& error)
{
    limits.bytes = figures.package.zipBytes;
    const std::string url = packageUrl(setup, figures.name);
    const std::string scratch = setup.workDir + "/limit.bin";
    std::vector<char> data(static_cast<std::size_t>(limits.bytes), '\x33');
    for (int round = 0; round <= setup.runs; ++round) {
        const bool record = round > 0;
        // The emulated link drops the odd connection while it settles: a
        // second try tells a hiccup from a server that is not there.
        TimedRun run = runTimed({"curl", "-s", "-o", "/dev/null", url});
        if (run.started && run.exitCode != 0)
            run = runTimed({"curl", "-s", "-o", "/dev/null", url});
        if (!run.started || run.exitCode != 0) {
            error = "curl failed on " + url + " (exit " + std::to_string(run.exitCode) + ")";
            return false;
        }
        Samples ignored;
        if (!timeWrite(scratch, limits.bytes, false, record ? limits.diskMs : ignored, error) ||
            !timeWrite(scratch, limits.bytes, true, record ? limits.diskSyncedMs : ignored, error))
            return false;
        const auto started = Clock::now();
        haulmoor::Sha256 hash;
        hash.add(data.data(), data.size());
        const std::string digest = hash.hexDigest();
        if (!record || digest.empty())
            continue;
        limits.linkMs.add(run.elapsedMs);
        limits.sha256Ms.add(since(started));
    }
    return true;
}

} // namespace bench
