// The flat icon-and-text button and the resize-reporting label.
#include "widgets/baseconfigbuton.h"
#include "widgets/resizelabel.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using gearmart::BaseConfigButon;
using gearmart::ResizeLabel;

namespace {

QString writeSolid(const QTemporaryDir& dir, const char* name, QColor colour)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = dir.filePath(QLatin1String(name));
    image.save(path);
    return path;
}

int textWidth(const QString& text, int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return QFontMetrics(font).horizontalAdvance(text);
}

void hover(QWidget* widget, bool inside)
{
    QEvent event(inside ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// Darkest pixel of the text area, as grey level.
int darkestText(const QImage& image, int textWidthPx)
{
    int darkest = 255;
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 32 + textWidthPx; ++x) {
            darkest = qMin(darkest, image.pixelColor(x, y).value());
        }
    }
    return darkest;
}

} // namespace

class TestFlatWidgets : public QObject
{
    Q_OBJECT

private slots:
    void buttonIsAsWideAsItsText()
    {
        QTemporaryDir dir;
        BaseConfigButon button;
        button.setText(QStringLiteral("Home Page"));
        QCOMPARE(button.width(), textWidth(QStringLiteral("Home Page"), 12) + 38);
        QCOMPARE(button.height(), 32);
        QCOMPARE(button.sizeHint(), button.size());

        button.setRightImage(writeSolid(dir, "right.png", Qt::green));
        QCOMPARE(button.width(), textWidth(QStringLiteral("Home Page"), 12) + 58);
        button.setFontPixelSize(16);
        QCOMPARE(button.width(), textWidth(QStringLiteral("Home Page"), 16) + 58);

        // Through the base class the new text is noticed when painting.
        static_cast<QAbstractButton&>(button).setText(QStringLiteral("Back to the catalog"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTRY_COMPARE(button.width(), textWidth(QStringLiteral("Back to the catalog"), 16) + 58);
    }

    void backgroundFollowsThePointer_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("pressedFlag");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QColor>("expected");
        const QColor background("#ffffff");
        const QColor hoverColour("#f0f0f0");
        const QColor pressed("#ebebeb");
        QTest::newRow("idle") << true << false << false << false << background;
        QTest::newRow("hovered") << true << false << true << false << hoverColour;
        QTest::newRow("held down") << true << false << true << true << pressed;
        QTest::newRow("down but pointer away") << true << false << false << true << background;
        QTest::newRow("pressed flag") << true << true << false << false << pressed;
        QTest::newRow("pressed flag and hovered") << true << true << true << false << pressed;
        QTest::newRow("disabled ignores hover") << false << false << true << false << background;
    }

    void backgroundFollowsThePointer()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, pressedFlag);
        QFETCH(bool, hovered);
        QFETCH(bool, down);
        QFETCH(QColor, expected);
        BaseConfigButon button;
        button.setText(QStringLiteral("Home"));
        button.setEnabled(enabled);
        button.setPressed(pressedFlag);
        hover(&button, hovered);
        button.setDown(down);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(2, 16), expected);
        QCOMPARE(image.pixelColor(button.width() - 3, 30), expected);
    }

    void customColoursAreUsed()
    {
        BaseConfigButon button;
        button.setText(QStringLiteral("Home"));
        button.setBackgroundColor(QStringLiteral("#102030"));
        button.setHoverColor(QStringLiteral("#405060"));
        QCOMPARE(button.grab().toImage().pixelColor(2, 16), QColor("#102030"));
        hover(&button, true);
        QCOMPARE(button.grab().toImage().pixelColor(2, 16), QColor("#405060"));
        hover(&button, false);
        QCOMPARE(button.grab().toImage().pixelColor(2, 16), QColor("#102030"));
    }

    void imagesAndTextSitInPlace()
    {
        QTemporaryDir dir;
        BaseConfigButon button;
        button.setText(QStringLiteral("Home Page"));
        button.setIconImage(writeSolid(dir, "icon.png", Qt::red), writeSolid(dir, "off.png", Qt::blue));
        button.setRightImage(writeSolid(dir, "right.png", Qt::green));
        const int tw = textWidth(QStringLiteral("Home Page"), 12);
        QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(4, 4), QColor(Qt::red));
        QCOMPARE(image.pixelColor(27, 27), QColor(Qt::red));
        QCOMPARE(image.pixelColor(3, 16), QColor("#ffffff"));
        QCOMPARE(image.pixelColor(tw + 32, 4), QColor(Qt::green));
        QCOMPARE(image.pixelColor(tw + 55, 27), QColor(Qt::green));
        QVERIFY(darkestText(image, tw) <= 0x70);

        button.setEnabled(false);
        image = button.grab().toImage();
        QCOMPARE(image.pixelColor(16, 16), QColor(Qt::blue));
        const int disabledText = darkestText(image, tw);
        QVERIFY2(disabledText >= 0xC0 && disabledText < 0xFF, qPrintable(QString::number(disabledText)));
    }

    void buttonIsNamedByItsText()
    {
        BaseConfigButon button;
        button.setText(QStringLiteral("Home Page"));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Home Page"));
    }

    void labelReportsEveryResize()
    {
        ResizeLabel label;
        QSignalSpy resized(&label, &ResizeLabel::signalResized);
        label.resize(154, 22);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.resize(154, 60);
        QTRY_VERIFY(!resized.isEmpty());
        QCOMPARE(resized.last().at(0).toSize(), QSize(154, 60));
    }
};

QTEST_MAIN(TestFlatWidgets)
#include "tst_flatwidgets.moc"
