// The installed Swapover (from `cmake --install`) run for real: a stand-in
// Gearloft that ends after a moment, the installed copyfiles.sh, a staging
// folder in a temporary HOME; and the real client handing over to it.
#include "clientinstallation.h"
#include "upgradetestsupport.h"

#include <QtTest>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace upgradetest;

namespace {

const QString kStage = QStringLiteral(GEARLOFT_STAGE_DIR);

// Whether pid runs the executable at program (a zombie no longer counts).
bool runs(qint64 pid, const QString& program)
{
    return pid > 0 && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() ==
                          QFileInfo(program).canonicalFilePath();
}

QList<qint64> processesOf(const QString& program)
{
    QList<qint64> pids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (numeric && runs(pid, program))
            pids.append(pid);
    }
    return pids;
}

// Programs started detached (the restarted client, Swapover started by the
// client, the service of a client that was killed) lose their parent. The
// test process takes them in (a child subreaper) and reaps them at once: a
// zombie named Gearloft would otherwise count as a running client for the
// service and for the next Swapover until the system's init reaped it.
void reapOrphans()
{
    const QByteArray self = QByteArray::number(static_cast<qint64>(::getpid()));
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        // "PID (NAME) STATE PPID ...": NAME may hold blanks and brackets.
        const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) == "Z" && fields.at(1) == self)
            ::waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG);
    }
}

bool gone(qint64 pid)
{
    reapOrphans();
    return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

void endProcess(qint64 pid, const QString& program)
{
    if (!runs(pid, program))
        return;
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(gone(pid), 10000);
}

// Ends whatever still runs the program when a test leaves early.
struct EndOnExit
{
    QString program;
    ~EndOnExit()
    {
        for (const qint64 pid : processesOf(program)) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
            (void)QTest::qWaitFor([pid] { return gone(pid); }, 5000);
        }
    }
};

// The stand-in's report: pid, working folder, arguments.
struct Restarted
{
    qint64 pid = 0;
    QString workingDir;
    QStringList arguments;
};

Restarted readRestarted(const QString& install)
{
    Restarted restarted;
    QStringList lines =
        QString::fromUtf8(readFile(install + QStringLiteral("/restarted.txt"))).split(QLatin1Char('\n'));
    if (lines.size() < 3)
        return restarted;
    lines.removeLast(); // after the final line feed
    restarted.pid = lines.takeFirst().toLongLong();
    restarted.workingDir = lines.takeFirst();
    restarted.arguments = lines;
    return restarted;
}

// An installation under a folder with blanks and Chinese, and a HOME beside
// it holding the staging folder "Gearloft".
class Scene
{
public:
    Scene()
    {
        install = m_root.filePath(QStringLiteral("安装 目录 (Gearloft)"));
        home = m_root.filePath(QStringLiteral("家 目录"));
        staging = home + QStringLiteral("/Gearloft");
        swapover = install + QStringLiteral("/Swapover/Swapover");
        gearloft = install + QStringLiteral("/Gearloft");
        QDir().mkpath(install);
        QDir().mkpath(home);
    }

    // A test that failed half-way leaves no restarted stand-in behind for
    // the next Swapover to wait for.
    ~Scene()
    {
        const qint64 pid = readRestarted(install).pid;
        if (runs(pid, gearloft)) {
            ::kill(static_cast<pid_t>(pid), SIGTERM);
            (void)QTest::qWaitFor([pid] { return gone(pid); }, 5000);
        }
    }

    bool installPrograms()
    {
        return copyExecutable(kStage + QStringLiteral("/Swapover/Swapover"), swapover) &&
               copyExecutable(kStage + QStringLiteral("/copyfiles.sh"),
                              install + QStringLiteral("/copyfiles.sh"));
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        return env;
    }

    // Runs Swapover as the client starts it: its own path once more, then
    // the main program's name.
    void startSwapover(QProcess& process, const QStringList& arguments) const
    {
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(home); // Swapover must find its folder itself
        process.start(swapover, arguments);
    }

    QString install;
    QString home;
    QString staging;
    QString swapover;
    QString gearloft;

private:
    QTemporaryDir m_root;
};

} // namespace

