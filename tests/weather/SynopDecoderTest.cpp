#include "SynopTestSupport.h"

#include "weather/GroupWindow.h"

using namespace kesmar;
using namespace kesmar::test;

namespace {

bool hasAll(const SynopRecord& r, uint32_t bits)
{
    return (r.flags & bits) == bits;
}

GroupWindow windowOf(const std::string& text)
{
    GroupWindow w;
    w.clear();
    for (char c : text)
        w.push(c);
    return w;
}

TEST(GroupWindowTest, KeepsTheLastSixCharactersRightAligned)
{
    GroupWindow w = windowOf("AB");
    EXPECT_EQ(w.text(), std::string("\0\0\0\0AB", 6));
    EXPECT_EQ(w.count(), 2u);
    w = windowOf("1234567890");
    EXPECT_EQ(w.text(), "567890");
    EXPECT_EQ(w.count(), 10u);
    w.clear();
    EXPECT_EQ(w.count(), 0u);
    EXPECT_EQ(w.text(), std::string(6, '\0'));
    for (size_t n : {0, 1, 5, 6, 9}) { // pushing several at once is pushing one by one
        GroupWindow many = windowOf("AB");
        many.push("123456789", n);
        EXPECT_EQ(many.text(), windowOf("AB" + std::string("123456789", n)).text()) << n;
        EXPECT_EQ(many.count(), 2 + n);
    }
}

TEST(GroupWindowTest, Templates)
{
    struct Case {
        const char* window;
        const char* pattern;
        bool match;
    } cases[] = {
        {"\0\0AAXX", "??AAXX", true}, {"  AAXY", "??AAXX", false}, {"SMDL01", "####+-", true},
        {"SMDL1 ", "####+-", true},   {"SM1L01", "####+-", false}, {"SM L01", "####+-", false},
        {" 1////", "?1++++", true},   {" 1//A/", "?1++++", false}, {"\0\0 NIL", "???NIL", true},
        {"\0 EDZW", "??####", true},  {"\0\0\0" "333", "???333", true}, {"\0 1234", "?+++++", false},
        {"Ab9xY1", "||||||", true},   {"Ab9x-1", "||||||", false}, {"\0\0\0\0\0\0", "??????", true},
    };
    for (const Case& c : cases) {
        const std::string text(c.window, 6);
        EXPECT_EQ(windowOf(text).matches(c.pattern), c.match) << c.pattern;
    }
}

TEST(GroupWindowTest, NumberAndLetterExtraction)
{
    const GroupWindow w = windowOf(" 1/2AB");
    EXPECT_EQ(w.number("?+"), 1);      // "1"
    EXPECT_EQ(w.number("?++"), 1);     // "1/" gives 1
    EXPECT_EQ(w.number("??+"), -1);    // a first "/" gives -1
    EXPECT_EQ(w.number("????"), 0);    // nothing taken
    EXPECT_EQ(w.number("??#+"), 0);    // stops at another template character
    EXPECT_EQ(w.number(1, 1), 1);
    EXPECT_EQ(w.number(2, 3), -1);
    EXPECT_EQ(windowOf("082710").number(2, 3), 27);
    EXPECT_EQ(w.letters("????##"), "AB");
    EXPECT_EQ(w.letters("?#+#"), "1"); // stops at "+"
}

TEST(SynopRewriteTest, SplitsRunTogetherGroups)
{
    struct Case {
        std::string in, out;
    } cases[] = {
        {"1234567890 ", "12345 67890 "},
        {"12345\r\n", "12345\r\r\n"},
        {"12345=", "12345="},
        {"10400NIL=", "10400\rNIL="},
        {"1234567890=", "1234567890="},
        {"123456789012345 ", "123456789012345 "},
        {"1234 AAXX", "1234 AAXX"},
    };
    for (const Case& c : cases) {
        std::string out(2 * c.in.size(), '\0');
        out.resize(SynopDecoder::rewriteLine(c.in, out.data()));
        EXPECT_EQ(out, c.out) << c.in;
    }
}

// FeedSynopLine rewrites on the way; feeding the rewritten line one
// character at a time (no rewriting can apply) must end in the same state.
void expectSameDecoding(const SynopTables& tables, const std::string& text)
{
    SynopDecoder direct(tables, {});
    SynopDecoder stepwise(tables, {});
    for (SynopDecoder* d : {&direct, &stepwise})
        d->BeginSynopFile();
    for (size_t at = 0; at < text.size(); at += 37) {
        const std::string_view piece = std::string_view(text).substr(at, 37);
        direct.FeedSynopLine(piece);
        std::string rewritten(2 * piece.size(), '\0');
        rewritten.resize(SynopDecoder::rewriteLine(piece, rewritten.data()));
        for (char c : rewritten)
            stepwise.FeedSynopLine(std::string_view(&c, 1));
        ASSERT_EQ(direct.state(), stepwise.state()) << at;
        ASSERT_EQ(direct.window().text(), stepwise.window().text()) << at;
        ASSERT_EQ(direct.window().count(), stepwise.window().count()) << at;
        ASSERT_EQ(direct.groupCounter(), stepwise.groupCounter()) << at;
        ASSERT_EQ(direct.record().serialise(), stepwise.record().serialise()) << at;
        ASSERT_EQ(direct.reportsWritten(), stepwise.reportsWritten()) << at;
    }
}

TEST(SynopRewriteTest, RewritingOnTheWayMatchesRewritingFirst)
{
    SynopTables tables;
    loadTestTables(tables);
    // A run of more than ten digits passes unchanged, in its order.
    std::string text = makeBulletin("10400 41580 82710 123456789012345 20011 30123 41234=\r\r\n"
                                    "10400 41580 82710 1234567890 20011 30123 41234=\r\r\n"
                                                 "10401 NIL=\r\r\n10402 4158082710 10051 20011 333 10123=");
    uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        const char alphabet[] = "0123456789////     ==\r\n\x01\x03" "AAXXBBXXNILDLSM";
        text.push_back(alphabet[(seed >> 16) % (sizeof alphabet - 1)]);
    }
    expectSameDecoding(tables, text);
}

