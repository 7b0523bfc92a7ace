#pragma once

#include "request.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace haulmoor {

// Fetches one package into the download folder, range by range, writing its
// progress into the URL's cell, then hands it to the installer.
class PackageDownloader
{
public:
    static constexpr int kDefaultChunk = 132768;
    static constexpr int kSmallCap = 132768;
    static constexpr int kLargeCap = 531072;
    static constexpr int kMinChunk = 4096;
    static constexpr std::int64_t kLargePackage = 83886080;     // 80 MiB
    static constexpr std::int64_t kLargeStartLimit = 94371840;  // 90 MiB
    static constexpr int kFastRangeMs = 1200;
    // Passes that bring no bytes (an empty answer, a broken 206) before the
    // download gives up instead of asking for the same range forever.
    static constexpr int kMaxIdlePasses = 20;

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

    void download();

    static std::string metadataUrl(const std::string& packageUrl);
    // The next range [first, last] after received bytes of total.
    static std::pair<std::int64_t, std::int64_t> nextRange(std::int64_t received, std::int64_t total, int chunk);

private:
    bool readTotal();
    void transferRanged();
    void transferSingle();
    bool exchange(const std::string& url, int& status, const char*& body, std::size_t& length);
    void setHeader(const char* name, const std::string& value);
    void setMaxResponse(std::int64_t bytes);
    bool takeCancel();
    void dropPartialFile();
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
    int m_client = -1;
    std::string m_unpackerDir;
    std::string m_localPath;
    std::FILE* m_file = nullptr;
};

} // namespace haulmoor
