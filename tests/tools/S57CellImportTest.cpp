// The ENC import against the NOAA Key West cell, checked with GDAL's own
// ogrinfo as the independent reader.
#include "ChartBuilder.h"
#include "S57Cell.h"
#include "S57ChartSource.h"
#include "S57Import.h"

#include "chartdata/ChartHeader.h"
#include "chartdata/LineFile.h"
#include "chartdata/PointFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace kesmar;
using namespace kesmar::chartbuild;

namespace {

const QString kCell = QStringLiteral(KESMAR_SHARED_DIR "/seadata/enc/US5FL4DQ.000");

// ogrinfo's text for the cell, soundings one per feature with their depth.
QString ogrinfo(const QStringList& args, bool quiet = true)
{
    QProcess p;
    p.start(QStringLiteral("ogrinfo"), QStringList{"-ro", quiet ? "-q" : "-ro", "-oo", "SPLIT_MULTIPOINT=ON", "-oo",
                                                   "ADD_SOUNDG_DEPTH=ON", kCell} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

int ogrCount(const QString& layer, const QString& where = {})
{
    QStringList args{"-so", layer};
    if (!where.isEmpty())
        args = QStringList{"-so", "-where", where, layer};
    const auto m = QRegularExpression(QStringLiteral("Feature Count: (\\d+)")).match(ogrinfo(args, false));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Chart units of a position as the chart format defines them.
ChartPoint units(double lon, double lat)
{
    return {int32_t(std::lround(-lat * 60000.0)), int32_t(std::lround(lon * 60000.0))};
}

bool near(ChartPoint a, ChartPoint b, int within = 1)
{
    return std::abs(a.y - b.y) <= within && std::abs(a.x - b.x) <= within;
}

// The cell imported once into a chart in a temporary program folder.
class KeyWestCell : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir;
        Result<S57Cell> cell = S57Cell::read(kCell);
        ASSERT_TRUE(cell.ok()) << cell.error().describe().toStdString();
        cell_ = new S57Cell(std::move(cell).value());
        ChartBuilder chart(QStringLiteral("KEYWEST"), cell_->extent);
        source_ = new S57ChartSource;
        QString error;
        ASSERT_TRUE(source_->add(*cell_, chart, &error)) << error.toStdString();
        ASSERT_TRUE(source_->finish(chart, 255, &error)) << error.toStdString();
        ASSERT_TRUE(chart.write(folder_->filePath("CHARTDATA"), nullptr, &error)) << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete source_;
        delete cell_;
        delete folder_;
    }

    static std::vector<PointRecord> records()
    {
        Result<PointFile> file = PointFile::load(folder_->path(), QStringLiteral("KEYWEST"));
        EXPECT_TRUE(file.ok());
        std::vector<PointRecord> out;
        if (!file)
            return out;
        for (const PointBlockEntry& b : file->blocks())
            for (int i = 0; i < file->recordCount(b); ++i)
                if (auto r = file->record(b, i))
                    out.push_back(*r);
        return out;
    }

    // Every point of line layer k.
    static std::vector<ChartPoint> layerPoints(int k)
    {
        const auto header = ChartHeader::readFile(folder_->filePath("CHARTDATA/KEYWEST.HDR"));
        Result<LineFile> lines = LineFile::load(folder_->path(), QStringLiteral("KEYWEST"));
        std::vector<ChartPoint> out;
        if (!header || !lines || !header->hasLayer(k))
            return out;
        LineSection s = lines->section(header->layerOffset[size_t(k)]);
        std::vector<ChartPoint> buffer(1024);
        for (LineIndexEntry e; s.next(e);) {
            const int n = lines->decode(e, buffer);
            out.insert(out.end(), buffer.begin(), buffer.begin() + std::max(n, 0));
        }
        return out;
    }

    static QTemporaryDir* folder_;
    static S57Cell* cell_;
    static S57ChartSource* source_;
};

QTemporaryDir* KeyWestCell::folder_ = nullptr;
S57Cell* KeyWestCell::cell_ = nullptr;
S57ChartSource* KeyWestCell::source_ = nullptr;

} // namespace

TEST_F(KeyWestCell, CellIdentityAndExtent)
{
    EXPECT_EQ(cell_->name, QStringLiteral("US5FL4DQ.000"));
    EXPECT_EQ(cell_->compilationScale, 10000);
    EXPECT_EQ(cell_->usageBand, 5);
    EXPECT_NEAR(cell_->extent.west, -81.9, 1e-6);
    EXPECT_NEAR(cell_->extent.east, -81.825, 1e-6);
    EXPECT_NEAR(cell_->extent.south, 24.525, 1e-6);
    EXPECT_NEAR(cell_->extent.north, 24.6, 1e-6);
    const auto header = ChartHeader::readFile(folder_->filePath("CHARTDATA/KEYWEST.HDR"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->box(), (ChartBox{units(-81.9, 24.6).y, units(-81.9, 24.6).x, units(-81.825, 24.525).y,
                                       units(-81.825, 24.525).x}));
}

TEST_F(KeyWestCell, MappedObjectsCountAsOgrinfoCountsTheirClasses)
{
    const std::map<QString, QString> classes{
        {"LNDARE", ""}, {"COALNE", ""}, {"DEPCNT", ""}, {"DEPARE", "DRVAL1 < 0"}, {"SOUNDG", ""},
        {"LIGHTS", ""}, {"BCNLAT", ""}, {"BCNSPP", ""}, {"BOYLAT", ""}, {"WRECKS", ""},
        {"OBSTRN", ""}, {"UWTROC", ""}};
    for (const auto& [cls, where] : classes) {
        const int expected = ogrCount(cls, where);
        EXPECT_GT(expected, 0) << cls.toStdString();
        EXPECT_EQ(source_->mapped().value(cls), expected) << cls.toStdString();
    }
    EXPECT_EQ(ogrCount(QStringLiteral("SOUNDG")), 1792);  // the README's count
    EXPECT_EQ(source_->mapped().value(QStringLiteral("SBDARE")), 0);  // seabed areas are left out
}

TEST_F(KeyWestCell, FiveMetreContourLiesInTheFiveMetreLayer)
{
    // Key West charts its contours in fathoms: 3 fathoms = 5.4 m.
    const QString text = ogrinfo({"-where", "VALDCO = 5.4", "DEPCNT"});
    const QRegularExpression line(QStringLiteral("LINESTRING \\(([^)]*)\\)"));
    std::vector<ChartPoint> vertices;
    for (auto it = line.globalMatch(text); it.hasNext();) {
        const QStringList coords = it.next().captured(1).split(QLatin1Char(','));
        const QStringList mid = coords[coords.size() / 2].trimmed().split(QLatin1Char(' '));
        vertices.push_back(units(mid[0].toDouble(), mid[1].toDouble()));
    }
    ASSERT_EQ(int(vertices.size()), ogrCount(QStringLiteral("DEPCNT"), QStringLiteral("VALDCO = 5.4")));
    const auto layer5 = layerPoints(1), layer2 = layerPoints(2), layer10 = layerPoints(0);
    for (const ChartPoint& v : vertices) {
        auto at = [&](const std::vector<ChartPoint>& pts) {
            return std::any_of(pts.begin(), pts.end(), [&](ChartPoint p) { return near(p, v); });
        };
        EXPECT_TRUE(at(layer5)) << v.y << "," << v.x;
        EXPECT_FALSE(at(layer2) || at(layer10)) << v.y << "," << v.x;
    }
}

TEST_F(KeyWestCell, SoundingsKeepTheirDepths)
{
    const QRegularExpression point(QStringLiteral("POINT Z \\(([-0-9.]+) ([-0-9.]+) ([-0-9.]+)\\)"));
    std::vector<std::pair<ChartPoint, double>> soundings;
    for (auto it = point.globalMatch(ogrinfo({"SOUNDG"})); it.hasNext();) {
        const auto m = it.next();
        soundings.push_back({units(m.captured(1).toDouble(), m.captured(2).toDouble()), m.captured(3).toDouble()});
    }
    ASSERT_EQ(soundings.size(), 1792u);
    int checked = 0;
    for (const PointRecord& r : records()) {
        if (r.objectType() != PointRecord::kTypeSounding)
            continue;
        const auto s = std::find_if(soundings.begin(), soundings.end(),
                                    [&](const auto& e) { return e.first == r.position(); });
        ASSERT_NE(s, soundings.end()) << r.y() << "," << r.x();
        // Decimetres, cut: 3.69 m is charted as 3.6.
        EXPECT_EQ(r.modifier(), int(std::floor(s->second * 10.0 + 1e-6))) << s->second;
        ++checked;
    }
    EXPECT_EQ(checked, 1792);
}

TEST_F(KeyWestCell, LightsKeepTheirCharacteristics)
{
    // Positions and attributes as ogrinfo shows them (LITCHR, COLOUR, SIGPER).
    struct Light {
        double lon, lat;
        const char* characteristic;
    };
    const Light lights[] = {
        {-81.8535125, 24.5905575, "Fl.R.6s"},   // LITCHR 2, red, 6 s
        {-81.8285436, 24.5578428, "Fl.R.2.5s"}, // LITCHR 2, red, 2.5 s
        {-81.8402683, 24.5819408, "Fl.G.4s"},   // LITCHR 2, green, 4 s
        {-81.8289203, 24.5672683, "Fl.G.2.5s"}, // LITCHR 2, green, 2.5 s
        {-81.8390412, 24.5599915, "Iso.W.6s"},  // LITCHR 7, white, 6 s
    };
    const std::vector<PointRecord> all = records();
    for (const Light& l : lights) {
        const ChartPoint at = units(l.lon, l.lat);
        const auto r = std::find_if(all.begin(), all.end(), [&](const PointRecord& p) {
            return near(p.position(), at, 2) && p.objectType() != PointRecord::kTypeSounding;
        });
        ASSERT_NE(r, all.end()) << l.characteristic;
        EXPECT_TRUE(r->modifier() & 0x40) << l.characteristic;  // the light bit
        const QString text = QString::fromLatin1(r->text());
        EXPECT_TRUE(text.split(QLatin1Char(' ')).contains(QLatin1String(l.characteristic)))
            << l.characteristic << " in " << text.toStdString();
    }
}

TEST(S57ChartSource, ContourLayerIsTheNearestAtOrAbove)
{
    const std::pair<double, int> rows[] = {{25.0, 0}, {10.0, 0}, {9.9, 1}, {9.1, 1}, {5.4, 1}, {5.0, 1},
                                           {4.9, 2}, {3.6, 2}, {2.0, 2}, {1.8, 2}, {0.0, 2}};
    for (const auto& [metres, layer] : rows)
        EXPECT_EQ(S57ChartSource::contourLayer(metres), layer) << metres;
}

TEST(S57ChartSource, SoundingRecordsByDepth)
{
    const ChartPoint at{-1474000, -4911000};
    struct Row {
        double metres;
        int type;
        int modifier;
        const char* text;
    };
    const Row rows[] = {
        {3.6, 62, 36, ""}, {3.69, 62, 36, ""}, {0.0, 62, 0, ""}, {25.5, 62, 255, ""},
        {25.6, 63, 0, "25"}, {47.9, 63, 0, "47"}, {-0.35, 63, 0, "-0.4"},
    };
    for (const Row& row : rows) {
        const auto r = S57ChartSource::sounding(row.metres, at, 190);
        ASSERT_TRUE(r) << row.metres;
        EXPECT_EQ(r->objectType(), row.type) << row.metres;
        EXPECT_EQ(r->modifier(), row.modifier) << row.metres;
        EXPECT_EQ(r->text(), QByteArray(row.text)) << row.metres;
        EXPECT_EQ(r->level(), 190);
        EXPECT_EQ(r->position(), at);
    }
}

TEST(S57ChartSource, LevelFromBandAndScamin)
{
    S57Object harbour;
    harbour.scaleBand = 5;
    EXPECT_EQ(S57ChartSource::level(harbour), 188);  // the band's level
    harbour.attributes.insert(QStringLiteral("SCAMIN"), QStringLiteral("89999"));
    EXPECT_EQ(S57ChartSource::level(harbour), 188);  // SCAMIN coarser than the band: the band
    harbour.attributes.insert(QStringLiteral("SCAMIN"), QStringLiteral("21999"));
    // 1:21 999 is 0.00314 minutes per pixel: zoom level 14, drawn fully from level (14 + 1) x 13.47.
    EXPECT_EQ(S57ChartSource::level(harbour), 202);
}

TEST(S57ChartSource, ListingNamesCountsAndTargets)
{
    Result<S57Cell> cell = S57Cell::read(kCell);
    ASSERT_TRUE(cell.ok());
    const QStringList lines = listCell(*cell).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("DEPARE     97  -> tidal flats (layer 3) where drying (DRVAL1 < 0): %1 mapped")
                                   .arg(ogrCount(QStringLiteral("DEPARE"), QStringLiteral("DRVAL1 < 0")))));
    EXPECT_TRUE(lines.contains(QStringLiteral("SBDARE    118  -> left out")));
    EXPECT_TRUE(lines.filter(QRegularExpression(QStringLiteral("^SOUNDG +1792  -> soundings.*: 1792 mapped$")))
                    .size() == 1);
}

