#include "nmea/AisCpa.h"
#include "nmea/AisTargetList.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar;

namespace {

constexpr int64_t kMinute = 60 * 1000;

AisMessage position(int type, uint32_t mmsi, double lat, double lon)
{
    AisMessage m;
    m.type = type;
    m.mmsi = mmsi;
    m.latitude = lat;
    m.longitude = lon;
    m.speedKnots = 7.5;
    m.courseDegrees = 123.4;
    m.headingDegrees = 120;
    return m;
}

TEST(AisTargetList, MergesMessagesOfOneStation)
{
    AisTargetList list;
    EXPECT_TRUE(list.apply(position(1, 211000001, 53.5, 9.9), 0));
    AisMessage voyage;
    voyage.type = 5;
    voyage.mmsi = 211000001;
    voyage.shipname = QStringLiteral("ELBE PILOT");
    voyage.callsign = QStringLiteral("DABC");
    voyage.shiptype = 50;
    voyage.toBow = 20;
    voyage.toStern = 10;
    list.apply(voyage, 1000);
    // A later report without position or speed keeps where it was last,
    // but its speed is unknown now.
    AisMessage blind;
    blind.type = 1;
    blind.mmsi = 211000001;
    list.apply(blind, 2000);

    ASSERT_EQ(list.size(), 1u);
    const AisTarget* t = list.find(211000001);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->kind, AisTarget::Kind::ClassA);
    EXPECT_EQ(t->latitude, 53.5);
    EXPECT_EQ(t->longitude, 9.9);
    EXPECT_FALSE(t->speedKnots);
    EXPECT_FALSE(t->direction());
    EXPECT_EQ(t->name, QStringLiteral("ELBE PILOT"));
    EXPECT_EQ(t->callsign, QStringLiteral("DABC"));
    EXPECT_EQ(t->shiptype, 50);
    EXPECT_EQ(t->lengthMeters(), 30);
    EXPECT_FALSE(t->beamMeters());
    EXPECT_EQ(t->lastHeardMs, 2000);
}

TEST(AisTargetList, ClassBStaticPartsAndOwnTransponder)
{
    AisTargetList list;
    list.apply(position(18, 244000002, 52.6, 5.3), 0);
    AisMessage partA;
    partA.type = 24;
    partA.mmsi = 244000002;
    partA.partNumber = 0;
    partA.shipname = QStringLiteral("WATERGEUS");
    list.apply(partA, 0);
    AisMessage partB = partA;
    partB.partNumber = 1;
    partB.shipname.reset();
    partB.callsign = QStringLiteral("PD1234");
    list.apply(partB, 0);
    const AisTarget* t = list.find(244000002);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->kind, AisTarget::Kind::ClassB);
    EXPECT_EQ(t->name, QStringLiteral("WATERGEUS"));
    EXPECT_EQ(t->callsign, QStringLiteral("PD1234"));
    EXPECT_EQ(t->direction(), 120.0);

    AisMessage own = position(1, 211999999, 54.0, 10.0);
    own.own = true;
    EXPECT_FALSE(list.apply(own, 0));
    EXPECT_FALSE(list.find(211999999));
}

TEST(AisTargetList, LostAfterSixOrTenMinutesRemovedAfterTwenty)
{
    AisTargetList list;
    list.apply(position(1, 1, 54.0, 10.0), 0);
    list.apply(position(18, 2, 54.0, 10.1), 0);
    AisMessage aid = position(21, 3, 54.0, 10.2);
    list.apply(aid, 0);

    EXPECT_FALSE(list.age(6 * kMinute - 1));
    EXPECT_FALSE(list.find(1)->lost);
    EXPECT_TRUE(list.age(6 * kMinute));
    EXPECT_TRUE(list.find(1)->lost);
    EXPECT_FALSE(list.find(2)->lost);
    EXPECT_TRUE(list.find(3)->lost);
    EXPECT_TRUE(list.age(10 * kMinute));
    EXPECT_TRUE(list.find(2)->lost);

    // Heard again: back to normal, and its clock starts anew.
    list.apply(position(1, 1, 54.0, 10.0), 15 * kMinute);
    EXPECT_FALSE(list.find(1)->lost);
    EXPECT_TRUE(list.age(20 * kMinute));
    EXPECT_TRUE(list.find(1));
    EXPECT_FALSE(list.find(2));
    EXPECT_FALSE(list.find(3));
    list.age(35 * kMinute);
    EXPECT_EQ(list.size(), 0u);
}

struct KindCase {
    int type;
    AisTarget::Kind kind;
    bool status; // whether the message's navigational status is taken
};

class AisTargetKinds : public testing::TestWithParam<KindCase> {};

