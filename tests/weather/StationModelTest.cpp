#include "WeatherMapTestSupport.h"

#include "weather/PresentWeatherSymbol.h"
#include "weather/StationDeclutter.h"
#include "weather/StationModelPainter.h"
#include "weather/StationObservation.h"
#include "weather/SynopMapData.h"
#include "weather/SynopMapLayer.h"
#include "core/Viewport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>

using namespace kesmar;

namespace {

// Fonts need the GUI application; the offscreen platform serves.
QGuiApplication& app()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *instance;
}

QImage drawModel(const SynopRecord& record)
{
    app();
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    StationModelPainter painter;
    painter.draw(p, QPointF(60, 40), StationObservation::fromRecord(record));
    p.end();
    return image;
}

// The plotting colours: ink black, temperature dark red, pressure dark blue;
// each appears unblended somewhere in the model (the dew point's thin digits
// are blended at every pixel).
TEST(StationModel, DrawnInThePlottingColours)
{
    const QImage image = drawModel(test::fullLandRecord());
    for (const QRgb colour : {qRgb(0, 0, 0), qRgb(190, 0, 0), qRgb(0, 0, 120)}) {
        bool found = false;
        for (int y = 0; y < image.height() && !found; ++y)
            for (int x = 0; x < image.width() && !found; ++x)
                found = (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        EXPECT_TRUE(found) << std::hex << colour;
    }
}

TEST(StationModel, AValidityBitOffLeavesItsFieldOut)
{
    const SynopRecord full = test::fullLandRecord();
    const QImage fullImage = drawModel(full);
    struct Row {
        const char* field;
        uint32_t bits;
    };
    const Row rows[] = {
        {"wind direction", SynopFlag::WindDirection},
        {"wind speed", SynopFlag::WindSpeed},
        {"air temperature", SynopFlag::AirTemperature},
        {"dew point", SynopFlag::DewPoint},
        {"sea-level pressure", SynopFlag::SeaLevelPressure},
        {"tendency", SynopFlag::PressureTendency},
        {"present weather", SynopFlag::PresentWeather},
        {"visibility", SynopFlag::Visibility},
        {"cloud group", SynopFlag::CloudGroup},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.field);
        SynopRecord cut = full;
        cut.flags &= ~r.bits;
        EXPECT_NE(drawModel(cut), fullImage);
    }
    // The observation holds exactly what the bits allow.
    SynopRecord none = full;
    none.flags = SynopFlag::StationIdentified;
    const StationObservation o = StationObservation::fromRecord(none);
    EXPECT_FALSE(o.windKnots || o.windDirection || o.airTemperature || o.dewPoint || o.seaLevelPressureTenths
                 || o.tendencyCharacteristic || o.presentWeather || o.visibility || o.lowCloud);
    const StationObservation all = StationObservation::fromRecord(full);
    EXPECT_EQ(all.windDirection, 270);
    EXPECT_EQ(all.windKnots, 15.0);
    EXPECT_EQ(all.airTemperature, 12.3);
    EXPECT_EQ(all.dewPoint, -1.5);
    EXPECT_EQ(all.seaLevelPressureTenths, 10132);
    EXPECT_EQ(all.tendencyTenths, 12);
    EXPECT_EQ(all.presentWeather, 61);
    EXPECT_EQ(all.visibility, 65);
    EXPECT_EQ(all.lowCloud, '5');
    EXPECT_EQ(all.totalCloud, '6');
    EXPECT_NEAR(all.latitudeMinutes, 3077, 1e-9);
    EXPECT_NEAR(all.longitudeMinutes, 406, 1e-9);
}

TEST(StationModel, ImpossibleValuesAreNamedNotDrawn)
{
    SynopRecord r = test::fullLandRecord();
    r.windSpeed = uint8_t(990 & 0xFF); // fff 990 kt kept in 8 bits: 222
    r.airTemperature = 990;           // 99.0 degC
    r.dewPoint = -15;
    const StationObservation o = StationObservation::fromRecord(r);
    EXPECT_FALSE(o.windKnots);
    EXPECT_FALSE(o.airTemperature);
    EXPECT_TRUE(o.dewPoint);
    EXPECT_EQ(o.rejected, QStringList({QStringLiteral("Wind 222 kn"), QStringLiteral("Temperatur 99,0 °C")}));
    // 60 m/s (117 kt) is a hurricane, not garbage.
    r.windSpeed = 60;
    r.windIndicator = 1;
    EXPECT_TRUE(StationObservation::fromRecord(r).windKnots);
}

