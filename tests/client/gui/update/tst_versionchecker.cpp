// The version rows and both self-updates driven by synthetic service
// answers, with short timer intervals: the row states, the material's
// silent download and the main program's download with its dialog.
#include "config/configmanager.h"
#include "config/installlayout.h"
#include "settings/systemconfigwidget.h"
#include "settingsfixture.h"
#include "tooldata/tooldatamanager.h"
#include "update/updateversiondialog.h"
#include "update/versionchecker.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gearmart;
using Rows = VersionChecker::Rows;
using Answer = QMap<int, QString>;

Q_DECLARE_METATYPE(Answer)

namespace {
constexpr int kRowsMs = 20;
constexpr int kPollMs = 10;

// The requests a checker sent, as "method:key" texts.
QStringList requests(const QSignalSpy& spy)
{
    QStringList sent;
    for (const QList<QVariant>& call : spy) {
        const auto keys = call.at(1).value<QVector<int>>();
        for (int key : keys)
            sent << QStringLiteral("%1:%2").arg(call.at(0).toInt()).arg(key);
    }
    return sent;
}
} // namespace

class TestVersionChecker : public QObject
{
    Q_OBJECT

    std::unique_ptr<settingstest::Installation> m_install;

    void load(const QMap<QString, QString>& setup = {}, bool managerNeedsUpdate = false)
    {
        m_install = std::make_unique<settingstest::Installation>(setup);
        QVERIFY(m_install->load());
        ToolDataManager::instance()->toolStates()[1].IsNeedUpdate = managerNeedsUpdate ? 1 : 0;
    }

    std::unique_ptr<VersionChecker> makeChecker()
    {
        auto checker = std::make_unique<VersionChecker>();
        checker->setIntervals(kRowsMs, kPollMs);
        checker->start();
        return checker;
    }

private slots:
    void init() { load(); }
    void cleanup() { m_install.reset(); }

    void rowsAtStart_data()
    {
        QTest::addColumn<bool>("needsUpdate");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<Rows>("rows");
        QTest::newRow("up to date") << false << "1" << Rows::Check;
        QTest::newRow("staged need, prompts on") << true << "1" << Rows::NewVersion;
        QTest::newRow("staged need, prompts off") << true << "0" << Rows::Check;
    }

    void rowsAtStart()
    {
        QFETCH(bool, needsUpdate);
        QFETCH(QString, prompt);
        QFETCH(Rows, rows);
        load({{"PromptUpgrade", prompt}}, needsUpdate);
        auto checker = makeChecker();
        QCOMPARE(checker->rows(), rows);
        QCOMPARE(checker->hasNewGearloft(), rows == Rows::NewVersion);
        QCOMPARE(checker->message(),
                 rows == Rows::NewVersion ? QStringLiteral("check new version!") : QString());
    }

