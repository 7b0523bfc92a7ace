#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <functional>

namespace gearmart {

// Starts the service on a free port and trusts that port only once the
// service itself, our own child, says on its standard output that it holds
// it. Between the probe and the service's bind another user may take the
// port: the service then ends at once, and the next free port is tried.
// A service that ends on its own later is started again, on a new port with
// a new secret, after a pause that grows with each end in a row.
class ServiceSupervisor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxStarts = 10;
    // A service that neither listens nor ends by then is taken as failed.
    static constexpr int kListenTimeoutMs = 10000;
    // Time a stopped service gets to cancel its transfers and clean up.
    static constexpr int kStopGraceMs = 3000;
    // Pauses before starting a service that ended on its own: 1, 2, 4 ... s.
    static constexpr int kFirstRestartDelayMs = 1000;
    static constexpr int kMaxRestartDelayMs = 30000;
    // A service that served this long before it ended starts the pauses over.
    static constexpr int kSteadyRunMs = 60000;
    static QByteArray listeningLine(int port);

    // The first free port at or after the given one, or -1 (a seam for tests).
    using PortFinder = std::function<int(int firstPort)>;

    explicit ServiceSupervisor(QString program, QObject* parent = nullptr);
    ~ServiceSupervisor() override;

    void setPortFinder(PortFinder finder) { m_findPort = std::move(finder); }
    void setListenTimeout(int ms) { m_listenTimeoutMs = ms; }
    void setFirstRestartDelay(int ms) { m_iFirstRestartDelayMs = ms; }
    // The folder where the service finds Setup.xml and puts the client's own
    // downloads, when it is not the service's own folder (the packaged
    // layout keeps them per user). Empty: the service's folder, whatever the
    // client's environment says.
    void setDataFolder(const QString& qstrFolder) { m_qstrDataFolder = qstrFolder; }
    static const char kDataFolderVariable[];

    void start();
    // Asks the service to end (SIGTERM), gives it kStopGraceMs to cancel its
    // transfers and clean up, then ends it outright. No signalStateChanged,
    // and no new start.
    void stop();
    // The pause before the next start after an end on its own; 0 when none
    // is planned.
    int restartDelay() const { return m_restartTimer.isActive() ? m_restartTimer.interval() : 0; }

    bool isReady() const { return m_phase == Phase::Listening; }
    int port() const { return isReady() ? m_iPort : -1; }
    QByteArray token() const { return isReady() ? m_token : QByteArray(); }
    QProcess* process() const { return m_pProcess; }

signals:
    // The service listens on port and answers requests carrying token.
    void signalReady(int port, QByteArray token);
    // No port could be had within kMaxStarts starts (or none was free).
    void signalNoPort();
    // The process's own signals once the service listens: its errors, and
    // its end (the state NotRunning). A program that cannot be started at
    // all is reported at once.
    void signalProcessError(QProcess::ProcessError error);
    void signalStateChanged(QProcess::ProcessState newState);
    // The service that listened has ended on its own: its transfers are
    // lost, and requests wait for the next start's signalReady.
    void signalServiceLost();

private slots:
    void onReadyRead();
    void becomeReady();
    void onFinished();
    void onErrorOccurred(QProcess::ProcessError error);
    void onStateChanged(QProcess::ProcessState newState);
    void onListenTimeout();
    void onRestartDue();

private:
    enum class Phase
    {
        Idle,
        Starting,  // started, its listening line not yet read
        Listening, // serving
        Ended,     // ended on its own after it listened, or never got a port
        Stopping,
    };

    void startAttempt();
    void retryAfterFailure();

    QString m_qstrProgram;
    QString m_qstrDataFolder;
    PortFinder m_findPort;
    QProcess* m_pProcess = nullptr;
    QTimer m_listenTimer;
    QTimer m_restartTimer;
    QElapsedTimer m_listening; // since the last listening line
    int m_iFirstRestartDelayMs = kFirstRestartDelayMs;
    int m_iNextRestartDelayMs = kFirstRestartDelayMs;
    int m_listenTimeoutMs = kListenTimeoutMs;
    QByteArray m_output;
    QByteArray m_token;
    int m_iPort = -1;
    int m_iStarts = 0;
    Phase m_phase = Phase::Idle;
};

} // namespace gearmart
