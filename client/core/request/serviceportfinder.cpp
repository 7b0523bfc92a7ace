#include "request/serviceportfinder.h"

#include "log/logging.h"

#include <QDebug>
#include <QTcpServer>

namespace gearmart {

int ServicePortFinder::find(int firstPort)
{
    int port = firstPort;
    for (int attempt = 0; attempt < kAttempts; ++attempt, port += kStep) {
        // The service binds the loopback address, so that is where to probe:
        // a port taken on 127.0.0.1 only would otherwise look free.
        QTcpServer probe;
        const bool bound = probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
        probe.close();
        if (bound) {
            qCDebug(lcRequest) << "probe12== true" << 0 << ":" << port;
            qCDebug(lcRequest) << "[Wirelink]find valid port:" << port;
            return port;
        }
        qCDebug(lcRequest) << "probe12== " << -1;
    }
    return -1;
}

} // namespace gearmart
