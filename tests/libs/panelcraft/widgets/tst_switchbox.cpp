// The switch as a user and an assistive tool meet it: clicks, Space, state
// values 0 and 2, and what it draws for each state.
#include "panelcraft/cmiddleswitchbox.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using crestui::CMiddleSwitchBox;

namespace {

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

class TestSwitchBox : public QObject
{
    Q_OBJECT

private slots:
    void clicksAndSpaceToggleBetweenZeroAndTwo_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("mouse") << false;
        QTest::newRow("space") << true;
    }

    void clicksAndSpaceToggleBetweenZeroAndTwo()
    {
        QFETCH(bool, byKeyboard);
        CMiddleSwitchBox box;
        box.resize(box.sizeHint());
        QSignalSpy changed(&box, &CMiddleSwitchBox::stateChanged);
        QCOMPARE(box.state(), 0);
        auto toggle = [&] {
            if (byKeyboard) {
                QTest::keyClick(&box, Qt::Key_Space);
            } else {
                QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 3, box.height() - 3));
            }
        };
        toggle();
        QCOMPARE(box.state(), 2);
        toggle();
        QCOMPARE(box.state(), 0);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toInt(), 2);
        QCOMPARE(changed.at(1).at(0).toInt(), 0);
    }

    void stateIsSettable_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("emitted");
        QTest::newRow("on") << 2 << 2 << 1;
        QTest::newRow("off stays off, silently") << 0 << 0 << 0;
        QTest::newRow("partial counts as on") << 1 << 2 << 1;
    }

    void stateIsSettable()
    {
        QFETCH(int, set);
        QFETCH(int, expected);
        QFETCH(int, emitted);
        CMiddleSwitchBox box;
        QSignalSpy changed(&box, &CMiddleSwitchBox::stateChanged);
        box.setState(set);
        QCOMPARE(box.state(), expected);
        QCOMPARE(box.checkState(), Qt::CheckState(expected));
        QCOMPARE(changed.count(), emitted);
    }

    void neverStopsHalfWay()
    {
        // Even the check box's own partial state leads back to on/off.
        CMiddleSwitchBox box;
        box.setCheckState(Qt::PartiallyChecked);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.state(), 2);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.state(), 0);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.checkState(), Qt::Checked);
    }

    void disabledSwitchIgnoresInput()
    {
        CMiddleSwitchBox box;
        box.resize(box.sizeHint());
        box.setEnabled(false);
        QTest::mouseClick(&box, Qt::LeftButton);
        QTest::keyClick(&box, Qt::Key_Space);
        QCOMPARE(box.state(), 0);
    }

    void drawsTrackAndKnobPerState()
    {
        CMiddleSwitchBox box;
        box.resize(54, 32);
        // Track 40 x 20 centred: x 7..47, y 6..26; knob 16 across inside it.
        const QPoint leftEnd(12, 16);
        const QPoint rightEnd(42, 16);

        QImage off = box.grab().toImage();
        QVERIFY(near(off.pixelColor(leftEnd), Qt::white));
        QVERIFY(near(off.pixelColor(rightEnd), QColor(0xCC, 0xCC, 0xCC)));

        box.setState(2);
        QImage on = box.grab().toImage();
        QVERIFY(near(on.pixelColor(leftEnd), QColor(0xFA, 0x32, 0x39)));
        QVERIFY(near(on.pixelColor(rightEnd), Qt::white));
    }

    void assistiveToolsSeeACheckBox()
    {
        CMiddleSwitchBox box;
        box.show();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&box);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Switch"));
        QVERIFY(!face->state().checked);
        box.setState(2);
        QVERIFY(face->state().checked);
        box.setAccessibleName(QStringLiteral("Enable Upgrade Prompt"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Enable Upgrade Prompt"));
        QCOMPARE(box.focusPolicy(), Qt::StrongFocus);
    }
};

QTEST_MAIN(TestSwitchBox)
#include "tst_switchbox.moc"