using SynopDecoderTest = SynopFolderTest;

TEST_F(SynopDecoderTest, LineEndsAcrossLinesReachTheDecoderAsOneCr)
{
    auto decoder = makeDecoder();
    feedText(*decoder, "\x01\r\r\n\r\n");
    EXPECT_EQ(decoder->state(), SynopDecoder::Heading);
    EXPECT_EQ(decoder->window().count(), 1u);
    EXPECT_EQ(decoder->window().at(5), '\r');
}

TEST_F(SynopDecoderTest, DecodesHeadingAndFirstGroups)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 21010="));
    ASSERT_EQ(records.size(), 1u);
    const SynopRecord& r = records[0];
    EXPECT_EQ(r.headingLetter, 'S');
    EXPECT_EQ(SynopRecord::text(r.ttText), "Synoptische Meldungen");
    EXPECT_EQ(SynopRecord::text(r.aaText), "Deutschland");
    EXPECT_EQ(r.bulletinNumber, 1);
    EXPECT_EQ(r.centreEntry.nameView(), "OFFENBACH");
    EXPECT_EQ(r.bulletinTime, uint32_t(utcTime(17, 12) + 3600));
    EXPECT_EQ(r.observationTime, uint32_t(utcTime(17, 12) + 3600));
    EXPECT_EQ(r.stationEntry.number, 10400u);
    EXPECT_EQ(r.sectionKind, 1);
    EXPECT_EQ(r.windIndicator, 1);
    EXPECT_EQ(r.precipIndicator, 4);
    EXPECT_EQ(r.stationTypeIndicator, 1);
    EXPECT_EQ(r.cloudBaseKey[0], 'H');
    EXPECT_EQ(r.cloudBaseKey[1], '5');
    EXPECT_EQ(r.visibility, 80);
    EXPECT_EQ(r.totalCloud, '8');
    EXPECT_EQ(r.windDirection, 270);
    EXPECT_EQ(r.windSpeed, 10);
    EXPECT_EQ(r.airTemperature, 51);
    EXPECT_EQ(r.dewPoint, -10);
    const uint32_t expected = SynopFlag::StationIdentified | SynopFlag::Visibility | SynopFlag::WindDirection
                            | SynopFlag::WindSpeed | SynopFlag::AirTemperature | SynopFlag::DewPoint;
    EXPECT_EQ(r.flags, expected);
    EXPECT_EQ(r.fileIndex, (16 + 17 - 1) * 24 + 12);
}

