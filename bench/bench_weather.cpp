// Speed of the bulletin list and of movie playback.
//   BM_ListPageData     product list and tree of a SYNOP folder with 5 000 bulletins
//                       and a station file of 500 000 records (goal: under 1 s)
//   BM_ListPageWidget   the same, up to the filled tree of the list page
//   BM_MoviePlayback    a 4-stream 640 x 480 movie played at speed 8 on the wall
//                       clock with 50 ms ticks; counters: the frames due and the
//                       most ticks a due frame came late (goal: at most 1)
#include "weather/MovieDecoder.h"
#include "weather/MovieFile.h"
#include "weather/MoviePlayer.h"
#include "weather/MovieStrips.h"
#include "weather/WeatherProductList.h"
#include "weather/WeatherTree.h"
#include "weather/ui/WeatherDisplayFont.h"
#include "weather/ui/WeatherList.h"
#include "weather/WeatherProductLauncher.h"

#include "weather/MovieTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <thread>

using namespace kesmar;

namespace {

constexpr int kBulletins = 5000;
constexpr int kStationRecords = 500000;
constexpr int kObservationTimes = 96; // four days of hourly reports

const QTemporaryDir& programFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (made)
        return dir;
    made = true;
    QDir(dir.path()).mkpath(QStringLiteral("SYNOP"));
    QDir(dir.path()).mkpath(QStringLiteral("FAX"));
    for (int i = 0; i < kBulletins; ++i) {
        const int day = 1 + i / 288, minute = (i % 288) * 5;
        const QString name = QStringLiteral("B%1_2003_12_%2_%3_%4.RTF")
                                 .arg(i, 4, 10, QLatin1Char('0'))
                                 .arg(day % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                 .arg(minute % 60, 2, 10, QLatin1Char('0'));
        QFile f(dir.filePath(QStringLiteral("SYNOP/") + name));
        f.open(QIODevice::WriteOnly);
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n\\pard\\f0\\fs20 ZCZC\r\n";
        rtf += i % 3 == 0 ? "\\par BULLETIN FOR THE NORTHSEA\r\n" : "\\par BULLETIN FOR THE  BALTIC SEA\r\n";
        for (int line = 0; line < 40; ++line)
            rtf += "\\par GERMAN BIGHT NORTHWEST 5 TO 6, DECREASING 4, SEA 2 METRES, GOOD VISIBILITY\r\n";
        rtf += "\\par NNNN\r\n}\r\n";
        f.write(rtf);
    }
    QFile station(dir.filePath(QStringLiteral("SYNOP/STATION.DAT")));
    station.open(QIODevice::WriteOnly);
    QByteArray block;
    for (int r = 0; r < kStationRecords; ++r) {
        QByteArray record(487, '\0');
        const uint32_t time = 1070236800u + 3600u * static_cast<uint32_t>(r % kObservationTimes);
        for (int b = 0; b < 4; ++b)
            record[12 + b] = static_cast<char>(time >> (8 * b));
        block += record;
        if (block.size() > (1 << 22)) {
            station.write(block);
            block.clear();
        }
    }
    station.write(block);
    return dir;
}

void BM_ListPageData(benchmark::State& state)
{
    const QString folder = programFolder().path();
    size_t children = 0;
    for (auto _ : state) {
        const auto list = WeatherProductList::build(folder);
        const auto roots = WeatherTree::build(list.entries());
        children = 0;
        for (const auto& root : roots)
            children += root.children.size();
        benchmark::DoNotOptimize(children);
    }
    state.counters["tree_items"] = static_cast<double>(children);
}
BENCHMARK(BM_ListPageData)->Unit(benchmark::kMillisecond)->Iterations(3);

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_weather";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *qApp;
}

void BM_ListPageWidget(benchmark::State& state)
{
    application();
    const QString folder = programFolder().path();
    WeatherDisplayFont font;
    const WeatherProductLauncher launcher(folder, nullptr);
    int items = 0;
    for (auto _ : state) {
        const auto list = WeatherProductList::build(folder);
        WeatherList page(list, font, launcher);
        page.show(); // the tree is filled on the first display
        items = page.tree().topLevelItemCount();
        benchmark::DoNotOptimize(items);
    }
    state.counters["roots"] = items;
}
BENCHMARK(BM_ListPageWidget)->Unit(benchmark::kMillisecond)->Iterations(3);

int64_t wallMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void BM_MoviePlayback(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("four.avi"));
    test::MovieRecipe recipe;
    recipe.frames = {32, 32, 32, 32};
    recipe.width = 640;
    recipe.height = 480;
    recipe.gop = 12;
    if (!QFile::exists(path) && !test::writeMovie(path, recipe).empty()) {
        state.SkipWithError("movie not written");
        return;
    }
    const auto movie = MovieFile::open(path);
    if (!movie.ok()) {
        state.SkipWithError("movie not opened");
        return;
    }
    const QSize client(1300, 4 * 480);
    int maxLate = 0;
    int due = 0;
    for (auto _ : state) {
        MovieDecoder decoder(*movie);
        MoviePlayer player;
        player.setMovie(0, 32000, 640);
        player.setSpeed(MoviePlayer::kMaxSpeed);
        const int64_t start = wallMs();
        player.play(start);
        std::map<std::pair<int, int>, int> dueTick;
        maxLate = 0;
        // As the view does on every paint: ask for what is shown and what comes next.
        decoder.request(MovieStrips::wanted(*movie, player, MovieStrips::layout(*movie, player, client, 0)));
        for (int tick = 1; player.playing(); ++tick) {
            std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::milliseconds(start + tick * 50)));
            player.tick(wallMs());
            const auto cells = MovieStrips::layout(*movie, player, client, 0);
            for (const auto& cell : cells) {
                if (!cell.centre || cell.key.sample < 0)
                    continue;
                const auto key = std::pair{cell.key.stream, cell.key.sample};
                const int since = dueTick.emplace(key, tick).first->second;
                if (decoder.state(cell.key) != MovieFrameCache::State::Ready)
                    maxLate = std::max(maxLate, tick - since + 1);
            }
            decoder.request(MovieStrips::wanted(*movie, player, cells));
        }
        due = static_cast<int>(dueTick.size());
    }
    state.counters["frames_due"] = due;
    state.counters["max_late_ticks"] = maxLate;
}
BENCHMARK(BM_MoviePlayback)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
