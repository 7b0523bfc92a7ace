// The cover is laid over a real window and driven through the window's event
// path, as a user's clicks and keys would arrive.
#include "panelcraft/coverwidget.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using crestui::CoverWidget;

namespace {

struct Window
{
    QWidget window;
    QPushButton* button;
    QLineEdit* edit;
    CoverWidget* cover;

    Window()
    {
        window.resize(320, 200);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Qt::white);
        window.setPalette(palette);
        button = new QPushButton(QStringLiteral("Press"), &window);
        button->setGeometry(20, 20, 100, 30);
        edit = new QLineEdit(&window);
        edit->setGeometry(20, 80, 200, 30);
        cover = new CoverWidget(&window);
        cover->hide();
    }
};

void typeInto(QWindow* window, const char* text)
{
    for (const char* c = text; *c; ++c) {
        QTest::keyClick(window, *c);
    }
}

} // namespace

class TestCoverWidget : public QObject
{
    Q_OBJECT

private slots:
    void coverSwallowsClicks_data()
    {
        QTest::addColumn<bool>("black");
        QTest::newRow("black cover") << true;
        QTest::newRow("transaction cover") << false;
    }

    void coverSwallowsClicks()
    {
        QFETCH(bool, black);
        Window w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        const QPoint onButton = w.button->geometry().center();

        QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, onButton);
        QCOMPARE(clicked.count(), 1);

        black ? w.cover->setBlackCover() : w.cover->setTransactionCover();
        w.cover->show();
        QCOMPARE(w.cover->geometry(), w.window.rect());
        QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, onButton);
        QTest::mouseDClick(w.window.windowHandle(), Qt::LeftButton, {}, onButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!w.button->isDown());

        w.cover->hide();
        QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, onButton);
        QCOMPARE(clicked.count(), 2);
    }

    void coverSwallowsKeysAndShortcuts()
    {
        Window w;
        int triggered = 0;
        auto* action = new QAction(&w.window);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        w.window.addAction(action);
        connect(action, &QAction::triggered, [&triggered] { ++triggered; });
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.edit->setFocus();
        QTRY_VERIFY(w.edit->hasFocus());

        QTest::keyClick(w.window.windowHandle(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(triggered, 1);

        w.cover->setBlackCover();
        w.cover->show();
        QTRY_VERIFY(w.cover->hasFocus());
        typeInto(w.window.windowHandle(), "abc");
        QTest::keyClick(w.window.windowHandle(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(w.window.windowHandle(), Qt::Key_Tab);
        QTest::keyClick(w.window.windowHandle(), Qt::Key_Space);
        QCOMPARE(w.edit->text(), QString());
        QCOMPARE(triggered, 1);
        QVERIFY(w.cover->hasFocus());

        // Uncovered, the input goes back where the user left it.
        w.cover->hide();
        QTRY_VERIFY(w.edit->hasFocus());
        typeInto(w.window.windowHandle(), "xy");
        QCOMPARE(w.edit->text(), QStringLiteral("xy"));
    }

    void blackCoverDimsAndTransactionCoverIsInvisible()
    {
        Window w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QPoint background(280, 170);
        const QColor plain = w.window.grab().toImage().pixelColor(background);
        QCOMPARE(plain, QColor(Qt::white));

        w.cover->setTransactionCover();
        w.cover->show();
        QCOMPARE(w.window.grab().toImage().pixelColor(background), plain);

        w.cover->setBlackCover();
        const QColor dimmed = w.window.grab().toImage().pixelColor(background);
        QVERIFY2(dimmed.value() < 200 && dimmed.value() > 60, qPrintable(dimmed.name()));
        QCOMPARE(dimmed.red(), dimmed.blue());
    }

    void coverFollowsTheWindowSize()
    {
        Window w;
        w.cover->show();
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCOMPARE(w.cover->geometry(), w.window.rect());
        w.window.resize(500, 400);
        QTRY_COMPARE(w.cover->geometry(), QRect(0, 0, 500, 400));

        // A click in the newly grown area is covered too.
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        w.button->setGeometry(380, 300, 100, 30);
        QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, w.button->geometry().center());
        QCOMPARE(clicked.count(), 0);
    }
};

QTEST_MAIN(TestCoverWidget)
#include "tst_coverwidget.moc"
