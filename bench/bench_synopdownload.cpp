// Speed of the SYNOP download against curl, both fetching the same 73 hourly
// files of 1 MB from lighttpd on loopback:
//   BM_DownloadEngine   the download engine in this process (size check of
//                       the 73 hours, then the files)
//   BM_DownloadTool     `kesmar-synop download` as a process
//   BM_Curl             one curl process fetching the 73 files
// Compare bytes_per_second; the download's goal is at least half of curl's.
#include "weather/LighttpdServer.h"

#include "weather/SynopConversion.h"
#include "weather/SynopDownload.h"
#include "weather/SynopTimeWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <memory>

using namespace kesmar;

namespace {

constexpr int kFileSize = 1 << 20;
constexpr int kFiles = SynopTimeWindow::kHours + 1;

struct Setup {
    Setup()
    {
        setenv("TZ", "UTC", 1);
        tzset();
        static int argc = 1;
        static char name[] = "bench_synopdownload";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
        server = std::make_unique<test::LighttpdServer>();
        QByteArray body(kFileSize, Qt::Uninitialized);
        for (int i = 0; i < kFileSize; ++i)
            body[i] = static_cast<char>('A' + i % 26);
        for (int i = 0; i < kFiles; ++i) {
            const std::tm f = SynopTimeWindow::localFields(window().hourTime(i));
            const QString file = SynopConversion::fileName(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour);
            names << file;
            server->putFile(file, body);
        }
        QDir(folder.path()).mkpath(QStringLiteral("SYNOP"));
        QFile ini(folder.filePath(QStringLiteral("KMR.INI")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[URL]\r\nsyn=" + server->baseUrl().toUtf8() + "\r\n");
    }
    static SynopTimeWindow window() { return SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30); }
    void clearLocal() const
    {
        QDir synop(folder.filePath(QStringLiteral("SYNOP")));
        for (const QString& name : synop.entryList(QDir::Files))
            synop.remove(name);
    }

    std::unique_ptr<test::LighttpdServer> server;
    QTemporaryDir folder;
    QStringList names;
};

Setup& setup()
{
    static Setup s;
    return s;
}

bool runProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(setup().folder.path());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

void BM_DownloadEngine(benchmark::State& state)
{
    Setup& s = setup();
    if (!s.server->running()) {
        state.SkipWithError("lighttpd did not start");
        return;
    }
    SynopDownloadSettings settings;
    settings.synopBaseUrl = s.server->baseUrl();
    for (auto _ : state) {
        state.PauseTiming();
        s.clearLocal();
        state.ResumeTiming();
        SynopDownload download(s.folder.path(), settings);
        download.setProxy(QNetworkProxy::NoProxy);
        QEventLoop loop;
        QObject::connect(&download, &SynopDownload::finished, &loop, &QEventLoop::quit);
        download.start(Setup::window());
        if (download.isRunning())
            loop.exec();
        if (!download.allComplete() || download.entries().size() != kFiles)
            state.SkipWithError("download incomplete");
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kFiles} * kFileSize);
}

void BM_DownloadTool(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        s.clearLocal();
        state.ResumeTiming();
        if (!runProcess(QStringLiteral(KESMAR_SYNOP_TOOL),
                        {QStringLiteral("download"), QStringLiteral("--now"), QStringLiteral("2023-01-17 14:30")}))
            state.SkipWithError("kesmar-synop download failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kFiles} * kFileSize);
}

void BM_Curl(benchmark::State& state)
{
    Setup& s = setup();
    QStringList arguments{QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("--noproxy"), QStringLiteral("*")};
    for (const QString& name : s.names)
        arguments << QStringLiteral("-o") << s.folder.filePath(QStringLiteral("SYNOP/") + name)
                  << s.server->baseUrl() + QLatin1Char('/') + name;
    for (auto _ : state) {
        state.PauseTiming();
        s.clearLocal();
        state.ResumeTiming();
        if (!runProcess(QStringLiteral("curl"), arguments))
            state.SkipWithError("curl failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kFiles} * kFileSize);
}

BENCHMARK(BM_DownloadEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_DownloadTool)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Curl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
