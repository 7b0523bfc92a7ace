// The byte-progress line: its wording for every kind of figures, and the
// label that shows it only while its download runs.
#include "common/transferprogresslabel.h"
#include "transfer/transferprogresstext.h"

#include <QtTest>

using namespace gearmart;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

TransferProgress figures(qint64 received, qint64 total, qint64 rate)
{
    TransferProgress progress;
    progress.received = received;
    progress.total = total;
    progress.rate = rate;
    return progress;
}

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestTransferProgressText : public QObject
{
    Q_OBJECT

private slots:
    void formatsTheLine_data()
    {
        QTest::addColumn<TransferProgress>("progress");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");

        // 12.3 MiB, 200 MiB and 45.2 MiB/s to the byte.
        const qint64 received = 12897484;
        const qint64 total = 200 * kMiB;
        const qint64 rate = 47395635;
        QTest::newRow("everything") << figures(received, total, rate) << kEnglish
                                    << QStringLiteral("12.3 MiB of 200 MiB · 45.2 MiB/s · 5 s left");
        QTest::newRow("decimal comma") << figures(received, total, rate) << QLocale(QLocale::German)
                                       << QStringLiteral("12,3 MiB of 200 MiB · 45,2 MiB/s · 5 s left");
        QTest::newRow("total unknown")
            << figures(received, 0, rate) << kEnglish << QStringLiteral("12.3 MiB · 45.2 MiB/s");
        QTest::newRow("stalled") << figures(received, total, 0) << kEnglish
                                 << QStringLiteral("12.3 MiB of 200 MiB · 0 bytes/s");
        QTest::newRow("rate unknown")
            << figures(received, total, -1) << kEnglish << QStringLiteral("12.3 MiB of 200 MiB");
        QTest::newRow("past the total")
            << figures(250 * kMiB, total, kMiB) << kEnglish << QStringLiteral("250 MiB · 1.0 MiB/s");
        QTest::newRow("all received")
            << figures(total, total, rate) << kEnglish << QStringLiteral("200 MiB of 200 MiB · 45.2 MiB/s");
        QTest::newRow("nothing yet") << figures(0, total, kMiB) << kEnglish
                                     << QStringLiteral("0 bytes of 200 MiB · 1.0 MiB/s · 3 min 20 s left");
        QTest::newRow("small package") << figures(512, 1000, 100) << kEnglish
                                       << QStringLiteral("512 bytes of 1,000 bytes · 100 bytes/s · 5 s left");
        QTest::newRow("beyond 2 GiB") << figures(3000000000LL, 5000000000LL, 20 * kMiB) << kEnglish
                                      << QStringLiteral("2.8 GiB of 4.7 GiB · 20.0 MiB/s · 1 min 36 s left");
        QTest::newRow("crawling") << figures(0, 200 * kMiB, 1024) << kEnglish
                                  << QStringLiteral("0 bytes of 200 MiB · 1.0 KiB/s · more than a day left");
        QTest::newRow("unknown") << TransferProgress() << kEnglish << QString();
    }

    void formatsTheLine()
    {
        QFETCH(TransferProgress, progress);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(TransferProgressText::format(progress, locale), expected);
    }

    void sizesKeepThreeDigits_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0 bytes");
        QTest::newRow("under a KiB") << qint64(1023) << QStringLiteral("1,023 bytes");
        QTest::newRow("one KiB") << qint64(1024) << QStringLiteral("1.0 KiB");
        QTest::newRow("just under 100") << qint64(102338) << QStringLiteral("99.9 KiB");
        QTest::newRow("rounds up to 100") << qint64(102359) << QStringLiteral("100 KiB");
        QTest::newRow("hundreds") << qint64(512 * kMiB + 300 * 1024) << QStringLiteral("512 MiB");
    }

    void sizesKeepThreeDigits()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, expected);
        QCOMPARE(TransferProgressText::size(bytes, kEnglish), expected);
    }

    void timeLeftReadsAsAUserExpects_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << qint64(0) << QStringLiteral("0 s");
        QTest::newRow("59") << qint64(59) << QStringLiteral("59 s");
        QTest::newRow("60") << qint64(60) << QStringLiteral("1 min");
        QTest::newRow("61") << qint64(61) << QStringLiteral("1 min 1 s");
        QTest::newRow("599") << qint64(599) << QStringLiteral("9 min 59 s");
        QTest::newRow("600") << qint64(600) << QStringLiteral("10 min");
        QTest::newRow("601 rounds up") << qint64(601) << QStringLiteral("11 min");
        QTest::newRow("3541 carries") << qint64(3541) << QStringLiteral("1 h");
        QTest::newRow("3660") << qint64(3660) << QStringLiteral("1 h 1 min");
        QTest::newRow("a day") << qint64(86400) << QStringLiteral("24 h");
        QTest::newRow("past a day") << qint64(86401) << QStringLiteral("more than a day");
    }

    void timeLeftReadsAsAUserExpects()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, expected);
        QCOMPARE(TransferProgressText::duration(seconds, kEnglish), expected);
    }

    void secondsLeftRoundUp_data()
    {
        QTest::addColumn<TransferProgress>("progress");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("exact") << figures(0, 100, 25) << qint64(4);
        QTest::newRow("a byte more") << figures(0, 101, 25) << qint64(5);
        QTest::newRow("one byte to go") << figures(99, 100, 1000) << qint64(1);
        QTest::newRow("done") << figures(100, 100, 25) << qint64(-1);
        QTest::newRow("no speed") << figures(0, 100, 0) << qint64(-1);
        QTest::newRow("no total") << figures(10, 0, 25) << qint64(-1);
        QTest::newRow("unknown") << TransferProgress() << qint64(-1);
    }

    void secondsLeftRoundUp()
    {
        QFETCH(TransferProgress, progress);
        QFETCH(qint64, expected);
        QCOMPARE(TransferProgressText::secondsLeft(progress), expected);
    }

    void labelShowsFiguresOnlyWhileActive()
    {
        QWidget window;
        auto* label = new TransferProgressLabel(&window);
        label->setGeometry(0, 0, 400, label->height());
        window.show();
        const TransferProgress mine = figures(5 * kMiB, 10 * kMiB, kMiB);

        // Figures before its download runs are not shown.
        label->showProgress(mine);
        QVERIFY(label->isHidden());

        label->setActive(true);
        QVERIFY(label->isHidden());
        label->showProgress(mine);
        QVERIFY(label->isVisible());
        QCOMPARE(label->fullText(), TransferProgressText::format(mine));
        QCOMPARE(label->text(), label->fullText());
        QCOMPARE(label->toolTip(), label->fullText());
        QCOMPARE(label->accessibleDescription(), label->fullText());
        QVERIFY(!label->accessibleName().isEmpty());

        // Figures that are not known hide it.
        label->showProgress(TransferProgress());
        QVERIFY(label->isHidden());
        QVERIFY(label->fullText().isEmpty());

        // Ending the download hides the line and forgets it.
        label->showProgress(mine);
        QVERIFY(label->isVisible());
        label->setActive(false);
        QVERIFY(label->isHidden());
        QVERIFY(label->toolTip().isEmpty());
        label->showProgress(mine);
        QVERIFY(label->isHidden());
    }

    void aNarrowLabelShortensItsText()
    {
        QWidget window;
        auto* label = new TransferProgressLabel(&window);
        label->setGeometry(0, 0, 400, label->height());
        window.show();
        label->setActive(true);
        label->showProgress(figures(12897484, 200 * kMiB, 47395635));
        const QString whole = label->fullText();
        QCOMPARE(label->text(), whole);

        label->resize(60, label->height());
        QVERIFY(label->text() != whole);
        QVERIFY(label->text().endsWith(QChar(0x2026)));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= 60);
        QCOMPARE(label->toolTip(), whole);

        label->resize(400, label->height());
        QCOMPARE(label->text(), whole);
    }

    // The card gives the line 11 pixels, less than a CJK font's line box:
    // the glyphs must still show whole.
    void glyphsFitATightSlot_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("default") << QString();
        QTest::newRow("cjk") << QStringLiteral("Noto Sans CJK SC");
    }

    void glyphsFitATightSlot()
    {
        QFETCH(QString, family);
        QWidget window;
        auto* label = new TransferProgressLabel(&window);
        if (!family.isEmpty()) {
            QFont font = label->font();
            font.setFamily(family);
            label->setFont(font);
        }
        label->setGeometry(0, 0, 300, 11);
        label->setActive(true);
        label->showProgress(figures(12897484, 200 * kMiB, 47395635));
        window.resize(300, 11);
        window.show();
        QVERIFY(label->fontMetrics().height() >= 11 || family.isEmpty());

        const QImage image = label->grab().toImage();
        const QRgb background = image.pixel(image.width() - 1, 0);
        int top = -1;
        int bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                    break;
                }
            }
        }
        QVERIFY(top >= 0);
        const int inkHeight = bottom - top + 1;
        QVERIFY2(inkHeight >= label->fontMetrics().tightBoundingRect(label->text()).height() - 1,
                 qPrintable(QStringLiteral("ink %1 rows").arg(inkHeight)));
    }
};

QTEST_MAIN(TestTransferProgressText)
#include "tst_transferprogresstext.moc"
