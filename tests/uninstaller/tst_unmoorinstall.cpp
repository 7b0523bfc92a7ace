// What cmake --install puts down for the uninstaller: the program, its
// AppConfig.xml with this release's version, Quillkit's resource file and
// both translations.
#include "core/appconfig.h"

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
};

QTEST_GUILESS_MAIN(TestUnmoorInstall)
#include "tst_unmoorinstall.moc"
