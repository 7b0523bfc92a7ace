// The installed service and unpacker driven as the client drives them: a
// private installation per test, a stand-in main program that keeps the
// service alive, and nginx serving a cloud folder the tests fill.
#include "loopback.h"
#include "nginxserver.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <climits>
#include <curl/curl.h>
#include <future>
#include <memory>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRangeBytes = 132768;
constexpr int kNoAnswer = INT_MIN;
// Less than a range, which nginx would send in its first-second burst, but
// more than half of one: each range then takes about a second.
constexpr qint64 kSlowBytesPerSecond = 100000;
const QString kSlowPrefix = QStringLiteral("/slow/");
const QString kToolPath = QStringLiteral("/DownloadSubTool?format=json");
const QString kProgressPath = QStringLiteral("/DownloadProgress?format=json");

const char* const kForeignHeld = "another process named Gearloft ran meanwhile and kept the service alive";

using Entries = QList<QPair<QString, QString>>;

// Children die with the test, so a crashed run leaves no stand-in behind
// that would keep some later service alive. A file size limit makes writes
// beyond it fail as on a full disk (root included).
class ChildProcess : public QProcess
{
public:
    rlim_t fileSizeLimit = RLIM_INFINITY;

protected:
    void setupChildProcess() override
    {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (fileSizeLimit != RLIM_INFINITY) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
    }
};

struct Reply
{
    CURLcode transport = CURLE_OK;
    long status = 0;
    QByteArray raw;
    int method = -1;
    Entries values; // in reply order

    bool answered() const { return transport == CURLE_OK && status == 200 && method >= 0; }
    QString value(const QString& url) const
    {
        for (const auto& [key, text] : values) {
            if (key == url)
                return text;
        }
        return QStringLiteral("<none>");
    }
};

size_t appendTo(char* data, size_t size, size_t count, void* target)
{
    static_cast<QByteArray*>(target)->append(data, int(size * count));
    return size * count;
}

Reply post(quint16 port, const QByteArray& body, const QString& path = kToolPath, long timeoutMs = 15000)
{
    Reply reply;
    const QByteArray url = QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path).toUtf8();
    CURL* curl = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &appendTo);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.raw);
    reply.transport = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);

    const QJsonObject root = QJsonDocument::fromJson(reply.raw).object();
    reply.method = root.value(QStringLiteral("method")).toInt(-1);
    for (const QJsonValue& entry : root.value(QStringLiteral("urlsToValue")).toArray()) {
        const QJsonObject object = entry.toObject();
        reply.values.append({object.value(QStringLiteral("url")).toString(),
                             object.value(QStringLiteral("value")).toString()});
    }
    return reply;
}

QByteArray requestBody(int method, const Entries& entries)
{
    QJsonArray urls;
    for (const auto& [url, unzipDir] : entries)
        urls.append(QJsonObject{{QStringLiteral("url"), url}, {QStringLiteral("unzipDir"), unzipDir}});
    return QJsonDocument(QJsonObject{{QStringLiteral("method"), method}, {QStringLiteral("urls"), urls}})
        .toJson(QJsonDocument::Compact);
}

bool isFinal(int value)
{
    return value == 200 || value == 400 || value == 404 || value == -1;
}

bool writeFile(const QString& path, const QByteArray& content, bool executable = false)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return false;
    file.close();
    QFile::Permissions permissions =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (executable)
        permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    return file.setPermissions(permissions);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool isExecutable(const QString& path)
{
    return QFileInfo(path).permission(QFile::ExeOwner);
}

// Incompressible, so a package is as large as its content.
QByteArray noise(int bytes, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray data(bytes, Qt::Uninitialized);
    for (char& c : data)
        c = char(generator.bounded(256));
    return data;
}

// Relative path -> content of every file below dir, hidden ones included.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), readFile(path));
    }
    return files;
}

QStringList entriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

struct PackageFile
{
    QString path;
    QByteArray content;
    bool executable = false;
};

using PackageLinks = QList<QPair<QString, QString>>; // path, target

// Zips the files with Info-ZIP, entries in the given order and the links
// after them; empty on failure.
QByteArray zipPackage(const QList<PackageFile>& files, bool stored = false, const PackageLinks& links = {})
{
    QTemporaryDir scratch;
    const QString zipPath = scratch.filePath(QStringLiteral(".package.zip"));
    QStringList arguments{QStringLiteral("-q"), QStringLiteral("-X"), QStringLiteral("-y")};
    if (stored)
        arguments << QStringLiteral("-0");
    arguments << zipPath;
    for (const PackageFile& file : files) {
        if (!writeFile(scratch.filePath(file.path), file.content, file.executable))
            return {};
        arguments << file.path;
    }
    for (const auto& [path, target] : links) {
        if (!QDir().mkpath(QFileInfo(scratch.filePath(path)).path()) ||
            !QFile::link(target, scratch.filePath(path)))
            return {};
        arguments << path;
    }
    QProcess zip;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    zip.setProcessEnvironment(environment);
    zip.setWorkingDirectory(scratch.path());
    zip.start(QStringLiteral("zip"), arguments);
    if (!zip.waitForFinished(30000) || zip.exitStatus() != QProcess::NormalExit || zip.exitCode() != 0) {
        qWarning("zip failed: %s", zip.readAllStandardError().constData());
        return {};
    }
    return readFile(zipPath);
}

// Pids of the processes the service would take for the main program, looked
// up the way it does: the executable's name, else the kernel's short name.
QList<qint64> mainProgramProcesses()
{
    QList<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString dir = QStringLiteral("/proc/") + entry;
        const QString executable = QFile::symLinkTarget(dir + QStringLiteral("/exe"));
        QString name = executable.isEmpty()
                           ? QString::fromUtf8(readFile(dir + QStringLiteral("/comm"))).trimmed()
                           : QFileInfo(executable).fileName();
        name.remove(QStringLiteral(" (deleted)"));
        if (name == QLatin1String("Gearloft"))
            pids << pid;
    }
    return pids;
}

