#pragma once

#include "wirelink/wirelink.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
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
    std::vector<std::pair<std::string, std::string>> headers; // in arrival order
    std::vector<FormPart> parts;
    std::vector<std::string> partData;

    bool setReplyBody(const char* data, std::size_t length);
    // Hands the reply to the waiting server thread; false once it has given up.
    bool reply(std::size_t& sentBytes);
    // Answers with this status and no body; false once the thread has given up.
    bool replyStatus(int status);
    // Called by the server thread: waits for a reply, the time-out or close().
    Outcome wait(std::chrono::milliseconds timeout, std::string& replyBody, int& status);
    // The first header of that name, compared without regard to case.
    const std::string* header(const char* name) const;
    void close();

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_replyBody;
    int m_status = 200;
    bool m_replied = false;
    bool m_finished = false; // the server thread no longer waits
    bool m_closed = false;
};

} // namespace wirelink
