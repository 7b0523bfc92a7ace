#pragma once

#include "localprotocol/localprotocol.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace haulmoor {

// One parsed request on its way from the listener to a handler.
struct Request
{
    int handle = -1; // request handle to reply on
    int method = 0;  // 0 when the body could not be used
    std::vector<std::pair<std::string, std::string>> entries; // (url, unzipDir) in body order
};

// What a downloaded package is, which decides where it goes.
enum class PackageKind
{
    Material,    // merged into ToolsFileTemp
    MainProgram, // staged as HOME/Gearloft for the self-upgrade
    Tool,        // put into the request's unzip folder
};

// Per-URL status: a percentage or a final value, and whether a cancel waits.
// A streamed download also publishes its byte figures while it runs; total 0
// means there are none to report.
struct ProgressCell
{
    int value = 0;
    int cancelRequested = 0;
    // A task works on the URL and has not yet given up: a new request for it
    // joins that task (withdrawing a cancel still pending) instead of
    // starting a second one.
    bool running = false;
    std::int64_t received = 0;
    std::int64_t total = 0;
    std::int64_t rate = 0; // bytes per second over the last two seconds
    // Why a failed download failed, when the plain -1 would mislead the user
    // (one of the protocol's failure reasons).
    std::string failure;
};

// URL -> value text; ordered by URL bytes, which is the order of the reply.
using ReplyMap = std::map<std::string, std::string>;

} // namespace haulmoor
