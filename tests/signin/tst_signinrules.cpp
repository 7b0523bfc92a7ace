// Signgate's rules without a browser: which cookie signs the user in, which
// requests get a language header, where the login page comes from, and which
// translation and skin files the program picks up.
#include "application.h"
#include "loginsettings.h"
#include "ticketcookierule.h"
#include "webengineurlrequestinterceptor.h"

#include <QFile>
#include <QNetworkCookie>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace signgate;

class TestSigninRules : public QObject
{
    Q_OBJECT

private:
    static bool write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    static QStringList names(const QStringList& paths)
    {
        QStringList result;
        for (const QString& path : paths)
            result += QFileInfo(path).fileName();
        return result;
    }

private slots:
    void ticketCookie_data()
    {
        QTest::addColumn<QString>("loginHost");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("isTicket");
        const QString host = QStringLiteral("sso.example.com");
        QTest::newRow("ticket from the login host") << host << host << QByteArray("CASTGC") << true;
        QTest::newRow("ticket from a loopback login host")
            << QStringLiteral("127.0.0.1") << QStringLiteral("127.0.0.1") << QByteArray("CASTGC") << true;
        QTest::newRow("ticket from a subdomain")
            << host << QStringLiteral("login.sso.example.com") << QByteArray("CASTGC") << false;
        QTest::newRow("ticket for the parent domain")
            << host << QStringLiteral("example.com") << QByteArray("CASTGC") << false;
        QTest::newRow("ticket with a Domain attribute")
            << host << QStringLiteral(".sso.example.com") << QByteArray("CASTGC") << false;
        QTest::newRow("ticket from another site")
            << host << QStringLiteral("sso.example.org") << QByteArray("CASTGC") << false;
        QTest::newRow("domain in other case")
            << host << QStringLiteral("SSO.Example.com") << QByteArray("CASTGC") << false;
        QTest::newRow("name in lower case") << host << host << QByteArray("castgc") << false;
        QTest::newRow("longer name") << host << host << QByteArray("CASTGC2") << false;
        QTest::newRow("other cookie") << host << host << QByteArray("JSESSIONID") << false;
        QTest::newRow("no domain") << host << QString() << QByteArray("CASTGC") << false;
        QTest::newRow("no login host, no domain") << QString() << QString() << QByteArray("CASTGC") << false;
    }

    void ticketCookie()
    {
        QFETCH(QString, loginHost);
        QFETCH(QString, domain);
        QFETCH(QByteArray, name);
        QFETCH(bool, isTicket);
        QNetworkCookie cookie(name, "TGT-12-abc");
        cookie.setDomain(domain);
        cookie.setPath(QStringLiteral("/"));
        QCOMPARE(TicketCookieRule(loginHost).isTicket(cookie), isTicket);
    }

