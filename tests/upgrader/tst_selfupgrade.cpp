// Swapover's sequence in-process, with the process list replaced by a probe:
// the wait and its pause, the copy script and what happens around it, the
// paths that skip the copy.
#include "config/configmanager.h"
#include "installmanifest/installmanifest.h"
#include "selfupgrade.h"
#include "upgradetestsupport.h"

#include <QElapsedTimer>
#include <QtTest>

using swapover::SelfUpgrade;
using namespace upgradetest;

namespace {

QStringList g_log;

void collect(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_log.append(message);
}

int countContaining(const QString& text)
{
    int count = 0;
    for (const QString& line : qAsConst(g_log))
        count += line.contains(text) ? 1 : 0;
    return count;
}

const QString kRealScript = QStringLiteral(GEARLOFT_SOURCE_DIR "/upgrader/copyfiles.sh");

} // namespace

class TestSelfUpgrade : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir* m_root = nullptr;
    QString m_install;
    QString m_home;
    QString m_staging;

    QString setupPath() const { return m_install + QStringLiteral("/Setup.xml"); }

private slots:
    void init()
    {
        gearmart::ConfigManager::resetInstanceForTest();
        g_log.clear();
        qInstallMessageHandler(collect);
        m_root = new QTemporaryDir;
        QVERIFY(m_root->isValid());
        m_install = m_root->filePath(QStringLiteral("安装 目录"));
        m_home = m_root->filePath(QStringLiteral("home dir"));
        m_staging = m_home + QStringLiteral("/Gearloft");
        QVERIFY(QDir().mkpath(m_install));
        QVERIFY(writeFile(setupPath(), setupXml(QStringLiteral("1"))));
        writeInstalledFiles(m_install);
        writeStagedTree(m_staging);
        QVERIFY(QFile::copy(kRealScript, m_install + QStringLiteral("/copyfiles.sh")));
    }

    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        delete m_root;
        m_root = nullptr;
        gearmart::ConfigManager::resetInstanceForTest();
    }

    void pollsWithAPauseUntilTheProgramHasEnded()
    {
        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        QStringList probed;
        int pauses = 0;
        upgrade.setProcessProbe([&](const QString& name) {
            probed.append(name);
            return probed.size() <= 3;
        });
        upgrade.setPause([&] {
            // The copy must not have begun while the program still runs.
            QVERIFY(QFileInfo::exists(m_staging));
            QCOMPARE(readFile(setupPath()), setupXml(QStringLiteral("1")));
            ++pauses;
        });
        QList<SelfUpgrade::Stage> stages;
        upgrade.setStageSink([&](SelfUpgrade::Stage stage) { stages.append(stage); });
        QMap<QString, QByteArray> staged = filesUnder(m_staging);
        QVERIFY(staged.remove(kStagingMarker) == 1);

        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::Copied);

        // What the notice shows, in order.
        QCOMPARE(stages, (QList<SelfUpgrade::Stage>{SelfUpgrade::Stage::Waiting, SelfUpgrade::Stage::Applying,
                                                    SelfUpgrade::Stage::Applied}));
        QCOMPARE(probed, QStringList(QVector<QString>(4, QStringLiteral("Gearloft")).toList()));
        QCOMPARE(pauses, 3);
        QCOMPARE(countContaining(QStringLiteral(" is running")), 3);
        QVERIFY(g_log.contains(QStringLiteral(
            "------------------m_qstrMainApp------------------m_qstrMainApp------------------- "
            "Gearloft close")));
        QVERIFY(g_log.contains(QStringLiteral(
            "------------------copy------------------m_qstrMainApp------------------- finished")));

        for (auto it = staged.cbegin(); it != staged.cend(); ++it)
            QCOMPARE(readFile(m_install + QLatin1Char('/') + it.key()), it.value());
        QVERIFY(QFileInfo(m_install + QStringLiteral("/empty folder")).isDir());
        QVERIFY(!QFileInfo::exists(m_install + QLatin1Char('/') + kStagingMarker));
        QCOMPARE(readFile(m_install + QStringLiteral("/keep me.txt")), QByteArray("not part of the upgrade"));
        // Byte for byte the store's layout, only the one value changed.
        QCOMPARE(readFile(setupPath()), setupXml(QStringLiteral("0")));
        QCOMPARE(gearmart::ConfigManager::instance()->needUpdateFlag(), 0);
        QVERIFY(!QFileInfo::exists(m_staging));
        QVERIFY(QFileInfo(m_home).isDir());
    }

    // The installation's list of files learns the new ones, whatever the
    // package says about it.
    void newFilesJoinTheManifest()
    {
        installmanifest::InstallManifest manifest;
        QVERIFY(manifest.add({QStringLiteral("Gearloft"), QStringLiteral("plugins/libLacquer.so")}));
        QVERIFY(manifest.write(m_install));
        QVERIFY(writeFile(m_staging + QStringLiteral("/.gearloft-manifest"),
                          "gearloft-manifest 1\nkeep me.txt\n"));

        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setProcessProbe([](const QString&) { return false; });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::Copied);

        QVERIFY(manifest.read(m_install));
        const QStringList entries = manifest.entries();
        QVERIFY(entries.contains(QStringLiteral("Gearloft")));
        QVERIFY(entries.contains(QStringLiteral("新 文件夹/深 层/-n")));
        QVERIFY(!entries.contains(QStringLiteral("keep me.txt"))); // the package's own list was not taken
        QVERIFY(!entries.contains(QStringLiteral(".gearloft-manifest")));
        QVERIFY(!entries.contains(kStagingMarker));
    }

    // A link where a folder of the new version belongs is never written
    // through, and the copy fails as a whole: what was already copied is
    // undone, so the old version stays whole and the user is told.
    void aFailedCopyLeavesTheOldVersionWhole()
    {
        installmanifest::InstallManifest manifest;
        QVERIFY(manifest.add({QStringLiteral("Gearloft"), QStringLiteral("plugins/libLacquer.so")}));
        QVERIFY(manifest.write(m_install));
        const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QFile::link(elsewhere, m_install + QStringLiteral("/translations")));
        const QMap<QString, QByteArray> installed = filesUnder(m_install);

        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setProcessProbe([](const QString&) { return false; });
        QList<SelfUpgrade::Stage> stages;
        upgrade.setStageSink([&](SelfUpgrade::Stage stage) { stages.append(stage); });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::ScriptFailed);
        QCOMPARE(stages.value(stages.size() - 1), SelfUpgrade::Stage::Failed);

        QVERIFY(QDir(elsewhere).isEmpty());
        QCOMPARE(readFile(m_install + QStringLiteral("/plugins/libLacquer.so")), QByteArray("old style plugin"));
        QMap<QString, QByteArray> after = filesUnder(m_install);
        QCOMPARE(after.take(QStringLiteral("Setup.xml")), setupXml(QStringLiteral("0")));
        auto expected = installed;
        expected.remove(QStringLiteral("Setup.xml"));
        QCOMPARE(after, expected);
        QVERIFY(QFileInfo::exists(m_staging));
    }

    void defaultPauseKeepsTheWaitFromSpinning()
    {
        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setPollInterval(100);
        QElapsedTimer clock;
        clock.start();
        int polls = 0;
        upgrade.setProcessProbe([&](const QString&) {
            ++polls;
            return clock.elapsed() < 500;
        });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::Copied);
        QVERIFY2(polls >= 2 && polls <= 8, qPrintable(QString::number(polls)));
    }

    // The fault of the original: the staging folder must outlive the script.
    void stagingFolderOutlivesASlowScript()
    {
        // Slower than one wait slice; at its end it checks the staging
        // folder is still there and copies as the real script does.
        QVERIFY(writeFile(m_install + QStringLiteral("/copyfiles.sh"),
                          "sleep 1\n"
                          "[ -d \"$1\" ] && echo present > \"$2/staging seen at the end\"\n"
                          "exec sh \"" +
                              kRealScript.toUtf8() + "\" \"$1\" \"$2\"\n"));
        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setProcessProbe([](const QString&) { return false; });
        upgrade.setScriptWaitSlice(100);
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::Copied);
        QVERIFY(countContaining(QStringLiteral("still running")) >= 2);
        QCOMPARE(readFile(m_install + QStringLiteral("/staging seen at the end")), QByteArray("present\n"));
        QCOMPARE(readFile(setupPath()), setupXml(QStringLiteral("0")));
        QVERIFY(!QFileInfo::exists(m_staging));
    }

    void failedCopyKeepsTheStagingFolder_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("logged");
        QTest::newRow("script fails") << QByteArray("echo 'disk full' >&2\nexit 3\n") << "exit 3";
        QTest::newRow("no script") << QByteArray() << "copyfiles.sh exit 2";
        QTest::newRow("script killed") << QByteArray("kill -KILL $$\n") << "crashed";
    }

    void failedCopyKeepsTheStagingFolder()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, logged);
        const QString scriptPath = m_install + QStringLiteral("/copyfiles.sh");
        QFile::remove(scriptPath);
        if (!script.isEmpty())
            QVERIFY(writeFile(scriptPath, script));
        const QMap<QString, QByteArray> staged = filesUnder(m_staging);

        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setProcessProbe([](const QString&) { return false; });
        QList<SelfUpgrade::Stage> stages;
        upgrade.setStageSink([&](SelfUpgrade::Stage stage) { stages.append(stage); });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::ScriptFailed);
        // The user is told that the update did not happen.
        QCOMPARE(stages.value(stages.size() - 1), SelfUpgrade::Stage::Failed);

        QCOMPARE(filesUnder(m_staging), staged);
        QVERIFY(countContaining(logged) >= 1);
        QVERIFY(countContaining(QStringLiteral("staging folder kept")) == 1);
        // Cleared all the same: the client must not hand over again and again.
        QCOMPARE(readFile(setupPath()), setupXml(QStringLiteral("0")));
        if (script.startsWith("echo"))
            QVERIFY(countContaining(QStringLiteral("disk full")) == 1);
    }

    void onlyACompleteStagingIsCopied_data()
    {
        QTest::addColumn<QString>("staging");
        QTest::addColumn<QString>("logged");
        QTest::newRow("no mark") << "unmarked"
                                 << "no staging folder made by the service";
        QTest::newRow("incomplete") << "incomplete"
                                    << "staging folder incomplete";
        QTest::newRow("mark is a link") << "marklink"
                                        << "no staging folder made by the service";
        QTest::newRow("staging folder is a link") << "folderlink"
                                                  << "no staging folder made by the service";
    }

    void onlyACompleteStagingIsCopied()
    {
        QFETCH(QString, staging);
        QFETCH(QString, logged);
        const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere"));
        writeStagingMarker(elsewhere);
        if (staging == QLatin1String("unmarked")) {
            QVERIFY(QFile::remove(m_staging + QLatin1Char('/') + kStagingMarker));
        } else if (staging == QLatin1String("incomplete")) {
            writeStagingMarker(m_staging, "incomplete\n12345\n");
        } else if (staging == QLatin1String("marklink")) {
            QVERIFY(QFile::remove(m_staging + QLatin1Char('/') + kStagingMarker));
            QVERIFY(QFile::link(elsewhere + QLatin1Char('/') + kStagingMarker,
                                m_staging + QLatin1Char('/') + kStagingMarker));
        } else {
            QVERIFY(QDir(m_staging).removeRecursively());
            QVERIFY(QFile::link(elsewhere, m_staging));
        }
        const QMap<QString, QByteArray> installed = filesUnder(m_install);
        const QMap<QString, QByteArray> staged = filesUnder(m_staging);

        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        upgrade.setProcessProbe([](const QString&) { return false; });
        QList<SelfUpgrade::Stage> stages;
        upgrade.setStageSink([&](SelfUpgrade::Stage stage) { stages.append(stage); });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::NotStaged);
        QCOMPARE(stages, (QList<SelfUpgrade::Stage>{SelfUpgrade::Stage::Waiting, SelfUpgrade::Stage::Failed}));

        QCOMPARE(countContaining(logged), 1);
        QCOMPARE(filesUnder(m_staging), staged);
        QVERIFY(QFileInfo::exists(elsewhere + QLatin1Char('/') + kStagingMarker));
        auto after = filesUnder(m_install);
        QCOMPARE(after.take(QStringLiteral("Setup.xml")), setupXml(QStringLiteral("0")));
        auto expected = installed;
        expected.remove(QStringLiteral("Setup.xml"));
        QCOMPARE(after, expected);
    }

    void noSetupMeansNoCopy()
    {
        QVERIFY(QFile::remove(setupPath()));
        const QMap<QString, QByteArray> staged = filesUnder(m_staging);
        SelfUpgrade upgrade(m_install, m_home, QStringLiteral("Gearloft"));
        bool probed = false;
        upgrade.setProcessProbe([&](const QString&) { return probed = true, false; });
        QVERIFY(!upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::NotLoaded);
        QVERIFY(!probed);
        QCOMPARE(filesUnder(m_staging), staged);
        QVERIFY(g_log.contains(QStringLiteral(
            "-------------------tracer7--------------m_pConfigManager->load------------- false")));
        QVERIFY(!QFileInfo::exists(setupPath()));
    }

    void namesThatAreNoProgramCopyNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("logged");
        QTest::newRow("empty") << QString() << " empty";
        QTest::newRow("dot") << "."
                             << " not a program name";
        QTest::newRow("parent") << ".."
                                << " not a program name";
        QTest::newRow("path") << "../Gearloft"
                              << " not a program name";
    }

    void namesThatAreNoProgramCopyNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, logged);
        const QMap<QString, QByteArray> homeBefore = filesUnder(m_home);
        SelfUpgrade upgrade(m_install, m_home, name);
        bool probed = false;
        upgrade.setProcessProbe([&](const QString&) { return probed = true, false; });
        QVERIFY(upgrade.loadConfig());
        QCOMPARE(upgrade.copy(), SelfUpgrade::CopyOutcome::NoProgram);
        QVERIFY(!probed);
        QVERIFY(countContaining(logged) == 1);
        QCOMPARE(filesUnder(m_home), homeBefore);
        QCOMPARE(readFile(setupPath()), setupXml(QStringLiteral("1")));
        QVERIFY(!upgrade.restart());
        QVERIFY(
            g_log.contains(QStringLiteral("-------------tracer7---------------  ToolApplication::exitApp  "
                                          "main project start fail")));
        QVERIFY(g_log.last().endsWith(QStringLiteral(" start")));
    }
};

QTEST_GUILESS_MAIN(TestSelfUpgrade)
#include "tst_selfupgrade.moc"
