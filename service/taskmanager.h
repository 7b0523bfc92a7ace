#pragma once

#include "downloadpath.h"
#include "request.h"

#include <memory>
#include <mutex>
#include <string>

namespace platform {
class StopEvent;
}

namespace haulmoor {

class TrustedKeys;

// What a download task shares with the rest of the service.
struct DownloadContext
{
    std::mutex* cellLock = nullptr; // the host lock, taken for every cell access
    std::string unpackerDir;        // searched first for the unpacker program
    TransferMode transferMode = TransferMode::Ranges;
    int transferConnections = 4;                    // of a streamed transfer
    const platform::StopEvent* abandoned = nullptr; // set when the service gives up its work
    std::shared_ptr<const TrustedKeys> trustedKeys; // the publisher's keys; none: nothing is signed
    std::string caFile;                             // an authority trusted besides the system's
};

// The work of one pool task: a package download or the sending of a reply.
class TaskManager
{
public:
    explicit TaskManager(DownloadContext context) : m_context(std::move(context)) {}

    void download(const std::string& url, std::shared_ptr<ProgressCell> cell, PackageKind kind,
                  std::string downloadDir, std::string unzipDir, int chunkSize);
    void reply(int handle, const std::string& body);

private:
    DownloadContext m_context;
    std::mutex m_mutex;
};

} // namespace haulmoor
