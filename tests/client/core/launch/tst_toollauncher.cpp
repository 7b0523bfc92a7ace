// Where a tool's program lies, how it is found running, started and ended,
// and its desktop entry, on real files and real processes.
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <memory>
#include <signal.h>

using namespace gearmart;
using testcatalog::Tool;

namespace {

// The values of a desktop entry, unescaped as its readers do.
QMap<QString, QString> parseDesktopEntry(const QString& path)
{
    QMap<QString, QString> values;
    const QList<QByteArray> lines = testcatalog::read(path).split('\n');
    for (const QByteArray& line : lines) {
        const int equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString raw = QString::fromUtf8(line.mid(equals + 1));
        QString value;
        for (int i = 0; i < raw.size(); ++i) {
            if (raw[i] == QLatin1Char('\\') && i + 1 < raw.size()) {
                const QChar next = raw[++i];
                value += next == QLatin1Char('s')   ? QStringLiteral(" ")
                         : next == QLatin1Char('n') ? QStringLiteral("\n")
                         : next == QLatin1Char('t') ? QStringLiteral("\t")
                         : next == QLatin1Char('r') ? QStringLiteral("\r")
                                                    : QString(next);
            } else {
                value += raw[i];
            }
        }
        values.insert(QString::fromUtf8(line.left(equals)), value);
    }
    return values;
}

// The one quoted argument of an Exec line, with its escapes undone.
QString unquoteExec(const QString& exec)
{
    if (exec.size() < 2 || !exec.startsWith(QLatin1Char('"')) || !exec.endsWith(QLatin1Char('"')))
        return QStringLiteral("<not one quoted argument>");
    QString out;
    const QString inner = exec.mid(1, exec.size() - 2);
    for (int i = 0; i < inner.size(); ++i) {
        if ((inner[i] == QLatin1Char('\\') || inner[i] == QLatin1Char('%')) && i + 1 < inner.size())
            ++i;
        out += inner[i];
    }
    return out;
}

} // namespace

class TestToolLauncher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    QTemporaryDir m_home;
    QList<qint64> m_pids;

    // An installation whose download folder has the given name.
    void install(const QList<Tool>& tools, const QString& downloadName = QStringLiteral("Download"),
                 int language = 0)
    {
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup({{QStringLiteral("DownloadPath"), m_install->filePath(downloadName)},
                               {QStringLiteral("Translator"), QString::number(language)}});
        QVERIFY(testcatalog::writeCatalog(*m_install, tools));
        m_install->writeStateList();
        QVERIFY(m_install->loadSingletons());
    }

    QString downloads() const { return ConfigManager::instance()->downloadPath(); }
    QString desktop() const { return m_home.filePath(QStringLiteral("Desktop")); }

