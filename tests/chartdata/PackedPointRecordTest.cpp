#include "chartdata/PackedPointRecord.h"

#include "core/ByteWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace kesmar;

namespace {

// Builds packed bytes by hand: the encoder must not be the only witness.
struct Packed {
    std::vector<uint8_t> bytes;
    ByteWriter w{bytes};
    Packed& abs(int32_t y, int32_t x) { w.i32(y); w.i32(x); return *this; }
    Packed& group(uint8_t g) { w.u8(g); return *this; }
    Packed& delta(uint16_t dy, uint16_t dx) { w.u16(dy); w.u16(dx); return *this; }
};

std::vector<ChartPoint> decodeAll(const std::vector<uint8_t>& bytes, int count)
{
    std::vector<ChartPoint> out(size_t(count > 0 ? count : 1));
    const int n = PackedPointRecord::decode(bytes, count, out);
    if (n < 0)
        return {};
    out.resize(size_t(n));
    return out;
}

} // namespace

TEST(PackedPointRecord, DecodesGroupsAndRestarts)
{
    struct Case {
        const char* name;
        Packed packed;
        int count;
        std::vector<ChartPoint> expected;
    };
    std::vector<Case> cases;
    {
        Case c{"example with restart", {}, 4, {{-3240000, 480000}, {-3239900, 479950}, {-3239800, 479950}, {-3100000, 500000}}};
        c.packed.abs(-3240000, 480000).group(2).delta(100, uint16_t(-50)).delta(100, 0).group(0).abs(-3100000, 500000);
        cases.push_back(std::move(c));
    }
    {
        Case c{"single point ignores the rest", {}, 1, {{5, 6}}};
        c.packed.abs(5, 6).group(3).delta(1, 1);
        cases.push_back(std::move(c));
    }
    {
        Case c{"restart right after the first point", {}, 3, {{1, 2}, {100000, -200000}, {100001, -200001}}};
        c.packed.abs(1, 2).group(0).abs(100000, -200000).group(1).delta(1, 0xFFFF);
        cases.push_back(std::move(c));
    }
    {
        Case c{"ends in the middle of a group", {}, 3, {{0, 0}, {1, 1}, {2, 2}}};
        c.packed.abs(0, 0).group(5).delta(1, 1).delta(1, 1);  // the group promises 5, only 2 are needed
        cases.push_back(std::move(c));
    }
    {
        Case c{"negative deltas sign-extend", {}, 3, {{10, 10}, {9, -32758}, {-32759, -32759}}};
        c.packed.abs(10, 10).group(2).delta(0xFFFF, 0x8000).delta(0x8000, 0xFFFF);
        cases.push_back(std::move(c));
    }
    {
        Case c{"32-bit wrap-around", {}, 2, {{INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MAX}}};
        c.packed.abs(INT32_MAX, INT32_MIN).group(1).delta(1, 0xFFFF);
        cases.push_back(std::move(c));
    }
    for (const Case& c : cases)
        EXPECT_EQ(decodeAll(c.packed.bytes, c.count), c.expected) << c.name;
}

TEST(PackedPointRecord, RejectsWhatCannotBeDecoded)
{
    struct Case {
        const char* name;
        Packed packed;
        int count;
        size_t outSize;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, int count, size_t outSize, auto fill) {
        Case c{name, {}, count, outSize};
        fill(c.packed);
        cases.push_back(std::move(c));
    };
    add("count 0", 0, 4, [](Packed& p) { p.abs(1, 1); });
    add("count 1024", 1024, 1024, [](Packed& p) { p.abs(1, 1); });
    add("no bytes", 1, 4, [](Packed&) {});
    add("first point cut", 1, 4, [](Packed& p) { p.group(1).group(2); });
    add("group byte missing", 2, 4, [](Packed& p) { p.abs(1, 1); });
    add("delta cut", 2, 4, [](Packed& p) { p.abs(1, 1).group(1).group(7).group(7); });
    add("restart cut", 2, 4, [](Packed& p) { p.abs(1, 1).group(0).abs(2, 2).bytes.resize(13); });
    add("group runs dry", 4, 4, [](Packed& p) { p.abs(1, 1).group(1).delta(1, 1); });
    add("output too small", 3, 2, [](Packed& p) { p.abs(1, 1).group(2).delta(1, 1).delta(1, 1); });
    for (const Case& c : cases) {
        std::vector<ChartPoint> out(c.outSize);
        EXPECT_EQ(PackedPointRecord::decode(c.packed.bytes, c.count, out), -1) << c.name;
    }
}

TEST(PackedPointRecord, RoundTripsRandomWalksWithJumps)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> small(-40000, 40000);
    std::uniform_int_distribution<int32_t> world(-5'000'000, 5'000'000);
    std::bernoulli_distribution jump(0.05);
    for (int n : {1, 2, 255, 256, 257, 600, 1023}) {
        std::vector<ChartPoint> pts{{world(rng), world(rng)}};
        while (int(pts.size()) < n)
            pts.push_back(jump(rng) ? ChartPoint{world(rng), world(rng)}
                                    : ChartPoint{pts.back().y + small(rng), pts.back().x + small(rng)});
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(PackedPointRecord::encode(pts, bytes)) << n;
        EXPECT_EQ(bytes.size(), PackedPointRecord::encodedSize(pts));
        EXPECT_LE(bytes.size(), size_t(PackedPointRecord::kMaxBytes));
        EXPECT_EQ(decodeAll(bytes, n), pts) << n;
    }
}

TEST(PackedPointRecord, LongRunsUseFullGroups)
{
    std::vector<ChartPoint> pts;
    for (int i = 0; i < 600; ++i)
        pts.push_back({i * 3, -i});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PackedPointRecord::encode(pts, bytes));
    // 8 absolute bytes, then groups of 255, 255 and 89 deltas.
    EXPECT_EQ(bytes.size(), 8u + 3u + 599u * 4u);
    EXPECT_EQ(bytes[8], 255);
    EXPECT_EQ(bytes[8 + 1 + 255 * 4], 255);
    EXPECT_EQ(bytes[8 + 2 + 510 * 4], 89);
    // Exactly at the 16-bit limits a delta is used, one beyond a restart.
    std::vector<ChartPoint> edge{{0, 0}, {32767, -32768}, {32767 + 32768, -32768}};
    ASSERT_TRUE(PackedPointRecord::encode(edge, bytes));
    EXPECT_EQ(bytes.size(), 8u + 1u + 4u + 1u + 8u);
    EXPECT_EQ(decodeAll(bytes, 3), edge);
}

TEST(PackedPointRecord, EncoderRefusesOutOfLimits)
{
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(PackedPointRecord::encode({}, bytes, &error));
    EXPECT_EQ(error, "no points");
    std::vector<ChartPoint> tooMany(1024);
    EXPECT_FALSE(PackedPointRecord::encode(tooMany, bytes, &error));
    EXPECT_EQ(error, "more than 1023 points");
    EXPECT_TRUE(bytes.empty());
}
