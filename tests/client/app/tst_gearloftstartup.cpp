// The installed client program started for real: damaged files never stop
// it, and what a normal start leaves running and cleans up.
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "panelcraft/basedialog.h"
#include "shell/gearmartapplication.h"

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
    void keepsRunningOnDamagedFiles_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("notice");
        QTest::newRow("broken Setup.xml") << "brokensetup"
                                          << "The settings were missing or damaged and have been reset.";
        QTest::newRow("catalog 1,000,000 levels deep")
            << "deepcatalog"
            << "The tool list was damaged; the installed one was restored.";
        QTest::newRow("catalog of 20,000 tools")
            << "widecatalog"
            << "The tool list was damaged; the installed one was restored.";
        QTest::newRow("default folder cannot be saved")
            << "nodownloadkey"
            << "The download folder could not be saved; choose one in the settings.";
    }

    void keepsRunningOnDamagedFiles()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, notice);
        ClientInstallation install;
        QVERIFY(install.copyPrograms({QStringLiteral("Gearloft"), QStringLiteral("Haulmoor")}));
        install.writeSetup({{QStringLiteral("DownloadPath"), QString()}});
        install.writeCatalog();
        install.writeDefaults();
        if (breakage == QStringLiteral("nodownloadkey"))
            install.writeSetup({{QStringLiteral("DownloadPath"), QStringLiteral("<absent>")}});
        install.writeStateList();
        auto overwrite = [&install](const char* name, const QByteArray& data) {
            QDir().mkpath(QFileInfo(install.filePath(QLatin1String(name))).path());
            QFile file(install.filePath(QLatin1String(name)));
            return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
        };
        if (breakage == QStringLiteral("brokensetup"))
            QVERIFY(overwrite("Setup.xml", "<Setup><DownloadPath>"));
        if (breakage == QStringLiteral("deepcatalog"))
            QVERIFY(overwrite("ToolsFile/ToolsInfoList.xml",
                              QByteArray("<a>").repeated(1000000) + QByteArray("</a>").repeated(1000000)));
        if (breakage == QStringLiteral("widecatalog"))
            QVERIFY(overwrite("ToolsFile/ToolsInfoList.xml",
                              "<Tools>" +
                                  QByteArray("<Tool><ToolKey>7</ToolKey><BriefENIntro>" +
                                             QByteArray(1000, 'x') + "</BriefENIntro></Tool>\n")
                                      .repeated(20000) +
                                  "</Tools>"));

        QProcess client;
        client.setProcessEnvironment(offscreen());
        client.start(install.filePath(QStringLiteral("Gearloft")), QStringList());
        QVERIFY(client.waitForStarted());
        QByteArray log;
        const QByteArray expected = "start-up notice: " + notice.toUtf8();
        QTRY_VERIFY_WITH_TIMEOUT((log += client.readAllStandardError()).contains(expected), 15000);
        QVERIFY(log.contains("main window shown"));
        QCOMPARE(client.state(), QProcess::Running);
        client.terminate();
        QVERIFY(client.waitForFinished(5000));
        // Other programs named Gearloft on this machine would keep it alive.
        for (const qint64 pid : processesOf(install.filePath(QStringLiteral("Haulmoor"))))
            ::kill(static_cast<pid_t>(pid), SIGTERM);
    }

    void normalStartRunsTheServiceUntilTheClientIsGone_data()
    {
        QTest::addColumn<QString>("needUpdate");
        QTest::addColumn<bool>("ownFolder"); // the user's own ~/Gearloft, not staged by the service
        QTest::newRow("plain") << "0" << false;
        QTest::newRow("update flagged but nothing staged") << "1" << false;
        QTest::newRow("update flagged, the user's own folder in its place") << "1" << true;
    }

    void normalStartRunsTheServiceUntilTheClientIsGone()
    {
        QFETCH(QString, needUpdate);
        QFETCH(bool, ownFolder);
        ClientInstallation install;
        QTemporaryDir home;
        const QString notes = home.filePath(QStringLiteral("Gearloft/notes.txt"));
        if (ownFolder) {
            QVERIFY(QDir().mkpath(QFileInfo(notes).path()));
            QFile file(notes);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
        }
        QVERIFY(install.copyPrograms({QStringLiteral("Gearloft"), QStringLiteral("Haulmoor")}));
        install.writeSetup(
            {{QStringLiteral("DownloadPath"), QString()}, {QStringLiteral("IsNeedUpdate"), needUpdate}});
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
        const QByteArray expected =
            "<DownloadPath>\n<Value>" + install.path().toUtf8() + "/Download</Value>\n";
        const QByteArray settings = setup.readAll();
        QVERIFY2(settings.contains(expected), "the default download folder was not saved");
        // No hand-over to the copier, the folder untouched, the flag cleared.
        QVERIFY(settings.contains("<IsNeedUpdate>\n<Value>0</Value>"));
        QCOMPARE(QFileInfo::exists(notes), ownFolder);

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
