#pragma once
// Shared pieces for tests that run a ServiceHost in-process: a dispatcher
// gate the test releases by hand, a main program the test ends, and a
// client that posts protocol bodies the way the real client does.

#include "platform/stopevent.h"
#include "servicehost.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace servicetest {

// Holds the dispatcher before each step until the test lets it through.
class DispatchGate
{
public:
    void wait();
    void release(int steps = 1);
    void open(); // every later step passes at once

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_permits = 0;
    bool m_open = false;
};

struct Reply
{
    bool ok = false;
    int status = 0;
    int method = -1;
    QMap<QString, QString> values; // url -> value
    QByteArray raw;
};

Reply parseReply(bool ok, int status, const QByteArray& body);

// Posts {"method", "urls"} to the service and waits for the answer.
Reply post(quint16 port, int method, const QList<QPair<QString, QString>>& entries,
           const QString& endpoint = QStringLiteral("/DownloadProgress?format=json"));
Reply postRaw(quint16 port, const QByteArray& body);

// Replaces stdout (the service's log) with a file while it lives.
class StdoutCapture
{
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Restores stdout and returns what was written meanwhile.
    QByteArray finish();

private:
    QTemporaryDir m_dir;
    int m_saved = -1;
    QByteArray m_text;
};

// Writes a stand-in unpacker into dir that copies the package to
// DIR/received.bin (DIR/into/received.bin when into is given) and succeeds
// (or fails with exit code 3 when asked).
void writeFakeUnpacker(const QString& dir, bool succeed = true, const QString& into = QString());

// Every entry of a folder, hidden ones included; empty when there is none.
QStringList entriesIn(const QString& dir);

// Writes to files of this process and its children fail beyond the given
// size while it lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    quint64 m_saved = 0;
    bool m_limited = false;
};

// A host with its own module folder, run on a thread of its own.
class RunningHost
{
public:
    RunningHost();
    ~RunningHost();

    bool start();
    // The main program ends; the host learns of it through its watch.
    void endMainProgram() { m_mainProgramGone.set(); }
    // Ends the main program and waits for run() to return.
    int stop();

    haulmoor::ServiceHost& host() { return *m_host; }
    DispatchGate& gate() { return m_gate; }
    quint16 port() const { return m_port; }
    QString moduleDir() const { return m_module.path(); }
    QString homeDir() const { return m_home.path(); }
    // Setup.xml with the download path and any further keys, one element a
    // line as the client writes it.
    void writeSetup(const QString& downloadPath, const QList<QPair<QString, QString>>& more = {});

private:
    QTemporaryDir m_module;
    QTemporaryDir m_home;
    DispatchGate m_gate;
    platform::StopEvent m_mainProgramGone;
    std::unique_ptr<haulmoor::ServiceHost> m_host;
    std::thread m_thread;
    std::atomic<int> m_exitCode{-100};
    quint16 m_port = 0;
};

} // namespace servicetest
