// The sign-in gate with the real Signgate (the built program in its installed
// layout) against a login page on the loopback interface.
#include "clientinstallation.h"
#include "common/signingate.h"
#include "loginpageserver.h"
#include "signgatecopy.h"
#include "testcatalog.h"
#include "tooldata/tooldatamanager.h"
#include "widgets/tipdialog.h"

#include <QtTest>

using namespace gearmart;

class TestSignInGateWithSigngate : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SignInGate::setProgramForTesting(QString()); }

    void signingInOpensTheGateForTheSession()
    {
        clienttest::ClientInstallation install;
        install.writeSetup({{QStringLiteral("Translator"), QStringLiteral("1")}});
        testcatalog::Tool guarded = testcatalog::tool(2);
        guarded.isDown = 1;
        QVERIFY(testcatalog::writeCatalog(install, {guarded, testcatalog::tool(3)}));
        install.writeStateList();
        QVERIFY(install.loadSingletons());
        TipDialog::resetForTesting();

        signintest::LoginPageServer server(signintest::LoginPageServer::Mode::SignsIn);
        QVERIFY(server.start());
        signintest::SigngateCopy signgate;
        const QString problem = signgate.create(server.loginUrl());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The gate hands its own environment to Signgate: keep the browser's
        // profile out of the real home.
        const QProcessEnvironment environment = signgate.environment();
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
            qputenv(name, QFile::encodeName(environment.value(QString::fromLatin1(name))));
        SignInGate::setProgramForTesting(signgate.programPath());

        SignInGate gate;
        QSignalSpy cover(&gate, &SignInGate::signalCover);
        QVERIFY(gate.pass(2));
        QVERIFY(ToolDataManager::instance()->isSignedIn());
        QCOMPARE(cover.size(), 2);
        QCOMPARE(TipDialog::requestCountForTesting(), 0);
        // The Translator setting reached Signgate: Chinese pages asked for.
        const QList<signintest::LoginPageServer::Hit> hits = server.hits();
        QVERIFY(server.sawPath(QStringLiteral("/login")));
        // (Up to the ticket: the closing window may still fetch an icon.)
        for (const signintest::LoginPageServer::Hit& hit : hits) {
            QVERIFY2(hit.acceptLanguage == QLatin1String("zh-CN"),
                     qPrintable(hit.method + QLatin1Char(' ') + hit.path));
            if (hit.method == QLatin1String("POST"))
                break;
        }

        // Signed in for the session: no second window.
        const int before = server.hits().size();
        QVERIFY(SignInGate().pass(2));
        QCOMPARE(server.hits().size(), before);
    }
};

QTEST_MAIN(TestSignInGateWithSigngate)
#include "tst_signingatesigngate.moc"
