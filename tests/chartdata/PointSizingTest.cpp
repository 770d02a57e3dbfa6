#include "chartdata/PointPattern.h"
#include "chartdata/PointSizing.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kesmar;

TEST(PointSizing, SizesPerLevelScaleAndDevice)
{
    // Worked out by hand with d = 0.025: raw = 0.8 / (scale * 2^(level / 13.47)),
    // 2^(27 / 13.47) = 4 * e^(0.0044543 * ln 2) = 4.012369.
    struct Row { int level; double scale; double printFactor; bool printing; double raw, symbol, text; };
    const Row rows[] = {
        {0, 1.0, 1.0, false, 0.8, 0.0375, 0.0375},        // capped at 1.5 d
        {0, 100.0, 1.0, false, 0.008, 0.008, 0.008},
        {27, 1000.0, 1.0, false, 0.000199383, 0.000199383, 0.000199383},
        {0, 100.0, 2.0, true, 0.008, 0.016, 0.016},       // f = raw * p
        {0, 10.0, 2.0, true, 0.08, 0.1, 0.0375},          // symbol capped at p * p * d
        {0, 1.0, 0.5, true, 0.8, 0.00625, 0.0375},
    };
    for (const Row& r : rows) {
        const PointSizing s = PointSizing::forLevel(r.level, 0.025, r.scale, r.printFactor, r.printing);
        EXPECT_NEAR(s.raw, r.raw, r.raw * 1e-5) << r.level << " " << r.scale;
        EXPECT_NEAR(s.symbol, r.symbol, r.symbol * 1e-5) << r.level << " " << r.scale;
        EXPECT_NEAR(s.text, r.text, r.text * 1e-5) << r.level << " " << r.scale;
    }
}

TEST(PointSizing, FontHeights)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row { int height; double d, text; int expected; };
    const Row rows[] = {
        {-8, 0.025, 0.025, -8},     {-8, 0.025, 0.0125, -2},    {-9, 0.025, 0.0125, -2},  // -2.25 truncated
        {-8, 0.025, 0.05, -32},     // ratio 1/2
        {100, 0.05, 0.025, 25},     {-8, 0.025, 0.0, 0},        {-8, 0.0, 0.025, 0},
        {-8, 0.025, -0.025, 0},     {-8, -0.025, 0.025, 0},     {-8, nan, 0.025, 0},      {-8, 0.025, nan, 0},
        {999999, 1.0, 1.0, 999999}, {-999999, 1.0, 1.0, -999999},
        {1000000, 1.0, 1.0, 0},     {-1000000, 1.0, 1.0, 0},    {-8, 1e-6, 1e6, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PointSizing::fontHeight(r.height, r.d, r.text), r.expected) << r.height << " " << r.d << " " << r.text;
    EXPECT_TRUE(PointSizing::drawable(-3));
    EXPECT_FALSE(PointSizing::drawable(-2));
}

TEST(PointPattern, TypeBytesRowsAndTiles)
{
    struct Row { uint8_t type; bool fine; PointPattern pattern; };
    const Row rows[] = {
        {0x00, false, PointPattern::Plain},    {0x3F, true, PointPattern::Plain},
        {0x80, false, PointPattern::Bands},    {0xC0, true, PointPattern::Bands},
        {0x40, true, PointPattern::Stripes2},  {0x41, false, PointPattern::Stripes4},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PointPatterns::forTypeByte(r.type, r.fine), r.pattern) << int(r.type);

    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(PointPatterns::row(PointPattern::Bands, y), y < 4 ? 0xFF : 0x00) << y;
        EXPECT_EQ(PointPatterns::row(PointPattern::Stripes2, y), 0xCC) << y;
        EXPECT_EQ(PointPatterns::row(PointPattern::Stripes4, y), 0xF0) << y;
        EXPECT_EQ(PointPatterns::row(PointPattern::Plain, y), 0x00) << y;
    }
    EXPECT_EQ(PointPatterns::row(PointPattern::Bands, 11), 0xFF);  // repeats every 8 rows
    EXPECT_EQ(PointPatterns::row(PointPattern::Bands, 12), 0x00);

    // 1-bits in the background colour, 0-bits in the foreground colour.
    const QColor fg(Qt::red), bg(Qt::green);
    const QImage tile = PointPatterns::brush(PointPattern::Stripes2, fg, bg).textureImage();
    ASSERT_EQ(tile.size(), QSize(8, 8));
    const bool set[8] = {true, true, false, false, true, true, false, false};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(tile.pixel(x, 5), (set[x] ? bg : fg).rgb()) << x;
    const QImage bands = PointPatterns::brush(PointPattern::Bands, fg, bg).textureImage();
    EXPECT_EQ(bands.pixel(7, 3), bg.rgb());
    EXPECT_EQ(bands.pixel(0, 4), fg.rgb());
    const QBrush plain = PointPatterns::brush(PointPattern::Plain, fg, bg);
    EXPECT_EQ(plain.style(), Qt::SolidPattern);
    EXPECT_EQ(plain.color(), fg);

    EXPECT_TRUE(PointPatterns::fineStripes(1248, false));
    EXPECT_FALSE(PointPatterns::fineStripes(1249, false));
    EXPECT_FALSE(PointPatterns::fineStripes(800, true));
}
