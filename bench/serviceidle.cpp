// What the built service costs while it waits, and how fast it answers when
// many progress requests arrive at once (a client with many rows updating).
// Figures against targets, never pass/fail: exits non-zero only when the
// service could not be run.
#include "samples.h"
#include "serviceinstance.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <curl/curl.h>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kIdleTargetPercent = 0.1;
constexpr double kBurstTargetMs = 100;
constexpr int kBurstRounds = 7;

// utime + stime of a process in clock ticks; -1 when it is gone.
long long cpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // The fields after the command name, which may itself hold ")".
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    for (int number = 3; fields >> field; ++number) {
        if (number == 14)
            utime = std::stoll(field);
        if (number == 15) {
            stime = std::stoll(field);
            return utime + stime;
        }
    }
    return -1;
}

std::size_t discard(char*, std::size_t size, std::size_t count, void*)
{
    return size * count;
}

// Sends count progress requests at the same moment, each on its own
// connection, and returns the time until the last answer (ms), or -1 when
// any went unanswered.
double burst(int port, int count)
{
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/DownloadProgress?format=json";
    std::vector<std::string> bodies;
    for (int i = 0; i < count; ++i)
        bodies.push_back(R"({"method":4,"urls":[{"url":"http://cloud/tool-)" + std::to_string(i) +
                         R"(.zip","unzipDir":""}]})");
    std::mutex mutex;
    std::condition_variable go;
    bool started = false;
    int ready = 0;
    bool allAnswered = true;
    Clock::time_point start;
    Clock::time_point last;
    std::vector<std::thread> senders;
    for (int i = 0; i < count; ++i) {
        senders.emplace_back([&, i] {
            CURL* curl = curl_easy_init();
            curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
            curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
            curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, bodies[static_cast<std::size_t>(i)].c_str());
            curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 15000L);
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &discard);
            {
                std::unique_lock<std::mutex> lock(mutex);
                ++ready;
                go.notify_all();
                go.wait(lock, [&] { return started; });
            }
            const CURLcode code = curl_easy_perform(curl);
            long status = 0;
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
            curl_easy_cleanup(curl);
            const auto done = Clock::now();
            std::lock_guard<std::mutex> lock(mutex);
            allAnswered = allAnswered && code == CURLE_OK && status == 200;
            last = std::max(last, done);
        });
    }
    {
        std::unique_lock<std::mutex> lock(mutex);
        go.wait(lock, [&] { return ready == count; });
        start = Clock::now();
        last = start;
        started = true;
    }
    go.notify_all();
    for (auto& sender : senders)
        sender.join();
    return allAnswered ? std::chrono::duration<double, std::milli>(last - start).count() : -1;
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Idle cost and burst answers of the service"));
    parser.addHelpOption();
    const QCommandLineOption haulmoor(QStringLiteral("haulmoor"), QStringLiteral("Built Haulmoor"),
                                      QStringLiteral("path"));
    const QCommandLineOption unpacker(QStringLiteral("zipunzip"), QStringLiteral("Built ZipUnzip"),
                                      QStringLiteral("path"));
    const QCommandLineOption idleSeconds(QStringLiteral("idle-seconds"), QStringLiteral("Idle span measured"),
                                         QStringLiteral("s"), QStringLiteral("60"));
    parser.addOptions({haulmoor, unpacker, idleSeconds});
    parser.process(app);
    if (!parser.isSet(haulmoor) || !parser.isSet(unpacker)) {
        std::fprintf(stderr, "usage: bench_serviceidle --haulmoor PATH --zipunzip PATH [--idle-seconds S]\n");
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    QTemporaryDir scratch;
    bench::ServiceInstance service(QFileInfo(parser.value(haulmoor)).absoluteFilePath().toStdString(),
                                   QFileInfo(parser.value(unpacker)).absoluteFilePath().toStdString(),
                                   scratch.path().toStdString());
    std::string error;
    if (!service.start(error)) {
        std::fprintf(stderr, "bench_serviceidle: %s\n", error.c_str());
        return 2;
    }

    // Settled first: the start-up sweep and the listener's threads are not idling.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const int seconds = std::max(1, parser.value(idleSeconds).toInt());
    std::printf("idle: measuring the service's processor time over %d s...\n", seconds);
    std::fflush(stdout);
    const long long ticksBefore = cpuTicks(service.pid());
    const auto idleStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const long long ticksAfter = cpuTicks(service.pid());
    const double elapsed = std::chrono::duration<double>(Clock::now() - idleStart).count();
    if (ticksBefore < 0 || ticksAfter < 0) {
        std::fprintf(stderr, "bench_serviceidle: the service ended while idle\n");
        return 2;
    }
    const long long ticks = ticksAfter - ticksBefore;
    const double tickSeconds = 1.0 / double(sysconf(_SC_CLK_TCK));
    const double percent = double(ticks) * tickSeconds / elapsed * 100.0;
    // The kernel counts in whole ticks: one tick over the span is the resolution.
    std::printf("%-48s%.3f %% of a core (%lld ticks of %.0f ms in %.0f s; resolution %.3f %%)   "
                "target < %.1f %%: %s\n",
                "idle service, utime + stime", percent, ticks, tickSeconds * 1000, elapsed,
                tickSeconds / elapsed * 100.0, kIdleTargetPercent, verdict(percent < kIdleTargetPercent));

    int status = 0;
    for (const int count : {20, 80}) {
        bench::Samples times;
        for (int round = 0; round < kBurstRounds; ++round) {
            const double ms = burst(service.port(), count);
            if (ms < 0) {
                std::fprintf(stderr, "bench_serviceidle: a progress request went unanswered\n");
                status = 2;
                break;
            }
            times.add(ms);
        }
        if (times.empty())
            continue;
        char label[64];
        std::snprintf(label, sizeof label, "%d progress requests at once, last answer", count);
        std::printf("%-48s%.1f ms median (best %.1f, worst %.1f)   target < %.0f ms: %s\n", label,
                    times.median(), times.best(), times.worst(), kBurstTargetMs,
                    verdict(times.median() < kBurstTargetMs));
    }
    service.stop();
    curl_global_cleanup();
    return status;
}
