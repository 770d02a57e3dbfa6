#include "chartdata/LineFile.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/LineFileWriter.h"
#include "chartdata/PackedPointRecord.h"

#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace kesmar;

namespace {

std::vector<LineIndexEntry> entries(LineSection s)
{
    std::vector<LineIndexEntry> out;
    for (LineIndexEntry e; s.next(e);)
        out.push_back(e);
    return out;
}

LineIndexEntry entry(int32_t yMin, uint32_t offset, uint16_t length, uint16_t count)
{
    return {yMin, 0, yMin + 10, 10, offset, length, count, 0x13, 0x80};
}

} // namespace

TEST(LineIndexEntry, FieldsAtTheirOffsets)
{
    std::vector<uint8_t> bytes;
    ByteWriter w(bytes);
    LineIndexEntry{-1, 2, 3, 4, 0x01020304, 0x7FFF, 1023, 0x2A, 0x94}.write(w);
    ASSERT_EQ(bytes.size(), LineIndexEntry::kSize);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[LineIndexEntry::kOffLinOffset], 0x04);
    EXPECT_EQ(bytes[LineIndexEntry::kOffByteLength + 1], 0x7F);
    EXPECT_EQ(bytes[LineIndexEntry::kOffPointCount], 0xFF);
    EXPECT_EQ(bytes[LineIndexEntry::kOffPointCount + 1], 0x03);
    EXPECT_EQ(bytes[LineIndexEntry::kOffAttribute], 0x2A);
    ByteReader in(bytes);
    const auto e = LineIndexEntry::read(in);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->colourIndex(), 0x0A);
    EXPECT_EQ(e->lineStyle(), 2);
    EXPECT_TRUE(e->isArea());
}

