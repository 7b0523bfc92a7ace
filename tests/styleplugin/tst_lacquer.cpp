// The style plugin loaded the way the client loads it.
#include <QFactoryInterface>
#include <QPainter>
#include <QStyleOption>
#include <QPluginLoader>
#include <QProxyStyle>
#include <QPushButton>
#include <QtTest>

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
        QPluginLoader loader(QStringLiteral(LACQUER_PLUGIN));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        QCOMPARE(loader.metaData().value(QStringLiteral("IID")).toString(),
                 QStringLiteral("com.qt-project.Qt.Lacquer.QFactoryInterface"));
        m_plugin = loader.instance();
        auto* factory = qobject_cast<QFactoryInterface*>(m_plugin);
        QVERIFY(factory);
        QCOMPARE(factory->keys(), QStringList{QStringLiteral("Lacquer")});
    }

    void createsOnlyForTheExactKey()
    {
        QStyle* first = create(QStringLiteral("Lacquer"));
        QStyle* second = create(QStringLiteral("Lacquer"));
        QVERIFY(first && second && first != second);
        QVERIFY(!create(QStringLiteral("lacquer")));
        QVERIFY(!create(QStringLiteral("Fusion")));
        delete first;
        delete second;
    }

    void metricsAndFocus()
    {
        std::unique_ptr<QStyle> style(create(QStringLiteral("Lacquer")));
        QCOMPARE(style->pixelMetric(QStyle::PM_MenuPanelWidth), 3);
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionFocusRect option;
        option.rect = image.rect();
        option.palette.setColor(QPalette::WindowText, Qt::black);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter);
        painter.end();
        QImage white(40, 20, QImage::Format_ARGB32);
        white.fill(Qt::white);
        QCOMPARE(image, white);
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
            s->drawItemText(&painter, QRect(0, 0, 80, 40), flags, QPalette(), true, text, QPalette::WindowText);
            return image;
        };
        QProxyStyle plain;
        QCOMPARE(render(style.get()) != render(&plain), shortened);
    }
};

QTEST_MAIN(TestLacquer)
#include "tst_lacquer.moc"
