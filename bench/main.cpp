// Download and unpack figures of the service against plain curl, a minimal
// libcurl range loop and bsdtar, over real nginx on loopback. Exits non-zero
// only when something could not run; missed targets are reported, not failed.
#include "nginxserver.h"
#include "packagemaker.h"
#include "report.h"
#include "scenarios.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <curl/curl.h>
#include <filesystem>

namespace {

constexpr int kEntriesPerPackage = 4;
constexpr std::int64_t kMiB = 1 << 20;

int fail(const std::string& what)
{
    std::fprintf(stderr, "bench_download: %s\n", what.c_str());
    return 2;
}

void step(const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Download and unpack benchmark"));
    parser.addHelpOption();
    const QCommandLineOption haulmoor(QStringLiteral("haulmoor"), QStringLiteral("Built Haulmoor"),
                                      QStringLiteral("path"));
    const QCommandLineOption unpacker(QStringLiteral("zipunzip"), QStringLiteral("Built ZipUnzip"),
                                      QStringLiteral("path"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Recorded runs per figure"),
                                  QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption parallelRuns(QStringLiteral("parallel-runs"),
                                          QStringLiteral("Runs of the three parallel installs"),
                                          QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption workDir(
        QStringLiteral("work-dir"),
        QStringLiteral("Scratch folder, kept afterwards (default: a temporary one)"), QStringLiteral("dir"));
    const QCommandLineOption baseUrl(
        QStringLiteral("base-url"),
        QStringLiteral(
            "Fetch from a server already serving WORK-DIR/served at this URL instead of a local nginx"),
        QStringLiteral("url"));
    const QCommandLineOption linkLabel(
        QStringLiteral("link"), QStringLiteral("What the link is, for the report"), QStringLiteral("text"));
    const QCommandLineOption streamedOnly(QStringLiteral("streamed-only"),
                                          QStringLiteral("Only the 200 MiB package, curl, bsdtar and the "
                                                         "streamed service"));
    const QCommandLineOption noChecksum(QStringLiteral("no-checksum"),
                                        QStringLiteral("Publish no SHA-256, so the service verifies nothing: "
                                                       "the transfer alone against curl"));
    const QCommandLineOption roundTrip(
        QStringLiteral("round-trip-ms"),
        QStringLiteral("The link's round trip, for the targets that depend on it"), QStringLiteral("ms"),
        QStringLiteral("0"));
    parser.addOptions({haulmoor, unpacker, runs, parallelRuns, workDir, baseUrl, linkLabel, streamedOnly,
                       noChecksum, roundTrip});
    parser.process(app);

    bench::BenchSetup setup;
    setup.haulmoorPath = QFileInfo(parser.value(haulmoor)).absoluteFilePath().toStdString();
    setup.unpackerPath = QFileInfo(parser.value(unpacker)).absoluteFilePath().toStdString();
    setup.runs = std::max(1, parser.value(runs).toInt());
    setup.parallelRuns = std::max(1, parser.value(parallelRuns).toInt());
    setup.rangesToo = !parser.isSet(streamedOnly);
    bench::setPublishChecksums(!parser.isSet(noChecksum));
    if (parser.isSet(linkLabel))
        setup.linkLabel = parser.value(linkLabel).toStdString();
    setup.roundTripMs = std::max(0, parser.value(roundTrip).toInt());
    if (!parser.isSet(haulmoor) || !parser.isSet(unpacker))
        return fail("--haulmoor and --zipunzip are required");
    for (const auto& program : {setup.haulmoorPath, setup.unpackerPath}) {
        if (!QFileInfo(QString::fromStdString(program)).isExecutable())
            return fail("not an executable: " + program);
    }
    for (const char* tool : {"curl", "bsdtar", "aria2c"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return fail(std::string(tool) + " is not on PATH");
    }
    if (fixtures::NginxServer::findExecutable().isEmpty())
        return fail("nginx is not installed");
    // Loopback traffic must not detour through a proxy from the environment.
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(name);
    curl_global_init(CURL_GLOBAL_DEFAULT);

    QTemporaryDir temporary;
    setup.workDir = parser.isSet(workDir) ? QFileInfo(parser.value(workDir)).absoluteFilePath().toStdString()
                                          : temporary.path().toStdString();
    setup.servedDir = setup.workDir + "/served";
    std::error_code code;
    std::filesystem::create_directories(setup.servedDir, code);
    if (code || setup.workDir.empty())
        return fail("cannot create the work folder " + setup.workDir);

    QElapsedTimer clock;
    clock.start();
    step("Generating the packages ...");
    std::string error;
    std::vector<std::pair<const char*, std::int64_t>> plan{{"50 MiB", 50 * kMiB}, {"200 MiB", 200 * kMiB}};
    if (!setup.rangesToo)
        plan.erase(plan.begin());
    std::vector<bench::SizeFigures> sizes(plan.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        sizes[i].label = plan[i].first;
        sizes[i].name = "bench" + std::to_string(plan[i].second / kMiB);
        if (bench::findPackage(setup.servedDir, sizes[i].name, plan[i].second, kEntriesPerPackage,
                               sizes[i].package))
            continue;
        sizes[i].package = bench::makePackage(setup.servedDir, sizes[i].name, plan[i].second,
                                              kEntriesPerPackage, 0x5eed0000 + plan[i].second / kMiB, error);
        if (sizes[i].package.zipPath.empty())
            return fail(error);
    }
    const bench::SizeFigures& large = sizes.back();
    bench::ParallelFigures parallel;
    parallel.names = {large.name, large.name + "b", large.name + "c"};
    for (std::size_t i = 1; i < parallel.names.size(); ++i) {
        if (!bench::linkPackage(large.package, setup.servedDir, parallel.names[i], error))
            return fail(error);
    }
    bench::ParallelFigures parallelStreamed = parallel;
    parallelStreamed.transferMode = 1;

    fixtures::NginxServer nginx(QString::fromStdString(setup.servedDir));
    if (parser.isSet(baseUrl)) {
        setup.baseUrl = parser.value(baseUrl).toStdString();
        while (!setup.baseUrl.empty() && setup.baseUrl.back() == '/')
            setup.baseUrl.pop_back();
    } else {
        nginx.setPrefixDir(QString::fromStdString(setup.workDir + "/nginx"));
        if (!nginx.start())
            return fail("nginx did not start: " + nginx.errorOutput().toStdString());
        setup.baseUrl = nginx.baseUrl().toStdString();
    }

    bench::MachineLimits limits;
    step("Limits of the machine: one connection, disk, SHA-256 ...");
    if (!bench::measureLimits(setup, large, limits, error))
        return fail(error);
    for (auto& figures : sizes) {
        std::printf("Downloading %s: curl, aria2c%s, streamed service ...\n", figures.label.c_str(),
                    setup.rangesToo ? ", minimal loop, range service" : "");
        std::fflush(stdout);
        if (!bench::measureDownloads(setup, figures, error))
            return fail(error);
        std::printf("Unpacking %s: bsdtar, ZipUnzip ...\n", figures.label.c_str());
        std::fflush(stdout);
        if (!bench::measureUnpackers(setup, figures, error))
            return fail(error);
    }
    if (setup.rangesToo) {
        step("Three parallel 200 MiB installs, range sequence ...");
        if (!bench::measureParallel(setup, large.package, parallel, error))
            return fail(error);
    }
    step("Three parallel 200 MiB installs, streamed ...");
    if (!bench::measureParallel(setup, large.package, parallelStreamed, error))
        return fail(error);
    nginx.stop();

    bench::printReport(setup, sizes, parallel, parallelStreamed, limits, bench::Targets{});
    std::printf("\nbench_download took %.1f s\n", clock.elapsed() / 1000.0);
    curl_global_cleanup();
    return 0;
}
