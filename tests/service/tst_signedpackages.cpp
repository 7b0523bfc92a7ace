// Publisher signatures and https through the whole service, against nginx
// serving a cloud over TLS with a certificate from a test authority made
// here. Keys are made and files signed with the signpackage tool itself.
#include "nginxserver.h"
#include "servicetestkit.h"
#include "wirelink/wirelink.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using servicetest::post;
using servicetest::RunningHost;

namespace {

const QString kVersionEndpoint = QStringLiteral("/OtherReqire?format=json");

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sha256Hex(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray metadataFor(const QString& fileName, const QByteArray& package)
{
    return "{\"package_size\": " + QByteArray::number(package.size()) + ", \"sha256\": \"" +
           sha256Hex(package) + "\", \"file\": \"" + fileName.toUtf8() + "\"}\n";
}

bool run(const QString& program, const QStringList& arguments, const QString& workDir = QString())
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return false;
    }
    return true;
}

} // namespace

class TestSignedPackages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_cloud;
    QString m_caFile;
    std::unique_ptr<fixtures::NginxServer> m_nginx;
    int m_count = 0;

    QString keyDir() const { return m_work.filePath(QStringLiteral("keys")); }
    QString privateKey(const QString& name) const { return keyDir() + QLatin1Char('/') + name + ".key"; }
    QString publicKey(const QString& name) const { return keyDir() + QLatin1Char('/') + name + ".pem"; }

    bool sign(const QString& key, const QString& file)
    {
        return run(QStringLiteral(SIGNPACKAGE_PROGRAM), {QStringLiteral("sign"), privateKey(key), file});
    }

    // A host whose installation trusts the named keys ("junk": a file that
    // holds no key), downloading into its own folder over the test CA.
    std::unique_ptr<RunningHost> startHost(const QStringList& trusted, QTemporaryDir& downloads,
                                           bool withCa = true)
    {
        auto running = std::make_unique<RunningHost>();
        const QString folder = running->moduleDir() + QStringLiteral("/trusted-keys/");
        for (const QString& name : trusted) {
            const QByteArray pem =
                name == QLatin1String("junk") ? QByteArray("not a key\n") : readFile(publicKey(name));
            if (!writeFile(folder + name + ".pem", pem))
                return nullptr;
        }
        servicetest::writeFakeUnpacker(running->moduleDir());
        QList<QPair<QString, QString>> more;
        if (withCa)
            more.append({QStringLiteral("CaFile"), m_caFile});
        running->writeSetup(downloads.path(), more);
        if (!running->start())
            return nullptr;
        running->gate().open();
        return running;
    }

    // Runs a download to its end; the final value and the reason it gave.
    QPair<int, QString> download(RunningHost& running, int method, const QString& url,
                                 const QString& unzipDir)
    {
        if (!post(running.port(), method, {{url, unzipDir}}).ok)
            return {-1000, QString()};
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            const haulmoor::ProgressCell cell = running.host().readCell(url.toStdString());
            if (!cell.running && cell.value != 0 && cell.value != 100)
                return {cell.value, QString::fromStdString(cell.failure)};
            QTest::qWait(20);
        }
        return {-2000, QString()};
    }

