#include "packagedownloader.h"

#include "connectionrefusal.h"
#include "contentrange.h"
#include "packageinstaller.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/stopevent.h"
#include "segmentedfetch.h"
#include "servicelog.h"
#include "sha256.h"
#include "signaturecheck.h"
#include "streamvalidator.h"
#include "transientname.h"
#include "trustedkeys.h"
#include "wirelink/wirelink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <json/json.h>
#include <thread>

namespace haulmoor {

using namespace localprotocol;

namespace {

constexpr std::int64_t kMaxMetadataBytes = 1024 * 1024;

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

constexpr auto kPauseSlice = std::chrono::milliseconds(50);

struct Metadata
{
    std::int64_t size = 0; // 0 when missing or unusable
    bool hasChecksum = false;
    std::string sha256; // lower-case hex; empty when present but unreadable
    std::string file;   // the package's file name, as the publisher signed it
};

Metadata parseMetadata(const std::string& text)
{
    Metadata metadata;
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(text, root, false) || !root.isObject())
        return metadata;
    const Json::Value& size = root["package_size"];
    if (size.isInt64() && size.asInt64() > 0)
        metadata.size = size.asInt64();
    if (root.isMember("sha256")) {
        metadata.hasChecksum = true;
        const Json::Value& sha = root["sha256"];
        if (sha.isString())
            metadata.sha256 = Sha256::normalise(sha.asString());
    }
    if (root["file"].isString())
        metadata.file = root["file"].asString();
    return metadata;
}

void logLine(const std::string& line)
{
    serviceLog("download", line);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The name a publisher signs for the package at url: the last segment of
// its path, query and fragment left out and escapes such as "%20" decoded.
std::string signedFileName(const std::string& url)
{
    const std::string path = url.substr(0, url.find_first_of("?#"));
    const auto slash = path.rfind('/');
    const std::string segment = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string name;
    for (std::size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size() && hexDigit(segment[i + 1]) >= 0 &&
            hexDigit(segment[i + 2]) >= 0) {
            name += static_cast<char>(hexDigit(segment[i + 1]) * 16 + hexDigit(segment[i + 2]));
            i += 2;
        } else {
            name += segment[i];
        }
    }
    return name;
}

} // namespace

const std::vector<std::chrono::milliseconds>& PackageDownloader::defaultResumePauses()
{
    static const std::vector<std::chrono::milliseconds> pauses{
        std::chrono::milliseconds(500), std::chrono::milliseconds(1000), std::chrono::milliseconds(2000),
        std::chrono::milliseconds(4000), std::chrono::milliseconds(8000)};
    return pauses;
}

PackageDownloader::PackageDownloader() : m_lock(&m_ownLock), m_client(NET_HTTPCLIENT_Create()) {}

PackageDownloader::~PackageDownloader()
{
    closeFile();
    if (m_client != -1)
        NET_HTTPCLIENT_Destroy(m_client);
    for (const int client : m_segmentClients)
        NET_HTTPCLIENT_Destroy(client);
}

void PackageDownloader::setTransferConnections(int connections)
{
    m_connections = std::clamp(connections, 1, kMaxConnections);
}

void PackageDownloader::setCell(std::shared_ptr<ProgressCell> cell, std::mutex* lock)
{
    m_cell = std::move(cell);
    m_lock = lock ? lock : &m_ownLock;
}

void PackageDownloader::setCaFile(const std::string& path)
{
    m_caFile = path;
    NET_HTTPCLIENT_SetParam(m_client, WL_CLIENT_CA_FILE, nullptr, 0, path.data(),
                            static_cast<long long>(path.size()));
}

std::string PackageDownloader::metadataUrl(const std::string& packageUrl)
{
    std::string url = packageUrl;
    replaceAll(url, ".zip", ".json");
    return url;
}

std::pair<std::int64_t, std::int64_t> PackageDownloader::nextRange(std::int64_t received, std::int64_t total,
                                                                   int chunk)
{
    const std::int64_t last = received + chunk > total ? total - 1 : received + chunk - 1;
    return {received, last};
}