// The TCP ports a process listens on, from its socket descriptors.
QSet<quint16> listeningPorts(qint64 pid)
{
    QSet<QByteArray> sockets;
    const QString fdDir = QStringLiteral("/proc/%1/fd").arg(pid);
    const QStringList fds = QDir(fdDir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& fd : fds) {
        char target[256];
        const QByteArray link = QFile::encodeName(fdDir + QLatin1Char('/') + fd);
        const ssize_t n = readlink(link.constData(), target, sizeof target - 1);
        const QByteArray text(target, n > 0 ? int(n) : 0);
        if (text.startsWith("socket:["))
            sockets.insert(text.mid(8, text.size() - 9));
    }
    QSet<quint16> ports;
    for (const QString& table : {QStringLiteral("/proc/net/tcp"), QStringLiteral("/proc/net/tcp6")}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine();
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            const bool listening = fields.size() > 9 && fields[3] == "0A";
            if (!listening || !sockets.contains(fields[9]))
                continue;
            const QByteArray local = fields[1];
            ports.insert(quint16(local.mid(local.lastIndexOf(':') + 1).toUInt(nullptr, 16)));
        }
    }
    return ports;
}

// Gone, or ended and waiting to be reaped by whoever adopted it.
bool processGone(qint64 pid)
{
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const int close = stat.lastIndexOf(')');
    return stat == "<unreadable>" ||
           (close > 0 && (stat.mid(close + 2, 1) == "Z" || stat.mid(close + 2, 1) == "X"));
}

struct LoggedRequest
{
    QString method;
    QString range;
    int status = 0;
    qint64 bytes = 0;
};

} // namespace