    void usersCheck_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("newer") << Answer{{1, "1.1.0.6"}} << Rows::NewVersion << "check new version!";
        QTest::newRow("newer by a higher part")
            << Answer{{1, "1.2.0.0"}} << Rows::NewVersion << "check new version!";
        QTest::newRow("equal") << Answer{{1, "1.1.0.5"}} << Rows::Message << "There are no new version";
        QTest::newRow("older") << Answer{{1, "1.0.9.9"}} << Rows::Message << "There are no new version";
        QTest::newRow("not four parts") << Answer{{1, "1.2"}} << Rows::Message << "There are no new version";
        QTest::newRow("empty") << Answer{{1, ""}} << Rows::Message << "check failed";
        QTest::newRow("no key") << Answer{{-1, "1.1.0.9"}} << Rows::Checking << "checking...";
    }

    void usersCheck()
    {
        QFETCH(Answer, answer);
        QFETCH(Rows, rows);
        QFETCH(QString, message);
        load({{"PromptUpgrade", "0"}});
        auto checker = makeChecker();
        QSignalSpy sent(checker.get(), &VersionChecker::signalToServer);
        QSignalSpy gearloftNew(checker.get(), &VersionChecker::signalGearloftNew);

        checker->onCheckUpdate();
        QCOMPARE(checker->rows(), Rows::Checking);
        QCOMPARE(checker->message(), QStringLiteral("checking..."));
        QCOMPARE(requests(sent), QStringList{"7:1"});

        checker->onServerResponded(7, answer);
        QCOMPARE(checker->rows(), rows);
        QCOMPARE(checker->message(), message);
        if (rows == Rows::NewVersion) {
            // Asked by hand, so shown even with prompts off; the version is kept.
            QCOMPARE(ToolDataManager::instance()->managerVersion(), answer.value(1));
            QCOMPARE(gearloftNew.last().at(0).toBool(), true);
        }
        if (rows == Rows::Message)
            QTRY_COMPARE(checker->rows(), Rows::Check); // the message lasts a moment
    }

    void promptsOffStaySilentUntilTheUserAsks()
    {
        load({{"PromptUpgrade", "0"}});
        auto checker = makeChecker();
        QSignalSpy gearloftNew(checker.get(), &VersionChecker::signalGearloftNew);
        checker->onServerResponded(7, {{1, "1.1.0.6"}});
        QCOMPARE(checker->rows(), Rows::Check);
        QCOMPARE(gearloftNew.last().at(0).toBool(), false);
        checker->onCheckUpdate();
        checker->onServerResponded(7, {{1, "1.1.0.6"}});
        QCOMPARE(checker->rows(), Rows::NewVersion);
        // From now on every new-version display shows the update button.
        checker->onServerResponded(7, {{1, "1.1.0.7"}});
        QCOMPARE(checker->rows(), Rows::NewVersion);
        QCOMPARE(gearloftNew.last().at(0).toBool(), true);
    }

    void packagedInstallationNeverUpdatesItself()
    {
        load({}, true);
        QTemporaryDir installation;
        QFile mark(installation.filePath(QLatin1String(InstallLayout::kPackageMark)));
        QVERIFY(mark.open(QIODevice::WriteOnly));
        mark.close();
        VersionChecker checker;
        checker.setInstallDirectory(installation.path());
        QSignalSpy sent(&checker, &VersionChecker::signalToServer);
        checker.start();
        QCOMPARE(checker.rows(), Rows::Packaged);
        const QString says = checker.message();
        QVERIFY(says.contains(QLatin1String("package manager")));

        // Neither an answer nor the user's click brings the update back.
        checker.onServerResponded(7, {{1, "1.1.0.9"}});
        checker.onCheckUpdate();
        QVERIFY(!checker.onUpdate(0));
        QCOMPARE(checker.rows(), Rows::Packaged);
        QCOMPARE(checker.message(), says);
        QVERIFY(!checker.hasNewGearloft());
        QVERIFY(requests(sent).isEmpty());
        // The material still follows the cloud.
        checker.onServerResponded(6, {{0, "9.0.0.0"}});
        QCOMPARE(requests(sent), QStringList{"1:0"});
    }

    void newerMaterialDownloadsSilently()
    {
        auto checker = makeChecker();
        QSignalSpy sent(checker.get(), &VersionChecker::signalToServer);
        QSignalSpy haveNew(checker.get(), &VersionChecker::signalHaveNewMaterial);

        checker->onServerResponded(6, {{0, "1.0.0.1"}}); // what we have
        checker->onServerResponded(6, {{0, ""}});
        QVERIFY(sent.isEmpty());
        checker->onServerResponded(6, {{0, "1.0.0.2"}});
        QCOMPARE(requests(sent), QStringList{"1:0"});
        QCOMPARE(ToolDataManager::instance()->materialVersion(), QStringLiteral("1.0.0.2"));

        checker->onServerResponded(1, {{0, "0"}});
        QVERIFY(checker->isMaterialPolling());
        QTRY_VERIFY(requests(sent).count(QStringLiteral("4:0")) >= 2);
        checker->onServerResponded(4, {{0, "100"}}); // received, not yet unpacked
        QVERIFY(checker->isMaterialPolling());
        QCOMPARE(haveNew.size(), 0);
        checker->onServerResponded(4, {{0, "200"}});
        QVERIFY(!checker->isMaterialPolling());
        QCOMPARE(haveNew.size(), 1);
        QCOMPARE(ToolDataManager::instance()->materialCurrentVersion(), QStringLiteral("1.0.0.2"));
        checker->onServerResponded(4, {{0, "200"}}); // a late second answer
        QCOMPARE(haveNew.size(), 1);
        QCOMPARE(checker->rows(), Rows::Check); // no visible row all along
    }

    void materialDownloadEndings_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << 1 << Answer{{0, "130"}} << QString();
        QTest::newRow("no answer for the key") << 1 << Answer{{-1, "0"}} << "check failed";
        QTest::newRow("failed") << 4 << Answer{{0, "-1"}} << QString();
        QTest::newRow("not found") << 4 << Answer{{0, "404"}} << QString();
    }

    void materialDownloadEndings()
    {
        QFETCH(int, method);
        QFETCH(Answer, answer);
        QFETCH(QString, message);
        auto checker = makeChecker();
        QSignalSpy haveNew(checker.get(), &VersionChecker::signalHaveNewMaterial);
        checker->onServerResponded(6, {{0, "1.0.0.2"}});
        checker->onServerResponded(1, {{0, "0"}});
        checker->onServerResponded(method, answer);
        QVERIFY(!checker->isMaterialPolling());
        QCOMPARE(haveNew.size(), 0);
        QCOMPARE(checker->message(), message);
        QCOMPARE(ToolDataManager::instance()->materialCurrentVersion(), QStringLiteral("1.0.0.1"));
    }

    void materialFinishedDuringTheUsersCheckIsNotAnnounced()
    {
        auto checker = makeChecker();
        QSignalSpy haveNew(checker.get(), &VersionChecker::signalHaveNewMaterial);
        checker->onServerResponded(6, {{0, "1.0.0.2"}});
        checker->onServerResponded(1, {{0, "0"}});
        checker->onCheckUpdate();
        checker->onServerResponded(4, {{0, "200"}});
        QCOMPARE(haveNew.size(), 0);
        QCOMPARE(ToolDataManager::instance()->materialCurrentVersion(), QStringLiteral("1.0.0.2"));
    }

    void updateIsRefusedWhileToolsDownload()
    {
        auto checker = makeChecker();
        QSignalSpy sent(checker.get(), &VersionChecker::signalToServer);
        QSignalSpy started(checker.get(), &VersionChecker::signalStartUpdateManagerTool);
        QVERIFY(!checker->onUpdate(2));
        QVERIFY(sent.isEmpty());
        QCOMPARE(started.size(), 0);
        QVERIFY(checker->onUpdate(0));
        QCOMPARE(requests(sent), QStringList{"2:1"});
        QCOMPARE(started.size(), 1);
    }

    void managerProgress_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("reported"); // -1: failed
        QTest::addColumn<bool>("polling");
        QTest::newRow("start") << "0" << 0 << true;
        QTest::newRow("halfway") << "50" << 50 << true;
        QTest::newRow("95") << "95" << 95 << true;
        QTest::newRow("96 one lower") << "96" << 95 << true;
        QTest::newRow("100 one lower") << "100" << 99 << true;
        QTest::newRow("unpacked") << "200" << 100 << false;
        QTest::newRow("failed") << "-1" << -1 << false;
        QTest::newRow("bad package") << "400" << -1 << false;
        QTest::newRow("not a number") << "abc" << -1 << false;
    }

    void managerProgress()
    {
        QFETCH(QString, value);
        QFETCH(int, reported);
        QFETCH(bool, polling);
        auto checker = makeChecker();
        QSignalSpy sent(checker.get(), &VersionChecker::signalToServer);
        QSignalSpy progress(checker.get(), &VersionChecker::signalSetUpdateProgress);
        QSignalSpy failed(checker.get(), &VersionChecker::signalUpdateFailed);
        checker->onUpdate(0);
        checker->onServerResponded(2, {{1, "0"}});
        QVERIFY(checker->isManagerPolling());
        QTRY_VERIFY(requests(sent).contains(QStringLiteral("4:1")));

        checker->onServerResponded(4, {{1, value}});
        QCOMPARE(checker->isManagerPolling(), polling);
        if (reported < 0) {
            QCOMPARE(failed.size(), 1);
            QVERIFY(progress.isEmpty());
        } else {
            QCOMPARE(failed.size(), 0);
            QCOMPARE(progress.size(), 1);
            QCOMPARE(progress.at(0).at(0).toInt(), reported);
        }
    }

    void refusedManagerDownloadFails()
    {
        auto checker = makeChecker();
        QSignalSpy failed(checker.get(), &VersionChecker::signalUpdateFailed);
        checker->onUpdate(0);
        checker->onServerResponded(2, {{1, "120"}});
        QCOMPARE(failed.size(), 1);
        QVERIFY(!checker->isManagerPolling());
    }

    void cancelStopsPollingAndIgnoresLateAnswers()
    {
        auto checker = makeChecker();
        QSignalSpy sent(checker.get(), &VersionChecker::signalToServer);
        QSignalSpy failed(checker.get(), &VersionChecker::signalUpdateFailed);
        checker->onUpdate(0);
        checker->onServerResponded(2, {{1, "0"}});
        checker->onUpdateCancel();
        QVERIFY(!checker->isManagerPolling());
        QCOMPARE(requests(sent).last(), QStringLiteral("5:1"));
        checker->onServerResponded(4, {{1, "-1"}}); // the poll that was under way
        QCOMPARE(failed.size(), 0);
    }

    void completedUpdateAsksForARestartUntilItHappens()
    {
        load({{"PromptUpgrade", "1"}}, true);
        auto checker = makeChecker();
        QCOMPARE(checker->rows(), Rows::NewVersion);
        checker->onUpdateCompleted();
        QCOMPARE(checker->rows(), Rows::Updated);
        QCOMPARE(checker->message(), QStringLiteral("Version have updated, please restart software"));
        QVERIFY(!checker->hasNewGearloft());
        checker->onServerResponded(7, {{1, "1.1.0.9"}});
        checker->onServerResponded(7, {{1, ""}});
        QTest::qWait(3 * kRowsMs);
        QCOMPARE(checker->rows(), Rows::Updated);
    }

    void pageShowsTheRows()
    {
        load({{"PromptUpgrade", "1"}});
        SystemConfigWidget page;
        page.versionChecker()->setIntervals(kRowsMs, kPollMs);
        auto* newVersion = page.findChild<QLabel*>(QStringLiteral("newVersionLabel"));
        auto* update = page.findChild<QPushButton*>(QStringLiteral("updateBtn"));
        auto* check = page.findChild<QPushButton*>(QStringLiteral("checkUpdateBtn"));
        auto shown = [&] {
            return QStringList{newVersion->isHidden() ? "" : newVersion->text(),
                               update->isHidden() ? "" : "update", check->isHidden() ? "" : "check"};
        };
        QCOMPARE(shown(), (QStringList{"", "", "check"}));
        QSignalSpy sent(&page, &SystemConfigWidget::signalToServer);
        check->click();
        QCOMPARE(shown(), (QStringList{"checking...", "", ""}));
        page.onServerResponded(7, {{1, "1.1.0.6"}});
        QCOMPARE(shown(), (QStringList{"check new version!", "update", ""}));

        // While a tool downloads the update is refused on the page's tip line.
        page.onDownloadingCount(1);
        update->click();
        QCOMPARE(requests(sent), QStringList{"7:1"});
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("tipTextLabel"))->text(),
                 QStringLiteral("Cannot update Gearloft while downloading."));
        page.onDownloadingCount(0);
        QSignalSpy started(&page, &SystemConfigWidget::signalStartUpdateManagerTool);
        update->click();
        QCOMPARE(started.size(), 1);
        page.onGearloftUpdated();
        QCOMPARE(shown(), (QStringList{"Version have updated, please restart software", "", ""}));
    }

    void retryRefusedWhileDownloadingUncoversTheWindow()
    {
        SystemConfigWidget page;
        QSignalSpy cover(&page, &SystemConfigWidget::signalCover);
        QSignalSpy started(&page, &SystemConfigWidget::signalStartUpdateManagerTool);
        page.onDownloadingCount(1);
        TipDialog::setNextAnswerForTesting(1);
        page.onReUpdate();
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Cannot update Gearloft while downloading."));
        QCOMPARE(cover.size(), 2);
        QCOMPARE(cover.last().at(0).toBool(), false);
        QCOMPARE(started.size(), 0);
        page.onDownloadingCount(0);
        page.onReUpdate();
        QCOMPARE(started.size(), 1);
        TipDialog::resetForTesting();
    }

    void progressDialogCompletesOnlyAtOneHundred()
    {
        UpdateVersionDialog dialog;
        QSignalSpy completed(&dialog, &UpdateVersionDialog::signalUpdateCompleted);
        QSignalSpy cancelled(&dialog, &UpdateVersionDialog::signalUpdateCancel);
        dialog.show();
        dialog.setProgress(99);
        QCOMPARE(completed.size(), 0);
        QVERIFY(dialog.isVisible());
        dialog.setProgress(100);
        QCOMPARE(completed.size(), 1);
        QVERIFY(!dialog.isVisible());

        dialog.reset();
        QCOMPARE(dialog.progress(), 0);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape); // the keyboard cancels too
        QCOMPARE(cancelled.size(), 1);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestVersionChecker)
#include "tst_versionchecker.moc"