void PackageDownloader::download()
{
    run();
    dropPartialFile();
    removeWorkDir();
    std::lock_guard<std::mutex> guard(*m_lock);
    if (m_cell)
        m_cell->running = false;
}

bool PackageDownloader::preparePackagePath()
{
    if (m_kind == PackageKind::MainProgram) {
        m_workDir = platform::makePrivateFolder(m_downloadDir, TransientName::prefix());
        if (m_workDir.empty())
            return false;
        m_localPath = m_workDir + "/package";
        return true;
    }
    // The service's own name: a file or link of that name cannot be there
    // already, and a later service knows whose leftover it is.
    m_localPath = m_downloadDir + TransientName::next(m_fileName);
    if (!platform::makeDirectories(m_downloadDir))
        return false;
    // Another user who may change these folders could swap what the service
    // writes or unpacks there for links into this user's files.
    std::string why;
    if (!platform::folderIsPrivate(m_downloadDir, why) ||
        (m_kind == PackageKind::Tool && platform::makeDirectories(m_unzipDir) &&
         !platform::folderIsPrivate(m_unzipDir, why))) {
        logLine("Download folder refused: " + m_url + ": " + why);
        setFailure(kFailureFolder);
        return false;
    }
    return true;
}

void PackageDownloader::run()
{
    if (m_url.empty() || !m_cell || abandoned())
        return;
    const auto slash = m_url.rfind('/');
    m_fileName = slash == std::string::npos ? m_url : m_url.substr(slash + 1);
    if (!readTotal())
        return;

    if (m_total > kLargePackage && m_total < kLargeStartLimit)
        m_chunkSize *= 4;
    const std::int64_t blocks = m_total / m_chunkSize;

    if (!preparePackagePath() || !openFile()) {
        finish(StatusFailed);
        return;
    }

    bool complete = false;
    if (m_mode == TransferMode::Stream)
        complete = segmented() ? transferSegmented() : transferStreamed();
    else
        complete = blocks > 0 ? transferRanged() : transferSingle();
    if (!complete || abandoned()) {
        dropPartialFile();
        return;
    }
    // Hashed before the file is closed, so a closed file is a checked one.
    const std::string digest = m_expectedSha256.empty() ? std::string() : m_hasher.finish();
    if (!closeFile()) {
        // The last bytes never reached the disk (a full disk shows up here).
        finish(StatusFailed);
        return;
    }
    if (digest != m_expectedSha256) {
        logLine("Checksum mismatch: " + m_url);
        setFailure(kFailureChecksum);
        finish(StatusFailed);
        return;
    }
    // Held back until the checksum matched, so 100 always means "verified".
    if (m_mode == TransferMode::Stream || !m_expectedSha256.empty())
        writeCell(StatusReceived);

    if (cellValue() == StatusReceived)
        install();
}

void PackageDownloader::install()
{
    PackageInstaller installer(m_unpackerDir);
    installer.setStopEvent(m_abandoned);
    const int result = m_kind == PackageKind::MainProgram
                           ? installer.stageMainProgram(m_localPath, m_workDir, m_unzipDir)
                           : installer.install(m_localPath, m_fileName, m_unzipDir);
    if (!installer.error().empty())
        logLine("Install failed: " + m_url + ": " + installer.error());
    if (!installer.failure().empty()) {
        std::lock_guard<std::mutex> guard(*m_lock);
        m_cell->failure = installer.failure();
    }
    finish(result);
}

void PackageDownloader::finish(int value)
{
    dropPartialFile();
    removeWorkDir();
    std::string cause;
    {
        std::lock_guard<std::mutex> guard(*m_lock);
        cause = m_cell->failure;
    }
    logLine("Ended " + m_url + " with " + std::to_string(value) +
            (cause.empty() ? "" : ", failure reason " + cause));
    writeCell(value);
}

