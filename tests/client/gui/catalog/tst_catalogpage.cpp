// The catalog page: which tools get cards, how the cards spread over the
// width, the banner's pictures and rotation, the sticky type bar with its
// fold button, and what passes between the main window and the cards.
#include "catalog/bannerindicatorwidget.h"
#include "catalog/bannerpicture.h"
#include "catalog/subtoolwidget.h"
#include "catalog/tooldownloadwidget.h"
#include "catalog/toolintropicturewidget.h"
#include "catalog/toolswiget.h"
#include "catalog/tooltypewidget.h"
#include "catalog/tooslistwidget.h"
#include "catalogfixture.h"
#include "common/picturecache.h"
#include "common/toolsearchfield.h"
#include "config/configmanager.h"
#include "launch/toollauncher.h"
#include "panelcraft/iconbutton.h"
#include "tooldata/tooldatamanager.h"
#include "transferfixture.h"
#include "widgets/progressbar.h"
#include "widgets/tipdialog.h"

#include <QEnterEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <signal.h>

using namespace gearmart;

namespace {

QColor smallColor(int key)
{
    return QColor(QColor::fromHsv((key * 37) % 360, 200, 200).rgb());
}

QColor largeColor(int key)
{
    return QColor(QColor::fromHsv((key * 37 + 180) % 360, 180, 120).rgb());
}

void writeBannerPicture(const QString& folder, const QString& name, const QColor& color)
{
    QDir().mkpath(folder);
    QVERIFY(catalogtest::solid(color, QSize(40, 20)).save(folder + QLatin1Char('/') + name, "PNG"));
}

QColor centreOf(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// The cards of each row, by their top edge.
QList<QList<SubToolWidget*>> rowsOf(const ToolsWiget& grid)
{
    QMap<int, QList<SubToolWidget*>> rows;
    for (SubToolWidget* card : grid.cards())
        rows[card->y()].append(card);
    return rows.values();
}

} // namespace

class TestCatalogPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    std::unique_ptr<transfertest::Model> m_model;

    void install(int lastKey, int language = 0, const QMap<QString, QString>& extra = {})
    {
        QMap<QString, QString> setup = extra;
        setup.insert(QStringLiteral("Translator"), QString::number(language));
        m_install = catalogtest::install(catalogtest::tools(2, lastKey), setup);
        QVERIFY(m_install);
        m_model = std::make_unique<transfertest::Model>();
    }

    ToolTransfer* transfers() { return &m_model->transfers; }

    QString bannerFolder(int language) const
    {
        return m_install->filePath(QStringLiteral("ToolsFile/BannerImages/") +
                                   (language == 1 ? QStringLiteral("zh") : QStringLiteral("en")));
    }

    void writeBanner(const QList<int>& keys, int language = 0)
    {
        for (int key : keys) {
            writeBannerPicture(bannerFolder(language), QStringLiteral("%1_min.png").arg(key),
                               smallColor(key));
            writeBannerPicture(bannerFolder(language), QStringLiteral("%1_max.png").arg(key),
                               largeColor(key));
        }
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        PictureCache::instance().clear();
        SubToolWidget::setFreeSpaceFunctionForTesting([](const QString&) { return 100.0; });
    }

    void cleanup()
    {
        SubToolWidget::setFreeSpaceFunctionForTesting({});
        m_model.reset();
        m_install.reset();
    }

