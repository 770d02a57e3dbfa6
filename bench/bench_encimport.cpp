// Imports the NOAA Key West ENC cell (1:10 000) into a chart, and paints the
// imported chart with its soundings and aids at 1920 x 1080 at the chart's
// own scale.
#include "ChartBuilder.h"
#include "S57Import.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/PointPainter.h"
#include "chartdata/SymbolLibrary.h"
#include "core/Viewport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <set>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

const QString kCell = QStringLiteral(KESMAR_SHARED_DIR "/seadata/enc/US5FL4DQ.000");
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

bool importCell(const QString& chartData, QString* error)
{
    Result<std::vector<S57Cell>> cells = readCells({kCell});
    if (!cells) {
        *error = cells.error().describe();
        return false;
    }
    ChartBuilder chart(QStringLiteral("KEYWEST"), cellsBox(*cells));
    return addCells(*cells, 255, chart, error) && chart.write(chartData, nullptr, error);
}

void encImport(benchmark::State& state)
{
    QTemporaryDir dir;
    QString error;
    for (auto _ : state)
        if (!importCell(dir.filePath("CHARTDATA"), &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
}

void encPaint(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "bench_encimport";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    QTemporaryDir dir;
    QString error;
    if (!importCell(dir.filePath("CHARTDATA"), &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    ChartConfig config;
    ChartCatalogue catalogue;
    catalogue.setViewSize(kWidth, kHeight);
    if (catalogue.addChart(dir.path(), QStringLiteral("KEYWEST"))) {
        state.SkipWithError("the imported chart does not load");
        return;
    }
    Viewport viewport;
    viewport.startUp({0, 0, kWidth, kHeight});
    // The harbour channel at the chart's natural scale (its width over four screens).
    viewport.setView(0.00058, 81.8625 * 60.0, 24.5625 * 60.0);
    catalogue.rescaleAndSelect(viewport);
    LineFileCache files;
    DrawOptions options;
    options.colours = ChartPainter::activeColours(config, false);
    options.detailFlags = config.detailFlags;
    options.charts = catalogue.entries();
    options.chartsAvailable = catalogue.chartsAvailable() & ChartCatalogue::AnyVisible;
    options.programFolder = dir.path();
    options.files = &files;
    options.buoyage = PointPainter::hook(std::make_shared<const SymbolLibrary>());
    ChartPainter painter;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    auto paint = [&] {
        QPainter p(&image);
        return painter.paint(p, viewport, options);
    };
    if (!paint().openErrors.empty()) {
        state.SkipWithError("chart files did not open");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(paint());
    int drawn = 0;
    for (const ChartEntry& e : catalogue.entries())
        drawn += e.isDrawable();
    state.counters["charts"] = drawn;
    // Land, flats, contours and soundings give several colours; an empty view one.
    std::set<QRgb> colours;
    for (int y = 0; y < kHeight; y += 2)
        for (int x = 0; x < kWidth; x += 2)
            colours.insert(image.pixel(x, y));
    state.counters["colours"] = double(colours.size());
}

const bool registered = [] {
    benchmark::RegisterBenchmark("EncImport/KeyWestCell", encImport)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("EncImport/PaintKeyWest1920x1080", encPaint)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