void PackageDownloader::removeWorkDir()
{
    if (!m_workDir.empty() && platform::removeTree(m_workDir))
        m_workDir.clear();
}

bool PackageDownloader::openFile()
{
    closeFile();
    m_written = 0;
    // Emptied by starting over: the name is ours alone, so nothing else is
    // removed, and "x" never opens what already stands there.
    std::remove(m_localPath.c_str());
    // Every byte reaches the file at once, where the hasher reads it back.
    if (!m_file.create(m_localPath))
        return false;
    if (!m_expectedSha256.empty() && !m_hasher.start(m_localPath)) {
        closeFile();
        return false;
    }
    return true;
}

bool PackageDownloader::readTotal()
{
    if (m_url.find("https://") != std::string::npos) {
        setHeader("Pragma", "public");
        setHeader("Cache-Control", "must-revalidate, post-check=0, pre-check=0");
    }
    setMaxResponse(kMaxMetadataBytes);
    int status = 0;
    const char* body = nullptr;
    std::size_t length = 0;
    const bool ok = exchange(metadataUrl(m_url), status, body, length);
    if (status == 404) {
        finish(StatusNotFound);
        return false;
    }
    if (!ok || status != 200 || !body || body[0] == '\0') {
        if (!ok)
            refusedConnection();
        finish(StatusFailed);
        return false;
    }
    const std::string text(body, std::strlen(body));
    // The signature covers every byte the server sent.
    if (m_keys && m_keys->required() && !vouchedFor(std::string(body, length))) {
        finish(StatusFailed);
        return false;
    }
    const Metadata metadata = parseMetadata(text);
    if (m_keys && m_keys->required()) {
        // A valid signature of another package's metadata, or of one that
        // says nothing about the package's bytes, vouches for nothing here.
        const bool thisPackage =
            !metadata.file.empty() && (metadata.file == m_fileName || metadata.file == signedFileName(m_url));
        const char* wrong = !thisPackage            ? "Signed for another package: "
                            : !metadata.hasChecksum ? "Signed without a checksum: "
                                                    : nullptr;
        if (wrong) {
            logLine(wrong + m_url);
            setFailure(kFailureSignature);
            finish(StatusFailed);
            return false;
        }
    }
    m_total = metadata.size;
    if (m_total == 0) {
        finish(StatusFailed);
        return false;
    }
    if (metadata.hasChecksum && metadata.sha256.empty()) {
        // A checksum that cannot be read cannot vouch for the package.
        logLine("Unreadable checksum: " + m_url);
        setFailure(kFailureChecksum);
        finish(StatusFailed);
        return false;
    }
    m_expectedSha256 = metadata.sha256;
    return true;
}

bool PackageDownloader::vouchedFor(const std::string& metadataText)
{
    const SignatureCheck::Outcome outcome =
        SignatureCheck::run(m_client, metadataUrl(m_url), metadataText, *m_keys);
    if (outcome == SignatureCheck::Outcome::Verified)
        return true;
    if (outcome == SignatureCheck::Outcome::Unreachable) {
        refusedConnection(); // otherwise a network failure like any other
        return false;
    }
    logLine(SignatureCheck::describe(outcome, m_url));
    setFailure(kFailureSignature);
    return false;
}

bool PackageDownloader::refusedConnection()
{
    std::string why;
    if (!ConnectionRefusal::lastFailure(why))
        return false;
    logLine(ConnectionRefusal::describe(m_url, why));
    setFailure(kFailureCertificate);
    return true;
}

void PackageDownloader::setFailure(const char* reason)
{
    std::lock_guard<std::mutex> guard(*m_lock);
    m_cell->failure = reason;
}

