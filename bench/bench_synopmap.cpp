// The SYNOP weather map at 1920 x 1080 over the Europe view: 15 000 station
// models (projection, declutter, drawing) with and without the chart under
// them, against the bare chart paint. KESMAR_CHART_DIR names a program folder
// whose CHARTDATA holds the charts built by scripts/build-charts; without it
// the benchmarks are skipped.
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "core/Viewport.h"
#include "weather/SynopMapData.h"
#include "weather/SynopMapLayer.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

using namespace kesmar;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kStations = 15000;
constexpr uint32_t kTime = 1796644800;

QGuiApplication& app()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *instance;
}

// Stations spread over Europe with every plotted group present.
std::vector<SynopRecord> stations()
{
    std::mt19937 random(15000);
    std::uniform_int_distribution<int> lat(35 * 60, 71 * 60), lon(-25 * 60, 45 * 60), dir(1, 36), speed(0, 40),
        temp(-200, 300), ww(0, 99), n(0, 9), vv(10, 97), press(9600, 10400);
    std::vector<SynopRecord> out(kStations);
    for (int i = 0; i < kStations; ++i) {
        SynopRecord& r = out[size_t(i)];
        r.flags = SynopFlag::StationIdentified | SynopFlag::Visibility | SynopFlag::WindDirection | SynopFlag::WindSpeed
                  | SynopFlag::AirTemperature | SynopFlag::DewPoint | SynopFlag::SeaLevelPressure
                  | SynopFlag::PressureTendency | SynopFlag::PresentWeather | SynopFlag::CloudGroup;
        r.sectionKind = 1;
        r.observationTime = kTime;
        r.stationEntry.number = uint32_t(10000 + i);
        r.stationEntry.latitudeMinutes = int16_t(-lat(random));
        r.stationEntry.longitudeMinutes = int16_t(lon(random));
        r.windDirection = int16_t(dir(random) * 10);
        r.windSpeed = uint8_t(speed(random));
        r.windIndicator = 4;
        r.airTemperature = int16_t(temp(random));
        r.dewPoint = int16_t(r.airTemperature - 30);
        const int p = press(random);
        r.seaLevelPressure = int16_t(p % 10000);
        r.tendencyCharacteristic = int8_t(n(random) % 9);
        r.pressureTendency = 12;
        r.presentWeather = int8_t(ww(random));
        r.visibility = int8_t(vv(random));
        r.totalCloud = char('0' + n(random));
        r.lowCloud = char('1' + n(random) % 9);
    }
    return out;
}

struct Scene {
    QString folder;
    ChartConfig config;
    ChartCatalogue catalogue;
    Viewport viewport;
    LineFileCache files;
    ChartPainter painter;
    DrawOptions options;
    SynopMapData data;
    std::vector<int> indices;
    SynopMapLayer layer;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    explicit Scene(const QString& programFolder) : folder(programFolder)
    {
        app();
        if (!catalogue.loadList(folder)) catalogue.addDefaultSet(folder);
        catalogue.setViewSize(kWidth, kHeight);
        viewport.startUp({0, 0, kWidth, kHeight});
        viewport.setView(1.875, -10.0 * 60.0, 50.0 * 60.0);
        catalogue.rescaleAndSelect(viewport);
        options.colours = ChartPainter::activeColours(config, false);
        options.detailFlags = config.detailFlags;
        options.charts = catalogue.entries();
        options.chartsAvailable = catalogue.chartsAvailable() & ChartCatalogue::AnyVisible;
        options.programFolder = folder;
        options.files = &files;
        data.setRecords(stations());
        indices = data.indicesAt(kTime);
    }
    void chart(QPainter& p) { painter.paint(p, viewport, options); }
};

QString chartFolder()
{
    const QString dir = qEnvironmentVariable("KESMAR_CHART_DIR");
    if (dir.isEmpty() || !QDir(dir + QStringLiteral("/CHARTDATA")).exists()) return {};
    return dir;
}

enum class What { BareChart, ChartAndStations, StationsOverPicture };

void run(benchmark::State& state, What what)
{
    const QString folder = chartFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("KESMAR_CHART_DIR does not name a folder with CHARTDATA");
        return;
    }
    Scene scene(folder);
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&picture);
        scene.chart(p); // loads the chart files
    }
    int drawn = 0;
    for (auto _ : state) {
        QPainter p(&scene.image);
        if (what == What::StationsOverPicture) p.drawImage(0, 0, picture);
        else scene.chart(p);
        if (what != What::BareChart) {
            scene.layer.setSeaPicture(&picture, scene.options.colours.colour(ColourTable::kBackground).rgb());
            drawn = scene.layer.paint(p, scene.viewport, scene.data, scene.indices);
        }
    }
    state.counters["stations"] = double(scene.indices.size());
    state.counters["drawn"] = drawn;
}

const bool registered = [] {
    benchmark::RegisterBenchmark("SynopMap/Europe/BareChart", run, What::BareChart)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SynopMap/Europe/ChartAnd15000Stations", run, What::ChartAndStations)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SynopMap/Europe/15000StationsOverPicture", run, What::StationsOverPicture)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
