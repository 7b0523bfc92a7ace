#include "segmentedfetch.h"

#include "contentrange.h"
#include "followinghasher.h"
#include "platform/positionalfile.h"
#include "streamvalidator.h"

#include <algorithm>
#include <cstring>

namespace haulmoor {

namespace {
constexpr std::chrono::milliseconds kStep{50};
// What one stream of its own would take, shared out among the connections,
// so a split download holds no more memory than a whole one.
constexpr int kBufferBytes = 512 * 1024;
constexpr int kMinBufferBytes = 64 * 1024;
// How long one stream runs before its pace decides whether others join, and
// the rest of the transfer, at that pace, that makes them worth it. Where
// one stream nearly fills the link, parts only add checksum work at the end
// (measured over a 10 ms round trip: 15 % slower with four).
constexpr std::chrono::milliseconds kProbe{500};
constexpr std::chrono::milliseconds kWorthSplitting{2000};
} // namespace

// Bytes [begin, end) of the file; those before next are written.
struct SegmentedFetch::Range
{
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::int64_t next = 0;
    bool served = false; // a connection works on it or waits to resume it

    bool complete() const { return next >= end; }
};

struct SegmentedFetch::Slot
{
    enum class State
    {
        Idle,
        Running,
        Waiting, // for its resume
        Retired, // gave up: the server did not serve it
    };

