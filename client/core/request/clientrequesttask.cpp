#include "request/clientrequesttask.h"

#include "log/logging.h"
#include "request/clienthandlepool.h"
#include "request/requestmethod.h"
#include "request/servicetoken.h"
#include "wirelink/wirelink.h"

#include <QDebug>
#include <QThread>

namespace gearmart {

ClientRequestTask::ClientRequestTask(const ClientRequest& request) : m_request(request)
{
    setAutoDelete(true);
}

int ClientRequestTask::priority() const
{
    return priorityFor(m_request.method);
}

void ClientRequestTask::run()
{
    if (m_request.urlToUnzipDir.isEmpty()) {
        emit signalRequestResult(-1, madeUpReply(m_request, ClientValue::NoUrl));
        return;
    }
    const QByteArray body = buildRequestBody(m_request);
    qCDebug(lcRequest) << "request body:" << body;
    const QByteArray url = requestUrlFor(m_request.port, m_request.method).toUtf8();

    const int handle = m_pool ? m_pool->borrow() : -1;
    if (handle == -1) {
        emit signalRequestResult(NET_UTILS_GetLastError(), madeUpReply(m_request, ClientValue::NoClient));
        return;
    }
    // Headers stay on a handle: always set it, so an empty token clears the
    // one an earlier task left there.
    NET_HTTPCLIENT_SetParam(handle, WL_CLIENT_HEADER, localprotocol::kTokenHeader,
                            static_cast<int>(qstrlen(localprotocol::kTokenHeader)), m_serviceToken.constData(),
                            m_serviceToken.size());
    NET_HTTPCLIENT_SetParam(handle, WL_CLIENT_BODY, nullptr, 0, body.constData(), body.size());
    ExchangeRecord record;
    record.url = url.constData();
    record.urlLength = static_cast<std::size_t>(url.size());
    bool ok = NET_HTTPCLIENT_ShortLinkExchange(handle, &record) != 0;
    // The service is started moments before the first requests go out; give
    // it a little time to open its port instead of failing them at once.
    for (int attempt = 0; !ok && NET_UTILS_GetLastError() == WL_ERR_CONNECT && attempt < kConnectRetries &&
                          !m_pool->isShuttingDown();
         ++attempt) {
        QThread::msleep(kConnectRetryMs);
        ok = NET_HTTPCLIENT_ShortLinkExchange(handle, &record) != 0;
    }
    // The handle's buffer is reused by the next exchange: copy before giving it back.
    const QByteArray reply(record.body ? record.body : "", static_cast<int>(record.bodyLength));
    const int error = ok ? 0 : NET_UTILS_GetLastError();
    m_pool->giveBack(handle);

    if (ok) {
        emit signalRequestResult(0, QString::fromLatin1(reply));
    } else {
        qCDebug(lcRequest) << "errorCode:" << error;
        emit signalRequestResult(error, madeUpReply(m_request, ClientValue::ExchangeFailed));
    }
}

} // namespace gearmart
