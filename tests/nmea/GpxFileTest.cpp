#include "nmea/GpxFile.h"
#include "nmea/OwnTrack.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// gpsbabel (Debian) reads a file as a route (-r) or track (-t) and prints
// "No,Latitude,Longitude,..." lines; any error fails the test.
QList<QList<QByteArray>> gpsbabelRows(const QString& path, const char* kind)
{
    QProcess p;
    p.start(QStringLiteral("gpsbabel"), {QString::fromLatin1(kind), QStringLiteral("-i"), QStringLiteral("gpx"),
                                         QStringLiteral("-f"), path, QStringLiteral("-o"), QStringLiteral("unicsv"),
                                         QStringLiteral("-F"), QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardError(), QByteArray());
    QList<QList<QByteArray>> rows;
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty()) rows.append(lines[i].trimmed().split(','));
    return rows;
}

TEST(GpxFile, RouteReadByGpsbabelWithTheSamePoints)
{
    QTemporaryDir dir;
    const std::vector<GpxFile::Point> route{{53.546, 9.966, {}}, {53.8731, 8.7023, {}}, {-33.5, -70.25, {}}};
    const QString path = dir.filePath(QStringLiteral("route.gpx"));
    ASSERT_TRUE(GpxFile::save(path, GpxFile::routeDocument(route, QStringLiteral("Elbe"))).ok());
    const auto rows = gpsbabelRows(path, "-r");
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(rows[i][1].toDouble(), route[size_t(i)].latitude, 1e-6);
        EXPECT_NEAR(rows[i][2].toDouble(), route[size_t(i)].longitude, 1e-6);
    }
    const auto back = GpxFile::load(path);
    ASSERT_TRUE(back.ok()) << back.error().describe().toStdString();
    ASSERT_EQ(back->size(), 3u);
    EXPECT_NEAR((*back)[2].longitude, -70.25, 1e-9);
}

TEST(GpxFile, TrackReadByGpsbabelWithPointsAndTimes)
{
    QTemporaryDir dir;
    OwnTrack track;
    const int64_t start = 1796615110000; // 2026-12-07 03:45:10 UTC
    ASSERT_TRUE(track.add(53.5, 9.9, start));
    ASSERT_TRUE(track.add(53.51, 9.91, start + 10000));
    const QString path = dir.filePath(QStringLiteral("track.gpx"));
    ASSERT_TRUE(GpxFile::save(path, GpxFile::trackDocument(track.points(), QStringLiteral("Track"))).ok());
    const auto rows = gpsbabelRows(path, "-t");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][1], "53.500000");
    EXPECT_EQ(rows[0][2], "9.900000");
    EXPECT_EQ(rows[0][3], "2026/12/07");
    EXPECT_EQ(rows[0][4], "03:45:10");
    EXPECT_EQ(rows[1][4], "03:45:20");
    const auto back = GpxFile::load(path);
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[1].utcMs, start + 10000);
}

TEST(GpxFile, SavingReplacesAtomically)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.gpx"));
    const std::vector<GpxFile::Point> one{{1, 2, {}}};
    ASSERT_TRUE(GpxFile::save(path, GpxFile::routeDocument(one, QStringLiteral("A"))).ok());
    ASSERT_TRUE(GpxFile::save(path, GpxFile::routeDocument(one, QStringLiteral("B"))).ok());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("r.gpx")});
    EXPECT_FALSE(GpxFile::save(dir.filePath(QStringLiteral("no/such/dir/r.gpx")),
                               GpxFile::routeDocument(one, QStringLiteral("A")))
                     .ok());
}

TEST(GpxFile, ReadsTheFirstRouteElseTheFirstTrack)
{
    const QByteArray both = "<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk>\n"
                            "<rte><rtept lat=\"2\" lon=\"2\"/><rtept lat=\"3\" lon=\"3\"/></rte>"
                            "<rte><rtept lat=\"9\" lon=\"9\"/></rte></gpx>";
    const auto route = GpxFile::parse(both, QStringLiteral("x.gpx"));
    ASSERT_TRUE(route.ok());
    ASSERT_EQ(route->size(), 2u);
    EXPECT_EQ((*route)[0].latitude, 2.0);
    const QByteArray track = "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg>"
                             "<trkseg><trkpt lat=\"4\" lon=\"5\"/></trkseg></trk></gpx>";
    const auto joined = GpxFile::parse(track, QStringLiteral("x.gpx"));
    ASSERT_TRUE(joined.ok());
    ASSERT_EQ(joined->size(), 2u);
    EXPECT_EQ((*joined)[1].longitude, 5.0);
}

struct StrayCase {
    const char* name;
    QByteArray text;
    std::vector<double> latitudes;
};

class GpxStrayPoints : public testing::TestWithParam<StrayCase> {};

TEST_P(GpxStrayPoints, OnlyPointsInsideTheirRouteOrTrackCount)
{
    const StrayCase& c = GetParam();
    const auto points = GpxFile::parse(c.text, QStringLiteral("x.gpx"));
    ASSERT_TRUE(points.ok()) << c.name;
    std::vector<double> latitudes;
    for (const GpxFile::Point& p : *points) latitudes.push_back(p.latitude);
    EXPECT_EQ(latitudes, c.latitudes) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Files, GpxStrayPoints, testing::Values(
    StrayCase{"RoutePointBeforeAnyRoute",
              "<gpx><rtept lat=\"7\" lon=\"7\"/><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk></gpx>", {1.0}},
    StrayCase{"TrackPointAfterTheTrack",
              "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"1\"/></trkseg></trk><trkpt lat=\"8\" lon=\"8\"/></gpx>", {1.0}},
    StrayCase{"RoutePointAfterTheRoute",
              "<gpx><rte><rtept lat=\"2\" lon=\"2\"/></rte><rtept lat=\"9\" lon=\"9\"/></gpx>", {2.0}},
    StrayCase{"TrackPointInARoute",
              "<gpx><rte><trkpt lat=\"6\" lon=\"6\"/><rtept lat=\"2\" lon=\"2\"/></rte></gpx>", {2.0}}),
    [](const testing::TestParamInfo<StrayCase>& p) { return std::string(p.param.name); });

