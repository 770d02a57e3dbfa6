#include "chartdata/RecordSplitter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar;

namespace {

using Ring = RecordSplitter::Ring;

bool insideRing(const Ring& r, double y, double x)
{
    bool in = false;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        const double yi = r[i].y, xi = r[i].x, yj = r[j].y, xj = r[j].x;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

double area(const Ring& r)
{
    double a = 0;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++)
        a += double(r[j].x) * r[i].y - double(r[i].x) * r[j].y;
    return std::abs(a) / 2;
}

// A comb: axis-parallel edges only, so every cut lands on exact integers.
Ring comb(int teeth)
{
    Ring r{{0, 0}};
    for (int t = 0; t < teeth; ++t) {
        const int32_t x = t * 40;
        r.push_back({1000, x});
        r.push_back({1000, x + 20});
        r.push_back({100, x + 20});
        r.push_back({100, x + 40});
    }
    r.push_back({0, teeth * 40});
    return r;
}

// A wobbly star with slanted edges in every direction.
Ring star(int n)
{
    Ring r;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double rad = (i % 2 ? 300000 : 1000000) + 37 * (i % 7);
        r.push_back({int32_t(std::lround(rad * std::sin(a))), int32_t(std::lround(rad * std::cos(a)))});
    }
    return r;
}

void checkTiles(const Ring& original, const std::vector<Ring>& tiles, int maxPoints, bool exact)
{
    double sum = 0;
    for (const Ring& t : tiles) {
        EXPECT_LE(int(t.size()), maxPoints);
        EXPECT_GE(t.size(), 3u);
        sum += area(t);
    }
    EXPECT_NEAR(sum, area(original), area(original) * (exact ? 1e-12 : 1e-4));
    const ChartBox b = RecordSplitter::bounds(original);
    int mismatches = 0;
    for (double y = b.top + 0.5; y < b.bottom; y += (b.bottom - b.top) / 41.0)
        for (double x = b.left + 0.5; x < b.right; x += (b.right - b.left) / 37.0) {
            int covered = 0;
            for (const Ring& t : tiles)
                covered += insideRing(t, y, x);
            EXPECT_LE(covered, 1) << "overlap at " << y << "," << x;
            mismatches += covered != int(insideRing(original, y, x));
        }
    // Slanted edges move by up to half a unit where a cut rounds its crossing.
    EXPECT_LE(mismatches, exact ? 0 : 2);
}

} // namespace

TEST(RecordSplitter, PolylineRunsShareEndPoints)
{
    Ring line;
    for (int i = 0; i < 2500; ++i)
        line.push_back({i, -i});
    const auto runs = RecordSplitter::splitPolyline(line, 1023);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size(), 1023u);
    EXPECT_EQ(runs[1].front(), runs[0].back());
    EXPECT_EQ(runs[2].back(), line.back());
    EXPECT_EQ(runs[0].size() + runs[1].size() + runs[2].size(), line.size() + 2);
    EXPECT_EQ(RecordSplitter::splitPolyline(Ring(5, ChartPoint{}), 1023).size(), 1u);
    EXPECT_TRUE(RecordSplitter::splitPolyline({}, 1023).empty());
    // Runs of two points are the shortest: each segment on its own.
    const Ring five{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    const auto pairs = RecordSplitter::splitPolyline(five, 2);
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[3], (Ring{{3, 3}, {4, 4}}));
    EXPECT_TRUE(RecordSplitter::splitPolyline(five, 1).empty());
}

TEST(RecordSplitter, TilesCoverExactlyTheOriginalArea)
{
    const Ring c = comb(300);  // 1202 points
    checkTiles(c, RecordSplitter::tilePolygon(c, 1023), 1023, true);
    checkTiles(c, RecordSplitter::tilePolygon(c, 50), 50, true);
    const Ring s = star(3001);
    checkTiles(s, RecordSplitter::tilePolygon(s, 1023), 1023, false);
    checkTiles(s, RecordSplitter::tilePolygon(s, 200), 200, false);
}

TEST(RecordSplitter, SmallPolygonsStayWholeAndClosingPointIsDropped)
{
    Ring square{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
    const auto tiles = RecordSplitter::tilePolygon(square);
    ASSERT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles[0].size(), 4u);
    EXPECT_TRUE(RecordSplitter::tilePolygon(Ring{{0, 0}, {1, 1}}).empty());
    // A triangle is the smallest area and stays as it is.
    const Ring triangle{{0, 0}, {10, 10}, {10, -10}};
    const auto one = RecordSplitter::tilePolygon(triangle);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], triangle);
    // Tiles hold at least 8 points whatever is asked: an octagon stays whole.
    const Ring octagon{{0, 10}, {0, 20}, {10, 30}, {20, 30}, {30, 20}, {30, 10}, {20, 0}, {10, 0}};
    const auto whole = RecordSplitter::tilePolygon(octagon, 3);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0], octagon);
}

TEST(RecordSplitter, ClipToBox)
{
    const Ring square{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    const Ring clipped = RecordSplitter::clipPolygon(square, {5, -5, 20, 5});
    EXPECT_DOUBLE_EQ(area(clipped), 25.0);
    EXPECT_TRUE(RecordSplitter::clipPolygon(square, {20, 20, 30, 30}).empty());
    // A triangle, cut by the box's bottom at y 5 (by hand: half of the legs).
    const Ring triangle{{0, 0}, {10, 10}, {10, -10}};
    const Ring top = RecordSplitter::clipPolygon(triangle, {-100, -100, 5, 100});
    EXPECT_DOUBLE_EQ(area(top), 25.0);
    EXPECT_EQ(top.size(), 3u);
}
