#include "versionquery.h"

#include "connectionrefusal.h"
#include "downloadpath.h"
#include "servicehost.h"
#include "signaturecheck.h"
#include "trustedkeys.h"
#include "wirelink/wirelink.h"

#include <cstdio>
#include <cstring>
#include <json/json.h>

namespace haulmoor::versionquery {

namespace {
constexpr const char* kMaxIndexBytes = "4194304";

void logLine(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}
} // namespace

std::string indexUrl(const std::string& baseUrl, int method)
{
    const char* product = method == localprotocol::CheckMaterialVersion ? "material" : "gearloft";
    return baseUrl + "/4200/tool/windows/" + product + "/package.json";
}

std::string latestVersion(const std::string& indexText)
{
    if (indexText.empty())
        return {};
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(indexText, root, false) || !root.isObject())
        return {};
    const Json::Value& apps = root["app"];
    if (!apps.isArray())
        return {};
    std::string version;
    for (const Json::Value& app : apps) {
        if (app.isObject() && app.isMember("version") && app["version"].isString())
            version = app["version"].asString();
    }
    return version;
}

std::string fetchLatestVersion(const std::string& baseUrl, int method, const TrustedKeys* keys,
                               const std::string& caFile)
{
    const std::string url = indexUrl(baseUrl, method);
    std::string text;
    const int client = NET_HTTPCLIENT_Create();
    if (client == -1)
        return {};
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_MAX_RESPONSE, nullptr, 0, kMaxIndexBytes,
                            static_cast<long long>(std::strlen(kMaxIndexBytes)));
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_CA_FILE, nullptr, 0, caFile.data(),
                            static_cast<long long>(caFile.size()));
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    const bool ok = NET_HTTPCLIENT_ShortLinkExchange(client, &record) != 0;
    std::string why;
    if (!ok && ConnectionRefusal::lastFailure(why))
        logLine(ConnectionRefusal::describe(url, why));
    if (record.status == 200 && record.body) {
        text.assign(record.body, std::strlen(record.body));
        if (keys && keys->required()) {
            // Checked over every byte the server sent, not just the text read.
            const std::string exact(record.body, record.bodyLength);
            const SignatureCheck::Outcome outcome = SignatureCheck::run(client, url, exact, *keys);
            if (outcome != SignatureCheck::Outcome::Verified) {
                const std::string line = SignatureCheck::describe(outcome, url);
                if (!line.empty())
                    logLine(line);
                else if (ConnectionRefusal::lastFailure(why))
                    logLine(ConnectionRefusal::describe(url, why));
                text.clear();
            }
        }
    }
    NET_HTTPCLIENT_Destroy(client);
    return latestVersion(text);
}

void handle(ServiceHost& host, const Request& request)
{
    ReplyMap values;
    // The client sends exactly one base URL; any further entries are left out.
    if (!request.entries.empty()) {
        const std::string& baseUrl = request.entries.front().first;
        values.emplace(baseUrl, fetchLatestVersion(baseUrl, request.method, host.trustedKeys.get(),
                                                   readCaFile(host.setupPath)));
    }
    host.sendReply(request, values);
}

} // namespace haulmoor::versionquery
