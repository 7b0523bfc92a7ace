// The picture button, the style-sheet widget and the window lookup.
#include "panelcraft/iconbutton.h"
#include "panelcraft/independentwindow.h"
#include "panelcraft/widget.h"

#include <QAccessible>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QtTest>

using crestui::GetIndependentWindow;
using crestui::IconButton;

namespace {

QPixmap solid(QSize size, QColor color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

} // namespace

class TestPanelcraftBasics : public QObject
{
    Q_OBJECT

private slots:
    void iconButtonShowsItsPictureStretched()
    {
        IconButton button;
        button.SetPixmap(solid(QSize(10, 5), QColor(0x12, 0x34, 0x56)));
        QCOMPARE(button.sizeHint(), QSize(10, 5));
        button.resize(80, 40);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(0x12, 0x34, 0x56));
        QCOMPARE(image.pixelColor(78, 38), QColor(0x12, 0x34, 0x56));
    }

    void iconButtonWithoutPictureShowsAPlaceholder()
    {
        IconButton button;
        button.SetPixmap(QPixmap(QStringLiteral(":/no/such/picture.png")));
        button.resize(30, 30);
        QCOMPARE(button.grab().toImage().pixelColor(15, 15), QColor(0xF5, 0xF5, 0xF5));
    }

    void iconButtonClicksAndIsNamed()
    {
        IconButton button;
        button.resize(40, 40);
        QSignalSpy clicked(&button, &IconButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Picture"));
        button.setAccessibleName(QStringLiteral("Banner of Tool"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Banner of Tool"));
    }

    void widgetPaintsItsStyleSheetBackground()
    {
        QWidget holder;
        holder.setStyleSheet(QStringLiteral("crestui--Widget { background: #2468ac; }"));
        auto* widget = new crestui::Widget(&holder);
        widget->resize(20, 20);
        holder.resize(40, 40);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), QStringLiteral("crestui::Widget"));
        QCOMPARE(widget->grab().toImage().pixelColor(10, 10), QColor(0x24, 0x68, 0xac));
    }

    void independentWindowIsTheTopLevel()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("mainWindow"));
        auto* page = new QWidget(&window);
        page->setObjectName(QStringLiteral("page"));
        auto* card = new QWidget(page);
        QCOMPARE(GetIndependentWindow(card, QString()), &window);
        QCOMPARE(GetIndependentWindow(card, QStringLiteral("no such name")), &window);
        QCOMPARE(GetIndependentWindow(card, QStringLiteral("page")), page);
        QCOMPARE(GetIndependentWindow(&window), &window);
        QCOMPARE(GetIndependentWindow(nullptr, QStringLiteral("page")), nullptr);

        // A dialog-like child window is its own top level.
        auto* popup = new QWidget(card, Qt::Window);
        auto* inside = new QWidget(popup);
        QCOMPARE(GetIndependentWindow(inside), popup);

        // A widget in a graphics scene leads to the window of the view.
        QGraphicsScene scene;
        auto* view = new QGraphicsView(&scene, page);
        auto* row = new QWidget;
        auto* button = new QWidget(row);
        scene.addWidget(row);
        QCOMPARE(GetIndependentWindow(button), &window);
        delete view;
        QCOMPARE(GetIndependentWindow(button), nullptr);
    }
};

QTEST_MAIN(TestPanelcraftBasics)
#include "tst_panelcraftbasics.moc"