class TestHaulmoorIntegration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_cloud;
    std::unique_ptr<fixtures::NginxServer> m_nginx;
    int m_testNumber = 0;

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_prefix; // this test's own corner of the cloud
    QString m_install;
    QString m_home;
    QString m_downloads;
    std::unique_ptr<ChildProcess> m_mainProgram;
    std::unique_ptr<ChildProcess> m_service;
    QByteArray m_serviceOutput;
    quint16 m_port = 0;

    QString subTools() const { return m_downloads + QStringLiteral("/SubTools/"); }

    // One element per line, no indentation and XML escapes, as the client
    // writes it.
    void writeSetup(const QString& downloadPath, const QString& transferMode = QStringLiteral("0"))
    {
        const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n"
                                            "<Languages>\n<Value>1</Value>\n</Languages>\n"
                                            "<DownloadPath>\n<Value>%1</Value>\n</DownloadPath>\n"
                                            "<EnServerAddress>\n<Value>%2/en</Value>\n</EnServerAddress>\n"
                                            "<TransferMode>\n<Value>%3</Value>\n</TransferMode>\n"
                                            "</Setup>\n")
                                 .arg(downloadPath.toHtmlEscaped(), m_nginx->baseUrl(), transferMode);
        QVERIFY(writeFile(m_install + QStringLiteral("/Setup.xml"), text.toUtf8()));
    }

    bool startMainProgram()
    {
        const QString standIn = m_root->filePath(QStringLiteral("standin/Gearloft"));
        if (!QDir().mkpath(QFileInfo(standIn).absolutePath()) ||
            !QFile::copy(QStringLiteral("/bin/sleep"), standIn) ||
            !QFile::setPermissions(standIn, QFile::ReadOwner | QFile::ExeOwner))
            return false;
        m_mainProgram = std::make_unique<ChildProcess>();
        m_mainProgram->start(standIn, {QStringLiteral("600")});
        return m_mainProgram->waitForStarted(5000);
    }

    // Also reaps it: a zombie would still count as running by its name.
    void stopMainProgram()
    {
        if (m_mainProgram && m_mainProgram->state() != QProcess::NotRunning) {
            m_mainProgram->kill();
            m_mainProgram->waitForFinished(5000);
        }
    }

    bool startService(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        m_serviceOutput.clear();
        m_service = std::make_unique<ChildProcess>();
        m_service->fileSizeLimit = fileSizeLimit;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home);
        m_service->setProcessEnvironment(environment);
        m_service->setWorkingDirectory(m_install);
        m_service->start(m_install + QStringLiteral("/Haulmoor"), arguments);
        return m_service->waitForStarted(5000);
    }

    bool startListeningService(rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        m_port = fixtures::loopback::pickFreePort();
        if (m_port == 0 || !startService({QString::number(m_port)}, fileSizeLimit))
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

    QByteArray serviceOutput()
    {
        if (m_service)
            m_serviceOutput += m_service->readAllStandardOutput();
        return m_serviceOutput;
    }

    Reply ask(int method, const Entries& entries, const QString& path = kToolPath)
    {
        return post(m_port, requestBody(method, entries), path);
    }

    int progressOf(const QString& url)
    {
        const Reply reply = ask(4, {{url, QString()}}, kProgressPath);
        bool isNumber = false;
        const int value = reply.value(url).toInt(&isNumber);
        return reply.answered() && isNumber ? value : kNoAnswer;
    }

    // Why a download failed, as the progress reply names it.
    QString failureOf(const QString& url)
    {
        const Reply reply = ask(4, {{url, QString()}}, kProgressPath);
        for (const QJsonValue& entry :
             QJsonDocument::fromJson(reply.raw).object().value(QStringLiteral("urlsToValue")).toArray()) {
            if (entry.toObject().value(QStringLiteral("url")).toString() == url)
                return entry.toObject().value(QStringLiteral("failure")).toString();
        }
        return QStringLiteral("<none>");
    }

    // Polls as the client does until the download has a final value.
    int waitForFinal(const QString& url, QList<int>* seen = nullptr, int timeoutMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        int value = kNoAnswer;
        while (timer.elapsed() < timeoutMs) {
            value = progressOf(url);
            if (seen)
                seen->append(value);
            if (isFinal(value))
                break;
            QTest::qWait(150);
        }
        return value;
    }

    // Writes the package and its metadata into the cloud; returns its URL.
    QString publish(const QString& cloudPath, const QByteArray& package)
    {
        const QString metadata = QString(cloudPath).replace(QStringLiteral(".zip"), QStringLiteral(".json"));
        const QByteArray size = QByteArray::number(package.size());
        if (!writeFile(m_cloud.path() + cloudPath, package) ||
            !writeFile(m_cloud.path() + metadata, "{\"package_size\": " + size + "}\n"))
            return {};
        return m_nginx->baseUrl() + cloudPath;
    }

    QList<LoggedRequest> requestsFor(const QString& uri) const
    {
        static const QRegularExpression line(QStringLiteral("^(\\S+) (\\S+) \"([^\"]*)\" (\\d+) (\\d+) "));
        QList<LoggedRequest> requests;
        for (const QString& text : m_nginx->accessLog()) {
            const QRegularExpressionMatch match = line.match(text);
            if (match.hasMatch() && match.captured(2) == uri)
                requests.append({match.captured(1), match.captured(3), match.captured(4).toInt(),
                                 match.captured(5).toLongLong()});
        }
        return requests;
    }

    // The package came in ranges of at most one chunk that tile it exactly.
    void verifyFetchedInRanges(const QString& uri, qint64 size)
    {
        static const QRegularExpression rangeText(QStringLiteral("^bytes=(\\d+)-(\\d+)$"));
        QList<QPair<qint64, qint64>> ranges;
        for (const LoggedRequest& request : requestsFor(uri)) {
            QCOMPARE(request.method, QStringLiteral("GET"));
            QCOMPARE(request.status, 206);
            const QRegularExpressionMatch match = rangeText.match(request.range);
            QVERIFY2(match.hasMatch(), qPrintable(request.range));
            const qint64 first = match.captured(1).toLongLong();
            const qint64 last = match.captured(2).toLongLong();
            QVERIFY(last - first + 1 <= kRangeBytes);
            QCOMPARE(request.bytes, last - first + 1);
            ranges.append({first, last});
        }
        std::sort(ranges.begin(), ranges.end());
        QVERIFY(ranges.size() > 1);
        qint64 next = 0;
        for (const auto& [first, last] : ranges) {
            QCOMPARE(first, next);
            next = last + 1;
        }
        QCOMPARE(next, size);
    }

    // Any process named Gearloft keeps every service alive, and other
    // programs on this machine may start one.
    QList<qint64> foreignMainPrograms() const
    {
        QList<qint64> pids = mainProgramProcesses();
        if (m_mainProgram && m_mainProgram->state() != QProcess::NotRunning)
            pids.removeAll(m_mainProgram->processId());
        return pids;
    }

    // Waits up to about a second for the service to end. True when it still
    // runs and a foreign Gearloft was seen meanwhile, which may have held it.
    bool heldByForeignMainProgram()
    {
        QElapsedTimer timer;
        timer.start();
        bool foreignSeen = false;
        while (!m_service->waitForFinished(20) && timer.elapsed() < 1500)
            foreignSeen = foreignSeen || !foreignMainPrograms().isEmpty();
        return m_service->state() != QProcess::NotRunning && foreignSeen;
    }

    void verifyEndedCleanly()
    {
        QCOMPARE(m_service->state(), QProcess::NotRunning);
        QCOMPARE(m_service->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_service->exitCode(), 0);
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(curl_global_init(CURL_GLOBAL_DEFAULT), CURLE_OK);
        QVERIFY(m_cloud.isValid());
        QVERIFY2(!fixtures::NginxServer::findExecutable().isEmpty(), "nginx is needed");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("zip")).isEmpty(), "zip is needed");
        m_nginx = std::make_unique<fixtures::NginxServer>(m_cloud.path());
        m_nginx->setLimitRate(kSlowPrefix, kSlowBytesPerSecond);
        QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorOutput()));
    }

    void cleanupTestCase()
    {
        m_nginx.reset();
        curl_global_cleanup();
    }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        m_prefix = QStringLiteral("/t%1").arg(++m_testNumber);
        m_install = m_root->filePath(QStringLiteral("install"));
        m_home = m_root->filePath(QStringLiteral("home"));
        m_downloads = m_root->filePath(QStringLiteral("downloads"));
        QVERIFY(QDir().mkpath(m_install));
        QVERIFY(QDir().mkpath(m_home));
        for (const QString& program : {QStringLiteral("Haulmoor"), QStringLiteral("ZipUnzip")}) {
            const QString staged = QStringLiteral(GEARLOFT_STAGE_DIR "/") + program;
            QVERIFY2(QFile::copy(staged, m_install + QLatin1Char('/') + program), qPrintable(staged));
        }
        writeSetup(m_downloads);
        QVERIFY(startMainProgram());
    }

    void cleanup()
    {
        if (m_service && m_service->state() != QProcess::NotRunning) {
            m_service->kill();
            m_service->waitForFinished(5000);
        }
        if (QTest::currentTestFailed() && m_service)
            qInfo("service output: %s", serviceOutput().constData());
        stopMainProgram();
        m_service.reset();
        m_mainProgram.reset();
        m_root.reset();
    }

    void installsToolsEndToEnd()
    {
        QVERIFY(startListeningService());
        const QByteArray hammerExe = "#!/bin/sh\necho hammer 2.0\n";
        const QByteArray payload = noise(3 * kRangeBytes + 5000, 1);
        const QByteArray hammer = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), hammerExe, true},
                                              {QStringLiteral("Hammer/lib.dll"), "library"},
                                              {QStringLiteral("Hammer/data/payload.bin"), payload},
                                              {QStringLiteral("Hammer/data/readme.txt"), "read me\n"}});
        const QByteArray chisel = zipPackage({{QStringLiteral("Chisel/Chisel.exe"), "chisel", true}});
        QVERIFY(hammer.size() > 3 * kRangeBytes);
        QVERIFY(!chisel.isEmpty());
        const QString hammerPath = m_prefix + QStringLiteral("/tools/Hammer.zip");
        const QString hammerUrl = publish(hammerPath, hammer);
        const QString chiselUrl = publish(m_prefix + QStringLiteral("/tools/Chisel.zip"), chisel);
        const QString unzipDir = subTools();

        const Reply reply = ask(3, {{hammerUrl, unzipDir}, {chiselUrl, unzipDir}});
        QVERIFY2(reply.answered(), reply.raw.constData());
        QCOMPARE(reply.method, 3);
        QCOMPARE(reply.values, (Entries{{chiselUrl, QStringLiteral("0")}, {hammerUrl, QStringLiteral("0")}}));

        QList<int> seen;
        QCOMPARE(waitForFinal(hammerUrl, &seen), 200);
        QCOMPARE(waitForFinal(chiselUrl), 200);
        seen.removeLast();
        for (int i = 0; i < seen.size(); ++i) {
            QVERIFY2(seen[i] >= 0 && seen[i] <= 100, qPrintable(QString::number(seen[i])));
            QVERIFY(i == 0 || seen[i] >= seen[i - 1]);
        }

        QCOMPARE(readFile(unzipDir + QStringLiteral("Hammer/Hammer.exe")), hammerExe);
        QVERIFY(isExecutable(unzipDir + QStringLiteral("Hammer/Hammer.exe")));
        QCOMPARE(readFile(unzipDir + QStringLiteral("Hammer/data/payload.bin")), payload);
        QCOMPARE(readFile(unzipDir + QStringLiteral("Hammer/data/readme.txt")), QByteArray("read me\n"));
        QVERIFY(!isExecutable(unzipDir + QStringLiteral("Hammer/data/readme.txt")));
        QCOMPARE(readFile(unzipDir + QStringLiteral("Hammer/lib.dll")), QByteArray("library"));
        QCOMPARE(readFile(unzipDir + QStringLiteral("Chisel/Chisel.exe")), QByteArray("chisel"));
        QVERIFY(isExecutable(unzipDir + QStringLiteral("Chisel/Chisel.exe")));
        // Neither the packages nor any staging folder stay behind.
        QCOMPARE(entriesOf(unzipDir), (QStringList{QStringLiteral("Chisel"), QStringLiteral("Hammer")}));

        const QString metadataPath = m_prefix + QStringLiteral("/tools/Hammer.json");
        QCOMPARE(requestsFor(metadataPath).size(), 1);
        QCOMPARE(requestsFor(metadataPath).first().status, 200);
        verifyFetchedInRanges(hammerPath, hammer.size());
    }

    void updateReplacesProgramFilesAndKeepsUserFiles()
    {
        const QString tools = subTools();
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/Hammer.exe"), "old hammer", true));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/old.dll"), "old library"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/Helper.DLL"), "old helper"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/notes.txt"), "the user's notes"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/settings/user.cfg"), "volume=3"));
        QVERIFY(writeFile(tools + QStringLiteral("Chisel/Chisel.exe"), "another tool", true));
        const QMap<QString, QByteArray> version1 = snapshot(tools + QStringLiteral("Hammer"));
        QVERIFY(startListeningService());
        const QByteArray package = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "new hammer", true},
                                               {QStringLiteral("Hammer/new.dll"), "new library"},
                                               {QStringLiteral("Hammer/readme.txt"), "version 2"}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(m_prefix + QStringLiteral("/tools/Hammer.zip"), package);

        QCOMPARE(ask(3, {{url, tools}}).value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url), 200);

        const QMap<QString, QByteArray> version2{
            {QStringLiteral("Hammer.exe"), "new hammer"},
            {QStringLiteral("new.dll"), "new library"},
            {QStringLiteral("readme.txt"), "version 2"},
            {QStringLiteral("notes.txt"), "the user's notes"},
            {QStringLiteral("settings/user.cfg"), "volume=3"},
        };
        QMap<QString, QByteArray> expected;
        for (auto it = version2.cbegin(); it != version2.cend(); ++it)
            expected.insert(QStringLiteral("Hammer/") + it.key(), it.value());
        for (auto it = version1.cbegin(); it != version1.cend(); ++it)
            expected.insert(QStringLiteral(".Hammer.previous/") + it.key(), it.value());
        expected.insert(QStringLiteral("Chisel/Chisel.exe"), "another tool");
        // The version it replaced is kept whole beside it.
        QCOMPARE(snapshot(tools).keys(), expected.keys());
        QCOMPARE(snapshot(tools), expected);
        QVERIFY(isExecutable(tools + QStringLiteral("Hammer/Hammer.exe")));

        // The next update keeps version 2 as the previous one; version 1 goes.
        const QByteArray third = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "third hammer", true}});
        const QString thirdUrl = publish(m_prefix + QStringLiteral("/v3/Hammer.zip"), third);
        QCOMPARE(ask(3, {{thirdUrl, tools}}).value(thirdUrl), QStringLiteral("0"));
        QCOMPARE(waitForFinal(thirdUrl), 200);
        QCOMPARE(snapshot(tools + QStringLiteral(".Hammer.previous")), version2);
        QCOMPARE(readFile(tools + QStringLiteral("Hammer/Hammer.exe")), QByteArray("third hammer"));
        QCOMPARE(entriesOf(tools), (QStringList{QStringLiteral(".Hammer.previous"), QStringLiteral("Chisel"),
                                                QStringLiteral("Hammer")}));
    }

    void brokenPackageLeavesInstalledToolAlone_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut short") << QStringLiteral("truncate");
        QTest::newRow("bad checksum in a later entry") << QStringLiteral("checksum");
        QTest::newRow("not a zip at all") << QStringLiteral("noise");
    }

    void brokenPackageLeavesInstalledToolAlone()
    {
        QFETCH(QString, damage);
        const QString tools = subTools();
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/Hammer.exe"), "old hammer", true));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/old.dll"), "old library"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/notes.txt"), "the user's notes"));
        const QMap<QString, QByteArray> before = snapshot(tools);
        QVERIFY(startListeningService());

        // Stored, so the marker lies in the package as is and the earlier
        // entries unpack fine before the damaged one is reached.
        const QByteArray marker = "LATER-ENTRY-CONTENT";
        QByteArray package =
            zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "new hammer", true},
                        {QStringLiteral("Hammer/fresh.txt"), "fresh"},
                        {QStringLiteral("Hammer/later.txt"), noise(2000, 5).toHex() + marker}},
                       true);
        QVERIFY(!package.isEmpty());
        if (damage == QLatin1String("truncate")) {
            package.truncate(package.size() / 2);
        } else if (damage == QLatin1String("checksum")) {
            const int at = package.indexOf(marker);
            QVERIFY(at > 0);
            package[at] = 'X';
        } else {
            package = noise(package.size(), 6);
        }
        const QString url = publish(m_prefix + QStringLiteral("/tools/Hammer.zip"), package);

        QCOMPARE(ask(3, {{url, tools}}).value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url), 400);
        // Byte for byte as before: no new file, no package, no staging left.
        QCOMPARE(snapshot(tools), before);
        QCOMPARE(entriesOf(tools), QStringList{QStringLiteral("Hammer")});
        QVERIFY(isExecutable(tools + QStringLiteral("Hammer/Hammer.exe")));
    }

    void unavailablePackageReportsWhy_data()
    {
        QTest::addColumn<bool>("packageThere");
        QTest::addColumn<QByteArray>("metadata"); // null: no metadata file
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("packageAsked");
        QTest::newRow("metadata missing") << true << QByteArray() << 404 << false;
        QTest::newRow("package missing") << false << QByteArray("{\"package_size\": 4096}") << -1 << true;
        QTest::newRow("metadata without a size") << true << QByteArray("{\"size\": 4096}") << -1 << false;
        QTest::newRow("metadata not json") << true << QByteArray("<html>moved</html>") << -1 << false;
    }

    void unavailablePackageReportsWhy()
    {
        QFETCH(bool, packageThere);
        QFETCH(QByteArray, metadata);
        QFETCH(int, expected);
        QFETCH(bool, packageAsked);
        QVERIFY(startListeningService());
        const QString packagePath = m_prefix + QStringLiteral("/tools/Hammer.zip");
        const QString metadataPath = m_prefix + QStringLiteral("/tools/Hammer.json");
        const QByteArray package = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "hammer", true}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(packagePath, package);
        if (!packageThere)
            QVERIFY(QFile::remove(m_cloud.path() + packagePath));
        if (metadata.isNull())
            QVERIFY(QFile::remove(m_cloud.path() + metadataPath));
        else
            QVERIFY(writeFile(m_cloud.path() + metadataPath, metadata));

        QCOMPARE(ask(3, {{url, subTools()}}).value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url), expected);
        QCOMPARE(requestsFor(metadataPath).size(), 1);
        QCOMPARE(!requestsFor(packagePath).isEmpty(), packageAsked);
        QVERIFY(!QFileInfo::exists(subTools() + QStringLiteral("Hammer")));
        // Nothing unpacked, and no partial package left.
        QCOMPARE(entriesOf(subTools()), QStringList());
    }

    void packagesOutsideTheToolFolder_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("intoHome");
        QTest::newRow("material into the installation") << 1 << QStringLiteral("Material") << false;
        QTest::newRow("main program into home") << 2 << QStringLiteral("Gearloft") << true;
    }

    void packagesOutsideTheToolFolder()
    {
        QFETCH(int, method);
        QFETCH(QString, name);
        QFETCH(bool, intoHome);
        QVERIFY(startListeningService());
        const QByteArray content = "content of " + name.toUtf8();
        const QString entry = name + QStringLiteral("/part.dat");
        const QByteArray package = zipPackage({{entry, content}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(m_prefix + QLatin1Char('/') + name + QStringLiteral(".zip"), package);
        const QString elsewhere = m_root->filePath(QStringLiteral("elsewhere/SubTools/"));

        const Reply reply = ask(method, {{url, elsewhere}});
        QCOMPARE(reply.method, method);
        QCOMPARE(reply.values, (Entries{{url, QStringLiteral("0")}}));
        QCOMPARE(waitForFinal(url), 200);

        const QString home = m_home + QLatin1Char('/');
        const QString toolsFileTemp = m_install + QStringLiteral("/ToolsFileTemp/");
        const QString target = intoHome ? home : toolsFileTemp;
        QCOMPARE(readFile(target + entry), content);
        QCOMPARE(entriesOf(target), QStringList{name});
        // Neither the request's folder nor the download folder plays a part.
        QVERIFY(!QFileInfo::exists(m_root->filePath(QStringLiteral("elsewhere"))));
        QVERIFY(!QFileInfo::exists(m_downloads));
        QVERIFY(!QFileInfo::exists(intoHome ? toolsFileTemp : home + name));
    }

    // The main program's package is hostile like any other: only its
    // "Gearloft" folder reaches the home folder, and only as a staging of
    // the service's own.
    void mainProgramPackageIsConfined_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<int>("expected");
        QTest::newRow("package reaching beyond its folder") << "hostile" << 200;
        QTest::newRow("the user's own Gearloft folder") << "users" << 400;
        QTest::newRow("an earlier staging of the service") << "earlier" << 200;
        QTest::newRow("a link leading out of the folder") << "escaping" << 400;
        QTest::newRow("Gearloft a link in the home folder") << "homelink" << 400;
    }

    void mainProgramPackageIsConfined()
    {
        QFETCH(QString, scene);
        QFETCH(int, expected);
        const QString staging = m_home + QStringLiteral("/Gearloft");
        QVERIFY(writeFile(m_home + QStringLiteral("/.profile"), "the user's profile"));
        QVERIFY(writeFile(m_home + QStringLiteral("/Documents/letter.txt"), "a letter"));
        if (scene == QLatin1String("users")) {
            QVERIFY(writeFile(staging + QStringLiteral("/notes.txt"), "the user's notes"));
        } else if (scene == QLatin1String("earlier")) {
            QVERIFY(writeFile(staging + QStringLiteral("/old.txt"), "an earlier update"));
            QVERIFY(writeFile(staging + QStringLiteral("/.haulmoor-staging"), "complete\n1\n"));
        } else if (scene == QLatin1String("homelink")) {
            QVERIFY(QFile::link(m_home + QStringLiteral("/Documents"), staging));
        }
        QMap<QString, QByteArray> before = snapshot(m_home);
        QStringList entriesBefore = entriesOf(m_home);
        QVERIFY(startListeningService());
        PackageLinks links{{QStringLiteral("Documents"), QStringLiteral("Gearloft")}};
        if (scene == QLatin1String("escaping"))
            links.append({QStringLiteral("Gearloft/profile"), QStringLiteral("../.profile")});
        const QByteArray package =
            zipPackage({{QStringLiteral("Gearloft/version.txt"), "1.1.0.6", false},
                        {QStringLiteral("Gearloft/.haulmoor-staging"), "complete\nfrom the package\n", false},
                        {QStringLiteral(".profile"), "rm -rf ~", false}},
                       false, links);
        QVERIFY(!package.isEmpty());
        const QString url = publish(m_prefix + QStringLiteral("/Gearloft.zip"), package);

        QCOMPARE(ask(2, {{url, QString()}}).value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url), expected);
        QCOMPARE(failureOf(url), expected == 200 ? QString() : QStringLiteral("staging"));

        QMap<QString, QByteArray> after = snapshot(m_home);
        if (expected == 200) {
            // The staging as a whole, its mark the service's own.
            const QMap<QString, QByteArray> staged{
                {QStringLiteral("Gearloft/.haulmoor-staging"), "complete\n"},
                {QStringLiteral("Gearloft/version.txt"), "1.1.0.6"}};
            for (auto it = staged.cbegin(); it != staged.cend(); ++it)
                QCOMPARE(after.take(it.key()), it.value());
            before.remove(QStringLiteral("Gearloft/old.txt"));
            before.remove(QStringLiteral("Gearloft/.haulmoor-staging"));
            if (!entriesBefore.contains(QStringLiteral("Gearloft")))
                entriesBefore.append(QStringLiteral("Gearloft"));
        } else {
            QTRY_VERIFY(serviceOutput().contains("Install failed: " + url.toUtf8()));
        }
        QCOMPARE(after, before);
        QStringList entriesAfter = entriesOf(m_home);
        entriesAfter.sort();
        entriesBefore.sort();
        QCOMPARE(entriesAfter, entriesBefore);
        QCOMPARE(QFileInfo(staging).isSymLink(), scene == QLatin1String("homelink"));
        // No work folder stays in the installation.
        QCOMPARE(entriesOf(m_install).filter(QStringLiteral(".haulmoor-")), QStringList());
    }

    // An update that cannot be completed changes nothing; the old way broke
    // the tool half-way. Nothing is written into the installed tool any
    // more, so a folder of it that cannot be written no longer matters.
    void toolUpdateIsAllOrNothing_data()
    {
        QTest::addColumn<bool>("diskFills");
        QTest::addColumn<int>("expected");
        QTest::newRow("a read-only sub-folder") << false << 200;
        QTest::newRow("disk full while the user's files are carried over") << true << 400;
    }

    void toolUpdateIsAllOrNothing()
    {
        QFETCH(bool, diskFills);
        QFETCH(int, expected);
        const QString tools = subTools();
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/Hammer.exe"), "old hammer", true));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/lib/helper.dll"), "old helper"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/lib/notes.txt"), "the user's notes"));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/big.bin"), noise(2 << 20, 9)));
        QVERIFY(writeFile(tools + QStringLiteral(".Hammer.previous/Hammer.exe"), "older hammer"));
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(tools + QStringLiteral("Hammer/lib"), readOnly));
        const QMap<QString, QByteArray> before = snapshot(tools);
        const QMap<QString, QByteArray> old = snapshot(tools + QStringLiteral("Hammer"));
        QVERIFY(startListeningService(diskFills ? 1 << 20 : RLIM_INFINITY));
        const QByteArray package = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "new hammer", true},
                                               {QStringLiteral("Hammer/lib/helper.dll"), "new helper"}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(m_prefix + QStringLiteral("/tools/Hammer.zip"), package);

        QCOMPARE(ask(3, {{url, tools}}).value(url), QStringLiteral("0"));
        QCOMPARE(waitForFinal(url), expected);
        if (expected == 400) {
            QCOMPARE(snapshot(tools), before);
        } else {
            QCOMPARE(snapshot(tools + QStringLiteral(".Hammer.previous")), old);
            QCOMPARE(readFile(tools + QStringLiteral("Hammer/Hammer.exe")), QByteArray("new hammer"));
            QCOMPARE(readFile(tools + QStringLiteral("Hammer/lib/helper.dll")), QByteArray("new helper"));
            QCOMPARE(readFile(tools + QStringLiteral("Hammer/lib/notes.txt")),
                     QByteArray("the user's notes"));
            QCOMPARE(readFile(tools + QStringLiteral("Hammer/big.bin")),
                     old.value(QStringLiteral("big.bin")));
        }
        // No package, no work folder, one previous version.
        QCOMPARE(entriesOf(tools),
                 (QStringList{QStringLiteral(".Hammer.previous"), QStringLiteral("Hammer")}));
        for (const QString& folder : {QStringLiteral("Hammer/lib"), QStringLiteral(".Hammer.previous/lib")})
            QFile::setPermissions(tools + folder, readOnly | QFile::WriteOwner);
    }

    // A service killed while it unpacks takes the unpacker with it, and the
    // next one removes what they left.
    void killedServiceLeavesNothingBehind()
    {
        const QString pidFile = m_root->filePath(QStringLiteral("unpacker.pid"));
        QVERIFY(QFile::remove(m_install + QStringLiteral("/ZipUnzip")));
        QVERIFY(writeFile(
            m_install + QStringLiteral("/ZipUnzip"),
            "#!/bin/sh\nmkdir -p \"$3/Hammer\" && head -c 100000 /dev/zero > \"$3/Hammer/part.bin\"\n"
            "echo $$ > '" +
                pidFile.toUtf8() + ".part' && mv '" + pidFile.toUtf8() + ".part' '" + pidFile.toUtf8() +
                "'\nexec sleep 600\n",
            true));
        QVERIFY(startListeningService());
        const QString dead = QString::number(m_service->processId());
        const QString mark = QStringLiteral(".haulmoor-") + dead + QLatin1Char('-');
        const QByteArray package = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "hammer", true}});
        const QString url = publish(m_prefix + QStringLiteral("/tools/Hammer.zip"), package);
        QCOMPARE(ask(3, {{url, subTools()}}).value(url), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pidFile), 10000);
        const qint64 unpacker = readFile(pidFile).trimmed().toLongLong();
        QVERIFY(unpacker > 0 && !processGone(unpacker));
        // The package and the unpack folder, both named for their service.
        QCOMPARE(entriesOf(subTools())
                     .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(mark)))
                     .size(),
                 2);

        m_service->kill();
        QVERIFY(m_service->waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(processGone(unpacker), 5000);

        // What a killed service may also leave, and the work of a live one.
        QVERIFY(writeFile(m_install + QLatin1Char('/') + mark + QStringLiteral("x1y2z3/unpacked/Gearloft/a"),
                          "a"));
        QVERIFY(writeFile(
            m_install + QStringLiteral("/ToolsFileTemp/") + mark + QStringLiteral("3-Material.zip"), "m"));
        QVERIFY(writeFile(m_home + QStringLiteral("/Gearloft/half.txt"), "half"));
        QVERIFY(writeFile(m_home + QStringLiteral("/Gearloft/.haulmoor-staging"),
                          "incomplete\n" + dead.toUtf8() + '\n'));
        const QString live =
            QStringLiteral(".haulmoor-%1-1-Other.zip").arg(QCoreApplication::applicationPid());
        QVERIFY(writeFile(subTools() + live, "a running service's download"));

        QVERIFY(startListeningService());
        QCOMPARE(entriesOf(subTools()), QStringList{live});
        QCOMPARE(entriesOf(m_install + QStringLiteral("/ToolsFileTemp")), QStringList());
        QCOMPARE(entriesOf(m_install).filter(QStringLiteral(".haulmoor-")), QStringList());
        QCOMPARE(entriesOf(m_home), QStringList());
    }

    void versionQueries_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("indexProduct"); // empty: no index published
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("material, last of several")
            << 6 << QStringLiteral("material")
            << QByteArray(R"({"app":[{"version":"1.0.0.1"},{"version":"1.0.0.2"}]})")
            << QStringLiteral("1.0.0.2");
        QTest::newRow("main program, last that has a version")
            << 7 << QStringLiteral("gearloft")
            << QByteArray(R"({"app":[{"version":"1.1.0.5"},{"version":"1.1.0.6"},{"name":"preview"}]})")
            << QStringLiteral("1.1.0.6");
        QTest::newRow("main program does not read the material index")
            << 7 << QStringLiteral("material") << QByteArray(R"({"app":[{"version":"9.9.9.9"}]})")
            << QString();
        QTest::newRow("material index missing") << 6 << QString() << QByteArray() << QString();
        QTest::newRow("index not json")
            << 7 << QStringLiteral("gearloft") << QByteArray("<html/>") << QString();
    }

    void versionQueries()
    {
        QFETCH(int, method);
        QFETCH(QString, indexProduct);
        QFETCH(QByteArray, index);
        QFETCH(QString, expected);
        const QString folder = QStringLiteral("/4200/tool/windows/");
        if (!indexProduct.isEmpty()) {
            const QString path = m_prefix + folder + indexProduct + QStringLiteral("/package.json");
            QVERIFY(writeFile(m_cloud.path() + path, index));
        }
        QVERIFY(startListeningService());
        const QString base = m_nginx->baseUrl() + m_prefix;

        const Reply reply = ask(method, {{base, QString()}}, QStringLiteral("/OtherReqire?format=json"));
        QVERIFY2(reply.answered(), reply.raw.constData());
        QCOMPARE(reply.method, method);
        QCOMPARE(reply.values, (Entries{{base, expected}}));
        const QString asked =
            folder + (method == 6 ? QStringLiteral("material") : QStringLiteral("gearloft"));
        QCOMPARE(requestsFor(m_prefix + asked + QStringLiteral("/package.json")).size(), 1);
    }

    void cancelStopsSlowDownloadAndDropsPartialFile()
    {
        QVERIFY(startListeningService());
        const QByteArray package = zipPackage({{QStringLiteral("Slow/Slow.exe"), "slow", true},
                                               {QStringLiteral("Slow/data.bin"), noise(2 << 20, 3)}});
        QVERIFY(!package.isEmpty());
        const QString path = kSlowPrefix + m_prefix.mid(1) + QStringLiteral("/Slow.zip");
        const QString url = publish(path, package);
        const auto partialSize = [this] {
            const QStringList names = entriesOf(subTools());
            return names.size() == 1 && names.first().endsWith(QLatin1String("-Slow.zip"))
                       ? QFileInfo(subTools() + names.first()).size()
                       : qint64(0);
        };

        QCOMPARE(ask(3, {{url, subTools()}}).value(url), QStringLiteral("0"));
        // Some of the package is on disk, in the folder Setup.xml names.
        QTRY_VERIFY_WITH_TIMEOUT(progressOf(url) > 0 && partialSize() > 0, 10000);
        const int requestsAtCancel = requestsFor(path).size();
        const Reply cancel =
            ask(5, {{url, subTools()}}, QStringLiteral("/CancelDownloadSubTool?format=json"));
        QVERIFY2(cancel.answered(), cancel.raw.constData());
        QCOMPARE(cancel.method, 5);
        QCOMPARE(cancel.values, (Entries{{url, QStringLiteral("0")}}));
        QCOMPARE(progressOf(url), 0);

        QTRY_VERIFY_WITH_TIMEOUT(entriesOf(subTools()).isEmpty(), 5000);
        const int requestsAtStop = requestsFor(path).size();
        QVERIFY(requestsAtStop <= requestsAtCancel + 1); // the range in flight, no more
        // Several range times on: nothing more fetched, still 0, nothing unpacked.
        for (int i = 0; i < 6; ++i) {
            QTest::qWait(250);
            QCOMPARE(progressOf(url), 0);
        }
        QCOMPARE(requestsFor(path).size(), requestsAtStop);
        QVERIFY(requestsAtStop * kRangeBytes < package.size());
        QCOMPARE(entriesOf(subTools()), QStringList());
    }

    // The client ends its service with SIGTERM and kills it 3 s later: by
    // then the download is given up and its partial package removed.
    void signalEndsSlowDownloadCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<QString>("transferMode");
        QTest::newRow("SIGTERM, range sequence") << int(SIGTERM) << QStringLiteral("0");
        QTest::newRow("SIGINT, streamed") << int(SIGINT) << QStringLiteral("1");
    }

    void signalEndsSlowDownloadCleanly()
    {
        QFETCH(int, signalNumber);
        QFETCH(QString, transferMode);
        writeSetup(m_downloads, transferMode);
        QVERIFY(startListeningService());
        const QByteArray package = zipPackage({{QStringLiteral("Slow/data.bin"), noise(2 << 20, 5)}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(kSlowPrefix + m_prefix.mid(1) + QStringLiteral("/Slow.zip"), package);
        QCOMPARE(ask(3, {{url, subTools()}}).value(url), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(progressOf(url) > 0 && !entriesOf(subTools()).isEmpty(), 10000);

        QCOMPARE(::kill(pid_t(m_service->processId()), signalNumber), 0);
        QVERIFY(m_service->waitForFinished(3000));
        verifyEndedCleanly();
        QCOMPARE(entriesOf(subTools()), QStringList());
        QCOMPARE(entriesOf(m_install).filter(QStringLiteral(".haulmoor-")), QStringList());
        QVERIFY(!fixtures::loopback::portAnswers(m_port));
    }

    // SIGTERM while the unpacker runs: it is stopped and its work thrown
    // away, and the installed tool stays the old version, whole.
    void signalDuringUnpackKeepsTheOldTool()
    {
        const QString tools = subTools();
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/Hammer.exe"), "old hammer", true));
        QVERIFY(writeFile(tools + QStringLiteral("Hammer/lib/helper.dll"), "old helper"));
        QVERIFY(writeFile(tools + QStringLiteral(".Hammer.previous/Hammer.exe"), "older hammer"));
        const QMap<QString, QByteArray> before = snapshot(tools);
        const QString pidFile = m_root->filePath(QStringLiteral("unpacker.pid"));
        QVERIFY(QFile::remove(m_install + QStringLiteral("/ZipUnzip")));
        QVERIFY(writeFile(
            m_install + QStringLiteral("/ZipUnzip"),
            "#!/bin/sh\nmkdir -p \"$3/Hammer\" && echo new > \"$3/Hammer/Hammer.exe\"\necho $$ > '" +
                pidFile.toUtf8() + ".part' && mv '" + pidFile.toUtf8() + ".part' '" + pidFile.toUtf8() +
                "'\nexec sleep 600\n",
            true));
        QVERIFY(startListeningService());
        const QByteArray package = zipPackage({{QStringLiteral("Hammer/Hammer.exe"), "new hammer", true}});
        const QString url = publish(m_prefix + QStringLiteral("/tools/Hammer.zip"), package);
        QCOMPARE(ask(3, {{url, tools}}).value(url), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pidFile), 10000);
        const qint64 unpacker = readFile(pidFile).trimmed().toLongLong();
        QVERIFY(unpacker > 0 && !processGone(unpacker));

        QCOMPARE(::kill(pid_t(m_service->processId()), SIGTERM), 0);
        QVERIFY(m_service->waitForFinished(3000));
        verifyEndedCleanly();
        QVERIFY(processGone(unpacker)); // stopped and collected by the service
        QCOMPARE(snapshot(tools), before);
        QCOMPARE(entriesOf(tools),
                 (QStringList{QStringLiteral(".Hammer.previous"), QStringLiteral("Hammer")}));
        QCOMPARE(entriesOf(m_install).filter(QStringLiteral(".haulmoor-")), QStringList());
    }

    void unusableBodiesAreEchoedButNeverAnswered()
    {
        QVERIFY(startListeningService());
        const QList<QByteArray> unusable{
            R"({"method":9,"urls":[{"url":"http://127.0.0.1:9/x.zip","unzipDir":""}]})",
            R"({"method":0,"urls":[{"url":"http://127.0.0.1:9/x.zip","unzipDir":""}]})",
            R"({"method":"4","urls":[]})",
            "[4]",
        };
        const quint16 port = m_port;
        std::vector<std::future<Reply>> pending;
        for (const QByteArray& body : unusable)
            pending.push_back(std::async(std::launch::async, [port, body] { return post(port, body); }));
        for (const QByteArray& body : unusable)
            QTRY_VERIFY(serviceOutput().contains(body + '\n'));

        const QString url = m_nginx->baseUrl() + QStringLiteral("/never/asked.zip");
        const Reply answered = ask(4, {{url, QString()}}, kProgressPath);
        QVERIFY2(answered.answered(), answered.raw.constData());
        QCOMPARE(answered.values, (Entries{{url, QStringLiteral("0")}}));
        QTRY_VERIFY(serviceOutput().contains(requestBody(4, {{url, QString()}}) + '\n'));
        for (auto& reply : pending)
            QCOMPARE(reply.wait_for(std::chrono::seconds(0)), std::future_status::timeout);

        // The listener gives up on them on its own.
        for (auto& future : pending) {
            const Reply reply = future.get();
            QCOMPARE(reply.transport, CURLE_OK);
            QCOMPARE(reply.status, 504L);
            QVERIFY(!reply.raw.contains("urlsToValue"));
        }
    }

    void endsOnceMainProgramIsGone()
    {
        QVERIFY(startListeningService());
        QCOMPARE(listeningPorts(m_service->processId()), QSet<quint16>{m_port});
        QVERIFY(ask(4, {{QStringLiteral("u"), QString()}}, kProgressPath).answered());
        stopMainProgram();
        if (heldByForeignMainProgram())
            QSKIP(kForeignHeld);
        verifyEndedCleanly();
        QVERIFY(!fixtures::loopback::portAnswers(m_port));
    }

    void withoutMainProgramEndsAtOnce()
    {
        stopMainProgram();
        QVERIFY(startService({QString::number(fixtures::loopback::pickFreePort())}));
        if (heldByForeignMainProgram())
            QSKIP(kForeignHeld);
        verifyEndedCleanly();
    }

    void withoutPortArgumentFails()
    {
        QVERIFY(startService({}));
        QVERIFY(m_service->waitForFinished(5000));
        QCOMPARE(m_service->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_service->exitCode(), 255);
        QCOMPARE(serviceOutput(), QByteArray());
    }

    void unusablePortNeverListens_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("zero") << QStringLiteral("0");
    }

    void unusablePortNeverListens()
    {
        QFETCH(QString, port);
        QVERIFY(startService({port}));
        QTRY_COMPARE(serviceOutput(), QByteArray("Sever init failed"));
        // It idles for as long as the main program runs.
        QTest::qWait(400);
        QCOMPARE(m_service->state(), QProcess::Running);
        QCOMPARE(serviceOutput(), QByteArray("Sever init failed"));
        QCOMPARE(listeningPorts(m_service->processId()), QSet<quint16>());
        stopMainProgram();
        if (heldByForeignMainProgram())
            QSKIP(kForeignHeld);
        verifyEndedCleanly();
    }

    void nonAsciiFolders()
    {
        const QString downloads = m_root->filePath(QStringLiteral("下载 & 更新"));
        writeSetup(downloads);
        const QString unzipDir = m_root->filePath(QStringLiteral("工具箱/SubTools/"));
        QVERIFY(writeFile(unzipDir + QStringLiteral("锤子/锤子.exe"), "old", true));
        QVERIFY(writeFile(unzipDir + QStringLiteral("锤子/旧.dll"), "old library"));
        QVERIFY(writeFile(unzipDir + QStringLiteral("锤子/笔记.txt"), "用户的笔记"));
        QVERIFY(startListeningService());
        const QByteArray package = zipPackage(
            {{QStringLiteral("锤子/锤子.exe"), "new", true}, {QStringLiteral("锤子/说明.txt"), "说明"}});
        QVERIFY(!package.isEmpty());
        const QString url = publish(m_prefix + QStringLiteral("/tools/锤子.zip"), package);

        const Reply reply = ask(3, {{url, unzipDir}});
        QVERIFY2(reply.answered(), reply.raw.constData());
        QCOMPARE(reply.values, (Entries{{url, QStringLiteral("0")}}));
        QCOMPARE(waitForFinal(url), 200);
        QTRY_VERIFY(serviceOutput().contains(requestBody(3, {{url, unzipDir}}) + '\n'));

        const QMap<QString, QByteArray> expected{
            {QStringLiteral("锤子/锤子.exe"), "new"},
            {QStringLiteral("锤子/笔记.txt"), QStringLiteral("用户的笔记").toUtf8()},
            {QStringLiteral("锤子/说明.txt"), QStringLiteral("说明").toUtf8()},
            {QStringLiteral(".锤子.previous/锤子.exe"), "old"},
            {QStringLiteral(".锤子.previous/旧.dll"), "old library"},
            {QStringLiteral(".锤子.previous/笔记.txt"), QStringLiteral("用户的笔记").toUtf8()},
        };
        QCOMPARE(snapshot(unzipDir).keys(), expected.keys());
        QCOMPARE(snapshot(unzipDir), expected);
        QVERIFY(isExecutable(unzipDir + QStringLiteral("锤子/锤子.exe")));
        // The package passed through the download folder Setup.xml names.
        QVERIFY(QFileInfo(downloads + QStringLiteral("/SubTools")).isDir());
        QCOMPARE(entriesOf(downloads + QStringLiteral("/SubTools")), QStringList());
        QVERIFY(!QFileInfo::exists(m_downloads));
    }
};

QTEST_GUILESS_MAIN(TestHaulmoorIntegration)
#include "tst_haulmoor_integration.moc"
