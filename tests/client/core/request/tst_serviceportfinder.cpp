// The port search for the service: taken ports are skipped in steps of two,
// and the search gives up after 99 of them.
#include "request/serviceportfinder.h"

#include <QTcpServer>
#include <QtTest>
#include <memory>
#include <vector>

using gearmart::ServicePortFinder;

class TestServicePortFinder : public QObject
{
    Q_OBJECT

private:
    // A base whose next 200 ports are all free, so the test owns the range.
    static int freeRange()
    {
        for (int base = 41000; base < 60000; base += 400) {
            bool allFree = true;
            for (int port = base; port < base + 200 && allFree; ++port) {
                QTcpServer probe;
                allFree = probe.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
            }
            if (allFree)
                return base;
        }
        return -1;
    }

private slots:
    void skipsTakenPorts()
    {
        const int base = freeRange();
        QVERIFY(base > 0);
        QCOMPARE(ServicePortFinder::find(base), base);
        QTcpServer first, second, odd;
        QVERIFY(first.listen(QHostAddress::LocalHost, static_cast<quint16>(base)));
        QVERIFY(second.listen(QHostAddress::Any, static_cast<quint16>(base + 2)));
        QVERIFY(odd.listen(QHostAddress::LocalHost, static_cast<quint16>(base + 5)));
        QCOMPARE(ServicePortFinder::find(base), base + 4);
    }

    void givesUpAfterNinetyNinePorts()
    {
        const int base = freeRange();
        QVERIFY(base > 0);
        std::vector<std::unique_ptr<QTcpServer>> taken;
        for (int i = 0; i < ServicePortFinder::kAttempts; ++i) {
            taken.push_back(std::make_unique<QTcpServer>());
            QVERIFY(taken.back()->listen(QHostAddress::LocalHost, static_cast<quint16>(base + 2 * i)));
        }
        QCOMPARE(ServicePortFinder::find(base), -1);
        taken.pop_back(); // the 99th frees up
        QCOMPARE(ServicePortFinder::find(base), base + 2 * (ServicePortFinder::kAttempts - 1));
    }
};

QTEST_GUILESS_MAIN(TestServicePortFinder)
#include "tst_serviceportfinder.moc"
