// The XML tree: what it reads, and the exact bytes it writes.
#include "panelcraft/genericds.h"

#include <QtTest>

using crestui::GenericDS;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestGenericDS : public QObject
{
    Q_OBJECT

private slots:
    void writesOneElementPerLineWithoutIndentation()
    {
        GenericDS root;
        QVERIFY(root.CreateASRoot(QStringLiteral("Tools")));
        GenericDS state = root.CreateChild(QStringLiteral("State"));
        QVERIFY(state.CreateChild(QStringLiteral("ToolKey")).SetValue(QStringLiteral("3")));
        QVERIFY(state.CreateChild(QStringLiteral("CurrentVersion")).SetValue(QString()));
        QVERIFY(!state.CreateChild(QStringLiteral("Empty")).isNull());
        QCOMPARE(root.toXmlData(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                              "<Tools>\n"
                                              "<State>\n"
                                              "<ToolKey>3</ToolKey>\n"
                                              "<CurrentVersion></CurrentVersion>\n"
                                              "<Empty></Empty>\n"
                                              "</State>\n"
                                              "</Tools>\n"));
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("markup characters") << QStringLiteral("Tools & <Games> \"x\" 'y'")
                                           << QByteArray("<V>Tools &amp; &lt;Games&gt; \"x\" 'y'</V>");
        QTest::newRow("chinese as utf-8")
            << QStringLiteral("D:/工具 下载")
            << QByteArray("<V>D:/\xe5\xb7\xa5\xe5\x85\xb7 \xe4\xb8\x8b\xe8\xbd\xbd</V>");
        QTest::newRow("line breaks stay on the line")
            << QStringLiteral("a\nb\r\nc") << QByteArray("<V>a&#10;b&#13;&#10;c</V>");
        QTest::newRow("blanks only") << QStringLiteral("  ") << QByteArray("<V>  </V>");
        QTest::newRow("outer blanks") << QStringLiteral(" /x y/ ") << QByteArray("<V> /x y/ </V>");
        QTest::newRow("looks like a tag")
            << QStringLiteral("</Value>") << QByteArray("<V>&lt;/Value&gt;</V>");
        QTest::newRow("emoji") << QStringLiteral("a\U0001F600") << QByteArray("<V>a\xf0\x9f\x98\x80</V>");
    }

    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.xml"));
        GenericDS root;
        QVERIFY(root.CreateASRoot(QStringLiteral("R")));
        QVERIFY(root.CreateChild(QStringLiteral("V")).SetValue(value));
        QVERIFY(root.SaveXML(path));
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.value(2), line);

        GenericDS loaded;
        QVERIFY(loaded.loadXML(path));
        QCOMPARE(loaded.GetChildByName(QStringLiteral("V")).GetValue(), value);
    }

    void readsDeclaredEncodings_data()
    {
        QTest::addColumn<QByteArray>("codec");
        QTest::newRow("GB2312") << QByteArray("GB2312");
        QTest::newRow("GBK") << QByteArray("GBK");
        QTest::newRow("UTF-16") << QByteArray("UTF-16");
    }

    void readsDeclaredEncodings()
    {
        QFETCH(QByteArray, codec);
        const QString text =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n<Setup>\n<DownloadPath>\n"
                           "<Value>D:/工具箱/下载</Value>\n</DownloadPath>\n</Setup>\n")
                .arg(QString::fromLatin1(codec));
        QTextCodec* textCodec = QTextCodec::codecForName(codec);
        QVERIFY(textCodec);
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        QByteArray bytes = textCodec->fromUnicode(text.constData(), text.size(), &state);
        if (codec == "UTF-16")
            bytes.prepend("\xff\xfe"); // little-endian with its mark, as Windows writes it
        GenericDS root;
        QVERIFY(root.loadXMLData(bytes));
        QCOMPARE(root.GetChildByName(QStringLiteral("DownloadPath"))
                     .GetChildByName(QStringLiteral("Value"))
                     .GetValue(),
                 QStringLiteral("D:/工具箱/下载"));
    }

    void navigatesChildrenInDocumentOrder()
    {
        GenericDS root;
        QVERIFY(root.loadXMLData("<R>\n  <A><Value>1</Value></A>\n<!-- note -->\n<B>2</B>\n<A>3</A>\n</R>"));
        QCOMPARE(root.GetName(), QStringLiteral("R"));
        QCOMPARE(root.GetChildrenCount(), 3);
        QCOMPARE(root.GetChild(1).GetName(), QStringLiteral("B"));
        QCOMPARE(root.GetChild(2).GetValue(), QStringLiteral("3"));
        QVERIFY(root.GetChild(3).isNull());
        QVERIFY(root.GetChild(-1).isNull());
        QCOMPARE(root.GetChildByName(QStringLiteral("A")).GetValue(), QStringLiteral("1"));
        QVERIFY(root.GetChildByName(QStringLiteral("Missing")).isNull());

        GenericDS none;
        QCOMPARE(none.GetChildrenCount(), 0);
        QVERIFY(none.GetChild(0).isNull());
        QCOMPARE(none.GetValue(), QString());
        QVERIFY(!none.SetValue(QStringLiteral("x")));
        QVERIFY(none.CreateChild(QStringLiteral("x")).isNull());
        QVERIFY(!none.SaveXML(QDir::temp().filePath(QStringLiteral("never-written.xml"))));
    }

    void copiesShareTheTree()
    {
        GenericDS root;
        QVERIFY(root.loadXMLData("<R><K><Value>old</Value></K><U>keep</U></R>"));
        GenericDS value = root.GetChild(0).GetChildByName(QStringLiteral("Value"));
        const GenericDS copy = value;
        QVERIFY(value.SetValue(QStringLiteral("new")));
        QCOMPARE(copy.GetValue(), QStringLiteral("new"));
        QCOMPARE(root.toXmlData(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R>\n<K>\n"
                                              "<Value>new</Value>\n</K>\n<U>keep</U>\n</R>\n"));
    }

    void refusesWhatXmlCannotHold()
    {
        GenericDS root;
        QVERIFY(root.loadXMLData("<R a=\"1 &amp; 2\"><K><Value>v</Value></K></R>"));
        QVERIFY2(!root.GetChild(0).SetValue(QStringLiteral("x")), "would drop the child elements");
        GenericDS value = root.GetChild(0).GetChild(0);
        QVERIFY(!value.SetValue(QString::fromUtf8("nul\0inside", 10)));
        QVERIFY(!value.SetValue(QString(QChar(0xD800))));
        QCOMPARE(value.GetValue(), QStringLiteral("v"));
        QVERIFY(root.CreateChild(QStringLiteral("bad name")).isNull());
        QVERIFY(root.CreateChild(QStringLiteral("1st")).isNull());
        QVERIFY(!root.CreateChild(QStringLiteral("工具")).isNull());
        QVERIFY(!GenericDS().CreateASRoot(QString()));
        // Attributes of loaded files survive a save.
        QVERIFY(root.toXmlData().contains("<R a=\"1 &amp; 2\">\n"));
    }

    void failedLoadKeepsTheHandle()
    {
        QTemporaryDir dir;
        GenericDS root;
        QVERIFY(root.loadXMLData("<R><A>1</A></R>"));
        QVERIFY(!root.loadXML(dir.filePath(QStringLiteral("missing.xml"))));
        QVERIFY(!root.loadXMLData("<R><A>1</R>"));
        QVERIFY(!root.loadXMLData(""));
        QVERIFY(!root.loadXMLData("<?xml version=\"1.0\"?>\n"));
        QCOMPARE(root.GetChild(0).GetValue(), QStringLiteral("1"));
    }

    void refusesHostileDocuments_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("cause");
        const QByteArray deep = QByteArray("<a>").repeated(40) + QByteArray("</a>").repeated(40);
        QTest::newRow("entity definitions")
            << QByteArray("<!DOCTYPE R [<!ENTITY e \"xxxxxxxx\">]><R>&e;&e;</R>")
            << "document type declaration";
        QTest::newRow("undeclared entity") << QByteArray("<R>&e;</R>") << "not well-formed";
        QTest::newRow("too deep") << deep << "nested deeper than 32 levels";
        QTest::newRow("too many elements")
            << "<R>" + QByteArray("<a/>").repeated(crestui::XmlLimits::kGenericMaxElements) + "</R>"
            << "more than 200000 elements";
        QTest::newRow("invalid UTF-8")
            << QByteArray("<R>\xff\xfe\xfd</R>") << "bytes that are not valid UTF-8";
        QByteArray attributes = "<R";
        for (int i = 0; i <= crestui::XmlLimits::kGenericMaxAttributes; ++i)
            attributes += " a" + QByteArray::number(i) + "='>'";
        QTest::newRow("too many attributes") << attributes + "/>"
                                             << "a tag with more than 64 attributes";
        QTest::newRow("unknown encoding")
            << QByteArray("<?xml version=\"1.0\" encoding=\"X-NONE\"?><R/>") << "unknown encoding X-NONE";
        QTest::newRow("empty") << QByteArray() << "";
    }

    void refusesHostileDocuments()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, cause);
        GenericDS root;
        QString error;
        QVERIFY(!root.loadXMLData(document, &error));
        QVERIFY2(error.contains(cause), qPrintable(error));
        QVERIFY(root.isNull());
    }

    void limitsTheFileBeforeReadingIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.xml"));
        QVERIFY(writeFile(path, "<R>" + QByteArray(200, 'x') + "</R>"));
        crestui::XmlLimits limits;
        limits.maxBytes = 100;
        GenericDS root;
        QString error;
        QVERIFY(!root.loadXML(path, limits, &error));
        QCOMPARE(error, QStringLiteral("207 bytes, more than 100"));
        QVERIFY(!root.loadXML(dir.path(), &error));
        QCOMPARE(error, QStringLiteral("not a regular file"));
        QVERIFY(root.loadXML(path, &error));

        // Children in one pass, in document order, elements only.
        QVERIFY(root.loadXMLData("<R><A>1</A>text<!-- c --><B>2</B></R>"));
        QStringList names;
        for (const GenericDS& child : root.GetChildren())
            names << child.GetName() + child.GetValue();
        QCOMPARE(names, (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    }

    void savesAtomically()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Setup.xml"));
        QVERIFY(writeFile(path, "<old/>"));
        GenericDS root;
        QVERIFY(root.CreateASRoot(QStringLiteral("New")));
        QVERIFY(root.SaveXML(path));
        QCOMPARE(readFile(path), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<New></New>\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Setup.xml")});

        // A target that cannot be replaced stays as it was.
        const QString folder = dir.filePath(QStringLiteral("folder.xml"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder.xml/inner")));
        QVERIFY(!root.SaveXML(folder));
        QVERIFY(QFileInfo(folder + QStringLiteral("/inner")).isDir());
        QVERIFY(!root.SaveXML(dir.filePath(QStringLiteral("no/such/folder/x.xml"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("no"))));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Setup.xml")});
    }
};

QTEST_GUILESS_MAIN(TestGenericDS)
#include "tst_genericds.moc"
