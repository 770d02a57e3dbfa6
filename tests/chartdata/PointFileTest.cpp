#include "chartdata/PointFile.h"
#include "chartdata/PointFileWriter.h"

#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <gtest/gtest.h>
#include <vector>

#include <random>

using namespace kesmar;

namespace {

PointRecord rec(size_t size, int32_t y, int32_t x, const char* text = "")
{
    return *PointRecord::make(size, 0x40 | 3, 0xD2, 0x45, 120, {y, x}, QByteArray(text));
}

QByteArray blockIndex(const std::vector<PointBlockEntry>& blocks, bool terminate = true)
{
    std::vector<uint8_t> bytes;
    ByteWriter w(bytes);
    for (const auto& b : blocks)
        b.write(w);
    if (terminate)
        PointBlockEntry().write(w);
    return toQByteArray(bytes);
}

} // namespace

TEST(PointRecord, FieldsAndText)
{
    const PointRecord r = rec(20, -3252345, 605678, "Fl.G.4s and more text");
    ASSERT_EQ(r.size(), 20u);
    EXPECT_EQ(r.objectType(), 3);
    EXPECT_TRUE(r.verticalStripes());
    EXPECT_FALSE(r.horizontalBands());
    EXPECT_EQ(r.foreground(), 2);
    EXPECT_EQ(r.background(), 13);
    EXPECT_EQ(r.modifier(), 0x45);
    EXPECT_EQ(r.level(), 120);
    EXPECT_EQ(r.position(), (ChartPoint{-3252345, 605678}));
    EXPECT_EQ(r.text(), QByteArray("Fl.G.4s"));  // cut to the 7 bytes at 13..19
    EXPECT_EQ(r.description().size(), 8u);
    EXPECT_EQ(r.bytes()[PointRecord::kOffY], 0x87);  // -3252345 = 0xFFCEA087
    EXPECT_TRUE(rec(13, 0, 0, "x").text().isEmpty());

    EXPECT_FALSE(PointRecord::make(12, 0, 0, 0, 0, {}));
    EXPECT_FALSE(PointRecord::make(129, 0, 0, 0, 0, {}));
    std::vector<uint8_t> raw(129, 0);
    EXPECT_FALSE(PointRecord::fromBytes(std::span(raw).first(12)));
    EXPECT_FALSE(PointRecord::fromBytes(raw));
    EXPECT_EQ(PointRecord::fromBytes(r.bytes()), r);
}

// A made record holds exactly the given fields at their offsets, nothing
// spills into the description byte, and the description is bytes 12 on.
TEST(PointRecord, MadeRecordBytesAndDescription)
{
    const auto r = PointRecord::make(16, 0x83, 0x2D, 0x45, 120, ChartPoint{-3252345, 0x01020304}, "abc");
    ASSERT_TRUE(r);
    const std::vector<uint8_t> expected = {0x83, 0x2D, 0x45, 120, 0x87, 0x5F, 0xCE, 0xFF,
                                           0x04, 0x03, 0x02, 0x01, 0x00, 'a', 'b', 'c'};
    EXPECT_EQ(std::vector<uint8_t>(r->bytes().begin(), r->bytes().end()), expected);
    const auto description = r->description();
    EXPECT_EQ(std::vector<uint8_t>(description.begin(), description.end()),
              (std::vector<uint8_t>{0x00, 'a', 'b', 'c'}));
}

