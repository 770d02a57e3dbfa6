#include "chartdata/ChartCatalogue.h"

#include "core/ByteReader.h"
#include "core/QtBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

using namespace kesmar;

namespace {

ChartHeader headerFor(const ChartBox& box)
{
    ChartHeader h;
    h.setBox(box);
    return h;
}

// A catalogue whose view is 1000 x 1000 pixels: a chart 4000 minutes wide
// has the natural scale 1.0.
ChartCatalogue catalogue()
{
    ChartCatalogue c;
    c.setViewSize(1000, 1000);
    return c;
}

// A box `minutes` wide and half as high, north-west corner at (top, left).
ChartBox box(int top, int left, double minutes)
{
    const int w = int(minutes * 1000);
    return {top, left, top + w / 2, left + w};
}

QStringList names(const ChartCatalogue& c)
{
    QStringList out;
    for (const ChartEntry& e : c.entries())
        out << e.name;
    return out;
}

uint16_t flagsOf(const ChartCatalogue& c, const QString& name)
{
    return c.entry(c.indexOf(name)).flags & 0xFF;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ChartHeader, RoundTripsAtItsOffsets)
{
    ChartHeader h = headerFor({-3'000'000, 200'000, -2'800'000, 600'000});
    h.layerOffset[3] = 0x01020304;
    h.reserved = {1, 2, 3, 4, 5, 6, 7, 8};
    const QByteArray bytes = h.toBytes();
    ASSERT_EQ(bytes.size(), 64);
    ByteReader in(bytes.constData(), size_t(bytes.size()));
    int32_t v = 0;
    in.seek(8);
    in.i32(v);
    EXPECT_EQ(v, -2'800'000);
    in.seek(28);
    in.i32(v);
    EXPECT_EQ(v, 0x01020304);
    EXPECT_EQ(uint8_t(bytes[56]), 1);
    EXPECT_EQ(ChartHeader::fromBytes(byteSpan(bytes).first(64)), h);
    EXPECT_FALSE(h.hasLayer(0));
    EXPECT_TRUE(h.hasLayer(3));
}

TEST(ChartHeader, ShortOrMissingFileIsAMissingHeader)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("CHARTDATA"));
    const QString shortPath = dir.filePath("CHARTDATA/SHORT.HDR");
    writeFile(shortPath, QByteArray(63, '\1'));
    writeFile(dir.filePath("CHARTDATA/long.hdr"), headerFor(box(0, 0, 10)).toBytes() + QByteArray(100, '\7'));

    ChartCatalogue c = catalogue();
    for (const char* name : {"SHORT", "NOPE"}) {
        const std::optional<ChartError> error = c.addChart(dir.path(), QString::fromLatin1(name));
        ASSERT_TRUE(error) << name;
        EXPECT_EQ(error->kind, ChartError::Kind::HeaderMissing);
        EXPECT_EQ(error->message(), QStringLiteral("OPEN ERROR CHART HEADER %1.HDR").arg(name));
    }
    // A header is no record file: a reused error names no record afterwards.
    ChartError reused;
    reused.record = 7;
    EXPECT_FALSE(ChartHeader::readFile(shortPath, &reused));
    EXPECT_EQ(reused.record, -1);
    EXPECT_EQ(reused.chart, QStringLiteral("SHORT"));
    EXPECT_EQ(reused.describe(), shortPath + QStringLiteral(": 63 bytes, 64 expected"));
    EXPECT_TRUE(c.isEmpty());
    // The header file is found whatever its case; bytes after 64 are ignored.
    EXPECT_FALSE(c.addChart(dir.path(), QStringLiteral("LONG")));
    EXPECT_EQ(c.entry(0).box(), box(0, 0, 10));
    EXPECT_FALSE(c.addChart(dir.path(), QString())); // an empty name does nothing
    EXPECT_EQ(c.count(), 1);
}

