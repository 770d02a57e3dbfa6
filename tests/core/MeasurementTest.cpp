#include "core/Measurement.h"
#include "core/RouteLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

using kesmar::ChartPoint;
using kesmar::Measurement;
using kesmar::RouteLine;

namespace {

// Viewport minutes: x east positive, y = negated latitude (north is up = smaller y).
const QPointF kHamburgish(600.0, -3200.0);

TEST(MeasurementMath, BearingsOfStraightSegments)
{
    struct Case {
        QPointF to;
        double bearing;
    };
    const Case cases[] = {
        {{600.0, -3260.0}, 0.0},   // up the screen
        {{660.0, -3200.0}, 90.0},  // right
        {{600.0, -3140.0}, 180.0}, // down
        {{540.0, -3200.0}, 270.0}, // left
    };
    for (const Case& c : cases) {
        const auto m = Measurement::measure(kHamburgish, c.to);
        EXPECT_NEAR(m.bearingDegrees, c.bearing, 0.005) << c.to.x() << "," << c.to.y();
        EXPECT_EQ(QString::asprintf("%6.2f", m.bearingDegrees), QString::asprintf("%6.2f", c.bearing));
    }
}

TEST(MeasurementMath, DistanceFollowsTheFormula)
{
    // One degree of latitude: 6378.165 km x pi/180.
    const auto north = Measurement::measure({0.0, 0.0}, {0.0, -60.0});
    EXPECT_NEAR(north.kilometres, 111.3199, 0.0001);

    // East-west uses the cosine of the end point's latitude (60 N here).
    const auto east = Measurement::measure({0.0, -3600.0}, {60.0, -3600.0});
    EXPECT_NEAR(east.kilometres, 111.3199 * 0.5, 0.0001);

    // Only the end latitude counts, so the direction matters for slanted lines.
    const auto there = Measurement::measure({0.0, -3000.0}, {60.0, -3600.0});
    const auto back = Measurement::measure({60.0, -3600.0}, {0.0, -3000.0});
    EXPECT_GT(there.kilometres, 0.0);
    EXPECT_NE(there.kilometres, back.kilometres);
}

TEST(MeasurementMath, ZeroSegmentReadsZero)
{
    const auto m = Measurement::measure(kHamburgish, kHamburgish);
    EXPECT_EQ(m.kilometres, 0.0);
    EXPECT_EQ(m.bearingDegrees, 0.0);
    EXPECT_EQ(Measurement::statusText(m, 0.0, true), "    0.000NM /   0.00°  SUMME:     0.000NM");
}

TEST(MeasurementMath, StatusTextUnits)
{
    const kesmar::SegmentMeasure segment{100.0, 45.5};
    EXPECT_EQ(Measurement::statusText(segment, 50.0, false), "  100.000KM /  45.50°  SUMME:   150.000KM");
    EXPECT_EQ(Measurement::statusText(segment, 50.0, true),
              QString::asprintf("%9.3fNM /  45.50°  SUMME: %9.3fNM", 100.0 * 0.538986804322997,
                                150.0 * 0.538986804322997));
}

TEST(MeasurementState, CommandsAndCheckMarks)
{
    Measurement m;
    RouteLine route;
    m.toggleMeasuring();
    EXPECT_EQ(m.state(), Measurement::State::Armed);
    EXPECT_TRUE(m.measuringChecked());
    m.toggleMeasuring();
    EXPECT_EQ(m.state(), Measurement::State::Off);

    m.newRoute(route);
    EXPECT_TRUE(m.newRouteChecked());
    EXPECT_FALSE(m.measuringChecked());
    m.newRoute(route); // second use switches off
    EXPECT_EQ(m.state(), Measurement::State::Off);
    EXPECT_FALSE(m.newRouteChecked());

    m.appendRoute(route); // empty route: armed only
    EXPECT_EQ(m.state(), Measurement::State::Armed);
    EXPECT_TRUE(m.appendRouteChecked());
}

TEST(MeasurementState, TotalIsTheSumOfTheShownSegments)
{
    for (bool nautical : {true, false}) {
        Measurement m(nautical);
        m.toggleMeasuring();
        const QPointF points[] = {{0, -3000}, {30, -3000}, {30, -3040}, {-10, -3010}};
        m.click(points[0]);
        double shownSum = 0.0;
        for (int i = 1; i < 4; ++i) {
            const QString text = m.moveTo(points[i]);
            shownSum += text.left(9).toDouble();
            m.click(points[i]);
        }
        const QString last = m.moveTo(points[3]);
        EXPECT_TRUE(last.startsWith("    0.000")) << last.toStdString();
        const double total = last.mid(last.indexOf("SUMME:") + 6, 10).toDouble();
        EXPECT_NEAR(total, shownSum, 0.0015);
        EXPECT_TRUE(last.endsWith(nautical ? "NM" : "KM"));
        EXPECT_EQ(m.fixedPoints().size(), 4u);
    }
}

TEST(MeasurementState, ClickWithoutMoveEndsTheSegmentThere)
{
    Measurement m(false);
    m.toggleMeasuring();
    m.click({0, 0});
    m.click({0, -60});
    EXPECT_NEAR(m.totalKilometres(), 111.3199, 0.0001);
}

TEST(MeasurementRoute, NewRouteThenAppendContinuesFromLastPoint)
{
    Measurement m;
    RouteLine route;
    m.newRoute(route);
    m.click({1.5, -3000.25});
    m.click({10.0, -3010.0});
    m.click({20.0, -3005.0});
    EXPECT_TRUE(m.end(route));
    ASSERT_EQ(route.size(), 3u);
    EXPECT_EQ(route.points()[0], (ChartPoint{-3000250, 1500}));
    EXPECT_EQ(m.state(), Measurement::State::Off);
    EXPECT_EQ(m.routeMode(), Measurement::RouteMode::Plain);

    m.appendRoute(route);
    EXPECT_EQ(m.state(), Measurement::State::InProgress);
    ASSERT_EQ(m.fixedPoints().size(), 1u);
    EXPECT_EQ(m.bandStart(), QPointF(20.0, -3005.0));
    m.click({30.0, -3000.0});
    EXPECT_TRUE(m.end(route));
    ASSERT_EQ(route.size(), 5u);
    EXPECT_EQ(route.points()[3], route.points()[2]); // the joint is stored twice
    EXPECT_EQ(route.last(), (ChartPoint{-3000000, 30000}));

    m.newRoute(route);
    EXPECT_TRUE(route.empty());
}

TEST(MeasurementRoute, PlainMeasurementLeavesRouteAlone)
{
    Measurement m;
    RouteLine route;
    route.append({1, 1});
    m.toggleMeasuring();
    m.click({0, 0});
    m.moveTo({5, 5});
    EXPECT_FALSE(m.end(route));
    EXPECT_EQ(route.size(), 1u);
    EXPECT_TRUE(m.bandShown()); // stays until the next measurement starts
    m.hideBand();               // or until the chart moves
    EXPECT_FALSE(m.bandShown());
    m.toggleMeasuring();
    m.click({0, 0});
    m.moveTo({5, 5});
    m.hideBand(); // a band in progress stays
    EXPECT_TRUE(m.bandShown());
    m.end(route);
    m.toggleMeasuring();
    m.click({1, 1});
    EXPECT_FALSE(m.bandShown());
}

TEST(MeasurementRoute, RouteStopsAt1022Points)
{
    Measurement m;
    RouteLine route;
    m.newRoute(route);
    for (int i = 0; i < 1100; ++i)
        m.click({i * 0.01, -3000.0});
    EXPECT_EQ(m.fixedPoints().size(), 1100u);
    m.end(route);
    EXPECT_EQ(route.size(), RouteLine::kMaxPoints);
    EXPECT_FALSE(route.append({0, 0}));
}

TEST(MeasurementRoute, ChartPointTruncatesTowardZero)
{
    EXPECT_EQ(Measurement::toChartPoint({-0.0019, 0.0019}), (ChartPoint{1, -1}));
    EXPECT_EQ(Measurement::toChartPoint({1e12, -1e12}).x, 2147483647);
}

} // namespace