TEST(StationModel, TendencySignFollowsTheCharacteristic)
{
    SynopRecord r = test::fullLandRecord();
    const std::pair<int, int> rows[] = {{0, 12}, {2, 12}, {3, 12}, {4, 0}, {5, -12}, {7, -12}, {8, -12}};
    for (const auto& [a, expected] : rows) {
        r.tendencyCharacteristic = int8_t(a);
        EXPECT_EQ(StationObservation::fromRecord(r).tendencyTenths, expected) << a;
    }
}

TEST(PresentWeatherSymbol, HundredDistinctSymbols)
{
    app();
    std::set<QByteArray> seen;
    for (int ww = 0; ww < 100; ++ww) {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        PresentWeatherSymbol::draw(p, QPointF(16, 16), 12, ww, Qt::black);
        p.end();
        const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        QImage blank(32, 32, QImage::Format_RGB32);
        blank.fill(Qt::white);
        EXPECT_NE(image, blank) << "ww " << ww << " draws nothing";
        EXPECT_TRUE(seen.insert(bytes).second) << "ww " << ww << " looks like another symbol";
    }
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage blank = image;
    QPainter p(&image);
    PresentWeatherSymbol::draw(p, QPointF(16, 16), 12, 100, Qt::black);
    PresentWeatherSymbol::draw(p, QPointF(16, 16), 12, -1, Qt::black);
    p.end();
    EXPECT_EQ(image, blank);
}

bool overlap(QPointF a, QPointF b, QSizeF box)
{
    return std::abs(a.x() - b.x()) < box.width() && std::abs(a.y() - b.y()) < box.height();
}

TEST(StationDeclutter, NoTwoKeptModelsOverlapAndNoGapIsLeft)
{
    std::mt19937 random(17);
    std::uniform_real_distribution<double> x(0, 1920), y(0, 1080);
    std::vector<StationDeclutter::Candidate> candidates;
    for (uint32_t i = 0; i < 3000; ++i) candidates.push_back({QPointF(x(random), y(random)), int(i % 3), 10000 + i});
    const QSizeF box(76, 46);
    const std::vector<int> kept = StationDeclutter::select(candidates, box);
    ASSERT_GT(kept.size(), 100u);
    for (size_t i = 0; i < kept.size(); ++i)
        for (size_t j = i + 1; j < kept.size(); ++j)
            ASSERT_FALSE(overlap(candidates[size_t(kept[i])].pixel, candidates[size_t(kept[j])].pixel, box));
    // Every one left out was left out for a kept neighbour.
    std::set<int> keptSet(kept.begin(), kept.end());
    for (int i = 0; i < int(candidates.size()); ++i) {
        if (keptSet.count(i)) continue;
        bool covered = false;
        for (int k : kept) covered = covered || overlap(candidates[size_t(i)].pixel, candidates[size_t(k)].pixel, box);
        ASSERT_TRUE(covered) << i;
    }
}

TEST(StationDeclutter, ShipsAndCoastalStationsFirstAllWhenApart)
{
    const QSizeF box(76, 46);
    // A land station listed first, a coastal one and a ship on top of it.
    const std::vector<StationDeclutter::Candidate> crowded = {
        {QPointF(100, 100), 2, 1}, {QPointF(110, 105), 1, 2}, {QPointF(90, 95), 0, 3}};
    EXPECT_EQ(StationDeclutter::select(crowded, box), std::vector<int>({2}));
    const std::vector<StationDeclutter::Candidate> coastal = {{QPointF(100, 100), 2, 1}, {QPointF(110, 105), 1, 2}};
    EXPECT_EQ(StationDeclutter::select(coastal, box), std::vector<int>({1}));
    // Zoomed in: the same stations far apart all stay.
    const std::vector<StationDeclutter::Candidate> apart = {
        {QPointF(100, 100), 2, 1}, {QPointF(300, 160), 1, 2}, {QPointF(20, 300), 0, 3}};
    EXPECT_EQ(StationDeclutter::select(apart, box).size(), 3u);
    // Boxes that only touch do not overlap.
    const std::vector<StationDeclutter::Candidate> touching = {{QPointF(0, 0), 2, 1}, {QPointF(76, 0), 2, 2}};
    EXPECT_EQ(StationDeclutter::select(touching, box).size(), 2u);
}

