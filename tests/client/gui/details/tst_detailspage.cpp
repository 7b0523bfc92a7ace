// The details page as a whole: "Home Page", what passes to and from the left
// column, the description with its line limits and the detail pictures.
#include "details/bubleshapeframe.h"
#include "details/exhibitorthumbnail.h"
#include "details/moreinfoleftwidget.h"
#include "details/moreinforightbottomwidget.h"
#include "details/moreinforighttopwidget.h"
#include "details/toolmoreinfowidget.h"
#include "detailsfixture.h"
#include "transferfixture.h"
#include "widgets/tipdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using detailstest::DetailsInstallation;
using detailstest::findAccessible;
using detailstest::pressAccessible;
using detailstest::ToolSpec;
using gearmart::BubleShapeFrame;
using gearmart::ExhibitorThumbnail;
using gearmart::MoreInfoRightBottomWidget;
using gearmart::MoreInfoRightTopWidget;
using gearmart::ToolMoreInfoWidget;

namespace {

constexpr int kKey = 7;
const QColor kOutline(0xE6, 0xE6, 0xE6);
const QColor kSelected(0xE0, 0xE0, 0xE0);

// Words that fill about lines × 768 pixels in the font.
QString textOfLines(const QFont& font, double lines)
{
    const QFontMetricsF metrics(font);
    QString text;
    int word = 0;
    while (metrics.horizontalAdvance(text) < lines * 768)
        text += QStringLiteral("word%1 ").arg(word++);
    return text.trimmed();
}

QColor centreOfViewer(BubleShapeFrame* frame)
{
    return frame->grab().toImage().pixelColor(frame->pictureArea().center());
}

} // namespace

class TestDetailsPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DetailsInstallation> m_install;
    std::unique_ptr<transfertest::Model> m_model;

    // Pictures: colour per index, an invalid colour for a missing file.
    void install(ToolSpec tool, const QList<QColor>& pictures = {}, const QMap<QString, QString>& setup = {},
                 const char* folder = "EN")
    {
        m_install = std::make_unique<DetailsInstallation>(setup);
        tool.detailImages = pictures.size();
        for (int i = 0; i < pictures.size(); ++i) {
            if (pictures.at(i).isValid()) {
                QVERIFY(m_install->writePicture(QStringLiteral("ToolsFile/DetailImages/%1/%2/%1_%3.png")
                                                    .arg(tool.enName, QLatin1String(folder))
                                                    .arg(i),
                                                pictures.at(i)));
            }
        }
        QVERIFY(m_install->load({tool}));
        m_model = std::make_unique<transfertest::Model>();
    }

    gearmart::ToolTransfer* transfers() { return &m_model->transfers; }

    static QString introText(QWidget* page)
    {
        return page->findChild<QLabel*>(QStringLiteral("introTextLabel"))->text();
    }

