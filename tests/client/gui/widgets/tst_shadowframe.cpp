// The white panel and the nine-slice shadow border of the frameless windows.
#include "widgets/framelesswidget.h"
#include "widgets/shadowframe.h"
#include "widgets/tipdialog.h"

#include <QPainter>
#include <QtTest>

using gearmart::FramelessWidget;
using gearmart::ShadowFrame;

namespace {

// A 210 x 143 shadow picture whose nine slices each have their own colour.
QPixmap slicedPicture()
{
    QImage image(210, 143, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 5, 3, QColor("#ff0000"));     // top left
    painter.fillRect(5, 0, 200, 3, QColor("#00ff00"));   // top
    painter.fillRect(205, 0, 5, 3, QColor("#0000ff"));   // top right
    painter.fillRect(0, 3, 5, 133, QColor("#ffff00"));   // left
    painter.fillRect(5, 3, 200, 133, QColor("#ff00ff")); // middle, never drawn
    painter.fillRect(205, 3, 5, 133, QColor("#00ffff")); // right
    painter.fillRect(0, 136, 5, 7, QColor("#800000"));   // bottom left
    painter.fillRect(5, 136, 200, 7, QColor("#008000")); // bottom
    painter.fillRect(205, 136, 5, 7, QColor("#000080")); // bottom right
    painter.end();
    return QPixmap::fromImage(image);
}

bool isOpaqueWhite(const QColor& c)
{
    return c == QColor(Qt::white);
}

} // namespace

class TestShadowFrame : public QObject
{
    Q_OBJECT

private slots:
    void nineSlicesLandInPlace_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected");
        for (const QSize size : {QSize(320, 168), QSize(1034, 768), QSize(40, 30)}) {
            const int w = size.width();
            const int h = size.height();
            const QString tag = QStringLiteral("%1x%2 ").arg(w).arg(h);
            auto row = [&](const char* name, QPoint at, const char* colour) {
                QTest::newRow(qPrintable(tag + QLatin1String(name))) << size << at << QColor(colour);
            };
            row("top left outer", {0, 0}, "#ff0000");
            row("top left inner", {4, 2}, "#ff0000");
            row("top start", {5, 0}, "#00ff00");
            row("top end", {w - 6, 2}, "#00ff00");
            row("top right", {w - 5, 0}, "#0000ff");
            row("top right inner", {w - 1, 2}, "#0000ff");
            row("left start", {0, 3}, "#ffff00");
            row("left end", {4, h - 8}, "#ffff00");
            row("right start", {w - 5, 3}, "#00ffff");
            row("right end", {w - 1, h - 8}, "#00ffff");
            row("bottom left", {0, h - 7}, "#800000");
            row("bottom left outer", {4, h - 1}, "#800000");
            row("bottom start", {5, h - 7}, "#008000");
            row("bottom end", {w - 6, h - 1}, "#008000");
            row("bottom right", {w - 5, h - 7}, "#000080");
            row("bottom right outer", {w - 1, h - 1}, "#000080");
            row("panel top left", {5, 3}, "#ffffff");
            row("panel bottom right", {w - 6, h - 8}, "#ffffff");
            row("panel middle", {w / 2, h / 2}, "#ffffff");
        }
    }

    void nineSlicesLandInPlace()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        ShadowFrame::paint(painter, size, slicedPicture());
        painter.end();
        QCOMPARE(image.pixelColor(at), expected);
    }

    void missingPictureStillDrawsAShadow()
    {
        // The tests link no resources, so this is the drawn stand-in.
        const QPixmap picture = ShadowFrame::shadowPicture();
        QCOMPARE(picture.size(), QSize(210, 143));
        const QImage image = picture.toImage();
        QVERIFY(image.pixelColor(4, 70).alpha() > image.pixelColor(0, 70).alpha());
        QVERIFY(image.pixelColor(100, 136).alpha() > image.pixelColor(100, 142).alpha());
        QCOMPARE(image.pixelColor(100, 70).alpha(), 0);
    }

    void tipDialogPaintsTheWhitePanel()
    {
        gearmart::TipDialog dialog;
        const QImage image = dialog.grab().toImage();
        QCOMPARE(image.size(), QSize(320, 168));
        QVERIFY(isOpaqueWhite(image.pixelColor(5, 3)));
        QVERIFY(isOpaqueWhite(image.pixelColor(314, 3)));
        QVERIFY(isOpaqueWhite(image.pixelColor(5, 160)));
        QVERIFY(isOpaqueWhite(image.pixelColor(314, 160)));
        QVERIFY(isOpaqueWhite(image.pixelColor(20, 100)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(4, 80)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(315, 80)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(160, 2)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(160, 161)));
        QVERIFY(image.pixelColor(0, 0).alpha() < 255);
    }

    void framelessWidgetPaintsTheWhitePanel()
    {
        FramelessWidget window;
        window.resize(400, 300);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
        const QImage image = window.grab().toImage();
        QVERIFY(isOpaqueWhite(image.pixelColor(5, 3)));
        QVERIFY(isOpaqueWhite(image.pixelColor(394, 292)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(395, 150)));
        QVERIFY(!isOpaqueWhite(image.pixelColor(200, 293)));
        QVERIFY(image.pixelColor(399, 299).alpha() < 255);
    }
};

QTEST_MAIN(TestShadowFrame)
#include "tst_shadowframe.moc"