TEST(S57Import, SeveralCellsMakeOneBoxAtTheCoarsestScale)
{
    S57Cell harbour, approach;
    harbour.extent = {-81.9, -81.825, 24.525, 24.6};
    harbour.compilationScale = 10000;
    approach.extent = {-82.0, -81.85, 24.4, 24.55};
    approach.compilationScale = 40000;
    const GeoBox box = cellsBox({harbour, approach});
    EXPECT_EQ(box.west, -82.0);
    EXPECT_EQ(box.east, -81.825);
    EXPECT_EQ(box.south, 24.4);
    EXPECT_EQ(box.north, 24.6);
    EXPECT_EQ(cellsScale({harbour, approach}), 40000);
    EXPECT_TRUE(isEncCell(QStringLiteral("/charts/US5FL4DQ.000")));
    EXPECT_FALSE(isEncCell(QStringLiteral("/charts/US5FL4DQ.001")));
    EXPECT_FALSE(isEncCell(QStringLiteral("data/bsh/BOYLAT.json")));
}

TEST(S57Import, ToolBuildsTheCellInItsExtentWithItsScale)
{
    QTemporaryDir dir;
    QProcess tool;
    tool.start(QStringLiteral(KESMAR_CHARTBUILD_TOOL), {"--name", "KeyWest", "--out", dir.path(), "--s57", kCell});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    EXPECT_EQ(files, (QStringList{"KEYWEST.BPT", "KEYWEST.BWP", "KEYWEST.HDR", "KEYWEST.LIN", "KEYWEST.WPN"}));
    QFile header(dir.filePath("KEYWEST.HDR"));
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    const QByteArray bytes = header.readAll();
    const auto h = ChartHeader::fromBytes({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
    ASSERT_TRUE(h);
    EXPECT_EQ(h->box(), (ChartBox{-1476000, -4914000, -1471500, -4909500}));
    // 1:10 000 in the spare bytes 56-59, little-endian.
    EXPECT_EQ(bytes.mid(56, 4), QByteArray::fromHex("10270000"));
}
