#include "request/clientrequestmanager.h"

#include "log/logging.h"
#include "request/clienthandlepool.h"
#include "request/clientrequesttask.h"
#include "wirelink/wirelink.h"

#include <QDebug>

namespace gearmart {

ClientRequestManager::ClientRequestManager(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<QString>("QString");
    NET_UTILS_Init();
    const int handle = NET_HTTPCLIENT_Create();
    qCDebug(lcRequest) << "iHttpErrorCode" << NET_UTILS_GetLastError();
    m_handles = std::make_shared<ClientHandlePool>(handle);
}

ClientRequestManager::~ClientRequestManager()
{
    m_handles->shutDown();
    m_pool.clear();
    m_pool.waitForDone();
}

void ClientRequestManager::send(const ClientRequest& request)
{
    auto* task = new ClientRequestTask(request);
    task->setHandlePool(m_handles);
    task->setServiceToken(m_serviceToken);
    connect(task, &ClientRequestTask::signalRequestResult, this, &ClientRequestManager::signalRequestResult,
            Qt::QueuedConnection);
    m_pool.start(task, task->priority());
}

void ClientRequestManager::setMaxThreadCount(int count)
{
    m_pool.setMaxThreadCount(count);
}

int ClientRequestManager::activeThreadCount() const
{
    return m_pool.activeThreadCount();
}

bool ClientRequestManager::hasClient() const
{
    return m_handles->valid();
}

} // namespace gearmart
