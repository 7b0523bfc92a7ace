#pragma once

#include "streamstate.h"
#include "wirelink/wirelink.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

typedef void CURLM;

namespace wirelink {

class HttpClient;

// Streamed exchanges of several client handles run side by side on one
// thread through one libcurl multi handle: each keeps its own connection, so
// a long link is filled by several without a thread for each. Used from one
// thread only.
class StreamGroup
{
public:
    StreamGroup();
    ~StreamGroup();
    StreamGroup(const StreamGroup&) = delete;
    StreamGroup& operator=(const StreamGroup&) = delete;

    bool valid() const { return m_multi != nullptr; }

    // The error number; WL_OK once the exchange runs.
    int start(std::shared_ptr<HttpClient> client, StreamRecord& record);
    // Moves the exchanges on for up to waitMs. True with ended set (its
    // error filled in, errorText libcurl's words for it) when one ended.
    bool run(int waitMs, StreamRecord*& ended, std::string& errorText);
    // Gives a running exchange up without reporting it; false when the
    // record is not one of the group's.
    bool stop(const StreamRecord& record);

private:
    struct Entry
    {
        std::shared_ptr<HttpClient> client;
        StreamState state;
        std::string errorText;
    };

    void advance();
    void end(std::unique_ptr<Entry> entry);

    CURLM* m_multi = nullptr;
    std::vector<std::unique_ptr<Entry>> m_running;
    std::deque<std::unique_ptr<Entry>> m_ended;
};

} // namespace wirelink
