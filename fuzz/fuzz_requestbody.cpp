// Every request body the service receives goes through this parse: any bytes
// give a method and entries, never a crash, and building the reply of what
// was parsed stays well-formed.
#include "protocol.h"

#include <cstdint>
#include <cstdlib>
#include <json/json.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    const haulmoor::Request request = haulmoor::protocol::parseBody(body, 7);
    haulmoor::ReplyMap values;
    for (const auto& entry : request.entries)
        values.emplace(entry.first, "0");
    const std::string reply = haulmoor::protocol::buildReply(request.method, values);
    Json::Value root;
    Json::Reader reader;
    if (!reader.parse(reply, root, false) || !root.isObject())
        std::abort();
    return 0;
}