TEST(LineSection, EndsAtTerminatorEndOfFileOrDamage)
{
    std::vector<uint8_t> wpn;
    ByteWriter w(wpn);
    entry(1, 0, 8, 1).write(w);
    entry(2, 0, 8, 1).write(w);
    LineIndexEntry().write(w);  // terminator at 52
    LineIndexEntry().write(w);  // a section that is empty at once, at 78
    entry(3, 0, 8, 1).write(w);  // no terminator: ends at end of file, at 104
    wpn.insert(wpn.end(), 10, 0xAB);  // a truncated entry

    struct Case {
        const char* name;
        int64_t offset;
        size_t expected;
    };
    for (const Case& c : {Case{"two then terminator", 0, 2}, Case{"first entry is terminator", 78, 0},
                          Case{"no terminator, truncated tail", 104, 1}, Case{"negative offset", -1, 0},
                          Case{"offset past end", 10'000, 0}, Case{"offset inside the tail", 130, 0}})
        EXPECT_EQ(entries(LineSection(wpn, c.offset)).size(), c.expected) << c.name;
}

TEST(LineFile, DecodeSkipsRecordsOutsideTheirFile)
{
    std::vector<uint8_t> lin;
    std::vector<ChartPoint> pts{{100, 200}, {101, 199}, {102, 198}};
    ASSERT_TRUE(PackedPointRecord::encode(pts, lin));
    const auto len = uint16_t(lin.size());
    const LineFile file(QByteArray(), toQByteArray(lin));
    std::vector<ChartPoint> out(PackedPointRecord::kMaxPoints);

    EXPECT_EQ(file.decode(entry(0, 0, len, 3), out), 3);
    EXPECT_EQ(out[2], pts[2]);
    // A record of a single point is a record as well.
    EXPECT_EQ(file.decode(entry(0, 0, len, 1), out), 1);
    EXPECT_EQ(out[0], pts[0]);
    // Bit 15 of the length is not part of it.
    EXPECT_EQ(file.decode(entry(0, 0, uint16_t(len | 0x8000), 3), out), 3);

    struct Case {
        const char* name;
        LineIndexEntry e;
    };
    for (const Case& c : {Case{"count 0", entry(0, 0, len, 0)}, Case{"count 1024", entry(0, 0, len, 1024)},
                          Case{"count 0xFFFF", entry(0, 0, len, 0xFFFF)}, Case{"length 0", entry(0, 0, 0, 3)},
                          Case{"length past end", entry(0, 0, uint16_t(len + 1), 3)},
                          Case{"offset past end", entry(0, 0xFFFFFFF0u, len, 3)},
                          Case{"more points than bytes", entry(0, 0, len, 4)}})
        EXPECT_EQ(file.decode(c.e, out), -1) << c.name;
}

TEST(LineFile, RecordBytesStayInsideTheFile)
{
    const QByteArray lin("0123456789");  // 10 bytes
    const LineFile file(QByteArray(), lin);
    struct Case {
        uint32_t offset;
        uint16_t length;
        const char* bytes;  // nullptr: empty
    };
    const Case cases[] = {
        {0, 10, "0123456789"}, {9, 1, "9"},     {3, 7, "3456789"}, {0, 1, "0"},
        {0, 0x8001, "0"},      {3, 8, nullptr}, {0, 11, nullptr},  {10, 1, nullptr},
        {10, 0, nullptr},      {0, 0, nullptr}, {0x8000, 0, nullptr}, {0xFFFFFFFFu, 1, nullptr},
    };
    for (const Case& c : cases) {
        const auto bytes = file.recordBytes(entry(0, c.offset, c.length, 1));
        const QByteArray got(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        EXPECT_EQ(got, QByteArray(c.bytes ? c.bytes : "")) << c.offset << " " << c.length;
    }
}

TEST(LineFileCache, KeepsFilesPerFolderAndForgetsThemOnAFolderChange)
{
    QTemporaryDir a, b;
    for (const QTemporaryDir* d : {&a, &b}) ASSERT_TRUE(QDir(d->path()).mkdir("CHARTDATA"));
    auto write = [](const QTemporaryDir& d, const char* ext, const QByteArray& bytes) {
        QFile f(d.path() + "/CHARTDATA/X" + ext);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(a, ".LIN", "AAAA");
    write(a, ".WPN", QByteArray());
    write(b, ".LIN", "BB");
    write(b, ".WPN", QByteArray());

    LineFileCache cache;
    const Result<LineFile> first = cache.get(a.path(), "X");
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->lin(), QByteArray("AAAA"));
    EXPECT_EQ(cache.size(), 1);
    // Kept: a second get no longer reads the file.
    ASSERT_TRUE(QFile::remove(a.path() + "/CHARTDATA/X.LIN"));
    const Result<LineFile> again = cache.get(a.path(), "X");
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->lin(), QByteArray("AAAA"));
    // Another program folder: the same chart name is another chart.
    const Result<LineFile> other = cache.get(b.path(), "X");
    ASSERT_TRUE(other.ok());
    EXPECT_EQ(other->lin(), QByteArray("BB"));
    EXPECT_EQ(cache.size(), 1);
    // Back in the first folder the file is read again, and is gone now.
    EXPECT_FALSE(cache.get(a.path(), "X").ok());
    EXPECT_EQ(cache.size(), 0);

    // Files put by hand belong to their folder as well.
    cache.put(b.path(), "Y", LineFile(QByteArray(), QByteArray("Y")));
    cache.put(b.path(), "W", LineFile(QByteArray(), QByteArray("W")));
    EXPECT_EQ(cache.size(), 2);
    const Result<LineFile> y = cache.get(b.path(), "Y");
    ASSERT_TRUE(y.ok());
    EXPECT_EQ(y->lin(), QByteArray("Y"));
    cache.put(a.path(), "Z", LineFile(QByteArray(), QByteArray("Z")));
    EXPECT_EQ(cache.size(), 1);
    EXPECT_FALSE(cache.get(a.path(), "Y").ok());
}

TEST(LineFileWriter, SortsSectionsAndRoundTrips)
{
    LineFileWriter writer;
    const std::vector<ChartPoint> water{{-100, -100}, {-100, 100}, {100, 100}, {100, -100}};
    const std::vector<ChartPoint> south{{50, 0}, {60, 5}};
    const std::vector<ChartPoint> north{{-80, 0}, {-70, 90000}, {-60, 1}};  // needs a restart
    ASSERT_TRUE(writer.add(LineFileWriter::kBaseSection, water, 0, 0x80));
    ASSERT_TRUE(writer.add(7, south, 0x10, 0));
    ASSERT_TRUE(writer.add(7, north, 0x10, 0));
    ASSERT_TRUE(writer.add(4, water, 0, 0x80));
    LineFileWriter::Image image;
    ASSERT_TRUE(writer.build(image));
    EXPECT_EQ(image.records, 4);
    EXPECT_EQ(image.points, 4 + 2 + 3 + 4);
    EXPECT_EQ(image.bounds, (ChartBox{-100, -100, 100, 90000}));
    EXPECT_EQ(image.layerOffsets[0], -1);
    EXPECT_EQ(image.layerOffsets[4], 2 * 26);
    EXPECT_EQ(image.layerOffsets[7], 4 * 26);

    const LineFile file(image.wpn, image.lin);
    std::vector<ChartPoint> out(PackedPointRecord::kMaxPoints);
    const auto base = entries(file.section(0));
    ASSERT_EQ(base.size(), 1u);
    const auto rivers = entries(file.section(image.layerOffsets[7]));
    ASSERT_EQ(rivers.size(), 2u);
    EXPECT_LT(rivers[0].yMin, rivers[1].yMin);
    ASSERT_EQ(file.decode(rivers[0], out), 3);
    EXPECT_EQ(std::vector<ChartPoint>(out.begin(), out.begin() + 3), north);
    EXPECT_EQ(rivers[0].attribute, 0x10);
    EXPECT_EQ(rivers[0].box(), (ChartBox{-80, 0, -60, 90000}));
}

TEST(LineFileWriter, TheWorldsEdgesAreInside)
{
    const int32_t h = kWorldHalfHeight, w = kWorldHalfWidth;
    const struct { ChartPoint p; bool inside; } rows[] = {
        {{h, 0}, true},       {{-h, 0}, true},       {{0, w}, true},       {{0, -w}, true},
        {{h, w}, true},       {{-h, -w}, true},      {{h + 1, 0}, false},  {{-h - 1, 0}, false},
        {{0, w + 1}, false},  {{0, -w - 1}, false},
    };
    for (const auto& r : rows) {
        LineFileWriter writer;
        const std::vector<ChartPoint> line{{0, 0}, r.p};
        EXPECT_EQ(writer.add(3, line, 0, 0), r.inside) << r.p.y << " " << r.p.x;
        EXPECT_EQ(writer.recordCount(), r.inside ? 1 : 0);
    }
}

TEST(LineFileWriter, RefusesWhatItCannotEncode)
{
    const std::vector<ChartPoint> two{{0, 0}, {1, 1}};
    const std::vector<ChartPoint> outside{{0, 0}, {0, kWorldHalfWidth + 1}, {1, 1}};
    const std::vector<ChartPoint> tooMany(1024, ChartPoint{0, 0});
    struct Case {
        const char* name;
        int section;
        std::vector<ChartPoint> points;
        uint8_t fill;
        const char* error;
    };
    const std::vector<Case> cases{
        {"unknown section", 10, two, 0, "unknown section 10"},
        {"empty", 3, {}, 0, "empty geometry"},
        {"too many points", 3, tooMany, 0, "more than 1023 points"},
        {"area of two points", 3, two, 0x80, "area with fewer than 3 points"},
        {"base area of two points", LineFileWriter::kBaseSection, two, 0, "area with fewer than 3 points"},
        {"outside the world", 3, outside, 0, "point outside the world (y 0, x 10800001)"},
    };
    LineFileWriter writer;
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writer.add(c.section, c.points, 0, c.fill, &error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
    EXPECT_EQ(writer.recordCount(), 0);
}

TEST(LineFile, LoadNamesTheFileThatFailed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("chartdata"));
    const Result<LineFile> noLin = LineFile::load(dir.path(), "X");
    ASSERT_FALSE(noLin.ok());
    EXPECT_EQ(noLin.error().file, dir.path() + "/chartdata/X.LIN");
    EXPECT_EQ(LineFile::failedPart(noLin.error()), LineFile::Part::Lin);
    QFile lin(dir.path() + "/chartdata/x.lin");
    ASSERT_TRUE(lin.open(QIODevice::WriteOnly));
    lin.write("12345678");
    lin.close();
    const Result<LineFile> noWpn = LineFile::load(dir.path(), "X");
    ASSERT_FALSE(noWpn.ok());
    EXPECT_EQ(noWpn.error().file, dir.path() + "/chartdata/X.WPN");
    EXPECT_EQ(LineFile::failedPart(noWpn.error()), LineFile::Part::Wpn);
    QFile wpn(dir.path() + "/chartdata/X.WPN");
    ASSERT_TRUE(wpn.open(QIODevice::WriteOnly));
    wpn.close();
    const Result<LineFile> loaded = LineFile::load(dir.path(), "X");
    ASSERT_TRUE(loaded.ok());
    const LineFile& file = *loaded;
    EXPECT_EQ(file.lin().size(), 8);
    EXPECT_TRUE(entries(file.section(0)).empty());
}
