#include "packagedownloader.h"

#include "packageinstaller.h"
#include "platform/paths.h"
#include "wirelink/wirelink.h"

#include <json/json.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace haulmoor {

namespace {

constexpr std::int64_t kMaxMetadataBytes = 1024 * 1024;

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::int64_t packageSizeOf(const std::string& text)
{
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(text, root, false) || !root.isObject())
        return 0;
    const Json::Value& size = root["package_size"];
    if (!size.isInt64())
        return 0;
    const std::int64_t value = size.asInt64();
    return value > 0 ? value : 0;
}

} // namespace

PackageDownloader::PackageDownloader() : m_lock(&m_ownLock), m_client(NET_HTTPCLIENT_Create()) {}

PackageDownloader::~PackageDownloader()
{
    closeFile();
    if (m_client != -1)
        NET_HTTPCLIENT_Destroy(m_client);
}

void PackageDownloader::setCell(std::shared_ptr<ProgressCell> cell, std::mutex* lock)
{
    m_cell = std::move(cell);
    m_lock = lock ? lock : &m_ownLock;
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
    if (m_url.empty() || !m_cell)
        return;
    if (!readTotal())
        return;

    if (m_total > kLargePackage && m_total < kLargeStartLimit)
        m_chunkSize *= 4;
    const std::int64_t blocks = m_total / m_chunkSize;

    const auto slash = m_url.rfind('/');
    m_fileName = slash == std::string::npos ? m_url : m_url.substr(slash + 1);
    m_localPath = m_downloadDir + m_fileName;
    platform::makeDirectories(m_downloadDir);
    m_file = std::fopen(m_localPath.c_str(), "wb");
    if (!m_file) {
        writeCell(StatusFailed);
        return;
    }

    if (blocks > 0)
        transferRanged();
    else
        transferSingle();
    if (!closeFile() && cellValue() == StatusReceived) {
        // The last bytes never reached the disk (a full disk shows up here).
        std::remove(m_localPath.c_str());
        writeCell(StatusFailed);
        return;
    }

    if (cellValue() == StatusReceived) {
        PackageInstaller installer(m_unpackerDir);
        const int result = installer.install(m_localPath, m_fileName, m_unzipDir);
        std::remove(m_localPath.c_str());
        writeCell(result);
    }
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
        writeCell(StatusNotFound);
        return false;
    }
    if (!ok || status != 200 || !body || body[0] == '\0') {
        writeCell(StatusFailed);
        return false;
    }
    m_total = packageSizeOf(std::string(body, std::strlen(body)));
    if (m_total == 0) {
        writeCell(StatusFailed);
        return false;
    }
    return true;
}

void PackageDownloader::transferRanged()
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
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - started).count();
        if (ok && status != 206)
            ok = false; // a whole file or other 2xx is never a range

        if (ok) {
            if (takeCancel()) {
                dropPartialFile();
                return;
            }
            if (elapsed < kFastRangeMs)
                m_chunkSize = std::min(m_chunkSize * 2, cap);
            if (length == 0) {
                if (++idlePasses >= kMaxIdlePasses) {
                    writeCell(StatusFailed);
                    return;
                }
            } else {
                idlePasses = 0;
                if (!appendToFile(body, length)) {
                    writeCell(StatusFailed);
                    dropPartialFile();
                    return;
                }
                m_received += static_cast<std::int64_t>(length);
                const int percent = static_cast<int>(static_cast<double>(m_received) /
                                                     static_cast<double>(m_total) * 100.0);
                if (percent != lastPercent) {
                    writeCell(percent);
                    lastPercent = percent;
                }
            }
        } else {
            if (takeCancel()) {
                dropPartialFile();
                return;
            }
            if (status == 408 || status == 0) {
                if (m_chunkSize <= kMinChunk) {
                    writeCell(StatusFailed);
                    return;
                }
                m_chunkSize /= 2;
                continue;
            }
            if (status == 206) {
                if (++idlePasses >= kMaxIdlePasses) {
                    writeCell(StatusFailed);
                    return;
                }
                continue;
            }
            writeCell(StatusFailed);
            return;
        }
        if (takeCancel()) {
            dropPartialFile();
            return;
        }
    }
}

void PackageDownloader::transferSingle()
{
    // Shorter than one range: one request, which a cancel does not stop.
    setMaxResponse(static_cast<std::int64_t>(kLargeCap) * 4);
    int status = 0;
    const char* body = nullptr;
    std::size_t length = 0;
    if (!exchange(m_url, status, body, length)) {
        writeCell(StatusFailed);
        return;
    }
    if (!appendToFile(body, length)) {
        writeCell(StatusFailed);
        return;
    }
    m_received = static_cast<std::int64_t>(length);
    writeCell(StatusReceived);
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
    NET_HTTPCLIENT_SetParam(m_client, WL_CLIENT_HEADER, name, static_cast<int>(std::strlen(name)), value.data(),
                            static_cast<long long>(value.size()));
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
        return false;
    m_cell->cancelRequested = 0;
    return true;
}

void PackageDownloader::dropPartialFile()
{
    closeFile();
    std::remove(m_localPath.c_str());
}

void PackageDownloader::writeCell(int value)
{
    std::lock_guard<std::mutex> guard(*m_lock);
    m_cell->value = value;
}

int PackageDownloader::cellValue()
{
    std::lock_guard<std::mutex> guard(*m_lock);
    return m_cell->value;
}

bool PackageDownloader::appendToFile(const char* data, std::size_t length)
{
    return length == 0 || (m_file && std::fwrite(data, 1, length, m_file) == length);
}

bool PackageDownloader::closeFile()
{
    if (!m_file)
        return true;
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

} // namespace haulmoor