    void gridHoldsEveryToolButTheReservedOnes_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("English") << 0 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
        QTest::newRow("Chinese") << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    }

    void gridHoldsEveryToolButTheReservedOnes()
    {
        QFETCH(int, language);
        QFETCH(QList<int>, keys);
        install(12, language);
        ToolsWiget grid(transfers());
        QCOMPARE(grid.toolKeys(), keys.toVector());
        QVERIFY(grid.cards().isEmpty()); // nothing made before it shows
        grid.resize(1100, grid.heightForWidth(1100));
        grid.show();
        QList<int> shown;
        for (SubToolWidget* card : grid.cards())
            shown << card->toolKey();
        QCOMPARE(shown, keys);
    }

    void cardsPerRowLeaveTenPixelsAround_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("perRow");
        for (int n = 1; n <= 5; ++n) {
            const int exact = n * 234 + 10 * (n + 1);
            QTest::addRow("%d cards, just wide enough", n) << exact << n;
            if (n > 1)
                QTest::addRow("%d cards, one pixel short", n) << exact - 1 << n - 1;
        }
        QTest::newRow("narrower than a card") << 200 << 1;
        QTest::newRow("one card without room around") << 240 << 1;
    }

    void cardsPerRowLeaveTenPixelsAround()
    {
        QFETCH(int, width);
        QFETCH(int, perRow);
        QCOMPARE(ToolsWiget::cardsPerRow(width, 234), perRow);
        QCOMPARE(ToolsWiget::cardsPerRow(width, 0), perRow); // no card yet: the card's width

        install(13);
        ToolsWiget grid(transfers());
        grid.resize(width, 400);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const int gap = ToolsWiget::gapFor(width, 234);
        QTRY_COMPARE(grid.cards().first()->x(), gap);
        const auto rows = rowsOf(grid);
        QCOMPARE(rows.first().size(), perRow);
        for (const auto& row : rows) {
            QVERIFY(row.size() <= perRow);
            QCOMPARE(row.first()->x(), gap);
            for (int i = 1; i < row.size(); ++i)
                QCOMPARE(row[i]->x() - row[i - 1]->x(), 234 + gap);
            // Nothing sticks out on the right.
            QVERIFY(row.last()->x() + 234 <= width || perRow == 1);
        }
        if (width >= 234 + 20)
            QVERIFY(gap >= 10);
    }

    void pagePassesBetweenWindowAndCards()
    {
        install(5);
        ToolDownloadWidget page(transfers());
        page.resize(1024, 700);
        page.show();
        ToolsWiget* grid = page.listWidget()->toolsWidget();
        SubToolWidget* card2 = grid->card(2);
        SubToolWidget* card3 = grid->card(3);
        QVERIFY(card2 && card3);
        QSignalSpy moreInfo(&page, &ToolDownloadWidget::signalShowMoreInfoWidget);
        QSignalSpy cover(&page, &ToolDownloadWidget::signalCover);

        // Up: details and cover; requests go to the model.
        card2->findChild<QPushButton*>(QStringLiteral("downLoadBtn"))->click();
        QCOMPARE(m_model->methods(), QList<int>{DownloadSubTool});
        card3->findChild<QPushButton*>(QStringLiteral("toolName"))->click();
        QCOMPARE(moreInfo.size(), 1);
        QCOMPARE(moreInfo[0][0].toInt(), 3);
        ConfigManager::instance()->setDownloadPath(QString());
        TipDialog::setNextAnswerForTesting(1);
        card3->findChild<QPushButton*>(QStringLiteral("downLoadBtn"))->click();
        QCOMPARE(cover.size(), 2);

        // Down: a tool deleted on the board.
        m_model->answer(DownloadSubTool, 2, QStringLiteral("0"));
        m_model->answer(DownloadProgress, 2, QStringLiteral("200"));
        QCOMPARE(card2->look(), SubToolWidget::Look::Installed);
        ToolDataManager::instance()->toolStates()[2].IsDownload = 0;
        emit page.signalToolDeleted(2);
        QCOMPARE(card2->look(), SubToolWidget::Look::NotInstalled);
    }

    void bannerShowsFeaturedTools()
    {
        install(8, 1);
        writeBanner({2, 3, 4, 5}, 1);
        writeBanner({6, 7, 8, 9}, 0); // the other language's pictures
        // Names the banner does not take.
        for (const char* name : {"0_min.png", "0_max.png", "1_min.png", "1_max.png", "7.png", "6_min_x.png",
                                 "x_min.png", "minmax.png"})
            writeBannerPicture(bannerFolder(1), QString::fromLatin1(name), Qt::black);
        QVERIFY(QDir().mkpath(bannerFolder(1) + QStringLiteral("/8_min.png")));
        writeBannerPicture(bannerFolder(1), QStringLiteral("8_max.jpg"), Qt::black);

        QCOMPARE(ToolIntroPictureWidget::bannerFolder(), bannerFolder(1));
        ToolIntroPictureWidget banner;
        banner.resize(1014, 282);
        banner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&banner));
        QCOMPARE(banner.size(), QSize(1014, 282));
        // The picture takes what the thumbnails leave.
        QCOMPARE(banner.largePicture()->width(), 1014 - 278 - 6);
        QVERIFY(banner.isFilled());
        QCOMPARE(banner.smallPictures().keys(), (QList<int>{2, 3, 4, 5}));
        QCOMPARE(banner.largePictures().keys(), (QList<int>{2, 3, 4, 5}));
        QCOMPARE(banner.thumbnailKeys(), (QList<int>{2, 3, 4}));
        QCOMPARE(banner.shownKey(), 2);
        QCOMPARE(banner.rotationInterval(), 5000);
        QVERIFY(banner.isRotating());
        QCOMPARE(centreOf(banner.largePicture()), largeColor(2));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(banner.thumbnails()[i]->size(), QSize(278, 94));
            QCOMPARE(centreOf(banner.thumbnails()[i]), smallColor(2 + i));
        }
        QVERIFY(catalogtest::findShown(&banner, QStringLiteral("Show 工具2")));
        QVERIFY(catalogtest::findShown(&banner, QStringLiteral("Show 工具4")));
        QVERIFY(!banner.switchButton()->isVisible());
    }

    void bannerStaysEmptyWithoutEnoughPairs_data()
    {
        QTest::addColumn<QList<int>>("pairs");
        QTest::addColumn<QString>("extra");
        QTest::newRow("three tools") << QList<int>{2, 3, 4} << QString();
        QTest::newRow("a large picture missing") << QList<int>{2, 3, 4} << QStringLiteral("5_min.png");
        QTest::newRow("a small picture missing") << QList<int>{2, 3, 4} << QStringLiteral("5_max.png");
        QTest::newRow("no folder") << QList<int>{} << QString();
    }

    void bannerStaysEmptyWithoutEnoughPairs()
    {
        QFETCH(QList<int>, pairs);
        QFETCH(QString, extra);
        install(8);
        writeBanner(pairs);
        if (!extra.isEmpty())
            writeBannerPicture(bannerFolder(0), extra, Qt::red);
        ToolIntroPictureWidget banner;
        banner.show();
        QVERIFY(!banner.isFilled());
        QVERIFY(banner.thumbnailKeys().isEmpty());
        QCOMPARE(banner.shownKey(), -1);
        QVERIFY(!banner.isRotating());
        QVERIFY(!banner.switchButton());
        QVERIFY(banner.largePicture()->pixmap().isNull());
        QSignalSpy clicked(&banner, &ToolIntroPictureWidget::signalClicked);
        banner.largePicture()->click();
        banner.onRotate();
        QVERIFY(clicked.isEmpty());
    }

    // A banner picture is never stretched or cut, whatever the page's width.
    void bannerPictureKeepsItsShape_data()
    {
        QTest::addColumn<QSize>("place");
        QTest::addColumn<QRect>("drawn");
        QTest::newRow("its own size") << QSize(730, 280) << QRect(0, 0, 730, 280);
        QTest::newRow("wider: colour on the right") << QSize(1600, 280) << QRect(0, 0, 730, 280);
        QTest::newRow("narrower: shrunk, centred") << QSize(365, 280) << QRect(0, 70, 365, 140);
    }

    void bannerPictureKeepsItsShape()
    {
        QFETCH(QSize, place);
        QFETCH(QRect, drawn);
        QCOMPARE(BannerPicture::pictureRect(QSize(730, 280), place), drawn);
    }

    void bannerTurnsToTheNextTool()
    {
        install(8);
        writeBanner({2, 4, 5, 7});
        ToolIntroPictureWidget banner;
        banner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&banner));

        banner.onRotate();
        QCOMPARE(banner.thumbnailKeys(), (QList<int>{4, 5, 7}));
        QCOMPARE(banner.shownKey(), 4);
        banner.onRotate();
        QCOMPARE(banner.thumbnailKeys(), (QList<int>{5, 7, 2})); // round again
        QCOMPARE(banner.shownKey(), 5);
        QCOMPARE(centreOf(banner.thumbnails()[2]), smallColor(2));
        QCOMPARE(centreOf(banner.largePicture()), largeColor(5));
        banner.onRotate();
        banner.onRotate();
        QCOMPARE(banner.thumbnailKeys(), (QList<int>{2, 4, 5}));
        QCOMPARE(banner.shownKey(), 2);

        // By itself, at the set pace.
        banner.setRotationInterval(20);
        QTRY_COMPARE(banner.shownKey(), 4);
        QTRY_COMPARE(banner.shownKey(), 5);
    }

    void pointingAndClickingTheBanner()
    {
        install(8);
        writeBanner({2, 3, 4, 5});
        ToolDownloadWidget page(transfers());
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ToolIntroPictureWidget* banner = page.banner();
        QSignalSpy moreInfo(&page, &ToolDownloadWidget::signalShowMoreInfoWidget);

        // Pointing at a thumbnail shows its large picture.
        BannerIndicatorWidget* third = banner->thumbnails()[2];
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(third, &enter);
        QCOMPARE(banner->shownKey(), 4);
        QCOMPARE(centreOf(banner->largePicture()), largeColor(4));

        banner->largePicture()->click();
        third->pictureButton()->click();
        banner->thumbnails()[0]->pictureButton()->click();
        QCOMPARE(moreInfo.size(), 3);
        QCOMPARE(moreInfo[0][0].toInt(), 4);
        QCOMPARE(moreInfo[1][0].toInt(), 4);
        QCOMPARE(moreInfo[2][0].toInt(), 2);
        // The large picture names the tool it shows.
        QVERIFY(catalogtest::press(banner, QStringLiteral("Show Tool4")));
        QTRY_COMPARE(moreInfo.size(), 4);

        // The switch button shows while the pointer is over the banner.
        QEvent enterBanner(QEvent::Enter);
        QApplication::sendEvent(banner, &enterBanner);
        QVERIFY(banner->switchButton()->isVisible());
        // Under the thumbnails at the right end, whatever the page's width.
        QCOMPARE(banner->switchButton()->pos(), QPoint(banner->width() - 278 + 117, 248));
        QCOMPARE(banner->switchButton()->size(), QSize(32, 32));
        banner->setRotationInterval(60000);
        QVERIFY(catalogtest::press(banner, QStringLiteral("Next picture")));
        QTRY_COMPARE(banner->shownKey(), 5);
        QCOMPARE(banner->thumbnailKeys(), (QList<int>{3, 4, 5}));
        QVERIFY(banner->isRotating());
        QEvent leaveBanner(QEvent::Leave);
        QApplication::sendEvent(banner, &leaveBanner);
        QVERIFY(!banner->switchButton()->isVisible());
    }

    void typeBarAndFoldButton()
    {
        install(13);
        writeBanner({2, 3, 4, 5});
        ToolDownloadWidget page(transfers());
        page.resize(1100, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ToolTypeWidget* bar = page.typeBar();
        QPushButton* fold = page.foldButton();
        QWidget* holder = page.bannerHolder();
        QWidget* contents = page.scrollArea()->widget();
        QScrollBar* scroll = page.scrollArea()->verticalScrollBar();

        QCOMPARE(bar->height(), 40);
        QCOMPARE(bar->allToolButton()->text(), QStringLiteral("All Tool (11)"));
        QCOMPARE(bar->allToolButton()->iconSize(), QSize(24, 24));
        QVERIFY(bar->allToolButton()->isChecked());
        QVERIFY(catalogtest::findShown(&page, QStringLiteral("All Tool")));
        QCOMPARE(fold->size(), QSize(24, 24));
        QCOMPARE(fold->styleSheet(),
                 QStringLiteral(
                     "QPushButton{border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_fold.png);}"
                     "QPushButton:hover{background: #ebebeb;}QPushButton:pressed{background: #e0e0e0;}"));
        QCOMPARE(holder->height(), 282);
        QCOMPARE(page.typeBarPlace()->height(), 68);
        QTRY_COMPARE(fold->pos(), QPoint(holder->x() + contents->width() - 32, 10));
        QCOMPARE(bar->pos(), QPoint(holder->x() + 8, 294));
        QCOMPARE(bar->width(), contents->width() - 8);

        // The bar scrolls with the page until it reaches the top, then stays there.
        QTRY_VERIFY(scroll->maximum() > 500);
        scroll->setValue(200);
        QCOMPARE(bar->y(), 294);
        scroll->setValue(294);
        QCOMPARE(bar->y(), 294);
        scroll->setValue(295);
        QCOMPARE(bar->y(), 295);
        scroll->setValue(450);
        QCOMPARE(bar->y(), 450);

        // Folding hides the banner; the bar keeps to the top.
        QVERIFY(catalogtest::press(&page, QStringLiteral("Fold banner")));
        QTRY_VERIFY(page.isBannerFolded());
        QVERIFY(!holder->isVisible());
        QCOMPARE(fold->styleSheet(),
                 QStringLiteral(
                     "QPushButton{border-image:url(:/Gearmart/Image/Gearmatt/icon/ic_unfold.png);}"
                     "QPushButton:hover{background: #ebebeb;}QPushButton:pressed{background: #e0e0e0;}"));
        QCOMPARE(page.typeBarPlace()->height(), 56);
        scroll->setValue(12);
        QCOMPARE(bar->y(), 0);
        scroll->setValue(13);
        QCOMPARE(bar->y(), 13);

        QVERIFY(catalogtest::press(&page, QStringLiteral("Unfold banner")));
        QTRY_VERIFY(!page.isBannerFolded());
        QVERIFY(holder->isVisible());
        QCOMPARE(scroll->value(), 0);
        QCOMPARE(bar->pos(), QPoint(holder->x() + 8, 294));
        QCOMPARE(page.typeBarPlace()->height(), 68);

        // A narrower page: the controls follow.
        page.resize(1050, 600);
        QTRY_COMPARE(bar->width(), contents->width() - 8);
        QCOMPARE(fold->x(), holder->x() + contents->width() - 32);
    }

    // A large catalog: cards exist for what is on screen and a row around
    // it; the rest come as the page scrolls, and a card made again shows
    // its tool's transfer as the one let go did.
    void cardsAreMadeForWhatIsOnScreen()
    {
        install(301);
        ToolDownloadWidget page(transfers());
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ToolsWiget* grid = page.listWidget()->toolsWidget();
        QScrollBar* scroll = page.scrollArea()->verticalScrollBar();
        QWidget* viewport = page.scrollArea()->viewport();
        // Every place in view has its card; no card is far out of it.
        const auto madeAroundView = [&]() -> QString {
            const QRect view(grid->mapFrom(viewport, QPoint(0, 0)), viewport->size());
            const QRect near = view.adjusted(0, -262 * (ToolsWiget::kRowsKept + 1), 0,
                                             262 * (ToolsWiget::kRowsKept + 1));
            const QVector<int>& shown = grid->shownKeys();
            for (int i = 0; i < shown.size(); ++i) {
                SubToolWidget* card = grid->card(shown.at(i));
                if (grid->cardRect(i).intersects(view) && (!card || !card->isVisible()))
                    return QStringLiteral("no card in view for %1").arg(shown.at(i));
                if (card && !card->geometry().intersects(near))
                    return QStringLiteral("card %1 kept far out of view").arg(shown.at(i));
            }
            return QString();
        };
#define CHECK_MADE() QVERIFY2(madeAroundView().isEmpty(), qPrintable(madeAroundView()))
        QTRY_VERIFY(scroll->maximum() > 262 * 50);
        CHECK_MADE();
        QVERIFY(grid->cards().size() < 60);
        QVERIFY(grid->card(2));
        QVERIFY(!grid->card(301));
        m_model->running(2, 40);

        // Scrolling down in steps, as a wheel does.
        for (int value = 0; value <= scroll->maximum(); value += 240) {
            scroll->setValue(value);
            CHECK_MADE();
        }
        scroll->setValue(scroll->maximum());
        QVERIFY(grid->card(301));
        QVERIFY(!grid->card(2));
        // Cards reused for other tools show nothing of the one they showed.
        for (SubToolWidget* card : grid->cards()) {
            QCOMPARE(card->look(), SubToolWidget::Look::NotInstalled);
            QVERIFY(catalogtest::findShown(card, QStringLiteral("Download Tool%1").arg(card->toolKey())));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        scroll->setValue(0);
        CHECK_MADE();
#undef CHECK_MADE
        SubToolWidget* again = grid->card(2);
        QVERIFY(again);
        QVERIFY(again->isVisible());
        QCOMPARE(again->look(), SubToolWidget::Look::Downloading);
        QCOMPARE(again->findChild<ProgressBar*>(QStringLiteral("progressBar"))->value(), 40);
    }

    // Tab goes through the cards in grid order, into those made on the way.
    void tabWalksTheCardsInOrder()
    {
        install(61);
        ToolDownloadWidget page(transfers());
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        ToolsWiget* grid = page.listWidget()->toolsWidget();
        QTRY_VERIFY(grid->card(2));
        // From the search field, the next stop is the first card.
        page.typeBar()->searchField()->setFocus(Qt::TabFocusReason);
        QList<int> visited{0};
        for (int press = 0; press < 200 && visited.last() < 61; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            while (focus && !qobject_cast<SubToolWidget*>(focus))
                focus = focus->parentWidget();
            QVERIFY2(focus, "Tab left the cards");
            const int key = static_cast<SubToolWidget*>(focus)->toolKey();
            if (key != visited.last())
                visited << key;
        }
        QList<int> expected{0};
        for (int key = 2; key <= 61; ++key) {
            if (key != 11)
                expected << key;
        }
        QCOMPARE(visited, expected);
        // The focused card was brought into view.
        SubToolWidget* last = grid->card(61);
        const QRect inView(last->mapTo(page.scrollArea()->viewport(), QPoint(0, 0)), last->size());
        QVERIFY(page.scrollArea()->viewport()->rect().intersects(inView));
    }

    void searchAndCategoriesChooseTheCards()
    {
        QList<testcatalog::Tool> tools = catalogtest::tools(2, 13);
        for (testcatalog::Tool& tool : tools)
            tool.type = tool.key % 3 + 1; // 2, 5, 8: Office and media; 3, 6, 9, 12: System; ...
        m_install = catalogtest::install(tools, {{QStringLiteral("Translator"), QStringLiteral("0")}});
        QVERIFY(m_install);
        m_model = std::make_unique<transfertest::Model>();
        ToolDownloadWidget page(transfers());
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        ToolTypeWidget* bar = page.typeBar();
        ToolsWiget* grid = page.listWidget()->toolsWidget();
        ToolSearchField* search = bar->searchField();
        const auto shownCards = [grid] {
            QList<int> keys;
            for (SubToolWidget* card : grid->cards()) {
                if (card->isVisible())
                    keys << card->toolKey();
            }
            return keys;
        };

        // The catalog's categories in its order, each with its count (11 is Chinese only).
        QStringList texts;
        for (QPushButton* button : bar->categoryButtons())
            texts << button->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Office and media (3)"), QStringLiteral("System tools (4)"),
                                     QStringLiteral("Network tools (4)")}));
        QCOMPARE(bar->allToolButton()->text(), QStringLiteral("All Tool (11)"));

        // Ctrl+F anywhere on the page goes to the field; typing filters at once.
        grid->card(5)->setFocus();
        QTest::keyClick(&page, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(search->hasFocus());
        QTest::keyClicks(search, QStringLiteral("TOOL1"));
        QCOMPARE(shownCards(), (QList<int>{10, 12, 13}));
        // A category is a choice a screen reader toggles.
        QAccessibleInterface* system = catalogtest::findShown(&page, QStringLiteral("System tools"));
        QVERIFY(system && system->actionInterface());
        system->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_COMPARE(bar->chosenCategory(), 1);
        QCOMPARE(shownCards(), (QList<int>{12}));
        // Arrow keys move the choice along the bar.
        bar->categoryButtons().at(1)->setFocus();
        QTest::keyClick(bar->categoryButtons().at(1), Qt::Key_Right);
        QCOMPARE(bar->chosenCategory(), 2);
        QCOMPARE(shownCards(), (QList<int>{10, 13}));

        // No match: said so, and one press brings the tools back.
        search->setText(QStringLiteral("Tool4 (beta)"));
        QVERIFY(page.listWidget()->showsNoMatch());
        QVERIFY(catalogtest::findShown(&page, QStringLiteral("No tool matches \"Tool4 (beta)\".")));
        QVERIFY(catalogtest::press(&page, QStringLiteral("Clear search")));
        QTRY_VERIFY(search->text().isEmpty());
        QVERIFY(!page.listWidget()->showsNoMatch());
        QCOMPARE(shownCards(), (QList<int>{4, 7, 10, 13}));

        // Escape empties the field; "All Tool" shows everything again.
        QTest::keyClicks(search, QStringLiteral("tool7"));
        QCOMPARE(shownCards(), (QList<int>{7}));
        QTest::keyClick(search, Qt::Key_Escape);
        QVERIFY(search->text().isEmpty());
        QVERIFY(bar->choose(ToolTypeWidget::kAll));
        QCOMPARE(shownCards().size(), 11);
    }

    void theWholeCatalogCanBeScrolledTo()
    {
        install(13);
        ToolDownloadWidget page(transfers());
        page.resize(1100, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QScrollBar* scroll = page.scrollArea()->verticalScrollBar();
        QTRY_VERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        SubToolWidget* last = page.listWidget()->toolsWidget()->card(13);
        QVERIFY(last);
        const QPoint bottom = last->mapTo(page.scrollArea()->viewport(), QPoint(0, last->height()));
        QVERIFY(bottom.y() <= page.scrollArea()->viewport()->height());
    }
};

QTEST_MAIN(TestCatalogPage)
#include "tst_catalogpage.moc"
