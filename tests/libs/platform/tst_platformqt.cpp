// The Qt part of the platform layer: the INI registry, desktop entries,
// detached launching and the system facts, on the real system.
#include "platform/desktopentry.h"
#include "platform/diskspace.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "platform/systeminfo.h"

#include <QtTest>

namespace {

const QString kUninstallKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{0A1B2C3D-"
                   "0000-4000-8000-00000000000A}");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reads a desktop entry the way a desktop does: file-level escapes first,
// then the quoting of the single Exec argument.
QMap<QString, QString> parseDesktopEntry(const QByteArray& data)
{
    QMap<QString, QString> values;
    for (const QString& line : QString::fromUtf8(data).split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QString value;
        const QString raw = line.mid(equals + 1);
        for (int i = 0; i < raw.size(); ++i) {
            if (raw.at(i) != QLatin1Char('\\') || i + 1 == raw.size()) {
                value += raw.at(i);
                continue;
            }
            const QChar next = raw.at(++i);
            value += next == QLatin1Char('s')   ? QChar(' ')
                     : next == QLatin1Char('n') ? QChar('\n')
                     : next == QLatin1Char('t') ? QChar('\t')
                     : next == QLatin1Char('r') ? QChar('\r')
                                                : next;
        }
        values.insert(line.left(equals), value);
    }
    return values;
}

QString unquoteExec(const QString& exec)
{
    if (exec.size() < 2 || !exec.startsWith(QLatin1Char('"')) || !exec.endsWith(QLatin1Char('"')))
        return QStringLiteral("<not one quoted argument>");
    QString out;
    const QString inner = exec.mid(1, exec.size() - 2);
    for (int i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c == QLatin1Char('\\') && i + 1 < inner.size() &&
            QStringLiteral("\"`$\\").contains(inner.at(i + 1)))
            out += inner.at(++i);
        else if (c == QLatin1Char('%') && i + 1 < inner.size() && inner.at(i + 1) == QLatin1Char('%'))
            out += inner.at(++i);
        else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                 c == QLatin1Char('%'))
            return QStringLiteral("<unescaped reserved character>");
        else
            out += c;
    }
    return out;
}

// A zombie still takes signals; a process counts as ended once it is one.
bool processEnded(qint64 pid)
{
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const int close = stat.lastIndexOf(')');
    return stat.isEmpty() || (close > 0 && stat.mid(close + 2, 1) == "Z");
}

} // namespace

class TestPlatformQt : public QObject
{
    Q_OBJECT

private slots:
    void registryKeysAreIniFiles()
    {
        QTemporaryDir root;
        platform::Registry registry(root.path());
        const QString file =
            root.path() + QStringLiteral("/HKEY_LOCAL_MACHINE/SOFTWARE/Microsoft/Windows/CurrentVersion/"
                                         "Uninstall/{0A1B2C3D-0000-4000-8000-00000000000A}.ini");
        QCOMPARE(registry.filePathForKey(kUninstallKey), file);
        QCOMPARE(registry.value(kUninstallKey, QStringLiteral("DisplayVersion"), QStringLiteral("unKnown")),
                 QStringLiteral("unKnown"));
        QVERIFY(!registry.holdsValues(kUninstallKey));

        QVERIFY(registry.setValues(kUninstallKey,
                                   {{QStringLiteral("DisplayVersion"), QStringLiteral("1.0.0.2")},
                                    {QStringLiteral("InstallLocation"), QStringLiteral("/opt/工具 a")}}));
        const QByteArray text = readFile(file);
        QVERIFY2(text.startsWith("[General]\n"), text.constData());
        QVERIFY(text.contains("DisplayVersion=1.0.0.2\n"));
        QCOMPARE(registry.value(kUninstallKey, QStringLiteral("InstallLocation")),
                 QStringLiteral("/opt/工具 a"));
        QVERIFY(registry.holdsValues(kUninstallKey));

        QVERIFY(registry.setValue(kUninstallKey, QStringLiteral("Sub/Name"), QStringLiteral("inner")));
        QVERIFY(readFile(file).contains("[Sub]\nName=inner\n"));
        QCOMPARE(registry.valueNames(kUninstallKey).size(), 3);

        // A fresh instance sees the same store.
        QCOMPARE(platform::Registry(root.path()).value(kUninstallKey, QStringLiteral("Sub/Name")),
                 QStringLiteral("inner"));

        QVERIFY(registry.removeKey(kUninstallKey));
        QVERIFY(!QFileInfo::exists(file));
        QVERIFY(!registry.holdsValues(kUninstallKey));
        QCOMPARE(registry.value(kUninstallKey, QStringLiteral("DisplayVersion"), QStringLiteral("unKnown")),
                 QStringLiteral("unKnown"));
        QVERIFY(registry.removeKey(kUninstallKey));
    }

