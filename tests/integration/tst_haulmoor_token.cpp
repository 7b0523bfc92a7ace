// The installed service started the way its client starts it, with a secret
// in its environment: only requests carrying that secret are served, and a
// stranger's request is refused before it can start, print or download
// anything. Started by hand, without the secret, it serves everyone as before.
#include "loopback.h"
#include "packageserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <curl/curl.h>
#include <memory>
#include <optional>
#include <signal.h>
#include <sys/prctl.h>

namespace {

const QByteArray kSecret = "9c1e5b7a0d2f4863a1b9c7e5d3f20486b5a7c9e1f3d5b7a90c2e4f6a8b0d1e3f";
const QByteArray kHeader = "X-Haulmoor-Token";

using Entries = QList<QPair<QString, QString>>;

// Dies with the test, so no stand-in keeps some later service alive.
class ChildProcess : public QProcess
{
protected:
    void setupChildProcess() override { prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

struct Reply
{
    CURLcode transport = CURLE_OK;
    long status = 0;
    QByteArray raw;
    int method = -1;
    QMap<QString, QString> values;
};

size_t appendTo(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, int(size * count));
    return size * count;
}

QByteArray requestBody(int method, const Entries& entries)
{
    QJsonArray urls;
    for (const auto& [url, unzipDir] : entries)
        urls.append(QJsonObject{{QStringLiteral("url"), url}, {QStringLiteral("unzipDir"), unzipDir}});
    return QJsonDocument(QJsonObject{{QStringLiteral("method"), method}, {QStringLiteral("urls"), urls}})
        .toJson(QJsonDocument::Compact);
}

// headers: complete header lines as curl takes them ("Name: value", or
// "Name;" for an empty value).
Reply post(quint16 port, const QByteArray& body, const QList<QByteArray>& headers)
{
    Reply reply;
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(port) + "/DownloadSubTool?format=json";
    CURL* curl = curl_easy_init();
    curl_slist* list = curl_slist_append(nullptr, "Content-Type: application/json");
    for (const QByteArray& header : headers)
        list = curl_slist_append(list, header.constData());
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 15000L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &appendTo);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.raw);
    reply.transport = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_slist_free_all(list);
    curl_easy_cleanup(curl);

    const QJsonObject root = QJsonDocument::fromJson(reply.raw).object();
    reply.method = root.value(QStringLiteral("method")).toInt(-1);
    for (const QJsonValue& entry : root.value(QStringLiteral("urlsToValue")).toArray()) {
        const QJsonObject object = entry.toObject();
        reply.values.insert(object.value(QStringLiteral("url")).toString(),
                            object.value(QStringLiteral("value")).toString());
    }
    return reply;
}

QByteArray tokenHeader(const QByteArray& value)
{
    return kHeader + ": " + value;
}

bool writeFile(const QString& path, const QByteArray& content, bool executable = false)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return false;
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    return file.setPermissions(permissions);
}

// Local addresses (hex, as the kernel lists them) of every socket that
// listens on the port.
QStringList listeningAddresses(quint16 port)
{
    QStringList addresses;
    const QString portHex = QStringLiteral("%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    for (const QString& table : {QStringLiteral("/proc/net/tcp"), QStringLiteral("/proc/net/tcp6")}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            if (fields.size() < 4 || fields[3] != "0A")
                continue;
            const QList<QByteArray> local = fields[1].split(':');
            if (local.size() == 2 && QString::fromLatin1(local[1]) == portHex)
                addresses << QString::fromLatin1(local[0]);
        }
    }
    return addresses;
}

} // namespace

class TestHaulmoorToken : public QObject
{
    Q_OBJECT

private:
    fixtures::PackageServer m_cloud;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_install;
    QString m_downloads;
    std::unique_ptr<ChildProcess> m_standIn;
    std::unique_ptr<ChildProcess> m_service;
    QByteArray m_output;
    quint16 m_port = 0;
    int m_packageNumber = 0;

    QString subTools() const { return m_downloads + QStringLiteral("/SubTools/"); }

