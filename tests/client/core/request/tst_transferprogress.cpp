// Byte figures in progress replies: how each entry's members are read, and
// how the router passes them on beside the values without changing those.
#include "request/clientrequest.h"
#include "request/requestmethod.h"
#include "request/requestrouter.h"
#include "request/transferprogress.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace gearmart;
using ValueMap = QMap<int, QString>;

namespace {

QString urlOf(int key)
{
    return QStringLiteral("http://cloud/tools/%1.zip").arg(key);
}

TransferProgress figures(qint64 received, qint64 total, qint64 rate)
{
    TransferProgress progress;
    progress.received = received;
    progress.total = total;
    progress.rate = rate;
    return progress;
}

} // namespace

class TestTransferProgress : public QObject
{
    Q_OBJECT

private:
    RequestRouter* makeRouter(QObject* parent)
    {
        RequestTransport transport{[](const ClientRequest&) {}};
        RequestSources sources{[](int key) { return key >= 2 ? urlOf(key) : QString(); },
                               [] { return QStringLiteral("http://cloud"); },
                               [](int) { return QStringLiteral("/dl/SubTools/"); }};
        auto* router = new RequestRouter(transport, sources, parent);
        router->setPort(20008);
        return router;
    }

private slots:
    void readsTheMembersOfAnEntry_data()
    {
        QTest::addColumn<QString>("members");
        QTest::addColumn<TransferProgress>("expected");

        QTest::newRow("all three") << R"("received": 12897484, "total": 209715200, "rate": 47395635)"
                                   << figures(12897484, 209715200, 47395635);
        QTest::newRow("none: unknown") << QString() << TransferProgress();
        QTest::newRow("zero received is known")
            << R"("received": 0, "total": 100, "rate": 0)" << figures(0, 100, 0);
        QTest::newRow("no total") << R"("received": 10, "rate": 5)" << figures(10, 0, 5);
        QTest::newRow("no rate") << R"("received": 10, "total": 20)" << figures(10, 20, -1);
        QTest::newRow("received as text")
            << R"("received": "10", "total": 20, "rate": 5)" << TransferProgress();
        QTest::newRow("negative received")
            << R"("received": -1, "total": 20, "rate": 5)" << TransferProgress();
        QTest::newRow("null received") << R"("received": null, "total": 20)" << TransferProgress();
        QTest::newRow("negative total") << R"("received": 10, "total": -20, "rate": 5)" << figures(10, 0, 5);
        QTest::newRow("rate as text")
            << R"("received": 10, "total": 20, "rate": "fast")" << figures(10, 20, -1);
        QTest::newRow("fractional rate rounds")
            << R"("received": 10, "total": 20, "rate": 2.6)" << figures(10, 20, 3);
        QTest::newRow("past 2^53") << R"("received": 1e300, "total": 20)" << TransferProgress();
        QTest::newRow("huge total") << R"("received": 10, "total": 1e19)" << figures(10, 0, -1);
        QTest::newRow("beyond 2 GiB") << R"("received": 3000000000, "total": 5000000000, "rate": 1)"
                                      << figures(3000000000LL, 5000000000LL, 1);
    }

    void readsTheMembersOfAnEntry()
    {
        QFETCH(QString, members);
        QFETCH(TransferProgress, expected);
        const QString text = QStringLiteral(R"({"url": "u", "value": "3"%1%2})")
                                 .arg(members.isEmpty() ? QString() : QStringLiteral(", "), members);
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
        QVERIFY(document.isObject());
        const TransferProgress read = TransferProgress::fromReplyEntry(document.object());
        QCOMPARE(read.received, expected.received);
        QCOMPARE(read.total, expected.total);
        QCOMPARE(read.rate, expected.rate);
        QCOMPARE(read.isKnown(), expected.received >= 0);
    }

