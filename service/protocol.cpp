#include "protocol.h"

#include <json/json.h>

namespace haulmoor::protocol {

namespace {
std::string textMember(const Json::Value& object, const char* name)
{
    const Json::Value& value = object[name];
    return value.isString() ? value.asString() : std::string();
}
} // namespace

Request parseBody(const std::string& body, int handle)
{
    Request request;
    request.handle = handle;
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(body, root, false) || !root.isObject())
        return request;
    const Json::Value& method = root["method"];
    if (!method.isInt())
        return request;
    request.method = method.asInt();
    const Json::Value& urls = root["urls"];
    if (!urls.isArray())
        return request;
    for (const Json::Value& entry : urls) {
        if (entry.isObject())
            request.entries.emplace_back(textMember(entry, "url"), textMember(entry, "unzipDir"));
        else
            request.entries.emplace_back(std::string(), std::string());
    }
    return request;
}

std::string buildReply(int method, const ReplyMap& values)
{
    return buildProgressReply(method, values, {});
}

std::string buildProgressReply(int method, const ReplyMap& values, const ByteFigures& bytes,
                               const FailureReasons& failures)
{
    Json::Value root(Json::objectValue);
    root["method"] = method;
    if (values.empty()) {
        root["urlsToValue"] = Json::Value(Json::nullValue);
    } else {
        Json::Value list(Json::arrayValue);
        for (const auto& [url, value] : values) {
            Json::Value entry(Json::objectValue);
            entry["url"] = url;
            entry["value"] = value;
            if (const auto found = bytes.find(url); found != bytes.end()) {
                entry["received"] = Json::Value(static_cast<Json::Int64>(found->second.received));
                entry["total"] = Json::Value(static_cast<Json::Int64>(found->second.total));
                entry["rate"] = Json::Value(static_cast<Json::Int64>(found->second.rate));
            }
            if (const auto found = failures.find(url); found != failures.end())
                entry["failure"] = found->second;
            list.append(entry);
        }
        root["urlsToValue"] = list;
    }
    return root.toStyledString();
}

} // namespace haulmoor::protocol
