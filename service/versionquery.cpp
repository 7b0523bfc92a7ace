#include "versionquery.h"

#include "servicehost.h"
#include "wirelink/wirelink.h"

#include <cstring>
#include <json/json.h>

namespace haulmoor::versionquery {

namespace {
constexpr const char* kMaxIndexBytes = "4194304";
}

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

std::string fetchLatestVersion(const std::string& baseUrl, int method)
{
    const std::string url = indexUrl(baseUrl, method);
    std::string text;
    const int client = NET_HTTPCLIENT_Create();
    if (client == -1)
        return {};
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_MAX_RESPONSE, nullptr, 0, kMaxIndexBytes,
                            static_cast<long long>(std::strlen(kMaxIndexBytes)));
    ExchangeRecord record;
    record.url = url.c_str();
    record.urlLength = url.size();
    NET_HTTPCLIENT_ShortLinkExchange(client, &record);
    if (record.status == 200 && record.body)
        text.assign(record.body, std::strlen(record.body));
    NET_HTTPCLIENT_Destroy(client);
    return latestVersion(text);
}

void handle(ServiceHost& host, const Request& request)
{
    ReplyMap values;
    // The client sends exactly one base URL; any further entries are left out.
    if (!request.entries.empty()) {
        const std::string& baseUrl = request.entries.front().first;
        values.emplace(baseUrl, fetchLatestVersion(baseUrl, request.method));
    }
    host.sendReply(request, values);
}

} // namespace haulmoor::versionquery
