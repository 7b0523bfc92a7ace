#include "streamgroup.h"

#include "httpclient.h"

#include <algorithm>
#include <curl/curl.h>

namespace wirelink {

StreamGroup::StreamGroup() : m_multi(curl_multi_init()) {}

StreamGroup::~StreamGroup()
{
    for (auto& entry : m_running) {
        // Removing an unfinished transfer closes its connection.
        curl_multi_remove_handle(m_multi, entry->state.curl);
        entry->state.callerStopped = true;
        entry->client->endStream(entry->state);
    }
    if (m_multi)
        curl_multi_cleanup(m_multi);
}

int StreamGroup::start(std::shared_ptr<HttpClient> client, StreamRecord& record)
{
    if (!m_multi)
        return WL_ERR_NO_MEMORY;
    auto entry = std::make_unique<Entry>();
    entry->client = std::move(client);
    if (const int error = entry->client->beginStream(record, entry->state); error != WL_OK)
        return error;
    if (curl_multi_add_handle(m_multi, entry->state.curl) != CURLM_OK) {
        entry->state.error = WL_ERR_NO_MEMORY;
        return entry->client->endStream(entry->state);
    }
    m_running.push_back(std::move(entry));
    return WL_OK;
}

bool StreamGroup::run(int waitMs, StreamRecord*& ended, std::string& errorText)
{
    if (m_ended.empty()) {
        advance();
        if (m_ended.empty() && waitMs > 0) {
            curl_multi_poll(m_multi, nullptr, 0, waitMs, nullptr);
            advance();
        }
    }
    if (m_ended.empty())
        return false;
    const std::unique_ptr<Entry> entry = std::move(m_ended.front());
    m_ended.pop_front();
    ended = entry->state.record;
    errorText = entry->errorText;
    return true;
}

bool StreamGroup::stop(const StreamRecord& record)
{
    const auto owns = [&record](const std::unique_ptr<Entry>& entry) {
        return entry->state.record == &record;
    };
    if (const auto it = std::find_if(m_ended.begin(), m_ended.end(), owns); it != m_ended.end()) {
        m_ended.erase(it);
        return true;
    }
    const auto it = std::find_if(m_running.begin(), m_running.end(), owns);
    if (it == m_running.end())
        return false;
    std::unique_ptr<Entry> entry = std::move(*it);
    m_running.erase(it);
    curl_multi_remove_handle(m_multi, entry->state.curl);
    entry->state.callerStopped = true;
    entry->client->endStream(entry->state);
    return true;
}

void StreamGroup::advance()
{
    int running = 0;
    const bool performed = curl_multi_perform(m_multi, &running) == CURLM_OK;
    int pending = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &pending)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        for (auto& entry : m_running) {
            if (entry->state.curl == message->easy_handle) {
                entry->state.code = message->data.result;
                entry->state.finished = true;
            }
        }
    }
    const auto now = StreamState::Clock::now();
    for (auto it = m_running.begin(); it != m_running.end();) {
        StreamState& state = (*it)->state;
        StreamRecord& record = *state.record;
        if (!state.finished) {
            if (!performed)
                state.error = WL_ERR_TRANSFER;
            else if (record.shouldStop && record.shouldStop(record.user))
                state.callerStopped = true;
            else if (state.stalled(now))
                state.timedOut = true;
            else {
                ++it;
                continue;
            }
        }
        end(std::move(*it));
        it = m_running.erase(it);
    }
}

void StreamGroup::end(std::unique_ptr<Entry> entry)
{
    curl_multi_remove_handle(m_multi, entry->state.curl);
    entry->state.record->error = entry->client->endStream(entry->state);
    if (entry->state.record->error != WL_OK)
        entry->errorText = entry->client->errorText();
    m_ended.push_back(std::move(entry));
}

} // namespace wirelink
