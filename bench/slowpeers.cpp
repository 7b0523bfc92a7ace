// How long the client waits for its service's answers while another user of
// the machine keeps 200 connections open, each sending a request a byte at a
// time. Target: every answer within 1 s. Needs root (to act as the other
// account); otherwise it says so and ends.
#include "otheraccount.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <curl/curl.h>
#include <vector>

namespace {

constexpr int kSlowConnections = 200;
constexpr int kRequests = 40;
constexpr int kRequestGapMs = 250;
constexpr double kTargetSeconds = 1.0;
const QByteArray kToken(64, 'a');

std::size_t discard(char*, std::size_t size, std::size_t count, void*)
{
    return size * count;
}

// Seconds for one progress request of the client's kind, or -1 on failure.
double timedRequest(quint16 port)
{
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(port) + "/DownloadProgress?format=json";
    const QByteArray body = R"({"method":4,"urls":[{"url":"http://cloud/x.zip","unzipDir":""}]})";
    const QByteArray header = "X-Haulmoor-Token: " + kToken;
    CURL* curl = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    headers = curl_slist_append(headers, header.constData());
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 10000L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &discard);
    QElapsedTimer clock;
    clock.start();
    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result == CURLE_OK && status == 200 ? clock.nsecsElapsed() / 1e9 : -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int helper = fixtures::otheraccount::runHelperMode(argc, argv);
    if (helper >= 0)
        return helper;
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_slowpeers HAULMOOR\n");
        return 2;
    }
    QString why;
    if (!fixtures::otheraccount::ensure(&why)) {
        std::printf("bench_slowpeers: skipped: %s\n", qPrintable(why));
        return 0;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);

    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    // The service lives as long as a program of this user named Gearloft.
    const QString standIn = shared.filePath(QStringLiteral("Gearloft"));
    QFile::copy(QStringLiteral("/bin/sleep"), standIn);
    QProcess mainProgram;
    mainProgram.start(standIn, {QStringLiteral("600")});
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    QProcess service;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HAULMOOR_TOKEN"), QString::fromLatin1(kToken));
    service.setProcessEnvironment(environment);
    service.start(QString::fromLocal8Bit(argv[1]), {QString::number(port)});
    if (!service.waitForReadyRead(10000) || !service.readLine().startsWith("listening on")) {
        std::fprintf(stderr, "bench_slowpeers: the service did not listen\n");
        return 2;
    }

    // Their connections, renewed as each round of trickling ends.
    const QString helperCopy = fixtures::otheraccount::helperCopy(shared.path());
    const QStringList trickle = fixtures::otheraccount::commandAs(
        {helperCopy, QStringLiteral("trickle"), QString::number(port), QString::number(kSlowConnections)});
    QProcess attacker;
    auto startAttack = [&] {
        attacker.start(trickle.first(), trickle.mid(1));
        attacker.waitForReadyRead(10000);
    };
    startAttack();

    std::vector<double> seconds;
    int failed = 0;
    for (int i = 0; i < kRequests; ++i) {
        if (attacker.state() == QProcess::NotRunning)
            startAttack();
        const double taken = timedRequest(port);
        if (taken < 0)
            ++failed;
        else
            seconds.push_back(taken);
        QThread::msleep(kRequestGapMs);
    }
    attacker.kill();
    attacker.waitForFinished();
    service.kill();
    service.waitForFinished();
    mainProgram.kill();
    mainProgram.waitForFinished();

    std::sort(seconds.begin(), seconds.end());
    const double worst = seconds.empty() ? 0 : seconds.back();
    const double median = seconds.empty() ? 0 : seconds[seconds.size() / 2];
    std::printf("client requests under %d slow connections of another user: %zu answered, %d failed\n",
                kSlowConnections, seconds.size(), failed);
    std::printf("  median %.3f s, worst %.3f s (target: each within %.1f s) %s\n", median, worst,
                kTargetSeconds, failed == 0 && worst <= kTargetSeconds ? "met" : "NOT MET");
    return 0;
}