class TestSwapover : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0);
        QVERIFY2(QFileInfo(kStage + QStringLiteral("/Swapover/Swapover")).isExecutable(),
                 "the staged installation has no Swapover/Swapover");
        QVERIFY2(QFileInfo(kStage + QStringLiteral("/copyfiles.sh")).isFile(),
                 "the staged installation has no copyfiles.sh");
    }

    void upgradesOnceTheClientHasEnded()
    {
        Scene scene;
        QVERIFY(scene.installPrograms());
        QVERIFY(writeFile(scene.install + QStringLiteral("/Setup.xml"), setupXml(QStringLiteral("1"))));
        writeInstalledFiles(scene.install);
        // The old client: another program under the client's name.
        QVERIFY(copyExecutable(QStringLiteral("/usr/bin/sleep"), scene.gearloft));
        // The new version: a client that reports its restart (staged without
        // execute permission, as from an archive made on Windows: the
        // installed program keeps its own), and a newer Swapover that
        // replaces the one running the upgrade.
        writeStagedTree(scene.staging);
        QVERIFY(writeFile(scene.staging + QStringLiteral("/Gearloft"),
                          readFile(QStringLiteral(STANDIN_PROGRAM))));
        QVERIFY(writeFile(scene.staging + QStringLiteral("/Swapover/Swapover"),
                          readFile(scene.swapover) + "\n# newer build\n"));
        QVERIFY(QFile::setPermissions(scene.staging + QStringLiteral("/Swapover/Swapover"),
                                      QFile::permissions(scene.swapover)));
        QMap<QString, QByteArray> staged = filesUnder(scene.staging);
        QVERIFY(staged.remove(kStagingMarker) == 1);

        QProcess client;
        client.start(scene.gearloft, {QStringLiteral("1.5")});
        QVERIFY(client.waitForStarted());
        // A client of another installation runs all along: it is no reason
        // to wait (it once held the upgrade up for as long as it ran).
        const QString otherClient = scene.home + QStringLiteral("/other installation/Gearloft");
        QVERIFY(copyExecutable(QStringLiteral("/usr/bin/sleep"), otherClient));
        QProcess other;
        other.start(otherClient, {QStringLiteral("60")});
        QVERIFY(other.waitForStarted());
        QProcess swapover;
        scene.startSwapover(swapover, {scene.swapover, QStringLiteral("Gearloft")});
        QVERIFY(swapover.waitForStarted());

        // While the client runs, Swapover waits and touches nothing.
        QTest::qWait(700);
        QCOMPARE(swapover.state(), QProcess::Running);
        QVERIFY(QFileInfo::exists(scene.staging));
        QCOMPARE(readFile(scene.install + QStringLiteral("/Setup.xml")), setupXml(QStringLiteral("1")));
        QVERIFY(client.waitForFinished(10000));

        QVERIFY(swapover.waitForFinished(60000));
        const QString log = QString::fromUtf8(swapover.readAllStandardError());
        QCOMPARE(swapover.exitStatus(), QProcess::NormalExit);
        QCOMPARE(swapover.exitCode(), 0);
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();

        // The copy, over the old files, into folders with blanks and Chinese.
        for (auto it = staged.cbegin(); it != staged.cend(); ++it)
            QVERIFY2(readFile(scene.install + QLatin1Char('/') + it.key()) == it.value(),
                     qPrintable(it.key()));
        QVERIFY(QFileInfo(scene.install + QStringLiteral("/empty folder")).isDir());
        QVERIFY(!QFileInfo::exists(scene.install + QLatin1Char('/') + kStagingMarker));
        QCOMPARE(readFile(scene.install + QStringLiteral("/keep me.txt")),
                 QByteArray("not part of the upgrade"));
        QVERIFY(QFileInfo(scene.swapover).isExecutable());
        // "IsNeedUpdate" is "0" and the rest of the file is as it was.
        QCOMPARE(readFile(scene.install + QStringLiteral("/Setup.xml")), setupXml(QStringLiteral("0")));
        QVERIFY(!QFileInfo::exists(scene.staging));
        QVERIFY(QFileInfo(scene.home).isDir());

        // The new client runs, started by its path from the installation.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(scene.install + QStringLiteral("/restarted.txt")), 10000);
        const Restarted restarted = readRestarted(scene.install);
        QVERIFY(runs(restarted.pid, scene.gearloft));
        QCOMPARE(restarted.workingDir, QFileInfo(scene.install).canonicalFilePath());
        QCOMPARE(restarted.arguments, QStringList{scene.gearloft});
        endProcess(restarted.pid, scene.gearloft);

        // The log tells the story in order, with a pause between the polls.
        const int running = log.count(QStringLiteral("Gearloft  is running"));
        QVERIFY2(running >= 1 && running <= 40, qPrintable(log));
        const QStringList story{
            QStringLiteral("-------------------tracer7--------------argv[2]------------- Gearloft"),
            QStringLiteral(
                "------------------copy------------------m_qstrMainApp------------------- Gearloft"),
            QStringLiteral(
                "------------------m_qstrMainApp------------------m_qstrMainApp------------------- "
                "Gearloft close"),
            QStringLiteral("------------------copy------------------pProcess->readAll-------------------"),
            QStringLiteral(
                "------------------copy------------------m_qstrMainApp------------------- finished"),
            QStringLiteral(
                "--------tracer7---------exitApp-------------------qstrProjectName------------------- ") +
                scene.gearloft + QStringLiteral(" start")};
        int at = 0;
        for (const QString& line : story) {
            const int found = log.indexOf(line, at);
            QVERIFY2(found >= 0,
                     qPrintable(QStringLiteral("missing in order: ") + line + QStringLiteral("\n") + log));
            at = found + line.size();
        }
        QVERIFY2(!log.contains(QStringLiteral("main project start fail")), qPrintable(log));
    }

    void cleanup() { reapOrphans(); }

    void emptyNameCopiesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("empty argv[2]") << QStringList{QStringLiteral("<swapover>"), QString()};
        QTest::newRow("no argv[2]") << QStringList{QStringLiteral("<swapover>")};
    }

    void emptyNameCopiesNothing()
    {
        QFETCH(QStringList, arguments);
        Scene scene;
        QVERIFY(scene.installPrograms());
        QVERIFY(writeFile(scene.install + QStringLiteral("/Setup.xml"), setupXml(QStringLiteral("1"))));
        writeInstalledFiles(scene.install);
        writeStagedTree(scene.staging);
        const QMap<QString, QByteArray> installed = filesUnder(scene.install);
        const QMap<QString, QByteArray> staged = filesUnder(scene.staging);
        arguments.replaceInStrings(QStringLiteral("<swapover>"), scene.swapover);

        QProcess swapover;
        scene.startSwapover(swapover, arguments);
        QVERIFY(swapover.waitForFinished(30000));
        const QString log = QString::fromUtf8(swapover.readAllStandardError());
        QCOMPARE(swapover.exitCode(), 0);

        QVERIFY2(log.contains(QStringLiteral(
                     "------------------copy------------------m_qstrMainApp-------------------   empty")),
                 qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("main project start fail")), qPrintable(log));
        QCOMPARE(filesUnder(scene.install), installed);
        QCOMPARE(filesUnder(scene.staging), staged);
    }

    void noSetupXmlStillRestarts()
    {
        Scene scene;
        QVERIFY(scene.installPrograms());
        writeInstalledFiles(scene.install);
        QVERIFY(copyExecutable(QStringLiteral(STANDIN_PROGRAM), scene.gearloft));
        writeStagedTree(scene.staging);
        const QMap<QString, QByteArray> installed = filesUnder(scene.install);
        const QMap<QString, QByteArray> staged = filesUnder(scene.staging);

        QProcess swapover;
        scene.startSwapover(swapover, {scene.swapover, QStringLiteral("Gearloft")});
        QVERIFY(swapover.waitForFinished(30000));
        const QString log = QString::fromUtf8(swapover.readAllStandardError());
        QCOMPARE(swapover.exitCode(), 0);
        QVERIFY2(log.contains(QStringLiteral(
                     "-------------------tracer7--------------m_pConfigManager->load------------- false")),
                 qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("pProcess->readAll")));

        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(scene.install + QStringLiteral("/restarted.txt")), 10000);
        const Restarted restarted = readRestarted(scene.install);
        QVERIFY(runs(restarted.pid, scene.gearloft));
        endProcess(restarted.pid, scene.gearloft);
        QFile::remove(scene.install + QStringLiteral("/restarted.txt"));
        QCOMPARE(filesUnder(scene.install), installed);
        QCOMPARE(filesUnder(scene.staging), staged);
        QVERIFY(!QFileInfo::exists(scene.install + QStringLiteral("/Setup.xml")));
    }

    void failedCopyKeepsTheStagingFolder_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::newRow("a file stands where a folder goes") << "conflict";
        QTest::newRow("no copy script") << "noscript";
    }

    void failedCopyKeepsTheStagingFolder()
    {
        QFETCH(QString, breakage);
        Scene scene;
        QVERIFY(scene.installPrograms());
        QVERIFY(writeFile(scene.install + QStringLiteral("/Setup.xml"), setupXml(QStringLiteral("1"))));
        QVERIFY(copyExecutable(QStringLiteral(STANDIN_PROGRAM), scene.gearloft));
        writeStagedTree(scene.staging);
        if (breakage == QStringLiteral("conflict"))
            QVERIFY(writeFile(scene.install + QStringLiteral("/新 文件夹"), "a file, not a folder"));
        else
            QVERIFY(QFile::remove(scene.install + QStringLiteral("/copyfiles.sh")));
        const QMap<QString, QByteArray> staged = filesUnder(scene.staging);
        QMap<QString, QByteArray> installed = filesUnder(scene.install);
        installed.remove(QStringLiteral("Setup.xml"));

        QProcess swapover;
        scene.startSwapover(swapover, {scene.swapover, QStringLiteral("Gearloft")});
        QVERIFY(swapover.waitForFinished(30000));
        const QString log = QString::fromUtf8(swapover.readAllStandardError());
        QCOMPARE(swapover.exitCode(), 0);

        QVERIFY2(log.contains(QStringLiteral("staging folder kept")), qPrintable(log));
        QCOMPARE(filesUnder(scene.staging), staged);
        if (breakage == QStringLiteral("conflict")) {
            QVERIFY2(log.contains(QStringLiteral("not a folder")), qPrintable(log));
            // Not a mix of both versions: what was copied is undone, and
            // the old version is whole.
            QVERIFY2(log.contains(QStringLiteral("nothing of the new version kept")), qPrintable(log));
        }
        // Cleared all the same, so that the client does not hand over again
        // at every start; it is restarted on its old files.
        QCOMPARE(readFile(scene.install + QStringLiteral("/Setup.xml")), setupXml(QStringLiteral("0")));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(scene.install + QStringLiteral("/restarted.txt")), 10000);
        const Restarted restarted = readRestarted(scene.install);
        QVERIFY(runs(restarted.pid, scene.gearloft));
        endProcess(restarted.pid, scene.gearloft);
        QFile::remove(scene.install + QStringLiteral("/restarted.txt"));
        QMap<QString, QByteArray> after = filesUnder(scene.install);
        after.remove(QStringLiteral("Setup.xml"));
        QCOMPARE(after, installed);
    }

    void unfinishedStagingIsNotCopied_data()
    {
        QTest::addColumn<QByteArray>("marker"); // null: none
        QTest::newRow("no mark") << QByteArray();
        QTest::newRow("incomplete") << QByteArray("incomplete\n4242\n");
    }

    void unfinishedStagingIsNotCopied()
    {
        QFETCH(QByteArray, marker);
        Scene scene;
        QVERIFY(scene.installPrograms());
        QVERIFY(writeFile(scene.install + QStringLiteral("/Setup.xml"), setupXml(QStringLiteral("1"))));
        QVERIFY(copyExecutable(QStringLiteral(STANDIN_PROGRAM), scene.gearloft));
        writeStagedTree(scene.staging);
        if (marker.isNull())
            QVERIFY(QFile::remove(scene.staging + QLatin1Char('/') + kStagingMarker));
        else
            writeStagingMarker(scene.staging, marker);
        const QMap<QString, QByteArray> installed = filesUnder(scene.install);
        const QMap<QString, QByteArray> staged = filesUnder(scene.staging);

        QProcess swapover;
        scene.startSwapover(swapover, {scene.swapover, QStringLiteral("Gearloft")});
        QVERIFY(swapover.waitForFinished(30000));
        const QString log = QString::fromUtf8(swapover.readAllStandardError());
        QCOMPARE(swapover.exitCode(), 0);
        QVERIFY2(log.contains(QStringLiteral("nothing copied")), qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("pProcess->readAll")));
        QCOMPARE(filesUnder(scene.staging), staged);
        // Cleared all the same, and the client restarted on its old files.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(scene.install + QStringLiteral("/restarted.txt")), 10000);
        const Restarted restarted = readRestarted(scene.install);
        QVERIFY(runs(restarted.pid, scene.gearloft));
        endProcess(restarted.pid, scene.gearloft);
        QFile::remove(scene.install + QStringLiteral("/restarted.txt"));
        auto after = filesUnder(scene.install);
        QCOMPARE(after.take(QStringLiteral("Setup.xml")), setupXml(QStringLiteral("0")));
        auto expected = installed;
        expected.remove(QStringLiteral("Setup.xml"));
        QCOMPARE(after, expected);
    }

    // The installed client finds the staged newer build, starts Swapover
    // with the arguments it expects and ends; Swapover copies and brings the
    // client back, which is the newer version and starts normally.
    void theClientHandsOverAndComesBack()
    {
        clienttest::ClientInstallation install;
        QTemporaryDir home;
        const QString staging = home.filePath(QStringLiteral("Gearloft"));
        QVERIFY(install.copyPrograms({QStringLiteral("Gearloft"), QStringLiteral("Haulmoor")}));
        QVERIFY(copyExecutable(kStage + QStringLiteral("/Swapover/Swapover"),
                               install.filePath(QStringLiteral("Swapover/Swapover"))));
        QVERIFY(copyExecutable(kStage + QStringLiteral("/copyfiles.sh"),
                               install.filePath(QStringLiteral("copyfiles.sh"))));
        QVERIFY(QDir().mkpath(install.filePath(QStringLiteral("plugins"))));
        QVERIFY(QFile::copy(kStage + QStringLiteral("/plugins/libLacquer.so"),
                            install.filePath(QStringLiteral("plugins/libLacquer.so"))));
        install.writeSetup({{QStringLiteral("IsNeedUpdate"), QStringLiteral("1")}});
        install.writeCatalog();
        install.writeStateList();
        QVERIFY(copyExecutable(QStringLiteral(NEXT_PROGRAM), staging + QStringLiteral("/Gearloft")));
        QVERIFY(writeFile(staging + QStringLiteral("/新版本.txt"), NEXT_VERSION));
        writeStagingMarker(staging);

        const QString gearloft = install.filePath(QStringLiteral("Gearloft"));
        const QString service = install.filePath(QStringLiteral("Haulmoor"));
        const EndOnExit endClient{gearloft};
        const EndOnExit endService{service};
        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        client.setProcessEnvironment(env);
        // Swapover inherits the client's output and outlives it: a file, not
        // a pipe that closes with the client.
        const QString logFile = home.filePath(QStringLiteral("client.log"));
        client.setStandardOutputFile(logFile);
        client.setStandardErrorFile(logFile);
        client.start(gearloft, QStringList());
        QVERIFY(client.waitForFinished(15000));
        QCOMPARE(client.exitCode(), 255); // refused its start: Swapover took over

        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(staging), 30000);
        QCOMPARE(readFile(install.filePath(QStringLiteral("新版本.txt"))), QByteArray(NEXT_VERSION));
        QVERIFY(readFile(install.filePath(QStringLiteral("Setup.xml")))
                    .contains("<IsNeedUpdate>\n<Value>0</Value>\n</IsNeedUpdate>\n"));
        // Back again, as a normal start that runs its service.
        QTRY_COMPARE_WITH_TIMEOUT(processesOf(gearloft).size(), 1, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(processesOf(service).size(), 1, 15000);
        const QString log = QString::fromUtf8(readFile(logFile));
        QVERIFY2(
            log.contains(QStringLiteral("-------------------tracer7--------------argv[1]------------- ") +
                         install.filePath(QStringLiteral("Swapover/Swapover"))),
            qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("Gearloft close")), qPrintable(log));
        // The client that came back draws with its style.
        QTRY_VERIFY_WITH_TIMEOUT(readFile(logFile).contains("---tracer7---LoadStyle = Lacquer Success"),
                                 10000);
        QVERIFY(!readFile(logFile).contains("The Lacquer does not exist"));
        // The client that came back is the newer build (the old one handed
        // over before it said its version), and no update is pending: a
        // package that was not really newer would be offered at every start.
        QTRY_VERIFY_WITH_TIMEOUT(readFile(logFile).contains("---tracer7--- Gearloft version " NEXT_VERSION), 10000);
        QVERIFY(!readFile(logFile).contains("---tracer7--- Gearloft version " GEARLOFT_VERSION));
        QVERIFY(readFile(install.filePath(QStringLiteral("Setup.xml")))
                    .contains("<IsNeedUpdate>\n<Value>0</Value>\n</IsNeedUpdate>\n"));
        QVERIFY(!QFileInfo::exists(staging));

        const qint64 pid = processesOf(gearloft).value(0);
        const qint64 servicePid = processesOf(service).value(0);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(gone(pid), 10000);
        // Without its client the service ends by itself.
        QTRY_VERIFY_WITH_TIMEOUT(gone(servicePid), 15000);
    }
};

QTEST_GUILESS_MAIN(TestSwapover)
#include "tst_swapover.moc"
