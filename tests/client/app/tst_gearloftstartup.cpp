// The installed client program started for real: what makes it refuse to
// start, and what a normal start leaves running and cleans up.
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "gearmartapplication.h"
#include "panelcraft/basedialog.h"

#include <QtTest>

#include <signal.h>

using clienttest::ClientInstallation;

namespace {

// Pids of processes running the given executable file.
QList<qint64> processesOf(const QString& program)
{
    QList<qint64> pids;
    const QString target = QFileInfo(program).canonicalFilePath();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (numeric && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == target)
            pids.append(pid);
    }
    return pids;
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

} // namespace

class TestGearloftStartup : public QObject
{
    Q_OBJECT

private slots:
    void refusesWithoutWhatItNeeds_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::newRow("no Setup.xml") << "nosetup";
        QTest::newRow("broken Setup.xml") << "brokensetup";
        QTest::newRow("no catalog") << "nocatalog";
        QTest::newRow("broken catalog") << "brokencatalog";
        QTest::newRow("no state list") << "nostates";
        QTest::newRow("default folder cannot be saved") << "nodownloadkey";
    }

    void refusesWithoutWhatItNeeds()
    {
        QFETCH(QString, breakage);
        ClientInstallation install;
        QVERIFY(install.copyPrograms({QStringLiteral("Gearloft"), QStringLiteral("Haulmoor")}));
        if (breakage == QStringLiteral("nodownloadkey"))
            install.writeSetup({{QStringLiteral("DownloadPath"), QStringLiteral("<absent>")}});
        else
            install.writeSetup({{QStringLiteral("DownloadPath"), QString()}});
        install.writeCatalog();
        install.writeStateList();
        if (breakage == QStringLiteral("nosetup"))
            QFile::remove(install.filePath(QStringLiteral("Setup.xml")));
        if (breakage == QStringLiteral("brokensetup")) {
            QFile file(install.filePath(QStringLiteral("Setup.xml")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<Setup><DownloadPath>");
        }
        if (breakage == QStringLiteral("nocatalog"))
            QFile::remove(install.filePath(QStringLiteral("ToolsFile/ToolsInfoList.xml")));
        if (breakage == QStringLiteral("brokencatalog")) {
            QFile file(install.filePath(QStringLiteral("ToolsFile/ToolsInfoList.xml")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<Tools><Tool>");
        }
        if (breakage == QStringLiteral("nostates"))
            QFile::remove(install.filePath(QStringLiteral("ToolsStateList.xml")));

        QProcess client;
        client.setProcessEnvironment(offscreen());
        client.start(install.filePath(QStringLiteral("Gearloft")), QStringList());
        QVERIFY(client.waitForFinished(15000));
        QCOMPARE(client.exitStatus(), QProcess::NormalExit);
        QCOMPARE(client.exitCode(), 255);
        QVERIFY(processesOf(install.filePath(QStringLiteral("Haulmoor"))).isEmpty());
    }

    void normalStartRunsTheServiceUntilTheClientIsGone_data()
    {
        QTest::addColumn<QString>("needUpdate");
        QTest::newRow("plain") << "0";
        QTest::newRow("update flagged but nothing staged") << "1";
    }

    void normalStartRunsTheServiceUntilTheClientIsGone()
    {
        QFETCH(QString, needUpdate);
        ClientInstallation install;
        QTemporaryDir home;
        QVERIFY(install.copyPrograms({QStringLiteral("Gearloft"), QStringLiteral("Haulmoor")}));
        install.writeSetup({{QStringLiteral("DownloadPath"), QString()}, {QStringLiteral("IsNeedUpdate"), needUpdate}});
        install.writeCatalog();
        install.writeStateList();

        QProcess client;
        QProcessEnvironment env = offscreen();
        env.insert(QStringLiteral("HOME"), home.path());
        client.setProcessEnvironment(env);
        client.start(install.filePath(QStringLiteral("Gearloft")), QStringList());
        QVERIFY(client.waitForStarted());
        const QString service = install.filePath(QStringLiteral("Haulmoor"));
        QTRY_COMPARE_WITH_TIMEOUT(processesOf(service).size(), 1, 15000);
        QCOMPARE(client.state(), QProcess::Running);

        // An empty download folder became the default beside the program.
        QFile setup(install.filePath(QStringLiteral("Setup.xml")));
        QVERIFY(setup.open(QIODevice::ReadOnly));
        const QByteArray expected = "<DownloadPath>\n<Value>" + install.path().toUtf8() + "/Download</Value>\n";
        QVERIFY2(setup.readAll().contains(expected), "the default download folder was not saved");

        // A client that dies without closing still takes the service along.
        ::kill(static_cast<pid_t>(client.processId()), SIGKILL);
        QVERIFY(client.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(processesOf(service).isEmpty(), 5000);
    }

    void firstRunAsksAboutUpdatePrompts_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("prompt");
        QTest::newRow("enable") << int(QDialog::Accepted) << 1;
        QTest::newRow("disable") << int(QDialog::Rejected) << 0;
    }

    void firstRunAsksAboutUpdatePrompts()
    {
        QFETCH(int, answer);
        QFETCH(int, prompt);
        ClientInstallation install;
        install.writeSetup({{QStringLiteral("IsFirstLoading"), QStringLiteral("1")},
                            {QStringLiteral("PromptUpgrade"), QStringLiteral("5")}});
        gearmart::ConfigManager::resetInstanceForTest();
        QVERIFY(gearmart::ConfigManager::instance()->load(install.filePath(QStringLiteral("Setup.xml"))));
        crestui::BaseDialog::setNextAnswerForTesting(answer);
        gearmart::GearmartApplication::askUpdatePromptOnFirstRun();
        QCOMPARE(crestui::BaseDialog::lastTitleForTesting(), QStringLiteral("Upgrade Detect"));
        QCOMPARE(gearmart::ConfigManager::instance()->promptUpgrade(), prompt);
        QCOMPARE(gearmart::ConfigManager::instance()->firstLoading(), 0);

        // Asked only once.
        crestui::BaseDialog::setNextAnswerForTesting(int(QDialog::Accepted));
        gearmart::GearmartApplication::askUpdatePromptOnFirstRun();
        QCOMPARE(gearmart::ConfigManager::instance()->promptUpgrade(), prompt);
        crestui::BaseDialog::clearAnswersForTesting();
    }
};

QTEST_MAIN(TestGearloftStartup)
#include "tst_gearloftstartup.moc"