TEST(ChartEntry, RecordLayoutAndUnterminatedName)
{
    ChartEntry e;
    e.header = headerFor(box(-100, -200, 4));
    e.visibleBox = {1, 2, 3, 4};
    e.scale = 0.5;
    e.flags = 0x8001;
    e.name = QStringLiteral("NORDS-S");
    QByteArray bytes = e.toBytes();
    ASSERT_EQ(bytes.size(), 162);
    ByteReader in(bytes.constData(), size_t(bytes.size()));
    double scale = 0;
    uint16_t flags = 0;
    in.seek(80);
    in.f64(scale);
    in.u16(flags);
    EXPECT_EQ(scale, 0.5);
    EXPECT_EQ(flags, 0x8001);
    EXPECT_EQ(bytes.mid(93, 8), QByteArray("NORDS-S\0", 8));

    bytes.replace(93, 69, QByteArray(69, 'A'));
    const auto back = ChartEntry::fromBytes(byteSpan(bytes).first(162));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, QString(68, 'A'));
    EXPECT_EQ(back->visibleBox, (ChartBox{1, 2, 3, 4}));
    EXPECT_FALSE(ChartEntry::fromBytes(byteSpan(bytes).first(161)));
}

TEST(ChartCatalogue, SortsCoarsestFirstThenNorthThenWest)
{
    ChartCatalogue c = catalogue();
    c.addHeader("FINE", headerFor(box(0, 0, 400)));          // 0.1
    c.addHeader("SOUTH", headerFor(box(500, 0, 4000)));      // 1.0, further south
    c.addHeader("EAST", headerFor(box(0, 900, 4000)));       // 1.0, further east
    c.addHeader("WEST", headerFor(box(0, -900, 4000)));      // 1.0
    c.addHeader("COARSE", headerFor(box(0, 0, 40000)));      // 10.0
    EXPECT_EQ(names(c), QStringList({"COARSE", "WEST", "EAST", "SOUTH", "FINE"}));
    EXPECT_DOUBLE_EQ(c.entry(0).scale, 10.0);

    // Taller than wide: the height counts, through the vertical factor.
    EXPECT_DOUBLE_EQ(c.naturalScale({0, 0, 710'000, 100'000}), 0.25);
    // Square: the width counts, without the vertical factor (4000 / 1000 * 0.25).
    EXPECT_DOUBLE_EQ(c.naturalScale({0, 0, 4'000'000, 4'000'000}), 1.0);
}

TEST(ChartCatalogue, DuplicateNamesIgnoringCaseLeaveOne)
{
    struct Case { const char* title; std::vector<std::pair<const char*, double>> adds; QStringList expected; };
    const Case cases[] = {
        // The coarse twin bubbles up until it meets the first one and is dropped there.
        {"meet", {{"NORDS-S", 4000}, {"OTHER", 2000}, {"nords-s", 40000}}, {"NORDS-S", "OTHER"}},
        // Neighbours at once: the earlier one stays.
        {"neighbours", {{"A", 4000}, {"a", 400}}, {"A"}},
        // The twin never meets the first one while sorting; it must go all the same.
        {"apart", {{"NORDS-S", 4000}, {"OTHER", 2000}, {"Nords-S", 400}}, {"NORDS-S", "OTHER"}},
    };
    for (const Case& t : cases) {
        ChartCatalogue c = catalogue();
        for (const auto& [name, minutes] : t.adds)
            c.addHeader(QString::fromLatin1(name), headerFor(box(0, 0, minutes)));
        EXPECT_EQ(names(c), t.expected) << t.title;
    }

    ChartCatalogue c = catalogue();
    c.addHeader("OTHER", headerFor(box(0, 0, 400)));
    EXPECT_FALSE(c.removeChart(QStringLiteral("other"))); // removal is case-sensitive
    EXPECT_TRUE(c.removeChart(QStringLiteral("OTHER")));
    EXPECT_TRUE(c.isEmpty());

    // The last entry removed is gone for the lookup as well, although its slot
    // is still allocated behind the end.
    ChartCatalogue d = catalogue();
    d.addHeader(QStringLiteral("COARSE"), headerFor(box(0, 0, 4000)));
    d.addHeader(QStringLiteral("FINE"), headerFor(box(0, 0, 400)));
    ASSERT_EQ(names(d), QStringList({"COARSE", "FINE"}));
    EXPECT_TRUE(d.removeChart(QStringLiteral("FINE")));
    EXPECT_EQ(d.indexOf(QStringLiteral("FINE")), -1);
    EXPECT_FALSE(d.removeChart(QStringLiteral("FINE")));
    EXPECT_EQ(d.indexOf(QStringLiteral("COARSE")), 0);
}

