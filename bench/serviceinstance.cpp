#include "serviceinstance.h"

#include "childprocess.h"
#include "loopback.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <curl/curl.h>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace bench {

namespace {

constexpr int kStartTimeoutMs = 10000;
// A reply stuck this long means the service hangs.
constexpr long kReplyTimeoutMs = 15000;

size_t toString(char* data, size_t size, size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

std::optional<QJsonObject> post(int port, int method, const std::vector<InstallRequest>& entries)
{
    QJsonArray urls;
    for (const auto& entry : entries)
        urls.append(QJsonObject{{QStringLiteral("url"), QString::fromStdString(entry.url)},
                                {QStringLiteral("unzipDir"), QString::fromStdString(entry.unzipDir)}});
    const QByteArray body =
        QJsonDocument(QJsonObject{{QStringLiteral("method"), method}, {QStringLiteral("urls"), urls}})
            .toJson(QJsonDocument::Compact);
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/DownloadSubTool?format=json";

    std::string reply;
    CURL* curl = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kReplyTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &toString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK || status != 200)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(reply));
    if (!document.isObject() || document.object().value(QStringLiteral("method")).toInt() != method)
        return std::nullopt;
    return document.object();
}

std::map<std::string, int> valuesOf(const QJsonObject& reply)
{
    std::map<std::string, int> values;
    for (const QJsonValue& entry : reply.value(QStringLiteral("urlsToValue")).toArray()) {
        const QJsonObject object = entry.toObject();
        bool ok = false;
        const int value = object.value(QStringLiteral("value")).toString().toInt(&ok);
        if (ok)
            values[object.value(QStringLiteral("url")).toString().toStdString()] = value;
    }
    return values;
}

bool copyProgram(const std::string& from, const std::string& to, std::string& error)
{
    std::error_code code;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, code);
    if (!code)
        fs::permissions(to, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec, code);
    if (code)
        error = "cannot copy " + from + " to " + to + ": " + code.message();
    return !code;
}

} // namespace

ServiceInstance::ServiceInstance(std::string haulmoorPath, std::string unpackerPath, std::string rootDir)
    : m_haulmoorPath(std::move(haulmoorPath)), m_unpackerPath(std::move(unpackerPath)),
      m_rootDir(std::move(rootDir))
{
}

ServiceInstance::~ServiceInstance()
{
    stop();
}

bool ServiceInstance::prepareInstallation(std::string& error)
{
    const std::string install = m_rootDir + "/install";
    std::error_code code;
    fs::create_directories(install, code);
    fs::create_directories(downloadFolder(), code);
    if (code) {
        error = "cannot create " + m_rootDir + ": " + code.message();
        return false;
    }
    // The service finds the unpacker beside its own executable, which must be
    // a real file: its folder comes from /proc/self/exe.
    if (!copyProgram(m_haulmoorPath, install + "/Haulmoor", error) ||
        !copyProgram(m_unpackerPath, install + "/ZipUnzip", error) ||
        !copyProgram("/bin/sleep", m_rootDir + "/Gearloft", error))
        return false;
    std::ofstream setup(install + "/Setup.xml", std::ios::trunc);
    setup << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n<DownloadPath>\n<Value>" << m_rootDir
          << "/downloads</Value>\n</DownloadPath>\n<TransferMode>\n<Value>" << m_transferMode
          << "</Value>\n</TransferMode>\n";
    if (m_transferConnections > 0)
        setup << "<TransferConnections>\n<Value>" << m_transferConnections
              << "</Value>\n</TransferConnections>\n";
    setup << "</Setup>\n";
    if (!setup.flush()) {
        error = "cannot write Setup.xml";
        return false;
    }
    return true;
}

bool ServiceInstance::start(std::string& error)
{
    stop();
    if (!prepareInstallation(error))
        return false;
    m_standInPid = spawnChild({m_rootDir + "/Gearloft", "86400"}, m_rootDir, {});
    m_port = fixtures::loopback::pickFreePort();
    if (m_standInPid < 0 || m_port == 0) {
        error = "cannot start the stand-in main program or find a free port";
        return false;
    }
    m_servicePid = spawnChild({m_rootDir + "/install/Haulmoor", std::to_string(m_port)}, m_rootDir,
                              m_rootDir + "/service.log");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!isAlive(m_servicePid)) {
            error = "the service exited at start; see " + m_rootDir + "/service.log";
            m_servicePid = -1;
            return false;
        }
        if (fixtures::loopback::portAnswers(static_cast<quint16>(m_port)))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    error = "the service did not answer on port " + std::to_string(m_port);
    return false;
}

void ServiceInstance::stop()
{
    // Without its main program the service ends by itself, unless some other
    // process named like it is running.
    endChild(m_standInPid);
    m_standInPid = -1;
    if (m_servicePid > 0 && !waitForExit(m_servicePid, 3000))
        endChild(m_servicePid);
    m_servicePid = -1;
}

bool ServiceInstance::requestInstall(const std::vector<InstallRequest>& entries, std::string& error)
{
    const auto reply = post(m_port, 3, entries);
    if (!reply) {
        error = "the service did not answer the install request";
        return false;
    }
    const auto values = valuesOf(*reply);
    for (const auto& entry : entries) {
        if (values.count(entry.url) == 0) {
            error = "the service did not take " + entry.url;
            return false;
        }
    }
    return true;
}

std::optional<std::map<std::string, int>> ServiceInstance::progress(const std::vector<std::string>& urls)
{
    std::vector<InstallRequest> entries;
    for (const auto& url : urls)
        entries.push_back({url, {}});
    const auto reply = post(m_port, 4, entries);
    if (!reply)
        return std::nullopt;
    return valuesOf(*reply);
}

long ServiceInstance::statusField(const char* field) const
{
    if (m_servicePid <= 0)
        return 0;
    std::ifstream status("/proc/" + std::to_string(m_servicePid) + "/status");
    std::string name;
    long value = 0;
    while (status >> name) {
        if (name == field && status >> value)
            return value;
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

} // namespace bench
