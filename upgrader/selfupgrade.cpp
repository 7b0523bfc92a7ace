#include "selfupgrade.h"

#include "config/configmanager.h"
#include "installmanifest/installmanifest.h"
#include "platform/launcher.h"
#include "platform/stagingmarker.h"
#include "platform/systeminfo.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>

namespace swapover {

namespace {
const char* kCopyLabel = "------------------copy------------------m_qstrMainApp-------------------";
const char* kWaitLabel = "------------------m_qstrMainApp------------------m_qstrMainApp-------------------";
const char* kRestartLabel =
    "--------tracer7---------exitApp-------------------qstrProjectName-------------------";
} // namespace

SelfUpgrade::SelfUpgrade(const QString& qstrInstallDir, const QString& qstrHomeDir,
                         const QString& qstrMainApp)
    : m_qstrInstallDir(qstrInstallDir), m_qstrHomeDir(qstrHomeDir), m_qstrMainApp(qstrMainApp)
{
    // Only this installation's main program holds its files: a client of
    // another installation (or any program that happens to bear the name)
    // would hold the upgrade up for as long as it runs.
    m_probe = [this](const QString& qstrName) {
        return platform::isProgramRunningAt(m_qstrInstallDir + QLatin1Char('/') + qstrName);
    };
    m_pause = [this] { QThread::msleep(static_cast<unsigned long>(m_iPollIntervalMs)); };
}

QString SelfUpgrade::stagingDir() const
{
    return m_qstrHomeDir + QLatin1Char('/') + m_qstrMainApp;
}

QString SelfUpgrade::mainProgramPath() const
{
    return m_qstrInstallDir + QLatin1Char('/') + m_qstrMainApp;
}

bool SelfUpgrade::mainAppIsPlainName() const
{
    return !m_qstrMainApp.isEmpty() && !m_qstrMainApp.contains(QLatin1Char('/')) &&
           m_qstrMainApp != QStringLiteral(".") && m_qstrMainApp != QStringLiteral("..");
}

int SelfUpgrade::run()
{
    if (loadConfig())
        copy();
    restart();
    return 0;
}

bool SelfUpgrade::loadConfig()
{
    gearmart::ConfigManager* config = gearmart::ConfigManager::instance();
    if (!config->load(m_qstrInstallDir + QStringLiteral("/Setup.xml"))) {
        qDebug().noquote() << "-------------------tracer7--------------m_pConfigManager->load-------------"
                           << "false";
        return false;
    }
    m_pConfigManager = config;
    return true;
}

void SelfUpgrade::waitForMainProgram()
{
    // The main program of this installation, by its path; it is never
    // stopped here. A short pause keeps the wait from spinning a core.
    while (m_probe(m_qstrMainApp)) {
        qDebug().noquote() << kWaitLabel << m_qstrMainApp << " is running";
        m_pause();
    }
    qDebug().noquote() << kWaitLabel << m_qstrMainApp << "close";
}

bool SelfUpgrade::stagingIsComplete() const
{
    // Only a folder the service marked complete: a half-written staging, or
    // a folder of the user's that happens to bear the name, is no upgrade.
    const platform::StagingMarker marker =
        platform::readStagingMarker(QFile::encodeName(stagingDir()).toStdString());
    if (marker.state == platform::StagingState::Complete)
        return true;
    qDebug().noquote() << kCopyLabel
                       << (marker.state == platform::StagingState::Incomplete
                               ? "staging folder incomplete, nothing copied"
                               : "no staging folder made by the service, nothing copied")
                       << stagingDir();
    return false;
}

bool SelfUpgrade::runCopyScript()
{
    // "cmd /c copyfiles.bat SRC DST" on Windows; here an argument vector, so
    // blanks and any other characters of the paths reach the script as they
    // are.
    QProcess process;
    process.setProgram(QStringLiteral("sh"));
    process.setArguments({QStringLiteral("copyfiles.sh"), stagingDir(), m_qstrInstallDir});
    process.setWorkingDirectory(m_qstrInstallDir);
    process.start();
    const bool started = process.waitForStarted(-1);
    // The script reads from the staging folder until it ends: wait for that
    // however long it takes, before anything is changed or removed. With an
    // idle hook the wait goes in short steps, so a window stays painted.
    QElapsedTimer slice;
    slice.start();
    while (started && !process.waitForFinished(m_idle ? std::min(kIdleStepMs, m_iScriptWaitSliceMs)
                                                       : m_iScriptWaitSliceMs)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (m_idle)
            m_idle();
        if (!m_idle || slice.hasExpired(m_iScriptWaitSliceMs)) {
            qDebug().noquote() << kCopyLabel << "copyfiles.sh still running";
            slice.restart();
        }
    }

    qDebug().noquote() << "------------------copy------------------pProcess->readAll-------------------"
                       << QString::fromLocal8Bit(process.readAll());
    qDebug().noquote()
        << "------------------copy------------------pProcess->readAllStandardError-------------------"
        << QString::fromLocal8Bit(process.readAllStandardError());
    qDebug().noquote()
        << "------------------copy------------------pProcess->readAllStandardOutput-------------------"
        << QString::fromLocal8Bit(process.readAllStandardOutput());

    const bool succeeded = started && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!started)
        qDebug().noquote() << kCopyLabel << "copyfiles.sh start fail" << process.errorString();
    else if (process.exitStatus() != QProcess::NormalExit)
        qDebug().noquote() << kCopyLabel << "copyfiles.sh crashed";
    else
        qDebug().noquote() << kCopyLabel << "copyfiles.sh exit" << process.exitCode();
    return succeeded;
}