TEST(ChartCatalogue, RefusesTheHundredAndFirstChartAndLongNames)
{
    ChartCatalogue c = catalogue();
    for (int i = 0; i < 100; ++i)
        ASSERT_FALSE(c.addHeader(QStringLiteral("C%1").arg(i), headerFor(box(i, 0, 10))));
    const std::optional<ChartError> full = c.addHeader("C100", headerFor(box(0, 0, 10)));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->kind, ChartError::Kind::CatalogueFull);
    EXPECT_TRUE(full->message().contains(QStringLiteral("100")));
    EXPECT_EQ(c.count(), 100);

    ChartCatalogue d = catalogue();
    EXPECT_FALSE(d.addHeader(QString(68, 'N'), headerFor(box(0, 0, 10))));
    const std::optional<ChartError> tooLong = d.addHeader(QString(69, 'N'), headerFor(box(0, 0, 10)));
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->kind, ChartError::Kind::NameTooLong);
    EXPECT_EQ(d.count(), 1);
}

TEST(ChartCatalogue, SelectionTouchingContainingSuppressingAndWorldMap)
{
    const ChartBox view{0, 0, 1'000'000, 2'000'000};
    ChartCatalogue c = catalogue();
    c.addHeader("WORLDMAP", headerFor({-5'400'000, -10'800'000, 5'400'000, 10'800'000}));
    c.addHeader("EQUAL", headerFor(view));                                     // touches only
    c.addHeader("AROUND", headerFor({-10'000, -10'000, 1'010'000, 2'010'000})); // strictly contains
    c.addHeader("BIG", headerFor({-500'000, -500'000, 1'500'000, 6'000'000}));  // contains, coarser
    c.addHeader("PART", headerFor({100'000, 100'000, 200'000, 300'000}));       // finer, partial
    c.addHeader("EDGE", headerFor({1'000'000, 2'000'000, 1'100'000, 2'100'000})); // corner touches
    c.addHeader("AWAY", headerFor({1'000'001, 0, 1'100'000, 100'000}));        // misses by one
    c.rescaleAll();
    c.selectForBox(view, 0.01);

    EXPECT_EQ(c.chartsAvailable(), ChartCatalogue::AnyVisible | ChartCatalogue::BestFound);
    EXPECT_EQ(flagsOf(c, "AROUND"), ChartEntry::Visible | ChartEntry::Best);
    EXPECT_EQ(flagsOf(c, "EQUAL"), ChartEntry::Visible); // equal scale-wise finer: stays drawn
    EXPECT_EQ(flagsOf(c, "BIG"), ChartEntry::Visible | ChartEntry::Suppressed);
    EXPECT_EQ(flagsOf(c, "WORLDMAP"), ChartEntry::Visible | ChartEntry::Suppressed);
    EXPECT_EQ(flagsOf(c, "PART"), ChartEntry::Visible);
    EXPECT_EQ(flagsOf(c, "EDGE"), ChartEntry::Visible);
    EXPECT_EQ(flagsOf(c, "AWAY"), 0);
    EXPECT_EQ(c.entry(c.indexOf("BIG")).visibleBox, view);
    EXPECT_EQ(c.entry(c.indexOf("EDGE")).visibleBox, (ChartBox{1'000'000, 2'000'000, 1'000'000, 2'000'000}));
    EXPECT_TRUE(c.entry(c.indexOf("PART")).isDrawable());
    EXPECT_FALSE(c.entry(c.indexOf("BIG")).isDrawable());

    // Zoomed out beyond every chart but the world map: only it remains.
    c.selectForBox(view, 1000.0);
    for (const ChartEntry& e : c.entries())
        EXPECT_EQ(e.flags & 0xFF, e.isWorldMap() ? ChartEntry::Visible | ChartEntry::Best : 0)
            << e.name.toStdString();
    EXPECT_EQ(c.chartsAvailable(), ChartCatalogue::AnyVisible | ChartCatalogue::BestFound);
}

TEST(ChartCatalogue, NoContainingChartMeansNothingSuppressedAndBlockedChartsStayOut)
{
    ChartCatalogue c = catalogue();
    c.addHeader("LEFT", headerFor({0, 0, 1'000'000, 1'000'000}));
    c.addHeader("RIGHT", headerFor({0, 900'000, 1'000'000, 3'000'000}));
    c.addHeader("LINLOST", headerFor({-1, -1, 2'000'000, 4'000'000}));
    c.setFlags(c.indexOf("LINLOST"), ChartEntry::LinFailed);
    c.selectForBox({100, 100, 500'000, 2'000'000}, 0.0001);
    EXPECT_EQ(c.chartsAvailable(), ChartCatalogue::AnyVisible);
    EXPECT_EQ(flagsOf(c, "LEFT"), ChartEntry::Visible);
    EXPECT_EQ(flagsOf(c, "RIGHT"), ChartEntry::Visible);
    EXPECT_EQ(flagsOf(c, "LINLOST"), 0);
    // Until the next rescale, which clears the error marks.
    c.rescaleAll();
    c.selectForBox({100, 100, 500'000, 2'000'000}, 0.0001);
    EXPECT_EQ(flagsOf(c, "LINLOST"), ChartEntry::Visible | ChartEntry::Best);

    ChartCatalogue empty = catalogue();
    empty.rescaleAll();
    empty.selectForBox({0, 0, 1, 1}, 1.0);
    EXPECT_EQ(empty.chartsAvailable(), 0u);
}

TEST(ChartCatalogue, BestChartMustContainTheViewStrictlyOnEverySide)
{
    const ChartBox view{100, 100, 500'000, 2'000'000};
    struct Case { const char* title; ChartBox box; uint32_t available; uint16_t flags; };
    const Case cases[] = {
        {"inside", {99, 99, 500'001, 2'000'001}, ChartCatalogue::AnyVisible | ChartCatalogue::BestFound,
         ChartEntry::Visible | ChartEntry::Best},
        {"top equal", {100, 99, 500'001, 2'000'001}, ChartCatalogue::AnyVisible, ChartEntry::Visible},
        {"left equal", {99, 100, 500'001, 2'000'001}, ChartCatalogue::AnyVisible, ChartEntry::Visible},
        {"bottom equal", {99, 99, 500'000, 2'000'001}, ChartCatalogue::AnyVisible, ChartEntry::Visible},
        {"right equal", {99, 99, 500'001, 2'000'000}, ChartCatalogue::AnyVisible, ChartEntry::Visible},
    };
    for (const Case& t : cases) {
        ChartCatalogue c = catalogue();
        c.addHeader(QStringLiteral("ONE"), headerFor(t.box));
        c.selectForBox(view, 0.0001);
        EXPECT_EQ(c.chartsAvailable(), t.available) << t.title;
        EXPECT_EQ(flagsOf(c, "ONE"), t.flags) << t.title;
    }
}

TEST(ChartCatalogue, WorldMapGetsTheWorldScaleOnRescale)
{
    ChartCatalogue c = catalogue();
    c.addHeader("worldmap", headerFor({-100, -100, 100, 100}));
    c.rescaleAll();
    EXPECT_DOUBLE_EQ(c.entry(0).scale, 21.6);
}

TEST(ChartCatalogue, ListRoundTripsAndGarbageNeverCrashes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("CHARTDATA"));
    ChartCatalogue c = catalogue();
    EXPECT_FALSE(c.saveList(dir.path())); // empty: nothing written
    EXPECT_FALSE(QFile::exists(ChartCatalogue::listPath(dir.path())));
    c.addHeader("EUROPA", headerFor(box(-4'000'000, -1'000'000, 5000)));
    c.addHeader("BALT-S", headerFor(box(-3'500'000, 600'000, 900)));
    ASSERT_FALSE(c.saveList(dir.path()));
    ChartCatalogue back;
    ASSERT_TRUE(back.loadList(dir.path()));
    EXPECT_EQ(back.listBytes(), c.listBytes());
    EXPECT_EQ(names(back), names(c));

    std::mt19937 random(7);
    for (int size : {0, 161, 162, 163, 1000, 162 * 130}) {
        QByteArray junk(size, 0);
        for (char& ch : junk)
            ch = char(random());
        ChartCatalogue g;
        g.readList(byteSpan(junk));
        EXPECT_EQ(g.count(), std::min(size / 162, 100)) << size;
        for (const ChartEntry& e : g.entries())
            EXPECT_LE(e.name.size(), 68);
        g.rescaleAll();
        g.selectForBox({-1000, -1000, 1000, 1000}, 0.5);
        g.sort();
    }
    EXPECT_FALSE(ChartCatalogue().loadList(dir.filePath("missing")));
}
