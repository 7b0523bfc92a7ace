#include "shell/singleinstance.h"

#include "platform/systeminfo.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTextStream>

namespace gearmart {

SingleInstance::SingleInstance(const QString& programFileName, QObject* parent)
    : QObject(parent), m_serverName(serverNameFor(programFileName))
{
}

QString SingleInstance::serverNameFor(const QString& programFileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + programFileName + QLatin1Char('-') + platform::currentUserName();
}

bool SingleInstance::checkAndClaim(const QString& message)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(kConnectWaitMs)) {
        m_alreadyRunning = true;
        QTextStream stream(&socket);
        stream << message;
        stream.flush();
        socket.waitForBytesWritten(kWriteWaitMs);
        return true;
    }

    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (!m_pServer->listen(m_serverName) && m_pServer->serverError() == QAbstractSocket::AddressInUseError) {
        // Left behind by an instance that crashed: nobody answered above.
        QLocalServer::removeServer(m_serverName);
        m_pServer->listen(m_serverName);
    }
    return false;
}

void SingleInstance::onNewConnection()
{
    QLocalSocket* socket = m_pServer->nextPendingConnection();
    if (!socket)
        return;
    socket->waitForReadyRead(kReadWaitMs);
    const QString message = QString::fromUtf8(socket->readAll());
    socket->deleteLater();
    emit signalActivationRequested(message);
}

} // namespace gearmart
