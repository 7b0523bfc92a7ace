#pragma once

#include "downloadpath.h"
#include "followinghasher.h"
#include "platform/positionalfile.h"
#include "ratewindow.h"
#include "request.h"
#include "segmentedfetch.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct StreamRecord;

namespace platform {
class StopEvent;
}

namespace haulmoor {

class TrustedKeys;

// Fetches one package into the download folder, writing its progress into
// the URL's cell, checks it against the metadata's checksum and hands it to
// the installer. Two ways to fetch: the range sequence, or streamed
// requests that resume where a broken connection left off: one for the
// whole package, or one per part over several connections for a large one.
class PackageDownloader
{
public:
    static constexpr int kDefaultChunk = 132768;
    static constexpr int kSmallCap = 132768;
    static constexpr int kLargeCap = 531072;
    static constexpr int kMinChunk = 4096;
    static constexpr std::int64_t kLargePackage = 83886080;    // 80 MiB
    static constexpr std::int64_t kLargeStartLimit = 94371840; // 90 MiB
    static constexpr int kFastRangeMs = 1200;
    // Passes that bring no bytes (an empty answer, a broken 206) before the
    // download gives up instead of asking for the same range forever.
    static constexpr int kMaxIdlePasses = 20;
    // Streamed transfers.
    static constexpr std::chrono::milliseconds kProgressInterval{100};
    static constexpr std::chrono::milliseconds kStreamStall{10000};
    // Streamed packages this large are fetched over several connections.
    static constexpr std::int64_t kSegmentedPackage = 16 * 1024 * 1024;
    static constexpr int kDefaultConnections = 4;
    static constexpr int kMaxConnections = 8;
    static const std::vector<std::chrono::milliseconds>& defaultResumePauses();

    // Waits out a pause before a resume; false when the download is to stop.
    using PauseFunction = std::function<bool(std::chrono::milliseconds)>;

    PackageDownloader();
    ~PackageDownloader();
    PackageDownloader(const PackageDownloader&) = delete;
    PackageDownloader& operator=(const PackageDownloader&) = delete;

    void setUrl(std::string url) { m_url = std::move(url); }
    void setChunkSize(int size) { m_chunkSize = size; }
    void setDownloadDir(std::string dir) { m_downloadDir = std::move(dir); }
    void setUnzipDir(std::string dir) { m_unzipDir = std::move(dir); }
    void setCell(std::shared_ptr<ProgressCell> cell, std::mutex* lock);
    void setUnpackerDir(std::string dir) { m_unpackerDir = std::move(dir); }
    // The main program is fetched into a private work folder made inside the
    // download folder; the unzip folder is then the home folder.
    void setPackageKind(PackageKind kind) { m_kind = kind; }
    void setTransferMode(TransferMode mode) { m_mode = mode; }
    // Connections of a streamed transfer (1 to 8; 1: always one stream).
    void setTransferConnections(int connections);
    // The smallest package fetched over several connections; tests make it
    // small. Parts are never split below a quarter of it.
    void setSegmentThreshold(std::int64_t bytes) { m_segmentThreshold = bytes; }
    // A first answer this slow in coming means a long link, on which all
    // connections join at once (the service's own rule when unset).
    void setLongLink(std::chrono::milliseconds latency) { m_longLink = latency; }
    // One pause per resume, in order; their count is how many resumes a
    // streamed transfer makes without progress before it fails.
    void setResumePauses(std::vector<std::chrono::milliseconds> pauses)
    {
        m_resumePauses = std::move(pauses);
    }
    void setPauseFunction(PauseFunction pause) { m_pause = std::move(pause); }
    // Once set, the download ends as on a cancel and an unpack under way is
    // stopped and undone: the service is ending.
    void setStopEvent(const platform::StopEvent* stop) { m_abandoned = stop; }
    void setStallTimeout(std::chrono::milliseconds stall) { m_stall = stall; }
    // With keys that require it, the metadata must carry the publisher's
    // signature and name this package before anything is fetched.
    void setTrustedKeys(std::shared_ptr<const TrustedKeys> keys) { m_keys = std::move(keys); }
    // An authority for the cloud's certificate, besides the system's.
    void setCaFile(const std::string& path);