// One report per case, "10400 41580 <groups>=": the field and bit expected.
TEST_F(SynopDecoderTest, GroupValues)
{
    struct Case {
        const char* groups;
        int16_t SynopRecord::*field;
        int value;
        uint32_t bit;
        bool bitSet;
    } cases[] = {
        {"8//10 10051 21010", &SynopRecord::windDirection, -10, SynopFlag::WindDirection, false},
        {"82710 11051 21010", &SynopRecord::airTemperature, -51, SynopFlag::AirTemperature, true},
        {"82710 1//// 29078", &SynopRecord::humidity, 78, SynopFlag::Humidity, true},
        {"82710 1//// 29078", &SynopRecord::airTemperature, 0, SynopFlag::AirTemperature, false},
        {"82710 10051 20011 41234", &SynopRecord::isobaricSurface, 1000, SynopFlag::Geopotential, true},
        {"82710 10051 20011 41234", &SynopRecord::geopotential, 234, SynopFlag::Geopotential, true},
        {"82710 10051 20011 42628", &SynopRecord::isobaricSurface, 925, SynopFlag::Geopotential, true},
        {"82710 10051 20011 48315", &SynopRecord::isobaricSurface, 850, SynopFlag::Geopotential, true},
        {"82710 10051 20011 40123", &SynopRecord::seaLevelPressure, 123, SynopFlag::SeaLevelPressure, true},
        {"82710 10051 20011 49987", &SynopRecord::seaLevelPressure, 9987, SynopFlag::SeaLevelPressure, true},
        {"82710 10051 20011 30123 49987", &SynopRecord::stationPressure, 123, SynopFlag::StationPressure, true},
        {"82710 10051 20011 52015", &SynopRecord::pressureTendency, 15, SynopFlag::PressureTendency, true},
        {"82710 10051 20011 60102", &SynopRecord::precipitation, 10, SynopFlag::Precipitation, true},
        // Out of order: the 3-group after the 4-group is ignored.
        {"82710 10051 20011 49987 30123", &SynopRecord::stationPressure, 0, SynopFlag::StationPressure, false},
        // Sign figure 5 does not exist: the group is ignored, the next 2-group taken.
        {"82710 10051 25011 21022", &SynopRecord::dewPoint, -22, SynopFlag::DewPoint, true},
        // Without its 1-group nothing after it is decoded.
        {"82710 21022 49987", &SynopRecord::seaLevelPressure, 0, SynopFlag::SeaLevelPressure, false},
    };
    for (const Case& c : cases) {
        const auto records = decode(bulletin(std::string("10400 41580 ") + c.groups + "="));
        ASSERT_EQ(records.size(), 1u) << c.groups;
        EXPECT_EQ(records[0].*c.field, c.value) << c.groups;
        EXPECT_EQ(records[0].has(c.bit), c.bitSet) << c.groups;
    }
}

TEST_F(SynopDecoderTest, WindSpeedOf99IsFollowedBy00fff)
{
    const auto records = decode(bulletin("10400 41580 82799 00123 10051 20011="));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].windSpeed, 123);
    EXPECT_EQ(records[0].airTemperature, 51);
}

TEST_F(SynopDecoderTest, SectionOneGroupsAndSectionThree)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 20011 30123 41234 333 "
                                         "10123 21005 4/000 55304 0//// 20643 69977 83816 85630 91003="));
    ASSERT_EQ(records.size(), 1u);
    const SynopRecord& r = records[0];
    EXPECT_EQ(r.geopotential, 234);
    EXPECT_EQ(r.maxTemperature, 123);
    EXPECT_EQ(r.minTemperature, -5);
    EXPECT_EQ(r.snowDepth, 0);
    EXPECT_EQ(r.snowGroundState, -1);
    // The radiation group 20643 after 553SS is no minimum temperature.
    EXPECT_EQ(r.precipitation, 997);
    EXPECT_EQ(r.precipitationPeriod, 7);
    EXPECT_EQ(r.layerAmount[8], 3);
    EXPECT_EQ(r.layerHeight[8], 16);
    EXPECT_EQ(r.layerAmount[6], 5);
    EXPECT_EQ(r.layerHeight[6], 30);
    EXPECT_TRUE(hasAll(r, SynopFlag::CloudLayer | SynopFlag::MaxTemperature | SynopFlag::MinTemperature));
}

