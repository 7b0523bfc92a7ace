// Another local user against this user's client and service: squatting the
// service's port, starving it with slow connections, running a program named
// like ours, and owning the folder downloads go to. Each attack must fail
// with nothing worse for the user than a clear refusal.
#include "clientinstallation.h"
#include "otheraccount.h"
#include "packageserver.h"
#include "platform/processes.h"
#include "request/clientrequestmanager.h"
#include "request/requestmethod.h"
#include "request/requestrouter.h"
#include "request/serviceportfinder.h"
#include "request/servicesupervisor.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace gearmart;
using ValueMap = QMap<int, QString>;
Q_DECLARE_METATYPE(ValueMap)

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A package of tool key 2 ("Foo") as the cloud publishes it.
QByteArray toolPackage(const QString& work)
{
    writeFile(work + QStringLiteral("/Foo/Foo"), "#!/bin/sh\n");
    QProcess zip;
    zip.setWorkingDirectory(work);
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-qr"), QStringLiteral("Foo.zip"), QStringLiteral("Foo")});
    zip.waitForFinished();
    QFile file(work + QStringLiteral("/Foo.zip"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOtherUser : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_shared; // opened up so that the other user may read it
    std::unique_ptr<clienttest::ClientInstallation> m_install;
    QList<QProcess*> m_others;

    // A program run as the other user; ended with the test.
    QProcess* asOther(const QStringList& command)
    {
        auto* process = new QProcess(this);
        m_others.append(process);
        const QStringList line = fixtures::otheraccount::commandAs(command);
        process->start(line.first(), line.mid(1));
        return process;
    }

    // This test program, copied where the other user may run it.
    QProcess* otherHelper(const QStringList& arguments)
    {
        return asOther(
            QStringList{fixtures::otheraccount::helperCopy(m_shared.filePath(QStringLiteral("bin")))} +
            arguments);
    }

    // The client's own way to the service: supervisor, request manager, router.
    struct Client
    {
        ServiceSupervisor supervisor;
        ClientRequestManager manager;
        RequestRouter router;

        Client(const QString& program, RequestSources sources)
            : supervisor(program), router(RequestTransport::over(&manager), std::move(sources))
        {
            QObject::connect(&manager, &ClientRequestManager::signalRequestResult, &router,
                             &RequestRouter::onSolveRequestResult);
            router.setHolding(true);
            QObject::connect(&supervisor, &ServiceSupervisor::signalReady, &router,
                             [this](int port, const QByteArray& token) {
                                 manager.setServiceToken(token);
                                 router.setPort(port);
                             });
        }
    };

    RequestSources sourcesFor(const QString& packageUrl, const QString& unzipDir)
    {
        return RequestSources{[packageUrl](int) { return packageUrl; },
                              [] { return QStringLiteral("http://cloud"); },
                              [unzipDir](int) { return unzipDir; }};
    }

private slots:
    void initTestCase()
    {
        QString why;
        if (!fixtures::otheraccount::ensure(&why))
            QSKIP(qPrintable(why));
        const auto open =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QDir().mkpath(m_shared.filePath(QStringLiteral("bin"))));
        QVERIFY(QFile::setPermissions(m_shared.path(), open));
        QVERIFY(QFile::setPermissions(m_shared.filePath(QStringLiteral("bin")), open));
    }

    void init()
    {
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup();
        QVERIFY(m_install->copyPrograms({QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}));
    }

    void cleanup()
    {
        for (QProcess* process : qAsConst(m_others)) {
            process->kill();
            process->waitForFinished();
        }
        qDeleteAll(m_others);
        m_others.clear();
        m_install.reset();
    }

    void aProgramOfAnotherUserNamedGearloftKeepsNothingAlive()
    {
        const QString program = m_shared.filePath(QStringLiteral("bin/Gearloft"));
        QVERIFY(QFileInfo::exists(program) || QFile::copy(QStringLiteral("/bin/sleep"), program));
        QProcess* theirs = asOther({program, QStringLiteral("60")});
        QVERIFY(theirs->waitForStarted());
        QTRY_VERIFY(QDir(QStringLiteral("/proc/%1").arg(theirs->processId())).exists());
        QTest::qWait(200); // runuser has started their program by now
        QCOMPARE(platform::findProcess("Gearloft"), pid_t(0));

        // Without a Gearloft of this user the service ends at once.
        QProcess service;
        QVERIFY(m_install->startService(service, quint16(ServicePortFinder::find())));
        QVERIFY(service.waitForFinished(5000));
        QCOMPARE(theirs->state(), QProcess::Running);
    }

    void aPortTakenByAnotherUserIsLeftToThem()
    {
        QVERIFY(m_install->startStandIn());
        const int port = ServicePortFinder::find();
        QProcess* squatter = otherHelper({QStringLiteral("squat"), QString::number(port)});
        QVERIFY(squatter->waitForReadyRead(5000));
        QCOMPARE(squatter->readLine().trimmed(), QByteArray("ready"));

        // Started by hand on it, the service says so and ends.
        QProcess byHand;
        QVERIFY(m_install->startService(byHand, quint16(port)));
        QVERIFY(byHand.waitForFinished(5000));
        QCOMPARE(byHand.exitCode(), 1);
        QVERIFY(byHand.readAllStandardError().contains("cannot listen"));

        // The client: the port turned out taken, so it uses the next one and
        // sends nothing, its secret least of all, to the squatter.
        Client client(m_install->filePath(QStringLiteral("Haulmoor")),
                      sourcesFor(QStringLiteral("http://127.0.0.1:9/x.zip"), QStringLiteral("/tmp/")));
        int asked = 0;
        client.supervisor.setPortFinder(
            [&](int from) { return ++asked == 1 ? port : ServicePortFinder::find(from); });
        QSignalSpy responded(&client.router, &RequestRouter::signalServerResponded);
        client.router.onBuildClientRequest(DownloadProgress, {2}); // held until the port is confirmed
        client.supervisor.start();
        QTRY_VERIFY_WITH_TIMEOUT(!responded.isEmpty(), 10000);
        QVERIFY(client.supervisor.port() != port);
        QCOMPARE(responded.last().at(1).value<ValueMap>(), (ValueMap{{2, QStringLiteral("0")}}));
        QVERIFY(!squatter->waitForReadyRead(300)); // it would say "accepted"
        client.supervisor.stop();
    }

    void slowConnectionsOfAnotherUserStarveNothing()
    {
        QVERIFY(m_install->startStandIn());
        Client client(m_install->filePath(QStringLiteral("Haulmoor")),
                      sourcesFor(QStringLiteral("http://127.0.0.1:9/x.zip"), QStringLiteral("/tmp/")));
        QSignalSpy ready(&client.supervisor, &ServiceSupervisor::signalReady);
        client.supervisor.start();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 10000);

        // Far more connections than the service has threads, each sending a
        // request one byte at a time.
        QProcess* trickle = otherHelper(
            {QStringLiteral("trickle"), QString::number(client.supervisor.port()), QStringLiteral("64")});
        QVERIFY(trickle->waitForReadyRead(5000));
        QCOMPARE(trickle->readLine().trimmed(), QByteArray("open"));

        QSignalSpy responded(&client.router, &RequestRouter::signalServerResponded);
        client.router.onBuildClientRequest(DownloadProgress, {2});
        QTRY_VERIFY_WITH_TIMEOUT(!responded.isEmpty(), 5000);
        QCOMPARE(responded.last().at(1).value<ValueMap>(), (ValueMap{{2, QStringLiteral("0")}}));
        // Every one of theirs was closed unread.
        QVERIFY(trickle->waitForFinished(15000));
        QCOMPARE(trickle->readAllStandardOutput().trimmed(), QByteArray("closed 64"));
        client.supervisor.stop();
    }

    void aDownloadFolderOthersCanChangeIsRefused_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder of another user") << "owned"
                                                << "-1";
        QTest::newRow("folder anyone may write") << "open"
                                                 << "-1";
        QTest::newRow("SubTools of another user with a link in it") << "linked"
                                                                    << "-1";
        QTest::newRow("own folder in a sticky shared folder") << "sticky"
                                                              << "200";
    }

    void aDownloadFolderOthersCanChangeIsRefused()
    {
        QFETCH(QString, layout);
        QFETCH(QString, expected);
        const QString base = m_shared.filePath(layout);
        QVERIFY(QDir().mkpath(base));
        QString download = base;
        const QString precious = m_shared.filePath(QStringLiteral("precious-") + layout);
        QVERIFY(writeFile(precious, "the user's own file"));
        if (layout == QLatin1String("owned")) {
            QVERIFY(run(QStringLiteral("chown"), {fixtures::otheraccount::name(), base}));
            QVERIFY(::chmod(QFile::encodeName(base).constData(), 0777) == 0);
        } else if (layout == QLatin1String("open")) {
            QVERIFY(::chmod(QFile::encodeName(base).constData(), 0777) == 0);
        } else if (layout == QLatin1String("linked")) {
            QVERIFY(QDir().mkpath(base + QStringLiteral("/SubTools")));
            QVERIFY(QFile::link(precious, base + QStringLiteral("/SubTools/Foo.zip")));
            QVERIFY(run(QStringLiteral("chown"),
                        {QStringLiteral("-h"), QStringLiteral("-R"), fixtures::otheraccount::name(),
                         base + QStringLiteral("/SubTools")}));
        } else {
            QVERIFY(::chmod(QFile::encodeName(base).constData(), 01777) == 0);
            download = base + QStringLiteral("/mine");
            QVERIFY(QDir().mkpath(download));
        }
        m_install->writeSetup({{QStringLiteral("DownloadPath"), download}});
        QVERIFY(m_install->startStandIn());

        QTemporaryDir work;
        const QByteArray package = toolPackage(work.path());
        QVERIFY(!package.isEmpty());
        fixtures::PackageServer cloud;
        QVERIFY(cloud.start());
        cloud.addFile(QStringLiteral("/tools/Foo/Foo.zip"), package);
        cloud.addFile(QStringLiteral("/tools/Foo/Foo.json"),
                      QStringLiteral("{\"package_size\": %1, \"sha256\": \"%2\"}")
                          .arg(package.size())
                          .arg(QString::fromLatin1(
                              QCryptographicHash::hash(package, QCryptographicHash::Sha256).toHex()))
                          .toUtf8());

        Client client(m_install->filePath(QStringLiteral("Haulmoor")),
                      sourcesFor(cloud.url(QStringLiteral("/tools/Foo/Foo.zip")),
                                 download + QStringLiteral("/SubTools/")));
        QSignalSpy ready(&client.supervisor, &ServiceSupervisor::signalReady);
        client.supervisor.start();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 10000);
        QSignalSpy responded(&client.router, &RequestRouter::signalServerResponded);
        QSignalSpy failures(&client.router, &RequestRouter::signalTransferFailures);
        client.router.onBuildClientRequest(DownloadSubTool, {2});
        QString value;
        for (int poll = 0; poll < 100 && value != QLatin1String("200") && value != QLatin1String("-1") &&
                           value != QLatin1String("400");
             ++poll) {
            QTest::qWait(100);
            client.router.onBuildClientRequest(DownloadProgress, {2});
            QTRY_VERIFY(!responded.isEmpty());
            value = responded.takeLast().at(1).value<ValueMap>().value(2);
        }
        QCOMPARE(value, expected);
        QFile file(precious);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the user's own file"));
        if (expected == QLatin1String("200")) {
            QVERIFY(QFileInfo::exists(download + QStringLiteral("/SubTools/Foo/Foo")));
        } else {
            QVERIFY(std::any_of(failures.begin(), failures.end(), [](const QList<QVariant>& arguments) {
                return arguments.at(0).value<QMap<int, QString>>().value(2) == QLatin1String("folder");
            }));
            // Nothing was written there.
            QCOMPARE(QDir(download + QStringLiteral("/SubTools"))
                         .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                     layout == QLatin1String("linked") ? QStringList{QStringLiteral("Foo.zip")}
                                                       : QStringList());
        }
        client.supervisor.stop();
    }
};

int main(int argc, char** argv)
{
    const int helper = fixtures::otheraccount::runHelperMode(argc, argv);
    if (helper >= 0)
        return helper;
    QCoreApplication app(argc, argv);
    TestOtherUser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_otheruser.moc"
