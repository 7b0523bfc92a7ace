// The uninstaller's logic without a window: AppConfig.xml, the product key,
// the manifest, the client check against real processes, and the removal
// itself in a temporary home: only its own installation's listed files, never
// what a product key or a manifest line points at elsewhere.
#include "core/appconfig.h"
#include "core/clientprocess.h"
#include "core/installfolder.h"
#include "core/installprocessmgr.h"
#include "core/productkey.h"
#include "installmanifest/installmanifest.h"
#include "unmoorsandbox.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace appinstaller;
using installmanifest::InstallManifest;
using unmoortest::StandInProcess;
using unmoortest::UnmoorSandbox;

Q_DECLARE_METATYPE(appinstaller::RemovalReport::Left)

namespace {

bool exists(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

bool runsAsRoot()
{
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-u")});
    return id.waitForFinished() && id.readAllStandardOutput().trimmed() == "0";
}

} // namespace

class TestUnmoorCore : public QObject
{
    Q_OBJECT

private slots:
    void appConfigTakesFirstElementAnywhere()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AppConfig.xml"));
        // Any document element, keys at any depth, first one in document
        // order wins; text that is not a number reads as 0.
        QVERIFY(UnmoorSandbox::writeFile(path, R"(<?xml version="1.0" encoding="UTF-8"?>
<Whatever>
  <Product>
    <GUID>{AAAA}</GUID>
    <Names><SoftwareNameCH>洛夫特</SoftwareNameCH></Names>
  </Product>
  <GUID>{BBBB}</GUID>
  <Translator>12</Translator>
  <VersionType>two</VersionType>
  <ProgramName>/opt/gearloft/Gearloft</ProgramName>
  <InstallPath>/opt</InstallPath>
  <Version><!-- note -->1.1.0.5</Version>
  <CompanyName><Inner/></CompanyName>
  <Components>
    <Component><Name>Client</Name><FilePath>Gearloft</FilePath></Component>
    <Component><FilePath>Haulmoor</FilePath><Name>Service</Name></Component>
  </Components>
</Whatever>
)"));
        const AppConfig config(path);
        QCOMPARE(config.guid(), QStringLiteral("{AAAA}"));
        QCOMPARE(config.softwareNameCH(), QStringLiteral("洛夫特"));
        QCOMPARE(config.softwareNameEN(), QStringLiteral("Gearloft"));
        QCOMPARE(config.translator(), 12);
        QCOMPARE(config.versionType(), 0);
        QCOMPARE(config.programName(), QStringLiteral("/opt/gearloft/Gearloft"));
        QCOMPARE(config.installPath(), QStringLiteral("/opt/Gearloft"));
        QCOMPARE(config.version(), QStringLiteral("1.1.0.5"));
        QCOMPARE(config.companyName(), QString());
        const QVector<QPair<QString, QString>> components{
            {QStringLiteral("Client"), QStringLiteral("Gearloft")},
            {QStringLiteral("Service"), QStringLiteral("Haulmoor")}};
        QCOMPARE(config.components(), components);
    }

    void appConfigHonoursTheDeclaredEncoding()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AppConfig.xml"));
        QVERIFY(UnmoorSandbox::writeFile(path, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                               "<A><SoftwareNameEN>Caf\xe9</SoftwareNameEN></A>\n"));
        QCOMPARE(AppConfig(path).softwareNameEN(), QStringLiteral("Café"));
    }