private slots:
    void initTestCase()
    {
        NET_UTILS_Init();
        QVERIFY2(!fixtures::NginxServer::findExecutable().isEmpty(), "nginx is needed");
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        QVERIFY2(!openssl.isEmpty(), "openssl is needed");
        QVERIFY(QDir().mkpath(keyDir()));
        for (const QString& name :
             {QStringLiteral("current"), QStringLiteral("next"), QStringLiteral("stranger")})
            QVERIFY(run(QStringLiteral(SIGNPACKAGE_PROGRAM),
                        {QStringLiteral("keygen"), privateKey(name), publicKey(name)}));

        // A test authority and a certificate from it for "localhost" only.
        const QString tls = m_work.filePath(QStringLiteral("tls"));
        QVERIFY(QDir().mkpath(tls));
        QVERIFY(writeFile(tls + QStringLiteral("/server.ext"),
                          "subjectAltName=DNS:localhost\nbasicConstraints=CA:FALSE\n"
                          "extendedKeyUsage=serverAuth\n"));
        QVERIFY(
            run(openssl,
                {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes", "-keyout",
                 "ca.key", "-out", "ca.pem", "-days", "2", "-subj", "/CN=Gearloft test authority"},
                tls));
        QVERIFY(run(openssl,
                    {"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes", "-keyout",
                     "server.key", "-out", "server.csr", "-subj", "/CN=localhost"},
                    tls));
        QVERIFY(run(openssl,
                    {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                     "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext"},
                    tls));
        m_caFile = tls + QStringLiteral("/ca.pem");

        m_cloud = m_work.filePath(QStringLiteral("cloud"));
        QVERIFY(QDir().mkpath(m_cloud));
        m_nginx = std::make_unique<fixtures::NginxServer>(m_cloud);
        m_nginx->setTls(tls + QStringLiteral("/server.pem"), tls + QStringLiteral("/server.key"),
                        QStringLiteral("localhost"));
        // An https address sent on to plain http.
        m_nginx->setExtraConfig(
            QStringLiteral("        location /downgrade/ { return 302 http://127.0.0.1:9$request_uri; }"));
        QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorOutput()));
    }

    void cleanupTestCase() { m_nginx.reset(); }

    // What a download of a tool (method 3) or of the main program (method 2)
    // does with what the cloud offers. Every refusal leaves nothing behind.
    void packageIsTakenOnlyAsSigned_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("trusted");
        QTest::addColumn<QString>("signer"); // empty: no signature
        QTest::addColumn<QString>("change"); // what happens after signing
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("logged");

        const QStringList one{QStringLiteral("current")};
        const QStringList both{QStringLiteral("current"), QStringLiteral("next")};
        QTest::newRow("signed") << 3 << one << "current"
                                << "" << 200 << ""
                                << "";
        QTest::newRow("rolled over: the new key") << 3 << both << "next"
                                                  << "" << 200 << ""
                                                  << "";
        QTest::newRow("rolled over: the old key") << 3 << both << "current"
                                                  << "" << 200 << ""
                                                  << "";
        QTest::newRow("no key in the installation") << 3 << QStringList() << ""
                                                    << "" << 200 << ""
                                                    << "";
        QTest::newRow("package swapped") << 3 << one << "current"
                                         << "package" << -1 << "checksum"
                                         << "Checksum mismatch: ";
        QTest::newRow("package and checksum swapped") << 3 << one << "current"
                                                      << "metadata" << -1 << "signature"
                                                      << "Signature mismatch: ";
        QTest::newRow("signature missing") << 3 << one << ""
                                           << "" << -1 << "signature"
                                           << "Signature missing: ";
        QTest::newRow("signature not base64") << 3 << one << "current"
                                              << "garble" << -1 << "signature"
                                              << "Signature mismatch: ";
        QTest::newRow("signed by an untrusted key") << 3 << one << "stranger"
                                                    << "" << -1 << "signature"
                                                    << "Signature mismatch: ";
        QTest::newRow("another package's signature replayed") << 3 << one << "current"
                                                              << "replay" << -1 << "signature"
                                                              << "Signed for another package: ";
        QTest::newRow("only an unreadable key: nothing verifies")
            << 3 << QStringList{QStringLiteral("junk")} << "current"
            << "" << -1 << "signature"
            << "Signature mismatch: ";
        QTest::newRow("main program: package swapped") << 2 << one << "current"
                                                       << "package" << -1 << "checksum"
                                                       << "Checksum mismatch: ";
        QTest::newRow("main program: package and checksum swapped") << 2 << one << "current"
                                                                    << "metadata" << -1 << "signature"
                                                                    << "Signature mismatch: ";
    }

    void packageIsTakenOnlyAsSigned()
    {
        QFETCH(int, method);
        QFETCH(QStringList, trusted);
        QFETCH(QString, signer);
        QFETCH(QString, change);
        QFETCH(int, value);
        QFETCH(QString, failure);
        QFETCH(QString, logged);

        const QString name = method == 2 ? QStringLiteral("Gearloft") : QStringLiteral("Hammer");
        const QString folder = QStringLiteral("/p%1/").arg(++m_count);
        const QString packagePath = m_cloud + folder + name + ".zip";
        const QString metadataPath = m_cloud + folder + name + ".json";
        const QByteArray package = "the publisher's package " + QByteArray::number(m_count);
        QVERIFY(writeFile(packagePath, package));
        QVERIFY(writeFile(metadataPath, metadataFor(name + ".zip", package)));
        if (!signer.isEmpty())
            QVERIFY(sign(signer, metadataPath));

        const QByteArray evil = "someone else's package";
        if (change == QLatin1String("package")) {
            QVERIFY(writeFile(packagePath, evil));
        } else if (change == QLatin1String("metadata")) {
            QVERIFY(writeFile(packagePath, evil));
            QVERIFY(writeFile(metadataPath, metadataFor(name + ".zip", evil)));
        } else if (change == QLatin1String("garble")) {
            QVERIFY(writeFile(metadataPath + ".sig", "!" + readFile(metadataPath + ".sig").mid(1)));
        } else if (change == QLatin1String("replay")) {
            // Another package, properly signed, served in this one's place.
            const QString other = m_cloud + folder + QStringLiteral("Other.json");
            QVERIFY(writeFile(other, metadataFor(QStringLiteral("Other.zip"), evil)));
            QVERIFY(sign(signer, other));
            QVERIFY(writeFile(packagePath, evil));
            QVERIFY(QFile::remove(metadataPath) && QFile::copy(other, metadataPath));
            QVERIFY(QFile::remove(metadataPath + ".sig") &&
                    QFile::copy(other + ".sig", metadataPath + ".sig"));
        }

        QTemporaryDir downloads;
        const std::unique_ptr<RunningHost> running = startHost(trusted, downloads);
        QVERIFY(running);
        const QStringList moduleBefore = servicetest::entriesIn(running->moduleDir());
        const QString unzipDir = downloads.path() + QStringLiteral("/SubTools/");
        const QString url = m_nginx->baseUrl() + folder + name + ".zip";

        servicetest::StdoutCapture log;
        const QPair<int, QString> result = download(*running, method, url, unzipDir);
        const QByteArray output = log.finish();
        QCOMPARE(result.first, value);
        QCOMPARE(result.second, failure);
        if (!logged.isEmpty())
            QVERIFY2(output.contains((logged + url).toUtf8()), output.constData());
        if (value == 200) {
            if (method == 3)
                QCOMPARE(readFile(unzipDir + QStringLiteral("received.bin")), package);
        } else {
            // Nothing written: no package, no staging, nothing unpacked.
            QCOMPARE(servicetest::entriesIn(downloads.path() + QStringLiteral("/SubTools")), QStringList());
            QCOMPARE(servicetest::entriesIn(unzipDir), QStringList());
            QCOMPARE(servicetest::entriesIn(running->homeDir()), QStringList());
            QCOMPARE(servicetest::entriesIn(running->moduleDir()), moduleBefore);
        }
        QCOMPARE(running->stop(), 0);
    }

    void versionIndexIsTakenOnlyAsSigned_data()
    {
        QTest::addColumn<bool>("keyInstalled");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("version");
        QTest::newRow("signed") << true << ""
                                << "1.2";
        QTest::newRow("no key, unsigned") << false << "unsigned"
                                          << "1.2";
        QTest::newRow("changed after signing") << true << "changed"
                                               << "";
        QTest::newRow("unsigned") << true << "unsigned"
                                  << "";
    }

    void versionIndexIsTakenOnlyAsSigned()
    {
        QFETCH(bool, keyInstalled);
        QFETCH(QString, change);
        QFETCH(QString, version);
        const QString base = QStringLiteral("/v%1").arg(++m_count);
        const QString index = m_cloud + base + QStringLiteral("/4200/tool/windows/gearloft/package.json");
        QVERIFY(writeFile(index, "{\"app\":[{\"version\":\"1.1\"},{\"version\":\"1.2\"}]}\n"));
        if (change != QLatin1String("unsigned"))
            QVERIFY(sign(QStringLiteral("current"), index));
        if (change == QLatin1String("changed"))
            QVERIFY(writeFile(index, "{\"app\":[{\"version\":\"1.1\"},{\"version\":\"9.9\"}]}\n"));

        QTemporaryDir downloads;
        const auto running =
            startHost(keyInstalled ? QStringList{QStringLiteral("current")} : QStringList(), downloads);
        QVERIFY(running);
        const QString baseUrl = m_nginx->baseUrl() + base;
        const servicetest::Reply reply = post(running->port(), 7, {{baseUrl, QString()}}, kVersionEndpoint);
        QVERIFY(reply.ok);
        QCOMPARE(reply.values.value(baseUrl), version);
        QCOMPARE(running->stop(), 0);
    }

    // A secure connection that cannot be trusted fails at once with its own
    // reason, and is never retried over plain http.
    void untrustedConnectionIsRefused_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("withCa");
        QTest::addColumn<QString>("path");
        QTest::newRow("certificate for another host") << "127.0.0.1" << true << "/tls/Hammer.zip";
        QTest::newRow("authority not trusted") << "localhost" << false << "/tls/Hammer.zip";
        QTest::newRow("redirected to plain http") << "localhost" << true << "/downgrade/Hammer.zip";
    }

    void untrustedConnectionIsRefused()
    {
        QFETCH(QString, host);
        QFETCH(bool, withCa);
        QFETCH(QString, path);
        const QByteArray package = "package behind a certificate";
        QVERIFY(writeFile(m_cloud + QStringLiteral("/tls/Hammer.zip"), package));
        QVERIFY(writeFile(m_cloud + QStringLiteral("/tls/Hammer.json"),
                          metadataFor(QStringLiteral("Hammer.zip"), package)));
        QTemporaryDir downloads;
        const auto running = startHost({}, downloads, withCa);
        QVERIFY(running);
        const QString base = QStringLiteral("https://%1:%2").arg(host).arg(m_nginx->port());
        const QString url = base + path;

        servicetest::StdoutCapture log;
        const QPair<int, QString> result =
            download(*running, 3, url, downloads.path() + QStringLiteral("/SubTools/"));
        const servicetest::Reply version = post(running->port(), 7, {{base, QString()}}, kVersionEndpoint);
        const QByteArray output = log.finish();
        QCOMPARE(result.first, -1);
        QCOMPARE(result.second, QStringLiteral("certificate"));
        QVERIFY2(output.contains(("Secure connection refused: " + url).toUtf8()), output.constData());
        QVERIFY(version.ok);
        QCOMPARE(version.values.value(base), QString());
        QCOMPARE(servicetest::entriesIn(downloads.path() + QStringLiteral("/SubTools")), QStringList());
        QCOMPARE(running->stop(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSignedPackages)
#include "tst_signedpackages.moc"
