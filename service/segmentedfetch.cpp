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
    split(m_clients.size());
    for (std::size_t i = 0; i < m_clients.size(); ++i) {
        auto slot = std::make_unique<Slot>();
        slot->fetch = this;
        slot->client = m_clients[i];
        slot->range = m_ranges[i].get();
        slot->range->served = true;
        m_slots.push_back(std::move(slot));
    }
    for (auto& slot : m_slots) {
        if (!start(*slot))
            return Outcome::Failed;
    }
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
        if (m_progress)
            m_progress(m_received);
        if (m_contiguous == m_total)
            return Outcome::Complete;
        if (!anyActive())
            return Outcome::Failed; // every connection gave up
    }
}

void SegmentedFetch::split(std::size_t parts)
{
    m_ranges.clear();
    for (std::size_t i = 0; i < parts; ++i) {
        auto range = std::make_unique<Range>();
        range->begin = m_total * static_cast<std::int64_t>(i) / static_cast<std::int64_t>(parts);
        range->end = m_total * static_cast<std::int64_t>(i + 1) / static_cast<std::int64_t>(parts);
        range->next = range->begin;
        m_ranges.push_back(std::move(range));
    }
}

bool SegmentedFetch::start(Slot& slot)
{
    Range& range = *slot.range;
    slot.askedFirst = range.next;
    slot.askedEnd = range.end;
    slot.cut = false;
    slot.refusal = Outcome::Failed;
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
    if (!NET_HTTPCLIENT_StreamGroupStart(m_group, slot.client, &slot.record))
        return false;
    slot.state = Slot::State::Running;
    return true;
}

bool SegmentedFetch::accept(Slot& slot, const StreamRecord& answer)
{
    const std::string validator = streamValidator(answer);
    if (answer.status == 200) {
        // A range asked while the package was the one begun, answered whole:
        // it changed. Asked without a validator: ranges are not served.
        slot.refusal = slot.askedIfRange ? Outcome::Changed : Outcome::NoRanges;
        return false;
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
    return true;
}

bool SegmentedFetch::take(Slot& slot, const char* data, std::size_t length)
{
    Range& range = *slot.range;
    const auto room = static_cast<std::size_t>(std::max<std::int64_t>(0, range.end - range.next));
    const std::size_t used = std::min(length, room);
    if (used > 0) {
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
    return std::any_of(m_slots.begin(), m_slots.end(), [&slot](const std::unique_ptr<Slot>& other) {
        return other.get() != &slot && other->state != Slot::State::Retired;
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