    SegmentedFetch* fetch = nullptr;
    int client = -1;
    StreamRecord record;
    State state = State::Idle;
    Range* range = nullptr;
    std::int64_t askedFirst = 0;
    std::int64_t askedEnd = 0; // the range asked for, which a split may shorten since
    bool askedIfRange = false;
    bool joined = false; // has asked for something
    Clock::time_point askedAt;
    bool cut = false; // stopped at the end of a range that was split meanwhile
    Outcome refusal = Outcome::Failed;
    std::size_t fruitless = 0; // tries in a row that brought no byte
    Clock::time_point resumeAt;
};

SegmentedFetch::SegmentedFetch(std::string url, std::int64_t total, std::vector<int> clients,
                               platform::PositionalFile& file, FollowingHasher* hasher)
    : m_url(std::move(url)), m_total(total), m_clients(std::move(clients)), m_file(file), m_hasher(hasher)
{
}

SegmentedFetch::~SegmentedFetch()
{
    // Gives up whatever still runs, closing its connection.
    if (m_group != -1)
        NET_HTTPCLIENT_StreamGroupDestroy(m_group);
}

SegmentedFetch::Outcome SegmentedFetch::run()
{
    if (m_clients.empty() || m_total <= 0)
        return Outcome::Failed;
    m_group = NET_HTTPCLIENT_StreamGroupCreate();
    if (m_group == -1)
        return Outcome::Failed;
    for (const int client : m_clients) {
        auto slot = std::make_unique<Slot>();
        slot->fetch = this;
        slot->client = client;
        m_slots.push_back(std::move(slot));
    }
    // The parts are laid out at once; the first connection starts on the
    // first and, while it is alone, goes on to the next over the same
    // connection.
    const auto parts = static_cast<std::int64_t>(std::clamp<std::int64_t>(
        m_total / std::max<std::int64_t>(1, m_minimumSplit), 1, static_cast<std::int64_t>(m_slots.size())));
    for (std::int64_t i = 0; i < parts; ++i) {
        auto range = std::make_unique<Range>();
        range->begin = m_total * i / parts;
        range->end = m_total * (i + 1) / parts;
        range->next = range->begin;
        m_ranges.push_back(std::move(range));
    }
    m_split = parts == 1;
    if (!giveWork(*m_slots.front()))
        return Outcome::Failed;
    for (;;) {
        if (m_stopRequested && m_stopRequested())
            return Outcome::Cancelled;
        const auto now = Clock::now();
        for (auto& slot : m_slots) {
            if (slot->state == Slot::State::Waiting && slot->resumeAt <= now && !start(*slot))
                return Outcome::Failed;
        }
        StreamRecord* ended = nullptr;
        const int result =
            NET_HTTPCLIENT_StreamGroupRun(m_group, static_cast<int>(nextWait(now).count()), &ended);
        if (result < 0)
            return Outcome::Failed;
        if (result == 1) {
            Slot& slot = *static_cast<Slot*>(ended->user);
            const Outcome outcome = settle(slot);
            if (outcome != Outcome::Complete)
                return outcome;
        }
        if (!m_split && (m_splitDue || splitWanted(Clock::now())) && !split())
            return Outcome::Failed;
        if (m_progress)
            m_progress(m_received);
        if (m_contiguous == m_total)
            return Outcome::Complete;
        if (!anyActive())
            return Outcome::Failed; // every connection gave up
    }
}

bool SegmentedFetch::splitWanted(Clock::time_point now) const
{
    if (!m_rangesServed || m_latency < std::chrono::milliseconds(0))
        return false;
    if (m_received == 0 || now - m_firstByte < kProbe)
        return false;
    const double seconds = std::chrono::duration<double>(now - m_firstByte).count();
    const double rest =
        static_cast<double>(m_total - m_received) / (static_cast<double>(m_received) / seconds);
    return rest > std::chrono::duration<double>(kWorthSplitting).count();
}

bool SegmentedFetch::split()
{
    m_split = true;
    for (auto& slot : m_slots) {
        if (!slot->joined && !giveWork(*slot))
            return false;
    }
    return true;
}

bool SegmentedFetch::start(Slot& slot)
{
    Range& range = *slot.range;
    slot.askedFirst = range.next;
    slot.askedEnd = range.end;
    slot.cut = false;
    slot.refusal = Outcome::Failed;
    slot.joined = true;
    slot.askedAt = Clock::now();
    // Once an answer named the package, every later request is held to it.
    slot.askedIfRange = !m_validator.empty();
    const std::string bytes = "bytes=" + std::to_string(range.next) + "-" + std::to_string(range.end - 1);
    for (const auto& [name, value] :
         {std::pair<const char*, const std::string&>{"Range", bytes}, {"If-Range", m_validator}})
        NET_HTTPCLIENT_SetParam(slot.client, WL_CLIENT_HEADER, name, static_cast<int>(std::strlen(name)),
                                value.data(), static_cast<long long>(value.size()));

    slot.record = StreamRecord();
    slot.record.url = m_url.c_str();
    slot.record.urlLength = m_url.size();
    slot.record.user = &slot;
    slot.record.onStart = [](void* user, const StreamRecord* answer) {
        auto* self = static_cast<Slot*>(user);
        return self->fetch->accept(*self, *answer) ? 1 : 0;
    };
    slot.record.onBody = [](void* user, const char* data, std::size_t length) {
        auto* self = static_cast<Slot*>(user);
        return self->fetch->take(*self, data, length) ? 1 : 0;
    };
    slot.record.stallMs = static_cast<int>(m_stall.count());
    slot.record.bufferBytes =
        m_split ? std::max(kMinBufferBytes, kBufferBytes / static_cast<int>(m_slots.size())) : kBufferBytes;
    if (!NET_HTTPCLIENT_StreamGroupStart(m_group, slot.client, &slot.record))
        return false;
    slot.state = Slot::State::Running;
    return true;
}

bool SegmentedFetch::accept(Slot& slot, const StreamRecord& answer)
{
    const std::string validator = streamValidator(answer);
    if (answer.status == 200) {
        // The first request may get the whole file: the server does not
        // serve ranges, and one stream is all there can be. A range asked
        // while the package was the one begun, answered whole: it changed.
        const bool whole = slot.askedFirst == 0 && !slot.askedIfRange && !m_rangesServed &&
                           (answer.contentLength < 0 || answer.contentLength == m_total);
        if (!whole) {
            slot.refusal = Outcome::Changed;
            return false;
        }
        m_ranges.erase(m_ranges.begin() + 1, m_ranges.end());
        slot.range->end = m_total;
        slot.askedEnd = m_total;
        m_split = true;
        if (m_validator.empty())
            m_validator = validator;
        return true;
    }
    if (answer.status != 206)
        return false;
    ContentRange range;
    if (!ContentRange::parse(answer.contentRange, range))
        return false;
    if ((range.size >= 0 && range.size != m_total) ||
        (!m_validator.empty() && !validator.empty() && validator != m_validator)) {
        slot.refusal = Outcome::Changed;
        return false;
    }
    if (range.first != slot.askedFirst || range.last != slot.askedEnd - 1)
        return false;
    // An error page sent as "206" claims the range but not its length.
    if (answer.contentLength >= 0 && answer.contentLength != range.last - range.first + 1)
        return false;
    if (m_validator.empty())
        m_validator = validator;
    if (!m_rangesServed) {
        m_rangesServed = true;
        m_latency = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - slot.askedAt);
        // On a long link the others join before the first body byte, as
        // soon as the exchanges are between steps.
        m_splitDue = m_latency >= m_longLink;
    }
    return true;
}

bool SegmentedFetch::take(Slot& slot, const char* data, std::size_t length)
{
    Range& range = *slot.range;
    const auto room = static_cast<std::size_t>(std::max<std::int64_t>(0, range.end - range.next));
    const std::size_t used = std::min(length, room);
    if (used > 0) {
        if (m_received == 0)
            m_firstByte = Clock::now();
        if (!m_file.writeAt(range.next, data, used)) {
            m_writeFailed = true;
            return false;
        }
        range.next += static_cast<std::int64_t>(used);
        m_received += static_cast<std::int64_t>(used);
        noteContiguous();
    }
    if (used < length) {
        // The rest belongs to the part another connection took over.
        slot.cut = true;
        return false;
    }
    return true;
}

