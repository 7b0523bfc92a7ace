// The transfer mode through the whole service: Setup.xml read per download,
// byte figures in the progress reply while a streamed download runs, and a
// service that keeps serving after a download failed on a full disk.
#include "packageserver.h"
#include "servicetestkit.h"
#include "wirelink/wirelink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using fixtures::Fault;
using fixtures::PackageServer;
using servicetest::post;
using servicetest::RunningHost;

namespace {

QJsonObject progressEntry(quint16 port, const QString& url)
{
    const servicetest::Reply reply = post(port, 4, {{url, QString()}});
    for (const auto& entry : QJsonDocument::fromJson(reply.raw).object().value("urlsToValue").toArray()) {
        if (entry.toObject().value("url").toString() == url)
            return entry.toObject();
    }
    return {};
}

} // namespace

class TestStreamedService : public QObject
{
    Q_OBJECT

    PackageServer m_cloud;

    QString publish(const QString& path, const QByteArray& data)
    {
        m_cloud.addFile(path, data);
        m_cloud.addFile(QString(path).replace(QStringLiteral(".zip"), QStringLiteral(".json")),
                        "{\"package_size\":" + QByteArray::number(data.size()) + "}");
        return m_cloud.url(path);
    }

    QByteArray packageRange(const QString& path)
    {
        for (const auto& record : m_cloud.log()) {
            if (record.path == path)
                return record.range;
        }
        return "<not asked>";
    }

private slots:
    void initTestCase()
    {
        NET_UTILS_Init();
        QVERIFY(m_cloud.start());
    }

    void modeIsReadForEveryDownload()
    {
        RunningHost running;
        servicetest::writeFakeUnpacker(running.moduleDir());
        QVERIFY(running.start());
        running.gate().open();
        QTemporaryDir downloads;
        const QString unzipDir = downloads.path() + QStringLiteral("/SubTools/");
        const QString streamed = publish(QStringLiteral("/mode/a.zip"), QByteArray(300000, 'a'));
        const QString ranged = publish(QStringLiteral("/mode/b.zip"), QByteArray(300000, 'b'));

        running.writeSetup(downloads.path(), {{QStringLiteral("TransferMode"), QStringLiteral("1")}});
        QVERIFY(post(running.port(), 3, {{streamed, unzipDir}}).ok);
        QTRY_COMPARE(running.host().readCell(streamed.toStdString()).value, 200);
        running.writeSetup(downloads.path());
        QVERIFY(post(running.port(), 3, {{ranged, unzipDir}}).ok);
        QTRY_COMPARE(running.host().readCell(ranged.toStdString()).value, 200);

        QCOMPARE(packageRange(QStringLiteral("/mode/a.zip")), QByteArray("bytes=0-"));
        QCOMPARE(packageRange(QStringLiteral("/mode/b.zip")), QByteArray("bytes=0-132767"));
        QCOMPARE(running.stop(), 0);
    }

    void progressReplyCarriesBytesWhileStreaming_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("figures");
        QTest::newRow("streamed") << QStringLiteral("1") << true;
        QTest::newRow("key absent") << QString() << false;
    }

    void progressReplyCarriesBytesWhileStreaming()
    {
        QFETCH(QString, mode);
        QFETCH(bool, figures);
        RunningHost running;
        servicetest::writeFakeUnpacker(running.moduleDir());
        QVERIFY(running.start());
        running.gate().open();
        QTemporaryDir downloads;
        QList<QPair<QString, QString>> more;
        if (!mode.isEmpty())
            more.append({QStringLiteral("TransferMode"), mode});
        running.writeSetup(downloads.path(), more);
        const QString path =
            QStringLiteral("/bytes/%1/tool.zip").arg(QTest::currentDataTag()).replace(' ', '_');
        const QString url = publish(path, QByteArray(1500000, 'x'));
        m_cloud.setFault(path, Fault::rate(600000));
        QVERIFY(post(running.port(), 3, {{url, downloads.path() + QStringLiteral("/SubTools/")}}).ok);

        bool sawFigures = false;
        bool sawRunning = false;
        QElapsedTimer timer;
        timer.start();
        QJsonObject entry;
        while (timer.elapsed() < 20000) {
            entry = progressEntry(running.port(), url);
            const QString value = entry.value("value").toString();
            if (value == QLatin1String("200"))
                break;
            if (value.toInt() > 0) {
                sawRunning = true;
                if (entry.contains("received")) {
                    sawFigures = true;
                    QVERIFY(entry.value("received").isDouble());
                    QCOMPARE(entry.value("total").toDouble(), 1500000.0);
                    QVERIFY(entry.value("rate").isDouble());
                    QVERIFY(entry.value("received").toDouble() <= 1500000.0);
                }
            }
            QTest::qWait(100);
        }
        QCOMPARE(entry.value("value").toString(), QStringLiteral("200"));
        QVERIFY(!entry.contains("received")); // a finished download shows none
        QVERIFY(sawRunning);
        QCOMPARE(sawFigures, figures);
        m_cloud.clearFaults();
        QCOMPARE(running.stop(), 0);
    }

    void fullDiskFailsOneDownloadAndTheServiceGoesOn()
    {
        RunningHost running;
        servicetest::writeFakeUnpacker(running.moduleDir());
        QVERIFY(running.start());
        running.gate().open();
        QTemporaryDir downloads;
        running.writeSetup(downloads.path(), {{QStringLiteral("TransferMode"), QStringLiteral("1")}});
        const QString unzipDir = downloads.path() + QStringLiteral("/SubTools/");
        const QString full = publish(QStringLiteral("/disk/full.zip"), QByteArray(400000, 'f'));
        const QString fine = publish(QStringLiteral("/disk/fine.zip"), QByteArray(400000, 'g'));

        {
            const servicetest::FileSizeLimit diskFull(100000);
            QVERIFY(post(running.port(), 3, {{full, unzipDir}}).ok);
            QTRY_COMPARE(running.host().readCell(full.toStdString()).value, -1);
        }
        QCOMPARE(servicetest::entriesIn(unzipDir), QStringList());
        QCOMPARE(progressEntry(running.port(), full).value("value").toString(), QStringLiteral("-1"));

        QVERIFY(post(running.port(), 3, {{fine, unzipDir}}).ok);
        QTRY_COMPARE(running.host().readCell(fine.toStdString()).value, 200);
        QFile received(unzipDir + QStringLiteral("received.bin"));
        QVERIFY(received.open(QIODevice::ReadOnly));
        QCOMPARE(received.readAll(), QByteArray(400000, 'g'));
        QCOMPARE(running.stop(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStreamedService)
#include "tst_streamedservice.moc"
