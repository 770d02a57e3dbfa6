#include "ChartBuilder.h"
#include "GeoJsonSource.h"
#include "PointListSource.h"

#include "chartdata/ChartHeader.h"
#include "chartdata/LineFile.h"
#include "chartdata/PackedPointRecord.h"
#include "chartdata/PointFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

const GeoBox kBox{7, 10, 53, 55};

std::vector<GeoPoint> circle(int n, double radius)
{
    std::vector<GeoPoint> r;
    for (int i = 0; i < n; ++i)
        r.push_back({8.5 + radius * std::cos(2 * M_PI * i / n), 54 + radius * std::sin(2 * M_PI * i / n)});
    return r;
}

} // namespace

TEST(ChartBuilder, RefusesWhatItCannotEncode)
{
    struct Case {
        const char* name;
        bool area;
        int layer;
        std::vector<GeoPoint> points;
        const char* error;
    };
    const std::vector<Case> cases{
        {"line of one point", false, 7, {{8, 54}}, "river: empty geometry (1 points)"},
        {"area of two points", true, 4, {{8, 54}, {9, 54}}, "river: empty geometry (2 points)"},
        {"east of the world", false, 7, {{8, 54}, {180.5, 54}}, "river: coordinate outside the world (180.5, 54)"},
        {"beyond the pole", true, 4, {{8, 54}, {9, 91}, {9, 54}}, "river: coordinate outside the world (9, 91)"},
        {"not a number", false, 7, {{8, 54}, {NAN, 54}}, "river: coordinate outside the world (nan, 54)"},
        {"layer 10", false, 10, {{8, 54}, {9, 54}}, "river: layer 10 is not 0-9"},
    };
    ChartBuilder b("TEST", kBox);
    for (const Case& c : cases) {
        QString error;
        const bool ok = c.area ? b.addArea(c.layer, c.points, 0, 0, "river", &error)
                               : b.addLine(c.layer, c.points, 0, 0, "river", &error);
        EXPECT_FALSE(ok) << c.name;
        EXPECT_EQ(error.toStdString(), c.error) << c.name;
    }
}

TEST(ChartBuilder, WritesClippedTiledChartThatReadsBack)
{
    QTemporaryDir dir;
    const QString charts = dir.filePath("CHARTDATA");
    ChartBuilder b("TEST", kBox);
    QString error;
    ASSERT_TRUE(b.addArea(4, circle(5000, 0.8), 14, 0, "island", &error)) << error.toStdString();
    ASSERT_TRUE(b.addLine(7, {{6, 54}, {8, 54}, {12, 54.5}}, 0x16, 0, "river", &error));  // crosses both edges
    ChartBuilder::Stats stats;
    ASSERT_TRUE(b.write(charts, &stats, &error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(charts + "/TEST.BWP"));

    const auto header = ChartHeader::readFile(charts + "/TEST.HDR");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->box(), (ChartBox{-3'300'000, 420'000, -3'180'000, 600'000}));
    EXPECT_TRUE(header->hasLayer(4));
    EXPECT_TRUE(header->hasLayer(7));
    EXPECT_FALSE(header->hasLayer(9));
    const Result<LineFile> loaded = LineFile::load(dir.path(), "TEST");
    ASSERT_TRUE(loaded.ok());
    const LineFile& file = *loaded;
    std::vector<ChartPoint> buf(PackedPointRecord::kMaxPoints);
    int land = 0;
    LineSection s = file.section(header->layerOffset[4]);
    for (LineIndexEntry entry; s.next(entry); ++land) {
        EXPECT_TRUE(entry.isArea());
        EXPECT_EQ(file.decode(entry, buf), entry.pointCount);
    }
    EXPECT_GE(land, 5);  // 5000 points need at least five records
    LineSection r = file.section(header->layerOffset[7]);
    LineIndexEntry river;
    ASSERT_TRUE(r.next(river));
    EXPECT_FALSE(river.isArea());
    EXPECT_EQ(river.attribute, 0x16);
    EXPECT_EQ(river.xMin, 420'000);  // cut at the west edge
    EXPECT_EQ(river.xMax, 600'000);  // and at the east edge
    EXPECT_EQ(stats.records, land + 2);  // plus the base area
}

TEST(ChartBuilder, GeoJsonFeaturesAndTheirErrors)
{
    const QByteArray good = R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"layer":6,"colour":13,"fill":20,"name":"Hafen"},
         "geometry":{"type":"Polygon","coordinates":[[[8,54],[8.1,54],[8.1,54.1],[8,54]]]}},
        {"type":"Feature","properties":{"layer":8,"style":1},
         "geometry":{"type":"MultiLineString","coordinates":[[[8,54],[9,54]],[[8,53.5],[9,53.5]]]}}]})";
    ChartBuilder b("TEST", kBox);
    QString error;
    int features = 0;
    EXPECT_TRUE(addGeoJson(good, "ok.geojson", b, &error, &features)) << error.toStdString();
    EXPECT_EQ(features, 2);

    auto feature = [](const char* props, const char* geometry) {
        return QByteArray(R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":)") + props
             + R"(,"geometry":)" + geometry + "}]}";
    };
    const char* line = R"({"type":"LineString","coordinates":[[8,54],[9,54]]})";
    struct Case {
        QByteArray json;
        const char* error;
    };
    const std::vector<Case> cases{
        {"[1,2", "x.geojson: not a GeoJSON FeatureCollection"},
        {feature(R"({"name":"A"})", line), "x.geojson: feature 0 (A): property \"layer\" is missing"},
        {feature(R"({"layer":12})", line), "x.geojson: feature 0: property \"layer\" must be an integer 0-9"},
        {feature(R"({"layer":6,"colour":"red"})", line), "x.geojson: feature 0: property \"colour\" must be an integer 0-15"},
        {feature(R"({"layer":6})", R"({"type":"Point","coordinates":[8,54]})"),
         "x.geojson: feature 0: geometry type Point is not supported"},
        {feature(R"({"layer":6})", R"({"type":"LineString","coordinates":[]})"),
         "x.geojson: feature 0: empty geometry (0 points)"},
        {feature(R"({"layer":6})", "null"), "x.geojson: feature 0: empty geometry"},
        {feature(R"({"layer":6})", R"({"type":"LineString","coordinates":[[8,54],[8,"x"]]})"),
         "x.geojson: feature 0: a position is not [lon, lat]"},
        {feature(R"({"layer":6,"name":"Loch"})",
                 R"({"type":"Polygon","coordinates":[[[8,54],[9,54],[9,55]],[[8.5,54.2],[8.6,54.2],[8.6,54.3]]]})"),
         "x.geojson: feature 0 (Loch): polygon holes cannot be drawn"},
        {feature(R"({"layer":6})", R"({"type":"LineString","coordinates":[[8,54],[190,54]]})"),
         "x.geojson: feature 0: coordinate outside the world (190, 54)"},
    };
    for (const Case& c : cases) {
        ChartBuilder fresh("TEST", kBox);
        QString why;
        EXPECT_FALSE(addGeoJson(c.json, "x.geojson", fresh, &why)) << c.error;
        EXPECT_EQ(why.toStdString(), c.error);
    }
}