void SelfUpgrade::recordStagedFiles() const
{
    QStringList files;
    const QDir staging(stagingDir());
    // Links are listed, never entered.
    QDirIterator it(stagingDir(), QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = staging.relativeFilePath(it.next());
        // The copy script leaves these two out: they describe this staging
        // and the installation, and are no installed files.
        if (relative != QLatin1String(platform::kStagingMarkerName) &&
            relative != QLatin1String(installmanifest::InstallManifest::kFileName))
            files.append(relative);
    }
    QString error;
    if (!installmanifest::InstallManifest::addFiles(m_qstrInstallDir, files, &error))
        qDebug().noquote() << kCopyLabel << "manifest not updated:" << error;
}

SelfUpgrade::CopyOutcome SelfUpgrade::copy()
{
    if (!m_pConfigManager)
        return CopyOutcome::NotLoaded;
    qDebug().noquote() << kCopyLabel << m_qstrMainApp;
    if (m_qstrMainApp.isEmpty()) {
        qDebug().noquote() << kCopyLabel << m_qstrMainApp << " empty";
        return CopyOutcome::NoProgram;
    }
    if (!mainAppIsPlainName()) {
        qDebug().noquote() << kCopyLabel << m_qstrMainApp << " not a program name";
        return CopyOutcome::NoProgram;
    }

    tell(Stage::Waiting);
    waitForMainProgram();
    const bool staged = stagingIsComplete();
    if (staged)
        tell(Stage::Applying);
    const bool copied = staged && runCopyScript();
    tell(copied ? Stage::Applied : Stage::Failed);
    // A failed copy is undone by the script: nothing new arrived.
    if (copied)
        recordStagedFiles();

    // Cleared whatever the script reported (as the copier always did): a
    // pending flag with a staging folder left in place would make every start
    // of the client hand over to this program again, an endless round.
    m_pConfigManager->set(gearmart::ConfigKey::IsNeedUpdate, QString::number(0));
    qDebug().noquote() << kCopyLabel << "finished";

    if (!staged)
        return CopyOutcome::NotStaged;

    if (!copied) {
        // The staged version may be all that is left of the new files; it
        // stays for a retry or for the user.
        qDebug().noquote() << kCopyLabel << "copy failed, staging folder kept" << stagingDir();
        return CopyOutcome::ScriptFailed;
    }
    const QFileInfo staging(stagingDir());
    if (staging.isSymLink()) {
        // Never clean through a link into whatever it points at.
        qDebug().noquote() << kCopyLabel << "staging folder is a link, kept" << stagingDir();
    } else if (staging.isDir() && !QDir(stagingDir()).removeRecursively()) {
        qDebug().noquote() << kCopyLabel << "staging folder not fully removed" << stagingDir();
    }
    return CopyOutcome::Copied;
}

void SelfUpgrade::tell(Stage stage) const
{
    if (m_stageSink)
        m_stageSink(stage);
}

bool SelfUpgrade::restart()
{
    const QString program = mainProgramPath();
    qDebug().noquote() << kRestartLabel << program;
    // An empty or odd name never names a program of the installation.
    const bool started =
        mainAppIsPlainName() && platform::startDetached(program, {program}, m_qstrInstallDir);
    if (!started)
        qDebug().noquote() << "-------------tracer7---------------"
                           << " ToolApplication::exitApp "
                           << "main project start fail";
    qDebug().noquote() << kRestartLabel << program << "start";
    return started;
}

} // namespace swapover
