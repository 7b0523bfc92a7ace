#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Starts a program that outlives us, in the given working directory. The pid
// goes to *pid when asked for.
bool startDetached(const QString& program, const QStringList& arguments, const QString& workingDirectory,
                   qint64* pid = nullptr);

// Asks a process to end (SIGTERM). False when there is no such process.
bool terminateProcess(qint64 pid);

// What tells a process apart from a later one that got the same pid: the
// moment it started (its program may change, a launcher script exec-ing the
// tool). Empty (pid 0) when there is no such process of this user.
struct ProcessIdentity
{
    qint64 pid = 0;
    quint64 startTicks = 0;

    bool isEmpty() const { return pid <= 0; }
    bool operator==(const ProcessIdentity& other) const
    {
        return pid == other.pid && startTicks == other.startTicks;
    }
};
ProcessIdentity identityOf(qint64 pid);
// SIGTERM, only while the pid still names the same process; false otherwise.
bool terminateIfSame(const ProcessIdentity& identity);

} // namespace platform