    void registryValuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("commas") << QStringLiteral("a, b,c");
        QTest::newRow("ini syntax") << QStringLiteral("x=1; [General] #c \"q\"");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Program Files\\Tool");
        QTest::newRow("line breaks") << QStringLiteral("one\ntwo");
        QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
        QTest::newRow("empty") << QString();
    }

    void registryValuesRoundTrip()
    {
        QFETCH(QString, value);
        QTemporaryDir root;
        QVERIFY(platform::Registry(root.path()).setValue(kUninstallKey, QStringLiteral("V"), value));
        QCOMPARE(
            platform::Registry(root.path()).value(kUninstallKey, QStringLiteral("V"), QStringLiteral("d")),
            value);
    }

    void registryHandWrittenListReadsAsText()
    {
        QTemporaryDir root;
        platform::Registry registry(root.path());
        const QString key = QStringLiteral("HKEY_CURRENT_USER\\Hand");
        QVERIFY(QDir().mkpath(root.path() + QStringLiteral("/HKEY_CURRENT_USER")));
        QFile file(registry.filePathForKey(key));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nLocation=/a,b\n");
        file.close();
        QCOMPARE(registry.value(key, QStringLiteral("Location")), QStringLiteral("/a,b"));
    }

    void registryKeyPathsStayInsideTheRoot_data()
    {
        QTest::addColumn<QString>("keyPath");
        QTest::newRow("parent") << QStringLiteral("HKEY_CURRENT_USER\\..\\..\\escape");
        QTest::newRow("slash") << QStringLiteral("HKEY_CURRENT_USER\\a/../../escape");
        QTest::newRow("empty part") << QStringLiteral("HKEY_CURRENT_USER\\\\x");
        QTest::newRow("trailing separator") << QStringLiteral("HKEY_CURRENT_USER\\");
        QTest::newRow("empty") << QString();
    }

    void registryKeyPathsStayInsideTheRoot()
    {
        QFETCH(QString, keyPath);
        QTemporaryDir outer;
        const QString rootPath = outer.filePath(QStringLiteral("a/b/root"));
        platform::Registry registry(rootPath);
        QCOMPARE(registry.filePathForKey(keyPath), QString());
        QVERIFY(!registry.setValue(keyPath, QStringLiteral("V"), QStringLiteral("x")));
        QVERIFY(!registry.removeKey(keyPath));
        QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void registryRootFollowsXdgDataHome()
    {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", "/srv/data home");
        QCOMPARE(platform::Registry::defaultRoot(), QStringLiteral("/srv/data home/Brelvonix/registry"));
        qputenv("XDG_DATA_HOME", "relative/ignored");
        QCOMPARE(platform::Registry::defaultRoot(),
                 platform::homeFolder() + QStringLiteral("/.local/share/Brelvonix/registry"));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(platform::Registry().rootFolder(),
                 platform::homeFolder() + QStringLiteral("/.local/share/Brelvonix/registry"));
        if (!saved.isNull())
            qputenv("XDG_DATA_HOME", saved);
    }

    void freeSpaceIsCountedInGiB()
    {
        QTemporaryDir dir;
        const double gib = platform::freeDiskGiB(dir.path());
        const double expected = platform::freeDiskBytes(dir.path().toStdString()) / double(1 << 30);
        QVERIFY(gib > 0);
        QVERIFY2(qAbs(gib - expected) < 0.01, qPrintable(QStringLiteral("%1 vs %2").arg(gib).arg(expected)));
        // A folder still to be created is measured on its parent's volume.
        QVERIFY(qAbs(platform::freeDiskGiB(dir.filePath(QStringLiteral("not/yet 工具"))) - expected) < 0.01);
    }

    void runningProgramsAreFoundByExactName()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("Qt Probe 工具");
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), dir.filePath(name)));
        QVERIFY(!platform::isProgramRunning(name));
        QProcess child;
        child.start(dir.filePath(name), {QStringLiteral("30")});
        QVERIFY(child.waitForStarted());
        QVERIFY(platform::isProgramRunning(name));
        QVERIFY(platform::isProgramRunning(name + QStringLiteral(".exe")));
        QVERIFY(!platform::isProgramRunning(QStringLiteral("Probe 工具")));
        QVERIFY(!platform::isProgramRunning(QString()));
        child.kill();
        child.waitForFinished();
    }

    void detachedProgramsRunInTheirFolder()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("tool \"x\" 工具"));
        QVERIFY(QDir().mkpath(folder));
        qint64 pid = 0;
        QVERIFY(platform::startDetached(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("pwd > out.tmp; echo $$ >> out.tmp; "
                                                  "mv out.tmp out.txt")},
            folder, &pid));
        QVERIFY(pid > 0);
        const QString out = folder + QStringLiteral("/out.txt");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(out), 10000);
        QCOMPARE(QString::fromUtf8(readFile(out)), folder + QStringLiteral("\n%1\n").arg(pid));
        QVERIFY(!platform::startDetached(dir.filePath(QStringLiteral("missing")), {}, folder));
    }

    void terminateEndsTheLaunchedProcess()
    {
        qint64 pid = 0;
        QVERIFY(platform::startDetached(QStringLiteral("/bin/sleep"), {QStringLiteral("60")},
                                        QDir::tempPath(), &pid));
        QVERIFY(!processEnded(pid));
        QVERIFY(platform::terminateProcess(pid));
        QTRY_VERIFY_WITH_TIMEOUT(processEnded(pid), 10000);
        QVERIFY(!platform::terminateProcess(0));
        QVERIFY(!platform::terminateProcess(-1));
    }

    void desktopEntriesKeepAwkwardPaths_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::newRow("blanks") << QStringLiteral("/opt/Sub Tools/My Tool/My Tool");
        QTest::newRow("quotes and shell characters") << QStringLiteral("/opt/a \"b\" `c` $HOME 'd'/Tool");
        QTest::newRow("backslash and percent") << QStringLiteral("/opt/back\\slash 100%/%f Tool");
        QTest::newRow("chinese") << QStringLiteral("/home/用户/下载/SubTools/工具箱/工具箱");
        QTest::newRow("line break") << QStringLiteral("/opt/two\nlines/Tool");
    }

    void desktopEntriesKeepAwkwardPaths()
    {
        QFETCH(QString, executable);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Desktop 桌面"));
        const platform::DesktopEntry entry{QStringLiteral(" 工具 \"Tool\"\nHidden=true"), executable,
                                           QStringLiteral("/opt/icons/tool icon.png")};
        QVERIFY(platform::writeDesktopEntry(folder, entry));
        const QString path = platform::desktopEntryFilePath(folder, entry.name);
        QCOMPARE(path, folder + QLatin1Char('/') + entry.name + QStringLiteral(".desktop"));
        const QByteArray data = readFile(path);
        QVERIFY(data.startsWith("[Desktop Entry]\n"));
        QVERIFY2(!data.contains("\nHidden="), "a name must not add keys");

        const QMap<QString, QString> values = parseDesktopEntry(data);
        QCOMPARE(values.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(values.value(QStringLiteral("Name")), entry.name);
        QCOMPARE(unquoteExec(values.value(QStringLiteral("Exec"))), executable);
        QCOMPARE(values.value(QStringLiteral("Path")), QFileInfo(executable).path());
        QCOMPARE(values.value(QStringLiteral("Icon")), entry.icon);
        QCOMPARE(values.size(), 5);

        QCOMPARE(QFileInfo(path).permissions() & 0x7777, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                             QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                             QFileDevice::WriteUser | QFileDevice::ExeUser |
                                                             QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                             QFileDevice::ReadOther | QFileDevice::ExeOther);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, {path});
            QVERIFY(validate.waitForFinished());
            QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
        }

        QVERIFY(platform::removeDesktopEntry(folder, entry.name));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(platform::removeDesktopEntry(folder, entry.name));
    }

    void desktopEntryNamesMustBeFileNames()
    {
        QTemporaryDir dir;
        for (const QString& name : {QString(), QStringLiteral(".."), QStringLiteral("a/b")}) {
            QCOMPARE(platform::desktopEntryFilePath(dir.path(), name), QString());
            QVERIFY(!platform::writeDesktopEntry(dir.path(), {name, QStringLiteral("/bin/true"), QString()}));
            QVERIFY(!platform::removeDesktopEntry(dir.path(), name));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        // Without an icon the key is left out rather than written empty.
        QVERIFY(!platform::desktopEntryText({QStringLiteral("T"), QStringLiteral("/bin/true"), QString()})
                     .contains("Icon"));
    }
};

QTEST_GUILESS_MAIN(TestPlatformQt)
#include "tst_platformqt.moc"
