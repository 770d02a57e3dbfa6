// Paints the bundled chart set at 1920 x 1080 at six view positions, and the
// Elbe approaches at 1:50 000 with every buoy, beacon, light and wreck.
// KESMAR_CHART_DIR names a program folder whose CHARTDATA holds the charts
// built by scripts/build-charts; without it the benchmarks are skipped.
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/PointPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "core/Viewport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <unistd.h>

using namespace kesmar;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Position {
    const char* name;
    double scale;       // minutes per pixel; 0 = whole world
    double longitude;   // degrees east of the centre
    double latitude;    // degrees north of the centre
    bool buoyage = false;  // also the charts' points (symbols, texts, soundings)
};

const Position kPositions[] = {
    {"World", 0.0, 0.0, 0.0},
    {"Europe", 1.875, 10.0, 50.0},
    {"NorthSea", 0.5625, 3.0, 56.0},
    {"GermanBight", 0.09375, 7.9, 54.2},
    {"ElbeEstuary", 0.01875, 8.8, 53.9},
    {"Helgoland", Viewport::kMinimumScale, 7.885, 54.18},
    // Not one of the six: the densest bundled chart at its own scale.
    {"BalticDense", 0.17, 20.0, 59.5},
    // 1:50 000 on a 96 dpi screen at 54° N: 13.2 m a pixel, 0.012' of longitude.
    {"ElbeApproaches50k", 0.012, 8.36, 53.96, true},
};

// Texts and soundings need a font database.
void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "bench_chartpaint";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

QString chartFolder()
{
    const QString dir = qEnvironmentVariable("KESMAR_CHART_DIR");
    if (dir.isEmpty() || !QDir(dir + QStringLiteral("/CHARTDATA")).exists()) return {};
    return dir;
}

// One benchmark's state: the catalogue, the viewport and the warm file cache.
struct Scene {
    QString folder;
    ChartConfig config;
    ChartCatalogue catalogue;
    Viewport viewport;
    LineFileCache files;
    ChartPainter painter;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    DrawOptions options;

    explicit Scene(const QString& programFolder) : folder(programFolder)
    {
        if (!catalogue.loadList(folder)) catalogue.addDefaultSet(folder);
        catalogue.setViewSize(kWidth, kHeight);
        viewport.startUp({0, 0, kWidth, kHeight});
    }
    void moveTo(const Position& p)
    {
        const double scale = p.scale > 0 ? p.scale : viewport.worldScale();
        viewport.setView(scale, -p.longitude * 60.0, p.latitude * 60.0);
        catalogue.rescaleAndSelect(viewport);
        options.colours = ChartPainter::activeColours(config, false);
        options.detailFlags = config.detailFlags;
        options.charts = catalogue.entries();
        options.chartsAvailable = catalogue.chartsAvailable() & ChartCatalogue::AnyVisible;
        options.programFolder = folder;
        options.files = &files;
        if (p.buoyage) {
            Result<SymbolLibrary> symbols = SymbolLibrary::load(folder);
            options.buoyage = PointPainter::hook(std::make_shared<const SymbolLibrary>(
                symbols ? std::move(symbols).value() : SymbolLibrary()));
        }
    }
    PaintResult paint()
    {
        QPainter p(&image);
        return painter.paint(p, viewport, options);
    }
};

// Point records inside the visible boxes of the drawn charts.
int pointsInView(const Scene& scene)
{
    int n = 0;
    for (const ChartEntry& e : scene.catalogue.entries()) {
        if (!e.isDrawable()) continue;
        const Result<PointFile> file = PointFile::load(scene.folder, e.name);
        if (!file) continue;
        const ChartBox& b = e.visibleBox;
        for (const PointBlockEntry& block : file->blocks())
            for (int i = 0; i < file->recordCount(block); ++i) {
                const ChartPoint p = file->record(block, i)->position();
                n += p.y >= b.top && p.y <= b.bottom && p.x >= b.left && p.x <= b.right;
            }
    }
    return n;
}

long residentKilobytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void paintPosition(benchmark::State& state, const Position& position)
{
    const QString folder = chartFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("KESMAR_CHART_DIR does not name a folder with CHARTDATA");
        return;
    }
    if (position.buoyage) ensureGuiApplication();
    Scene scene(folder);
    scene.moveTo(position);
    const PaintResult first = scene.paint();  // loads the files
    if (!first.openErrors.empty()) {
        state.SkipWithError(qPrintable(first.openErrors.front().message()));
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(scene.paint());
    int drawn = 0;
    for (const ChartEntry& e : scene.catalogue.entries()) drawn += e.isDrawable();
    state.counters["charts"] = drawn;
    if (position.buoyage) state.counters["points"] = pointsInView(scene);
}

// Pans across the North Sea and zooms in and out: 1000 paints to warm up
// (chart files are loaded on first use), then 1000 more; reports the resident
// memory before and after the second run, which must not grow.
void panThousand(benchmark::State& state)
{
    const QString folder = chartFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("KESMAR_CHART_DIR does not name a folder with CHARTDATA");
        return;
    }
    Scene scene(folder);
    scene.moveTo(kPositions[2]);
    scene.paint();
    const int codes[] = {Viewport::PanLeft, Viewport::PanDown, Viewport::ZoomInPad, Viewport::PanRight,
                         Viewport::PanUp, Viewport::ZoomOutPad};
    auto run = [&] {
        for (int i = 0; i < 1000; ++i) {
            scene.viewport.ZoomPan(0, 0, 0, 0, codes[i % 6]);
            scene.catalogue.selectForViewport(scene.viewport);
            scene.options.charts = scene.catalogue.entries();
            scene.paint();
        }
    };
    run();
    for (auto _ : state) {
        const long before = residentKilobytes();
        run();
        state.counters["rss_before_kB"] = double(before);
        state.counters["rss_after_kB"] = double(residentKilobytes());
    }
}

const bool registered = [] {
    for (const Position& p : kPositions)
        benchmark::RegisterBenchmark((std::string("ChartPaint/") + p.name).c_str(), paintPosition, p)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ChartPaint/Pan1000", panThousand)
        ->Unit(benchmark::kMillisecond)->Iterations(1);
    return true;
}();

} // namespace
