// Putting a received package into place with the real unpacker: the staged
// unpack, the old files carried over, the previous version kept, and that a
// failure at any step leaves everything as it was.
#include "mainprogramstager.h"
#include "packageinstaller.h"
#include "platform/stagingmarker.h"
#include "servicetestkit.h"
#include "zipbuilder.h"

#include <QtTest>
#include <sys/stat.h>

using haulmoor::MainProgramStager;
using haulmoor::PackageInstaller;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file below root, relative, with its content.
QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), readFile(path));
    }
    return files;
}

QString unpackerDir()
{
    return QFileInfo(QStringLiteral(ZIPUNZIP_PROGRAM)).absolutePath();
}

} // namespace

class TestPackageInstaller : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_unzip;

    QString package(const ZipBuilder& zip)
    {
        const QString path = m_dir.filePath(QStringLiteral("pkg/ToolA_V1.2.zip"));
        writeFile(path, zip.bytes());
        return path;
    }

    void installOldTool()
    {
        writeFile(m_unzip + QStringLiteral("ToolA_V1/ToolA.exe"), "old program");
        writeFile(m_unzip + QStringLiteral("ToolA_V1/Old.dll"), "old library");
        writeFile(m_unzip + QStringLiteral("ToolA_V1/config.ini"), "user settings");
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_unzip = m_dir.filePath(QStringLiteral("Apps/SubTools/"));
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void toolFolder_data()
    {
        QTest::addColumn<QString>("unzipDir");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::newRow("up to the first dot") << "D:/Apps/SubTools/"
                                             << "ToolA_V1.2.zip"
                                             << "D:/Apps/SubTools/ToolA_V1";
        QTest::newRow("no dot: the unzip folder") << "/a/SubTools/"
                                                  << "ToolA"
                                                  << "/a/SubTools/ToolA";
        QTest::newRow("dot first") << "/a/SubTools/"
                                   << ".zip"
                                   << "/a/SubTools/";
    }

    void toolFolder()
    {
        QFETCH(QString, unzipDir);
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        QCOMPARE(QString::fromStdString(
                     PackageInstaller::toolFolder(unzipDir.toStdString(), fileName.toStdString())),
                 folder);
    }

    void oldProgramFilesAreNotCarriedOver()
    {
        const QString tool = m_unzip + QStringLiteral("ToolA_V1");
        for (const char* name : {"/a.dll", "/b.EXE", "/keep.txt", "/plugins.dll/inner.dll",
                                 "/plugins.dll/inner.txt", "/sub/deep.dll", "/ToolA"})
            writeFile(tool + QLatin1String(name), "old");
        const QString pkg = package(ZipBuilder().file("ToolA_V1/new.txt", "new"));
        PackageInstaller installer(unpackerDir().toStdString());
        QCOMPARE(installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString()), 200);
        QCOMPARE(snapshot(tool).keys(),
                 (QStringList{"ToolA", "keep.txt", "new.txt", "plugins.dll/inner.txt", "sub/deep.dll"}));
        QCOMPARE(snapshot(m_unzip + QStringLiteral(".ToolA_V1.previous")).size(), 7);
    }

    void updateReplacesProgramFilesAndKeepsTheRest()
    {
        installOldTool();
        const QString pkg = package(ZipBuilder()
                                        .file("ToolA_V1/ToolA.exe", "new program", 0755)
                                        .file("ToolA_V1/ToolA", "#!/bin/sh\n", 0755)
                                        .file("ToolA_V1/docs/说明.txt", "manual"));
        PackageInstaller installer(unpackerDir().toStdString());
        QCOMPARE(installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString()), 200);
        const auto files = snapshot(m_unzip);
        QCOMPARE(files.keys(),
                 (QStringList{".ToolA_V1.previous/Old.dll", ".ToolA_V1.previous/ToolA.exe",
                              ".ToolA_V1.previous/config.ini", "ToolA_V1/ToolA", "ToolA_V1/ToolA.exe",
                              "ToolA_V1/config.ini", "ToolA_V1/docs/说明.txt"}));
        QCOMPARE(files.value(QStringLiteral(".ToolA_V1.previous/ToolA.exe")), QByteArray("old program"));
        QCOMPARE(files.value(QStringLiteral("ToolA_V1/ToolA.exe")), QByteArray("new program"));
        QCOMPARE(files.value(QStringLiteral("ToolA_V1/config.ini")), QByteArray("user settings"));
        QVERIFY(QFileInfo(m_unzip + QStringLiteral("ToolA_V1/ToolA")).isExecutable());
        QVERIFY(QFile::exists(pkg)); // the caller deletes the package
    }

    void failedInstallLeavesTheOldToolAsItWas_data()
    {
        QTest::addColumn<QByteArray>("zip");
        QTest::addColumn<bool>("haveUnpacker");
        QTest::addColumn<bool>("diskFills"); // while the old files are carried over
        const QByteArray good = ZipBuilder().file("ToolA_V1/ToolA.exe", "new").bytes();
        QByteArray truncated = good.left(good.size() / 2);
        QTest::newRow("corrupt package") << truncated << true << false;
        QTest::newRow("not a zip") << QByteArray("<html>busy</html>") << true << false;
        QTest::newRow("escaping entry")
            << ZipBuilder().file("ToolA_V1/ok.exe", "x").file("../evil.exe", "x").bytes() << true << false;
        QTest::newRow("no unpacker") << good << false << false;
        QTest::newRow("disk full") << good << true << true;
        QTest::newRow("a name the service keeps for itself")
            << ZipBuilder().file("ToolA_V1/ToolA.exe", "new").file(".ToolA_V1.previous/x", "x").bytes()
            << true << false;
    }

    void failedInstallLeavesTheOldToolAsItWas()
    {
        QFETCH(QByteArray, zip);
        QFETCH(bool, haveUnpacker);
        QFETCH(bool, diskFills);
        installOldTool();
        writeFile(m_unzip + QStringLiteral(".ToolA_V1.previous/ToolA.exe"), "older program");
        writeFile(m_unzip + QStringLiteral("ToolA_V1/big.bin"), QByteArray(300000, 'b'));
        const auto before = snapshot(m_dir.path());
        const QString pkg = m_dir.filePath(QStringLiteral("ToolA_V1.2.zip"));
        writeFile(pkg, zip);
        PackageInstaller installer(haveUnpacker ? unpackerDir().toStdString()
                                                : m_dir.filePath("none").toStdString());
        if (!haveUnpacker)
            qputenv("PATH", "/nonexistent");
        int result = 0;
        {
            std::unique_ptr<servicetest::FileSizeLimit> limit;
            if (diskFills)
                limit = std::make_unique<servicetest::FileSizeLimit>(100000);
            result = installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString());
        }
        if (!haveUnpacker)
            qputenv("PATH", "/usr/bin:/bin");
        QCOMPARE(result, 400);
        QVERIFY(!installer.error().empty());
        auto after = snapshot(m_dir.path());
        QCOMPARE(after.take(QStringLiteral("ToolA_V1.2.zip")), zip);
        auto expected = before;
        expected.remove(QStringLiteral("ToolA_V1.2.zip"));
        QCOMPARE(after, expected);
        QCOMPARE(servicetest::entriesIn(m_unzip),
                 (QStringList{".ToolA_V1.previous", "ToolA_V1"})); // no work folder left
    }

    // Breaks the install at each of its steps in turn until one runs through:
    // every broken one must leave the folder exactly as it was.
    void failureAtAnyStepIsUndone()
    {
        installOldTool();
        writeFile(m_unzip + QStringLiteral(".ToolA_V1.previous/ToolA.exe"), "older program");
        writeFile(m_unzip + QStringLiteral("readme.txt"), "old readme");
        const QString pkg = package(ZipBuilder()
                                        .file("ToolA_V1/ToolA.exe", "new program")
                                        .file("readme.txt", "new readme")
                                        .file("Extra/data.bin", "extra"));
        const auto before = snapshot(m_unzip);
        const QStringList entriesBefore = servicetest::entriesIn(m_unzip);
        int failAt = 1;
        for (;; ++failAt) {
            int steps = 0;
            PackageInstaller installer(unpackerDir().toStdString());
            installer.setStepCheck([&] { return ++steps != failAt; });
            const int result = installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString());
            if (result == 200)
                break;
            QCOMPARE(result, 400);
            QCOMPARE(snapshot(m_unzip), before);
            QCOMPARE(servicetest::entriesIn(m_unzip), entriesBefore);
            QVERIFY(failAt < 20);
        }
        QVERIFY(failAt > 8); // three entries staged, built, placed; two kept as previous
        const auto after = snapshot(m_unzip);
        QCOMPARE(after.value(QStringLiteral("ToolA_V1/ToolA.exe")), QByteArray("new program"));
        QCOMPARE(after.value(QStringLiteral("ToolA_V1/config.ini")), QByteArray("user settings"));
        QCOMPARE(after.value(QStringLiteral(".ToolA_V1.previous/ToolA.exe")), QByteArray("old program"));
        QCOMPARE(after.value(QStringLiteral(".readme.txt.previous")), QByteArray("old readme"));
        QCOMPARE(after.value(QStringLiteral("Extra/data.bin")), QByteArray("extra"));
        QCOMPARE(servicetest::entriesIn(m_unzip), (QStringList{".readme.txt.previous", ".ToolA_V1.previous",
                                                               "Extra", "readme.txt", "ToolA_V1"}));
    }

    void materialIsNotCleaned()
    {
        const QString temp = m_dir.filePath(QStringLiteral("install/ToolsFileTemp/"));
        writeFile(temp + QStringLiteral("Material/helper.exe"), "kept");
        const QString pkg = m_dir.filePath(QStringLiteral("Material.zip"));
        writeFile(pkg, ZipBuilder().file("ToolsInfoList.xml", "<Tools/>").bytes());
        PackageInstaller installer(unpackerDir().toStdString());
        QCOMPARE(installer.install(pkg.toStdString(), "Material.zip", temp.toStdString()), 200);
        QCOMPARE(readFile(temp + QStringLiteral("Material/helper.exe")), QByteArray("kept"));
        QCOMPARE(readFile(temp + QStringLiteral("ToolsInfoList.xml")), QByteArray("<Tools/>"));
    }

    void linkInTheTargetIsReplacedNotFollowed()
    {
        const QString outside = m_dir.filePath(QStringLiteral("outside"));
        writeFile(outside + QStringLiteral("/victim.exe"), "not ours");
        QDir().mkpath(m_unzip);
        QVERIFY(QFile::link(outside, m_unzip + QStringLiteral("ToolA_V1")));
        const QString pkg = package(ZipBuilder().file("ToolA_V1/ToolA.exe", "new"));
        PackageInstaller installer(unpackerDir().toStdString());
        QCOMPARE(installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString()), 200);
        QCOMPARE(snapshot(outside).keys(), QStringList{"victim.exe"});
        QVERIFY(!QFileInfo(m_unzip + QStringLiteral("ToolA_V1")).isSymLink());
        QCOMPARE(readFile(m_unzip + QStringLiteral("ToolA_V1/ToolA.exe")), QByteArray("new"));
        QVERIFY(QFileInfo(m_unzip + QStringLiteral(".ToolA_V1.previous")).isSymLink());
    }

    void linksMustStayInsideTheStagedFolder_data()
    {
        QTest::addColumn<QString>("link"); // below the folder
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("inside");
        QTest::newRow("beside") << "a"
                                << "b" << true;
        QTest::newRow("up from a sub-folder") << "sub/a"
                                              << "../b" << true;
        QTest::newRow("down and up") << "a"
                                     << "sub/../b" << true;
        QTest::newRow("up and out") << "a"
                                    << "../.profile" << false;
        QTest::newRow("out through a detour") << "sub/a"
                                              << "x/../../../b" << false;
        QTest::newRow("absolute") << "a"
                                  << "/etc/passwd" << false;
    }

    void linksMustStayInsideTheStagedFolder()
    {
        QFETCH(QString, link);
        QFETCH(QString, target);
        QFETCH(bool, inside);
        const QString folder = m_dir.filePath(QStringLiteral("Gearloft"));
        QVERIFY(QDir().mkpath(QFileInfo(folder + QLatin1Char('/') + link).path()));
        QVERIFY(QFile::link(target, folder + QLatin1Char('/') + link));
        QCOMPARE(MainProgramStager::linksStayInside(folder.toStdString()), inside);
    }

    // The staging folder is copied when the home folder lies on another file
    // system, and marked complete only once the copy is whole.
    void stagingIsCopiedAcrossFileSystems()
    {
        QTemporaryDir other(QStringLiteral("/dev/shm/stagingtest-XXXXXX"));
        struct stat here, there;
        if (!other.isValid() || ::stat(QFile::encodeName(m_dir.path()).constData(), &here) != 0 ||
            ::stat("/dev/shm", &there) != 0 || here.st_dev == there.st_dev)
            QSKIP("no second file system (/dev/shm) to stage across");
        const QString home = m_dir.filePath(QStringLiteral("home"));
        writeFile(home + QStringLiteral("/Gearloft/old.txt"), "an earlier staging");
        QVERIFY(platform::writeStagingMarker(QString(home + QStringLiteral("/Gearloft")).toStdString(),
                                             platform::StagingState::Complete));
        const QString unpacked = other.filePath(QStringLiteral("unpacked"));
        writeFile(unpacked + QStringLiteral("/Gearloft/Gearloft"), "new client");
        writeFile(unpacked + QStringLiteral("/Gearloft/sub/lib.so"), "library");
        QVERIFY(QFile::link(QStringLiteral("sub/lib.so"), unpacked + QStringLiteral("/Gearloft/lib.so")));
        MainProgramStager stager(home.toStdString());
        QVERIFY2(stager.stage(unpacked.toStdString()), stager.error().c_str());
        const auto files = snapshot(home);
        QCOMPARE(files.keys(), (QStringList{"Gearloft/.haulmoor-staging", "Gearloft/Gearloft",
                                            "Gearloft/lib.so", "Gearloft/sub/lib.so"}));
        QVERIFY(QFileInfo(home + QStringLiteral("/Gearloft/lib.so")).isSymLink());
        QVERIFY(platform::isCompleteStaging(QString(home + QStringLiteral("/Gearloft")).toStdString()));
    }
};

QTEST_GUILESS_MAIN(TestPackageInstaller)
#include "tst_packageinstaller.moc"
