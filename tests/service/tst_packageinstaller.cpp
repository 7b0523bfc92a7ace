// Putting a received package into place with the real unpacker: the staged
// unpack, the old-file cleanup and what a failure leaves behind.
#include "packageinstaller.h"
#include "zipbuilder.h"

#include <QtTest>

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
        QTest::newRow("up to the first dot") << "D:/Apps/SubTools/" << "ToolA_V1.2.zip" << "D:/Apps/SubTools/ToolA_V1";
        QTest::newRow("no dot: the unzip folder") << "/a/SubTools/" << "ToolA" << "/a/SubTools/ToolA";
        QTest::newRow("dot first") << "/a/SubTools/" << ".zip" << "/a/SubTools/";
    }

    void toolFolder()
    {
        QFETCH(QString, unzipDir);
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        QCOMPARE(QString::fromStdString(PackageInstaller::toolFolder(unzipDir.toStdString(), fileName.toStdString())),
                 folder);
    }

    void cleanupTakesProgramFilesOnly()
    {
        const QString tool = m_dir.filePath(QStringLiteral("Tool"));
        writeFile(tool + QStringLiteral("/a.dll"), "x");
        writeFile(tool + QStringLiteral("/b.EXE"), "x");
        writeFile(tool + QStringLiteral("/keep.txt"), "x");
        writeFile(tool + QStringLiteral("/plugins.dll/inner.dll"), "x");
        writeFile(tool + QStringLiteral("/plugins.dll/inner.txt"), "x");
        writeFile(tool + QStringLiteral("/sub/deep.dll"), "x");
        writeFile(tool + QStringLiteral("/Tool"), "x");
        PackageInstaller::removeOldProgramFiles(tool.toStdString());
        QCOMPARE(snapshot(tool).keys(), (QStringList{"Tool", "keep.txt", "plugins.dll/inner.txt", "sub/deep.dll"}));
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
        QCOMPARE(files.keys(), (QStringList{"ToolA_V1/ToolA", "ToolA_V1/ToolA.exe", "ToolA_V1/config.ini",
                                             "ToolA_V1/docs/说明.txt"}));
        QCOMPARE(files.value(QStringLiteral("ToolA_V1/ToolA.exe")), QByteArray("new program"));
        QCOMPARE(files.value(QStringLiteral("ToolA_V1/config.ini")), QByteArray("user settings"));
        QVERIFY(QFileInfo(m_unzip + QStringLiteral("ToolA_V1/ToolA")).isExecutable());
        QVERIFY(QFile::exists(pkg)); // the caller deletes the package
    }

    void failedUnpackLeavesTheOldToolAsItWas_data()
    {
        QTest::addColumn<QByteArray>("zip");
        QTest::addColumn<bool>("haveUnpacker");
        const QByteArray good = ZipBuilder().file("ToolA_V1/ToolA.exe", "new").bytes();
        QByteArray truncated = good.left(good.size() / 2);
        QTest::newRow("corrupt package") << truncated << true;
        QTest::newRow("not a zip") << QByteArray("<html>busy</html>") << true;
        QTest::newRow("escaping entry") << ZipBuilder().file("ToolA_V1/ok.exe", "x").file("../evil.exe", "x").bytes()
                                        << true;
        QTest::newRow("no unpacker") << good << false;
    }

    void failedUnpackLeavesTheOldToolAsItWas()
    {
        QFETCH(QByteArray, zip);
        QFETCH(bool, haveUnpacker);
        installOldTool();
        const auto before = snapshot(m_dir.path());
        const QString pkg = m_dir.filePath(QStringLiteral("ToolA_V1.2.zip"));
        writeFile(pkg, zip);
        PackageInstaller installer(haveUnpacker ? unpackerDir().toStdString() : m_dir.filePath("none").toStdString());
        if (!haveUnpacker)
            qputenv("PATH", "/nonexistent");
        const int result = installer.install(pkg.toStdString(), "ToolA_V1.2.zip", m_unzip.toStdString());
        if (!haveUnpacker)
            qputenv("PATH", "/usr/bin:/bin");
        QCOMPARE(result, 400);
        auto after = snapshot(m_dir.path());
        QCOMPARE(after.take(QStringLiteral("ToolA_V1.2.zip")), zip);
        auto expected = before;
        expected.remove(QStringLiteral("ToolA_V1.2.zip"));
        QCOMPARE(after, expected);
        QCOMPARE(QDir(m_unzip).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"ToolA_V1"}); // no staging folder left
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
    }
};

QTEST_GUILESS_MAIN(TestPackageInstaller)
#include "tst_packageinstaller.moc"
