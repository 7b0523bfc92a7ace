#pragma once

#include "request.h"

#include <string>

namespace haulmoor::protocol {

// Reads "method" and "urls" from a request body. A body that is not a JSON
// object, or whose "method" is not an integer, gives method 0 and no entries.
Request parseBody(const std::string& body, int handle);

// The reply body: "method" and one {"url","value"} per map entry in key
// order, or "urlsToValue": null for an empty map.
std::string buildReply(int method, const ReplyMap& values);

} // namespace haulmoor::protocol