TEST_P(AisTargetKinds, FromTheFirstMessage)
{
    const KindCase& c = GetParam();
    AisMessage m = position(c.type, 211000009, 54.0, 10.0);
    m.status = 5;
    AisTargetList list;
    list.apply(m, 0);
    ASSERT_TRUE(list.find(211000009));
    EXPECT_EQ(list.find(211000009)->kind, c.kind) << "type " << c.type;
    EXPECT_EQ(list.find(211000009)->status.has_value(), c.status) << "type " << c.type;
}

// Status is a field of the class A reports 1-3 only.
INSTANTIATE_TEST_SUITE_P(Types, AisTargetKinds, testing::Values(
    KindCase{1, AisTarget::Kind::ClassA, true},
    KindCase{3, AisTarget::Kind::ClassA, true},
    KindCase{4, AisTarget::Kind::BaseStation, false},
    KindCase{18, AisTarget::Kind::ClassB, false},
    KindCase{19, AisTarget::Kind::ClassB, false},
    KindCase{21, AisTarget::Kind::AidToNavigation, false}));

// Own vessel at 54 N 10 E; targets placed by miles east and north of it.
AisCpa::Track targetAt(double milesEast, double milesNorth, double speed, double course)
{
    const double lat = 54.0 + milesNorth / 60.0;
    const double meanLat = (54.0 + lat) / 2.0 * M_PI / 180.0;
    return {lat, 10.0 + milesEast / (60.0 * std::cos(meanLat)), speed, course};
}

struct CpaCase {
    const char* name;
    AisCpa::Track own;
    AisCpa::Track target;
    double cpa;
    double tcpa;
    bool dangerous;
};

class AisCpaTest : public testing::TestWithParam<CpaCase> {};

TEST_P(AisCpaTest, ClosestApproach)
{
    const CpaCase& c = GetParam();
    const AisCpa r = AisCpa::compute(c.own, c.target);
    EXPECT_NEAR(r.cpaNauticalMiles, c.cpa, 1e-6) << c.name;
    EXPECT_NEAR(r.tcpaMinutes, c.tcpa, 1e-6) << c.name;
    EXPECT_EQ(r.isDangerous(AisCpa::Limits{}), c.dangerous) << c.name;
}

const AisCpa::Track kOwnNorth10{54.0, 10.0, 10.0, 0.0};

INSTANTIATE_TEST_SUITE_P(Courses, AisCpaTest, testing::Values(
    // Crossing from starboard: both at 10 kn, meet where the courses cross.
    CpaCase{"CrossingCollision", kOwnNorth10, targetAt(2, 2, 10, 270), 0.0, 12.0, true},
    CpaCase{"CrossingClear", kOwnNorth10, targetAt(2, 0, 10, 270), std::sqrt(2.0), 6.0, false},
    // Parallel at the same speed: the distance never changes.
    CpaCase{"ParallelAbeam", kOwnNorth10, targetAt(1.0, 0, 10, 0), 1.0, 0.0, false},
    // ... and a target that close now is a danger now.
    CpaCase{"ParallelClose", kOwnNorth10, targetAt(-0.3, 0, 10, 0), 0.3, 0.0, true},
    // Parallel, overtaking 0.3 nm off: closest when abeam after 12 minutes.
    CpaCase{"ParallelOvertaking", AisCpa::Track{54.0, 10.0, 5.0, 0.0}, targetAt(0.3, -1, 10, 0), 0.3, 12.0, true},
    CpaCase{"ParallelOvertakingLater", AisCpa::Track{54.0, 10.0, 5.0, 0.0}, targetAt(0.3, -1.1, 10, 0), 0.3, 13.2,
            false},
    // Diverging: the closest point is behind, the distance now counts.
    CpaCase{"Diverging", AisCpa::Track{54.0, 10.0, 5.0, 180.0}, targetAt(0, 1, 10, 0), 1.0, -4.0, false},
    CpaCase{"DivergingClose", AisCpa::Track{54.0, 10.0, 5.0, 180.0}, targetAt(0, 0.2, 10, 0), 0.2, -0.8, false},
    // Across the date line on the equator (a minute of longitude is a mile):
    // the target 6 miles west at 6 kn east meets the stopped own vessel in an hour.
    CpaCase{"DateLineEastward", AisCpa::Track{0.0, -179.95, 0.0, 0.0}, AisCpa::Track{0.0, 179.95, 6.0, 90.0}, 0.0,
            60.0, false},
    CpaCase{"DateLineWestward", AisCpa::Track{0.0, 179.95, 0.0, 0.0}, AisCpa::Track{0.0, -179.95, 6.0, 270.0}, 0.0,
            60.0, false},
    // Half a millionth of a knot faster: no relative motion, no time to a closest point.
    CpaCase{"AlmostTheSameSpeed", kOwnNorth10, targetAt(0, 1, 10.0000005, 0), 1.0, 0.0, false}),
    [](const testing::TestParamInfo<CpaCase>& p) { return std::string(p.param.name); });

} // namespace
