#pragma once

#include "request/clientrequest.h"

#include <QObject>
#include <QThreadPool>
#include <memory>

namespace gearmart {

class ClientHandlePool;

// Runs requests to the service on a small thread pool.
class ClientRequestManager : public QObject
{
    Q_OBJECT

public:
    explicit ClientRequestManager(QObject* parent = nullptr);
    ~ClientRequestManager() override;

    void send(const ClientRequest& request);
    // The secret of the service now running; every later request carries it.
    void setServiceToken(const QByteArray& token) { m_serviceToken = token; }
    void setMaxThreadCount(int count);
    int activeThreadCount() const;
    bool hasClient() const;

signals:
    void signalRequestResult(int error, QString response);

private:
    QThreadPool m_pool;
    std::shared_ptr<ClientHandlePool> m_handles;
    QByteArray m_serviceToken;
};

} // namespace gearmart
