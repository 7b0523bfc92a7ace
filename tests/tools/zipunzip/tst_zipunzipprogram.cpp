#include "zipbuilder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>

// The built program as the download service runs it: argument vector in,
// exit code and one line of standard error out.
class ZipUnzipProgramTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString savePackage(const QString& name, const QByteArray& zip)
    {
        QFile file(m_tmp.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(zip) != zip.size())
            qFatal("cannot write the package");
        return file.fileName();
    }

    int run(const QStringList& args, QByteArray* errors, const QByteArray& locale = "C.UTF-8")
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", QString::fromLatin1(locale));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZIPUNZIP_PROGRAM), args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        *errors = process.readAllStandardError();
        return process.exitCode();
    }

private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C.UTF-8"); }

    void succeedsWithOne_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::newRow("utf-8 locale") << QByteArray("C.UTF-8");
        QTest::newRow("C locale") << QByteArray("C");
    }
    void succeedsWithOne()
    {
        QFETCH(QByteArray, locale);
        const QString package = savePackage("good.zip", ZipBuilder().file("工具/说明.txt", "zh").bytes());
        const QString target = m_tmp.filePath(QString::fromLatin1("good-" + locale));
        QByteArray errors;
        QCOMPARE(run({"1", package, target}, &errors, locale), 1);
        QCOMPARE(errors, QByteArray());
        QFile unpacked(target + "/工具/说明.txt");
        QVERIFY(unpacked.open(QIODevice::ReadOnly));
        QCOMPARE(unpacked.readAll(), QByteArray("zh"));
    }

    void failsWithReason_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        const QString good = savePackage("ok.zip", ZipBuilder().file("a.txt", "a").bytes());
        const QString evil =
            savePackage("evil.zip", ZipBuilder().file("ok.txt", "ok").file("../evil", "x").bytes());
        const QString target = m_tmp.filePath("failed");
        QTest::newRow("first argument not 1") << QStringList({"2", good, target}) << 2;
        QTest::newRow("missing folder argument") << QStringList({"1", good}) << 2;
        QTest::newRow("missing package") << QStringList({"1", m_tmp.filePath("none.zip"), target}) << 3;
        QTest::newRow("hostile archive") << QStringList({"1", evil, target}) << 3;
        QTest::newRow("folder is a file") << QStringList({"1", good, good}) << 4;
    }
    void failsWithReason()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QByteArray errors;
        QCOMPARE(run(args, &errors), code);
        QVERIFY(errors.endsWith('\n'));
        QCOMPARE(errors.count('\n'), 1);
        QVERIFY(!QFile::exists(m_tmp.filePath("failed")));
        QVERIFY(!QFile::exists(m_tmp.filePath("evil")));
    }
};

QTEST_GUILESS_MAIN(ZipUnzipProgramTest)
#include "tst_zipunzipprogram.moc"
