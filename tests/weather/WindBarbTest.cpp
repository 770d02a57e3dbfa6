#include "weather/StationObservation.h"
#include "weather/WindBarb.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar;

namespace {

struct BarbRow {
    double knots;
    bool calm;
    size_t pennants, barbs, halves;
};

// Default size: circle 4, staff 26, barb 11, spacing 3.5 px.
TEST(WindBarb, FeathersForEachSpeed)
{
    const BarbRow rows[] = {
        {0, true, 0, 0, 0},  {2, false, 0, 0, 0},  {3, false, 0, 0, 1},  {5, false, 0, 0, 1},
        {10, false, 0, 1, 0}, {15, false, 0, 1, 1}, {50, false, 1, 0, 0}, {65, false, 1, 1, 1},
        {105, false, 2, 0, 1}, {47, false, 0, 4, 1}, {48, false, 1, 0, 0},
    };
    for (const BarbRow& r : rows) {
        SCOPED_TRACE(r.knots);
        const WindBarb b = WindBarb::make({100, 100}, 270, r.knots, false);
        EXPECT_EQ(b.calm, r.calm);
        EXPECT_EQ(b.pennants.size(), r.pennants);
        EXPECT_EQ(b.barbs.size(), r.barbs);
        EXPECT_EQ(b.halfBarbs.size(), r.halves);
    }
}

TEST(WindBarb, CalmIsACircleAroundTheStation)
{
    const WindBarb b = WindBarb::make({50, 60}, 0, 0, false);
    EXPECT_TRUE(b.calm);
    EXPECT_EQ(b.calmCentre, QPointF(50, 60));
    EXPECT_GT(b.calmRadius, 4.0);
    EXPECT_TRUE(b.staff.isNull());
}

TEST(WindBarb, StaffPointsWhereTheWindComesFrom)
{
    // West wind: staff to the left; north wind: staff upward (y down).
    const WindBarb west = WindBarb::make({100, 100}, 270, 10, false);
    EXPECT_NEAR(west.staff.p1().x(), 96, 1e-9);
    EXPECT_NEAR(west.staff.p2().x(), 70, 1e-9);
    EXPECT_NEAR(west.staff.p2().y(), 100, 1e-9);
    const WindBarb north = WindBarb::make({100, 100}, 360, 10, false);
    EXPECT_NEAR(north.staff.p2().x(), 100, 1e-9);
    EXPECT_NEAR(north.staff.p2().y(), 70, 1e-9);
    const WindBarb southEast = WindBarb::make({0, 0}, 135, 10, false);
    EXPECT_NEAR(southEast.staff.p2().x(), 30 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(southEast.staff.p2().y(), 30 / std::sqrt(2.0), 1e-9);
}

TEST(WindBarb, BarbsOnTheLowPressureSide)
{
    // West wind in the north: low pressure to the north, barbs point up.
    const WindBarb north = WindBarb::make({100, 100}, 270, 10, false);
    ASSERT_EQ(north.barbs.size(), 1u);
    EXPECT_EQ(north.barbs[0].p1(), QPointF(70, 100)); // at the tip
    EXPECT_NEAR(north.barbs[0].p2().y(), 89, 1e-9);  // 11 px across
    EXPECT_LT(north.barbs[0].p2().x(), 70);           // leaning outward
    const WindBarb south = WindBarb::make({100, 100}, 270, 10, true);
    EXPECT_NEAR(south.barbs[0].p2().y(), 111, 1e-9);
}

TEST(WindBarb, HalfBarbIsHalfAndSitsInFromTheTipWhenAlone)
{
    const WindBarb five = WindBarb::make({100, 100}, 270, 5, false);
    ASSERT_EQ(five.halfBarbs.size(), 1u);
    EXPECT_NEAR(five.halfBarbs[0].p1().x(), 73.5, 1e-9);
    EXPECT_NEAR(five.halfBarbs[0].p2().y(), 94.5, 1e-9);
    // 15 kt: the full barb at the tip, the half one step in.
    const WindBarb fifteen = WindBarb::make({100, 100}, 270, 15, false);
    EXPECT_NEAR(fifteen.barbs[0].p1().x(), 70, 1e-9);
    EXPECT_NEAR(fifteen.halfBarbs[0].p1().x(), 73.5, 1e-9);
}

TEST(WindBarb, PennantsFirstFromTheTip)
{
    const WindBarb b = WindBarb::make({100, 100}, 270, 65, false);
    ASSERT_EQ(b.pennants.size(), 1u);
    const QPolygonF& p = b.pennants[0];
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0], QPointF(70, 100));
    EXPECT_NEAR(p[1].y(), 89, 1e-9);
    EXPECT_NEAR(p[2].x(), 75.6, 1e-9);
    // The barb and the half barb lie further in than the pennant.
    EXPECT_GT(b.barbs[0].p1().x(), 75.6);
    EXPECT_GT(b.halfBarbs[0].p1().x(), b.barbs[0].p1().x());
}

TEST(WindBarb, MetresPerSecondAreConverted)
{
    struct Row { int speed, indicator; double knots; size_t pennants, barbs, halves; };
    const Row rows[] = {
        {10, 1, 19.438, 0, 2, 0}, // 10 m/s = 19.4 kt -> 20
        {26, 0, 50.540, 1, 0, 0}, // 26 m/s = 50.5 kt -> 50
        {4, 1, 7.775, 0, 1, 0},   // 4 m/s = 7.8 kt -> 10
        {10, 4, 10.0, 0, 1, 0},   // iw 4: knots as reported
        {10, 3, 10.0, 0, 1, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.speed * 10 + r.indicator);
        EXPECT_NEAR(WindBarb::knots(r.speed, r.indicator), r.knots, 0.001);
        const WindBarb b = WindBarb::make({0, 0}, 180, WindBarb::knots(r.speed, r.indicator), false);
        EXPECT_EQ(b.pennants.size(), r.pennants);
        EXPECT_EQ(b.barbs.size(), r.barbs);
        EXPECT_EQ(b.halfBarbs.size(), r.halves);
    }
}

TEST(PressureText, TenthsWithoutTheLeadingDigits)
{
    EXPECT_EQ(StationObservation::pressureTenths(132), 10132);   // 1013.2 hPa as 4PPPP 40132
    EXPECT_EQ(StationObservation::pressureTenths(9987), 9987);   // 998.7 hPa as 49987
    EXPECT_EQ(StationObservation::pressureText(10132), QStringLiteral("132"));
    EXPECT_EQ(StationObservation::pressureText(9987), QStringLiteral("987"));
    EXPECT_EQ(StationObservation::pressureText(10005), QStringLiteral("005"));
    EXPECT_EQ(StationObservation::tendencyText(12), QStringLiteral("+12"));
    EXPECT_EQ(StationObservation::tendencyText(-5), QStringLiteral("-05"));
    EXPECT_EQ(StationObservation::tendencyText(0), QStringLiteral("00"));
}

} // namespace
