#include "chartdata/PointPattern.h"
#include "chartdata/PointSizing.h"
#include "chartdata/SymbolLibrary.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <vector>

using namespace kesmar;

namespace {

// A library written byte by byte: entry 3 has two elements (a polyline of
// two points and a polygon of three), entry 70 one ellipse.
struct RawLibrary {
    QByteArray bytes;
    size_t entry3List = 0;
    size_t entry3Points = 0;
    size_t list70 = 0;

    void u16(int v) { bytes.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
    void u32(uint32_t v) { u16(int(v & 0xFFFF)); u16(int(v >> 16)); }

    RawLibrary()
    {
        bytes = QByteArray("TEST").leftJustified(16, '\0');
        bytes.append(QByteArray(93 * 8, '\0'));
        entry3List = size_t(bytes.size());
        directory(3, uint32_t(entry3List), 2);
        entry3Points = entry3List + 16;
        u32(uint32_t(entry3Points));
        u16(2);
        u16(0x1002);
        u32(uint32_t(entry3Points + 8));
        u16(3);
        u16(0x7934);
        for (int v : {1, 2, -3, -4, 10, 0, 0, -10, -10, 0}) u16(v);
        list70 = size_t(bytes.size());
        directory(70, uint32_t(list70), 1);
        u32(uint32_t(list70 + 8));
        u16(2);
        u16(0x1018);
        for (int v : {-5, -5, 5, 5}) u16(v);
    }
    void directory(int k, uint32_t offset, int32_t count) { put(16 + size_t(k) * 8, offset, count); }
    void put(size_t at, uint32_t a, int32_t b)
    {
        for (int i = 0; i < 4; ++i) {
            bytes[qsizetype(at) + i] = char(a >> (8 * i));
            bytes[qsizetype(at) + 4 + i] = char(uint32_t(b) >> (8 * i));
        }
    }
    const QByteArray& data() const { return bytes; }
};

} // namespace

TEST(SymbolLibrary, ReadsDirectoryElementsAndPoints)
{
    const SymbolLibrary lib = SymbolLibrary::fromBytes(RawLibrary().data());
    ASSERT_EQ(lib.entry(3).size(), 2u);
    EXPECT_EQ(lib.entry(3)[0].style, 0x1002);
    EXPECT_EQ(lib.entry(3)[0].points, (std::vector<QPoint>{{1, 2}, {-3, -4}}));
    EXPECT_EQ(lib.entry(3)[1].shape(), SymbolLibrary::Polygon);
    EXPECT_TRUE(lib.entry(3)[1].filled());
    EXPECT_EQ(lib.entry(3)[1].fillIndex(), 9);
    EXPECT_EQ(lib.entry(3)[1].outlineIndex(), 7);
    EXPECT_EQ(lib.entry(3)[1].points, (std::vector<QPoint>{{10, 0}, {0, -10}, {-10, 0}}));
    ASSERT_EQ(lib.entry(70).size(), 1u);
    EXPECT_EQ(lib.entry(70)[0].shape(), SymbolLibrary::Ellipse);
    EXPECT_TRUE(lib.entry(0).empty());
    EXPECT_TRUE(lib.entry(-1).empty());
    EXPECT_TRUE(lib.entry(93).empty());
    EXPECT_FALSE(lib.isEmpty());
}

// Each row spoils one thing; what is still sound must be read, nothing else.
TEST(SymbolLibrary, DamagedLibrariesKeepWhatIsSound)
{
    struct Case {
        const char* name;
        void (*spoil)(RawLibrary&);
        size_t entry3;  // elements of entry 3 still read
        size_t entry70;
    };
    const Case cases[] = {
        {"cut inside the directory", [](RawLibrary& r) { r.bytes.truncate(16 + 8 * 3 + 4); }, 0, 0},
        {"cut after entry 3's directory", [](RawLibrary& r) {
             r.bytes.truncate(16 + 8 * 4);
             r.directory(3, 16, 1);  // the element list is the header itself
         }, 0, 0},
        {"element list past the end", [](RawLibrary& r) { r.directory(3, 0x7FFFFFF0, 2); }, 0, 1},
        {"negative element count", [](RawLibrary& r) { r.directory(3, uint32_t(r.entry3List), -2); }, 0, 1},
        {"absurd element count", [](RawLibrary& r) { r.directory(70, uint32_t(r.list70), 0x7FFFFFFF); }, 2, 1},
        {"points past the end", [](RawLibrary& r) { r.put(r.entry3List, 0xFFFFFFF0u, 0x10020002); }, 1, 1},
        {"point count reaching past the end", [](RawLibrary& r) {
             r.put(r.entry3List + 8, uint32_t(r.entry3Points + 8), int32_t(0x7934FFFF));
         }, 1, 1},
    };
    for (const Case& c : cases) {
        RawLibrary raw;
        c.spoil(raw);
        const SymbolLibrary lib = SymbolLibrary::fromBytes(raw.data());
        EXPECT_EQ(lib.entry(3).size(), c.entry3) << c.name;
        EXPECT_EQ(lib.entry(70).size(), c.entry70) << c.name;
    }
}

TEST(SymbolLibrary, OnlyTheFirst32767BytesCount)
{
    RawLibrary raw;
    const size_t far = 32767 - 3;  // a point run that ends one byte too late
    raw.bytes.append(QByteArray(40000, '\0'));
    raw.put(raw.entry3List, uint32_t(far), 0x10020001);
    const SymbolLibrary lib = SymbolLibrary::fromBytes(raw.data());
    ASSERT_EQ(lib.entry(3).size(), 1u);  // only the polygon is left
    EXPECT_EQ(lib.entry(3)[0].shape(), SymbolLibrary::Polygon);
    EXPECT_TRUE(SymbolLibrary::fromBytes(QByteArray()).isEmpty());
}

TEST(SymbolLibrary, WrittenLibraryReadsBack)
{
    SymbolLibrary::Entries entries;
    entries[0] = {{0x0034, {{0, 0}, {100, 0}, {0, -100}}}};
    entries[92] = {{0x1002, {{-32768, 32767}, {5, 6}}}, {0x2018, {{1, 1}, {2, 2}}}};
    const Result<QByteArray> bytes = SymbolLibrary::toBytes(entries);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes->left(14), QByteArray("KESMAR BUOYAGE"));
    EXPECT_EQ(SymbolLibrary::fromBytes(*bytes).entries(), entries);
}

