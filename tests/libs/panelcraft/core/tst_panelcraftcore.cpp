// Text conversion and file concatenation.
#include "panelcraft/file.h"
#include "panelcraft/textconversion.h"

#include <QtTest>

class TestPanelcraftCore : public QObject
{
    Q_OBJECT

private slots:
    void convertsThroughTheSystemCodePageOrAGivenCodec()
    {
        const QString text = QStringLiteral("工具 Tool");
        QCOMPARE(crestui::ConvertFromUnicode(text), text.toUtf8());
        QCOMPARE(crestui::ConvertToUnicode(text.toUtf8()), text);

        QTextCodec* gbk = QTextCodec::codecForName("GBK");
        QVERIFY(gbk);
        const QByteArray gbkBytes = crestui::ConvertFromUnicode(text, gbk);
        QCOMPARE(gbkBytes, QByteArray("\xb9\xa4\xbe\xdf Tool"));
        QCOMPARE(crestui::ConvertToUnicode(gbkBytes, gbk), text);
    }

    void readAllConcatenatesInTheGivenOrder()
    {
        QTemporaryDir dir;
        const auto write = [&](const QString& name, const QByteArray& data) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
        };
        QVERIFY(write(QStringLiteral("b.qss"), "B{color:red}\n"));
        QVERIFY(write(QStringLiteral("a 样式.qss"), "/* 中文 */A{}\n"));
        const QString all = crestui::File::ReadAll(
            {QStringLiteral("b.qss"), QStringLiteral("missing.qss"), QStringLiteral("a 样式.qss")},
            dir.path());
        QCOMPARE(all, QStringLiteral("B{color:red}\n/* 中文 */A{}\n"));
        QCOMPARE(crestui::File::ReadAll({}, dir.path()), QString());
    }
};

QTEST_GUILESS_MAIN(TestPanelcraftCore)
#include "tst_panelcraftcore.moc"