    void languageHeader_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("wanted");
        QTest::newRow("English") << 0 << false;
        QTest::newRow("Chinese") << 1 << true;
        QTest::newRow("other number") << 2 << false;
        QTest::newRow("negative") << -1 << false;
    }

    void languageHeader()
    {
        QFETCH(int, language);
        QFETCH(bool, wanted);
        QCOMPARE(WebEngineUrlRequestInterceptor::isWantedFor(language), wanted);
        const QVector<WebEngineUrlRequestInterceptor::Header> expected{
            {QByteArrayLiteral("Accept-Language"), QByteArrayLiteral("zh-CN")}};
        QCOMPARE(WebEngineUrlRequestInterceptor::addedHeaders(), expected);
    }

    void languageArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("code");
        QTest::newRow("0") << QStringLiteral("0") << 0 << QStringLiteral("en");
        QTest::newRow("1") << QStringLiteral("1") << 1 << QStringLiteral("zh");
        QTest::newRow("2") << QStringLiteral("2") << 2 << QString();
        QTest::newRow("not a number") << QStringLiteral("zh") << 0 << QStringLiteral("en");
        QTest::newRow("number with text") << QStringLiteral("1x") << 0 << QStringLiteral("en");
        QTest::newRow("empty") << QString() << 0 << QStringLiteral("en");
        QTest::newRow("negative") << QStringLiteral("-1") << -1 << QString();
    }

    void languageArgument()
    {
        QFETCH(QString, argument);
        QFETCH(int, number);
        QFETCH(QString, code);
        QCOMPARE(Application::languageNumber(argument), number);
        QCOMPARE(Application::languageCode(number), code);
    }

    void translationsForTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English") << 0 << QStringList{QStringLiteral("signgate_en.qm")};
        QTest::newRow("Chinese") << 1
                                 << QStringList{QStringLiteral("help_zh.qm"),
                                                QStringLiteral("signgate_zh.qm")};
        // No particular language: every translation file.
        QTest::newRow("other number")
            << 2
            << QStringList{QStringLiteral("help_zh.qm"), QStringLiteral("signgate_en.qm"),
                           QStringLiteral("signgate_zh.qm")};
    }

    void translationsForTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        for (const char* name :
             {"signgate_en.qm", "signgate_zh.qm", "help_zh.qm", "SIGNGATE_EN.QM", "notes.txt"})
            QVERIFY(write(dir.filePath(QString::fromLatin1(name)), "x"));
        // Links and folders are not translation files, whatever their names.
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("signgate_en.qm")),
                            dir.filePath(QStringLiteral("link_en.qm"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("signgate_zh.qm")),
                            dir.filePath(QStringLiteral("link_zh.qm"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("old_zh.qm")));

        QCOMPARE(names(Application::translationFiles(dir.path(), language)), expected);
        QCOMPARE(names(Application::translationFiles(dir.filePath(QStringLiteral("missing")), language)),
                 QStringList());
    }

    void skinsAreCollectedFromEveryFolder()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkpath(QStringLiteral("skins/dark/icons")));
        QVERIFY(root.mkpath(QStringLiteral("skins/empty")));
        QVERIFY(write(dir.filePath(QStringLiteral("skins/base.rcc")), "x"));
        QVERIFY(write(dir.filePath(QStringLiteral("skins/dark/dark.rcc")), "x"));
        QVERIFY(write(dir.filePath(QStringLiteral("skins/dark/icons/more.rcc")), "x"));
        // A link back up must not send the walk round in circles.
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("skins")),
                            dir.filePath(QStringLiteral("skins/dark/loop"))));

        QStringList files = Application::skinFiles(dir.filePath(QStringLiteral("skins")));
        files.sort();
        const QString skins = QFileInfo(dir.filePath(QStringLiteral("skins"))).absoluteFilePath();
        QCOMPARE(files,
                 (QStringList{skins + QStringLiteral("/base.rcc"), skins + QStringLiteral("/dark/dark.rcc"),
                              skins + QStringLiteral("/dark/icons/more.rcc")}));
        QVERIFY(Application::skinFiles(dir.filePath(QStringLiteral("nothing"))).isEmpty());
    }

    void defaultLoginPage()
    {
        const QUrl url = LoginSettings::defaultLoginUrl();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.path(), QStringLiteral("/login"));
        QVERIFY(!url.host().isEmpty());
        QCOMPARE(LoginSettings::checkLoginUrl(url), QString());
        QCOMPARE(QString::fromLatin1(LoginSettings::kFileName), QStringLiteral("signgate.ini"));
    }

    void theShippedSettingsFileIsValid()
    {
        const LoginSettings settings =
            LoginSettings::load(QStringLiteral(GEARLOFT_SOURCE_DIR "/signin/signgate.ini"));
        QVERIFY(settings.isFromFile());
        QCOMPARE(settings.loginUrl(), LoginSettings::defaultLoginUrl());
    }

    void loginSettingsFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("url"); // empty: the default
        QTest::addColumn<QString>("problem");

        QTest::newRow("https page") << true
                                    << QByteArray("[Login]\nUrl=https://login.example.net/cas/login\n")
                                    << QStringLiteral("https://login.example.net/cas/login") << QString();
        QTest::newRow("comments, spaces, other keys, CRLF")
            << true
            << QByteArray("# deployment\r\n; another comment\r\n\r\n[Other]\r\nUrl=https://wrong.example/\r\n"
                          " [ Login ] \r\n  Timeout = 5\r\n  Url = "
                          "https://sso.example.org:8443/login?service=x \r\n")
            << QStringLiteral("https://sso.example.org:8443/login?service=x") << QString();
        QTest::newRow("the last Url wins")
            << true << QByteArray("[Login]\nUrl=https://a.example/login\nUrl=https://b.example/login\n")
            << QStringLiteral("https://b.example/login") << QString();
        QTest::newRow("plain http on loopback")
            << true << QByteArray("[Login]\nUrl=http://127.0.0.1:8080/login\n")
            << QStringLiteral("http://127.0.0.1:8080/login") << QString();
        QTest::newRow("plain http on localhost")
            << true << QByteArray("[Login]\nUrl=http://localhost:9/login\n")
            << QStringLiteral("http://localhost:9/login") << QString();
        QTest::newRow("plain http on IPv6 loopback")
            << true << QByteArray("[Login]\nUrl=http://[::1]:9/login\n")
            << QStringLiteral("http://[::1]:9/login") << QString();

        QTest::newRow("missing file") << false << QByteArray() << QString() << QStringLiteral("no such file");
        QTest::newRow("empty file") << true << QByteArray() << QString()
                                    << QStringLiteral("no Url in section [Login]");
        QTest::newRow("Url outside [Login]") << true << QByteArray("Url=https://a.example/login\n")
                                             << QString() << QStringLiteral("no Url in section [Login]");
        QTest::newRow("key in other case") << true << QByteArray("[Login]\nurl=https://a.example/login\n")
                                           << QString() << QStringLiteral("no Url in section [Login]");
        QTest::newRow("line without =")
            << true << QByteArray("[Login]\nhttps://a.example/login\n") << QString()
            << QStringLiteral("line 2 is neither a [section] nor key=value");
        QTest::newRow("binary") << true
                                << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << QString() << QStringLiteral("line 1 is neither a [section] nor key=value");
        QTest::newRow("plain http to another machine")
            << true << QByteArray("[Login]\nUrl=http://sso.example.com/login\n") << QString()
            << QStringLiteral("the address must use https (http only on the loopback interface) "
                              "(\"http://sso.example.com/login\")");
        QTest::newRow("other scheme") << true << QByteArray("[Login]\nUrl=file:///etc/passwd\n") << QString()
                                      << QStringLiteral("the address names no host (\"file:///etc/passwd\")");
        QTest::newRow("no host") << true << QByteArray("[Login]\nUrl=https:///login\n") << QString()
                                 << QStringLiteral("the address names no host (\"https:///login\")");
        QTest::newRow("empty Url") << true << QByteArray("[Login]\nUrl=\n") << QString()
                                   << QStringLiteral("the address is not a valid URL (\"\")");
        QTest::newRow("not a URL") << true << QByteArray("[Login]\nUrl=https://exa mple.com/login\n")
                                   << QString()
                                   << QStringLiteral(
                                          "the address is not a valid URL (\"https://exa mple.com/login\")");
    }

    void loginSettingsFile()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(QString, url);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("signgate.ini"));
        if (exists)
            QVERIFY(write(path, content));
        if (!problem.isEmpty()) {
            QTest::ignoreMessage(
                QtWarningMsg,
                qPrintable(QStringLiteral("Signgate login settings %1: %2; using the default login "
                                          "page https://sso.brelvonix.com/login")
                               .arg(path, problem)));
        }

        const LoginSettings settings = LoginSettings::load(path);
        QCOMPARE(settings.problem(), problem);
        QCOMPARE(settings.isFromFile(), problem.isEmpty());
        QCOMPARE(settings.loginUrl(), url.isEmpty() ? LoginSettings::defaultLoginUrl() : QUrl(url));
    }

    void unreadableSettingsFallBack()
    {
        QTemporaryDir dir;
        // A folder where the file should be cannot be read as one.
        const QString folder = dir.filePath(QStringLiteral("signgate.ini"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("signgate.ini")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^Signgate login settings .*signgate"
                                                               "\\.ini: cannot be read")));
        LoginSettings settings = LoginSettings::load(folder);
        QVERIFY(!settings.isFromFile());
        QCOMPARE(settings.loginUrl(), LoginSettings::defaultLoginUrl());

        const QString big = dir.filePath(QStringLiteral("big.ini"));
        QVERIFY(write(big, "[Login]\nUrl=https://a.example/login\n# " + QByteArray(100 * 1024, 'x') + '\n'));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("big\\.ini: too large")));
        settings = LoginSettings::load(big);
        QVERIFY(!settings.isFromFile());
        QCOMPARE(settings.loginUrl(), LoginSettings::defaultLoginUrl());
    }
};

QTEST_GUILESS_MAIN(TestSigninRules)
#include "tst_signinrules.moc"