TEST(StationDeclutter, SpreadIsEvenNotFirstListed)
{
    // A dense row of stations numbered west to east: the survivors must not
    // all come from the start of the list (the west).
    std::vector<StationDeclutter::Candidate> row;
    for (uint32_t i = 0; i < 400; ++i) row.push_back({QPointF(i * 5.0, 100), 2, 6000 + i});
    const std::vector<int> kept = StationDeclutter::select(row, QSizeF(76, 46));
    ASSERT_GE(kept.size(), 12u);
    int east = 0;
    for (int k : kept) east += k >= 200;
    EXPECT_GE(east, int(kept.size()) / 3);
}

TEST(StationDeclutter, FarApartAndUnprojectableCandidates)
{
    const QSizeF box(76, 46);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Coarse cells for a wide spread still find the neighbour; NaN is left out.
    const std::vector<StationDeclutter::Candidate> spread = {
        {QPointF(0, 0), 2, 1}, {QPointF(1e7, 0), 2, 2}, {QPointF(1e7 + 10, 5), 2, 3}, {QPointF(nan, 0), 0, 4},
        {QPointF(-5e6, -3e6), 2, 5}};
    const std::vector<int> kept = StationDeclutter::select(spread, box);
    EXPECT_EQ(kept.size(), 3u);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), 1) + std::count(kept.begin(), kept.end(), 2), 1);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), 3), 0);
    EXPECT_TRUE(StationDeclutter::select({}, box).empty());
}

TEST(SynopMapLayer, StationsBySeaComeFirst)
{
    app();
    // Two stations 10 px apart: the inland one comes first in the order of
    // numbers, the other stands on the coast of a sea to its east.
    Viewport viewport;
    viewport.startUp({0, 0, 200, 100});
    viewport.setView(0.1, -600.0, 3000.0); // 10 E, 50 N, 0.1 minutes a pixel
    auto station = [](uint32_t number, int16_t longitude) {
        SynopRecord r = test::fullLandRecord();
        r.flags &= ~(SynopFlag::SeaTemperature | SynopFlag::Waves | SynopFlag::WindWaves);
        r.stationEntry.number = number;
        r.stationEntry.latitudeMinutes = -3000;
        r.stationEntry.longitudeMinutes = longitude;
        return r;
    };
    SynopMapData data;
    data.setRecords({station(10002, 599), station(10001, 600)});
    const std::vector<int> both = data.indicesAt(data.times().front());
    QImage chart(200, 100, QImage::Format_RGB32);
    chart.fill(QColor(139, 90, 0));                        // land
    QPainter(&chart).fillRect(QRect(110, 0, 90, 100), Qt::blue); // sea from x 110
    QImage target(200, 100, QImage::Format_RGB32);
    QPainter p(&target);
    SynopMapLayer layer;
    auto drawnNumber = [&] {
        layer.paint(p, viewport, data, both);
        EXPECT_EQ(layer.drawnCount(), 1);
        int hit = layer.hitTest(QPointF(viewport.project(599, -3000)));
        if (hit < 0) hit = layer.hitTest(QPointF(viewport.project(600, -3000)));
        return hit < 0 ? 0u : data.stations()[size_t(hit)].observation.number;
    };
    EXPECT_EQ(drawnNumber(), 10002u); // without the chart: the scrambled order of the numbers
    layer.setSeaPicture(&chart, QColor(Qt::blue).rgb());
    EXPECT_EQ(drawnNumber(), 10001u);
    EXPECT_TRUE(layer.nearSea(QPointF(100, 50)));
    EXPECT_FALSE(layer.nearSea(QPointF(90, 50)));
}

} // namespace
