#include "taskmanager.h"

#include "packagedownloader.h"
#include "replysender.h"

namespace haulmoor {

void TaskManager::download(const std::string& url, std::shared_ptr<ProgressCell> cell, PackageKind kind,
                           std::string downloadDir, std::string unzipDir, int chunkSize)
{
    PackageDownloader downloader;
    downloader.setUrl(url);
    downloader.setPackageKind(kind);
    downloader.setChunkSize(chunkSize);
    downloader.setDownloadDir(std::move(downloadDir));
    downloader.setUnzipDir(std::move(unzipDir));
    downloader.setCell(std::move(cell), m_context.cellLock);
    downloader.setUnpackerDir(m_context.unpackerDir);
    downloader.setTransferMode(m_context.transferMode);
    downloader.setTransferConnections(m_context.transferConnections);
    downloader.setStopEvent(m_context.abandoned);
    downloader.setTrustedKeys(m_context.trustedKeys);
    downloader.setCaFile(m_context.caFile);
    downloader.download();
}

void TaskManager::reply(int handle, const std::string& body)
{
    ReplySender sender(handle, body);
    sender.send();
}

} // namespace haulmoor
