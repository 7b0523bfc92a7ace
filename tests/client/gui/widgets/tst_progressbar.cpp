// What the pill progress bar draws, checked on the pixels of grab(): a bar
// 200 x 20 with maximum 200, so the filled width equals the value.
#include "widgets/progressbar.h"

#include <QtMath>
#include <QtTest>
#include <cmath>

using gearmart::ProgressBar;

namespace {

const QColor kGroove(0xE6, 0xE6, 0xE6);
const QColor kChunk(0x34, 0xD1, 0x4E);

// The text is a dark grey, darker than the groove; the chunk is green.
bool isText(const QColor& c)
{
    return c.red() < 215 && qAbs(c.red() - c.green()) < 24 && qAbs(c.green() - c.blue()) < 24;
}

bool isChunk(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.green() - c.red() > 40;
}

bool isGroove(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == kGroove;
}

int chunkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += isChunk(image, x, y);
        }
    }
    return n;
}

// Rows of column x that are chunk-coloured: first and last.
QPair<int, int> chunkRows(const QImage& image, int x)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (isChunk(image, x, y)) {
            if (first < 0) {
                first = y;
            }
            last = y;
        }
    }
    return {first, last};
}

// Bounding box of the text inside the pill's straight part.
QRect textBox(const QImage& image, int h)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = h; x < image.width() - h; ++x) {
            if (isText(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

struct Bar
{
    ProgressBar bar;
    explicit Bar(int value, int mode = 1, const QString& text = QString(), int minimum = 0, int maximum = 200)
    {
        bar.resize(200, 20);
        bar.setRange(minimum, maximum);
        bar.setValue(value);
        bar.setMode(mode);
        bar.setText(text);
    }
    QImage image() { return bar.grab().toImage(); }
};

} // namespace

class TestProgressBar : public QObject
{
    Q_OBJECT

private slots:
    void startsWithItsDefaults()
    {
        ProgressBar bar;
        QCOMPARE(bar.chunkColor(), kChunk);
        QCOMPARE(bar.grooveColor(), kGroove);
        QCOMPARE(bar.mode(), 0);
        QCOMPARE(bar.storedText(), QStringLiteral("Download Fail!"));
        QCOMPARE(bar.textFont().pixelSize(), 10);
        QCOMPARE(bar.textFont().family(), QStringLiteral("Microsoft Yahei"));
    }

    // WCAG's contrast ratio of the status text against what it is drawn on.
    void textReadsOnEveryBackground_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::newRow("groove") << ProgressBar().grooveColor();
        QTest::newRow("downloading") << QColor(QStringLiteral("#3BCD8D"));
        QTest::newRow("failed") << QColor(QStringLiteral("#FA3239"));
    }

    void textReadsOnEveryBackground()
    {
        QFETCH(QColor, background);
        const auto luminance = [](const QColor& colour) {
            const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                   0.0722 * linear(colour.blueF());
        };
        const double a = luminance(background);
        const double b = luminance(ProgressBar::textColor());
        QVERIFY((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 4.5);
    }

    void emptyBarIsOnlyTheGroove()
    {
        Bar b(0);
        const QImage image = b.image();
        QCOMPARE(chunkPixels(image), 0);
        QVERIFY(isGroove(image, 100, 10));
        QVERIFY(isGroove(image, 3, 10));
        QVERIFY(isGroove(image, 196, 10));
        QVERIFY(isGroove(image, 100, 0));
        // Round ends: the corners stay outside the pill.
        QVERIFY(!isGroove(image, 0, 0));
        QVERIFY(!isGroove(image, 199, 19));
    }

    void shortChunkIsACentredEllipse_data()
    {
        QTest::addColumn<int>("filled");
        QTest::newRow("4 px") << 4;
        QTest::newRow("10 px") << 10;
        QTest::newRow("16 px") << 16;
        QTest::newRow("19 px") << 19;
    }

    void shortChunkIsACentredEllipse()
    {
        QFETCH(int, filled);
        Bar b(filled);
        const QImage image = b.image();
        const double half = 10.0;
        const double e = qSqrt(half * half - (half - filled / 2.0) * (half - filled / 2.0));
        const auto [top, bottom] = chunkRows(image, filled / 2);
        QVERIFY(top >= 0);
        QCOMPARE(top + bottom, 19); // centred vertically
        QVERIFY2(qAbs((bottom - top + 1) - 2 * e) <= 1.0,
                 qPrintable(QStringLiteral("%1..%2 for 2e = %3").arg(top).arg(bottom).arg(2 * e)));
        // Nothing beyond the filled width; narrower toward the left end.
        QVERIFY(!isChunk(image, filled + 1, 10));
        const auto [leftTop, leftBottom] = chunkRows(image, 0);
        QVERIFY(leftTop < 0 || leftBottom - leftTop < bottom - top);
    }

    void ellipseGrowsWithTheValue()
    {
        Bar small(4);
        Bar larger(10);
        const auto a = chunkRows(small.image(), 2);
        const auto b = chunkRows(larger.image(), 5);
        QVERIFY(b.second - b.first > a.second - a.first);
    }

    void longerChunkIsAPillWithRoundEnds()
    {
        Bar b(100);
        const QImage image = b.image();
        QVERIFY(isChunk(image, 3, 10));
        QVERIFY(isChunk(image, 50, 1));
        QVERIFY(isChunk(image, 95, 10));
        QVERIFY(isGroove(image, 104, 10));
        QVERIFY(!isChunk(image, 99, 1)); // round right end
        QVERIFY(!isChunk(image, 0, 0));  // round left end
    }

    void fullBarIsAChunkPill()
    {
        Bar b(200);
        b.bar.setChunkColor(QColor(0xFA, 0x32, 0x39));
        const QImage image = b.image();
        QCOMPARE(image.pixelColor(3, 10), QColor(0xFA, 0x32, 0x39));
        QCOMPARE(image.pixelColor(196, 10), QColor(0xFA, 0x32, 0x39));
        QCOMPARE(image.pixelColor(60, 0), QColor(0xFA, 0x32, 0x39));
        QVERIFY(image.pixelColor(199, 0) != QColor(0xFA, 0x32, 0x39));
        for (int x = 0; x < 200; ++x) {
            QVERIFY2(!isGroove(image, x, 10), qPrintable(QString::number(x)));
        }
    }

    void rangeIsMeasuredFromTheMinimum()
    {
        Bar plain(100, 1, QString(), 0, 200);
        Bar shifted(200, 1, QString(), 100, 300);
        QCOMPARE(shifted.bar.ratio(), 0.5);
        QCOMPARE(shifted.image(), plain.image());
        // An empty range draws no chunk rather than dividing by zero.
        Bar empty(0, 0, QString(), 0, 0);
        QCOMPARE(empty.bar.ratio(), 0.0);
        QCOMPARE(chunkPixels(empty.image()), 0);
    }

    void percentageIsCutDown_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.499") << 499 << 0 << 1000 << "49%";
        QTest::newRow("29 of 100 is not 28") << 29 << 0 << 100 << "29%";
        QTest::newRow("57 of 100 is not 56") << 57 << 0 << 100 << "57%";
        QTest::newRow("empty") << 0 << 0 << 100 << "0%";
        QTest::newRow("full") << 100 << 0 << 100 << "100%";
        QTest::newRow("offset range") << 150 << 100 << 200 << "50%";
        QTest::newRow("empty range") << 0 << 0 << 0 << "0%";
        QTest::newRow("huge range") << 2147482000 << -2147483000 << 2147483000 << "99%";
    }

    void percentageIsCutDown()
    {
        QFETCH(int, value);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(QString, text);
        ProgressBar bar;
        bar.setRange(minimum, maximum);
        bar.setValue(value);
        QCOMPARE(bar.text(), text);
    }

    void resetBarShowsZero()
    {
        ProgressBar bar;
        bar.setValue(40);
        bar.reset();
        QCOMPARE(bar.text(), QStringLiteral("0%"));
        QCOMPARE(bar.ratio(), 0.0);
    }

    void modeZeroDrawsThePercentage()
    {
        // The same bar with the percentage typed in as text must look the same.
        Bar percent(499, 0, QString(), 0, 1000);
        Bar typed(499, 1, QStringLiteral("49%"), 0, 1000);
        Bar other(499, 1, QStringLiteral("50%"), 0, 1000);
        QCOMPARE(percent.image(), typed.image());
        QVERIFY(percent.image() != other.image());
    }

    void otherModesDrawTheStoredText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("failure") << 1;
        QTest::newRow("waiting") << 2;
    }

    void otherModesDrawTheStoredText()
    {
        QFETCH(int, mode);
        // No descenders, so the lowest text row sits on the baseline.
        Bar b(0, mode, QStringLiteral("Download Fail!"));
        QCOMPARE(b.bar.text(), QStringLiteral("Download Fail!"));
        const QRect box = textBox(b.image(), 20);
        QVERIFY(box.isValid());
        QVERIFY2(qAbs(box.center().x() - 100) <= 2, qPrintable(QString::number(box.center().x())));
        // Baseline at pixel size + (h - pixel size) / 2 - 1 = 14.
        QVERIFY2(box.bottom() >= 12 && box.bottom() <= 14, qPrintable(QString::number(box.bottom())));
        b.bar.setMode(0);
        QCOMPARE(b.bar.text(), QStringLiteral("0%"));
    }

    void textStaysCentredWhateverTheWidgetFont()
    {
        Bar b(0, 1, QStringLiteral("download fail"));
        QFont big = b.bar.font();
        big.setPixelSize(30);
        b.bar.setFont(big);
        const QRect box = textBox(b.image(), 20);
        QVERIFY(box.isValid());
        QVERIFY2(qAbs(box.center().x() - 100) <= 2, qPrintable(QString::number(box.center().x())));
        QVERIFY(box.height() <= 12);
    }
};

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
