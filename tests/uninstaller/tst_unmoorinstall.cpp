// What cmake --install puts down for the uninstaller: the program, its
// AppConfig.xml with this release's version, Quillkit's resource file, both
// translations, and the manifest of every installed file.
#include "core/appconfig.h"
#include "installmanifest/installmanifest.h"

#include <QTranslator>
#include <QtTest>

class TestUnmoorInstall : public QObject
{
    Q_OBJECT

private slots:
    void installationHoldsTheUninstaller()
    {
        const QString stage = QStringLiteral(GEARLOFT_STAGE_DIR);
        QVERIFY(QFileInfo(stage + QStringLiteral("/Unmoor")).isExecutable());
        QVERIFY(QFileInfo(stage + QStringLiteral("/rcc/guiresource.rcc")).size() > 0);

        const appinstaller::AppConfig config(stage + QStringLiteral("/AppConfig.xml"));
        QVERIFY(!config.guid().isEmpty());
        QCOMPARE(config.version(), QStringLiteral(GEARLOFT_VERSION));
        QCOMPARE(config.programName(), QStringLiteral("Gearloft"));
        QCOMPARE(config.softwareNameEN(), QStringLiteral("Gearloft"));

        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral("unmoor_zh.qm"), stage + QStringLiteral("/translations")));
        QCOMPARE(chinese.translate("QObject", "Uninstalled"), QStringLiteral("卸载完成"));
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("unmoor_en.qm"), stage + QStringLiteral("/translations")));
        QCOMPARE(english.translate("UnInstallCompletedUI", "Completed"), QStringLiteral("Finish"));
    }

    void manifestListsEveryInstalledFile()
    {
        using installmanifest::InstallManifest;
        const QString stage = QStringLiteral(GEARLOFT_STAGE_DIR);
        InstallManifest staged;
        QVERIFY2(staged.read(stage), qPrintable(staged.errorString()));
        for (const char* file : {"Gearloft", "Unmoor", "AppConfig.xml", "Swapover/Swapover",
                                 "translations/unmoor_zh.qm", "ToolsStateList.xml"})
            QVERIFY2(staged.entries().contains(QLatin1String(file)), file);

        // A package build into a fresh folder, over the manifest of an older
        // release: the list is exactly what lies there, the older release's
        // file that is still there included, its gone one not.
        QTemporaryDir destdir;
        const QString prefix = destdir.path() + QStringLiteral("/opt/gearloft");
        QVERIFY(QDir().mkpath(prefix));
        QFile old(InstallManifest::filePath(prefix));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("gearloft-manifest 1\nold-tool\nremoved-long-ago\n");
        old.close();
        QFile oldTool(prefix + QStringLiteral("/old-tool"));
        QVERIFY(oldTool.open(QIODevice::WriteOnly));
        oldTool.close();
        QProcess install;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), destdir.path());
        install.setProcessEnvironment(environment);
        install.start(QStringLiteral(GEARLOFT_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(GEARLOFT_BINARY_DIR),
                       QStringLiteral("--prefix"), QStringLiteral("/opt/gearloft")});
        QVERIFY(install.waitForFinished(120000));
        QCOMPARE(install.exitCode(), 0);

        InstallManifest packaged;
        QVERIFY2(packaged.read(prefix), qPrintable(packaged.errorString()));
        QStringList present;
        QDirIterator it(prefix, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            if (!it.fileInfo().isDir() || it.fileInfo().isSymLink())
                present << QDir(prefix).relativeFilePath(it.filePath());
        }
        present.removeOne(QLatin1String(InstallManifest::kFileName));
        QStringList sorted = present;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
        QCOMPARE(packaged.entries(), sorted);
        QVERIFY(packaged.entries().contains(QStringLiteral("old-tool")));
    }
};

QTEST_GUILESS_MAIN(TestUnmoorInstall)
#include "tst_unmoorinstall.moc"
