// The base dialog and the warning box run modally and are answered by real
// clicks and keys from inside their event loop, and through the test seam.
#include "modaldriver.h"
#include "panelcraft/basedialog.h"
#include "panelcraft/tipdialogwithbuttom.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using crestui::BaseDialog;
using crestui::TipDialogWithButtom;

class TestPanelcraftDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { BaseDialog::clearAnswersForTesting(); }

    void baseDialogEndings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("confirm") << "confirm" << int(QDialog::Accepted);
        QTest::newRow("cancel") << "cancel" << int(QDialog::Rejected);
        QTest::newRow("close button") << "close" << int(QDialog::Rejected);
        QTest::newRow("escape") << "escape" << int(QDialog::Rejected);
        QTest::newRow("enter on confirm") << "enter" << int(QDialog::Accepted);
    }

    void baseDialogEndings()
    {
        QFETCH(QString, how);
        QFETCH(int, expected);
        BaseDialog dialog;
        dialog.setTitle(QStringLiteral("Upgrade Detect"));
        dialog.setConfirmButtonText(QStringLiteral("Enable"));
        dialog.setCancelButtonText(QStringLiteral("Disable"));
        auto* label = new QLabel(QStringLiteral("content"), dialog.getSetupUiWidget());
        bool sawContent = false;
        whenModalShown([&](QDialog* shown) {
            sawContent = shown == &dialog && label->isVisible() && dialog.getConfirmButtom()->isVisible() &&
                         dialog.getCancelButtom()->isVisible();
            if (how == QLatin1String("confirm")) {
                QTest::mouseClick(dialog.getConfirmButtom(), Qt::LeftButton);
            } else if (how == QLatin1String("cancel")) {
                QTest::mouseClick(dialog.getCancelButtom(), Qt::LeftButton);
            } else if (how == QLatin1String("close")) {
                QTest::mouseClick(dialog.getCloseButtom(), Qt::LeftButton);
            } else if (how == QLatin1String("escape")) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else {
                QTest::keyClick(&dialog, Qt::Key_Return);
            }
        });
        QCOMPARE(dialog.exec(), expected);
        QVERIFY(sawContent);
        QCOMPARE(dialog.getConfirmButtom()->text(), QStringLiteral("Enable"));
        QCOMPARE(dialog.title(), QStringLiteral("Upgrade Detect"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Upgrade Detect"));
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!dialog.testAttribute(Qt::WA_QuitOnClose));
    }

    void disabledDefaultsLeaveTheDialogOpen()
    {
        BaseDialog dialog;
        dialog.setEnableDefaultConnections(false, true, true, false, false);
        int validations = 0;
        connect(dialog.getConfirmButtom(), &QPushButton::clicked, [&validations] { ++validations; });
        bool stillOpen = false;
        whenModalShown([&](QDialog*) {
            QTest::mouseClick(dialog.getConfirmButtom(), Qt::LeftButton);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Return);
            stillOpen = dialog.isVisible();
            QTest::mouseClick(dialog.getCancelButtom(), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(stillOpen);
        QCOMPARE(validations, 1);
    }

    void flagsChooseWhatShows()
    {
        BaseDialog dialog(false, false, true, false, false, false, false);
        QVERIFY(!dialog.getSetupUiWidget()->isHidden());
        QVERIFY(!dialog.getConfirmButtom()->isHidden());
        QVERIFY(dialog.getCancelButtom()->isHidden());
        QVERIFY(dialog.getCloseButtom()->isHidden());
        QVERIFY(!dialog.isModal());
        QVERIFY(!dialog.testAttribute(Qt::WA_TranslucentBackground));
        BaseDialog full;
        QVERIFY(full.isModal());
        QVERIFY(!full.getCloseButtom()->isHidden());
        QCOMPARE(full.getCloseButtom()->accessibleName(), QStringLiteral("Close"));
    }

    void titleBarDragMovesOnlyAMovableDialog_data()
    {
        QTest::addColumn<bool>("movable");
        QTest::newRow("movable") << true;
        QTest::newRow("fixed") << false;
    }

    void titleBarDragMovesOnlyAMovableDialog()
    {
        QFETCH(bool, movable);
        BaseDialog dialog(true, true, true, true, movable, true, false);
        dialog.resize(300, 200);
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget* titleBar = dialog.findChild<QWidget*>(QStringLiteral("titleBar"));
        QVERIFY(titleBar);
        const QPoint start = dialog.pos();
        const QPoint local(50, 20);
        const QPoint global = titleBar->mapToGlobal(local);
        auto send = [&](QEvent::Type type, QPoint offset, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, local + offset, global + offset, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(titleBar, &event);
        };
        send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, {30, 15}, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, {30, 15}, Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(dialog.pos(), movable ? start + QPoint(30, 15) : start);
    }

    void nextAnswerSkipsTheDialog()
    {
        BaseDialog::setNextAnswerForTesting(QDialog::Accepted);
        BaseDialog::setNextAnswerForTesting(QDialog::Rejected);
        BaseDialog first;
        first.setTitle(QStringLiteral("first"));
        QSignalSpy accepted(&first, &QDialog::accepted);
        QCOMPARE(first.exec(), int(QDialog::Accepted));
        QCOMPARE(accepted.count(), 1);
        QVERIFY(!first.isVisible());
        QCOMPARE(BaseDialog::lastTitleForTesting(), QStringLiteral("first"));

        // The queue is shared by subclasses: the warning box takes the next one.
        QCOMPARE(TipDialogWithButtom::showWarnMessageInfo(QStringLiteral("t"), QStringLiteral("x")), 0);

        // Empty queue: a real dialog again.
        BaseDialog real;
        whenModalShown([](QDialog* shown) { shown->accept(); });
        QCOMPARE(real.exec(), int(QDialog::Accepted));
    }

    void warningBoxHasOneButton_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << "ok" << 1;
        QTest::newRow("close button") << "close" << 0;
        QTest::newRow("escape") << "escape" << 0;
    }

    void warningBoxHasOneButton()
    {
        QFETCH(QString, how);
        QFETCH(int, expected);
        QWidget parent;
        bool looksRight = false;
        whenModalShown([&](QDialog* shown) {
            auto* box = qobject_cast<TipDialogWithButtom*>(shown);
            if (!box) {
                shown->reject();
                return;
            }
            looksRight = box->parentWidget() == &parent && box->title() == QLatin1String("Licenses") &&
                         box->textLabel()->text() == QLatin1String("Open failed.") &&
                         box->getConfirmButtom()->isVisible() && !box->getCancelButtom()->isVisible() &&
                         box->focusWidget() == box->getConfirmButtom() &&
                         !box->iconLabel()->pixmap(Qt::ReturnByValue).isNull();
            if (how == QLatin1String("ok")) {
                QTest::mouseClick(box->getConfirmButtom(), Qt::LeftButton);
            } else if (how == QLatin1String("close")) {
                QTest::mouseClick(box->getCloseButtom(), Qt::LeftButton);
            } else {
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        const int result = TipDialogWithButtom::showWarnMessageInfo(QStringLiteral("Licenses"),
                                                                    QStringLiteral("Open failed."), &parent,
                                                                    QStringLiteral(":/missing/hint.png"));
        QCOMPARE(result, expected);
        QVERIFY(looksRight);
        QVERIFY(parent.findChildren<TipDialogWithButtom*>().isEmpty());
        const TipDialogWithButtom::Warning asked = TipDialogWithButtom::lastWarningForTesting();
        QCOMPARE(asked.title, QStringLiteral("Licenses"));
        QCOMPARE(asked.text, QStringLiteral("Open failed."));
        QCOMPARE(asked.iconPath, QStringLiteral(":/missing/hint.png"));
        QCOMPARE(asked.parent.data(), &parent);
    }

    void warningBoxSurvivesItsParentGoingAway()
    {
        auto* parent = new QWidget;
        whenModalShown([parent](QDialog*) { delete parent; });
        QCOMPARE(TipDialogWithButtom::showWarnMessageInfo(QString(), QStringLiteral("gone"), parent), 0);
        QVERIFY(TipDialogWithButtom::lastWarningForTesting().parent.isNull());
    }

    void warningBoxWithoutTitleSaysWarning()
    {
        TipDialogWithButtom box(QString(), QStringLiteral("text"));
        QCOMPARE(box.title(), QStringLiteral("Warning"));
    }
};

QTEST_MAIN(TestPanelcraftDialogs)
#include "tst_panelcraftdialogs.moc"
