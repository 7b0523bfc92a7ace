// The keyboard focus ring: it follows focus moved by the keyboard, leaves
// controls clicked with the mouse and those that draw their own ring.
#include "widgets/focusring.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QtTest>

using gearmart::FocusRing;

class TestFocusRing : public QObject
{
    Q_OBJECT

private slots:
    void followsTheKeyboardOnly()
    {
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        FocusRing* ring = FocusRing::install(app);
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* first = new QPushButton(QStringLiteral("first"), &window);
        auto* second = new QPushButton(QStringLiteral("second"), &window);
        auto* own = new QPushButton(QStringLiteral("own"), &window);
        own->setProperty(FocusRing::kOwnRing, true);
        for (QPushButton* button : {first, second, own}) {
            button->setFocusPolicy(Qt::StrongFocus);
            layout->addWidget(button);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        second->setFocus(Qt::TabFocusReason);
        QCOMPARE(ring->target(), second);
        QVERIFY(ring->isVisible());
        QVERIFY(ring->geometry().contains(second->geometry()));

        first->setFocus(Qt::MouseFocusReason);
        QCOMPARE(ring->target(), nullptr);

        own->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(ring->target(), nullptr);

        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(ring->target(), first);
        delete first;
        QCOMPARE(ring->target(), nullptr);
    }
};

QTEST_MAIN(TestFocusRing)
#include "tst_focusring.moc"