bool PackageDownloader::transferRanged()
{
    setHeader("Connection", "keep-alive");
    int lastPercent = 0;
    int idlePasses = 0;
    const int cap = m_total < kLargePackage ? kSmallCap : kLargeCap;
    while (m_received < m_total) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto [first, last] = nextRange(m_received, m_total, m_chunkSize);
        setHeader("Range", "bytes=" + std::to_string(first) + "-" + std::to_string(last));
        // A longer answer than the range (a server ignoring Range) fails the
        // exchange instead of landing in the file.
        setMaxResponse(last - first + 1);

        int status = 0;
        const char* body = nullptr;
        std::size_t length = 0;
        const auto started = std::chrono::steady_clock::now();
        bool ok = exchange(m_url, status, body, length);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
                .count();
        if (ok && status != 206)
            ok = false; // a whole file or other 2xx is never a range

        if (ok) {
            if (takeCancel()) {
                dropPartialFile();
                return false;
            }
            if (elapsed < kFastRangeMs)
                m_chunkSize = std::min(m_chunkSize * 2, cap);
            if (length == 0) {
                if (++idlePasses >= kMaxIdlePasses) {
                    finish(StatusFailed);
                    return false;
                }
            } else {
                idlePasses = 0;
                if (!appendToFile(body, length)) {
                    finish(StatusFailed);
                    dropPartialFile();
                    return false;
                }
                m_received += static_cast<std::int64_t>(length);
                const int percent =
                    static_cast<int>(static_cast<double>(m_received) / static_cast<double>(m_total) * 100.0);
                if (percent != lastPercent) {
                    writePercent(percent);
                    lastPercent = percent;
                }
            }
        } else {
            if (takeCancel()) {
                dropPartialFile();
                return false;
            }
            if (status == 408 || status == 0) {
                // A certificate does not get better with shorter ranges.
                if (refusedConnection() || m_chunkSize <= kMinChunk) {
                    finish(StatusFailed);
                    return false;
                }
                m_chunkSize /= 2;
                continue;
            }
            if (status == 206) {
                if (++idlePasses >= kMaxIdlePasses) {
                    finish(StatusFailed);
                    return false;
                }
                continue;
            }
            finish(StatusFailed);
            return false;
        }
        if (takeCancel()) {
            dropPartialFile();
            return false;
        }
    }
    return true;
}

bool PackageDownloader::transferSingle()
{
    // Shorter than one range: one request, which a cancel does not stop.
    setMaxResponse(static_cast<std::int64_t>(kLargeCap) * 4);
    int status = 0;
    const char* body = nullptr;
    std::size_t length = 0;
    if (!exchange(m_url, status, body, length)) {
        refusedConnection();
        finish(StatusFailed);
        return false;
    }
    if (!appendToFile(body, length)) {
        finish(StatusFailed);
        return false;
    }
    m_received = static_cast<std::int64_t>(length);
    writePercent(StatusReceived);
    return true;
}

bool PackageDownloader::transferStreamed()
{
    m_lastPercent = 0;
    m_rate.clear();
    m_lastReport = {};
    reportBytes(true);
    std::size_t fruitless = 0; // tries in a row that brought no byte
    for (;;) {
        const std::int64_t before = m_received;
        const StreamEnd end = streamOnce();
        switch (end) {
        case StreamEnd::Complete:
            if (takeCancel()) {
                // Cancelled with the last bytes: the user said stop.
                clearBytes();
                dropPartialFile();
                return false;
            }
            reportBytes(true);
            return true;
        case StreamEnd::Cancelled:
            return endCancelled();
        case StreamEnd::Failed:
            return endFailed();
        case StreamEnd::Changed:
            if (!restartFromZero())
                return false;
            break;
        case StreamEnd::Broken:
            break;
        }
        if (m_received > before)
            fruitless = 0;
        if (fruitless >= m_resumePauses.size()) {
            return endFailed();
        }
        if (!pauseBeforeResume(m_resumePauses[fruitless++])) {
            return endCancelled();
        }
    }
}

bool PackageDownloader::segmented() const
{
    return m_connections > 1 && m_total >= m_segmentThreshold;
}

