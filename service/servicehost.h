#pragma once

#include "accesstoken.h"
#include "request.h"
#include "serviceoptions.h"
#include "threadpool.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace haulmoor {

class RequestCollector;

// The service's central object: queues, progress table, worker pool and the
// listener's collector, and the loop that dispatches one request per tick.
class ServiceHost
{
public:
    explicit ServiceHost(ServiceOptions options = ServiceOptions::defaults());
    ~ServiceHost();
    ServiceHost(const ServiceHost&) = delete;
    ServiceHost& operator=(const ServiceHost&) = delete;

    // Serves until the main program is gone, then drains and returns 0; 1 at
    // once when the port cannot be bound. Once bound, "listening on
    // 127.0.0.1:PORT" is written to standard output.
    int run(int port);
    // Requests without this token are refused from then on; call before run().
    void setAccessToken(AccessToken token);

    const ServiceOptions& options() const { return m_options; }

    // Sorts a parsed request into its dispatch queue (takes the host lock).
    void enqueue(Request request);
    // The next request by urgency; false when all queues are empty.
    bool takeNext(Request& request);
    std::size_t queuedCount();
    // True once the stop marker is in the urgent queue; removes it.
    bool takeStopMarker();

    // The URL's progress cell, created as (0, 0) when absent. Call under lock.
    std::shared_ptr<ProgressCell> cellLocked(const std::string& url);
    ProgressCell readCell(const std::string& url);

    void dispatch(const Request& request);
    void sendReply(const Request& request, const ReplyMap& values);

    // One pass of the dispatcher loop; false when the main program is gone.
    bool dispatchOnce();

    int port = -1;
    std::shared_ptr<RequestCollector> collector;
    std::deque<Request> urgentQueue;
    std::deque<Request> downloadQueue;
    std::deque<Request> otherQueue;
    std::shared_ptr<std::thread> collectorThread;
    std::shared_ptr<threadpool::ThreadPool> pool;
    std::vector<std::shared_ptr<ProgressCell>> handedOutCells;
    std::map<std::string, std::shared_ptr<ProgressCell>> progressTable;
    std::mutex lock; // dispatch queues, progress table and every cell's fields
    std::string setupPath;
    std::string moduleDir;

private:
    void stopCollector();

    ServiceOptions m_options;
};

} // namespace haulmoor