TEST(PointList, ParsesRecordsAndNamesBadLines)
{
    const QByteArray good = "# comment\n"
                            "Helgoland;54 10.91N;007 52.94E;40;-;2/13;0x40;40;Fl.W.5s Helgoland\n"
                            "Tiefe;54 06.00N;7.5;62;-;0x10;200;174;\n"
                            "Boje;35 00.00S;005 30.00W;1;bands;13/2;0;160;Fl.R.4s Süd\n";
    QString error;
    const auto list = parsePointList(good, "p.csv", &error);
    ASSERT_TRUE(list) << error.toStdString();
    ASSERT_EQ(list->size(), 3u);
    const PointRecord& h = (*list)[0].record;
    EXPECT_EQ(h.objectType(), 40);
    EXPECT_EQ(h.colourByte(), 0xD2);
    EXPECT_EQ(h.modifier(), 0x40);
    EXPECT_EQ(h.position(), (ChartPoint{-3'250'910, 472'940}));
    EXPECT_EQ(h.text(), QByteArray("Fl.W.5s Helgoland"));
    EXPECT_EQ((*list)[1].record.size(), PointRecord::kMinSize);
    EXPECT_EQ((*list)[1].record.modifier(), 200);
    const PointRecord& s = (*list)[2].record;
    EXPECT_EQ(s.typeByte(), 0x81);
    EXPECT_EQ(s.position(), (ChartPoint{2'100'000, -330'000}));
    EXPECT_EQ(s.text(), QByteArray("Fl.R.4s S\x81""d"));  // code page 850

    const std::vector<std::pair<QByteArray, const char*>> bad{
        {"a;1;2;3\n", "p.csv:1: expected 9 fields, found 4"},
        {"\nX;91 00.00N;0;40;-;1/1;0;1;t\n", "p.csv:2: X: position outside the world or unreadable"},
        {"X;54;8;64;-;1/1;0;1;t\n", "p.csv:1: X: type must be 0-63"},
        {"X;54;8;3;dots;1/1;0;1;t\n", "p.csv:1: X: pattern must be -, bands or stripes"},
        {"X;54;8;3;-;16/1;0;1;t\n", "p.csv:1: X: colour, modifier or level unreadable"},
        {"X;54;8;3;-;1/1;256;1;t\n", "p.csv:1: X: colour, modifier or level unreadable"},
        {"X;54;8;63;-;0x41;0;1;" + QByteArray(114, 'a') + "\n", "p.csv:1: X: text longer than 113 characters"},
    };
    for (const auto& [text, expected] : bad) {
        QString why;
        EXPECT_FALSE(parsePointList(text, "p.csv", &why)) << expected;
        EXPECT_EQ(why.toStdString(), expected);
    }
}

TEST(ChartBuilder, PointsOutsideTheBoxAreLeftOut)
{
    QTemporaryDir dir;
    ChartBuilder b("PTS", kBox);
    QString error;
    ASSERT_TRUE(b.addPoint(*PointRecord::make(13, 62, 0x10, 50, 170, {-3'240'000, 500'000}), "in", &error));
    ASSERT_TRUE(b.addPoint(*PointRecord::make(13, 62, 0x10, 50, 170, {-3'000'000, 500'000}), "out", &error));
    ChartBuilder::Stats stats;
    ASSERT_TRUE(b.write(dir.filePath("CHARTDATA"), &stats, &error));
    EXPECT_EQ(stats.pointRecords, 1);
    const auto points = PointFile::load(dir.path(), "PTS");
    ASSERT_TRUE(points);
    ASSERT_EQ(points->blocks().size(), 1u);
    EXPECT_EQ(points->record(points->blocks()[0], 0)->position(), (ChartPoint{-3'240'000, 500'000}));
}
