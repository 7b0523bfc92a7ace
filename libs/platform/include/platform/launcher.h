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

} // namespace platform
