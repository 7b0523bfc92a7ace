// Starting the real service: the port is trusted only once the service
// itself says it holds it, and a port someone else took in the meantime is
// left to them, with nothing sent to it.
#include "clientinstallation.h"
#include "request/serviceportfinder.h"
#include "request/servicesupervisor.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

using gearmart::ServiceSupervisor;

class TestServiceStart : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;

    QString haulmoor() const { return m_install->filePath(QStringLiteral("Haulmoor")); }

private slots:
    void init()
    {
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup();
        QVERIFY(m_install->copyPrograms({QStringLiteral("Haulmoor")}));
        QVERIFY(m_install->startStandIn());
    }

    void cleanup() { m_install.reset(); }

    void aPortTakenBeforeTheServiceBindsIsLeftAlone_data()
    {
        QTest::addColumn<int>("squattedStarts");
        QTest::newRow("first start squatted") << 1;
        QTest::newRow("every start squatted") << ServiceSupervisor::kMaxStarts;
    }

    void aPortTakenBeforeTheServiceBindsIsLeftAlone()
    {
        QFETCH(int, squattedStarts);
        // Whoever took the port listens on it, as another user would.
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::LocalHost));
        const int squatted = squatter.serverPort();
        int asked = 0;
        ServiceSupervisor supervisor(haulmoor());
        supervisor.setPortFinder([&](int firstPort) {
            return ++asked <= squattedStarts ? squatted : gearmart::ServicePortFinder::find(firstPort);
        });
        QSignalSpy ready(&supervisor, &ServiceSupervisor::signalReady);
        QSignalSpy noPort(&supervisor, &ServiceSupervisor::signalNoPort);
        QSignalSpy ended(&supervisor, &ServiceSupervisor::signalStateChanged);
        supervisor.start();
        QTRY_VERIFY_WITH_TIMEOUT(ready.count() + noPort.count() == 1, 20000);

        QVERIFY(!squatter.hasPendingConnections());
        QCOMPARE(ended.count(), 0); // the failed starts raise nothing
        if (squattedStarts >= ServiceSupervisor::kMaxStarts) {
            QCOMPARE(noPort.count(), 1);
            QCOMPARE(supervisor.port(), -1);
            QCOMPARE(supervisor.process()->state(), QProcess::NotRunning);
            return;
        }
        QCOMPARE(asked, squattedStarts + 1);
        const int port = ready.at(0).at(0).toInt();
        QVERIFY(port != squatted);
        QCOMPARE(supervisor.port(), port);
        QCOMPARE(ready.at(0).at(1).toByteArray(), supervisor.token());
        QVERIFY(!supervisor.token().isEmpty());
        supervisor.stop();
        QCOMPARE(ended.count(), 0); // a stop is no failure either
    }

    // Each end is reported once, and a new service follows after a pause
    // that doubles while the service keeps ending.
    void aServiceThatDiesIsReportedAndStartedAgain()
    {
        ServiceSupervisor supervisor(haulmoor());
        supervisor.setFirstRestartDelay(50);
        QSignalSpy ready(&supervisor, &ServiceSupervisor::signalReady);
        QSignalSpy state(&supervisor, &ServiceSupervisor::signalStateChanged);
        QSignalSpy lost(&supervisor, &ServiceSupervisor::signalServiceLost);
        supervisor.start();
        QList<int> delays;
        for (int end = 1; end <= 3; ++end) {
            QTRY_COMPARE_WITH_TIMEOUT(ready.count(), end, 10000);
            QVERIFY(ready.last().at(1).toByteArray() !=
                    (end > 1 ? ready.at(end - 2).at(1).toByteArray() : ""));
            supervisor.process()->kill();
            QTRY_COMPARE(lost.count(), end);
            QCOMPARE(state.count(), end);
            QCOMPARE(state.last().at(0).value<QProcess::ProcessState>(), QProcess::NotRunning);
            QCOMPARE(supervisor.port(), -1);
            delays << supervisor.restartDelay();
        }
        QCOMPARE(delays, (QList<int>{50, 100, 200}));
        supervisor.stop();
        QCOMPARE(supervisor.restartDelay(), 0);
    }

    void aMissingProgramIsReportedAsNotStarted()
    {
        ServiceSupervisor supervisor(m_install->filePath(QStringLiteral("NoSuchService")));
        QSignalSpy error(&supervisor, &ServiceSupervisor::signalProcessError);
        supervisor.start();
        QTRY_COMPARE(error.count(), 1);
        QCOMPARE(error.at(0).at(0).value<QProcess::ProcessError>(), QProcess::FailedToStart);
        QCOMPARE(supervisor.port(), -1);
    }
};

QTEST_MAIN(TestServiceStart)
#include "tst_servicestart.moc"