TEST(SymbolLibrary, WriterRefusesWhatTheFormatCannotHold)
{
    SymbolLibrary::Entries tooLarge;
    tooLarge[1] = {{0x0002, std::vector<QPoint>(9000, QPoint(1, 1))}};
    EXPECT_FALSE(SymbolLibrary::toBytes(tooLarge).ok());
    SymbolLibrary::Entries wide;
    wide[1] = {{0x0002, {{40000, 0}}}};
    EXPECT_FALSE(SymbolLibrary::toBytes(wide).ok());
}

TEST(PointPatterns, RowsOfEachPattern)
{
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(PointPatterns::row(PointPattern::Bands, y), y < 4 ? 0xFF : 0x00) << y;
        EXPECT_EQ(PointPatterns::row(PointPattern::Stripes2, y), 0xCC);
        EXPECT_EQ(PointPatterns::row(PointPattern::Stripes4, y), 0xF0);
        EXPECT_EQ(PointPatterns::row(PointPattern::Plain, y), 0x00);
    }
    EXPECT_EQ(PointPatterns::forTypeByte(0xC3, true), PointPattern::Bands);
    EXPECT_EQ(PointPatterns::forTypeByte(0x43, true), PointPattern::Stripes2);
    EXPECT_EQ(PointPatterns::forTypeByte(0x43, false), PointPattern::Stripes4);
    EXPECT_EQ(PointPatterns::forTypeByte(0x03, true), PointPattern::Plain);
    EXPECT_TRUE(PointPatterns::fineStripes(1248, false));
    EXPECT_FALSE(PointPatterns::fineStripes(1249, false));
    EXPECT_FALSE(PointPatterns::fineStripes(800, true));
}

TEST(PointSizing, GrowsWithZoomUpToOneAndAHalfDimensions)
{
    // d = 0.025, level 27: 2^(27 / 13.47) = 4.01244...
    const PointSizing coarse = PointSizing::forLevel(27, 0.025, 10.0, 1.0, false);
    EXPECT_NEAR(coarse.raw, 0.0199380, 1e-6);
    EXPECT_DOUBLE_EQ(coarse.symbol, coarse.raw);
    EXPECT_DOUBLE_EQ(coarse.text, coarse.raw);
    const PointSizing fine = PointSizing::forLevel(27, 0.025, 1.0, 1.0, false);
    EXPECT_NEAR(fine.raw, 0.199380, 1e-5);
    EXPECT_DOUBLE_EQ(fine.symbol, 0.0375);
    EXPECT_DOUBLE_EQ(fine.text, 0.0375);
    // Printing at p = 2: f = 0.039876; text capped at 1.5 d, symbol at p * p * d.
    const PointSizing paper = PointSizing::forLevel(27, 0.025, 10.0, 2.0, true);
    EXPECT_NEAR(paper.symbol, 0.039876, 1e-6);
    EXPECT_DOUBLE_EQ(paper.text, 0.0375);
    EXPECT_DOUBLE_EQ(PointSizing::forLevel(0, 0.025, 0.001, 2.0, true).symbol, 0.1);
}

TEST(PointSizing, FontHeightAndTheMinusThreeCutOff)
{
    EXPECT_EQ(PointSizing::fontHeight(-8, 0.025, 0.025), -8);
    EXPECT_EQ(PointSizing::fontHeight(-8, 0.025, 0.0125), -2);
    EXPECT_EQ(PointSizing::fontHeight(-12, 0.025, 0.0125), -3);
    EXPECT_EQ(PointSizing::fontHeight(-9, 0.025, 0.0375), -20);  // -20.25 cut toward zero
    EXPECT_FALSE(PointSizing::drawable(-2));
    EXPECT_TRUE(PointSizing::drawable(-3));
    EXPECT_FALSE(PointSizing::drawable(PointSizing::fontHeight(-8, 0.025, 0.0)));
}
