#include "pendingrequest.h"

#include <strings.h>

namespace wirelink {

bool PendingRequest::setReplyBody(const char* data, std::size_t length)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_finished || m_replied)
        return false;
    m_replyBody.assign(data ? data : "", data ? length : 0);
    return true;
}

bool PendingRequest::reply(std::size_t& sentBytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_finished || m_replied)
            return false;
        m_replied = true;
        sentBytes = m_replyBody.size();
    }
    m_wake.notify_all();
    return true;
}

bool PendingRequest::replyStatus(int status)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_finished || m_replied)
            return false;
        m_replied = true;
        m_status = status;
        m_replyBody.clear();
    }
    m_wake.notify_all();
    return true;
}

PendingRequest::Outcome PendingRequest::wait(std::chrono::milliseconds timeout, std::string& replyBody,
                                             int& status)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, timeout, [this] { return m_replied || m_closed; });
    m_finished = true;
    if (m_replied) {
        replyBody = std::move(m_replyBody);
        status = m_status;
        return Outcome::Replied;
    }
    return m_closed ? Outcome::Closed : Outcome::TimedOut;
}

void PendingRequest::close()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_wake.notify_all();
}

const std::string* PendingRequest::header(const char* name) const
{
    // Set before the request is handed out and never changed: no lock.
    for (const auto& [key, value] : headers) {
        if (strcasecmp(key.c_str(), name) == 0)
            return &value;
    }
    return nullptr;
}

} // namespace wirelink
