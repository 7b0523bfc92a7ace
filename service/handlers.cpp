#include "handlers.h"

#include "downloadpath.h"
#include "packagedownloader.h"
#include "protocol.h"
#include "servicehost.h"
#include "taskmanager.h"

namespace haulmoor::handlers {

using namespace localprotocol;

namespace {

struct Directories
{
    PackageKind kind = PackageKind::Tool;
    std::string download;
    std::string unzip;
};

Directories directoriesFor(ServiceHost& host, int method, const std::string& unzipDir)
{
    Directories dirs;
    switch (method) {
    case DownloadMaterial:
        dirs.kind = PackageKind::Material;
        dirs.download = host.dataDir + "/ToolsFileTemp/";
        dirs.unzip = dirs.download;
        break;
    case DownloadManageTool:
        // Fetched and unpacked in a private folder of the service, never in
        // the home folder: only the finished staging folder goes there.
        dirs.kind = PackageKind::MainProgram;
        dirs.download = host.dataDir + "/";
        dirs.unzip = host.options().homeDir;
        break;
    default:
        // Read afresh for every tool, so a folder moved by the client counts
        // from its next download on.
        dirs.download = readDownloadPath(host.setupPath, host.dataDir) + "/SubTools/";
        dirs.unzip = unzipDir;
        break;
    }
    if (dirs.unzip.empty())
        dirs.unzip = "./Download/SubTools/";
    return dirs;
}

} // namespace

void download(ServiceHost& host, const Request& request)
{
    ReplyMap values;
    for (const auto& [url, unzipDir] : request.entries) {
        // Read afresh for every download, like the download path.
        DownloadContext context;
        context.cellLock = &host.lock;
        context.unpackerDir = host.moduleDir;
        context.transferMode = readTransferMode(host.setupPath);
        context.abandoned = &host.abandoned();
        context.trustedKeys = host.trustedKeys;
        context.caFile = readCaFile(host.setupPath);
        if (context.transferMode == TransferMode::Stream)
            context.transferConnections =
                readTransferConnections(host.setupPath, PackageDownloader::kDefaultConnections);
        std::shared_ptr<ProgressCell> cell;
        {
            std::lock_guard<std::mutex> guard(host.lock);
            cell = host.cellLocked(url);
            if (cell->running) {
                // Download, cancel, download again: the first task goes on.
                cell->cancelRequested = 0;
                values.emplace(url, "0");
                continue;
            }
            // A fresh cell: a task that gave up may still be cleaning up
            // and writes only into its own.
            cell = std::make_shared<ProgressCell>();
            cell->running = true;
            host.progressTable[url] = cell;
            host.handedOutCells.push_back(cell);
        }
        const Directories dirs = directoriesFor(host, request.method, unzipDir);
        auto manager = std::make_shared<TaskManager>(context);
        host.pool->addTask([manager, url = url, cell, dirs] {
            manager->download(url, cell, dirs.kind, dirs.download, dirs.unzip, kChunkSize);
        });
        values.emplace(url, "0");
    }
    host.sendReply(request, values);
}

void progress(ServiceHost& host, const Request& request)
{
    ReplyMap values;
    protocol::ByteFigures bytes;
    protocol::FailureReasons failures;
    for (const auto& entry : request.entries) {
        const ProgressCell cell = host.readCell(entry.first);
        values.emplace(entry.first, std::to_string(cell.value));
        if (cell.total > 0)
            bytes.emplace(entry.first, protocol::ByteProgress{cell.received, cell.total, cell.rate});
        if (!cell.failure.empty())
            failures.emplace(entry.first, cell.failure);
    }
    if (bytes.empty() && failures.empty()) {
        host.sendReply(request, values);
        return;
    }
    const std::string body = protocol::buildProgressReply(request.method, values, bytes, failures);
    auto manager = std::make_shared<TaskManager>(DownloadContext{});
    const int handle = request.handle;
    host.pool->addTask([manager, handle, body] { manager->reply(handle, body); });
}

void cancel(ServiceHost& host, const Request& request)
{
    ReplyMap values;
    for (const auto& entry : request.entries) {
        {
            std::lock_guard<std::mutex> guard(host.lock);
            auto cell = host.cellLocked(entry.first);
            cell->value = 0;
            cell->cancelRequested = 1;
            cell->received = 0;
            cell->total = 0;
            cell->rate = 0;
            cell->failure.clear();
        }
        values.emplace(entry.first, "0");
    }
    host.sendReply(request, values);
}

} // namespace haulmoor::handlers