    // secret: nullopt leaves the variable out, as when started by hand.
    bool startService(const std::optional<QByteArray>& secret)
    {
        m_port = fixtures::loopback::pickFreePort();
        m_output.clear();
        m_service = std::make_unique<ChildProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("HAULMOOR_TOKEN"));
        environment.insert(QStringLiteral("HOME"), m_root->filePath(QStringLiteral("home")));
        if (secret)
            environment.insert(QStringLiteral("HAULMOOR_TOKEN"), QString::fromLatin1(*secret));
        m_service->setProcessEnvironment(environment);
        m_service->setWorkingDirectory(m_install);
        m_service->start(m_install + QStringLiteral("/Haulmoor"), {QString::number(m_port)});
        if (m_port == 0 || !m_service->waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            if (fixtures::loopback::portAnswers(m_port))
                return true;
            if (m_service->state() == QProcess::NotRunning)
                return false;
            QTest::qWait(10);
        }
        return false;
    }

    QByteArray output()
    {
        m_output += m_service->readAllStandardOutput();
        return m_output;
    }

    Reply ask(int method, const Entries& entries, const QList<QByteArray>& headers)
    {
        return post(m_port, requestBody(method, entries), headers);
    }

    // A package with its size file beside it, under a name of its own.
    QString publish(const QString& name)
    {
        const QString path = QStringLiteral("/p%1/%2").arg(++m_packageNumber).arg(name);
        const QByteArray package = "package " + name.toUtf8();
        m_cloud.addFile(path + QStringLiteral(".zip"), package);
        m_cloud.addFile(path + QStringLiteral(".json"),
                        "{\"package_size\": " + QByteArray::number(package.size()) + "}");
        return m_cloud.url(path + QStringLiteral(".zip"));
    }

    int waitForFinal(const QString& url, const QList<QByteArray>& headers)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            const Reply reply = ask(4, {{url, QString()}}, headers);
            const int value = reply.values.value(url, QStringLiteral("-999")).toInt();
            if (reply.status == 200 && (value == 200 || value == 400 || value == 404 || value == -1))
                return value;
            QTest::qWait(100);
        }
        return -999;
    }

    bool cloudWasAskedFor(const QString& name) const
    {
        const auto log = m_cloud.log();
        return std::any_of(log.begin(), log.end(),
                           [&](const fixtures::RequestRecord& record) { return record.path.contains(name); });
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(curl_global_init(CURL_GLOBAL_DEFAULT), CURLE_OK);
        QVERIFY(m_cloud.start());
    }

    void cleanupTestCase() { curl_global_cleanup(); }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        m_install = m_root->filePath(QStringLiteral("install"));
        m_downloads = m_root->filePath(QStringLiteral("downloads"));
        QVERIFY(QDir().mkpath(m_install));
        QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("home"))));
        QVERIFY(QFile::copy(QStringLiteral(GEARLOFT_STAGE_DIR "/Haulmoor"),
                            m_install + QStringLiteral("/Haulmoor")));
        // Stands in for the unpacker and shows what a program the service
        // starts gets to see.
        QVERIFY(writeFile(m_install + QStringLiteral("/ZipUnzip"),
                          "#!/bin/sh\n[ \"$1\" = 1 ] || exit 2\nmkdir -p \"$3\" && env > "
                          "\"$3/environment.txt\" && exit 1\n",
                          true));
        QVERIFY(writeFile(m_install + QStringLiteral("/Setup.xml"),
                          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n<DownloadPath>\n<Value>" +
                              m_downloads.toUtf8() + "</Value>\n</DownloadPath>\n</Setup>\n"));

        const QString standIn = m_root->filePath(QStringLiteral("standin/Gearloft"));
        QVERIFY(QDir().mkpath(QFileInfo(standIn).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), standIn));
        m_standIn = std::make_unique<ChildProcess>();
        m_standIn->start(standIn, {QStringLiteral("600")});
        QVERIFY(m_standIn->waitForStarted(5000));
        m_cloud.clearLog();
    }

    void cleanup()
    {
        if (m_service && m_service->state() != QProcess::NotRunning) {
            m_service->kill();
            m_service->waitForFinished(5000);
        }
        if (QTest::currentTestFailed() && m_service)
            qInfo("service output: %s", output().constData());
        if (m_standIn) {
            m_standIn->kill();
            m_standIn->waitForFinished(5000);
        }
        m_service.reset();
        m_standIn.reset();
        m_root.reset();
    }

    void strangersAreRefusedAndNothingHappens_data()
    {
        QTest::addColumn<QList<QByteArray>>("headers");
        QTest::newRow("no header") << QList<QByteArray>{};
        QTest::newRow("empty value") << QList<QByteArray>{kHeader + ";"};
        QTest::newRow("wrong secret")
            << QList<QByteArray>{tokenHeader(QByteArray(kSecret).replace('9', '8'))};
        QTest::newRow("prefix") << QList<QByteArray>{tokenHeader(kSecret.left(kSecret.size() - 1))};
        QTest::newRow("one character more") << QList<QByteArray>{tokenHeader(kSecret + "0")};
        QTest::newRow("upper case") << QList<QByteArray>{tokenHeader(kSecret.toUpper())};
        QTest::newRow("other header name") << QList<QByteArray>{"Authorization: " + kSecret};
        QTest::newRow("similar header name") << QList<QByteArray>{kHeader + "s: " + kSecret};
        QTest::newRow("very long value") << QList<QByteArray>{tokenHeader(kSecret.repeated(20))};
    }

    void strangersAreRefusedAndNothingHappens()
    {
        QFETCH(QList<QByteArray>, headers);
        QVERIFY(startService(kSecret));
        const QString refusedUrl = publish(QStringLiteral("refused"));

        for (int method = 1; method <= 7; ++method) {
            const Reply reply = ask(method, {{refusedUrl, subTools()}}, headers);
            QCOMPARE(reply.transport, CURLE_OK);
            QCOMPARE(reply.status, 403L);
            QVERIFY2(reply.raw.isEmpty(), reply.raw.constData());
        }

        // The client's own download goes through the same queues: once it has
        // finished, anything the refused requests had started would show.
        const QList<QByteArray> client{tokenHeader(kSecret)};
        const QString acceptedUrl = publish(QStringLiteral("accepted"));
        const Reply accepted = ask(3, {{acceptedUrl, subTools()}}, client);
        QCOMPARE(accepted.status, 200L);
        QCOMPARE(accepted.values.value(acceptedUrl), QStringLiteral("0"));
        QCOMPARE(waitForFinal(acceptedUrl, client), 200);
        QTRY_VERIFY(output().contains(acceptedUrl.toUtf8()));

        QVERIFY2(!output().contains("refused"), output().constData());
        QVERIFY(!cloudWasAskedFor(QStringLiteral("refused")));
        QVERIFY(cloudWasAskedFor(QStringLiteral("accepted")));
        QCOMPARE(QDir(subTools()).entryList(QDir::Files), QStringList{QStringLiteral("environment.txt")});
        QVERIFY(!QDir(m_install + QStringLiteral("/ToolsFileTemp")).exists());
        QCOMPARE(m_service->state(), QProcess::Running);
    }

    void theSecretServesEveryMethod_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QByteArray>("headerName");
        for (int method = 1; method <= 7; ++method)
            QTest::addRow("method %d", method) << method << kHeader;
        // Header names are not case-sensitive in HTTP.
        QTest::newRow("lower-case header name") << 4 << kHeader.toLower();
    }

    void theSecretServesEveryMethod()
    {
        QFETCH(int, method);
        QFETCH(QByteArray, headerName);
        QVERIFY(startService(kSecret));
        const QString url = method >= 6 ? m_cloud.baseUrl() : publish(QStringLiteral("tool"));
        const Reply reply = ask(method, {{url, subTools()}}, {headerName + ": " + kSecret});
        QCOMPARE(reply.status, 200L);
        QCOMPARE(reply.method, method);
        QCOMPARE(reply.values.keys(), QStringList{url});
        QTRY_VERIFY(output().contains(requestBody(method, {{url, subTools()}})));
    }

    void programsTheServiceStartsDoNotInheritTheSecret()
    {
        QVERIFY(startService(kSecret));
        const QList<QByteArray> client{tokenHeader(kSecret)};
        const QString url = publish(QStringLiteral("tool"));
        QCOMPARE(ask(3, {{url, subTools()}}, client).status, 200L);
        QCOMPARE(waitForFinal(url, client), 200);
        QFile environment(subTools() + QStringLiteral("environment.txt"));
        QVERIFY(environment.open(QIODevice::ReadOnly));
        const QByteArray seen = environment.readAll();
        QVERIFY(seen.contains("HOME="));
        QVERIFY(!seen.contains("HAULMOOR_TOKEN"));
        QVERIFY(!seen.contains(kSecret));
    }

    void startedByHandItServesEveryone_data()
    {
        QTest::addColumn<QList<QByteArray>>("headers");
        QTest::newRow("no header") << QList<QByteArray>{};
        QTest::newRow("some token") << QList<QByteArray>{tokenHeader(kSecret)};
    }

    void startedByHandItServesEveryone()
    {
        QFETCH(QList<QByteArray>, headers);
        QVERIFY(startService(std::nullopt));
        const QString url = publish(QStringLiteral("tool"));
        const Reply reply = ask(3, {{url, subTools()}}, headers);
        QCOMPARE(reply.status, 200L);
        QCOMPARE(reply.values.value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url, headers), 200);
    }

    // A start that set the variable but left it empty refuses everyone
    // rather than serving everyone.
    void emptySecretRefusesEveryone()
    {
        QVERIFY(startService(QByteArray()));
        for (const QList<QByteArray>& headers : {QList<QByteArray>{}, QList<QByteArray>{kHeader + ";"}}) {
            const Reply reply = ask(4, {{QStringLiteral("http://cloud/x.zip"), QString()}}, headers);
            QCOMPARE(reply.status, 403L);
        }
    }

    void listensOnLoopbackOnly()
    {
        QVERIFY(startService(kSecret));
        QCOMPARE(listeningAddresses(m_port), QStringList{QStringLiteral("0100007F")});
    }
};

QTEST_GUILESS_MAIN(TestHaulmoorToken)
#include "tst_haulmoor_token.moc"
