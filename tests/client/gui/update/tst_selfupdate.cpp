// The client's own update from end to end, with the real main window, its
// service and a file host: the settings pop-up finds the newer program,
// downloads it with the progress dialog, and the program is staged in the
// home folder where the next start hands it to the copier.
#include "clientinstallation.h"
#include "config/configmanager.h"
#include "packageserver.h"
#include "panelcraft/coverwidget.h"
#include "platform/systeminfo.h"
#include "settings/systemconfigwidget.h"
#include "shell/gearmart.h"
#include "shell/windowtitlewidget.h"
#include "tooldata/tooldatamanager.h"
#include "update/updateversiondialog.h"
#include "update/versionchecker.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

using namespace gearmart;

namespace {

constexpr int kLongWait = 30000;

bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The new program as the publisher zips it: a "Gearloft" folder.
QByteArray makePackage(const QByteArray& program, const QByteArray& payload)
{
    QTemporaryDir stage;
    if (!writeFile(stage.filePath(QStringLiteral("Gearloft/Gearloft")), program) ||
        !writeFile(stage.filePath(QStringLiteral("Gearloft/data/payload.bin")), payload))
        return {};
    QProcess zip;
    zip.setWorkingDirectory(stage.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-qr"), QStringLiteral("package.zip"), QStringLiteral("Gearloft")});
    if (!zip.waitForFinished() || zip.exitCode() != 0)
        return {};
    return read(stage.filePath(QStringLiteral("package.zip")));
}

} // namespace

class TestSelfUpdate : public QObject
{
    Q_OBJECT

private slots:
    void newerProgramIsDownloadedAndStaged()
    {
        TipDialog::resetForTesting();
        // The service stages the program in the user's home folder: a private one here.
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        auto restoreHome = qScopeGuard([&realHome] { qputenv("HOME", realHome); });

        fixtures::PackageServer cloud;
        QVERIFY(cloud.start());
        QByteArray payload(2 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator(11).fillRange(reinterpret_cast<quint32*>(payload.data()), payload.size() / 4);
        const QByteArray program = "#!/bin/sh\necho new Gearloft\n";
        const QByteArray package = makePackage(program, payload);
        QVERIFY(!package.isEmpty());
        const QString index = QStringLiteral("/en/4200/tool/windows/gearloft/package.json");
        cloud.addFile(index, R"({"app":[{"version":"1.1.0.4"},{"version":"1.1.0.6"}]})");
        // Package addresses are the endpoint + "/" + a path that starts with
        // "/"; web servers merge the slashes, this host takes them as they come.
        const QString base = QStringLiteral("/en//4200/tool/windows/gearloft/");
        cloud.addFile(base + QStringLiteral("v1.1.0.6/standard/en/Gearloft.zip"), package);
        cloud.addFile(base + QStringLiteral("v1.1.0.6/standard/en/Gearloft.json"),
                      "{\"package_size\":" + QByteArray::number(package.size()) + "}");
        // Slow enough to see progress below 100 before the end.
        cloud.setFault(base + QStringLiteral("v1.1.0.6/standard/en/Gearloft.zip"),
                       fixtures::Fault::rate(1024 * 1024));

        clienttest::ClientInstallation install;
        install.writeSetup({{"EnServerAddress", cloud.url(QStringLiteral("/en"))}, {"PromptUpgrade", "0"}});
        install.writeCatalog(1);
        install.writeStateList();
        QVERIFY(install.loadSingletons());
        ToolDataManager::instance()->setClientVersion(QStringLiteral("1.1.0.5"));
        QVERIFY(install.startStandIn());

        Gearmart window;
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(window.serviceProcess()->state(), QProcess::Running, 10000);
        SystemConfigWidget* settings = window.titleBar()->settingsPopup();
        VersionChecker* checker = settings->versionChecker();
        checker->setIntervals(2000, 100);

        // The pop-up opens under its button, and its check finds 1.1.0.6.
        QPushButton* settingsButton = window.titleBar()->settingsButton();
        QVERIFY(settingsButton->isEnabled());
        settingsButton->click();
        QVERIFY(settings->isVisible());
        const QPoint corner = settingsButton->mapToGlobal(QPoint(0, 0));
        QCOMPARE(settings->x() + settings->width(), corner.x() + settingsButton->width());
        QCOMPARE(settings->y(), corner.y() + settingsButton->height() + 4);
        settings->findChild<QPushButton*>(QStringLiteral("checkUpdateBtn"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(checker->rows(), VersionChecker::Rows::NewVersion, kLongWait);
        QCOMPARE(ToolDataManager::instance()->managerVersion(), QStringLiteral("1.1.0.6"));
        QVERIFY(!window.titleBar()->findChild<QLabel*>(QStringLiteral("m_pNewGearloft"))->isHidden());

        // Update: the dialog follows the download and completes at the end.
        QList<int> progress;
        connect(checker, &VersionChecker::signalSetUpdateProgress, this,
                [&progress](int value) { progress << value; });
        TipDialog::setNextAnswerForTesting(0); // "Restart Later"
        // The start-up's material check counts as a request in flight until answered.
        QTRY_COMPARE_WITH_TIMEOUT(settings->downloadingCount(), 0, kLongWait);
        settings->findChild<QPushButton*>(QStringLiteral("updateBtn"))->click();
        QVERIFY(window.updateDialog()->isVisible());
        // The dialog says what is fetched.
        QCOMPARE(window.updateDialog()->findChild<QLabel*>(QStringLiteral("label"))->text(),
                 QStringLiteral("Updating V1.1.0.5 to V1.1.0.6"));
        QVERIFY(window.cover()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(checker->rows(), VersionChecker::Rows::Updated, kLongWait);
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Upgrade completed, restart software?"));
        QVERIFY(!window.updateDialog()->isVisible());
        QVERIFY(!window.cover()->isVisible());
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last(), 100);
        QVERIFY2(std::any_of(progress.cbegin(), progress.cend(),
                             [](int value) { return value > 0 && value < 100; }),
                 qPrintable(QString::number(progress.size())));
        QCOMPARE(progress.count(100), 1);

        // Staged where the next start looks for it, and flagged for the copier.
        const QString staged = platform::homeFolder() + QStringLiteral("/Gearloft");
        QCOMPARE(staged, home.filePath(QStringLiteral("Gearloft")));
        QCOMPARE(read(staged + QStringLiteral("/Gearloft")), program);
        QCOMPARE(read(staged + QStringLiteral("/data/payload.bin")), payload);
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("Gearloft.zip"))));
        QCOMPARE(ConfigManager::instance()->needUpdateFlag(), 1);
        QVERIFY(read(install.filePath(QStringLiteral("Setup.xml")))
                    .contains("<IsNeedUpdate>\n<Value>1</Value>\n"));
        QCOMPARE(ToolDataManager::instance()->toolStates().value(1).IsNeedUpdate, 0);
        QVERIFY(window.titleBar()->findChild<QLabel*>(QStringLiteral("m_pNewGearloft"))->isHidden());
        QCOMPARE(TipDialog::requestCountForTesting(), 1);

        // F1 anywhere in the window asks the help pop-up for the manual;
        // none ships beside this test.
        QTest::keyClick(settings, Qt::Key_Escape);
        QVERIFY(!settings->isVisible());
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TipDialog::setNextAnswerForTesting(1);
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(TipDialog::requestCountForTesting(), 2);
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("No user manual found."));
        TipDialog::resetForTesting();
        window.serviceProcess()->disconnect(&window);
    }
};

QTEST_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
