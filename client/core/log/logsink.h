#pragma once

#include <QString>
#include <QStringList>

namespace gearmart {

// The client's log a user can send: every Qt log line also goes to
// "gearloft.log" in the log folder (platform::defaultLogFolder: private,
// rotated at 1 MiB, five files), as "TIME Gearloft CATEGORY LEVEL: TEXT".
// Standard error keeps every line as before.
class LogSink
{
public:
    // Installs the message handler for the rest of the process; a second
    // call changes nothing.
    static void install();
    static QString folder();

    // The last iCount lines of a log ("gearloft", "haulmoor") in qstrFolder,
    // over its rotated files, oldest first.
    static QStringList lastLines(const QString& qstrFolder, const QString& qstrName, int iCount);
    // One log line as the file holds it.
    static QString formatLine(const QString& qstrTime, const char* category, int iType, const QString& qstrText);
};

} // namespace gearmart
