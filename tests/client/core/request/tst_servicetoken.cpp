// The secret the client hands the service it starts, and the request layer
// carrying it on every request to the installed service.
#include "clientinstallation.h"
#include "loopback.h"
#include "request/clientrequest.h"
#include "request/clientrequestmanager.h"
#include "request/requestmethod.h"
#include "request/servicetoken.h"
#include "wirelink/wirelink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace gearmart;

class TestServiceToken : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { NET_UTILS_Init(); }

    void everyTokenIsFreshRandomHex()
    {
        static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
        QSet<QByteArray> seen;
        for (int i = 0; i < 50; ++i) {
            const QByteArray token = ServiceToken::generate();
            QVERIFY2(hex.match(QString::fromLatin1(token)).hasMatch(), token.constData());
            seen.insert(token);
        }
        QCOMPARE(seen.size(), 50);
    }

    void environmentCarriesTheTokenAndKeepsTheRest()
    {
        QProcessEnvironment base;
        base.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        base.insert(QStringLiteral("HAULMOOR_TOKEN"), QStringLiteral("inherited"));
        const QProcessEnvironment environment = ServiceToken::environmentWith("fresh", base);
        QCOMPARE(environment.value(QStringLiteral("HAULMOOR_TOKEN")), QStringLiteral("fresh"));
        QCOMPARE(environment.value(QStringLiteral("PATH")), QStringLiteral("/usr/bin:/bin"));
        QCOMPARE(environment.keys().size(), 2);
    }

    // One pool thread, so every request reuses one client handle: a token
    // set for one request must be replaced, or removed, for the next.
    void requestsCarryTheTokenOfTheRunningService()
    {
        clienttest::ClientInstallation install;
        QVERIFY(install.copyPrograms({QStringLiteral("Haulmoor")}));
        QVERIFY(install.startStandIn());

        const QByteArray secret = ServiceToken::generate();
        const quint16 port = fixtures::loopback::pickFreePort();
        QProcess service;
        QVERIFY(install.startService(service, port, ServiceToken::environmentWith(secret)));
        QTRY_VERIFY_WITH_TIMEOUT(fixtures::loopback::portAnswers(port), 10000);

        ClientRequestManager manager;
        manager.setMaxThreadCount(1);
        QSignalSpy results(&manager, &ClientRequestManager::signalRequestResult);
        ClientRequest request;
        request.method = DownloadProgress;
        request.port = port;
        const QString url = QStringLiteral("http://cloud/tools/2.zip");
        request.urlToUnzipDir.insert(url, QString());
        const QString refused = madeUpReply(request, ClientValue::ExchangeFailed);

        const QList<QPair<QByteArray, bool>> steps{{secret, true},
                                                   {ServiceToken::generate(), false},
                                                   {secret, true},
                                                   {QByteArray(), false},
                                                   {secret.left(63), false}};
        for (const auto& [token, admitted] : steps) {
            manager.setServiceToken(token);
            manager.send(request);
            QVERIFY(results.wait(10000));
            const QList<QVariant> result = results.takeFirst();
            const QString text = result[1].toString();
            if (admitted) {
                QCOMPARE(result[0].toInt(), 0);
                const QJsonObject reply = QJsonDocument::fromJson(text.toLatin1()).object();
                const QJsonObject entry =
                    reply.value(QStringLiteral("urlsToValue")).toArray().at(0).toObject();
                QCOMPARE(entry.value(QStringLiteral("url")).toString(), url);
                QCOMPARE(entry.value(QStringLiteral("value")).toString(), QStringLiteral("0"));
            } else {
                QCOMPARE(result[0].toInt(), int(WL_ERR_HTTP_STATUS));
                QCOMPARE(text, refused);
            }
        }

        install.stopStandIn();
        QVERIFY(service.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(TestServiceToken)
#include "tst_servicetoken.moc"
