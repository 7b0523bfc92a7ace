#pragma once

#include "accesstoken.h"
#include "platform/stopevent.h"
#include "request.h"
#include "serviceoptions.h"
#include "threadpool.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace haulmoor {

class RequestCollector;
class TrustedKeys;

// The service's central object: queues, progress table, worker pool and the
// listener's collector, and the loop that dispatches one request at a time,
// the most urgent first, as soon as one is queued.
class ServiceHost
{
public:
    // Why the service ends.
    enum class Ending
    {
        None,
        // The main program is gone: work already queued still runs.
        Drain,
        // Asked to end (a signal): running downloads and unpacks are given
        // up and clean up after themselves.
        Abandon,
    };

    explicit ServiceHost(ServiceOptions options = ServiceOptions::defaults());
    ~ServiceHost();
    ServiceHost(const ServiceHost&) = delete;
    ServiceHost& operator=(const ServiceHost&) = delete;

    // Serves until it is to end, then finishes the work the ending allows
    // and returns 0; 1 at once when the port cannot be bound. Once bound,
    // "listening on 127.0.0.1:PORT" is written to standard output.
    int run(int port);
    // Requests without this token are refused from then on; call before run().
    void setAccessToken(AccessToken token);

    const ServiceOptions& options() const { return m_options; }

    // Sorts a parsed request into its dispatch queue and wakes the
    // dispatcher; false (nothing queued) once the service is ending.
    bool enqueue(Request request);
    // The next request by urgency; false when all queues are empty.
    bool takeNext(Request& request);
    std::size_t queuedCount();

    // Any thread; a later, harder ending overrides an earlier one.
    void requestEnd(Ending ending);
    Ending ending();
    // Set once the service abandons its work; downloads and unpacks watch it.
    const platform::StopEvent& abandoned() const { return m_abandoned; }

    // The URL's progress cell, created as (0, 0) when absent. Call under lock.
    std::shared_ptr<ProgressCell> cellLocked(const std::string& url);
    ProgressCell readCell(const std::string& url);

    void dispatch(const Request& request);
    void sendReply(const Request& request, const ReplyMap& values);

    // Waits until a request is queued or the service is to end, then
    // dispatches the most urgent one; false once the service is to end.
    bool dispatchOnce();

    int port = -1;
    std::shared_ptr<RequestCollector> collector;
    std::deque<Request> urgentQueue;
    std::deque<Request> downloadQueue;
    std::deque<Request> otherQueue;
    std::shared_ptr<threadpool::ThreadPool> pool;
    std::vector<std::shared_ptr<ProgressCell>> handedOutCells;
    std::map<std::string, std::shared_ptr<ProgressCell>> progressTable;
    std::mutex lock; // dispatch queues, progress table and every cell's fields
    std::string setupPath;
    std::string moduleDir;
    std::string dataDir; // where Setup.xml and the downloads of the client's own files go
    // Read once: they change only with the installation, which the service
    // does not outlive.
    std::shared_ptr<const TrustedKeys> trustedKeys;

private:
    bool queuesEmptyLocked() const;
    void refuseQueued();

    ServiceOptions m_options;
    std::condition_variable m_wake; // with lock: a request was queued or the service is to end
    Ending m_ending = Ending::None;
    platform::StopEvent m_abandoned;
    platform::StopEvent m_dispatchOver; // ends the main-program watch
};

} // namespace haulmoor
