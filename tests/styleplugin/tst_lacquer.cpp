// The style plugin loaded the way the client loads it: the installed
// plugins/libLacquer.so, found by the client's own plugin search.
#include "shell/pluginfinder.h"

#include <QFactoryInterface>
#include <QJsonObject>
#include <QMenu>
#include <QPainter>
#include <QPluginLoader>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

namespace {

const QString kPluginFolder = QStringLiteral(GEARLOFT_STAGE_DIR "/plugins");

// A base for the style that records what the style hands on to it.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole) const override
    {
        texts.append(text);
        textFlags.append(flags);
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        primitives.append(element);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    mutable QStringList texts;
    mutable QList<int> textFlags;
    mutable QList<PrimitiveElement> primitives;
};

} // namespace

class TestLacquer : public QObject
{
    Q_OBJECT

private:
    QObject* m_plugin = nullptr;

    QStyle* create(const QString& key)
    {
        QStyle* style = nullptr;
        QMetaObject::invokeMethod(m_plugin, "create", Qt::DirectConnection, Q_RETURN_ARG(QStyle*, style),
                                  Q_ARG(QString, key));
        return style;
    }

private slots:
    void initTestCase()
    {
        // Installed where the client looks for it, under the name it has.
        QVERIFY2(QFileInfo(kPluginFolder + QStringLiteral("/libLacquer.so")).isFile(),
                 "cmake --install left no plugins/libLacquer.so");
        QPluginLoader loader(kPluginFolder + QStringLiteral("/libLacquer.so"));
        const QJsonObject metaData = loader.metaData();
        QCOMPARE(metaData.value(QStringLiteral("IID")).toString(),
                 QStringLiteral("com.qt-project.Qt.Lacquer.QFactoryInterface"));
        QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("LacquerPlugin"));
        // No keys: Qt's own style factory never offers it.
        QVERIFY(metaData.value(QStringLiteral("MetaData")).toObject().isEmpty());
        QVERIFY(!metaData.contains(QStringLiteral("Keys")));
        QVERIFY(!QStyleFactory::keys().contains(QStringLiteral("Lacquer"), Qt::CaseInsensitive));

