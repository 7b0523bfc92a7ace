#pragma once

#include "wirelink/wirelink.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace wirelink {

// A request that reached a listener and waits, on the server thread that
// received it, for its reply from whichever thread the owner chooses.
class PendingRequest
{
public:
    enum class Outcome { Replied, TimedOut, Closed };

    int listener = -1;
    int kind = WL_REQUEST_OTHER;
    std::string target; // path and query
    std::string peer;
    std::string body;
    std::vector<FormPart> parts;
    std::vector<std::string> partData;

    bool setReplyBody(const char* data, std::size_t length);
    // Hands the reply to the waiting server thread; false once it has given up.
    bool reply(std::size_t& sentBytes);
    // Called by the server thread: waits for reply(), the time-out or close().
    Outcome wait(std::chrono::milliseconds timeout, std::string& replyBody);
    void close();

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_replyBody;
    bool m_replied = false;
    bool m_finished = false; // the server thread no longer waits
    bool m_closed = false;
};

} // namespace wirelink