TEST(PointFile, ReadsOnlyWhatLiesInsideTheFile)
{
    QByteArray bpt;
    for (int i = 0; i < 5; ++i) {
        const PointRecord r = rec(16, i, i);
        bpt.append(reinterpret_cast<const char*>(r.bytes().data()), 16);
    }
    struct Case {
        const char* name;
        PointBlockEntry block;
        int expected;
    };
    const std::vector<Case> cases{
        {"whole block", {0, 0, 4, 4, 0, 5, 16, 0}, 5},
        {"count beyond file", {0, 0, 4, 4, 16, 9, 16, 0}, 4},
        {"record size 12", {0, 0, 4, 4, 0, 5, 12, 0}, 0},
        {"record size 129", {0, 0, 4, 4, 0, 1, 129, 0}, 0},
        {"offset past file", {0, 0, 4, 4, 81, 1, 16, 0}, 0},
        {"offset at huge value", {0, 0, 4, 4, 0xFFFFFFFFu, 3, 16, 0}, 0},
        {"last record partial", {0, 0, 4, 4, 8, 5, 16, 0}, 4},
    };
    for (const Case& c : cases) {
        const PointFile f = PointFile::fromBytes(blockIndex({c.block}), bpt);
        ASSERT_EQ(f.blocks().size(), 1u) << c.name;
        EXPECT_EQ(f.recordCount(f.blocks()[0]), c.expected) << c.name;
        EXPECT_FALSE(f.record(f.blocks()[0], c.expected)) << c.name;
        EXPECT_TRUE(f.recordBytes(f.blocks()[0], -1).empty()) << c.name;
    }
    const PointFile f = PointFile::fromBytes(blockIndex({cases[0].block}), bpt);
    EXPECT_EQ(f.record(f.blocks()[0], 3)->position(), (ChartPoint{3, 3}));

    // The record size limits hold where the file is long enough as well.
    const QByteArray large(4 * 129, '\0');
    const struct { uint8_t size; int expected; } sizes[] = {{12, 0}, {13, 4}, {128, 4}, {129, 0}, {255, 0}};
    for (const auto& c : sizes) {
        const PointFile g = PointFile::fromBytes(blockIndex({{0, 0, 4, 4, 0, 4, c.size, 0}}), large);
        EXPECT_EQ(g.recordCount(g.blocks()[0]), c.expected) << int(c.size);
    }
}

TEST(PointFile, IndexEndsAtZeroCountOrEndOfFile)
{
    const PointBlockEntry b{0, 0, 1, 1, 0, 1, 13, 0};
    EXPECT_EQ(PointFile::fromBytes(blockIndex({b, b}), {}).blocks().size(), 2u);
    EXPECT_EQ(PointFile::fromBytes(blockIndex({b, b}, false), {}).blocks().size(), 2u);
    EXPECT_EQ(PointFile::fromBytes(blockIndex({b, {}, b}), {}).blocks().size(), 1u);
    QByteArray truncated = blockIndex({b, b}, false);
    truncated.chop(1);
    EXPECT_EQ(PointFile::fromBytes(truncated, {}).blocks().size(), 1u);
    EXPECT_TRUE(PointFile::fromBytes(QByteArray(5, '\xFF'), {}).blocks().empty());
}

TEST(PointFileWriter, BlocksAreSortedAndBoxed)
{
    std::mt19937 rng(3);
    std::uniform_int_distribution<int32_t> y(-3'300'000, -3'100'000);
    std::uniform_int_distribution<int32_t> x(400'000, 700'000);
    PointFileWriter writer(8);
    std::vector<PointRecord> added;
    for (int i = 0; i < 300; ++i) {
        added.push_back(rec(i % 3 == 0 ? 13 : 40, y(rng), x(rng), "Iso.W.4s"));
        ASSERT_TRUE(writer.add(added.back()));
    }
    std::string error;
    EXPECT_FALSE(writer.add(rec(13, kWorldHalfHeight + 1, 0), &error));
    EXPECT_EQ(error, "point outside the world (y 5400001, x 0)");

    const PointFileWriter::Image image = writer.build();
    EXPECT_EQ(image.records, 300);
    const PointFile f = PointFile::fromBytes(image.bwp, image.bpt);
    ASSERT_EQ(int(f.blocks().size()), image.blocks);
    int total = 0;
    int32_t lastTop = INT32_MIN;
    for (const PointBlockEntry& b : f.blocks()) {
        EXPECT_GE(b.yMin, lastTop);
        lastTop = b.yMin;
        EXPECT_LE(b.count, 8);
        ASSERT_EQ(f.recordCount(b), b.count);
        int32_t lastY = INT32_MIN;
        for (int i = 0; i < b.count; ++i) {
            const PointRecord r = *f.record(b, i);
            EXPECT_EQ(r.size(), b.recordSize);
            EXPECT_GE(r.y(), lastY);
            lastY = r.y();
            EXPECT_TRUE(r.y() >= b.yMin && r.y() <= b.yMax && r.x() >= b.xMin && r.x() <= b.xMax);
            EXPECT_EQ(r.text(), r.size() == 13 ? QByteArray() : QByteArray("Iso.W.4s"));
        }
        total += b.count;
    }
    EXPECT_EQ(total, 300);
}

