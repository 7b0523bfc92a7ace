#include "request/clienthandlepool.h"

#include "wirelink/wirelink.h"

namespace gearmart {

ClientHandlePool::ClientHandlePool(int firstHandle) : m_valid(firstHandle != -1)
{
    if (m_valid) {
        m_idle.append(firstHandle);
        m_all.append(firstHandle);
    }
}

ClientHandlePool::~ClientHandlePool()
{
    for (int handle : qAsConst(m_all))
        NET_HTTPCLIENT_Destroy(handle);
}

int ClientHandlePool::borrow()
{
    QMutexLocker lock(&m_mutex);
    if (!m_valid)
        return -1;
    if (!m_idle.isEmpty())
        return m_idle.takeLast();
    const int handle = NET_HTTPCLIENT_Create();
    if (handle != -1)
        m_all.append(handle);
    return handle;
}

void ClientHandlePool::giveBack(int handle)
{
    if (handle == -1)
        return;
    QMutexLocker lock(&m_mutex);
    m_idle.append(handle);
}

} // namespace gearmart
