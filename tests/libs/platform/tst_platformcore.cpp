// The operating-system layer on the real system: processes by image name,
// watching a process end, folders, spawning with an argument vector, free
// space.
#include "platform/diskspace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/processwatch.h"
#include "platform/spawn.h"
#include "platform/stopevent.h"

#include <QtTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

class TestPlatformCore : public QObject
{
    Q_OBJECT

private slots:
    void imageNamesMatch_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("match");
        QTest::newRow("same") << "Gearloft" << "Gearloft" << true;
        QTest::newRow("exe on one side") << "Tool.exe" << "Tool" << true;
        QTest::newRow("exe on both") << "Tool.exe" << "Tool.exe" << true;
        QTest::newRow("case matters") << "gearloft" << "Gearloft" << false;
        QTest::newRow("no substring") << "MyTool" << "Tool" << false;
        QTest::newRow("suffix case matters") << "Tool.EXE" << "Tool" << false;
        QTest::newRow("empty never matches") << "" << "" << false;
    }

    void imageNamesMatch()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, match);
        QCOMPARE(platform::imageNamesMatch(a.toStdString(), b.toStdString()), match);
    }

    void findsAChildByItsExecutableName()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("Probe Tool_x64");
        const QString program = dir.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));
        QCOMPARE(platform::findProcess(name.toStdString()), pid_t(0));
        QProcess child;
        child.start(program, {QStringLiteral("30")});
        QVERIFY(child.waitForStarted());
        QCOMPARE(platform::findProcess(name.toStdString()), pid_t(child.processId()));
        QCOMPARE(platform::findProcess(QString(name + QStringLiteral(".exe")).toStdString()), pid_t(child.processId()));
        QCOMPARE(platform::findProcess("Probe Tool"), pid_t(0));
        // By path: this copy only, also through a link to its folder.
        QVERIFY(platform::programRunsAt(QFile::encodeName(program).toStdString()));
        QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("via link"))));
        QVERIFY(platform::programRunsAt(QFile::encodeName(dir.filePath(QStringLiteral("via link/") + name)).toStdString()));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("other"))));
        QVERIFY(!platform::programRunsAt(QFile::encodeName(dir.filePath(QStringLiteral("other/") + name)).toStdString()));
        child.kill();
        child.waitForFinished();
        QCOMPARE(platform::findProcess(name.toStdString()), pid_t(0));
        QVERIFY(!platform::programRunsAt(QFile::encodeName(program).toStdString()));
    }

    void anExitedChildNotYetCollectedDoesNotCount()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("Probe Zombie");
        const QString program = dir.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral("/bin/true"), program));
        const QByteArray path = QFile::encodeName(program);
        const pid_t pid = fork();
        if (pid == 0) {
            execl(path.constData(), path.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        QVERIFY(pid > 0);
        // Not collected: the entry stays in /proc as a zombie.
        siginfo_t info{};
        QCOMPARE(waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT), 0);
        QVERIFY(QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
        QCOMPARE(platform::findProcess(name.toStdString()), pid_t(0));
        for (const auto& process : platform::listProcesses())
            QVERIFY(process.pid != pid);
        QCOMPARE(waitpid(pid, nullptr, 0), pid);
    }

    void watchReportsTheEndOfAChild()
    {
        QProcess child;
        child.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
        QVERIFY(child.waitForStarted());
        const platform::ProcessWatch watch(pid_t(child.processId()));
        if (!watch.watching())
            QSKIP("this kernel hands out no process descriptors; the callers look for themselves");
        QVERIFY(!watch.ended());
        platform::StopEvent stop;
        stop.set();
        QVERIFY(!watch.waitForEnd(&stop, -1)); // the stop ends the wait, not the process
        QVERIFY(!watch.ended());
        QCOMPARE(::kill(pid_t(child.processId()), SIGKILL), 0);
        // Reported before anyone collects it.
        QVERIFY(watch.waitForEnd(nullptr, 10000));
        QVERIFY(watch.ended());
        QVERIFY(child.waitForFinished());
    }

    void runAndWaitKillsTheProgramOnStop()
    {
        QTemporaryDir dir;
        const QByteArray started = QFile::encodeName(dir.filePath(QStringLiteral("started")));
        QCOMPARE(mkfifo(started.constData(), 0600), 0);
        platform::StopEvent stop;
        std::thread stopper([&] {
            // Its line is read before the pipe is closed: closed at once,
            // the program's write could meet no reader and die of SIGPIPE
            // before the stop, which made this test fail now and then.
            const int fd = ::open(started.constData(), O_RDONLY);
            char line = 0;
            while (fd >= 0 && ::read(fd, &line, 1) < 0 && errno == EINTR) {
            }
            if (fd >= 0)
                ::close(fd);
            stop.set();
        });
        const auto run =
            platform::runAndWait("/bin/sh", {"-c", "echo > \"$0\"; exec sleep 30", started.toStdString()},
                                 platform::ChildLifetime::EndsWithCaller, &stop);
        stopper.join();
        QVERIFY(run.started);
        QVERIFY(run.stopped);
        QCOMPARE(run.exitCode, -1); // killed, not run to its end
        QVERIFY(!platform::runAndWait("/bin/true", {}, platform::ChildLifetime::Independent, &stop).started);
    }

    void aClosedPipeFailsTheWriteInsteadOfKilling()
    {
        platform::ignoreBrokenPipes();
        int fds[2];
        QCOMPARE(pipe(fds), 0);
        close(fds[0]);
        errno = 0;
        QCOMPARE(write(fds[1], "x", 1), ssize_t(-1));
        QCOMPARE(errno, EPIPE);
        close(fds[1]);
    }

    // Small state files: replaced whole, never written or read through a link.
    void smallFilesAreReplacedWholeAndNeverThroughALink()
    {
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("state.xml"))).toStdString();
        const std::string elsewhere = QFile::encodeName(dir.filePath(QStringLiteral("other"))).toStdString();
        std::string data;
        QCOMPARE(platform::readSmallFile(path, 100, data), platform::ReadResult::Missing);
        QVERIFY(platform::replaceFile(path, "first"));
        QVERIFY(platform::replaceFile(path, "second"));
        QCOMPARE(platform::readSmallFile(path, 100, data), platform::ReadResult::Read);
        QCOMPARE(data, std::string("second"));
        QCOMPARE(platform::readSmallFile(path, 5, data), platform::ReadResult::TooLarge);
        QCOMPARE(platform::permissionsOf(path), 0600u);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        QVERIFY(platform::replaceFile(elsewhere, "theirs"));
        QVERIFY(QFile::remove(QFile::decodeName(path.c_str())));
        QCOMPARE(symlink(elsewhere.c_str(), path.c_str()), 0);
        QCOMPARE(platform::readSmallFile(path, 100, data), platform::ReadResult::Failed);
        QVERIFY(platform::replaceFile(path, "ours"));
        QCOMPARE(platform::entryKind(path), platform::EntryKind::File);
        QCOMPARE(platform::readSmallFile(elsewhere, 100, data), platform::ReadResult::Read);
        QCOMPARE(data, std::string("theirs"));

        // A rename keeps who an entry is.
        const platform::EntryId id = platform::entryIdOf(path);
        QVERIFY(!id.isNull());
        QCOMPARE(platform::moveEntry(path, path + ".moved"), platform::MoveResult::Moved);
        QVERIFY(platform::entryIdOf(path + ".moved") == id);
        QVERIFY(platform::entryIdOf(path).isNull());
    }

    void makeDirectoriesCreatesEveryLevel()
    {
        QTemporaryDir dir;
        const std::string deep = dir.filePath(QStringLiteral("a/b/工具 x/d/")).toStdString();
        QVERIFY(platform::makeDirectories(deep));
        QVERIFY(platform::isDirectory(deep));
        QVERIFY(platform::makeDirectories(deep)); // already there
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!platform::makeDirectories(dir.filePath(QStringLiteral("file/sub")).toStdString()));
        QVERIFY(!platform::makeDirectories(""));
    }

    void runAndWaitPassesArgumentsUnquoted()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        const auto run = platform::runAndWait(
            "/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"; exit 7", out.toStdString(), "a b", "\"q\"", "中文"});
        QVERIFY(run.started);
        QCOMPARE(run.exitCode, 7);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("a b|\"q\"|中文|"));
        QVERIFY(!platform::runAndWait("/nonexistent/program", {}).started);
    }

    void findProgramPrefersTheGivenFolder()
    {
        QTemporaryDir dir;
        const QString own = dir.filePath(QStringLiteral("sh"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sh"), own));
        QCOMPARE(QString::fromStdString(platform::findProgram("sh", dir.path().toStdString())), own);
        QVERIFY(!platform::findProgram("sh", "/nonexistent").empty()); // from PATH
        QVERIFY(platform::findProgram("no-such-program-here", dir.path().toStdString()).empty());
    }

    void freeSpaceOfAFolderNotYetMade()
    {
        QTemporaryDir dir;
        const auto existing = platform::freeDiskBytes(dir.path().toStdString());
        QVERIFY(existing > 0);
        const auto missing = platform::freeDiskBytes(dir.filePath(QStringLiteral("not/yet/made")).toStdString());
        QVERIFY(missing > 0);
        QVERIFY(qAbs(missing - existing) < 64 * 1024 * 1024); // same volume, moments apart
    }

    void homeAndUserAreKnown()
    {
        QVERIFY(!platform::userName().empty());
        QVERIFY(platform::isDirectory(platform::homeDirectory()));
        QVERIFY(platform::homeDirectory().back() != '/' || platform::homeDirectory() == "/");
        QCOMPARE(QString::fromStdString(platform::currentExecutableDir()), QCoreApplication::applicationDirPath());
    }
};

QTEST_GUILESS_MAIN(TestPlatformCore)
#include "tst_platformcore.moc"
