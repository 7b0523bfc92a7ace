#include "rangedfetch.h"

#include "sha256.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <curl/curl.h>
#include <thread>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// The service's figures, repeated so a change there shows up as a gap here.
constexpr int kFirstRange = 132768;
constexpr int kSmallCap = 132768;
constexpr int kLargeCap = 531072;
constexpr std::int64_t kLargePackage = 80LL << 20;
constexpr std::int64_t kLargeStartLimit = 90LL << 20;
constexpr double kFastRangeMs = 1200;

// One range's body, appended to the file in one fwrite once it is complete,
// as the service does.
struct RangeBody
{
    std::string bytes;
    std::int64_t limit = 0;
};

size_t toString(char* data, size_t size, size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

size_t toBody(char* data, size_t size, size_t count, void* target)
{
    auto* body = static_cast<RangeBody*>(target);
    const size_t bytes = size * count;
    // A server ignoring Range would send the whole package; stop it at once.
    if (static_cast<std::int64_t>(body->bytes.size() + bytes) > body->limit)
        return 0;
    body->bytes.append(data, bytes);
    return bytes;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Easy
{
    CURL* curl = curl_easy_init();
    curl_slist* headers = nullptr;
    ~Easy()
    {
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
    }
};

} // namespace

RangedFetch fetchInRanges(const std::string& packageUrl, const std::string& metadataUrl,
                          const std::string& outPath)
{
    RangedFetch result;
    const auto started = Clock::now();
    Easy easy;
    CURL* curl = easy.curl;
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");

    std::string metadata;
    curl_easy_setopt(curl, CURLOPT_URL, metadataUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &toString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &metadata);
    long status = 0;
    if (curl_easy_perform(curl) != CURLE_OK ||
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status != 200) {
        result.error = "metadata GET failed, status " + std::to_string(status);
        return result;
    }
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(metadata)).object();
    const auto total = static_cast<std::int64_t>(root.value(QStringLiteral("package_size")).toDouble());
    if (total <= 0) {
        result.error = "no package_size in " + metadata;
        return result;
    }
    // The service's check, made in line: the plainest way to do it.
    const std::string expected =
        haulmoor::Sha256::normalise(root.value(QStringLiteral("sha256")).toString().toStdString());
    haulmoor::Sha256 digest;

    const auto opened = Clock::now();
    std::FILE* file = std::fopen(outPath.c_str(), "wb");
    if (!file) {
        result.error = "cannot create " + outPath;
        return result;
    }
    RangeBody body;
    easy.headers = curl_slist_append(nullptr, "Connection: keep-alive");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, easy.headers);
    curl_easy_setopt(curl, CURLOPT_URL, packageUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &toBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);

    int chunk = total > kLargePackage && total < kLargeStartLimit ? kFirstRange * 4 : kFirstRange;
    const int cap = total < kLargePackage ? kSmallCap : kLargeCap;
    while (result.bytes < total && result.error.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const std::int64_t first = result.bytes;
        const std::int64_t last = std::min(first + chunk, total) - 1;
        const std::string range = std::to_string(first) + "-" + std::to_string(last);
        curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
        body.bytes.clear();
        body.limit = last - first + 1;
        const auto asked = Clock::now();
        const CURLcode code = curl_easy_perform(curl);
        const double elapsed = msSince(asked);
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        ++result.ranges;
        if (code != CURLE_OK || status != 206 || static_cast<std::int64_t>(body.bytes.size()) != body.limit) {
            result.error = "range " + range + " failed: " + curl_easy_strerror(code) + ", status " +
                           std::to_string(status);
        } else if (std::fwrite(body.bytes.data(), 1, body.bytes.size(), file) != body.bytes.size()) {
            result.error = "cannot write " + outPath;
        } else if (!expected.empty()) {
            digest.add(body.bytes.data(), body.bytes.size());
        }
        result.bytes += static_cast<std::int64_t>(body.bytes.size());
        if (elapsed < kFastRangeMs)
            chunk = std::min(chunk * 2, cap);
    }
    if (result.error.empty() && !expected.empty() && digest.hexDigest() != expected)
        result.error = "checksum mismatch on " + packageUrl;
    const bool closed = std::fclose(file) == 0;
    result.transferMs = msSince(opened);
    result.totalMs = msSince(started);
    if (!closed && result.error.empty())
        result.error = "cannot write " + outPath;
    result.ok = result.error.empty();
    return result;
}

} // namespace bench
