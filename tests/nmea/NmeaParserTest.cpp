#include "nmea/NmeaParser.h"

#include <gtest/gtest.h>

#include <array>

using namespace kesmar;

namespace {

struct CheckCase {
    const char* text;
    NmeaCheck expected;
};

class NmeaCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(NmeaCheckTest, Classifies)
{
    EXPECT_EQ(NmeaParser::check(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Checksums, NmeaCheckTest, testing::Values(
    CheckCase{"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47", NmeaCheck::Ok},
    CheckCase{"$GPXTE,A,A,0.67,L,N*6f", NmeaCheck::Ok},
    CheckCase{"$GPXTE,A,A,0.67,L,N*6F\r\n", NmeaCheck::Ok},
    CheckCase{"$GPGLL,4916.45,N,12311.12,W,225444,A", NmeaCheck::Ok},
    CheckCase{"$GPXTE,A,A,0.67,L,N*6e", NmeaCheck::BadChecksum},
    CheckCase{"$GPTXT,01,01,02,ANTSTATUS=INIT*26", NmeaCheck::BadChecksum},
    CheckCase{"$GPXTE,A,A,0.67,L,N*6g", NmeaCheck::BadChecksum},
    CheckCase{"$GPRMC,,V,,,,,,,,,,N*532", NmeaCheck::BadChecksum},
    CheckCase{"$GPGSV,3,1,11,01,78,221,47,03,09,042,00,04,05,242,00,06,04,149,00*7", NmeaCheck::BadChecksum},
    CheckCase{"$GPBOD,,T,,M,,*", NmeaCheck::BadChecksum},
    CheckCase{"$GPGGA,005947.00,3715.6616,N,12157.6709,W,,11,0.8,86.0,M,-30.1,M,,*54", NmeaCheck::BadChecksum},
    CheckCase{"$GPMTW,,*1E", NmeaCheck::BadChecksum},
    CheckCase{"$GPVTG,,,,\xff,,,,,N*30", NmeaCheck::BadCharacter},
    CheckCase{"$GPTXT,hello\r*24", NmeaCheck::BadCharacter},
    CheckCase{"GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99*30", NmeaCheck::NoDollar},
    CheckCase{"!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*26", NmeaCheck::NoDollar},
    CheckCase{"", NmeaCheck::NoDollar}),
    [](const testing::TestParamInfo<CheckCase>& param) { return "case" + std::to_string(param.index); });

TEST(NmeaParser, AcceptsEveryTalker)
{
    for (const char* text : {
             "$GARMC,043539.00,A,4333.190206,N,00127.618380,E,0.0,,040925,1.7,W,A,V*6D",
             "$INRMC,194101,A,4426.1130,N,07140.5596,W,5.2,77.3,160906,15.8,W*60",
             "$GQRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6B",
         }) {
        const NmeaSentence s = NmeaParser::parse(text);
        EXPECT_EQ(s.check, NmeaCheck::Ok) << text;
        EXPECT_EQ(s.kind, NmeaKind::RMC) << text;
        EXPECT_TRUE(s.position.has_value()) << text;
    }
    const NmeaSentence gll = NmeaParser::parse("$ECGLL,5119.881,N,00125.169,E,164326,A,D*52");
    EXPECT_EQ(gll.kind, NmeaKind::GLL);
    EXPECT_EQ(gll.talker, "EC");
    ASSERT_TRUE(gll.position);
    EXPECT_NEAR(gll.position->latitudeMinutes / 60.0, 51.331350, 1e-9);
    EXPECT_NEAR(gll.position->longitudeMinutes / 60.0, 1.419483333, 1e-9);
}

TEST(NmeaParser, ProprietaryAndMalformedAddressesAreNotData)
{
    const NmeaSentence pgrmc = NmeaParser::parse("$PGRMC,A,218.8,100");
    EXPECT_EQ(pgrmc.kind, NmeaKind::Unknown);
    EXPECT_EQ(pgrmc.talker, "P");
    EXPECT_NE(NmeaParser::parse("$XX???,1,2,3*23").check, NmeaCheck::Ok);
    EXPECT_EQ(NmeaParser::parse("$XX???,1,2,3").check, NmeaCheck::BadAddress);
    EXPECT_EQ(NmeaParser::parse("$GPFOOBAR,1").check, NmeaCheck::BadAddress);
    // A proprietary address has 2 to 8 characters.
    EXPECT_EQ(NmeaParser::parse("$P,1").check, NmeaCheck::BadAddress);
    EXPECT_NE(NmeaParser::parse("$PX,1").check, NmeaCheck::BadAddress);
    EXPECT_NE(NmeaParser::parse("$PABCDEFG,1").check, NmeaCheck::BadAddress);
    EXPECT_EQ(NmeaParser::parse("$PABCDEFGH,1").check, NmeaCheck::BadAddress);
    // A doubled '$' is refused here; kesmar-nmea resyncs on the second one.
    EXPECT_NE(NmeaParser::parse("$$GNRMC,135806.000,A,4723.00484,N,00045.88150,E,0.5,120.9,210325,,,A,C*11").check,
              NmeaCheck::Ok);
}

TEST(NmeaParser, GllExampleWithFurtherFields)
{
    const NmeaSentence s = NmeaParser::parse("$GPGLL,5412.345,N,01005.678,E,123456,A");
    ASSERT_TRUE(s.position);
    EXPECT_DOUBLE_EQ(s.position->latitudeMinutes, 3252.345);
    EXPECT_DOUBLE_EQ(s.position->longitudeMinutes, 605.678);
}

TEST(NmeaParser, PositionNeedsAllFourFields)
{
    for (const char* text : {
             "5412.345,N",                 // no comma after the hemisphere
             "5412.345,N,01005.678",       // longitude hemisphere missing
             "5412.345,,01005.678,E",      // empty hemisphere: no latitude 0
             "37.352387,N,121.953086,W",   // decimal degrees
             "8960.000000,N,00000.000,E",  // MTK placeholder: 60 minutes
             "9100.000,N,00000.000,E",     // beyond the pole
             "5412.345,X,01005.678,E",
             "54a2.345,N,01005.678,E",
             "512.345,N,01005.678,E",      // three digits before the point
             "5412.345,N,005.678,E",
             "541,N,01005.678,E",          // too short without a point either
             ",,,",
         })
        EXPECT_FALSE(NmeaParser::parsePositionText(text)) << text;
    const auto start = NmeaParser::parsePositionText("5249.897,S,1005.477,W");
    ASSERT_TRUE(start);
    EXPECT_DOUBLE_EQ(start->latitudeMinutes, -(52 * 60 + 49.897));
    EXPECT_DOUBLE_EQ(start->longitudeMinutes, -(10 * 60 + 5.477));
}

TEST(NmeaParser, HighPrecisionMinutes)
{
    const NmeaSentence s = NmeaParser::parse(
        "$GNGGA,014500.00,4404.1306024,N,12118.8446777,W,2,12,0.49,1129.913,M,-21.350,M,,0278*4C");
    ASSERT_EQ(s.check, NmeaCheck::Ok);
    ASSERT_TRUE(s.position);
    EXPECT_NEAR(s.position->latitudeMinutes / 60.0, 44.068843373, 1e-9);
    EXPECT_NEAR(s.position->longitudeMinutes / 60.0, -121.314077962, 1e-9);
    EXPECT_EQ(s.fixQuality, 2);
    EXPECT_EQ(s.satellites, 12);
    EXPECT_DOUBLE_EQ(*s.altitudeMeters, 1129.913);
}

TEST(NmeaParser, TimesAndDates)
{
    struct { const char* text; bool ok; int h, m, s, us; } times[] = {
        {"115919", true, 11, 59, 19, 0},     {"115919.1", true, 11, 59, 19, 100000},
        {"213700.001", true, 21, 37, 0, 1000}, {"235960", true, 23, 59, 60, 0},
        {"000000", true, 0, 0, 0, 0},        {"2359", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},             {"246000", false, 0, 0, 0, 0},
        {"12x456", false, 0, 0, 0, 0},       {"123456,7", false, 0, 0, 0, 0},
    };
    for (const auto& c : times) {
        const auto t = NmeaParser::parseTime(c.text);
        ASSERT_EQ(t.has_value(), c.ok) << c.text;
        if (t) {
            EXPECT_EQ((std::array{t->hour, t->minute, t->second, t->microseconds}),
                      (std::array{c.h, c.m, c.s, c.us})) << c.text;
        }
    }
    EXPECT_TRUE(NmeaParser::parseDate("050180"));
    EXPECT_EQ(NmeaParser::parseDate("311216")->year, 16);
    for (const char* bad : {"", "0501", "320180", "051380", "000000", "05018a"})
        EXPECT_FALSE(NmeaParser::parseDate(bad)) << bad;
}

TEST(NmeaParser, NumbersIgnoreTheLocale)
{
    EXPECT_DOUBLE_EQ(*NmeaParser::parseNumber(" -1.23"), -1.23);
    EXPECT_DOUBLE_EQ(*NmeaParser::parseNumber("3.14159"), 3.14159);
    for (const char* bad : {"", "-", "-3.33 ", "-3. 33", "12..45", "12.3.4", "10-", "1,5"})
        EXPECT_FALSE(NmeaParser::parseNumber(bad)) << bad;
}

TEST(NmeaParser, SentenceFields)
{
    const NmeaSentence rmc = NmeaParser::parse("$GPRMC,081836,A,3751.65,S,14507.36,E,000.0,360.0,130998,011.3,E*62");
    EXPECT_EQ(rmc.date->day, 13);
    EXPECT_EQ(rmc.date->year, 98);
    EXPECT_DOUBLE_EQ(*rmc.courseTrueDegrees, 360.0);
    const NmeaSentence vtg = NmeaParser::parse("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48");
    EXPECT_DOUBLE_EQ(*vtg.courseTrueDegrees, 54.7);
    EXPECT_DOUBLE_EQ(*vtg.courseMagneticDegrees, 34.4);
    EXPECT_DOUBLE_EQ(*vtg.speedKnots, 5.5);
    const NmeaSentence empty = NmeaParser::parse("$GPVTG,,T,,M,0.016,N,0.030,K,A*27");
    EXPECT_FALSE(empty.courseTrueDegrees);
    EXPECT_DOUBLE_EQ(*empty.speedKnots, 0.016);
    const NmeaSentence old = NmeaParser::parse("$GPVTG,054.7,034.4,005.5,010.2");
    EXPECT_DOUBLE_EQ(*old.courseMagneticDegrees, 34.4);
    EXPECT_DOUBLE_EQ(*old.speedKnots, 5.5);
    const NmeaSentence noFix = NmeaParser::parse("$GPGGA,081434.590,5212.978993,N,00653.097906,E,0,3,,102.907,M,47.093,M,,*42");
    EXPECT_FALSE(noFix.positionValid);
    EXPECT_TRUE(noFix.time);
    EXPECT_FALSE(NmeaParser::parse("$GPRMC,214350,V,4023.8600,N,00339.1630,W,10.8,0.0,140605,2.5,W,S*21").positionValid);
    EXPECT_TRUE(NmeaParser::parse("$GNRMC,014500.00,A,4404.1306024,N,12118.8446777,W,0.013,,231221,,,D,V*04").positionValid);
}

// Speeds over ground are never negative: such a field is missing, not a value.
TEST(NmeaParser, NegativeSpeedIsNoSpeed)
{
    const struct {
        const char* sentence;
        double knots; // < 0: no speed
    } rows[] = {
        {"$GPRMC,081836,A,3751.65,S,14507.36,E,5.5,360.0,130998,011.3,E", 5.5},
        {"$GPRMC,081836,A,3751.65,S,14507.36,E,0.0,360.0,130998,011.3,E", 0.0},
        {"$GPRMC,081836,A,3751.65,S,14507.36,E,-1.5,360.0,130998,011.3,E", -1},
        {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K", 5.5},
        {"$GPVTG,054.7,T,034.4,M,-005.5,N,010.2,K", -1},
    };
    for (const auto& row : rows) {
        const NmeaSentence s = NmeaParser::parse(row.sentence);
        if (row.knots < 0) {
            EXPECT_FALSE(s.speedKnots) << row.sentence;
        } else {
            ASSERT_TRUE(s.speedKnots) << row.sentence;
            EXPECT_DOUBLE_EQ(*s.speedKnots, row.knots) << row.sentence;
        }
    }
}

} // namespace

namespace {

// A fix counts only when the sentence says so plainly: a damaged '*' or an
// empty status or quality field must not put the vessel somewhere new.
TEST(NmeaParser, OnlyAPlainValidStatusIsAFix)
{
    struct Case {
        const char* sentence;
        bool valid;
    };
    const Case cases[] = {
        {"$GPGLL,5912.345,N,01012.345,E,123519,A+1C", false},
        {"$GPGLL,5912.345,N,01012.345,E,123519,A", true},
        {"$GPGLL,5912.345,N,01012.345,E,123519", true},
        {"$GPGLL,5912.345,N,01012.345,E,123519,", false},
        {"$GPRMC,123519,,4807.038,N,01131.000,W,1.0,10.0,230394,,", false},
        {"$GPRMC,123519,X,4807.038,N,01131.000,W,1.0,10.0,230394,,", false},
        {"$GPRMC,123519,A,4807.038,N,01131.000,W,1.0,10.0,230394,,", true},
        {"$GPGGA,123519,4807.038,N,01131.000,E,,08,0.9,545.4,M,46.9,M,,", false},
        {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NmeaParser::parse(c.sentence).positionValid, c.valid) << c.sentence;
}

TEST(NmeaParser, ChecksumOfTextStartingWithStarIsZero)
{
    EXPECT_EQ(NmeaParser::checksum("*12"), 0);
    EXPECT_EQ(NmeaParser::checksum("$*12"), 0);
}

} // namespace