SegmentedFetch::Outcome SegmentedFetch::settle(Slot& slot)
{
    slot.state = Slot::State::Idle;
    if (m_writeFailed)
        return Outcome::Failed;
    if (slot.range->complete()) {
        slot.range->served = false;
        slot.range = nullptr;
        slot.fruitless = 0;
        if (!giveWork(slot))
            return Outcome::Failed;
        return Outcome::Complete;
    }
    const StreamRecord& record = slot.record;
    switch (record.error) {
    case WL_ERR_REFUSED:
        return slot.refusal;
    case WL_ERR_HTTP_STATUS:
        if (record.status >= 500 || record.status == 408 || record.status == 429)
            return retry(slot); // a server on its way down or back up
        if (record.status == 416)
            return Outcome::Changed; // the package got shorter
        return Outcome::Failed;
    case WL_ERR_TLS:
    case WL_ERR_SCHEME:
        m_connectionRefused = true; // no resume can mend it
        return Outcome::Failed;
    case WL_ERR_CANCELLED: // only a write stops a part, and it is dealt with above
    case WL_ERR_BAD_ARGUMENT:
    case WL_ERR_BAD_HANDLE:
    case WL_ERR_NO_MEMORY:
        return Outcome::Failed;
    default:
        return retry(slot); // connection lost, stalled or cut short
    }
}

SegmentedFetch::Outcome SegmentedFetch::retry(Slot& slot)
{
    if (slot.range->next > slot.askedFirst)
        slot.fruitless = 0;
    if (slot.fruitless >= m_pauses.size()) {
        if (!anyOtherUsable(slot))
            return Outcome::Failed;
        // The server serves the others but not this one (a limit on
        // connections, say): its part goes to the next connection free.
        slot.range->served = false;
        slot.range = nullptr;
        slot.state = Slot::State::Retired;
        for (auto& other : m_slots) {
            if (other->state == Slot::State::Idle && !giveWork(*other))
                return Outcome::Failed;
        }
        return Outcome::Complete;
    }
    const std::chrono::milliseconds pause = m_pauses[slot.fruitless++];
    if (m_pause) {
        if (!m_pause(pause))
            return Outcome::Cancelled;
        return start(slot) ? Outcome::Complete : Outcome::Failed;
    }
    slot.state = Slot::State::Waiting;
    slot.resumeAt = Clock::now() + pause;
    return Outcome::Complete;
}

bool SegmentedFetch::giveWork(Slot& slot)
{
    for (auto& range : m_ranges) {
        if (!range->served && !range->complete()) {
            slot.range = range.get();
            range->served = true;
            return start(slot);
        }
    }
    // Nothing left unserved: take over the second half of the largest part
    // still to come, so that no connection is left alone at the end.
    auto largest = m_ranges.end();
    for (auto it = m_ranges.begin(); it != m_ranges.end(); ++it) {
        if ((*it)->served &&
            (largest == m_ranges.end() || (*it)->end - (*it)->next > (*largest)->end - (*largest)->next))
            largest = it;
    }
    if (largest == m_ranges.end() || (*largest)->end - (*largest)->next < 2 * m_minimumSplit)
        return true; // stays idle
    Range& victim = **largest;
    auto taken = std::make_unique<Range>();
    taken->begin = victim.next + (victim.end - victim.next) / 2;
    taken->end = victim.end;
    taken->next = taken->begin;
    taken->served = true;
    victim.end = taken->begin;
    slot.range = taken.get();
    m_ranges.insert(largest + 1, std::move(taken));
    return start(slot);
}

bool SegmentedFetch::anyOtherUsable(const Slot& slot) const
{
    // Connections that never joined say nothing about the server.
    return std::any_of(m_slots.begin(), m_slots.end(), [&slot](const std::unique_ptr<Slot>& other) {
        return other.get() != &slot && other->joined && other->state != Slot::State::Retired;
    });
}

bool SegmentedFetch::anyActive() const
{
    return std::any_of(m_slots.begin(), m_slots.end(), [](const std::unique_ptr<Slot>& slot) {
        return slot->state == Slot::State::Running || slot->state == Slot::State::Waiting;
    });
}

void SegmentedFetch::noteContiguous()
{
    std::int64_t contiguous = m_total;
    for (const auto& range : m_ranges) {
        if (!range->complete()) {
            contiguous = range->next;
            break;
        }
    }
    if (contiguous == m_contiguous)
        return;
    m_contiguous = contiguous;
    if (m_hasher)
        m_hasher->grewTo(contiguous);
}

std::chrono::milliseconds SegmentedFetch::nextWait(Clock::time_point now) const
{
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kStep);
    for (const auto& slot : m_slots) {
        if (slot->state == Slot::State::Waiting)
            wait =
                std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(slot->resumeAt - now));
    }
    return std::max(wait, std::chrono::milliseconds(0));
}

} // namespace haulmoor