TEST_F(SynopDecoderTest, SectionFiveIsNotReadAsOtherGroups)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 20011 555 30123 41234="));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].has(SynopFlag::StationPressure));
    EXPECT_FALSE(records[0].has(SynopFlag::Geopotential));
}

TEST_F(SynopDecoderTest, ReportBoundaries)
{
    // NIL report, a report ending after its 2-group, one ending in 4a3hhh,
    // each followed by a report decoded from its own station number.
    const auto records = decode(bulletin("10400 NIL=\r\r\n10401 41580 82710 10051 21010=\r\r\n"
                                         "10402 41580 82710 10052 20011 41234=\r\r\n10400 41580 82710 10053 20011="));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].stationEntry.number, 10401u);
    EXPECT_EQ(records[0].dewPoint, -10);
    EXPECT_EQ(records[1].stationEntry.number, 10402u);
    EXPECT_EQ(records[1].geopotential, 234);
    EXPECT_EQ(records[2].stationEntry.number, 10400u);
    EXPECT_EQ(records[2].airTemperature, 53);
}

// Blanks left at the end of the heading and section lines do not hide their line ends.
TEST_F(SynopDecoderTest, BlanksBeforeLineEndsChangeNothing)
{
    const std::string body = "10401 41580 82710 10051 21010=";
    const auto plain = decode(bulletin(body));
    const auto blanks = decode(bulletin(body, "SMDL01 EDZW 171200 ", "AAXX 17121  "));
    ASSERT_EQ(plain.size(), 1u);
    ASSERT_EQ(blanks.size(), 1u);
    EXPECT_EQ(blanks[0].stationEntry.number, 10401u);
    EXPECT_EQ(blanks[0].serialise(), plain[0].serialise());
}

TEST_F(SynopDecoderTest, SectionHeaderInsideAReportAbandonsIt)
{
    const auto records = decode(bulletin("10401 41580 82710 10051 AAXX 17121\r\r\n10402 41580 82710 10052 20011="));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].stationEntry.number, 10402u);
}

TEST_F(SynopDecoderTest, UnknownStationIsSkipped)
{
    const auto records = decode(bulletin("99999 41580 82710 10051 20011=\r\r\n10402 41580 82710 10052 20011="));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].stationEntry.number, 10402u);
}

