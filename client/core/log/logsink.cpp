#include "log/logsink.h"

#include "platform/logfile.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

namespace gearmart {

namespace {

QtMessageHandler g_previous = nullptr;
// Made once by install() and never freed: a thread may log while the
// process ends.
platform::LogFile* g_file = nullptr;

const char* levelName(int iType)
{
    switch (iType) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    default:
        return "fatal";
    }
}

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (g_file) {
        const QString line = LogSink::formatLine(QString::fromStdString(platform::logTimestamp()),
                                                 context.category, type, text);
        g_file->write(line.toStdString());
    }
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

QString LogSink::formatLine(const QString& qstrTime, const char* category, int iType, const QString& qstrText)
{
    // The default category says nothing; the program's name does.
    const QString area = !category || qstrcmp(category, "default") == 0 ? QStringLiteral("gearloft")
                                                                          : QString::fromUtf8(category);
    // One line each: a message's own line breaks would split it.
    QString text = qstrText;
    text.replace(QLatin1Char('\n'), QLatin1String(" | "));
    return qstrTime + QStringLiteral(" Gearloft ") + area + QLatin1Char(' ') + QLatin1String(levelName(iType)) +
           QStringLiteral(": ") + text;
}

QString LogSink::folder()
{
    return QString::fromStdString(platform::defaultLogFolder());
}

void LogSink::install()
{
    static QBasicMutex mutex;
    QMutexLocker lock(&mutex);
    if (g_file)
        return;
    const std::string logFolder = platform::defaultLogFolder();
    if (logFolder.empty())
        return;
    g_file = new platform::LogFile(logFolder, "gearloft");
    g_previous = qInstallMessageHandler(handleMessage);
}

QStringList LogSink::lastLines(const QString& qstrFolder, const QString& qstrName, int iCount)
{
    const platform::LogFile log(qstrFolder.toStdString(), qstrName.toStdString());
    QStringList lines;
    // Newest file first; each older file's lines go in front.
    for (const std::string& file : log.files()) {
        if (lines.size() >= iCount)
            break;
        QFile in(QString::fromStdString(file));
        if (!in.open(QIODevice::ReadOnly))
            continue;
        // A rotated file is never much over the limit; skip the head of a larger one.
        if (in.size() > qint64(2 * platform::LogFile::kDefaultLimit))
            in.seek(in.size() - qint64(2 * platform::LogFile::kDefaultLimit));
        QStringList fileLines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines = fileLines + lines;
    }
    return lines.mid(qMax(0, lines.size() - iCount));
}

} // namespace gearmart
