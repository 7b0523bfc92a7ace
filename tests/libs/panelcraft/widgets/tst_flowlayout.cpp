// Row filling and wrapping of the flow layout, on fixed-size child widgets.
#include "panelcraft/flowlayout.h"

#include <QtTest>

using crestui::FlowLayout;

namespace {

QWidget* addBox(QWidget* parent, FlowLayout* layout, QSize size)
{
    auto* box = new QWidget(parent);
    box->setFixedSize(size);
    layout->addWidget(box);
    return box;
}

QList<QRect> geometries(const QList<QWidget*>& boxes)
{
    QList<QRect> result;
    for (QWidget* box : boxes) {
        result << box->geometry();
    }
    return result;
}

} // namespace

class TestFlowLayout : public QObject
{
    Q_OBJECT

private slots:
    void wrapsRows_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<QRect>>("expected");
        // Five 50 x 20 boxes, margin 5, spacing 10 across and 6 down.
        // 5 + 3 x 50 + 2 x 10 + 5 = 180 holds three in a row.
        QTest::newRow("three fit exactly")
            << 180
            << QList<QRect>{
                   {5, 5, 50, 20}, {65, 5, 50, 20}, {125, 5, 50, 20}, {5, 31, 50, 20}, {65, 31, 50, 20}};
        QTest::newRow("one pixel less wraps the third")
            << 179
            << QList<QRect>{
                   {5, 5, 50, 20}, {65, 5, 50, 20}, {5, 31, 50, 20}, {65, 31, 50, 20}, {5, 57, 50, 20}};
        QTest::newRow("all in one row")
            << 400
            << QList<QRect>{
                   {5, 5, 50, 20}, {65, 5, 50, 20}, {125, 5, 50, 20}, {185, 5, 50, 20}, {245, 5, 50, 20}};
        QTest::newRow("narrower than one box: one per row")
            << 40
            << QList<QRect>{
                   {5, 5, 50, 20}, {5, 31, 50, 20}, {5, 57, 50, 20}, {5, 83, 50, 20}, {5, 109, 50, 20}};
    }

    void wrapsRows()
    {
        QFETCH(int, width);
        QFETCH(QList<QRect>, expected);
        QWidget container;
        auto* layout = new FlowLayout(&container, 5, 10, 6);
        QList<QWidget*> boxes;
        for (int i = 0; i < 5; ++i) {
            boxes << addBox(&container, layout, QSize(50, 20));
        }
        layout->setGeometry(QRect(0, 0, width, 500));
        QCOMPARE(geometries(boxes), expected);
        QCOMPARE(layout->heightForWidth(width), expected.last().bottom() + 1 + 5);
    }

    void rowIsAsTallAsItsTallestItem()
    {
        QWidget container;
        auto* layout = new FlowLayout(&container, 0, 4, 4);
        addBox(&container, layout, QSize(30, 10));
        addBox(&container, layout, QSize(30, 40));
        QWidget* next = addBox(&container, layout, QSize(30, 10));
        layout->setGeometry(QRect(0, 0, 70, 200));
        QCOMPARE(next->geometry(), QRect(0, 44, 30, 10));
        QCOMPARE(layout->heightForWidth(70), 54);
        QVERIFY(layout->hasHeightForWidth());
        QCOMPARE(container.heightForWidth(70), 54);
    }

    void hiddenWidgetsTakeNoRoom()
    {
        QWidget container;
        auto* layout = new FlowLayout(&container, 0, 10, 10);
        QWidget* first = addBox(&container, layout, QSize(40, 20));
        QWidget* hidden = addBox(&container, layout, QSize(40, 20));
        QWidget* third = addBox(&container, layout, QSize(40, 20));
        hidden->hide();
        layout->setGeometry(QRect(0, 0, 90, 100));
        QCOMPARE(first->geometry(), QRect(0, 0, 40, 20));
        QCOMPARE(third->geometry(), QRect(50, 0, 40, 20));
        QCOMPARE(layout->heightForWidth(90), 20);
    }

    void horizonSpacingAndMarginsCentreAGrid()
    {
        // The catalog centres its cards by giving the gap to the left margin
        // and the spacing; the layout must place rows exactly from there.
        QWidget container;
        auto* layout = new FlowLayout(&container, 0, 10, 8);
        QList<QWidget*> cards;
        for (int i = 0; i < 5; ++i) {
            cards << addBox(&container, layout, QSize(234, 50));
        }
        layout->setHorizonSpacing(14);
        layout->setContentsMargins(14, 0, 0, 0);
        QCOMPARE(layout->horizontalSpacing(), 14);
        QCOMPARE(layout->verticalSpacing(), 8);
        layout->setGeometry(QRect(0, 0, 1010, 400));
        QCOMPARE(cards[0]->geometry().topLeft(), QPoint(14, 0));
        QCOMPARE(cards[3]->geometry().topLeft(), QPoint(14 + 3 * 248, 0));
        QCOMPARE(cards[4]->geometry().topLeft(), QPoint(14, 58));
    }

    void takeAtRemovesAndRelaysOut()
    {
        QWidget container;
        auto* layout = new FlowLayout(&container, 0, 0, 0);
        QWidget* first = addBox(&container, layout, QSize(10, 10));
        QWidget* second = addBox(&container, layout, QSize(10, 10));
        QCOMPARE(layout->count(), 2);
        QCOMPARE(layout->itemAt(1)->widget(), second);
        QVERIFY(!layout->itemAt(2));
        QVERIFY(!layout->takeAt(-1));
        delete layout->takeAt(0);
        QCOMPARE(layout->count(), 1);
        layout->setGeometry(QRect(0, 0, 100, 100));
        QCOMPARE(second->geometry().topLeft(), QPoint(0, 0));
        delete first;
    }

    void sizesFollowTheItems()
    {
        QWidget container;
        auto* layout = new FlowLayout(&container, 3, 5, 5);
        addBox(&container, layout, QSize(30, 10));
        addBox(&container, layout, QSize(60, 25));
        QCOMPARE(layout->minimumSize(), QSize(66, 31));
        QCOMPARE(layout->sizeHint(), QSize(66, 31));
        QCOMPARE(layout->expandingDirections(), Qt::Orientations());
    }

    void spacingFallsBackToLayoutSpacing()
    {
        QWidget container;
        auto* layout = new FlowLayout(&container, 0);
        layout->setSpacing(7);
        QWidget* a = addBox(&container, layout, QSize(10, 10));
        QWidget* b = addBox(&container, layout, QSize(10, 10));
        layout->setGeometry(QRect(0, 0, 25, 100));
        QCOMPARE(a->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(b->geometry().topLeft(), QPoint(0, 17));
    }
};

QTEST_MAIN(TestFlowLayout)
#include "tst_flowlayout.moc"