TEST_F(SynopDecoderTest, BbbIndicator)
{
    auto records = decode(bulletin("10400 41580 82710 10051 20011=", "SMDL01 EDZW 171200 RRA"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(SynopRecord::text(records[0].bbbText), "Nachtrag");
    records = decode(bulletin("10400 41580 82710 10051 20011=", "SMDL01 EDZW 171200 PAA"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(SynopRecord::text(records[0].bbbText), "");
}

TEST_F(SynopDecoderTest, UnknownDataTypeAbandonsOnlyTheHeading)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 20011=", "XXDL01 EDZW 171200"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(SynopRecord::text(records[0].ttText), "");
    EXPECT_EQ(records[0].centreEntry.nameView(), "");
    EXPECT_EQ(records[0].bulletinTime, uint32_t(utcTime(17, 12))); // the file's time
}

TEST_F(SynopDecoderTest, ShipPositionQuadrants)
{
    struct Case {
        char quadrant;
        int latitude, longitude;
    } cases[] = {{'7', -3258, -534}, {'1', -3258, 534}, {'3', 3258, 534}, {'5', 3258, -534}};
    for (const Case& c : cases) {
        const std::string report = std::string("DBAI 17124 99543 ") + c.quadrant + "0089 41/98 82710 10051 20011=";
        const auto records = decode(bulletin(report, "SMVE01 EDZW 171200", "BBXX"));
        ASSERT_EQ(records.size(), 1u) << c.quadrant;
        const SynopRecord& r = records[0];
        EXPECT_EQ(r.stationEntry.latitudeMinutes, c.latitude);
        EXPECT_EQ(r.stationEntry.longitudeMinutes, c.longitude);
        EXPECT_EQ(r.stationEntry.nameView(), "DBAI");
        EXPECT_EQ(r.sectionKind, 2);
        EXPECT_TRUE(hasAll(r, SynopFlag::ShipCallSign | SynopFlag::StationIdentified));
        EXPECT_EQ(r.windIndicator, 4);
    }
}

TEST_F(SynopDecoderTest, ShipSectionTwo)
{
    const auto records = decode(bulletin("DBAI 17124 99543 70089 41/98 82710 10051 20011 22254 "
                                         "00150 10306 20304 31220 40805 50703 70025 ICE=\r\r\n"
                                         "62123 17124 99543 30089 41/98 82710 10051 20011 "
                                         "22254 01015 1//// 20304=\r\r\nLAOO5 17124 99543 70089 41/98 82710=",
                                         "SMVE01 EDZW 171200", "BBXX"));
    ASSERT_EQ(records.size(), 2u);
    const SynopRecord& r = records[0];
    EXPECT_EQ(r.shipDirection, 5);
    EXPECT_EQ(r.shipSpeed, 4);
    EXPECT_EQ(r.seaTemperature, 150);
    EXPECT_EQ(r.wavePeriod, 3);
    EXPECT_EQ(r.waveHeight, 25); // 70025 after 10306 (30 dm)
    EXPECT_EQ(r.windWavePeriod, 3);
    EXPECT_EQ(r.windWaveHeight, 4);
    EXPECT_EQ(r.swell1Direction, 12);
    EXPECT_EQ(r.swell2Direction, 20);
    EXPECT_EQ(r.swell1Period, 8);
    EXPECT_EQ(r.swell1Height, 5);
    EXPECT_EQ(r.swell2Period, 7);
    EXPECT_EQ(r.swell2Height, 3);
    EXPECT_TRUE(hasAll(r, SynopFlag::Waves | SynopFlag::WindWaves | SynopFlag::Swell1 | SynopFlag::Swell2));
    // A numeric identifier; a missing wave height stays -1.
    const SynopRecord& buoy = records[1];
    EXPECT_EQ(buoy.platformRegion, 62);
    EXPECT_EQ(buoy.platformNumber, 123);
    EXPECT_EQ(buoy.seaTemperature, -15);
    EXPECT_EQ(buoy.waveHeight, -1);
    EXPECT_FALSE(buoy.has(SynopFlag::Waves));
    EXPECT_FALSE(buoy.has(SynopFlag::ShipCallSign));
}

// Section 2 of a ship, one group per row: the wave height of 1PwPwHwHw in
// half metres, 70HwaHwaHwa in decimetres over it, and the pair groups whose
// bit is set when either value is there.
TEST_F(SynopDecoderTest, ShipSectionTwoGroups)
{
    struct Row {
        const char* groups;
        int waveHeight;
        int windWavePeriod;
        int windWaveHeight;
        uint32_t flagsSet;
        uint32_t flagsClear;
    };
    const Row rows[] = {
        {"10306", 30, 0, 0, SynopFlag::Waves, 0},
        {"10301", 5, 0, 0, SynopFlag::Waves, 0},
        {"103//", -1, 0, 0, SynopFlag::Waves, 0},          // the period alone
        {"10306 70025", 25, 0, 0, SynopFlag::Waves, 0},   // 70 group wins
        {"10000", 0, 0, 0, 0, SynopFlag::Waves},           // calm, nothing there
        {"20400", 0, 4, 0, SynopFlag::WindWaves, 0},      // period only
        {"20004", 0, 0, 4, SynopFlag::WindWaves, 0},      // height only
        {"20000", 0, 0, 0, 0, SynopFlag::WindWaves},
        {"40800", 0, 0, 0, SynopFlag::Swell1, 0},
        {"50007", 0, 0, 0, SynopFlag::Swell2, 0},
        {"31200", 0, 0, 0, SynopFlag::SwellDirection, 0},
    };
    for (const Row& row : rows) {
        const auto records = decode(bulletin(std::string("DBAI 17124 99543 70089 41/98 82710 10051 20011 22254 ") +
                                                 row.groups + "=",
                                             "SMVE01 EDZW 171200", "BBXX"));
        ASSERT_FALSE(records.empty()) << row.groups;
        const SynopRecord& r = records.back();
        EXPECT_EQ(r.waveHeight, row.waveHeight) << row.groups;
        EXPECT_EQ(r.windWavePeriod, row.windWavePeriod) << row.groups;
        EXPECT_EQ(r.windWaveHeight, row.windWaveHeight) << row.groups;
        EXPECT_EQ(r.flags & row.flagsSet, row.flagsSet) << row.groups;
        EXPECT_EQ(r.flags & row.flagsClear, 0u) << row.groups;
    }
}

// 3EsnTgTg: state of the ground and the signed ground minimum temperature.
TEST_F(SynopDecoderTest, GroundGroupOfSectionThree)
{
    const struct {
        const char* group;
        int state;
        int temperature;
        bool flag;
    } rows[] = {{"31112", 1, -12, true}, {"32005", 2, 5, true}, {"31100", 1, 0, true}, {"3/109", -1, -9, true},
                {"31512", 1, 12, false}};
    for (const auto& row : rows) {
        const auto records =
            decode(bulletin(std::string("10400 41580 82710 10051 20011 333 10123 21005 ") + row.group + "="));
        ASSERT_FALSE(records.empty()) << row.group;
        EXPECT_EQ(records.back().groundState, row.state) << row.group;
        EXPECT_EQ(records.back().groundMinTemperature, row.temperature) << row.group;
        EXPECT_EQ(records.back().has(SynopFlag::GroundGroup), row.flag) << row.group;
    }
}

// Groups whose faults the rows above let through, one row each.
TEST_F(SynopDecoderTest, PeriodHumidityIceAndSnowGroups)
{
    auto last = [this](const std::string& body, const char* heading = "SMDL01 EDZW 171200",
                       const char* section = "AAXX 17121") {
        const auto records = decode(bulletin(body + "=", heading, section));
        EXPECT_FALSE(records.empty()) << body;
        return records.empty() ? SynopRecord{} : records.back();
    };
    // 6RRRtR of section 1: the period is the last figure alone.
    const SynopRecord rain = last("10400 41580 82710 10051 20011 60121");
    EXPECT_EQ(rain.precipitation, 12);
    EXPECT_EQ(rain.precipitationPeriod, 1);
    // Section 4 of snow: 4E'sss sets the bit when either value is there.
    const SynopRecord snowDepthOnly = last("10400 41580 82710 10051 20011 333 4/010");
    EXPECT_EQ(snowDepthOnly.snowDepth, 10);
    EXPECT_TRUE(snowDepthOnly.has(SynopFlag::Snow));
    const SynopRecord snowStateOnly = last("10400 41580 82710 10051 20011 333 41///");
    EXPECT_TRUE(snowStateOnly.has(SynopFlag::Snow));
    // Ship section 2: 0-group with a 9 in the second place is the humidity;
    // an ice group of zeros is no ice.
    const std::string ship = "DBAI 17124 99543 70089 41/98 82710 10051 20011 22254 ";
    const SynopRecord humid = last(ship + "09085", "SMVE01 EDZW 171200", "BBXX");
    EXPECT_EQ(humid.humidity, 85);
    EXPECT_TRUE(humid.has(SynopFlag::Humidity));
    EXPECT_FALSE(humid.has(SynopFlag::SeaTemperature));
    EXPECT_FALSE(last(ship + "60000", "SMVE01 EDZW 171200", "BBXX").has(SynopFlag::Ice));
    EXPECT_TRUE(last(ship + "60001", "SMVE01 EDZW 171200", "BBXX").has(SynopFlag::Ice));
    EXPECT_TRUE(last(ship + "61000", "SMVE01 EDZW 171200", "BBXX").has(SynopFlag::Ice));
}

TEST_F(SynopDecoderTest, TimeWindowLimits)
{
    // At 14:30 UTC on the 17th reports from 13:00 on the 14th to 14:00 on
    // the 17th are valid, in any time zone.
    for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York"}) {
        setTimeZone(zone);
        struct Case {
            const char* date;
            bool valid;
        } cases[] = {{"17141", true}, {"17151", false}, {"14131", true}, {"14121", false}, {"32121", false}};
        for (const Case& c : cases) {
            const auto records = decode(bulletin("10400 41580 82710 10051 20011=", "SMDL01 EDZW 171200",
                                                 std::string("AAXX ") + c.date));
            EXPECT_EQ(records.size(), c.valid ? 1u : 0u) << zone << " " << c.date;
        }
    }
}

TEST_F(SynopDecoderTest, TimeWindowInSummerTime)
{
    setTimeZone("Europe/Berlin");
    const SynopTimeWindow w = SynopTimeWindow::fromUtcFields(2023, 7, 17, 14, 30);
    // File names carry the UTC hour, summer or winter.
    const std::tm newest = SynopTimeWindow::localFields(w.hourTime(72));
    const std::tm oldest = SynopTimeWindow::localFields(w.hourTime(0));
    EXPECT_EQ(newest.tm_mday * 100 + newest.tm_hour, 1714);
    EXPECT_EQ(oldest.tm_mday * 100 + oldest.tm_hour, 1414);
    struct Case {
        const char* date;
        bool valid;
    } cases[] = {{"17141", true}, {"17151", false}, {"14131", true}, {"14121", false}};
    for (const Case& c : cases) {
        std::vector<SynopRecord> written;
        SynopDecoder decoder(tables, collectInto(written));
        decoder.SetSynopFileContext(SynopFileContext::forFile(2023, 7, 17, 14, w.hourTime(72), w));
        decoder.BeginSynopFile();
        feedText(decoder, bulletin("10400 41580 82710 10051 20011=", "SMDL01 EDZW 171400",
                                   std::string("AAXX ") + c.date));
        decoder.EndSynopFile();
        EXPECT_EQ(written.size(), c.valid ? 1u : 0u) << c.date;
    }
}

TEST_F(SynopDecoderTest, LandSectionWithInvalidDateWritesNothing)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 20011=\r\r\n10401 41580 82710 10051 20011=",
                                         "SMDL01 EDZW 171200", "AAXX 10121"));
    EXPECT_TRUE(records.empty());
}

