// How long the installed client takes to show its window, and how much
// memory it holds then, for catalogs of growing size. Figures against
// targets, never pass/fail: exits non-zero only when the client could not
// be run.
#include "clientinstallation.h"
#include "samples.h"

#include <QColor>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr double kStartTargetSeconds = 1.0;
constexpr double kRssTargetMiB = 200.0;
constexpr int kTargetSize = 1000;
// The client counts as settled once it has used no processor time for this long.
constexpr int kQuietMs = 300;
constexpr int kPollMs = 20;

struct StartFigures
{
    double shownSeconds = -1;   // start to "main window shown"
    double settledSeconds = -1; // start to the last processor use before it went quiet
    double rssMiB = -1;         // resident once settled
    double peakMiB = -1;        // highest resident so far
};

QByteArray readProc(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long long cpuTicks(qint64 pid)
{
    const QByteArray stat = readProc(pid, "stat");
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // utime and stime are the 14th and 15th fields; the list starts at the 3rd.
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

double statusMiB(qint64 pid, const QByteArray& key)
{
    for (const QByteArray& line : readProc(pid, "status").split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Every tool with a logo of its own, as a published catalog has (unless
// the logos are left out, which shows what decoding them costs).
bool writeMaterial(clienttest::ClientInstallation& install, int tools, bool bLogos)
{
    install.writeSetup();
    install.writeCatalog(tools);
    install.writeStateList();
    if (!bLogos)
        return true;
    const QString icons = install.filePath(QStringLiteral("ToolsFile/Icon"));
    if (!QDir().mkpath(icons))
        return false;
    for (int key = 2; key < 2 + tools; ++key) {
        QImage logo(96, 96, QImage::Format_ARGB32);
        logo.fill(QColor::fromHsv((key * 37) % 360, 180, 200));
        if (!logo.save(icons + QStringLiteral("/tool%1_mid.png").arg(key), "PNG"))
            return false;
    }
    return true;
}

bool copyStage(const QString& stage, clienttest::ClientInstallation& install)
{
    for (const char* name : {"Gearloft", "Haulmoor", "ZipUnzip", "plugins/libLacquer.so"}) {
        const QString target = install.filePath(QLatin1String(name));
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(stage + QLatin1Char('/') + QLatin1String(name), target)) {
            std::fprintf(stderr, "bench_clientstart: %s missing in %s\n", name, qPrintable(stage));
            return false;
        }
    }
    return true;
}

StartFigures measureStart(const clienttest::ClientInstallation& install, const QString& state)
{
    StartFigures figures;
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), state);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), state + QStringLiteral("/data"));
    client.setProcessEnvironment(environment);
    client.setWorkingDirectory(install.path());
    client.setProcessChannelMode(QProcess::SeparateChannels);
    client.setStandardOutputFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    client.start(install.filePath(QStringLiteral("Gearloft")), QStringList());
    if (!client.waitForStarted(5000))
        return figures;
    const qint64 pid = client.processId();
    QByteArray log;
    while (clock.elapsed() < 60000 && client.state() == QProcess::Running) {
        client.waitForReadyRead(kPollMs);
        log += client.readAllStandardError();
        if (log.contains("main window shown")) {
            figures.shownSeconds = clock.elapsed() / 1000.0;
            break;
        }
    }
    if (figures.shownSeconds >= 0) {
        long long ticks = cpuTicks(pid);
        qint64 lastBusy = clock.elapsed();
        while (clock.elapsed() - lastBusy < kQuietMs && clock.elapsed() < 60000) {
            QThread::msleep(kPollMs);
            client.readAllStandardError();
            const long long now = cpuTicks(pid);
            if (now < 0)
                break;
            if (now != ticks) {
                ticks = now;
                lastBusy = clock.elapsed();
            }
        }
        figures.settledSeconds = lastBusy / 1000.0;
        figures.rssMiB = statusMiB(pid, "VmRSS");
        figures.peakMiB = statusMiB(pid, "VmHWM");
    }
    ::kill(pid_t(pid), SIGTERM);
    if (!client.waitForFinished(10000)) {
        client.kill();
        client.waitForFinished(2000);
    }
    return figures;
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char** argv)
{
    // Only for writing the logos; the client runs in its own process.
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Client start against the catalog's size"));
    parser.addHelpOption();
    const QCommandLineOption stageOption(QStringLiteral("stage"), QStringLiteral("Installed client folder"),
                                         QStringLiteral("dir"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Starts per size"),
                                        QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption sizesOption(QStringLiteral("sizes"), QStringLiteral("Catalog sizes"),
                                         QStringLiteral("list"), QStringLiteral("25,100,1000"));
    const QCommandLineOption noLogosOption(QStringLiteral("no-logos"), QStringLiteral("Tools without logos"));
    parser.addOptions({stageOption, runsOption, sizesOption, noLogosOption});
    parser.process(app);
    if (!parser.isSet(stageOption)) {
        std::fprintf(stderr, "usage: bench_clientstart --stage DIR [--runs N] [--sizes 25,100,1000] [--no-logos]\n");
        return 2;
    }
    const QString stage = parser.value(stageOption);
    const int runs = qMax(1, parser.value(runsOption).toInt());

    std::printf("client start, %d runs per size, QT_QPA_PLATFORM=%s, %s; median (best, worst)\n", runs,
                qgetenv("QT_QPA_PLATFORM").constData(),
                parser.isSet(noLogosOption) ? "no logos" : "a logo per tool");
    int status = 0;
    for (const QString& sizeText : parser.value(sizesOption).split(QLatin1Char(','))) {
        const int tools = sizeText.toInt();
        clienttest::ClientInstallation install;
        QTemporaryDir state;
        if (tools <= 0 || !writeMaterial(install, tools, !parser.isSet(noLogosOption)) || !copyStage(stage, install)) {
            status = 2;
            break;
        }
        bench::Samples shown;
        bench::Samples settled;
        bench::Samples rss;
        bench::Samples peak;
        // One unrecorded start fills the disk cache.
        measureStart(install, state.path());
        for (int run = 0; run < runs; ++run) {
            const StartFigures figures = measureStart(install, state.path());
            if (figures.shownSeconds < 0 || figures.rssMiB < 0) {
                std::fprintf(stderr, "bench_clientstart: the client with %d tools did not show its window\n",
                             tools);
                return 2;
            }
            shown.add(figures.shownSeconds);
            settled.add(figures.settledSeconds);
            rss.add(figures.rssMiB);
            peak.add(figures.peakMiB);
        }
        const bool target = tools == kTargetSize;
        std::printf("%5d tools  window shown %.3f s (%.3f, %.3f)  settled %.3f s (%.3f, %.3f)", tools,
                    shown.median(), shown.best(), shown.worst(), settled.median(), settled.best(),
                    settled.worst());
        if (target)
            std::printf("  target < %.0f s: %s", kStartTargetSeconds,
                        verdict(settled.median() < kStartTargetSeconds));
        std::printf("\n%5s        resident %.0f MiB (%.0f, %.0f)  peak %.0f MiB", "", rss.median(), rss.best(),
                    rss.worst(), peak.median());
        if (target)
            std::printf("  target < %.0f MiB: %s", kRssTargetMiB, verdict(peak.median() < kRssTargetMiB));
        std::printf("\n");
        std::fflush(stdout);
    }
    return status;
}
