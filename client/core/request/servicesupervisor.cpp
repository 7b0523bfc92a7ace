#include "request/servicesupervisor.h"

#include "log/logging.h"
#include "request/serviceportfinder.h"
#include "request/servicetoken.h"

#include <QDebug>

namespace gearmart {

namespace {
// Far more than the line needs; a child that never ends a line is not ours.
constexpr int kMaxLineBytes = 256;
} // namespace

QByteArray ServiceSupervisor::listeningLine(int port)
{
    return "listening on 127.0.0.1:" + QByteArray::number(port);
}

ServiceSupervisor::ServiceSupervisor(QString program, QObject* parent)
    : QObject(parent), m_qstrProgram(std::move(program)),
      m_findPort([](int firstPort) { return ServicePortFinder::find(firstPort); }),
      m_pProcess(new QProcess(this))
{
    qRegisterMetaType<QProcess::ProcessState>();
    qRegisterMetaType<QProcess::ProcessError>();
    m_listenTimer.setSingleShot(true);
    connect(&m_listenTimer, &QTimer::timeout, this, &ServiceSupervisor::onListenTimeout);
    m_restartTimer.setSingleShot(true);
    connect(&m_restartTimer, &QTimer::timeout, this, &ServiceSupervisor::onRestartDue);
    connect(m_pProcess, &QProcess::readyReadStandardOutput, this, &ServiceSupervisor::onReadyRead);
    connect(m_pProcess, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &ServiceSupervisor::onFinished);
    connect(m_pProcess, &QProcess::errorOccurred, this, &ServiceSupervisor::onErrorOccurred);
    connect(m_pProcess, &QProcess::stateChanged, this, &ServiceSupervisor::onStateChanged);
}

ServiceSupervisor::~ServiceSupervisor()
{
    stop();
}

const char ServiceSupervisor::kDataFolderVariable[] = "GEARLOFT_DATA_DIR";

void ServiceSupervisor::start()
{
    m_restartTimer.stop();
    m_iNextRestartDelayMs = m_iFirstRestartDelayMs;
    m_iStarts = 0;
    m_iPort = ServicePortFinder::kFirstPort - ServicePortFinder::kStep;
    startAttempt();
}

void ServiceSupervisor::startAttempt()
{
    m_output.clear();
    const int port = m_iStarts < kMaxStarts ? m_findPort(m_iPort + ServicePortFinder::kStep) : -1;
    if (port < 0) {
        m_iPort = -1;
        m_phase = Phase::Ended;
        emit signalNoPort();
        return;
    }
    ++m_iStarts;
    m_iPort = port;
    m_phase = Phase::Starting;
    // A new secret for every start, never on the command line: any user can
    // read that, while the environment is the service owner's alone.
    m_token = ServiceToken::generate();
    QProcessEnvironment environment = ServiceToken::environmentWith(m_token);
    environment.remove(QLatin1String(kDataFolderVariable));
    if (!m_qstrDataFolder.isEmpty())
        environment.insert(QLatin1String(kDataFolderVariable), m_qstrDataFolder);
    m_pProcess->setProcessEnvironment(environment);
    m_pProcess->setProcessChannelMode(QProcess::SeparateChannels);
    m_pProcess->setReadChannel(QProcess::StandardOutput);
    m_listenTimer.start(m_listenTimeoutMs);
    m_pProcess->start(m_qstrProgram, {QString::number(port)}, QIODevice::ReadWrite);
}

void ServiceSupervisor::stop()
{
    m_phase = Phase::Stopping;
    m_listenTimer.stop();
    m_restartTimer.stop();
    if (m_pProcess->state() != QProcess::NotRunning) {
        m_pProcess->terminate();
        if (!m_pProcess->waitForFinished(kStopGraceMs)) {
            qCWarning(lcRequest) << "service did not end within" << kStopGraceMs << "ms; killed";
            m_pProcess->kill();
            m_pProcess->waitForFinished(kStopGraceMs);
        }
    }
    m_token.clear();
}

void ServiceSupervisor::onReadyRead()
{
    const QByteArray chunk = m_pProcess->readAllStandardOutput();
    if (m_phase != Phase::Starting)
        return; // the service echoes every request; nobody reads it
    m_output += chunk;
    // The service may report its start-up clean-up first; the listening
    // line is the one that counts, however the output was split.
    for (int end = m_output.indexOf('\n'); end >= 0; end = m_output.indexOf('\n')) {
        const QByteArray line = m_output.left(end);
        m_output.remove(0, end + 1);
        if (line == listeningLine(m_iPort)) {
            m_output.clear();
            becomeReady();
            return;
        }
        qCDebug(lcRequest) << "service said before listening:" << line.left(kMaxLineBytes);
    }
    if (m_output.size() > kMaxLineBytes)
        m_output.clear();
}

void ServiceSupervisor::becomeReady()
{
    m_listenTimer.stop();
    m_phase = Phase::Listening;
    m_listening.start();
    qCDebug(lcRequest) << "[Wirelink]service listens on port:" << m_iPort;
    emit signalReady(m_iPort, m_token);
}

void ServiceSupervisor::onFinished()
{
    if (m_phase != Phase::Starting)
        return;
    m_listenTimer.stop();
    qCWarning(lcRequest) << "service ended before it listened on port" << m_iPort << ":"
                         << m_pProcess->readAllStandardError().trimmed();
    retryAfterFailure();
}

void ServiceSupervisor::retryAfterFailure()
{
    // The port went to someone else between probe and bind: the next one.
    QMetaObject::invokeMethod(
        this, [this] { startAttempt(); }, Qt::QueuedConnection);
}

void ServiceSupervisor::onListenTimeout()
{
    if (m_phase != Phase::Starting)
        return;
    qCWarning(lcRequest) << "service did not listen on port" << m_iPort << "in time";
    // Its end then starts the next attempt.
    m_pProcess->kill();
}

void ServiceSupervisor::onErrorOccurred(QProcess::ProcessError error)
{
    if (m_phase == Phase::Stopping)
        return;
    if (error == QProcess::FailedToStart) {
        m_listenTimer.stop();
        m_phase = Phase::Ended;
        emit signalProcessError(error);
        return;
    }
    if (m_phase == Phase::Listening)
        emit signalProcessError(error);
}

void ServiceSupervisor::onStateChanged(QProcess::ProcessState newState)
{
    // Only the end matters; "running" may even arrive after the listening line.
    if (m_phase != Phase::Listening || newState != QProcess::NotRunning)
        return;
    m_phase = Phase::Ended;
    emit signalStateChanged(newState);
    emit signalServiceLost();
    // A service that keeps failing is started less and less often.
    if (m_listening.elapsed() >= kSteadyRunMs)
        m_iNextRestartDelayMs = m_iFirstRestartDelayMs;
    qCWarning(lcRequest) << "service ended on its own; starting a new one in" << m_iNextRestartDelayMs
                         << "ms";
    m_restartTimer.start(m_iNextRestartDelayMs);
    m_iNextRestartDelayMs = qMin(m_iNextRestartDelayMs * 2, kMaxRestartDelayMs);
}

void ServiceSupervisor::onRestartDue()
{
    if (m_phase != Phase::Ended)
        return;
    m_iStarts = 0;
    m_iPort = ServicePortFinder::kFirstPort - ServicePortFinder::kStep;
    startAttempt();
}

} // namespace gearmart
