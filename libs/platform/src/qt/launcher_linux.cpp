#include "platform/launcher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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

ProcessIdentity identityOf(qint64 pid)
{
    if (pid <= 0)
        return {};
    const QString folder = QStringLiteral("/proc/%1").arg(pid);
    struct stat info;
    // Another user's process is never ours to end.
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || info.st_uid != ::getuid())
        return {};
    QFile stat(folder + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // Fields after the command name, which may hold ") ": the start time is
    // the 22nd field, the 20th after the name.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // An ended process not yet collected has nothing left to end.
    if (fields.size() < 20 || fields.at(0) == "Z" || fields.at(0) == "X")
        return {};
    ProcessIdentity identity;
    identity.pid = pid;
    identity.startTicks = fields.at(19).toULongLong();
    return identity;
}

bool terminateIfSame(const ProcessIdentity& identity)
{
    if (identity.isEmpty() || !(identityOf(identity.pid) == identity))
        return false;
    return terminateProcess(identity.pid);
}

} // namespace platform
