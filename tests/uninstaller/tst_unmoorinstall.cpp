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
        const QString stage = QStringLiteral(GEARLOFT_STAGE_DIR);
        installmanifest::InstallManifest manifest;
        QVERIFY2(manifest.read(stage), qPrintable(manifest.errorString()));
        const QStringList entries = manifest.entries();
        // Sorted as written, byte-wise.
        QStringList sorted = entries;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
        QCOMPARE(entries, sorted);

        // What CMake itself recorded for this install, the manifest aside:
        // the rule ran after every subdirectory's rules.
        QFile record(QStringLiteral(GEARLOFT_BINARY_DIR "/install_manifest.txt"));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QStringList installed;
        const QDir top(stage);
        for (const QByteArray& line : record.readAll().split('\n')) {
            const QString relative = top.relativeFilePath(QString::fromUtf8(line));
            if (!line.isEmpty() && relative != QLatin1String(installmanifest::InstallManifest::kFileName))
                installed << relative;
        }
        installed.sort();
        QStringList listed = entries;
        listed.sort();
        QCOMPARE(listed, installed);
        for (const char* file : {"Gearloft", "Unmoor", "AppConfig.xml", "Swapover/Swapover",
                                 "translations/unmoor_zh.qm", "ToolsStateList.xml"})
            QVERIFY2(entries.contains(QLatin1String(file)), file);
        for (const QString& entry : entries) {
            const QFileInfo info(stage + QLatin1Char('/') + entry);
            QVERIFY2(info.isSymLink() || info.isFile(), qPrintable(entry));
        }
    }
};

QTEST_GUILESS_MAIN(TestUnmoorInstall)
#include "tst_unmoorinstall.moc"
