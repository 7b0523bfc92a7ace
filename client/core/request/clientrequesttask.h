#pragma once

#include "request/clientrequest.h"

#include <QObject>
#include <QRunnable>
#include <memory>

namespace gearmart {

class ClientHandlePool;

// One exchange with the service on a pool thread; its outcome comes back as
// signalRequestResult(error, response), queued to the receiver's thread.
class ClientRequestTask : public QObject, public QRunnable
{
    Q_OBJECT

public:
    static constexpr int kConnectRetries = 15;
    static constexpr int kConnectRetryMs = 200;

    explicit ClientRequestTask(const ClientRequest& request);

    void setHandlePool(std::shared_ptr<ClientHandlePool> pool) { m_pool = std::move(pool); }
    // Sent with the request; empty sends none (a service started by hand).
    void setServiceToken(const QByteArray& token) { m_serviceToken = token; }
    int priority() const;
    void run() override;

signals:
    // error 0: the service's reply; -1: no URL; otherwise the HTTP layer's error.
    void signalRequestResult(int error, QString response);

private:
    ClientRequest m_request;
    std::shared_ptr<ClientHandlePool> m_pool;
    QByteArray m_serviceToken;
};

} // namespace gearmart