bool PackageDownloader::transferSegmented()
{
    m_lastPercent = 0;
    m_rate.clear();
    m_lastReport = {};
    reportBytes(true);
    std::size_t restarts = 0;
    for (;;) {
        // A full disk is found before a byte is fetched.
        if (!m_file.reserve(m_total)) {
            logLine("No room for the package: " + m_url);
            return endFailed();
        }
        const SegmentedFetch::Outcome outcome = fetchSegments();
        switch (outcome) {
        case SegmentedFetch::Outcome::Complete:
            if (takeCancel()) {
                // Cancelled with the last bytes: the user said stop.
                clearBytes();
                dropPartialFile();
                return false;
            }
            reportBytes(true);
            return true;
        case SegmentedFetch::Outcome::Cancelled:
            return endCancelled();
        case SegmentedFetch::Outcome::Failed:
            return endFailed();
        case SegmentedFetch::Outcome::Changed:
            break;
        }
        // A package that keeps changing is given up like a dead server.
        if (restarts >= m_resumePauses.size()) {
            return endFailed();
        }
        if (!pauseBeforeResume(m_resumePauses[restarts++])) {
            return endCancelled();
        }
        if (!restartFromZero())
            return false;
        if (!segmented())
            return transferStreamed();
    }
}

SegmentedFetch::Outcome PackageDownloader::fetchSegments()
{
    // Its connections are given up when it ends, before any other exchange.
    SegmentedFetch fetch(m_url, m_total, segmentClients(), m_file,
                         m_expectedSha256.empty() ? nullptr : &m_hasher);
    fetch.setStallTimeout(m_stall);
    fetch.setResumePauses(m_resumePauses);
    fetch.setPauseFunction(m_pause);
    fetch.setMinimumSplit(m_segmentThreshold / 4);
    if (m_longLink)
        fetch.setLongLink(*m_longLink);
    fetch.setStopCheck([this] { return cancelPending(); });
    fetch.setProgress([this](std::int64_t received) {
        m_received = received;
        reportBytes(false);
    });
    const SegmentedFetch::Outcome outcome = fetch.run();
    m_received = fetch.received();
    if (outcome == SegmentedFetch::Outcome::Failed && fetch.connectionRefused())
        refusedConnection();
    return outcome;
}

std::vector<int> PackageDownloader::segmentClients()
{
    // The first connection is the one the metadata came over.
    while (static_cast<int>(m_segmentClients.size()) + 1 < m_connections) {
        const int client = NET_HTTPCLIENT_Create();
        if (client == -1)
            break;
        if (!m_caFile.empty())
            NET_HTTPCLIENT_SetParam(client, WL_CLIENT_CA_FILE, nullptr, 0, m_caFile.data(),
                                    static_cast<long long>(m_caFile.size()));
        m_segmentClients.push_back(client);
    }
    std::vector<int> clients{m_client};
    clients.insert(clients.end(), m_segmentClients.begin(), m_segmentClients.end());
    return clients;
}