    void appConfigMissingOrBrokenLeavesEverythingEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not XML") << QByteArray("<GUID>{AAAA}</GUID");
        QTest::newRow("entities") << QByteArray("<!DOCTYPE a [<!ENTITY e \"{AAAA}\">]><a><GUID>&e;</GUID></a>");
        QTest::newRow("nested too deep") << QByteArray("<a>").repeated(10000) + "<GUID>{AAAA}</GUID>";
    }

    void appConfigMissingOrBrokenLeavesEverythingEmpty()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AppConfig.xml"));
        if (!content.isEmpty())
            QVERIFY(UnmoorSandbox::writeFile(path, content));
        AppConfig config(path);
        QVERIFY(!config.load(path));
        QVERIFY(config.guid().isEmpty());
        // The English default belongs to reading a document only.
        QVERIFY(config.softwareNameEN().isEmpty());
        QVERIFY(config.programName().isEmpty());
        QVERIFY(config.components().isEmpty());
    }

    void productKeyNeedsAUsableGuid_data()
    {
        QTest::addColumn<QString>("guid");
        QTest::addColumn<bool>("usable");
        QTest::newRow("product") << UnmoorSandbox::kGuid << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << QStringLiteral("  ") << false;
        QTest::newRow("climbs out") << QStringLiteral("..") << false;
        QTest::newRow("two levels") << QStringLiteral("Other\\Sub") << false;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
    }

    void productKeyNeedsAUsableGuid()
    {
        QFETCH(QString, guid);
        QFETCH(bool, usable);
        UnmoorSandbox sandbox;
        QVERIFY(sandbox.registerProduct(QStringLiteral("/opt/gearloft")));
        // Another product's entry, and values on the Uninstall key itself.
        QVERIFY(sandbox.registerProduct(QStringLiteral("/opt/other"), QStringLiteral("{OTHER}")));
        const QString uninstallKeyFile = QFileInfo(sandbox.keyFile()).path() + QStringLiteral(".ini");
        QVERIFY(UnmoorSandbox::writeFile(uninstallKeyFile, "[General]\ninstallpath=/\n"));

        const ProductKey key(guid);
        QCOMPARE(key.isInstalled(), usable);
        QCOMPARE(key.installPath(), usable ? QStringLiteral("/opt/gearloft") : QString());
        QCOMPARE(key.clear(), usable);
        QCOMPARE(exists(sandbox.keyFile()), !usable);
        QVERIFY(exists(sandbox.keyFile(QStringLiteral("{OTHER}"))));
        QVERIFY(exists(uninstallKeyFile));
    }

    void productKeyCountsValuesOfSubKeys()
    {
        UnmoorSandbox sandbox;
        const ProductKey key(UnmoorSandbox::kGuid);
        QVERIFY(!key.isInstalled());
        QVERIFY(UnmoorSandbox::writeFile(sandbox.keyFile(), ""));
        QVERIFY(!key.isInstalled());
        QVERIFY(UnmoorSandbox::writeFile(sandbox.keyFile(), "[Extra]\nNote=1\n"));
        QVERIFY(key.isInstalled());
        QVERIFY(key.installPath().isEmpty());
    }

    void installFolderVerdicts_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<int>("verdict");
        QTest::newRow("installation") << "installation" << int(InstallFolder::Verdict::Removable);
        QTest::newRow("installation, trailing slash")
            << "installation/" << int(InstallFolder::Verdict::Removable);
        QTest::newRow("empty") << "" << int(InstallFolder::Verdict::Empty);
        QTest::newRow("relative") << "relative" << int(InstallFolder::Verdict::NotAbsolute);
        QTest::newRow("missing") << "missing" << int(InstallFolder::Verdict::Missing);
        QTest::newRow("link to installation") << "link" << int(InstallFolder::Verdict::SymbolicLink);
        QTest::newRow("root") << "/" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("root spelled oddly") << "/./" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("home") << "home" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("above home") << "above home" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("home through dot-dot")
            << "home via dotdot" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("data home") << "data home" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("desktop") << "desktop" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("/usr/local") << "/usr/local" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("/opt") << "/opt" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("/usr/share") << "/usr/share" << int(InstallFolder::Verdict::SystemFolder);
        QTest::newRow("another folder") << "foreign" << int(InstallFolder::Verdict::NotOurs);
        QTest::newRow("another product") << "other product" << int(InstallFolder::Verdict::NotOurs);
        QTest::newRow("build folder") << "build" << int(InstallFolder::Verdict::BuildFolder);
    }

    void installFolderVerdicts()
    {
        QFETCH(QString, which);
        QFETCH(int, verdict);
        UnmoorSandbox sandbox;
        const QString installation =
            sandbox.makeInstallation(sandbox.root() + QStringLiteral("/opt/Gearloft"));
        // Home and its shared folders hold our marker too (a flat install
        // there would put it so): still never removable.
        sandbox.makeInstallation(sandbox.home());
        sandbox.makeInstallation(sandbox.dataHome());
        sandbox.makeInstallation(sandbox.desktop());
        QVERIFY(QFile::link(installation, sandbox.root() + QStringLiteral("/link")));
        QDir().mkpath(sandbox.root() + QStringLiteral("/foreign/data"));
        sandbox.makeInstallation(sandbox.root() + QStringLiteral("/other"), QStringLiteral("{OTHER}"));
        sandbox.makeInstallation(sandbox.root() + QStringLiteral("/build"));
        QVERIFY(UnmoorSandbox::writeFile(sandbox.root() + QStringLiteral("/build/cmake_install.cmake"), ""));

        const QMap<QString, QString> folders{
            {QStringLiteral("installation"), installation},
            {QStringLiteral("installation/"), installation + QLatin1Char('/')},
            {QStringLiteral(""), QString()},
            {QStringLiteral("relative"), QStringLiteral("opt/Gearloft")},
            {QStringLiteral("missing"), sandbox.root() + QStringLiteral("/gone")},
            {QStringLiteral("link"), sandbox.root() + QStringLiteral("/link")},
            {QStringLiteral("/"), QStringLiteral("/")},
            {QStringLiteral("/./"), QStringLiteral("/./")},
            {QStringLiteral("home"), sandbox.home()},
            {QStringLiteral("above home"), sandbox.root()},
            {QStringLiteral("home via dotdot"), installation + QStringLiteral("/../../home")},
            {QStringLiteral("data home"), sandbox.dataHome()},
            {QStringLiteral("desktop"), sandbox.desktop() + QLatin1Char('/')},
            {QStringLiteral("/usr/local"), QStringLiteral("/usr/local")},
            {QStringLiteral("/opt"), QStringLiteral("/opt")},
            {QStringLiteral("/usr/share"), QStringLiteral("/usr/share")},
            {QStringLiteral("foreign"), sandbox.root() + QStringLiteral("/foreign")},
            {QStringLiteral("other product"), sandbox.root() + QStringLiteral("/other")},
            {QStringLiteral("build"), sandbox.root() + QStringLiteral("/build")}};
        QCOMPARE(int(InstallFolder::check(folders.value(which), UnmoorSandbox::kGuid)), verdict);
        // Without a GUID nothing is recognisably ours.
        if (verdict == int(InstallFolder::Verdict::Removable))
            QCOMPARE(InstallFolder::check(installation, QString()), InstallFolder::Verdict::NotOurs);
    }

    void imageNameIsTheLastPathPart_data()
    {
        QTest::addColumn<QString>("programName");
        QTest::addColumn<QString>("imageName");
        QTest::newRow("bare") << "Gearloft"
                              << "Gearloft";
        QTest::newRow("path") << "/opt/gearloft/Gearloft"
                              << "Gearloft";
        QTest::newRow("windows name") << "C:/Program Files/Gearloft.exe"
                                      << "Gearloft.exe";
        QTest::newRow("ends in slash") << "/opt/gearloft/"
                                       << "";
        QTest::newRow("long") << QString(300, QLatin1Char('g')) << QString(260, QLatin1Char('g'));
    }

    void imageNameIsTheLastPathPart()
    {
        QFETCH(QString, programName);
        QFETCH(QString, imageName);
        QCOMPARE(ClientProcess::imageName(programName), imageName);
    }

    void clientCheckMatchesRunningProcessesExactly()
    {
        // Any Gearloft left from elsewhere would make this meaningless.
        QVERIFY2(!ClientProcess::isRunning(QStringLiteral("Gearloft")), "a foreign Gearloft process runs");
        {
            StandInProcess wrongCase(QStringLiteral("gearloft"));
            QVERIFY(wrongCase.isRunning());
            QVERIFY(!ClientProcess::isRunning(QStringLiteral("Gearloft")));
        }
        StandInProcess client(QStringLiteral("Gearloft"));
        QVERIFY(client.isRunning());
        QVERIFY(ClientProcess::isRunning(QStringLiteral("Gearloft")));
        QVERIFY(ClientProcess::isRunning(QStringLiteral("/opt/gearloft/Gearloft")));
        QVERIFY(ClientProcess::isRunning(QStringLiteral("C:/Gearloft/Gearloft.exe")));
        QVERIFY(!ClientProcess::isRunning(QStringLiteral("Gear")));
        QVERIFY(!ClientProcess::isRunning(QString()));
        // This very process never counts.
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(!ClientProcess::isRunning(self));
    }

    void uninstallRemovesEverythingWithFourReports()
    {
        UnmoorSandbox sandbox;
        const QString installation = sandbox.makeInstallation(
            sandbox.root() + QStringLiteral("/opt/Gearloft"), UnmoorSandbox::kGuid, true);
        // Made at run time, empty: goes with the folder.
        QVERIFY(QDir().mkpath(installation + QStringLiteral("/ToolsFileTemp")));
        InstallProcessMgr::instance()->setOwnFolderForTesting(installation);
        QVERIFY(sandbox.registerProduct(installation));
        sandbox.writeShortcuts();
        QVERIFY(UnmoorSandbox::writeFile(sandbox.root() + QStringLiteral("/AppConfig.xml"),
                                         UnmoorSandbox::appConfigXml()));
        QVERIFY(AppConfig::instance()->load(sandbox.root() + QStringLiteral("/AppConfig.xml")));

        QSignalSpy spy(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess);
        InstallProcessMgr::instance()->unInstall();

        QCOMPARE(spy.count(), 4);
        const QList<QPair<int, QString>> expected{{0, QStringLiteral("BeganToUnloadWkJrSaJaAq")},
                                                  {30, QStringLiteral("DeleteShortcutULXVgdVTs")},
                                                  {60, QStringLiteral("ClearTheRegistryeuyqTkYHjj")},
                                                  {100, QStringLiteral("Uninstalled")}};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(spy.at(i).at(0).toInt(), expected.at(i).first);
            QCOMPARE(spy.at(i).at(1).toString(), expected.at(i).second);
        }
        QVERIFY(!exists(installation));
        QVERIFY(exists(sandbox.root() + QStringLiteral("/opt")));
        QVERIFY(!exists(sandbox.keyFile()));
        for (const QString& shortcut : sandbox.productShortcuts())
            QVERIFY2(!exists(shortcut), qPrintable(shortcut));
        for (const QString& other : sandbox.foreignShortcuts())
            QVERIFY2(exists(other), qPrintable(other));
        QCOMPARE(InstallProcessMgr::instance()->report().left, RemovalReport::Left::Nothing);
    }

    void manifestKeepsPlainPathsInOrder()
    {
        QTemporaryDir dir;
        InstallManifest manifest;
        // Adding to an installation without a manifest would make its other
        // files look like the user's: refused, and none is made.
        QVERIFY(!InstallManifest::addFiles(dir.path(), {QStringLiteral("Gearloft")}));
        QVERIFY(!InstallManifest::existsIn(dir.path()));

        QVERIFY(!manifest.add({QStringLiteral("b"), QStringLiteral("../x"), QStringLiteral("/etc/passwd"),
                               QStringLiteral("a//b"), QStringLiteral("./a"), QStringLiteral("line\nbreak"),
                               QStringLiteral("Ärger"), QStringLiteral("a/Z"), QStringLiteral("b")}));
        QVERIFY(manifest.errorString().contains(QLatin1String("../x")));
        QVERIFY(manifest.write(dir.path()));
        // Byte order of UTF-8, as CMake sorts: "Ä" after every ASCII letter.
        const QStringList expected{QStringLiteral("a/Z"), QStringLiteral("b"), QStringLiteral("Ärger")};
        QCOMPARE(manifest.entries(), expected);

        QString error;
        QVERIFY(InstallManifest::addFiles(dir.path(), {QStringLiteral("Swapover/Swapover")}, &error));
        QVERIFY(manifest.read(dir.path()));
        QCOMPARE(manifest.entries(), QStringList{QStringLiteral("Swapover/Swapover")} + expected);

        // A later format is told apart, not half understood.
        QVERIFY(UnmoorSandbox::writeFile(InstallManifest::filePath(dir.path()), "gearloft-manifest 2\nx\n"));
        QVERIFY(!manifest.read(dir.path()));
        QVERIFY(manifest.entries().isEmpty());
        QVERIFY(!InstallManifest::addFiles(dir.path(), {QStringLiteral("y")}));
    }

    void uninstallRemovesOnlyItsOwnListedFiles_data()
    {
        QTest::addColumn<QString>("keyNames");
        QTest::addColumn<QString>("change");
        QTest::addColumn<RemovalReport::Left>("left");
        QTest::addColumn<bool>("keyKept");
        using L = RemovalReport::Left;
        QTest::newRow("key names this installation") << "A"
                                                     << "" << L::Nothing << false;
        QTest::newRow("key names another installation") << "B"
                                                        << "" << L::Nothing << true;
        QTest::newRow("key names ~/bin with our AppConfig.xml") << "bin"
                                                                << "" << L::Nothing << true;
        QTest::newRow("key names nothing") << ""
                                           << "" << L::Nothing << false;
        QTest::newRow("file added after install") << "A"
                                                  << "added" << L::AddedFiles << false;
        QTest::newRow("line climbs out") << "A"
                                         << "../B/Gearloft" << L::Nothing << false;
        QTest::newRow("absolute line") << "A"
                                       << "/B/Gearloft" << L::Nothing << false;
        // The link itself is no listed file: it stays, and is reported.
        QTest::newRow("line through a linked folder") << "A"
                                                      << "linked/Gearloft" << L::AddedFiles << false;
        QTest::newRow("no manifest: old installation") << "B"
                                                       << "no manifest" << L::Nothing << true;
        QTest::newRow("second account") << "B"
                                        << "second account" << L::Nothing << true;
    }

    void uninstallRemovesOnlyItsOwnListedFiles()
    {
        QFETCH(QString, keyNames);
        QFETCH(QString, change);
        QFETCH(RemovalReport::Left, left);
        QFETCH(bool, keyKept);
        UnmoorSandbox sandbox;
        const QString a =
            sandbox.makeInstallation(sandbox.root() + QStringLiteral("/A"), UnmoorSandbox::kGuid, true);
        const QString b =
            sandbox.makeInstallation(sandbox.root() + QStringLiteral("/B"), UnmoorSandbox::kGuid, true);
        const QString bin = sandbox.home() + QStringLiteral("/bin");
        QVERIFY(
            UnmoorSandbox::writeFile(bin + QStringLiteral("/AppConfig.xml"), UnmoorSandbox::appConfigXml()));
        QVERIFY(UnmoorSandbox::writeFile(bin + QStringLiteral("/backup.sh"), "mine"));
        const QMap<QString, QString> named{{"A", a}, {"B", b}, {"bin", bin}};
        if (!keyNames.isEmpty())
            QVERIFY(sandbox.registerProduct(named.value(keyNames)));
        QVERIFY(UnmoorSandbox::writeFile(sandbox.root() + QStringLiteral("/AppConfig.xml"),
                                         UnmoorSandbox::appConfigXml()));
        QVERIFY(AppConfig::instance()->load(sandbox.root() + QStringLiteral("/AppConfig.xml")));
        InstallProcessMgr::instance()->setOwnFolderForTesting(a);

        QStringList lines = UnmoorSandbox::installedFiles();
        QStringList remaining;
        if (change == QLatin1String("added")) {
            remaining << QStringLiteral("Download/SubTools/Lanfinch/tool")
                      << QStringLiteral("ToolsFile/newer.xml");
            for (const QString& file : remaining)
                QVERIFY(UnmoorSandbox::writeFile(a + QLatin1Char('/') + file, "later"));
        } else if (change == QLatin1String("linked/Gearloft")) {
            QVERIFY(QFile::link(b, a + QStringLiteral("/linked")));
            remaining << QStringLiteral("linked");
        } else if (change == QLatin1String("no manifest")) {
            QVERIFY(QFile::remove(InstallManifest::filePath(a)));
        }
        const bool badLine = change.contains(QLatin1String("Gearloft"));
        if (badLine)
            lines << (change.startsWith(QLatin1String("/B/")) ? b + change.mid(2) : change);
        if (change != QLatin1String("no manifest"))
            QVERIFY(UnmoorSandbox::writeManifest(a, lines));
        QVERIFY(InstallProcessMgr::instance()->isInstalled());

        RemovalReport report;
        if (change == QLatin1String("second account")) {
            if (!runsAsRoot() || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
                QSKIP("running as a second account needs root and setpriv");
            // The program in the installation, run by "nobody", who owns
            // both installations: only the file system's order protects B.
            QVERIFY(QFile::copy(QStringLiteral(UNMOOR_CORERUN), a + QStringLiteral("/unmoor_corerun")));
            QVERIFY(UnmoorSandbox::writeManifest(a, QStringList(lines) << QStringLiteral("unmoor_corerun")));
            QCOMPARE(QProcess::execute(QStringLiteral("chown"),
                                       {QStringLiteral("-R"), QStringLiteral("nobody:"), sandbox.root()}),
                     0);
            QProcess run;
            run.start(QStringLiteral("setpriv"),
                      {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                       QStringLiteral("--clear-groups"), QStringLiteral("--"),
                       a + QStringLiteral("/unmoor_corerun")});
            QVERIFY(run.waitForFinished(60000));
            QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
            report.left = RemovalReport::Left(run.readAllStandardOutput().trimmed().toInt());
        } else {
            InstallProcessMgr::instance()->unInstall();
            report = InstallProcessMgr::instance()->report();
        }

        QCOMPARE(report.left, left);
        for (const QString& file : UnmoorSandbox::installedFiles()) {
            QVERIFY2(!exists(a + QLatin1Char('/') + file), qPrintable(file));
            QVERIFY2(exists(b + QLatin1Char('/') + file), qPrintable(file));
        }
        QVERIFY(exists(InstallManifest::filePath(b)));
        QVERIFY(exists(bin + QStringLiteral("/backup.sh")));
        QVERIFY(exists(bin + QStringLiteral("/AppConfig.xml")));
        QCOMPARE(exists(a), !remaining.isEmpty());
        QCOMPARE(exists(sandbox.keyFile()), keyKept);
        if (change == QLatin1String("second account"))
            return;
        QCOMPARE(report.remaining, remaining);
        QCOMPARE(report.folder, remaining.isEmpty() ? QString() : a);
        QCOMPARE(report.skipped, badLine ? QStringList(lines.last()) : QStringList());
    }

    void blankOrOddNamesNeverAddressTheMenuFolder_data()
    {
        QTest::addColumn<QString>("nameEN");
        QTest::addColumn<QString>("nameCH");
        QTest::newRow("no Chinese name") << "Gearloft"
                                         << "";
        QTest::newRow("dot-dot") << "Gearloft"
                                 << "..";
        QTest::newRow("dot") << "."
                             << "Loftwarden";
        QTest::newRow("path") << "Gearloft"
                              << "../../Desktop";
    }

    void blankOrOddNamesNeverAddressTheMenuFolder()
    {
        QFETCH(QString, nameEN);
        QFETCH(QString, nameCH);
        UnmoorSandbox sandbox;
        const QString installation =
            sandbox.makeInstallation(sandbox.root() + QStringLiteral("/opt/Gearloft"));
        InstallProcessMgr::instance()->setOwnFolderForTesting(installation);
        QVERIFY(sandbox.registerProduct(installation));
        sandbox.writeShortcuts();
        QVERIFY(UnmoorSandbox::writeFile(sandbox.root() + QStringLiteral("/AppConfig.xml"),
                                         UnmoorSandbox::appConfigXml(UnmoorSandbox::kGuid, nameEN, nameCH)));
        QVERIFY(AppConfig::instance()->load(sandbox.root() + QStringLiteral("/AppConfig.xml")));

        InstallProcessMgr::instance()->unInstall();

        for (const QString& other : sandbox.foreignShortcuts())
            QVERIFY2(exists(other), qPrintable(other));
        QVERIFY(exists(sandbox.dataHome() + QStringLiteral("/applications")));
        QVERIFY(!exists(installation));
        QVERIFY(!exists(sandbox.keyFile()));
    }
};

QTEST_GUILESS_MAIN(TestUnmoorCore)
#include "tst_unmoorcore.moc"
