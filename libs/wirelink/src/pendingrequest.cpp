#include "pendingrequest.h"

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

PendingRequest::Outcome PendingRequest::wait(std::chrono::milliseconds timeout, std::string& replyBody)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, timeout, [this] { return m_replied || m_closed; });
    m_finished = true;
    if (m_replied) {
        replyBody = std::move(m_replyBody);
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

} // namespace wirelink