    // Whatever way it ends, no package file or work folder is left.
    void download();

    static std::string metadataUrl(const std::string& packageUrl);
    // The next range [first, last] after received bytes of total.
    static std::pair<std::int64_t, std::int64_t> nextRange(std::int64_t received, std::int64_t total,
                                                           int chunk);

private:
    // How one streamed request ended.
    enum class StreamEnd
    {
        Complete,
        Broken,  // connection lost, stalled or cut short: resume
        Changed, // the package is not the one begun: start again from 0
        Failed,  // a wrong answer or a write error: give up
        Cancelled,
    };

    void run();
    bool preparePackagePath();
    void install();
    // Removes the package (and work folder) before the final value is
    // written, so a client that sees the value never finds them.
    void finish(int value);
    void removeWorkDir();
    bool readTotal();
    bool vouchedFor(const std::string& metadataText);
    bool refusedConnection();
    void setFailure(const char* reason);
    bool openFile();
    bool transferRanged();
    bool transferSingle();
    bool transferStreamed();
    bool segmented() const;
    bool transferSegmented();
    SegmentedFetch::Outcome fetchSegments();
    std::vector<int> segmentClients();
    StreamEnd streamOnce();
    bool acceptAnswer(const StreamRecord& record);
    bool takeBody(const char* data, std::size_t length);
    bool restartFromZero();
    bool pauseBeforeResume(std::chrono::milliseconds pause);
    bool cancelPending();
    bool abandoned() const;
    void reportBytes(bool force);
    void clearBytes();
    void writePercent(int percent);
    bool exchange(const std::string& url, int& status, const char*& body, std::size_t& length);
    void setHeader(const char* name, const std::string& value);
    void setMaxResponse(std::int64_t bytes);
    bool takeCancel();
    void dropPartialFile();
    // The transfer ends on a cancel (no trace, no final status of its own)
    // or as failed; both return false for the caller to pass on.
    bool endCancelled();
    bool endFailed();
    void writeCell(int value);
    int cellValue();
    bool appendToFile(const char* data, std::size_t length);
    bool closeFile();

    std::string m_url;
    int m_chunkSize = kDefaultChunk;
    std::int64_t m_received = 0;
    std::int64_t m_total = 0;
    std::mutex* m_lock = nullptr;
    std::mutex m_ownLock; // used only when no shared lock was given
    std::string m_downloadDir = "./SubTools/";
    std::string m_unzipDir = "./SubTools/";
    std::string m_fileName;
    std::shared_ptr<ProgressCell> m_cell;
    const platform::StopEvent* m_abandoned = nullptr;
    int m_client = -1;
    std::string m_unpackerDir;
    std::string m_localPath;
    std::string m_workDir; // the main program's private folder; empty otherwise
    PackageKind m_kind = PackageKind::Tool;
    platform::PositionalFile m_file;

    TransferMode m_mode = TransferMode::Ranges;
    int m_connections = kDefaultConnections;
    std::int64_t m_segmentThreshold = kSegmentedPackage;
    std::optional<std::chrono::milliseconds> m_longLink;
    std::vector<int> m_segmentClients; // the connections besides m_client's
    std::string m_caFile;
    std::string m_expectedSha256; // empty: the metadata carries no checksum
    std::shared_ptr<const TrustedKeys> m_keys;
    FollowingHasher m_hasher;   // runs only when there is a checksum to compare
    std::int64_t m_written = 0; // bytes in the file
    std::vector<std::chrono::milliseconds> m_resumePauses = defaultResumePauses();
    PauseFunction m_pause;
    std::chrono::milliseconds m_stall = kStreamStall;
    std::string m_validator;                 // ETag or Last-Modified of the first streamed answer
    StreamEnd m_refusal = StreamEnd::Failed; // why the last answer was refused
    bool m_writeFailed = false;
    RateWindow m_rate;
    RateWindow::Clock::time_point m_lastReport;
    int m_lastPercent = 0;
};

} // namespace haulmoor
