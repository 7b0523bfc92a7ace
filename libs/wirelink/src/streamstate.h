#pragma once

#include "wirelink/wirelink.h"

#include <chrono>

typedef void CURL;
struct curl_slist;

namespace wirelink {

// What one streamed exchange learns while it runs, whoever drives it.
struct StreamState
{
    using Clock = std::chrono::steady_clock;

    StreamRecord* record = nullptr;
    CURL* curl = nullptr;
    curl_slist* headers = nullptr;
    Clock::time_point lastActivity;
    std::chrono::milliseconds stall{0};
    bool headersDone = false;
    bool started = false;   // a 2xx answer was accepted; its body goes to the caller
    bool badStatus = false; // a final answer that is not 2xx
    bool refused = false;
    bool stopped = false;       // onBody asked to stop
    bool callerStopped = false; // shouldStop, or the driver gave the exchange up
    bool timedOut = false;
    bool finished = false; // libcurl reported the transfer done
    int code = 0;          // libcurl's result once finished
    int error = WL_OK;     // set by the driver when it could not run the transfer

    bool stalled(Clock::time_point now) const { return now - lastActivity >= stall; }
};

} // namespace wirelink
