// The client's request layer: queueing and release rules on recorded
// requests, then the same rules end to end against the installed service and
// a file host.
#include "clientinstallation.h"
#include "loopback.h"
#include "packageserver.h"
#include "request/clientrequest.h"
#include "request/clientrequestmanager.h"
#include "request/requestmethod.h"
#include "request/requestrouter.h"
#include "wirelink/wirelink.h"

#include <QtTest>

using namespace gearmart;
using ValueMap = QMap<int, QString>;
Q_DECLARE_METATYPE(ValueMap)

namespace {

QString urlOf(int key)
{
    return QStringLiteral("http://cloud/tools/%1.zip").arg(key);
}

QString reply(int method, const QList<QPair<int, QString>>& values)
{
    QString entries;
    for (const auto& [key, value] : values)
        entries += QStringLiteral("%1{\"url\":\"%2\",\"value\":\"%3\"}")
                       .arg(entries.isEmpty() ? QString() : QStringLiteral(","), urlOf(key), value);
    return QStringLiteral("{\"method\":%1,\"urlsToValue\":[%2]}").arg(method).arg(entries);
}

} // namespace

class TestRequestRouter : public QObject
{
    Q_OBJECT

private:
    QList<ClientRequest> m_sent;

    RequestRouter* makeRecordingRouter(QObject* parent)
    {
        m_sent.clear();
        RequestTransport transport{[this](const ClientRequest& r) { m_sent.append(r); }};
        RequestSources sources{[](int key) { return key >= 2 && key < 50 ? urlOf(key) : QString(); },
                               [] { return QStringLiteral("http://cloud"); },
                               [](int key) { return QStringLiteral("/dl/SubTools/%1/").arg(key); }};
        auto* router = new RequestRouter(transport, sources, parent);
        router->setPort(20008);
        return router;
    }

private slots:
    void initTestCase() { NET_UTILS_Init(); }

