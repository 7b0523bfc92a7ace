// The built Signgate, in its installed layout, run for real on a private X
// screen against a login page on the loopback interface: signing in ends
// with status 1, closing the window with 0.
#include "loginpageserver.h"
#include "signgatecopy.h"
#include "virtualscreen.h"
#include "xwindowdriver.h"

#include <QProcess>
#include <QtTest>

using namespace signintest;

class TestSigngateRun : public QObject
{
    Q_OBJECT

private:
    VirtualScreen m_screen;
    XWindowDriver m_driver;

    void start(QProcess& process, const SigngateCopy& copy, const QStringList& arguments)
    {
        QProcessEnvironment environment = copy.environment();
        environment.insert(QStringLiteral("DISPLAY"), m_screen.display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.setProgram(copy.programPath());
        process.setArguments(arguments);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
    }

    static QString explain(QProcess& process)
    {
        return QStringLiteral("exit %1 (%2); stderr:\n%3")
            .arg(process.exitCode())
            .arg(process.exitStatus() == QProcess::NormalExit ? QStringLiteral("normal")
                                                              : QStringLiteral("crashed"))
            .arg(QString::fromLocal8Bit(process.readAllStandardError().right(3000)));
    }

    static bool finishes(QProcess& process, int iMilliseconds)
    {
        if (process.waitForFinished(iMilliseconds))
            return true;
        process.kill();
        process.waitForFinished(5000);
        return false;
    }

private slots:
    void initTestCase()
    {
        const QString problem = m_screen.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(m_driver.open(m_screen.display()));
    }

    void theTicketSignsIn()
    {
        LoginPageServer server(LoginPageServer::Mode::SignsIn);
        QVERIFY(server.start());
        SigngateCopy copy;
        const QString problem = copy.create(server.loginUrl());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        QProcess process;
        start(process, copy, {QStringLiteral("1")});
        QVERIFY2(finishes(process, 120000), "Signgate did not end after the ticket");
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1,
                 qPrintable(explain(process)));

        // The impostors' tickets came first and were passed over; the real
        // one came with the answer to the form.
        const QList<LoginPageServer::Hit> hits = server.hits();
        QStringList route;
        for (const LoginPageServer::Hit& hit : hits)
            route += hit.method + QLatin1Char(' ') + hit.host.section(QLatin1Char(':'), 0, 0) + hit.path;
        QVERIFY2(route.indexOf(QStringLiteral("GET sub.localhost/impostor")) >= 0,
                 qPrintable(route.join(", ")));
        QVERIFY2(route.indexOf(QStringLiteral("GET 127.0.0.1/impostor")) >= 0, qPrintable(route.join(", ")));
        QVERIFY2(route.indexOf(QStringLiteral("POST localhost/login")) >= 0, qPrintable(route.join(", ")));
        // Chinese asks every request, on every host, for Chinese pages, up to
        // the ticket; what the closing window still fetches after it (say
        // the page's icon) no longer passes the interceptor.
        for (const LoginPageServer::Hit& hit : hits) {
            QVERIFY2(hit.acceptLanguage == QLatin1String("zh-CN"),
                     qPrintable(hit.method + QLatin1Char(' ') + hit.path));
            if (hit.method == QLatin1String("POST"))
                break;
        }
    }

    void closingEndsWithZero_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<QString>("title");
        QTest::newRow("English, close button") << 0 << true << QStringLiteral("Signgate");
        QTest::newRow("Chinese, close button") << 1 << true << QStringLiteral("登录");
        QTest::newRow("English, closed by the desktop") << 0 << false << QStringLiteral("Signgate");
    }

    void closingEndsWithZero()
    {
        QFETCH(int, language);
        QFETCH(bool, byButton);
        QFETCH(QString, title);
        LoginPageServer server(LoginPageServer::Mode::Waits);
        QVERIFY(server.start());
        SigngateCopy copy;
        const QString problem = copy.create(server.loginUrl());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        QProcess process;
        start(process, copy, {QString::number(language)});
        QTRY_VERIFY_WITH_TIMEOUT(
            server.sawPath(QStringLiteral("/ready")) || process.state() == QProcess::NotRunning, 120000);
        // Impostor tickets and look-alike cookies have all been set by now.
        QVERIFY2(process.state() == QProcess::Running, qPrintable(explain(process)));
        quint64 window = 0;
        QTRY_VERIFY_WITH_TIMEOUT((window = m_driver.findWindow(process.processId())) != 0, 30000);
        QCOMPARE(m_driver.title(window), title);
        const QRect frame = m_driver.geometry(window);
        QCOMPARE(frame.size(), QSize(1218, 808));

        // The frameless window follows a drag of its top strip.
        m_driver.leftDrag(window, QPoint(400, 20), QPoint(400 + 60, 20 + 40));
        QTRY_COMPARE_WITH_TIMEOUT(m_driver.geometry(window).topLeft(), frame.topLeft() + QPoint(60, 40),
                                  10000);

        if (byButton)
            m_driver.leftClick(window, QPoint(frame.width() - 9 - 12, 9 + 12));
        else
            m_driver.requestClose(window);
        QVERIFY2(finishes(process, 30000), "Signgate did not end on closing");
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(explain(process)));

        const QList<LoginPageServer::Hit> hits = server.hits();
        QVERIFY(!hits.isEmpty());
        for (const LoginPageServer::Hit& hit : hits)
            QCOMPARE(hit.acceptLanguage == QLatin1String("zh-CN"), language == 1);
    }

    void withoutArgumentNoWindowAndNoSuccess()
    {
        LoginPageServer server(LoginPageServer::Mode::SignsIn);
        QVERIFY(server.start());
        SigngateCopy copy;
        const QString problem = copy.create(server.loginUrl());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        QProcess process;
        start(process, copy, {});
        QVERIFY2(finishes(process, 60000), "Signgate waited without an argument");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(QString::fromLocal8Bit(process.readAllStandardError())
                    .contains(QLatin1String("language number")));
        QVERIFY(server.hits().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSigngateRun)
#include "tst_signgaterun.moc"