PackageDownloader::StreamEnd PackageDownloader::streamOnce()
{
    setHeader("Range", "bytes=" + std::to_string(m_received) + "-");
    // Only a resume asks whether the package is still the one begun; an
    // empty value removes the header.
    setHeader("If-Range", m_received > 0 ? m_validator : std::string());

    StreamRecord record;
    record.url = m_url.c_str();
    record.urlLength = m_url.size();
    record.user = this;
    record.onStart = [](void* self, const StreamRecord* answer) {
        return static_cast<PackageDownloader*>(self)->acceptAnswer(*answer) ? 1 : 0;
    };
    record.onBody = [](void* self, const char* data, std::size_t length) {
        return static_cast<PackageDownloader*>(self)->takeBody(data, length) ? 1 : 0;
    };
    record.shouldStop = [](void* self) {
        auto* downloader = static_cast<PackageDownloader*>(self);
        downloader->reportBytes(false); // keeps the rate honest through a stall
        return downloader->cancelPending() ? 1 : 0;
    };
    record.stallMs = static_cast<int>(m_stall.count());
    m_refusal = StreamEnd::Failed;
    m_writeFailed = false;

    const bool ok = NET_HTTPCLIENT_StreamExchange(m_client, &record) != 0;
    if (m_writeFailed)
        return StreamEnd::Failed;
    if (cancelPending())
        return StreamEnd::Cancelled;
    if (ok)
        return m_received == m_total ? StreamEnd::Complete : StreamEnd::Broken;
    switch (record.error) {
    case WL_ERR_REFUSED:
        return m_refusal;
    case WL_ERR_CANCELLED:
        return StreamEnd::Cancelled;
    case WL_ERR_HTTP_STATUS:
        if (record.status >= 500 || record.status == 408 || record.status == 429)
            return StreamEnd::Broken; // a server on its way down or back up
        if (record.status == 416 && m_received > 0)
            return StreamEnd::Changed; // the package got shorter
        return StreamEnd::Failed;
    case WL_ERR_TLS:
    case WL_ERR_SCHEME:
        refusedConnection(); // no resume can mend it
        return StreamEnd::Failed;
    case WL_ERR_BAD_ARGUMENT:
    case WL_ERR_BAD_HANDLE:
    case WL_ERR_NO_MEMORY:
        return StreamEnd::Failed;
    default:
        return StreamEnd::Broken;
    }
}

bool PackageDownloader::acceptAnswer(const StreamRecord& record)
{
    const std::string validator = streamValidator(record);
    if (record.status == 206) {
        ContentRange range;
        if (!ContentRange::parse(record.contentRange, range))
            return false;
        if (range.size >= 0 && range.size != m_total) {
            m_refusal = StreamEnd::Changed;
            return false;
        }
        if (range.first != m_received || range.last != m_total - 1)
            return false;
        // An error page sent as "206" claims the range but not its length.
        if (record.contentLength >= 0 && record.contentLength != range.last - range.first + 1)
            return false;
        if (!m_validator.empty() && !validator.empty() && validator != m_validator) {
            m_refusal = StreamEnd::Changed;
            return false;
        }
    } else if (record.status == 200) {
        // The whole package: welcome at the start; after a break it means the
        // package changed (If-Range) or Range is ignored, so start over.
        if (m_received > 0 || (record.contentLength >= 0 && record.contentLength != m_total)) {
            m_refusal = StreamEnd::Changed;
            return false;
        }
    } else {
        return false;
    }
    if (m_validator.empty())
        m_validator = validator;
    return true;
}

bool PackageDownloader::takeBody(const char* data, std::size_t length)
{
    // More than the package holds is never written.
    if (static_cast<std::int64_t>(length) > m_total - m_received || !appendToFile(data, length)) {
        m_writeFailed = true;
        return false;
    }
    m_received += static_cast<std::int64_t>(length);
    reportBytes(false);
    return true;
}

bool PackageDownloader::restartFromZero()
{
    // The package changed: its size and checksum may have too.
    m_validator.clear();
    m_received = 0;
    m_rate.clear();
    // Headers stay set on the handle; the metadata must come whole.
    setHeader("Range", std::string());
    setHeader("If-Range", std::string());
    if (!readTotal()) {
        dropPartialFile();
        return false;
    }
    if (!openFile()) {
        finish(StatusFailed);
        return false;
    }
    reportBytes(true);
    return true;
}

bool PackageDownloader::pauseBeforeResume(std::chrono::milliseconds pause)
{
    {
        std::lock_guard<std::mutex> guard(*m_lock);
        if (m_cell->total > 0)
            m_cell->rate = 0;
    }
    m_rate.clear();
    if (m_pause) {
        if (!m_pause(pause))
            return false;
    } else {
        const auto until = std::chrono::steady_clock::now() + pause;
        while (!cancelPending() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                kPauseSlice, until - std::chrono::steady_clock::now()));
    }
    return !cancelPending();
}