private slots:
    void cleanup()
    {
        m_model.reset();
        m_install.reset();
        gearmart::TipDialog::resetForTesting();
    }

    void homePageGoesBack()
    {
        install(ToolSpec());
        ToolMoreInfoWidget page(DetailsInstallation::record(kKey), transfers());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy back(&page, &ToolMoreInfoWidget::signalGoBackToToolDownWidget);
        QVERIFY(pressAccessible(&page, QStringLiteral("Home Page")));
        QTRY_COMPARE(back.count(), 1);
        // The button carries its icon in the 24 x 24 square at its left.
        const QImage image = page.findChild<QWidget*>(QStringLiteral("goBackBtn"))->grab().toImage();
        const QColor background = image.pixelColor(1, 1);
        int drawn = 0;
        for (int y = 4; y < 28; ++y) {
            for (int x = 4; x < 28; ++x)
                drawn += image.pixelColor(x, y) != background;
        }
        QVERIFY(drawn > 20);
    }

    void passesBetweenWindowAndLeftColumn()
    {
        install(ToolSpec(), {}, {{QStringLiteral("DownloadPath"), QString()}});
        ToolMoreInfoWidget page(DetailsInstallation::record(kKey), transfers());
        QSignalSpy cover(&page, &ToolMoreInfoWidget::signalCover);
        auto* left = page.leftPart();

        // The left column renders the tool's transfer, however it began.
        m_model->failed(kKey, 404);
        QCOMPARE(left->look(), gearmart::MoreInfoLeftWidget::Look::Failed);
        DetailsInstallation::setState(kKey, 1, 0);
        emit page.signalToolDeleted(kKey);
        QCOMPARE(left->look(), gearmart::MoreInfoLeftWidget::Look::Failed);
        left->onCancel();
        QCOMPARE(left->look(), gearmart::MoreInfoLeftWidget::Look::Installed);
        DetailsInstallation::setState(kKey, 0, 0);
        emit page.signalToolDeleted(kKey);
        QCOMPARE(left->look(), gearmart::MoreInfoLeftWidget::Look::NotInstalled);

        // The missing download folder is reported under the window's cover.
        gearmart::TipDialog::setNextAnswerForTesting(1);
        left->onDownloadTool();
        QCOMPARE(cover.count(), 2);
        QCOMPARE(cover.at(0).at(0).toBool(), true);
        QCOMPARE(cover.at(1).at(0).toBool(), false);
    }

    void descriptionLineLimits()
    {
        install(ToolSpec());
        QFont font;
        {
            MoreInfoRightTopWidget probe(DetailsInstallation::record(kKey));
            font = probe.findChild<QLabel*>(QStringLiteral("introTextLabel"))->font();
        }
        ToolSpec tool;
        tool.briefEN = textOfLines(font, 3.5);
        const QString longText = textOfLines(font, 6);
        ToolSpec longTool = tool;
        longTool.key = 8;
        longTool.enName = QStringLiteral("LongTool");
        longTool.briefEN = longText;
        m_install = std::make_unique<DetailsInstallation>();
        QVERIFY(m_install->load({tool, longTool}));

        // 3.5 lines fit into four: whole, and nothing to expand.
        MoreInfoRightTopWidget fits(DetailsInstallation::record(kKey));
        fits.show();
        QCOMPARE(fits.lineLimit(), 4);
        QCOMPARE(introText(&fits), tool.briefEN);
        QVERIFY(!findAccessible(&fits, QStringLiteral("...more"))->object()->property("visible").toBool());
        QVERIFY(!fits.findChild<QWidget*>(QStringLiteral("updateWidget"))->isVisible());

        // Six lines are cut at the right end, inside 3.8 lines, until "...more".
        MoreInfoRightTopWidget cut(DetailsInstallation::record(8));
        cut.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cut));
        const QString shortened = introText(&cut);
        QVERIFY(shortened.endsWith(QChar(0x2026)));
        QVERIFY(longText.startsWith(shortened.chopped(1)));
        QVERIFY(QFontMetricsF(font).horizontalAdvance(shortened) <= 3.8 * 768);
        QVERIFY(QFontMetricsF(font).horizontalAdvance(shortened) > 3.5 * 768);
        QVERIFY(pressAccessible(&cut, QStringLiteral("...more")));
        QTRY_COMPARE(introText(&cut), longText);
        QCOMPARE(cut.lineLimit(), 100);
        QVERIFY(pressAccessible(&cut, QStringLiteral("return")));
        QTRY_COMPARE(introText(&cut), shortened);
        QVERIFY(findAccessible(&cut, QStringLiteral("...more")));
    }

    void pendingUpdateShortensTheDescription()
    {
        install(ToolSpec());
        QFont font = MoreInfoRightTopWidget(DetailsInstallation::record(kKey))
                         .findChild<QLabel*>(QStringLiteral("introTextLabel"))
                         ->font();
        ToolSpec tool;
        tool.briefEN = textOfLines(font, 2);
        m_install = std::make_unique<DetailsInstallation>();
        QVERIFY(m_install->load({tool}));
        DetailsInstallation::setState(kKey, 1, 1);

        MoreInfoRightTopWidget top(DetailsInstallation::record(kKey));
        top.show();
        QVERIFY(QTest::qWaitForWindowExposed(&top));
        QCOMPARE(top.lineLimit(), 1);
        QVERIFY(QFontMetricsF(font).horizontalAdvance(introText(&top)) <= 768);
        QVERIFY(top.findChild<QWidget*>(QStringLiteral("introMoreBtn"))->isVisible());
        QVERIFY(top.findChild<QWidget*>(QStringLiteral("updateWidget"))->isVisible());
        auto* notes = top.findChild<QLabel*>(QStringLiteral("updateTextLabel"));
        auto* notesButton = top.findChild<QPushButton*>(QStringLiteral("updateMoreBtn"));
        QVERIFY(!notes->isVisible());
        QCOMPARE(notes->text(), QStringLiteral("Faster probes."));
        QCOMPARE(notesButton->text(), QStringLiteral("...more"));
        notesButton->click();
        QVERIFY(notes->isVisible());
        QCOMPARE(notesButton->text(), QStringLiteral("return"));

        // Collapsing after reading all goes back to one line.
        top.onIntroMoreClicked();
        QCOMPARE(introText(&top), tool.briefEN);
        top.onIntroMoreClicked();
        QCOMPARE(top.lineLimit(), 1);

        // Once updated, the notes go and the description gets four lines.
        DetailsInstallation::setState(kKey, 1, 0);
        top.refresh();
        QVERIFY(!top.findChild<QWidget*>(QStringLiteral("updateWidget"))->isVisible());
        QCOMPARE(top.lineLimit(), 4);
        QCOMPARE(introText(&top), tool.briefEN);
    }

    void noPictures()
    {
        install(ToolSpec());
        MoreInfoRightBottomWidget bottom(DetailsInstallation::record(kKey));
        bottom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bottom));
        QCOMPARE(bottom.size(), QSize(768, 486));
        QCOMPARE(bottom.pictureCount(), 0);
        QCOMPARE(bottom.thumbnails().size(), 0);
        QCOMPARE(bottom.thumbnailFrame()->size(), QSize(0, 72));
        QCOMPARE(bottom.exhibitor()->pictureCount(), 0);
        bottom.exhibitor()->setCurrentIndex(0);
        QCOMPARE(bottom.exhibitor()->currentIndex(), 0);
        // An empty bubble: no pointer below it.
        const QImage image = bottom.grab().toImage();
        QVERIFY(image.pixelColor(384, 408) != kOutline);
    }

    void stripGeometryAndStyles()
    {
        install(ToolSpec(), {Qt::red, Qt::green, Qt::blue});
        MoreInfoRightBottomWidget bottom(DetailsInstallation::record(kKey));
        QCOMPARE(bottom.exhibitor()->geometry(), QRect(0, 0, 768, 426));
        QCOMPARE(bottom.exhibitor()->objectName(), QStringLiteral("m_pMultiLabelExhibitor"));
        QCOMPARE(bottom.thumbnailFrame()->geometry(), QRect((768 - 3 * 112) / 2, 486 - 72, 3 * 112, 72));
        const QList<ExhibitorThumbnail*> thumbnails = bottom.thumbnails();
        QCOMPARE(thumbnails.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(thumbnails.at(i)->objectName(), QStringLiteral("thumbnail%1").arg(i));
            QCOMPARE(thumbnails.at(i)->geometry(), QRect(i * 112, 0, 112, 72));
            QCOMPARE(thumbnails.at(i)->accessibleName(), QStringLiteral("Picture %1 of NetProbe").arg(i + 1));
        }
        // The first picture shows from the start, and its thumbnail is marked.
        QCOMPARE(
            thumbnails.at(0)->styleSheet(),
            QStringLiteral("QAbstractButton#thumbnail0             {                 background:#E0E0E0;  "
                           "           }"));
        QCOMPARE(thumbnails.at(1)->styleSheet(),
                 QStringLiteral("QAbstractButton#thumbnail1             {                 "
                                "background:#transparent;             }"));
    }

    void selectingAThumbnailSlidesThePicture()
    {
        install(ToolSpec(), {Qt::red, Qt::green, Qt::blue});
        MoreInfoRightBottomWidget bottom(DetailsInstallation::record(kKey));
        bottom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bottom));
        BubleShapeFrame* frame = bottom.exhibitor();
        QCOMPARE(frame->slideDuration(), 300);
        QCOMPARE(centreOfViewer(frame), QColor(Qt::red));
        QSignalSpy changed(frame, &BubleShapeFrame::signalThumbnailIndexChanged);

        frame->setSlideDuration(2000);
        QVERIFY(pressAccessible(&bottom, QStringLiteral("Picture 3 of NetProbe")));
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 2);
        QCOMPARE(frame->currentIndex(), 2);
        QVERIFY(frame->isSliding());
        // A second click meanwhile finishes the slide and starts the next one.
        frame->setSlideDuration(40);
        bottom.thumbnails().at(1)->click();
        QCOMPARE(changed.count(), 2);
        QTRY_VERIFY(!frame->isSliding());
        QCOMPARE(centreOfViewer(frame), QColor(Qt::green));
        frame->setCurrentIndex(2);
        QTRY_VERIFY(!frame->isSliding());
        QCOMPARE(centreOfViewer(frame), QColor(Qt::blue));

        const QList<ExhibitorThumbnail*> thumbnails = bottom.thumbnails();
        for (int i = 0; i < 3; ++i) {
            const QString sheet =
                i == 2 ? MoreInfoRightBottomWidget::selectedStyleSheet(thumbnails.at(i)->objectName())
                       : MoreInfoRightBottomWidget::unselectedStyleSheet(thumbnails.at(i)->objectName());
            QCOMPARE(thumbnails.at(i)->styleSheet(), sheet);
        }

        // The pointer stands over the selected thumbnail only, whose
        // background is the selection grey.
        const QImage image = bottom.grab().toImage();
        const int stripLeft = bottom.thumbnailFrame()->x();
        for (int i = 0; i < 3; ++i) {
            const int centre = stripLeft + i * 112 + 56;
            QCOMPARE(image.pixelColor(centre, 406) == kOutline, i == 2);
            QCOMPARE(image.pixelColor(stripLeft + i * 112 + 2, 416) == kSelected, i == 2);
        }
        QCOMPARE(frame->pointerTip(), QPointF(stripLeft + 2 * 112 + 56, 413));
    }

    void missingPictureKeepsItsPlace()
    {
        install(ToolSpec(), {Qt::red, QColor(), Qt::blue});
        MoreInfoRightBottomWidget bottom(DetailsInstallation::record(kKey));
        bottom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bottom));
        QCOMPARE(bottom.pictureCount(), 3);
        QCOMPARE(bottom.thumbnails().size(), 3);
        QVERIFY(gearmart::PictureCache::instance().isPlaceholder(bottom.pictures().at(1)));
        QVERIFY(!gearmart::PictureCache::instance().isPlaceholder(bottom.pictures().at(2)));
        bottom.exhibitor()->setSlideDuration(0);
        bottom.exhibitor()->setCurrentIndex(1);
        QTRY_VERIFY(!bottom.exhibitor()->isSliding());
        const QColor placeholder = centreOfViewer(bottom.exhibitor());
        QVERIFY(placeholder != QColor(Qt::red) && placeholder != QColor(Qt::blue));
        bottom.thumbnails().at(2)->click();
        QTRY_VERIFY(!bottom.exhibitor()->isSliding());
        QCOMPARE(centreOfViewer(bottom.exhibitor()), QColor(Qt::blue));
    }

    void picturesFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("translator");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("English") << "0" << QColor(Qt::green);
        QTest::newRow("Chinese") << "1" << QColor(Qt::red);
    }

    void picturesFollowTheLanguage()
    {
        QFETCH(QString, translator);
        QFETCH(QColor, expected);
        install(ToolSpec(), {Qt::green}, {{QStringLiteral("Translator"), translator}}, "EN");
        QVERIFY(m_install->writePicture(QStringLiteral("ToolsFile/DetailImages/NetProbe/CH/NetProbe_0.png"),
                                        Qt::red));
        ToolMoreInfoWidget page(DetailsInstallation::record(kKey), transfers());
        page.resize(1024, 720);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(centreOfViewer(page.rightBottomPart()->exhibitor()), expected);
        const QImage thumbnail = page.rightBottomPart()->thumbnails().at(0)->grab().toImage();
        QCOMPARE(thumbnail.pixelColor(56, 36), expected);
    }
};

QTEST_MAIN(TestDetailsPage)
#include "tst_detailspage.moc"