// Blocks never span a cell of one degree (60 000 units); cells below 0 run
// from -60 000 to -1.
TEST(PointFileWriter, BlocksStayInsideTheirDegreeCells)
{
    struct Case { ChartPoint a, b; int blocks; };
    const Case cases[] = {
        {{0, 0}, {0, 59'999}, 1},          {{0, 0}, {0, 60'000}, 2},
        {{0, -1}, {0, 0}, 2},              {{0, -1}, {0, -60'000}, 1},
        {{0, -60'000}, {0, -60'001}, 2},   {{59'999, 0}, {0, 0}, 1},
        {{60'000, 0}, {59'999, 0}, 2},     {{-1, 0}, {-60'000, 0}, 1},
        {{-1, 0}, {0, 0}, 2},              {{-60'001, 5}, {-60'000, 5}, 2},
    };
    for (const Case& c : cases) {
        PointFileWriter writer;
        ASSERT_TRUE(writer.add(rec(13, c.a.y, c.a.x)));
        ASSERT_TRUE(writer.add(rec(13, c.b.y, c.b.x)));
        EXPECT_EQ(writer.build().blocks, c.blocks) << c.a.y << "," << c.a.x << " " << c.b.y << "," << c.b.x;
    }
    // Records of another size go into a block of their own.
    PointFileWriter sizes;
    ASSERT_TRUE(sizes.add(rec(13, 0, 0)));
    ASSERT_TRUE(sizes.add(rec(14, 0, 1)));
    EXPECT_EQ(sizes.build().blocks, 2);
    // At least one record a block.
    PointFileWriter single(0);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(single.add(rec(13, i, 0)));
    EXPECT_EQ(single.build().blocks, 3);
}

// The count field of a block holds at most 65535 records: a 65536th starts
// the next block, whatever limit was asked for.
TEST(PointFileWriter, BlocksHoldAtMost65535Records)
{
    PointFileWriter writer(100000);
    for (int i = 0; i < 65536; ++i) ASSERT_TRUE(writer.add(rec(13, i % 50, 0)));
    const PointFileWriter::Image image = writer.build();
    ASSERT_EQ(image.blocks, 2);
    const PointFile f = PointFile::fromBytes(image.bwp, image.bpt);
    ASSERT_EQ(f.blocks().size(), 2u);
    EXPECT_EQ(f.blocks()[0].count + f.blocks()[1].count, 65536);
}

TEST(PointFileWriter, TheWorldsEdgesAreInside)
{
    const int32_t h = kWorldHalfHeight, w = kWorldHalfWidth;
    const struct { int32_t y, x; bool inside; } rows[] = {
        {h, 0, true},       {-h, 0, true},       {0, w, true},       {0, -w, true},
        {h + 1, 0, false},  {-h - 1, 0, false},  {0, w + 1, false},  {0, -w - 1, false},
    };
    for (const auto& r : rows) {
        PointFileWriter writer;
        EXPECT_EQ(writer.add(rec(13, r.y, r.x)), r.inside) << r.y << " " << r.x;
        EXPECT_EQ(writer.build().records, r.inside ? 1 : 0);
    }
}
