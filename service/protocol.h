#pragma once

#include "request.h"

#include <cstdint>
#include <map>
#include <string>

namespace haulmoor::protocol {

// Reads "method" and "urls" from a request body. A body that is not a JSON
// object, or whose "method" is not an integer, gives method 0 and no entries.
Request parseBody(const std::string& body, int handle);

// The reply body: "method" and one {"url","value"} per map entry in key
// order, or "urlsToValue": null for an empty map.
std::string buildReply(int method, const ReplyMap& values);

// What a running streamed download adds to its progress entry.
struct ByteProgress
{
    std::int64_t received = 0;
    std::int64_t total = 0;
    std::int64_t rate = 0; // bytes per second
};
using ByteFigures = std::map<std::string, ByteProgress>;
// URL -> why its download failed.
using FailureReasons = std::map<std::string, std::string>;

// The progress reply: as buildReply, and each URL found in bytes also
// carries "received", "total" and "rate" as numbers; each URL found in
// failures carries "failure" as text.
std::string buildProgressReply(int method, const ReplyMap& values, const ByteFigures& bytes,
                               const FailureReasons& failures = {});

} // namespace haulmoor::protocol
