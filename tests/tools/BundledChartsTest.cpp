// Checks the chart set that scripts/build-charts makes from GSHHG: it loads
// into the catalogue, every record keeps the format's limits and every point
// lies inside its record's box and its chart's box; the demo track stays on
// water. Skipped when the set was not built (no GMT on this machine).
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartHeader.h"
#include "chartdata/LineFile.h"
#include "chartdata/PackedPointRecord.h"
#include "chartdata/PointFile.h"
#include "core/FileUtil.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdio>

using namespace kesmar;

namespace {

const QString kFolder = QStringLiteral(KESMAR_BUNDLED_DIR);

bool built()
{
    return QFileInfo::exists(kFolder + "/CHARTDATA/WORLDMAP.HDR");
}

bool inside(const ChartPoint& p, const ChartBox& b)
{
    return p.y >= b.top && p.y <= b.bottom && p.x >= b.left && p.x <= b.right;
}

bool inside(const ChartBox& a, const ChartBox& b)
{
    return a.top >= b.top && a.bottom <= b.bottom && a.left >= b.left && a.right <= b.right;
}

bool insideRing(std::span<const ChartPoint> r, double y, double x)
{
    bool in = false;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        const double yi = r[i].y, xi = r[i].x, yj = r[j].y, xj = r[j].x;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

struct SectionStats {
    int records = 0;
    int points = 0;
};

SectionStats checkSection(const LineFile& file, int32_t offset, const ChartBox& chartBox, const char* what)
{
    SectionStats stats;
    std::vector<ChartPoint> buf(PackedPointRecord::kMaxPoints);
    int32_t lastTop = INT32_MIN;
    LineSection s = file.section(offset);
    for (LineIndexEntry e; s.next(e);) {
        SCOPED_TRACE(std::string(what) + " record " + std::to_string(stats.records));
        EXPECT_GE(e.yMin, lastTop) << "sections are sorted north to south";
        lastTop = e.yMin;
        EXPECT_LE(e.pointCount, PackedPointRecord::kMaxPoints);
        EXPECT_GE(e.byteLength, 1);
        EXPECT_LE(e.byteLength, PackedPointRecord::kMaxBytes);
        EXPECT_TRUE(inside(e.box(), chartBox));
        const int n = file.decode(e, buf);
        EXPECT_EQ(n, e.pointCount);
        int outside = 0;
        for (int i = 0; i < n; ++i)
            outside += !(inside(buf[size_t(i)], e.box()) && inside(buf[size_t(i)], chartBox));
        EXPECT_EQ(outside, 0);
        ++stats.records;
        stats.points += n;
    }
    return stats;
}

} // namespace

TEST(BundledCharts, LoadIntoTheCatalogue)
{
    ASSERT_TRUE(built()) << "bundled charts not built (fixture bundled_charts_build)";
    ChartCatalogue catalogue;
    EXPECT_TRUE(catalogue.addDefaultSet(kFolder).empty());
    EXPECT_EQ(catalogue.count(), 6);
    EXPECT_EQ(catalogue.entry(0).name, QStringLiteral("WORLDMAP"));
}

TEST(BundledCharts, RecordsRespectTheLimits)
{
    ASSERT_TRUE(built()) << "bundled charts not built (fixture bundled_charts_build)";
    for (const QString& name : ChartCatalogue::defaultChartNames()) {
        SCOPED_TRACE(name.toStdString());
        const auto header = ChartHeader::readFile(ChartHeader::pathFor(kFolder, name));
        ASSERT_TRUE(header);
        const ChartBox box = header->box();
        const Result<LineFile> loaded = LineFile::load(kFolder, name);
        ASSERT_TRUE(loaded.ok());
        const LineFile& file = *loaded;
        SectionStats total = checkSection(file, 0, box, "base");
        EXPECT_EQ(total.records, 1);
        EXPECT_TRUE(header->hasLayer(4));
        for (int k = 0; k < ChartHeader::kLayerCount; ++k) {
            if (!header->hasLayer(k))
                continue;
            const SectionStats s = checkSection(file, header->layerOffset[size_t(k)], box, "layer");
            EXPECT_GT(s.records, 0) << "layer " << k;
            total.records += s.records;
            total.points += s.points;
        }
        int pointRecords = 0;
        if (const auto points = PointFile::load(kFolder, name)) {
            for (const PointBlockEntry& b : points->blocks()) {
                ASSERT_EQ(points->recordCount(b), b.count);
                EXPECT_TRUE(inside(b.box(), box));
                int32_t lastY = INT32_MIN;
                for (int i = 0; i < b.count; ++i) {
                    const PointRecord r = *points->record(b, i);
                    EXPECT_GE(r.y(), lastY);
                    lastY = r.y();
                    EXPECT_TRUE(inside(r.position(), b.box()) && inside(r.position(), box));
                    EXPECT_LE(r.size(), 127u);  // 128 would show an empty text
                }
                pointRecords += b.count;
            }
        }
        const qint64 bytes = QFileInfo(kFolder + "/CHARTDATA/" + name + ".LIN").size()
                           + QFileInfo(kFolder + "/CHARTDATA/" + name + ".WPN").size();
        std::printf("%-9s %8lld bytes (.WPN+.LIN) %6d records %7d points %3d point records\n",
                    qPrintable(name), static_cast<long long>(bytes), total.records, total.points, pointRecords);
    }
}

TEST(BundledCharts, DemoTrackStaysOnWater)
{
    ASSERT_TRUE(built()) << "bundled charts not built (fixture bundled_charts_build)";
    const auto text = readWholeFile(kFolder + "/DEMOCOOR.DAT");
    ASSERT_TRUE(text);
    const QList<QByteArray> lines = text->trimmed().split('\n');
    ASSERT_GT(lines.size(), 100);
    ASSERT_LE(lines.size(), 2000);
    const auto header = ChartHeader::readFile(ChartHeader::pathFor(kFolder, "NORDS-S"));
    ASSERT_TRUE(header);
    const Result<LineFile> loaded = LineFile::load(kFolder, "NORDS-S");
    ASSERT_TRUE(loaded.ok());
    const LineFile& file = *loaded;
    std::vector<std::vector<ChartPoint>> land;
    std::vector<ChartPoint> buf(PackedPointRecord::kMaxPoints);
    LineSection s = file.section(header->layerOffset[4]);
    for (LineIndexEntry e; s.next(e);)
        if (e.yMin <= -3'200'000 && e.yMax >= -3'270'000 && e.xMin <= 530'000 && e.xMax >= 460'000) {
            const int n = file.decode(e, buf);
            land.emplace_back(buf.begin(), buf.begin() + n);
        }
    ASSERT_FALSE(land.empty());
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.startsWith("$GPGGA,")) << line.toStdString();
        const double lat = line.mid(14, 2).toDouble() * 60 + line.mid(16, 6).toDouble();
        const double lon = line.mid(25, 3).toDouble() * 60 + line.mid(28, 6).toDouble();
        const double y = -lat * 1000;
        const double x = lon * 1000;
        ASSERT_TRUE(inside(ChartPoint{int32_t(y), int32_t(x)}, header->box()));
        for (const auto& ring : land)
            ASSERT_FALSE(insideRing(ring, y, x)) << "on land: " << line.toStdString();
    }
}