namespace {

TEST(MeasurementMath, EastWestDistanceAwayFromTheMeridian)
{
    // 8°E to 9°E along 54°N: one degree of longitude times cos 54°.
    const auto m = Measurement::measure({480.0, -3240.0}, {540.0, -3240.0});
    EXPECT_NEAR(m.kilometres, 111.3199 * std::cos(54.0 * std::numbers::pi / 180.0), 0.0001);
}

// The rubber band of a finished plain measurement stays until something
// replaces it; switching measuring off or starting a route takes it away.
TEST(MeasurementState, BandStaysOnlyUntilMeasuringIsLeft)
{
    RouteLine route;
    const auto measured = [] {
        auto m = std::make_unique<Measurement>();
        m->toggleMeasuring();
        m->click({0, 0});
        m->moveTo({5, 5});
        return m;
    };
    auto m = measured();
    m->toggleMeasuring();
    EXPECT_FALSE(m->bandShown()) << "measuring off";

    m = measured();
    m->newRoute(route);
    EXPECT_FALSE(m->bandShown()) << "new route while measuring";

    m = measured();
    m->appendRoute(route);
    EXPECT_FALSE(m->bandShown()) << "append while measuring";

    m = measured();
    m->end(route);
    m->toggleMeasuring();
    EXPECT_TRUE(m->bandShown()) << "measuring on again, nothing clicked yet";

    Measurement planning;
    planning.newRoute(route);
    planning.click({0, 0});
    planning.moveTo({5, 5});
    EXPECT_TRUE(planning.end(route));
    EXPECT_FALSE(planning.bandShown()) << "the route line replaces the band";
    EXPECT_FALSE(planning.end(route)) << "nothing in progress";
}

TEST(MeasurementRoute, AppendContinuesOnlyARouteWithALeg)
{
    for (const size_t points : {1u, 2u}) {
        Measurement m;
        RouteLine route;
        for (size_t i = 0; i < points; ++i)
            route.append({-3000000, static_cast<int32_t>(i * 1000)});
        m.appendRoute(route);
        EXPECT_EQ(m.state(), points == 1 ? Measurement::State::Armed : Measurement::State::InProgress)
            << points;
    }
}

} // namespace