    void progressRepliesPassFiguresOnAfterTheValues()
    {
        QObject owner;
        RequestRouter* router = makeRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2, 3, 4});

        // The styled form the service writes, with a key it never heard of.
        const QString reply =
            QStringLiteral("{\n\t\"method\" : 4,\n\t\"urlsToValue\" : [\n"
                           "\t\t{\"rate\" : 1000, \"received\" : 5000, \"total\" : 20000, "
                           "\"url\" : \"%1\", \"value\" : \"25\"},\n"
                           "\t\t{\"url\" : \"%2\", \"value\" : \"200\"},\n"
                           "\t\t{\"received\" : \"x\", \"url\" : \"%3\", \"value\" : \"7\"},\n"
                           "\t\t{\"received\" : 1, \"url\" : \"http://else\", \"value\" : \"1\"}\n"
                           "\t]\n}\n")
                .arg(urlOf(2), urlOf(3), urlOf(4));
        QStringList order;
        ValueMap values;
        TransferProgressMap transfers;
        connect(router, &RequestRouter::signalServerResponded, &owner, [&](int method, ValueMap map) {
            order << QStringLiteral("values %1").arg(method);
            values = map;
        });
        connect(router, &RequestRouter::signalTransferProgress, &owner, [&](TransferProgressMap map) {
            order << QStringLiteral("figures");
            transfers = map;
        });
        QSignalSpy spy(router, &RequestRouter::signalTransferProgress);
        QVERIFY(spy.isValid());

        router->onSolveRequestResult(0, reply);
        QCOMPARE(order, (QStringList{QStringLiteral("values 4"), QStringLiteral("figures")}));
        QCOMPARE(values, (ValueMap{{2, QStringLiteral("25")},
                                   {3, QStringLiteral("200")},
                                   {4, QStringLiteral("7")},
                                   {-1, QStringLiteral("1")}}));
        QCOMPARE(transfers.keys(), (QList<int>{2, 3, 4}));
        QCOMPARE(transfers.value(2), figures(5000, 20000, 1000));
        QVERIFY(!transfers.value(3).isKnown());
        QVERIFY(!transfers.value(4).isKnown());
        // The finished key left the in-flight map as before.
        QCOMPARE(router->inFlight().values(), (QList<int>{2, 4}));
    }

    void valuesAreTheSameWithOrWithoutFigures()
    {
        QObject owner;
        RequestRouter* router = makeRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2});
        const QString plain =
            QStringLiteral(R"({"method":4,"urlsToValue":[{"url":"%1","value":"40"}]})").arg(urlOf(2));
        const QString rich =
            QStringLiteral(
                R"({"method":4,"urlsToValue":[{"url":"%1","value":"40","received":4,"total":10,"rate":1}]})")
                .arg(urlOf(2));
        int method = -5;
        const ValueMap fromPlain = router->parseResult(plain, method);
        QCOMPARE(method, 4);
        const ValueMap fromRich = router->parseResult(rich, method);
        QCOMPARE(method, 4);
        QCOMPARE(fromRich, fromPlain);

        QSignalSpy responded(router, &RequestRouter::signalServerResponded);
        router->onSolveRequestResult(0, rich);
        router->onSolveRequestResult(0, plain);
        QCOMPARE(responded.size(), 2);
        QCOMPARE(responded[0][0].toInt(), responded[1][0].toInt());
        QCOMPARE(responded[0][1].value<ValueMap>(), responded[1][1].value<ValueMap>());
        QCOMPARE(responded[0][1].value<ValueMap>(), fromPlain);
    }

    void onlySuccessfulProgressRepliesCarryFigures_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("figures");
        QTest::newRow("progress") << 0 << int(DownloadProgress) << true;
        QTest::newRow("download answer") << 0 << int(DownloadSubTool) << false;
        QTest::newRow("cancel answer") << 0 << int(CancelDownloadSubTool) << false;
        QTest::newRow("failed exchange") << 110 << int(DownloadProgress) << false;
    }

    void onlySuccessfulProgressRepliesCarryFigures()
    {
        QFETCH(int, error);
        QFETCH(int, method);
        QFETCH(bool, figures);
        QObject owner;
        RequestRouter* router = makeRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2});
        QSignalSpy spy(router, &RequestRouter::signalTransferProgress);
        router->onSolveRequestResult(
            error,
            QStringLiteral(
                R"({"method":%1,"urlsToValue":[{"url":"%2","value":"0","received":1,"total":2,"rate":1}]})")
                .arg(method)
                .arg(urlOf(2)));
        QCOMPARE(spy.size(), figures ? 1 : 0);
    }

    void repliesWithoutEntriesSayNothing()
    {
        QObject owner;
        RequestRouter* router = makeRouter(&owner);
        QSignalSpy spy(router, &RequestRouter::signalTransferProgress);
        router->onSolveRequestResult(0,
                                     QStringLiteral("{\n\t\"method\" : 4,\n\t\"urlsToValue\" : null\n}\n"));
        router->onSolveRequestResult(0, QStringLiteral("not json"));
        router->onSolveRequestResult(0, QStringLiteral(R"({"method":4,"urlsToValue":[3, "x", null]})"));
        QCOMPARE(spy.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTransferProgress)
#include "tst_transferprogress.moc"
