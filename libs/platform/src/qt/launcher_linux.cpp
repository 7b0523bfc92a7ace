#include "platform/launcher.h"

#include <QProcess>
#include <signal.h>

namespace platform {

bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                   qint64* pid)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    return process.startDetached(pid);
}

bool terminateProcess(qint64 pid)
{
    // 0 and negative numbers would signal whole process groups.
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}

} // namespace platform
