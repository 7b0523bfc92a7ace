#include "common/signingate.h"

#include "config/configmanager.h"
#include "log/logging.h"
#include "panelcraft/independentwindow.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/tipdialog.h"
#include "widgets/tipicons.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QWidget>

namespace gearmart {

namespace {

QString& programOverride()
{
    static QString program;
    return program;
}

bool& signInRunning()
{
    static bool running = false;
    return running;
}

} // namespace

SignInGate::SignInGate(QWidget* owner) : m_pOwner(owner), m_bHadOwner(owner != nullptr) {}

bool SignInGate::needsSignIn(int iToolkey)
{
    ToolDataManager* data = ToolDataManager::instance();
    if (data->isSignedIn())
        return false;
    const auto& infos = data->toolInfos();
    const auto it = infos.constFind(iToolkey);
    return it != infos.cend() && it->IsDown == 1;
}

QString SignInGate::programPath()
{
    if (!programOverride().isEmpty())
        return programOverride();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Signgate/Signgate");
}

void SignInGate::setProgramForTesting(const QString& program)
{
    programOverride() = program;
}

bool SignInGate::pass(int iToolkey)
{
    if (!needsSignIn(iToolkey))
        return true;
    // A second sign-in window for another card would only confuse.
    if (signInRunning())
        return false;
    const QFileInfo program(programPath());
    if (!program.isFile() || !program.isExecutable()) {
        reportUnavailable();
        return false;
    }

    QPointer<SignInGate> self(this);
    emit signalCover(true);
    signInRunning() = true;
    const int exitCode = runSignIn();
    signInRunning() = false;
    if (!self)
        return false;
    emit signalCover(false);
    if (exitCode == -1) {
        reportUnavailable();
        return false;
    }
    if (exitCode != 1)
        return false;
    ToolDataManager::instance()->setSignedIn(true);
    // Whoever asked is gone: nobody is left to act on the answer.
    return !m_bHadOwner || !m_pOwner.isNull();
}

int SignInGate::runSignIn()
{
    QProcess process;
    process.setProgram(programPath());
    process.setArguments({QString::number(ConfigManager::instance()->language())});
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    if (!process.waitForStarted()) {
        qCDebug(lcPages) << "Signgate did not start:" << process.errorString();
        return -1;
    }
    // The window keeps painting and the service answers keep coming while
    // the user signs in; the user's input waits until the sign-in is over.
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.exitStatus() != QProcess::NormalExit)
        return 0;
    return process.exitCode();
}

void SignInGate::reportUnavailable()
{
    QPointer<SignInGate> self(this);
    emit signalCover(true);
    TipDialog::showTip(
        kNoticeIcon,
        tr("Sign-in is not available: the sign-in program is missing. Please reinstall the software."),
        tr("OK"), tr("Cancel"), false, m_pOwner ? crestui::GetIndependentWindow(m_pOwner) : nullptr);
    if (!self)
        return;
    emit signalCover(false);
    emit signalSignInUnavailable();
}

} // namespace gearmart