bool PackageDownloader::cancelPending()
{
    if (abandoned())
        return true;
    std::lock_guard<std::mutex> guard(*m_lock);
    return m_cell->cancelRequested != 0;
}

bool PackageDownloader::abandoned() const
{
    return m_abandoned && m_abandoned->isSet();
}

void PackageDownloader::reportBytes(bool force)
{
    const auto now = RateWindow::Clock::now();
    if (!force && now - m_lastReport < kProgressInterval)
        return;
    m_lastReport = now;
    const std::int64_t rate = m_rate.add(now, m_received);
    // 100 is written only once the package is verified.
    const int percent = std::min(
        99, static_cast<int>(static_cast<double>(m_received) / static_cast<double>(m_total) * 100.0));
    std::lock_guard<std::mutex> guard(*m_lock);
    if (m_cell->cancelRequested)
        return;
    m_cell->received = m_received;
    m_cell->total = m_total;
    m_cell->rate = rate;
    if (percent != m_lastPercent) {
        m_cell->value = percent;
        m_lastPercent = percent;
    }
}

void PackageDownloader::clearBytes()
{
    std::lock_guard<std::mutex> guard(*m_lock);
    m_cell->received = 0;
    m_cell->total = 0;
    m_cell->rate = 0;
}

bool PackageDownloader::exchange(const std::string& url, int& status, const char*& body, std::size_t& length)
{
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    const bool ok = NET_HTTPCLIENT_ShortLinkExchange(m_client, &record) != 0;
    status = record.status;
    body = record.body;
    length = record.bodyLength;
    return ok;
}

void PackageDownloader::setHeader(const char* name, const std::string& value)
{
    NET_HTTPCLIENT_SetParam(m_client, WL_CLIENT_HEADER, name, static_cast<int>(std::strlen(name)),
                            value.data(), static_cast<long long>(value.size()));
}

void PackageDownloader::setMaxResponse(std::int64_t bytes)
{
    const std::string text = std::to_string(bytes);
    NET_HTTPCLIENT_SetParam(m_client, WL_CLIENT_MAX_RESPONSE, nullptr, 0, text.data(),
                            static_cast<long long>(text.size()));
}

bool PackageDownloader::takeCancel()
{
    std::lock_guard<std::mutex> guard(*m_lock);
    if (!m_cell->cancelRequested)
        return abandoned();
    m_cell->cancelRequested = 0;
    // Given up: a new request for the URL must start a task of its own.
    m_cell->running = false;
    return true;
}

void PackageDownloader::dropPartialFile()
{
    closeFile();
    std::remove(m_localPath.c_str());
}

bool PackageDownloader::endCancelled()
{
    takeCancel();
    clearBytes();
    dropPartialFile();
    return false;
}

bool PackageDownloader::endFailed()
{
    dropPartialFile();
    finish(StatusFailed);
    return false;
}

void PackageDownloader::writeCell(int value)
{
    std::lock_guard<std::mutex> guard(*m_lock);
    m_cell->value = value;
    if (value < 0 || value > StatusReceived) {
        // A final value: the download no longer runs.
        m_cell->running = false;
        m_cell->received = 0;
        m_cell->total = 0;
        m_cell->rate = 0;
    }
}

void PackageDownloader::writePercent(int percent)
{
    // With a checksum to compare, "received" waits for the comparison.
    if (percent == StatusReceived && !m_expectedSha256.empty())
        return;
    writeCell(percent);
}

int PackageDownloader::cellValue()
{
    std::lock_guard<std::mutex> guard(*m_lock);
    return m_cell->value;
}

bool PackageDownloader::appendToFile(const char* data, std::size_t length)
{
    if (length == 0)
        return true;
    if (!m_file.writeAt(m_written, data, length))
        return false;
    m_written += static_cast<std::int64_t>(length);
    m_hasher.grewTo(m_written);
    return true;
}

bool PackageDownloader::closeFile()
{
    m_hasher.abandon();
    return m_file.close();
}

} // namespace haulmoor
