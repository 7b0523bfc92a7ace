// The tip dialog run modally and answered from inside its event loop by real
// clicks and keys, and through its test seam.
#include "modaldriver.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using gearmart::TipDialog;

namespace {

struct Seen
{
    bool found = false;
    bool okVisible = false;
    bool cancelVisible = false;
    bool okFocused = false;
    QString okText;
    QString cancelText;
    QString text;
    bool iconShown = false;
    QWidget* parent = nullptr;
};

Seen inspect(QDialog* dialog)
{
    Seen seen;
    auto* tip = qobject_cast<TipDialog*>(dialog);
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okBtn"));
    auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cancelBtn"));
    auto* text = dialog->findChild<QLabel*>(QStringLiteral("textLabel"));
    auto* icon = dialog->findChild<QLabel*>(QStringLiteral("iconLabel"));
    if (!tip || !ok || !cancel || !text || !icon) {
        return seen;
    }
    seen.found = true;
    seen.okVisible = ok->isVisible();
    seen.cancelVisible = cancel->isVisible();
    seen.okFocused = dialog->focusWidget() == ok;
    seen.okText = ok->text();
    seen.cancelText = cancel->text();
    seen.text = text->text();
    seen.iconShown = !icon->pixmap(Qt::ReturnByValue).isNull();
    seen.parent = dialog->parentWidget();
    return seen;
}

QString writePicture(const QTemporaryDir& dir)
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(QStringLiteral("notice.png"));
    image.save(path);
    return path;
}

} // namespace

class TestTipDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TipDialog::resetForTesting(); }

    void formHasItsFixedLook()
    {
        TipDialog dialog;
        QCOMPARE(dialog.size(), QSize(320, 168));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!dialog.testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("iconLabel"))->size(), QSize(48, 48));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("textLabel"))->wordWrap());
        for (const char* name : {"okBtn", "cancelBtn"}) {
            auto* button = dialog.findChild<QPushButton*>(QLatin1String(name));
            QVERIFY(button);
            QCOMPARE(button->minimumSize(), QSize(96, 32));
            QCOMPARE(button->maximumSize(), QSize(96, 32));
            QVERIFY(button->autoDefault());
        }
        // Laid out inside the white panel: content from (40, 40), buttons
        // ending 16 pixels before the right and bottom edges.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("iconLabel"))->geometry().topLeft(),
                 QPoint(40, 40));
        const QRect cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancelBtn"))->geometry();
        QCOMPARE(cancel.bottomRight(), QPoint(320 - 16 - 1, 168 - 16 - 1));
        const QRect ok = dialog.findChild<QPushButton*>(QStringLiteral("okBtn"))->geometry();
        QCOMPARE(ok.right() + 1 + 8, cancel.left());
    }

    // A long message makes the box taller and is shown whole; a short one
    // keeps the box's own size.
    void longMessagesAreShownWhole()
    {
        TipDialog dialog;
        QString text;
        for (int i = 0; i < 12; ++i)
            text += QStringLiteral("The folder /home/someone/Tools/Hammer could not be read. ");
        dialog.setTip(QString(), text, QString(), QString(), false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("textLabel"));
        QVERIFY(dialog.height() > 168);
        QCOMPARE(dialog.width(), 320);
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        const QRect ok = dialog.findChild<QPushButton*>(QStringLiteral("okBtn"))->geometry();
        QVERIFY(label->geometry().bottom() < ok.top());

        dialog.setTip(QString(), QStringLiteral("Saved."), QString(), QString(), false);
        QCOMPARE(dialog.size(), QSize(320, 168));
    }

    void answers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK clicked") << "ok" << 1;
        QTest::newRow("Cancel clicked") << "cancel" << 0;
        QTest::newRow("Escape") << "escape" << 0;
        QTest::newRow("closed") << "close" << 0;
        QTest::newRow("Enter on the focused OK") << "enter" << 1;
        QTest::newRow("Tab then Enter picks Cancel") << "tab-enter" << 0;
    }

    void answers()
    {
        QFETCH(QString, how);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString icon = writePicture(dir);
        QWidget parent;
        Seen seen;
        whenModalShown([&](QDialog* dialog) {
            seen = inspect(dialog);
            auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okBtn"));
            auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cancelBtn"));
            if (how == QLatin1String("ok")) {
                QTest::mouseClick(ok, Qt::LeftButton);
            } else if (how == QLatin1String("cancel")) {
                QTest::mouseClick(cancel, Qt::LeftButton);
            } else if (how == QLatin1String("escape")) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            } else if (how == QLatin1String("close")) {
                dialog->close();
            } else if (how == QLatin1String("enter")) {
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            } else {
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            }
        });
        const int result =
            TipDialog::showTip(icon, QStringLiteral("Are you sure close the software?"),
                               QStringLiteral("Sure"), QStringLiteral("Not now"), true, &parent);
        QCOMPARE(result, expected);
        QVERIFY(seen.found);
        QVERIFY(seen.okVisible);
        QVERIFY(seen.cancelVisible);
        QVERIFY(seen.okFocused);
        QCOMPARE(seen.okText, QStringLiteral("Sure"));
        QCOMPARE(seen.cancelText, QStringLiteral("Not now"));
        QCOMPARE(seen.text, QStringLiteral("Are you sure close the software?"));
        QVERIFY(seen.iconShown);
        QCOMPARE(seen.parent, &parent);
        QVERIFY(parent.findChildren<TipDialog*>().isEmpty());
    }

    void cancelCanBeHidden()
    {
        Seen seen;
        whenModalShown([&](QDialog* dialog) {
            seen = inspect(dialog);
            dialog->reject();
        });
        QCOMPARE(TipDialog::showTip(QStringLiteral(":/missing/notice.png"),
                                    QStringLiteral("Client is already running."), QStringLiteral("OK"),
                                    QStringLiteral("Cancel"), false, nullptr),
                 0);
        QVERIFY(seen.found);
        QVERIFY(seen.okVisible);
        QVERIFY(!seen.cancelVisible);
        QVERIFY(seen.okFocused);
        QVERIFY(!seen.iconShown);
        QCOMPARE(seen.parent, nullptr);
    }

    void emptyCaptionsReadOkAndCancel()
    {
        TipDialog dialog;
        dialog.setTip(QString(), QStringLiteral("t"), QString(), QString(), true);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("okBtn"))->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cancelBtn"))->text(),
                 QStringLiteral("Cancel"));
    }

    void parentGoingAwayEndsTheTip()
    {
        auto* parent = new QWidget;
        whenModalShown([parent](QDialog*) { delete parent; });
        QCOMPARE(
            TipDialog::showTip(QString(), QStringLiteral("x"), QStringLiteral("OK"), QString(), true, parent),
            0);
        QVERIFY(TipDialog::lastRequestForTesting().parent.isNull());
    }

    void nextAnswerIsConsumedWithoutShowing()
    {
        QWidget parent;
        TipDialog::setNextAnswerForTesting(1);
        TipDialog::setNextAnswerForTesting(0);
        int shown = 0;
        auto* watch = new QTimer(this);
        connect(watch, &QTimer::timeout, [&shown] { shown += QApplication::activeModalWidget() != nullptr; });
        watch->start(0);

        QCOMPARE(TipDialog::showTip(QStringLiteral("a.png"), QStringLiteral("first"), QStringLiteral("Again"),
                                    QStringLiteral("Next"), true, &parent),
                 1);
        TipDialog::Request asked = TipDialog::lastRequestForTesting();
        QCOMPARE(asked.iconPath, QStringLiteral("a.png"));
        QCOMPARE(asked.text, QStringLiteral("first"));
        QCOMPARE(asked.okText, QStringLiteral("Again"));
        QCOMPARE(asked.cancelText, QStringLiteral("Next"));
        QVERIFY(asked.showCancel);
        QCOMPARE(asked.parent.data(), &parent);

        QCOMPARE(TipDialog::showTip(QString(), QStringLiteral("second"), QStringLiteral("OK"), QString(),
                                    false, nullptr),
                 0);
        asked = TipDialog::lastRequestForTesting();
        QCOMPARE(asked.text, QStringLiteral("second"));
        QVERIFY(!asked.showCancel);
        QVERIFY(asked.parent.isNull());
        QCOMPARE(TipDialog::requestCountForTesting(), 2);
        QCOMPARE(shown, 0);
        QVERIFY(parent.findChildren<TipDialog*>().isEmpty());
        delete watch;

        // With the queue empty the real dialog runs again.
        whenModalShown([](QDialog* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okBtn")), Qt::LeftButton);
        });
        QCOMPARE(TipDialog::showTip(QString(), QStringLiteral("third"), QString(), QString(), true, nullptr),
                 1);
        QCOMPARE(TipDialog::requestCountForTesting(), 3);
    }
};

QTEST_MAIN(TestTipDialog)
#include "tst_tipdialog.moc"