private slots:
    void initTestCase()
    {
        // The user's real desktop stays untouched.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), desktop());
    }

    void cleanup()
    {
        for (qint64 pid : qAsConst(m_pids))
            ::kill(pid_t(pid), SIGKILL);
        m_pids.clear();
    }

    void executablePathFollowsTheCatalogName()
    {
        Tool plain = testcatalog::tool(2);
        Tool wide = testcatalog::tool(3);
        wide.exeName = QStringLiteral("Thermo_x64.exe");
        Tool bare = testcatalog::tool(4);
        bare.exeName = QStringLiteral("Bare.exe");
        install({plain, wide, bare});

        // Nothing on disk yet: the name as the catalog writes it.
        QCOMPARE(ToolLauncher::toolFolder(2), downloads() + QStringLiteral("/SubTools/Tool2"));
        QCOMPARE(ToolLauncher::executablePath(2), downloads() + QStringLiteral("/SubTools/Tool2/Tool2.exe"));
        QVERIFY(!ToolLauncher::executableExists(2));
        // The marker stays in the folder and leaves the file name.
        QCOMPARE(ToolLauncher::toolFolder(3), downloads() + QStringLiteral("/SubTools/Thermo_x64"));
        QCOMPARE(ToolLauncher::executablePath(3),
                 downloads() + QStringLiteral("/SubTools/Thermo_x64/Thermo.exe"));

        // The Linux program carries no ".exe"; the file with it wins when both exist.
        QVERIFY(
            testcatalog::writeScript(downloads() + QStringLiteral("/SubTools/Thermo_x64/Thermo"), "true"));
        QCOMPARE(ToolLauncher::executablePath(3),
                 downloads() + QStringLiteral("/SubTools/Thermo_x64/Thermo"));
        QVERIFY(ToolLauncher::executableExists(3));
        QVERIFY(testcatalog::writeScript(downloads() + QStringLiteral("/SubTools/Thermo_x64/Thermo.exe"),
                                         "true"));
        QCOMPARE(ToolLauncher::executablePath(3),
                 downloads() + QStringLiteral("/SubTools/Thermo_x64/Thermo.exe"));

        // A folder under the program's name is no program.
        QVERIFY(QDir().mkpath(downloads() + QStringLiteral("/SubTools/Bare/Bare")));
        QCOMPARE(ToolLauncher::executablePath(4), downloads() + QStringLiteral("/SubTools/Bare/Bare.exe"));
        QVERIFY(!ToolLauncher::executableExists(4));

        // Installed by its own installer: its install location, not the downloads.
        QTemporaryDir location;
        ToolState& state = ToolDataManager::instance()->toolStates()[2];
        state.IsInstalledByInstaller = true;
        state.InstallLocation = location.path();
        QVERIFY(testcatalog::writeScript(location.filePath(QStringLiteral("Tool2")), "true"));
        QCOMPARE(ToolLauncher::toolFolder(2), location.path());
        QCOMPARE(ToolLauncher::executablePath(2), location.filePath(QStringLiteral("Tool2")));

        QVERIFY(ToolLauncher::toolFolder(99).isEmpty());
        QVERIFY(ToolLauncher::executablePath(99).isEmpty());
        QVERIFY(!ToolLauncher::isRunning(99));
    }

    void runningCheckMatchesTheCatalogName()
    {
        Tool probe = testcatalog::tool(2);
        probe.exeName = QStringLiteral("Pulsecheck.exe");
        Tool marked = testcatalog::tool(3);
        marked.exeName = QStringLiteral("Pulsecheck_x64.exe");
        install({probe, marked});
        QTemporaryDir programs;
        const QString program = programs.filePath(QStringLiteral("Pulsecheck"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), program));

        QVERIFY(!ToolLauncher::isRunning(2));
        QProcess process;
        process.start(program, {QStringLiteral("60")});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY(ToolLauncher::isRunning(2));
        // The check takes the catalog name as it stands, marker included.
        QVERIFY(!ToolLauncher::isRunning(3));
        process.kill();
        process.waitForFinished();
        QTRY_VERIFY(!ToolLauncher::isRunning(2));
    }

    void launchStartsDetachedInTheToolFolder_data()
    {
        QTest::addColumn<QString>("downloadName");
        QTest::newRow("plain") << QStringLiteral("Download");
        QTest::newRow("blanks, quotes and Chinese") << QStringLiteral("我的 \"下载\" it's $HOME %f");
    }

    void launchStartsDetachedInTheToolFolder()
    {
        QFETCH(QString, downloadName);
        install({testcatalog::tool(2)}, downloadName);
        const QString folder = ToolLauncher::toolFolder(2);
        QVERIFY(folder.contains(downloadName));

        ToolLauncher launcher;
        QVERIFY(!launcher.launch(2)); // nothing there yet
        QCOMPARE(launcher.launchedPid(), qint64(-1));

        QVERIFY(testcatalog::writeStayingTool(folder + QStringLiteral("/Tool2")));
        QVERIFY(launcher.launch(2));
        const qint64 pid = launcher.launchedPid();
        QVERIFY(pid > 0);
        m_pids << pid;
        QTRY_COMPARE(testcatalog::read(folder + QStringLiteral("/started.txt")).trimmed(), folder.toUtf8());
        QCOMPARE(testcatalog::processCwd(pid), folder);

        launcher.terminateLaunched();
        QTRY_VERIFY(testcatalog::processEnded(pid));
        QCOMPARE(launcher.launchedPid(), qint64(-1));
    }

    void aSecondLaunchKeepsTheFirstRunning()
    {
        ToolLauncher::terminateAllLaunched(); // what earlier tests started
        install({testcatalog::tool(2)});
        QVERIFY(testcatalog::writeStayingTool(ToolLauncher::toolFolder(2) + QStringLiteral("/Tool2")));
        ToolLauncher launcher;
        QVERIFY(launcher.launch(2));
        const qint64 first = launcher.launchedPid();
        QVERIFY(launcher.launch(2));
        const qint64 second = launcher.launchedPid();
        m_pids << first << second;
        QVERIFY(first != second);
        launcher.terminateLaunched();
        QTRY_VERIFY(testcatalog::processEnded(second));
        QVERIFY(!testcatalog::processEnded(first));

        // A pid is only signalled while it is still the program started.
        platform::ProcessIdentity other = platform::identityOf(first);
        QVERIFY(!other.isEmpty());
        other.startTicks += 1; // another process that got the same pid
        QVERIFY(!platform::terminateIfSame(other));
        QVERIFY(!testcatalog::processEnded(first));
        // Closing the client ends every tool it started that still runs.
        QCOMPARE(ToolLauncher::terminateAllLaunched(), 1);
        QTRY_VERIFY(testcatalog::processEnded(first));
        QCOMPARE(ToolLauncher::terminateAllLaunched(), 0);
    }

    void desktopEntryStartsTheTool()
    {
        Tool tool = testcatalog::tool(2);
        tool.chName = QStringLiteral("网络 探针");
        tool.iconMin = QStringLiteral("netprobe_min.small.png");
        install({tool}, QStringLiteral("下载 \"tools\""), 1);
        const QString program = ToolLauncher::toolFolder(2) + QStringLiteral("/Tool2");
        QVERIFY(testcatalog::writeScript(program, "exit 0"));

        QCOMPARE(ToolLauncher::shortcutIconPath(2), ToolDataManager::instance()->baseDirectory() +
                                                        QStringLiteral("/ToolsFile/Icon/netprobe.ico"));
        const QString entryPath = desktop() + QStringLiteral("/网络 探针.desktop");
        QCOMPARE(ToolLauncher::shortcutPath(2), entryPath);
        QVERIFY(ToolLauncher::createDesktopShortcut(2));

        QFileInfo entry(entryPath);
        QVERIFY(entry.isFile());
        QVERIFY(entry.permissions().testFlag(QFile::ExeOwner));
        const auto values = parseDesktopEntry(entryPath);
        QCOMPARE(values.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(values.value(QStringLiteral("Name")), QStringLiteral("网络 探针"));
        QCOMPARE(unquoteExec(values.value(QStringLiteral("Exec"))), program);
        QCOMPARE(values.value(QStringLiteral("Path")), ToolLauncher::toolFolder(2));
        QCOMPARE(values.value(QStringLiteral("Icon")), ToolLauncher::shortcutIconPath(2));

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, {entryPath});
            QVERIFY(validate.waitForFinished());
            QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
        }

        QVERIFY(ToolLauncher::removeDesktopShortcut(2));
        QVERIFY(!QFile::exists(entryPath));
        QVERIFY(ToolLauncher::removeDesktopShortcut(2)); // already gone
    }

    void removalTakesOnlyTheCurrentLanguagesEntry()
    {
        install({testcatalog::tool(2)}, QStringLiteral("Download"), 1);
        QVERIFY(testcatalog::writeScript(ToolLauncher::toolFolder(2) + QStringLiteral("/Tool2"), "exit 0"));
        QVERIFY(ToolLauncher::createDesktopShortcut(2));
        const QString chinese = desktop() + QStringLiteral("/工具2.desktop");
        QVERIFY(QFile::exists(chinese));

        // The same installation, now in English.
        m_install->writeSetup(
            {{QStringLiteral("DownloadPath"), m_install->filePath(QStringLiteral("Download"))},
             {QStringLiteral("Translator"), QStringLiteral("0")}});
        QVERIFY(m_install->loadSingletons());
        QCOMPARE(ToolLauncher::shortcutPath(2), desktop() + QStringLiteral("/Tool2.desktop"));
        QVERIFY(ToolLauncher::removeDesktopShortcut(2));
        QVERIFY(QFile::exists(chinese));
        QVERIFY(QFile::remove(chinese));
    }

    void shortcutFailsRatherThanCutAPath()
    {
        Tool tool = testcatalog::tool(2);
        install({tool});
        // Missing program: no entry.
        QVERIFY(!ToolLauncher::createDesktopShortcut(2));
        QVERIFY(!QFile::exists(ToolLauncher::shortcutPath(2)));

        // A program path of exactly the limit works, one unit more does not.
        const QString base = m_install->path() + QStringLiteral("/");
        const QString tail = QStringLiteral("/SubTools/Tool2/Tool2");
        const int padding = ToolLauncher::kMaxExecutablePath - base.size() - tail.size();
        QVERIFY(padding > 1);
        for (int extra : {0, 1}) {
            const QString folder = QString(padding + extra, QLatin1Char('d'));
            m_install->writeSetup({{QStringLiteral("DownloadPath"), base + folder}});
            QVERIFY(m_install->loadSingletons());
            const QString program = ToolLauncher::toolFolder(2) + QStringLiteral("/Tool2");
            QVERIFY(testcatalog::writeScript(program, "exit 0"));
            QCOMPARE(ToolLauncher::executablePath(2).size(), ToolLauncher::kMaxExecutablePath + extra);
            QCOMPARE(ToolLauncher::createDesktopShortcut(2), extra == 0);
            QCOMPARE(QFile::exists(ToolLauncher::shortcutPath(2)), extra == 0);
            ToolLauncher::removeDesktopShortcut(2);
        }

        // The entry's own path: a name that reaches the limit works, one more does not.
        const int nameRoom = ToolLauncher::kMaxShortcutPath - desktop().size() - int(qstrlen("/.desktop"));
        QVERIFY(nameRoom > 1);
        for (int extra : {0, 1}) {
            Tool named = tool;
            named.enName = QString(nameRoom + extra, QLatin1Char('n'));
            QVERIFY(testcatalog::writeCatalog(*m_install, {named}));
            m_install->writeSetup();
            QVERIFY(m_install->loadSingletons());
            QVERIFY(
                testcatalog::writeScript(ToolLauncher::toolFolder(2) + QStringLiteral("/Tool2"), "exit 0"));
            QCOMPARE(ToolLauncher::shortcutPath(2).size(), ToolLauncher::kMaxShortcutPath + extra);
            QCOMPARE(ToolLauncher::createDesktopShortcut(2), extra == 0);
            QCOMPARE(QDir(desktop()).entryList(QDir::Files).size(), extra == 0 ? 1 : 0);
            ToolLauncher::removeDesktopShortcut(2);
        }

        // A name that cannot be a file name (icon and folder names with a
        // slash never pass the catalog check, display names may).
        Tool slashed = tool;
        slashed.chName = QStringLiteral("进/出");
        QVERIFY(testcatalog::writeCatalog(*m_install, {slashed}));
        m_install->writeSetup({{QStringLiteral("Translator"), QStringLiteral("1")}});
        QVERIFY(m_install->loadSingletons());
        QVERIFY(!ToolLauncher::createDesktopShortcut(2));
        QVERIFY(QDir(desktop()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestToolLauncher)
#include "tst_toollauncher.moc"
