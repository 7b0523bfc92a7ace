// The settings and help pop-ups apart from the folder move: switches and the
// language saved to Setup.xml, the skipped updates and their undo, the manual
// and the licences handed to the desktop, hiding, keyboard use and
// accessible names.
#include "config/configmanager.h"
#include "installed/installedtools.h"
#include "panelcraft/basedialog.h"
#include "panelcraft/cmiddleswitchbox.h"
#include "panelcraft/tipdialogwithbuttom.h"
#include "settings/helpwidget.h"
#include "settings/systemconfigwidget.h"
#include "settingsfixture.h"
#include "urlrecorder.h"
#include "widgets/tipdialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gearmart;

class TestSettingsPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<settingstest::Installation> m_install;
    UrlRecorder m_viewer;

    void load(const QMap<QString, QString>& setup = {})
    {
        m_install = std::make_unique<settingstest::Installation>(setup);
        QVERIFY(m_install->load());
    }

    QByteArray savedValue(const char* key) const
    {
        const QList<QByteArray> lines = settingstest::read(m_install->setupFile()).split('\n');
        for (int i = 0; i + 1 < lines.size(); ++i) {
            if (lines.at(i) == "<" + QByteArray(key) + ">")
                return QByteArray(lines.at(i + 1)).replace("<Value>", "").replace("</Value>", "");
        }
        return "<absent>";
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        crestui::BaseDialog::clearAnswersForTesting();
        m_viewer.urls.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_viewer, "open");
        load();
    }

    void cleanup()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        m_install.reset();
    }

    void fillsFromTheConfiguration_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("transfer");
        QTest::addColumn<QString>("translator");
        QTest::newRow("all off, English") << "0"
                                          << "<absent>"
                                          << "0";
        QTest::newRow("all on, Chinese") << "1"
                                         << "1"
                                         << "1";
    }

    void fillsFromTheConfiguration()
    {
        QFETCH(QString, prompt);
        QFETCH(QString, transfer);
        QFETCH(QString, translator);
        load({{"PromptUpgrade", prompt}, {"TransferMode", transfer}, {"Translator", translator}});
        SystemConfigWidget page;
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("pathTextLabel"))->text(), m_install->downloadPath());
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("versionTextLabel"))->text(),
                 QStringLiteral("V1.1.0.5"));
        QCOMPARE(
            page.findChild<QLabel*>(QStringLiteral("tipTextLabel"))->text(),
            QStringLiteral(
                "Change path Please close open tools and all had download tools will move to new path."));
        QVERIFY(page.findChild<QCheckBox*>(QStringLiteral("closeSoftwareCheckBox"))->isHidden());
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("waitingLabel"))->isHidden());
        QCOMPARE(page.findChild<crestui::CMiddleSwitchBox*>(QStringLiteral("upgradePromptSwitch"))->state(),
                 prompt == QLatin1String("1") ? 2 : 0);
        QCOMPARE(page.findChild<crestui::CMiddleSwitchBox*>(QStringLiteral("transferModeSwitch"))->state(),
                 transfer == QLatin1String("1") ? 2 : 0);
        // The manual is English only.
        QCOMPARE(page.findChild<QFrame*>(QStringLiteral("userMannulFrame"))->isHidden(),
                 translator == QLatin1String("1"));
        // Showing the saved values wrote nothing.
        QCOMPARE(savedValue("PromptUpgrade"), prompt.toUtf8());
    }

    void switchesSaveTheirSetting_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("upgrade prompt") << "upgradePromptSwitch" << QByteArray("PromptUpgrade");
        QTest::newRow("transfer mode") << "transferModeSwitch" << QByteArray("TransferMode");
    }

    void switchesSaveTheirSetting()
    {
        QFETCH(QString, object);
        QFETCH(QByteArray, key);
        SystemConfigWidget page;
        page.show();
        auto* toggle = page.findChild<crestui::CMiddleSwitchBox*>(object);
        QVERIFY(toggle);
        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_Space); // the keyboard works the switch
        QCOMPARE(toggle->state(), 2);
        QCOMPARE(savedValue(key.constData()), QByteArray("1"));
        toggle->click();
        QCOMPARE(toggle->state(), 0);
        QCOMPARE(savedValue(key.constData()), QByteArray("0"));
    }

    // Saved for the next start, and said so; the keyboard works the choice.
    void languageIsSavedForTheNextStart()
    {
        SystemConfigWidget page;
        page.show();
        auto* language = page.findChild<QComboBox*>(QStringLiteral("languageBox"));
        QCOMPARE(language->currentText(), QStringLiteral("English"));
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("languageTextLabel"))->text().contains("next start"));
        language->setFocus();
        QTest::keyClick(language, Qt::Key_Down);
        QCOMPARE(savedValue("Translator"), QByteArray("1"));
        // Nothing changes before that start.
        QCOMPARE(ConfigManager::instance()->language(), 1u);
        QCOMPARE(ToolDataManager::instance()->language(), 0);
        QTest::keyClick(language, Qt::Key_Up);
        QCOMPARE(savedValue("Translator"), QByteArray("0"));

        QVERIFY(QFile::remove(m_install->setupFile()));
        QTest::keyClick(language, Qt::Key_Down);
        QCOMPARE(language->currentIndex(), 0);
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("tipTextLabel"))->text(),
                 QStringLiteral("save fail."));
    }

    void skippedUpdatesAreListedAndUndone()
    {
        QVERIFY(m_install->downloadTools());
        ToolDataManager* data = ToolDataManager::instance();
        for (int key : {2, 3}) {
            data->toolStates()[key].IsNeedUpdate = 1;
            QVERIFY(InstalledTools::instance()->skipUpdate(key));
        }
        SystemConfigWidget page;
        page.show();
        QCOMPARE(page.findChildren<QPushButton*>(QStringLiteral("undoSkipBtn")).size(), 2);
        QPushButton* undo = page.findChild<QPushButton*>(QStringLiteral("undoSkipBtn"));
        QCOMPARE(undo->accessibleName(), QStringLiteral("Offer the update of Tool2 to V1.0.0.2 again"));
        // Every line shows, not a slit of the first.
        auto* area = page.findChild<QWidget*>(QStringLiteral("skippedArea"));
        QVERIFY(area->height() >= 2 * undo->height());
        undo->setFocus();
        QTest::keyClick(undo, Qt::Key_Space);
        QVERIFY(data->updateOffered(2));
        QCOMPARE(InstalledTools::instance()->skippedTools(), QVector<int>{3});
        QCOMPARE(page.findChildren<QPushButton*>(QStringLiteral("undoSkipBtn")).size(), 1);
        // The keyboard stays in the list.
        QCOMPARE(page.focusWidget(), page.findChild<QPushButton*>(QStringLiteral("undoSkipBtn")));

        QVERIFY(area->height() >= undo->height());
        // A skip made elsewhere shows at once.
        QVERIFY(InstalledTools::instance()->undoSkip(3));
        QVERIFY(page.findChildren<QPushButton*>(QStringLiteral("undoSkipBtn")).isEmpty());
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("noSkippedLabel")));
    }

    void failedSaveShowsAndPutsTheControlBack()
    {
        SystemConfigWidget page;
        QVERIFY(QFile::remove(m_install->setupFile()));
        auto* prompt = page.findChild<crestui::CMiddleSwitchBox*>(QStringLiteral("upgradePromptSwitch"));
        prompt->click();
        QCOMPARE(prompt->state(), 0);
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("tipTextLabel"))->text(),
                 QStringLiteral("save fail."));
        auto* close = page.findChild<QCheckBox*>(QStringLiteral("closeSoftwareCheckBox"));
        close->setChecked(true);
        QVERIFY(!close->isChecked());
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("tipLabel"))
                    ->styleSheet()
                    .contains(QStringLiteral("ic_fauls")));
    }

    void closeOpenToolsOptionIsSaved()
    {
        SystemConfigWidget page;
        auto* close = page.findChild<QCheckBox*>(QStringLiteral("closeSoftwareCheckBox"));
        close->setChecked(true);
        QCOMPARE(savedValue("IsCloseOpenTools"), QByteArray("1"));
        QCOMPARE(ConfigManager::instance()->closeOpenToolsFlag(), 1);
    }

    void manualIsHandedToTheDesktop_data()
    {
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tip"); // empty: opened without a message
        QTest::newRow("settings: found") << false << "User Manual.PDF" << QString();
        QTest::newRow("settings: lower-case suffix") << false << "User Manual.pdf"
                                                     << "No user manual found.";
        QTest::newRow("settings: missing") << false << QString() << "No user manual found.";
        QTest::newRow("settings: a folder") << false << "User Manual.PDF/"
                                            << "No user manual found.";
        QTest::newRow("help: found") << true << "help.pdf" << QString();
        QTest::newRow("help: upper-case suffix") << true << "help.PDF"
                                                 << "No user manual found.";
    }

    void manualIsHandedToTheDesktop()
    {
        QFETCH(bool, help);
        QFETCH(QString, file);
        QFETCH(QString, tip);
        QTemporaryDir appDir;
        if (file.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(appDir.filePath(file)));
        else if (!file.isEmpty())
            QVERIFY(settingstest::writeFile(appDir.filePath(file), "%PDF-1.4"));
        SystemConfigWidget page;
        HelpWidget helpPopup;
        page.setApplicationDirectory(appDir.path());
        helpPopup.setApplicationDirectory(appDir.path());
        QSignalSpy pageCover(&page, &SystemConfigWidget::signalCover);
        QSignalSpy helpCover(&helpPopup, &HelpWidget::signalCover);
        TipDialog::setNextAnswerForTesting(1);

        if (help)
            helpPopup.findChild<QPushButton*>(QStringLiteral("manualButton"))->click();
        else
            page.findChild<QPushButton*>(QStringLiteral("openUserManualBtn"))->click();

        if (tip.isEmpty()) {
            QCOMPARE(m_viewer.urls, QList<QUrl>{QUrl::fromLocalFile(appDir.filePath(file))});
            QCOMPARE(TipDialog::requestCountForTesting(), 0);
        } else {
            QVERIFY(m_viewer.urls.isEmpty());
            QCOMPARE(TipDialog::requestCountForTesting(), 1);
            QCOMPARE(TipDialog::lastRequestForTesting().text, tip);
            QVERIFY(!TipDialog::lastRequestForTesting().showCancel);
            // Covered around the message, uncovered after.
            QSignalSpy& cover = help ? helpCover : pageCover;
            QCOMPARE(cover.size(), 2);
            QCOMPARE(cover.at(0).at(0).toBool(), true);
            QCOMPARE(cover.at(1).at(0).toBool(), false);
        }
    }

    void viewerRefusingTheManualIsReported()
    {
        // Without a handler the headless platform opens nothing.
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QTemporaryDir appDir;
        QVERIFY(settingstest::writeFile(appDir.filePath(QStringLiteral("User Manual.PDF")), "%PDF"));
        SystemConfigWidget page;
        page.setApplicationDirectory(appDir.path());
        TipDialog::setNextAnswerForTesting(1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("openDocument|openUrl")));
        page.onManualButtonClicked();
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("Open User's Manual fail."));
    }

    void licencesFolderIsOpened()
    {
        QTemporaryDir appDir;
        const QString folder = appDir.filePath(QStringLiteral("Open Source Software Licenses"));
        SystemConfigWidget page;
        HelpWidget help;
        page.setApplicationDirectory(appDir.path());
        help.setApplicationDirectory(appDir.path());

        // Missing: the page says so in a tip, the help pop-up in a warning box.
        TipDialog::setNextAnswerForTesting(1);
        page.findChild<QPushButton*>(QStringLiteral("seeAboutBtn"))->click();
        QCOMPARE(TipDialog::lastRequestForTesting().text,
                 QStringLiteral("Open Open Source Software Licenses file directory failed."));
        crestui::BaseDialog::setNextAnswerForTesting(1);
        help.findChild<QPushButton*>(QStringLiteral("licenseButon"))->click();
        QCOMPARE(crestui::TipDialogWithButtom::lastWarningForTesting().text,
                 QStringLiteral("Open Open Source Software Licenses file directory failed."));
        QCOMPARE(crestui::TipDialogWithButtom::lastWarningForTesting().iconPath,
                 QStringLiteral(":/Gearmart/Image/Gearmatt/hint.png"));
        QVERIFY(m_viewer.urls.isEmpty());

        QVERIFY(QDir().mkpath(folder));
        page.onOpenLicense();
        help.onLicenseButtonClicked();
        QCOMPARE(m_viewer.urls, (QList<QUrl>{QUrl::fromLocalFile(folder), QUrl::fromLocalFile(folder)}));
        QCOMPARE(TipDialog::requestCountForTesting(), 1);
    }

    void helpSendsTheLogFolderAndTheDiagnostics()
    {
        QTemporaryDir appDir;
        QVERIFY(settingstest::writeFile(appDir.filePath(QStringLiteral("Setup.xml")),
                                        "<Setup><ChServerAddress><Value>http://ann:pw@cloud/cn</Value>"
                                        "</ChServerAddress></Setup>"));
        // The report shows the settings file in use.
        QVERIFY(ConfigManager::instance()->load(appDir.filePath(QStringLiteral("Setup.xml"))));
        const QString logs = appDir.filePath(QStringLiteral("logs"));
        HelpWidget help;
        help.setApplicationDirectory(appDir.path());
        help.setLogFolder(logs);

        // Not there yet: said in a tip, nothing opened.
        TipDialog::setNextAnswerForTesting(1);
        help.findChild<QPushButton*>(QStringLiteral("logFolderButton"))->click();
        QCOMPARE(TipDialog::lastRequestForTesting().text, QStringLiteral("The log folder cannot be opened."));
        QVERIFY(m_viewer.urls.isEmpty());
        QVERIFY(QDir().mkpath(logs));
        help.findChild<QPushButton*>(QStringLiteral("logFolderButton"))->click();
        QCOMPARE(m_viewer.urls, QList<QUrl>{QUrl::fromLocalFile(logs)});

        help.findChild<QPushButton*>(QStringLiteral("diagnosticsButton"))->click();
        const QString report = QGuiApplication::clipboard()->text();
        QVERIFY2(report.contains(QLatin1String("http://(removed)@cloud/cn")), qPrintable(report));
        QVERIFY(!report.contains(QLatin1String("ann:pw")));
        QVERIFY(report.contains(QLatin1String("Installation: ") + appDir.path()));
    }

    void popupsHideWhenLeftOrOnEscape()
    {
        SystemConfigWidget page;
        HelpWidget help;
        for (QWidget* popup : {static_cast<QWidget*>(&page), static_cast<QWidget*>(&help)}) {
            popup->show();
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(popup, &deactivate);
            QVERIFY(!popup->isVisible());
            popup->show();
            QTest::keyClick(popup, Qt::Key_Escape);
            QVERIFY(!popup->isVisible());
        }
    }

    void everyControlHasAnAccessibleName()
    {
        SystemConfigWidget page;
        HelpWidget help;
        QStringList unnamed;
        for (QWidget* popup : {static_cast<QWidget*>(&page), static_cast<QWidget*>(&help)}) {
            for (QAbstractButton* button : popup->findChildren<QAbstractButton*>()) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
                if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty() ||
                    iface->text(QAccessible::Name) == QLatin1String("Switch"))
                    unnamed << button->objectName();
            }
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        QCOMPARE(QAccessible::queryAccessibleInterface(
                     page.findChild<QWidget*>(QStringLiteral("transferModeSwitch")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Fast Transfers:"));
    }
};

QTEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
