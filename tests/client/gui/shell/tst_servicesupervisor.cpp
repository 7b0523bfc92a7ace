// The window's service as another user of the machine sees it: the secret it
// runs with is on no command line, every start makes a new one, and the
// window's own requests carry it.
#include "clientinstallation.h"
#include "request/requestmethod.h"
#include "shell/gearmart.h"
#include "widgets/tipdialog.h"
#include "wirelink/wirelink.h"

#include <QRegularExpression>
#include <QtTest>

using namespace gearmart;
using ValueMap = QMap<int, QString>;
Q_DECLARE_METATYPE(ValueMap)

namespace {

QList<QByteArray> procEntries(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray content = file.readAll();
    if (content.endsWith('\0'))
        content.chop(1);
    return content.split('\0');
}

// What another local process gets when it posts a request to the port.
int statusForStranger(int port)
{
    const int client = NET_HTTPCLIENT_Create();
    const QByteArray body = R"({"method":4,"urls":[{"url":"http://cloud/x.zip","unzipDir":"/tmp/"}]})";
    NET_HTTPCLIENT_SetParam(client, WL_CLIENT_BODY, nullptr, 0, body.constData(), body.size());
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(port) + "/DownloadProgress?format=json";
    ExchangeRecord record;
    record.url = url.constData();
    record.urlLength = std::size_t(url.size());
    NET_HTTPCLIENT_ShortLinkExchange(client, &record);
    const int status = record.status;
    NET_HTTPCLIENT_Destroy(client);
    return status;
}

QByteArray tokenOf(qint64 pid)
{
    for (const QByteArray& entry : procEntries(pid, "environ")) {
        if (entry.startsWith("HAULMOOR_TOKEN="))
            return entry.mid(int(qstrlen("HAULMOOR_TOKEN=")));
    }
    return {};
}

} // namespace

class TestServiceSupervisor : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<clienttest::ClientInstallation> m_install;

    std::unique_ptr<Gearmart> startedWindow()
    {
        auto window = std::make_unique<Gearmart>();
        window->show();
        return window;
    }

private slots:
    void init()
    {
        TipDialog::resetForTesting();
        m_install = std::make_unique<clienttest::ClientInstallation>();
        m_install->writeSetup();
        m_install->writeCatalog();
        m_install->writeStateList();
        QVERIFY(m_install->loadSingletons());
        QVERIFY(m_install->startStandIn());
    }

    void cleanup()
    {
        QCOMPARE(TipDialog::requestCountForTesting(), 0); // no unexpected message
        m_install.reset();
    }

    void secretReachesTheServiceOnlyThroughItsEnvironment()
    {
        auto window = startedWindow();
        QTRY_VERIFY(window->servicePort() > 0);
        const qint64 pid = window->serviceProcess()->processId();

        const QByteArray token = tokenOf(pid);
        static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
        QVERIFY2(hex.match(QString::fromLatin1(token)).hasMatch(), token.constData());
        // Any user may read a command line.
        const QList<QByteArray> commandLine = procEntries(pid, "cmdline");
        QCOMPARE(commandLine.size(), 2);
        QCOMPARE(commandLine.at(1), QByteArray::number(window->servicePort()));
        QVERIFY(!commandLine.join(' ').contains(token));
        // Tools the client launches inherit its environment: the secret stays out of it.
        QVERIFY(!qEnvironmentVariableIsSet("HAULMOOR_TOKEN"));

        // The window's own requests are served.
        QSignalSpy responded(window.get(), &Gearmart::signalServerResponded);
        window->onBuildClientRequest(DownloadProgress, {2});
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(responded.begin(), responded.end(),
                                             [](const QList<QVariant>& args) {
                                                 return args[0].toInt() == DownloadProgress &&
                                                        args[1].value<ValueMap>() == ValueMap{{2, "0"}};
                                             }),
                                 10000);
        QCOMPARE(statusForStranger(window->servicePort()), 403);
        window->serviceProcess()->disconnect(window.get());
    }

    void everyStartHasItsOwnSecret()
    {
        QList<QByteArray> tokens;
        for (int start = 0; start < 2; ++start) {
            auto window = startedWindow();
            QTRY_COMPARE(window->serviceProcess()->state(), QProcess::Running);
            tokens << tokenOf(window->serviceProcess()->processId());
            TipDialog::setNextAnswerForTesting(1);
            QVERIFY(window->onClose());
            QCOMPARE(window->serviceProcess()->state(), QProcess::NotRunning);
            TipDialog::resetForTesting();
        }
        QCOMPARE(tokens.size(), 2);
        QVERIFY(!tokens[0].isEmpty());
        QVERIFY(tokens[0] != tokens[1]);
    }
};

QTEST_MAIN(TestServiceSupervisor)
#include "tst_servicesupervisor.moc"
