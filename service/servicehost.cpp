#include "servicehost.h"

#include "handlers.h"
#include "protocol.h"
#include "requestcollector.h"
#include "taskmanager.h"
#include "terminationwatch.h"
#include "trustedkeys.h"
#include "versionquery.h"
#include "wirelink/wirelink.h"

#include <cstdio>
#include <thread>

namespace haulmoor {

using namespace localprotocol;

namespace {

// Ends the main-program watch however run() is left.
class WatchThread
{
public:
    WatchThread(platform::StopEvent& over, std::thread thread) : m_over(over), m_thread(std::move(thread)) {}
    ~WatchThread() { stop(); }
    void stop()
    {
        m_over.set();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    platform::StopEvent& m_over;
    std::thread m_thread;
};

} // namespace

ServiceHost::ServiceHost(ServiceOptions options)
    : collector(std::make_shared<RequestCollector>()),
      pool(std::make_shared<threadpool::ThreadPool>(options.workerCount)), m_options(std::move(options))
{
    moduleDir = m_options.moduleDir;
    dataDir = m_options.dataFolder();
    setupPath = dataDir + "/Setup.xml";
    auto keys = std::make_shared<TrustedKeys>(TrustedKeys::load(moduleDir + "/" + TrustedKeys::kFolderName));
    // Standard error: the first line on standard output must announce the port.
    for (const std::string& path : keys->unusable())
        std::fprintf(stderr, "Haulmoor: not an Ed25519 public key, ignored: %s\n", path.c_str());
    trustedKeys = std::move(keys);
}

ServiceHost::~ServiceHost()
{
    // The listener's threads must not reach a host that is gone.
    collector->close();
}

int ServiceHost::run(int listenPort)
{
    port = listenPort;
    NET_UTILS_Init();
    if (port >= 1) {
        // The client trusts the port only once this line arrives: until the
        // bind succeeded it might be someone else's.
        if (!collector->listen(port, *this)) {
            std::fprintf(stderr, "Haulmoor: cannot listen on 127.0.0.1:%d\n", port);
            NET_UTILS_Fini();
            return 1;
        }
        std::printf("%s%d\n", kListeningPrefix, port);
        std::fflush(stdout);
    } else if (port == 0) {
        // Nothing will ever be asked; the service idles with its main program.
        std::fputs("Sever init failed", stdout);
        std::fflush(stdout);
    }
    pool->start();
    WatchThread mainProgram(m_dispatchOver, std::thread([this] {
                                if (m_options.waitForMainProgramEnd &&
                                    m_options.waitForMainProgramEnd(m_dispatchOver))
                                    requestEnd(Ending::Drain);
                            }));
    std::unique_ptr<TerminationWatch> termination;
    if (m_options.catchStopSignals)
        termination = std::make_unique<TerminationWatch>([this] { requestEnd(Ending::Abandon); },
                                                         m_options.cleanUpLimit);
    while (dispatchOnce()) {
    }
    mainProgram.stop();
    refuseQueued();
    // Every queued download and reply still runs before the pool ends (an
    // abandoned download only cleans up); the library they use goes only
    // after that, and the listener with it.
    pool.reset();
    termination.reset();
    collector->close();
    NET_UTILS_Fini();
    return 0;
}

void ServiceHost::setAccessToken(AccessToken token)
{
    collector->setAccessToken(std::move(token));
}

bool ServiceHost::dispatchOnce()
{
    {
        std::unique_lock<std::mutex> guard(lock);
        m_wake.wait(guard, [this] { return m_ending != Ending::None || !queuesEmptyLocked(); });
        if (m_ending != Ending::None)
            return false;
    }
    if (m_options.dispatchGate)
        m_options.dispatchGate();
    if (ending() != Ending::None)
        return false;
    Request request;
    if (!takeNext(request))
        return true;
    if (!isKnownMethod(request.method))
        return true; // never answered
    dispatch(request);
    return true;
}

void ServiceHost::dispatch(const Request& request)
{
    switch (request.method) {
    case DownloadMaterial:
    case DownloadManageTool:
    case DownloadSubTool:
        handlers::download(*this, request);
        break;
    case DownloadProgress:
        handlers::progress(*this, request);
        break;
    case CancelDownloadSubTool:
        handlers::cancel(*this, request);
        break;
    case CheckMaterialVersion:
    case CheckManagerVersion:
        versionquery::handle(*this, request);
        break;
    default:
        break;
    }
}

bool ServiceHost::enqueue(Request request)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        if (m_ending != Ending::None)
            return false;
        switch (request.method) {
        case DownloadProgress:
        case CancelDownloadSubTool:
            urgentQueue.push_back(std::move(request));
            break;
        case DownloadMaterial:
        case DownloadSubTool:
            downloadQueue.push_back(std::move(request));
            break;
        default:
            otherQueue.push_back(std::move(request));
            break;
        }
    }
    m_wake.notify_one();
    return true;
}

bool ServiceHost::takeNext(Request& request)
{
    std::lock_guard<std::mutex> guard(lock);
    for (auto* queue : {&urgentQueue, &downloadQueue, &otherQueue}) {
        if (!queue->empty()) {
            request = std::move(queue->front());
            queue->pop_front();
            return true;
        }
    }
    return false;
}

std::size_t ServiceHost::queuedCount()
{
    std::lock_guard<std::mutex> guard(lock);
    return urgentQueue.size() + downloadQueue.size() + otherQueue.size();
}

bool ServiceHost::queuesEmptyLocked() const
{
    return urgentQueue.empty() && downloadQueue.empty() && otherQueue.empty();
}

void ServiceHost::refuseQueued()
{
    std::vector<int> handles;
    {
        std::lock_guard<std::mutex> guard(lock);
        for (auto* queue : {&urgentQueue, &downloadQueue, &otherQueue}) {
            for (const Request& request : *queue)
                handles.push_back(request.handle);
            queue->clear();
        }
    }
    // Told at once instead of waiting for the listener's time-out.
    for (const int handle : handles)
        collector->refuse(handle);
}

void ServiceHost::requestEnd(Ending ending)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        if (ending <= m_ending)
            return;
        m_ending = ending;
    }
    if (ending == Ending::Abandon)
        m_abandoned.set();
    m_wake.notify_all();
}

ServiceHost::Ending ServiceHost::ending()
{
    std::lock_guard<std::mutex> guard(lock);
    return m_ending;
}

std::shared_ptr<ProgressCell> ServiceHost::cellLocked(const std::string& url)
{
    auto& cell = progressTable[url];
    if (!cell)
        cell = std::make_shared<ProgressCell>();
    return cell;
}

ProgressCell ServiceHost::readCell(const std::string& url)
{
    std::lock_guard<std::mutex> guard(lock);
    return *cellLocked(url);
}

void ServiceHost::sendReply(const Request& request, const ReplyMap& values)
{
    const std::string body = protocol::buildReply(request.method, values);
    auto manager = std::make_shared<TaskManager>(DownloadContext{});
    const int handle = request.handle;
    pool->addTask([manager, handle, body] { manager->reply(handle, body); });
}

} // namespace haulmoor
