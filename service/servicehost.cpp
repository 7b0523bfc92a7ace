#include "servicehost.h"

#include "handlers.h"
#include "protocol.h"
#include "requestcollector.h"
#include "taskmanager.h"
#include "versionquery.h"
#include "wirelink/wirelink.h"

#include <algorithm>
#include <cstdio>

namespace haulmoor {

ServiceHost::ServiceHost(ServiceOptions options)
    : collector(std::make_shared<RequestCollector>()),
      pool(std::make_shared<threadpool::ThreadPool>(options.workerCount)), m_options(std::move(options))
{
    moduleDir = m_options.moduleDir;
    setupPath = moduleDir + "/Setup.xml";
}

ServiceHost::~ServiceHost()
{
    stopCollector();
}

int ServiceHost::run(int listenPort)
{
    port = listenPort;
    NET_UTILS_Init();
    if (port >= 1) {
        // The client trusts the port only once this line arrives: until the
        // bind succeeded it might be someone else's.
        if (!collector->listen(port)) {
            std::fprintf(stderr, "Haulmoor: cannot listen on 127.0.0.1:%d\n", port);
            NET_UTILS_Fini();
            return 1;
        }
        std::printf("listening on 127.0.0.1:%d\n", port);
        std::fflush(stdout);
    }
    if (port >= 0) {
        collectorThread = std::make_shared<std::thread>([this] { collector->run(*this, port); });
    }
    pool->start();
    while (dispatchOnce()) {
    }
    stopCollector();
    // Every queued download and reply still runs before the pool ends; the
    // library they use goes only after that.
    pool.reset();
    NET_UTILS_Fini();
    return 0;
}

void ServiceHost::setAccessToken(AccessToken token)
{
    collector->setAccessToken(std::move(token));
}

void ServiceHost::stopCollector()
{
    if (collectorThread && collectorThread->joinable())
        collectorThread->join();
}

bool ServiceHost::dispatchOnce()
{
    m_options.waitTick();
    if (!m_options.mainProgramRunning()) {
        std::lock_guard<std::mutex> guard(lock);
        urgentQueue.push_back(Request::stopMarker());
        return false;
    }
    Request request;
    if (!takeNext(request))
        return true;
    if (request.method < DownloadMaterial || request.method > CheckManagerVersion)
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

void ServiceHost::enqueue(Request request)
{
    std::lock_guard<std::mutex> guard(lock);
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

bool ServiceHost::takeStopMarker()
{
    // The marker may stand behind progress requests that arrived late, so
    // look through the whole urgent queue.
    std::lock_guard<std::mutex> guard(lock);
    auto it = std::find_if(urgentQueue.begin(), urgentQueue.end(),
                           [](const Request& request) { return request.isStopMarker(); });
    if (it == urgentQueue.end())
        return false;
    urgentQueue.erase(it);
    return true;
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