TEST(GpxFile, OneElementALine)
{
    // Indented so that the file can be read and compared by eye.
    const std::vector<GpxFile::Point> route{{53.546, 9.966, {}}};
    const QByteArray document = GpxFile::routeDocument(route, QStringLiteral("Elbe"));
    EXPECT_TRUE(document.contains("\n    <rte>\n        <name>Elbe</name>\n"
                                  "        <rtept lat=\"53.546000000\" lon=\"9.966000000\"/>\n    </rte>\n</gpx>"))
        << document.constData();
}

struct DamagedCase {
    const char* name;
    QByteArray text;
    int line; // -1: the whole file
};

class GpxDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(GpxDamaged, NamesTheLine)
{
    const DamagedCase& c = GetParam();
    const auto result = GpxFile::parse(c.text, QStringLiteral("/tmp/route.gpx"));
    ASSERT_FALSE(result.ok()) << c.name;
    EXPECT_EQ(result.error().line, c.line) << c.name << ": " << result.error().describe().toStdString();
    EXPECT_EQ(result.error().file, QStringLiteral("/tmp/route.gpx"));
    EXPECT_FALSE(result.error().reason.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, GpxDamaged, testing::Values(
    DamagedCase{"Truncated", "<gpx>\n<rte>\n<rtept lat=\"1\" lon=\"2\">\n", 4},
    DamagedCase{"UnclosedTag", "<gpx>\n<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n</trk>\n</gpx>", 4},
    DamagedCase{"BadLatitude", "<gpx>\n<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n<rtept lat=\"95\" lon=\"2\"/>\n</rte></gpx>", 4},
    DamagedCase{"NoNumber", "<gpx>\n<rte>\n<rtept lat=\"1,5\" lon=\"2\"/>\n</rte></gpx>", 3},
    DamagedCase{"MissingLongitude", "<gpx>\n<trk><trkseg>\n\n<trkpt lat=\"1\"/>\n</trkseg></trk></gpx>", 4},
    DamagedCase{"NotGpx", "<kml>\n</kml>", 1},
    DamagedCase{"Garbage", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), 1},
    DamagedCase{"Empty", "", 1},
    DamagedCase{"NoPoints", "<gpx>\n<wpt lat=\"1\" lon=\"2\"/>\n</gpx>", -1}),
    [](const testing::TestParamInfo<DamagedCase>& p) { return std::string(p.param.name); });

TEST(OwnTrack, OnePointPerTenSecondsOrTwentyMetres)
{
    OwnTrack track;
    EXPECT_TRUE(track.add(54.0, 10.0, 0));
    EXPECT_FALSE(track.add(54.0, 10.0, 60000));           // not moved at all
    EXPECT_FALSE(track.add(54.0001, 10.0, 9999));         // 11 m, 10 s not yet over
    EXPECT_TRUE(track.add(54.0001, 10.0, 10000));         // 10 s
    EXPECT_FALSE(track.add(54.00027, 10.0, 11000));       // 18.9 m
    EXPECT_TRUE(track.add(54.00029, 10.0, 11000));        // 21.1 m
    EXPECT_EQ(track.points().size(), 3u);
    EXPECT_NEAR(OwnTrack::distanceMeters(54.0, 10.0, 55.0, 10.0), 111195.0, 1.0);
    track.clear();
    EXPECT_TRUE(track.empty());
}

TEST(OwnTrack, FullTrackDropsItsOldestTenth)
{
    OwnTrack track;
    // Points ten seconds apart, point i at time i * 10 s.
    for (int64_t i = 0; i < 100'000; ++i) ASSERT_TRUE(track.add(54.0 + i * 1e-6, 10.0, i * 10'000));
    EXPECT_EQ(track.points().size(), 100'000u);
    ASSERT_TRUE(track.add(55.0, 10.0, 100'000 * 10'000LL));
    ASSERT_EQ(track.points().size(), 90'001u);
    EXPECT_EQ(track.points().front().utcMs, 10'000 * 10'000LL);
    EXPECT_EQ(track.points().back().utcMs, 100'000 * 10'000LL);
}

struct DistanceCase {
    double lat1, lon1, lat2, lon2;
    double meters;
};

class OwnTrackDistance : public testing::TestWithParam<DistanceCase> {};

TEST_P(OwnTrackDistance, GreatCircleOnTheSphere)
{
    const DistanceCase& c = GetParam();
    EXPECT_NEAR(OwnTrack::distanceMeters(c.lat1, c.lon1, c.lat2, c.lon2), c.meters, 0.5);
}

// Worked out with the spherical law of cosines, radius 6371 km.
INSTANTIATE_TEST_SUITE_P(Pairs, OwnTrackDistance, testing::Values(
    DistanceCase{0.0, 0.0, 0.0, 1.0, 111194.9},   // a degree of the equator
    DistanceCase{54.0, 10.0, 54.0, 11.0, 65358.2},
    DistanceCase{60.0, -1.0, 60.0, 1.0, 111190.7},
    DistanceCase{53.5, 9.9, 54.5, 11.9, 171602.3}));

} // namespace
