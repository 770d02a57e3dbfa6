#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <gtest/gtest.h>

using namespace kesmar;

TEST(ByteIo, RoundTripsEveryWidthLittleEndian)
{
    std::vector<uint8_t> buf;
    ByteWriter w(buf);
    w.u8(0xAB);
    w.i16(-32768);
    w.u16(0xFFFF);
    w.i32(-2910000);
    w.f64(0.71);
    w.fixedString("WORLDMAP", 12);
    ASSERT_EQ(buf.size(), 1u + 2 + 2 + 4 + 8 + 12);
    EXPECT_EQ(buf[1], 0x00);
    EXPECT_EQ(buf[2], 0x80);

    ByteReader r(buf);
    uint8_t a; int16_t b; uint16_t c; int32_t d; double e; std::string s;
    ASSERT_TRUE(r.u8(a) && r.i16(b) && r.u16(c) && r.i32(d) && r.f64(e) && r.fixedString(s, 12));
    EXPECT_EQ(a, 0xAB);
    EXPECT_EQ(b, -32768);
    EXPECT_EQ(c, 0xFFFF);
    EXPECT_EQ(d, -2910000);
    EXPECT_DOUBLE_EQ(e, 0.71);
    EXPECT_EQ(s, "WORLDMAP");
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteIo, ReadsPastTheEndFailWithoutTouchingOutput)
{
    const uint8_t three[] = {1, 2, 3};
    ByteReader r(three, sizeof three);
    int32_t v = 77;
    EXPECT_FALSE(r.i32(v));
    EXPECT_EQ(v, 77);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.position(), 0u);
    EXPECT_FALSE(r.seek(4));
    EXPECT_TRUE(r.view(2, 2).empty());
    EXPECT_EQ(r.view(1, 2).size(), 2u);
}

TEST(ByteIo, FixedStringWithoutTerminatorIsCutAtField)
{
    const char raw[] = {'A', 'B', 'C', 'D', 'E'};
    ByteReader r(raw, sizeof raw);
    std::string s;
    ASSERT_TRUE(r.fixedString(s, 4));
    EXPECT_EQ(s, "ABCD");
}