        // The key is matched exactly by the client's search too.
        QVERIFY(!gearmart::findPluginFactory(QStringLiteral("lacquer"), kPluginFolder));
        m_plugin = gearmart::findPluginFactory(QStringLiteral("Lacquer"), kPluginFolder);
        QVERIFY(m_plugin);
        auto* factory = qobject_cast<QFactoryInterface*>(m_plugin);
        QVERIFY(factory);
        QCOMPARE(factory->keys(), QStringList{QStringLiteral("Lacquer")});
        // The plugin object is one per process.
        QCOMPARE(gearmart::findPluginFactory(QStringLiteral("Lacquer"), kPluginFolder), m_plugin);
    }

    void createsOnlyForTheExactKey()
    {
        QStyle* first = create(QStringLiteral("Lacquer"));
        QStyle* second = create(QStringLiteral("Lacquer"));
        QVERIFY(first && second && first != second);
        QVERIFY(!create(QStringLiteral("lacquer")));
        QVERIFY(!create(QStringLiteral("LACQUER")));
        QVERIFY(!create(QStringLiteral("Lacquer ")));
        QVERIFY(!create(QString()));
        QVERIFY(!create(QStringLiteral("Fusion")));
        // Over the application's default style.
        auto* proxy = qobject_cast<QProxyStyle*>(first);
        QVERIFY(proxy);
        QCOMPARE(proxy->baseStyle()->metaObject()->className(), qApp->style()->metaObject()->className());
        delete first;
        delete second;
    }

    void metricsAndFocus()
    {
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        QCOMPARE(style->pixelMetric(QStyle::PM_MenuPanelWidth), 3);
        auto render = [](QStyle* s) {
            QImage image(40, 20, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QStyleOptionFocusRect option;
            option.rect = image.rect();
            // Fusion draws a focus frame only after a keyboard focus change.
            option.state = QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
            option.palette.setColor(QPalette::WindowText, Qt::black);
            s->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter);
            return image;
        };
        QImage white(40, 20, QImage::Format_ARGB32);
        white.fill(Qt::white);
        QProxyStyle plain;
        QVERIFY2(render(&plain) != white, "the base style draws no focus frame at all");
        QCOMPARE(render(style.get()), white);
    }

    void menuPanelIsThreeWhateverTheBase_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("default") << QString();
        QTest::newRow("Fusion") << "Fusion";
        QTest::newRow("Windows") << "Windows";
    }

    void menuPanelIsThreeWhateverTheBase()
    {
        QFETCH(QString, base);
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        if (!base.isEmpty())
            qobject_cast<QProxyStyle*>(style.get())->setBaseStyle(QStyleFactory::create(base));
        QMenu menu;
        menu.addAction(QStringLiteral("Open"));
        menu.setStyle(style.get());
        QCOMPARE(menu.style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, &menu), 3);
        // Other metrics are the base's.
        QCOMPARE(style->pixelMetric(QStyle::PM_ButtonMargin),
                 qobject_cast<QProxyStyle*>(style.get())->baseStyle()->pixelMetric(QStyle::PM_ButtonMargin));
        menu.setStyle(nullptr);
    }

    void onlyTheFocusRectangleIsLeftOut()
    {
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        auto* recorder = new RecordingStyle;
        qobject_cast<QProxyStyle*>(style.get())->setBaseStyle(recorder);
        QImage image(60, 30, QImage::Format_ARGB32);
        QPainter painter(&image);
        QStyleOptionFocusRect focus;
        focus.rect = image.rect();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
        QVERIFY(recorder->primitives.isEmpty());
        QStyleOptionButton button;
        button.rect = image.rect();
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter);
        QCOMPARE(recorder->primitives.value(0), QStyle::PE_PanelButtonCommand);
    }

    // Focused check boxes, radio buttons and view items: the plain base style
    // frames the focused label; with Lacquer nothing outside the indicator
    // (whose own focus colour is the base style's look, not a focus
    // rectangle) differs from the unfocused widget.
    void focusedWidgetsShowNoFocusRectangle_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::newRow("check box") << "checkbox";
        QTest::newRow("radio button") << "radio";
        QTest::newRow("view item") << "item";
    }

    void focusedWidgetsShowNoFocusRectangle()
    {
        QFETCH(QString, widget);
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        QProxyStyle plain;
        const QRect rect(0, 0, 140, 30);
        const QStyle::State focus = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        auto render = [&](QStyle* s, bool focused, QRect* indicator) {
            QImage image(rect.size(), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            if (widget == QStringLiteral("item")) {
                QStyleOptionViewItem option;
                option.rect = rect;
                option.text = QStringLiteral("Remember me");
                option.features = QStyleOptionViewItem::HasDisplay;
                option.palette = QApplication::palette();
                option.state = QStyle::State_Enabled | (focused ? focus : QStyle::State_None);
                s->drawControl(QStyle::CE_ItemViewItem, &option, &painter);
                *indicator = QRect();
            } else {
                const bool checkBox = widget == QStringLiteral("checkbox");
                QStyleOptionButton option;
                option.rect = rect;
                option.text = QStringLiteral("Remember me");
                option.palette = QApplication::palette();
                option.state =
                    QStyle::State_Enabled | QStyle::State_On | (focused ? focus : QStyle::State_None);
                s->drawControl(checkBox ? QStyle::CE_CheckBox : QStyle::CE_RadioButton, &option, &painter);
                *indicator = s->subElementRect(
                    checkBox ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option);
            }
            return image;
        };
        auto differsOutsideIndicator = [&](QStyle* s) {
            QRect indicator;
            const QImage focused = render(s, true, &indicator);
            const QImage unfocused = render(s, false, &indicator);
            for (int y = 0; y < focused.height(); ++y) {
                for (int x = 0; x < focused.width(); ++x) {
                    if (!indicator.contains(x, y) && focused.pixel(x, y) != unfocused.pixel(x, y))
                        return true;
                }
            }
            return false;
        };
        QVERIFY2(differsOutsideIndicator(&plain), "the base style draws no focus rectangle at all");
        QVERIFY(!differsOutsideIndicator(style.get()));
    }

    void itemTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("width"); // -1: just wide enough for "Save"
        QTest::addColumn<bool>("shortened");
        const QString longText = QStringLiteral("A rather long caption that cannot fit");
        QTest::newRow("single line") << longText << int(Qt::AlignLeft | Qt::AlignVCenter) << 80 << true;
        QTest::newRow("word wrap") << longText << int(Qt::AlignLeft | Qt::TextWordWrap) << 80 << false;
        QTest::newRow("wrap anywhere")
            << longText << int(Qt::AlignLeft | Qt::TextWrapAnywhere) << 80 << false;
        QTest::newRow("line feed") << QStringLiteral("A rather long caption\nthat cannot fit")
                                   << int(Qt::AlignLeft) << 80 << false;
        QTest::newRow("fits") << QStringLiteral("OK") << int(Qt::AlignLeft) << 80 << false;
        QTest::newRow("Chinese") << QStringLiteral("一个很长很长的工具名称不能完全显示")
                                 << int(Qt::AlignCenter) << 60 << true;
        // The ampersand is a mnemonic, not a character: "&Save" fits where "Save" does.
        QTest::newRow("mnemonic fits") << QStringLiteral("&Save") << int(Qt::AlignLeft) << -1 << false;
        QTest::newRow("mnemonic shortened")
            << QStringLiteral("&Save the whole document") << int(Qt::AlignLeft) << 70 << true;
    }

    void itemTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(int, width);
        QFETCH(bool, shortened);
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        auto* recorder = new RecordingStyle;
        qobject_cast<QProxyStyle*>(style.get())->setBaseStyle(recorder);
        QImage image(200, 40, QImage::Format_ARGB32);
        QPainter painter(&image);
        const QFontMetrics metrics = painter.fontMetrics();
        if (width < 0)
            width = metrics.horizontalAdvance(QStringLiteral("Save")) + 1;
        const QRect rect(0, 0, width, 40);
        style->drawItemText(&painter, rect, flags, QPalette(), true, text, QPalette::WindowText);

        QCOMPARE(recorder->texts.size(), 1);
        QCOMPARE(recorder->textFlags.value(0), flags); // handed on unchanged
        const QString drawn = recorder->texts.value(0);
        if (!shortened) {
            QCOMPARE(drawn, text);
            return;
        }
        QVERIFY2(drawn.endsWith(QChar(0x2026)), qPrintable(drawn));
        QCOMPARE(drawn, metrics.elidedText(text, Qt::ElideRight, width, flags | Qt::TextShowMnemonic));
    }

    void emptyTextDrawsNothing()
    {
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        auto* recorder = new RecordingStyle;
        qobject_cast<QProxyStyle*>(style.get())->setBaseStyle(recorder);
        QImage image(20, 20, QImage::Format_ARGB32);
        QPainter painter(&image);
        style->drawItemText(&painter, image.rect(), Qt::AlignLeft, QPalette(), true, QString());
        QVERIFY(recorder->texts.isEmpty());
    }

    void singleLineTextsAreShortened_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("shortened");
        const QString longText = QStringLiteral("A rather long caption that cannot fit");
        QTest::newRow("single line") << longText << int(Qt::AlignLeft) << true;
        QTest::newRow("word wrap") << longText << int(Qt::AlignLeft | Qt::TextWordWrap) << false;
        QTest::newRow("line feed") << QStringLiteral("A rather long\ncaption") << int(Qt::AlignLeft) << false;
        QTest::newRow("fits") << QStringLiteral("OK") << int(Qt::AlignLeft) << false;
    }

    void singleLineTextsAreShortened()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(bool, shortened);
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        // Render with the style and with the plain base; the difference shows elision.
        auto render = [&](QStyle* s) {
            QImage image(80, 40, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            s->drawItemText(&painter, QRect(0, 0, 80, 40), flags, QPalette(), true, text,
                            QPalette::WindowText);
            return image;
        };
        QProxyStyle plain;
        QCOMPARE(render(style.get()) != render(&plain), shortened);
    }
};

QTEST_MAIN(TestLacquer)
#include "tst_lacquer.moc"