    void fourDownloadsSendThreeAndQueueOne()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        QSignalSpy responded(router, &RequestRouter::signalServerResponded);
        router->onBuildClientRequest(DownloadSubTool, {2, 3, 4, 5});
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent[0].method, int(DownloadSubTool));
        QCOMPARE(m_sent[0].port, 20008);
        QCOMPARE(m_sent[0].urlToUnzipDir.keys(), (QStringList{urlOf(2), urlOf(3), urlOf(4)}));
        QCOMPARE(m_sent[0].urlToUnzipDir.value(urlOf(3)), QStringLiteral("/dl/SubTools/3/"));
        QCOMPARE(router->waiting(), QList<int>{5});
        QCOMPARE(responded.size(), 1);
        QCOMPARE(responded[0][0].toInt(), int(DownloadSubTool));
        QCOMPARE(responded[0][1].value<ValueMap>(), (ValueMap{{5, QStringLiteral("120")}}));

        // A queued key asked for progress is answered at once and not sent.
        router->onBuildClientRequest(DownloadProgress, {2, 5});
        QCOMPARE(responded.last()[1].value<ValueMap>(), (ValueMap{{5, QStringLiteral("120")}}));
        QCOMPARE(m_sent.last().urlToUnzipDir.keys(), QStringList{urlOf(2)});

        // With every slot taken, a further key waits too.
        router->onBuildClientRequest(DownloadSubTool, {6});
        QCOMPARE(router->waiting(), (QList<int>{5, 6}));
        QCOMPARE(m_sent.size(), 2);
    }

    void progressBelowTheEndStillFreesTheQueue()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        QSignalSpy started(router, &RequestRouter::signalWaitingToolsStartDownload);
        QSignalSpy count(router, &RequestRouter::signalDownloadingCount);
        router->onBuildClientRequest(DownloadSubTool, {2, 3, 4, 5});
        router->onSolveRequestResult(0, reply(DownloadSubTool, {{2, "0"}, {3, "0"}, {4, "404"}}));
        QCOMPARE(count.last()[0].toInt(), 2);
        QCOMPARE(router->inFlight().keys(), (QStringList{urlOf(2), urlOf(3), urlOf(5)}));
        // The refused key 4 freed a slot, so the queued key 5 went out at once.
        QCOMPARE(started.size(), 1);
        QCOMPARE(started[0][0].toInt(), 5);
        QCOMPARE(m_sent.last().urlToUnzipDir.keys(), QStringList{urlOf(5)});
        QVERIFY(router->waiting().isEmpty());
    }

    void releaseRules_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("released");
        QTest::newRow("download accepted") << 3 << "0" << false;
        QTest::newRow("download refused") << 3 << "110" << true;
        QTest::newRow("progress 100 still in flight") << 4 << "100" << false;
        QTest::newRow("progress 0") << 4 << "0" << false;
        QTest::newRow("progress 101 ends") << 4 << "101" << true;
        QTest::newRow("progress -1 ends") << 4 << "-1" << true;
        QTest::newRow("progress 200 ends") << 4 << "200" << true;
        QTest::newRow("progress not a number reads 0") << 4 << "abc" << false;
        QTest::newRow("cancel answered 0") << 5 << "0" << true;
        QTest::newRow("cancel failed") << 5 << "110" << false;
    }

    void releaseRules()
    {
        QFETCH(int, method);
        QFETCH(QString, value);
        QFETCH(bool, released);
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2});
        router->onSolveRequestResult(0, reply(method, {{2, value}}));
        QCOMPARE(router->inFlight().contains(urlOf(2)), !released);
    }

    void resultsMapUrlsToKeys_data()
    {
        QTest::addColumn<int>("sentMethod");
        QTest::addColumn<QVector<int>>("keys");
        QTest::addColumn<QString>("response");
        QTest::addColumn<int>("method");
        QTest::addColumn<ValueMap>("values");
        QTest::newRow("tool keys by URL")
            << 3 << QVector<int>{7} << reply(4, {{7, "55"}}) << 4 << ValueMap{{7, "55"}};
        QTest::newRow("material is key 0")
            << 1 << QVector<int>{9} << reply(1, {{9, "0"}}) << 1 << ValueMap{{0, "0"}};
        QTest::newRow("main program is key 1")
            << 2 << QVector<int>{9} << reply(2, {{9, "0"}}) << 2 << ValueMap{{1, "0"}};
        QTest::newRow("unknown URL is -1")
            << 3 << QVector<int>{7} << reply(4, {{8, "5"}}) << 4 << ValueMap{{-1, "5"}};
        QTest::newRow("not json") << 3 << QVector<int>{7} << QStringLiteral("<html>") << 0 << ValueMap{};
        QTest::newRow("null list") << 3 << QVector<int>{7}
                                   << QStringLiteral("{\"method\":4,\"urlsToValue\":null}") << 4
                                   << ValueMap{};
    }

    void resultsMapUrlsToKeys()
    {
        QFETCH(int, sentMethod);
        QFETCH(QVector<int>, keys);
        QFETCH(QString, response);
        QFETCH(int, method);
        QFETCH(ValueMap, values);
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(sentMethod, keys);
        QSignalSpy responded(router, &RequestRouter::signalServerResponded);
        router->onSolveRequestResult(0, response);
        QCOMPARE(responded.size(), 1);
        QCOMPARE(responded[0][0].toInt(), method);
        QCOMPARE(responded[0][1].value<ValueMap>(), values);
    }

    // Start-up asks for both versions at once; their answers may come back in
    // either order, and neither may be lost.
    void versionAnswersInEitherOrderKeepTheirKeys_data()
    {
        QTest::addColumn<bool>("materialFirst");
        QTest::newRow("material answer first") << true;
        QTest::newRow("manager answer first") << false;
    }

    void versionAnswersInEitherOrderKeepTheirKeys()
    {
        QFETCH(bool, materialFirst);
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(CheckManagerVersion, {1});
        router->onBuildClientRequest(CheckMaterialVersion, {0});
        const QString manager = QStringLiteral(
            "{\"method\":7,\"urlsToValue\":[{\"url\":\"http://cloud\",\"value\":\"1.1.0.6\"}]}");
        const QString material = QStringLiteral(
            "{\"method\":6,\"urlsToValue\":[{\"url\":\"http://cloud\",\"value\":\"1.0.0.2\"}]}");
        QSignalSpy responded(router, &RequestRouter::signalServerResponded);
        router->onSolveRequestResult(0, materialFirst ? material : manager);
        router->onSolveRequestResult(0, materialFirst ? manager : material);
        QCOMPARE(responded.size(), 2);
        const int managerAt = materialFirst ? 1 : 0;
        QCOMPARE(responded[managerAt][0].toInt(), int(CheckManagerVersion));
        QCOMPARE(responded[managerAt][1].value<ValueMap>(), (ValueMap{{1, QStringLiteral("1.1.0.6")}}));
        QCOMPARE(responded[1 - managerAt][1].value<ValueMap>(), (ValueMap{{0, QStringLiteral("1.0.0.2")}}));
        QVERIFY(router->inFlight().isEmpty());
    }

    void failureReasonsComeBeforeTheValues()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2, 3});
        QStringList order;
        QMap<int, QString> reasons;
        connect(router, &RequestRouter::signalTransferFailures, &owner, [&](QMap<int, QString> failures) {
            order << QStringLiteral("failures");
            reasons = failures;
        });
        connect(router, &RequestRouter::signalServerResponded, &owner,
                [&](int, QMap<int, QString>) { order << QStringLiteral("values"); });
        router->onSolveRequestResult(
            0, QStringLiteral("{\"method\":4,\"urlsToValue\":[{\"url\":\"%1\",\"value\":\"-1\",\"failure\":"
                              "\"checksum\"},{\"url\":\"%2\",\"value\":\"40\"}]}")
                   .arg(urlOf(2), urlOf(3)));
        QCOMPARE(order, (QStringList{QStringLiteral("failures"), QStringLiteral("values")}));
        QCOMPARE(reasons, (QMap<int, QString>{{2, QStringLiteral("checksum")}, {3, QString()}}));

        // Other answers carry no reasons.
        order.clear();
        router->onSolveRequestResult(0, reply(3, {{2, "0"}}));
        QCOMPARE(order, QStringList{QStringLiteral("values")});
    }

    void cancellingAQueuedKeyDropsItAndStillSendsIt()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2, 3, 4, 5});
        router->onBuildClientRequest(CancelDownloadSubTool, {5});
        QVERIFY(router->waiting().isEmpty());
        QCOMPARE(m_sent.last().method, int(CancelDownloadSubTool));
        QCOMPARE(m_sent.last().urlToUnzipDir.keys(), QStringList{urlOf(5)});
    }

    void keysWithoutAddressAreLeftOut()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {99});
        QVERIFY(m_sent.isEmpty());
        router->onBuildClientRequest(DownloadSubTool, {99, 2});
        QCOMPARE(m_sent.last().urlToUnzipDir.keys(), QStringList{urlOf(2)});
    }

    // One failed exchange answers for its own keys only: the others go on.
    void failedExchangeEmptiesVersionsAndKeepsTheRest()
    {
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->onBuildClientRequest(DownloadSubTool, {2});
        router->onBuildClientRequest(CheckManagerVersion, {1});
        QCOMPARE(m_sent.last().urlToUnzipDir.keys(), QStringList{QStringLiteral("http://cloud")});
        QSignalSpy responded(router, &RequestRouter::signalServerResponded);
        ClientRequest failed = m_sent.last();
        router->onSolveRequestResult(7, madeUpReply(failed, ClientValue::ExchangeFailed));
        QCOMPARE(responded.size(), 1);
        QCOMPARE(responded[0][1].value<ValueMap>(), (ValueMap{{1, QString()}}));
        QCOMPARE(router->inFlight().values(), QList<int>{2});
    }

    // Until the service confirms its port nothing leaves, not even to the
    // port it was started on; a service that never comes lets them fail.
    void heldRequestsLeaveOnceThePortIsConfirmed_data()
    {
        QTest::addColumn<int>("confirmedPort");
        QTest::newRow("service listens") << 20012;
        QTest::newRow("service never listens") << -1;
    }

    void heldRequestsLeaveOnceThePortIsConfirmed()
    {
        QFETCH(int, confirmedPort);
        QObject owner;
        RequestRouter* router = makeRecordingRouter(&owner);
        router->setPort(-1);
        router->setHolding(true);
        router->onBuildClientRequest(CheckMaterialVersion, {0});
        router->onBuildClientRequest(DownloadSubTool, {2, 3});
        QVERIFY(m_sent.isEmpty());
        QCOMPARE(router->heldCount(), 2);
        if (confirmedPort >= 0)
            router->setPort(confirmedPort);
        else
            router->setHolding(false);
        QCOMPARE(m_sent.size(), 2);
        QCOMPARE(m_sent.at(0).method, int(CheckMaterialVersion));
        for (const ClientRequest& request : qAsConst(m_sent))
            QCOMPARE(request.port, confirmedPort);
        QCOMPARE(router->heldCount(), 0);
        router->onBuildClientRequest(DownloadProgress, {2});
        QCOMPARE(m_sent.size(), 3); // no longer held
    }

    // Requests sent while the service is still starting wait for its port.
    void requestsWaitForAServiceStillStarting()
    {
        clienttest::ClientInstallation install;
        QVERIFY(install.copyPrograms({QStringLiteral("Haulmoor")}));
        QVERIFY(install.startStandIn());

        const quint16 port = fixtures::loopback::pickFreePort();
        ClientRequestManager manager;
        RequestSources sources{[](int key) { return urlOf(key); },
                               [] { return QStringLiteral("http://cloud"); },
                               [](int) { return QStringLiteral("/dl/"); }};
        RequestRouter router(RequestTransport::over(&manager), sources);
        router.setPort(port);
        connect(&manager, &ClientRequestManager::signalRequestResult, &router,
                &RequestRouter::onSolveRequestResult);
        QSignalSpy responded(&router, &RequestRouter::signalServerResponded);
        router.onBuildClientRequest(DownloadProgress, {2});

        QTest::qWait(600); // the request is already waiting when the service comes up
        QProcess service;
        QVERIFY(install.startService(service, port));
        QVERIFY(responded.wait(10000));
        QCOMPARE(responded.last()[1].value<ValueMap>(), (ValueMap{{2, QStringLiteral("0")}}));
        install.stopStandIn();
        QVERIFY(service.waitForFinished(10000));
    }

    // The real service behind the manager: the same rules over the wire.
    void endToEndAgainstTheInstalledService()
    {
        clienttest::ClientInstallation install;
        QVERIFY(install.copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
        QTemporaryDir downloads;
        install.writeSetup({{QStringLiteral("DownloadPath"), downloads.path()}});
        QVERIFY(install.startStandIn());

        fixtures::PackageServer cloud;
        QVERIFY(cloud.start());
        for (int key = 2; key <= 5; ++key) {
            cloud.addFile(QStringLiteral("/t/%1.zip").arg(key), QByteArray(400000, 'x'));
            cloud.addFile(QStringLiteral("/t/%1.json").arg(key), "{\"package_size\":400000}");
            cloud.setFault(QStringLiteral("/t/%1.zip").arg(key), fixtures::Fault::rate(200000));
        }

        const quint16 port = fixtures::loopback::pickFreePort();
        QProcess service;
        QVERIFY(install.startService(service, port));

        ClientRequestManager manager;
        manager.setMaxThreadCount(10);
        RequestSources sources{[&](int key) { return cloud.url(QStringLiteral("/t/%1.zip").arg(key)); },
                               [&] { return cloud.baseUrl(); },
                               [&](int) -> QString { return downloads.path() + QStringLiteral("/SubTools/"); }};
        RequestRouter router(RequestTransport::over(&manager), sources);
        router.setPort(port);
        connect(&manager, &ClientRequestManager::signalRequestResult, &router,
                &RequestRouter::onSolveRequestResult);
        QSignalSpy responded(&router, &RequestRouter::signalServerResponded);
        QSignalSpy started(&router, &RequestRouter::signalWaitingToolsStartDownload);

        QTRY_VERIFY_WITH_TIMEOUT(fixtures::loopback::portAnswers(port), 10000);
        router.onBuildClientRequest(DownloadSubTool, {2, 3, 4, 5});
        QCOMPARE(router.waiting(), QList<int>{5});
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(responded.begin(), responded.end(),
                                             [](const QList<QVariant>& args) {
                                                 return args[0].toInt() == DownloadSubTool &&
                                                        args[1].value<ValueMap>().size() == 3;
                                             }),
                                 10000);
        QCOMPARE(router.inFlight().size(), 3);

        // Poll as the cards do until the queued key is let through.
        QElapsedTimer timer;
        timer.start();
        while (started.isEmpty() && timer.elapsed() < 30000) {
            router.onBuildClientRequest(DownloadProgress, {2, 3, 4});
            QTest::qWait(300);
        }
        QCOMPARE(started.size(), 1);
        QCOMPARE(started[0][0].toInt(), 5);
        // The packages are not zips: the finished ones end at 400.
        const bool sawFinal =
            std::any_of(responded.begin(), responded.end(), [](const QList<QVariant>& args) {
                return args[0].toInt() == DownloadProgress &&
                       args[1].value<ValueMap>().values().contains("400");
            });
        QVERIFY(sawFinal);

        install.stopStandIn();
        QVERIFY(service.waitForFinished(10000));
        QCOMPARE(service.exitCode(), 0);

        // With the service gone every request fails with the client's value.
        responded.clear();
        router.onBuildClientRequest(DownloadSubTool, {3});
        QVERIFY(responded.wait(10000));
        QCOMPARE(responded.last()[1].value<ValueMap>().value(3), QStringLiteral("110"));
        router.onBuildClientRequest(CheckMaterialVersion, {0});
        QVERIFY(responded.wait(10000));
        QCOMPARE(responded.last()[1].value<ValueMap>(), (ValueMap{{0, QString()}}));
    }
};

QTEST_GUILESS_MAIN(TestRequestRouter)
#include "tst_requestrouter.moc"
