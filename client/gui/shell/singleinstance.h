#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace gearmart {

// Keeps the client to one instance per user. The channel lives in the user's
// private runtime folder and carries the user's name in its own, so another
// user's instance can neither block it nor receive from it.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static constexpr int kConnectWaitMs = 500;
    static constexpr int kWriteWaitMs = 30000;
    static constexpr int kReadWaitMs = 1000;

    SingleInstance(const QString& programFileName, QObject* parent = nullptr);

    // Connects to a running first instance and hands it message; otherwise
    // becomes the first instance. True when another instance runs.
    bool checkAndClaim(const QString& message);
    bool isAlreadyRunning() const { return m_alreadyRunning; }
    QString serverName() const { return m_serverName; }

    static QString serverNameFor(const QString& programFileName);

signals:
    // A second instance got in touch: the first should come to the front.
    void signalActivationRequested(QString message);

private slots:
    void onNewConnection();

private:
    QString m_serverName;
    QLocalServer* m_pServer = nullptr;
    bool m_alreadyRunning = false;
};

} // namespace gearmart