TEST_F(SynopDecoderTest, ReportsOfTheLastDayOfTheMonthBefore)
{
    auto decoder = std::make_unique<SynopDecoder>(tables, collectInto(records));
    const SynopTimeWindow w = SynopTimeWindow::fromUtcFields(2023, 2, 1, 1, 10);
    const int64_t fileTime = SynopTimeWindow::localTimeValue(2023, 2, 1, 0, 0, 0);
    decoder->SetSynopFileContext(SynopFileContext::forFile(2023, 2, 1, 0, fileTime, w));
    decoder->BeginSynopFile();
    feedText(*decoder, bulletin("10400 41580 82710 10051 20011=", "SMDL01 EDZW 312300", "AAXX 31231"));
    decoder->EndSynopFile();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].observationTime, uint32_t(SynopTimeWindow::localTimeValue(2023, 1, 31, 23, 0, 0) + 3600));
}

TEST_F(SynopDecoderTest, UnframedFileIsDecodedFromItsSectionHeader)
{
    const auto records = decode("ZCZC\r\r\nAAXX 17121\r\n10400 41580 82710 10051 20011=\r\nNNNN\r\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].bulletinTime, uint32_t(utcTime(17, 12)));
}

TEST_F(SynopDecoderTest, BulletinEndClosesAReportWithoutTerminator)
{
    const auto records = decode(bulletin("10400 41580 82710 10051 20011"));
    EXPECT_EQ(records.size(), 1u);
}

TEST_F(SynopDecoderTest, WithoutTablesNothingIsDecoded)
{
    SynopTables empty;
    SynopDecoder decoder(empty, collectInto(records));
    feedText(decoder, bulletin("10400 41580 82710 10051 20011="));
    decoder.EndSynopFile();
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(decoder.reportsWritten(), 0u);
}

TEST_F(SynopDecoderTest, GarbageNeverOverruns)
{
    std::string text;
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245 + 12345;
        const char alphabet[] = "0123456789/ =\r\n\x01\x03" "AAXXBBXXNILabc";
        text.push_back(alphabet[(seed >> 16) % (sizeof alphabet - 1)]);
    }
    // Far longer than a line: taken in pieces. The decoder is still sound
    // after it: a bulletin that follows is read.
    const auto records = decode(text + "\n" + bulletin("10400 41580 82710 10051 20011="));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().stationEntry.number, 10400u);
    EXPECT_EQ(records.back().airTemperature, 51);
}

} // namespace

namespace kesmar::test {
namespace {

// The download and the conversion start from the moment's UTC fields.
TEST(SynopTimeWindowTest, FromNowTakesTheUtcFieldsOfTheMoment)
{
    const SynopTimeWindow a = SynopTimeWindow::fromNow(1673965800); // 2023-01-17 14:30:00 UTC
    const SynopTimeWindow b = SynopTimeWindow::fromUtcFields(2023, 1, 17, 14, 30);
    EXPECT_EQ(a.start, b.start);
    EXPECT_EQ(a.latest, b.latest);
}

} // namespace
} // namespace kesmar::test
