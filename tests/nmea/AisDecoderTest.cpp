#include "AisTestSupport.h"
#include "nmea/AisPayload.h"
#include "nmea/AisReceiver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar;
using kesmar::test::AisBits;
using kesmar::test::aivdm;

namespace {

// The sentence at `lineNumber` (1-based) of sample.aivdm and the fragments
// that directly follow it, through a fresh receiver.
std::optional<AisMessage> decodeSampleAt(int lineNumber)
{
    const QList<QByteArray> lines = test::sharedLines(QStringLiteral("ais/sample.aivdm"));
    EXPECT_GE(lines.size(), lineNumber) << "ais/sample.aivdm missing or short";
    AisReceiver receiver;
    std::optional<AisMessage> message;
    for (int i = lineNumber - 1; i < lines.size() && lines[i].startsWith('!'); ++i)
        if (auto m = receiver.receive(lines[i])) message = m;
    return message;
}

// Values as written in the comments of sample.aivdm below each sentence.
struct SampleCase {
    int line;
    int type;
    uint32_t mmsi;
    double speed, lon, lat, course; // NAN: not in the comment / not available
    int heading;                    // -1: not available (511)
};

class AisSampleTest : public testing::TestWithParam<SampleCase> {};

TEST_P(AisSampleTest, PositionReportsMatchTheComments)
{
    const SampleCase& c = GetParam();
    const auto m = decodeSampleAt(c.line);
    ASSERT_TRUE(m) << "line " << c.line;
    EXPECT_EQ(m->type, c.type);
    EXPECT_EQ(m->mmsi, c.mmsi);
    if (std::isnan(c.speed)) EXPECT_FALSE(m->speedKnots);
    else { ASSERT_TRUE(m->speedKnots); EXPECT_NEAR(*m->speedKnots, c.speed, 1e-9); }
    ASSERT_TRUE(m->longitude && m->latitude);
    EXPECT_NEAR(*m->longitude, c.lon, 1e-6);
    EXPECT_NEAR(*m->latitude, c.lat, 1e-6);
    if (std::isnan(c.course)) EXPECT_FALSE(m->courseDegrees);
    else { ASSERT_TRUE(m->courseDegrees); EXPECT_NEAR(*m->courseDegrees, c.course, 1e-9); }
    if (c.heading < 0) EXPECT_FALSE(m->headingDegrees);
    else EXPECT_EQ(m->headingDegrees, c.heading);
}

INSTANTIATE_TEST_SUITE_P(Sample, AisSampleTest, testing::Values(
    SampleCase{10, 1, 371798000, 12.3, -123.395383333, 48.38163333333, 224, 215},
    SampleCase{32, 1, 440348000, 0.0, -70.7582, 43.08015, 93.4, -1},
    SampleCase{56, 2, 356302000, 13.9, -71.626143333, 40.392358333, 87.7, 91},
    SampleCase{78, 3, 563808000, 0.0, -76.327533333, 36.91, 252, 352},
    SampleCase{101, 4, 3669702, NAN, -76.352361667, 36.883766667, NAN, -1},
    SampleCase{709, 18, 338087471, 0.1, -74.072131667, 40.68454, 79.6, -1},
    SampleCase{728, 18, 338088483, 0.0, -70.8111966, 43.11555833, 171.6, -1},
    SampleCase{747, 18, 368161000, 5.1, -72.2338483333, 39.480925, 34.9, -1},
    SampleCase{772, 19, 367059850, 8.7, -88.8103916667, 29.543695, 335.9, -1},
    SampleCase{831, 21, 123456789, NAN, -122.698591667, 47.9206183333, NAN, -1}),
    [](const testing::TestParamInfo<SampleCase>& p) { return "line" + std::to_string(p.param.line); });

TEST(AisSample, StaticAndVoyageData)
{
    const auto m = decodeSampleAt(124);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->type, 5);
    EXPECT_EQ(m->mmsi, 351759000u);
    EXPECT_EQ(m->imo, 9134270u);
    EXPECT_EQ(m->callsign, QStringLiteral("3FOF8"));
    EXPECT_EQ(m->shipname, QStringLiteral("EVER DIADEM"));
    EXPECT_EQ(m->shiptype, 70);
    EXPECT_EQ(m->toBow, 225);
    EXPECT_EQ(m->toStern, 70);
    EXPECT_EQ(m->toPort, 1);
    EXPECT_EQ(m->toStarboard, 31);
    EXPECT_EQ(m->etaMonth, 5);
    EXPECT_EQ(m->etaDay, 15);
    // The comment says 16; the bits say 14, and so does gpsdecode.
    EXPECT_EQ(m->etaHour, 14);
    EXPECT_EQ(m->etaMinute, 0);
    ASSERT_TRUE(m->draughtMeters);
    EXPECT_NEAR(*m->draughtMeters, 12.2, 1e-9);
    EXPECT_EQ(m->destination, QStringLiteral("NEW YORK"));
}

TEST(AisSample, BaseStationTimeClassBExtendedAidAndStaticB)
{
    const auto base = decodeSampleAt(101);
    ASSERT_TRUE(base);
    EXPECT_EQ(base->year, 2007);
    EXPECT_EQ(base->month, 5);
    EXPECT_EQ(base->day, 14);
    EXPECT_EQ(base->hour, 19);
    EXPECT_EQ(base->minute, 57);
    EXPECT_EQ(base->utcSecond, 39);

    const auto b = decodeSampleAt(772);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->shipname, QStringLiteral("CAPT.J.RIMES"));
    EXPECT_EQ(b->shiptype, 70);
    EXPECT_EQ(b->toBow, 5);
    EXPECT_EQ(b->toStern, 21);
    EXPECT_EQ(b->toPort, 4);
    EXPECT_EQ(b->toStarboard, 4);

    const auto aid = decodeSampleAt(831);
    ASSERT_TRUE(aid);
    EXPECT_EQ(aid->aidType, 20);
    EXPECT_EQ(aid->shipname, QStringLiteral("CHINA ROSE MURPHY EXPRESS ALERT"));
    EXPECT_EQ(aid->toBow, 5);
    EXPECT_EQ(aid->second, 50);
    EXPECT_EQ(aid->regional, 165);

    const auto partA = decodeSampleAt(904);
    ASSERT_TRUE(partA);
    EXPECT_EQ(partA->type, 24);
    EXPECT_EQ(partA->partNumber, 0);
    EXPECT_EQ(partA->shipname, QStringLiteral("PROGUY"));
    const auto partB = decodeSampleAt(910);
    ASSERT_TRUE(partB);
    EXPECT_EQ(partB->mmsi, 271041815u);
    EXPECT_EQ(partB->partNumber, 1);
    EXPECT_EQ(partB->shiptype, 60);
    EXPECT_EQ(partB->callsign, QStringLiteral("TC6163"));
    EXPECT_FALSE(partB->toBow); // 0 is "not available"
    EXPECT_EQ(partB->toStern, 15);
    EXPECT_EQ(partB->toStarboard, 5);
}

// A class A report with every field given; the test rows change one.
AisBits classA(int64_t lon, int64_t lat, uint32_t speed, uint32_t course, uint32_t heading, int turn = 0,
               uint32_t second = 10, uint32_t status = 0)
{
    AisBits b;
    b.put(1, 6).put(0, 2).put(211234560, 30).put(status, 4).putSigned(turn, 8).put(speed, 10).put(1, 1);
    b.putSigned(lon, 28).putSigned(lat, 27).put(course, 12).put(heading, 9).put(second, 6);
    b.put(0, 2).put(0, 3).put(0, 1).put(0, 19);
    return b;
}

std::optional<AisMessage> decodeBits(const AisBits& bits, AisReceiver& receiver)
{
    int fill = 0;
    const QByteArray payload = bits.armoured(&fill);
    return receiver.receive(aivdm(1, 1, "", 'A', payload, fill));
}

TEST(AisDecoder, NotAvailableCodesStayUnknown)
{
    AisReceiver receiver;
    // 53.5 N, 9.9 E, 12.5 kn, 271.3 deg, heading 270.
    const auto good = decodeBits(classA(int64_t(9.9 * 600000), int64_t(53.5 * 600000), 125, 2713, 270, -20, 59, 5),
                                 receiver);
    ASSERT_TRUE(good);
    EXPECT_NEAR(*good->longitude, 9.9, 1e-9);
    EXPECT_NEAR(*good->latitude, 53.5, 1e-9);
    EXPECT_NEAR(*good->speedKnots, 12.5, 1e-9);
    EXPECT_NEAR(*good->courseDegrees, 271.3, 1e-9);
    EXPECT_EQ(good->headingDegrees, 270);
    EXPECT_EQ(good->turn, -20);
    EXPECT_EQ(good->second, 59);
    EXPECT_EQ(good->status, 5);

    const auto none = decodeBits(classA(181 * 600000, 91 * 600000, 1023, 3600, 511, -128, 60, 15), receiver);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->longitude);
    EXPECT_FALSE(none->latitude);
    EXPECT_FALSE(none->speedKnots);
    EXPECT_FALSE(none->courseDegrees);
    EXPECT_FALSE(none->headingDegrees);
    EXPECT_FALSE(none->turn);
    EXPECT_FALSE(none->second);
    EXPECT_FALSE(none->status);
    EXPECT_FALSE(none->hasPosition());

    // Beyond the not-available codes: still unusable, never clamped.
    const auto wild = decodeBits(classA(-200 * 600000, 95 * 600000, 0, 3601, 400), receiver);
    ASSERT_TRUE(wild);
    EXPECT_FALSE(wild->longitude);
    EXPECT_FALSE(wild->latitude);
    EXPECT_EQ(wild->speedKnots, 0.0);
    EXPECT_FALSE(wild->courseDegrees);
    EXPECT_FALSE(wild->headingDegrees);
    EXPECT_EQ(receiver.counters().decoded, 3);
}

// Type 5 split over two fragments, as in sample.aivdm line 124.
const QByteArray kPart1 = "55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8";
const QByteArray kPart2 = "88888888880";

TEST(AisAssembler, JoinsInOrderAndKeepsChannelsApart)
{
    AisReceiver receiver;
    EXPECT_FALSE(receiver.receive(aivdm(2, 1, "3", 'A', kPart1, 0)));
    // The same sequence id on the other channel is another message.
    EXPECT_FALSE(receiver.receive(aivdm(2, 1, "3", 'B', kPart1, 0)));
    const auto a = receiver.receive(aivdm(2, 2, "3", 'A', kPart2, 2));
    const auto b = receiver.receive(aivdm(2, 2, "3", 'B', kPart2, 2));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->shipname, QStringLiteral("EVER DIADEM"));
    EXPECT_EQ(b->shipname, QStringLiteral("EVER DIADEM"));
    EXPECT_EQ(receiver.counters().dropped(), 0);
}

TEST(AisAssembler, SampleChannelMultiplexing)
{
    const QList<QByteArray> lines = test::sharedLines(QStringLiteral("ais/sample.aivdm"));
    ASSERT_GE(lines.size(), 1014);
    AisReceiver receiver;
    int decoded = 0;
    for (int line = 1011; line <= 1014; ++line)
        if (auto m = receiver.receive(lines[line - 1])) {
            EXPECT_EQ(m->type, 5);
            EXPECT_EQ(m->mmsi, 271010059u); // gpsdecode names this station for both
            ++decoded;
        }
    EXPECT_EQ(decoded, 2);
}

struct FragmentCase {
    const char* name;
    std::vector<QByteArray> sentences;
    qint64 droppedFragments;
    qint64 badFillBits;
};

class AisFragmentFaults : public testing::TestWithParam<FragmentCase> {};

TEST_P(AisFragmentFaults, DropTheMessageNeverMixIt)
{
    const FragmentCase& c = GetParam();
    AisReceiver receiver;
    for (const QByteArray& s : c.sentences) EXPECT_FALSE(receiver.receive(s)) << c.name << ": " << s.constData();
    EXPECT_EQ(receiver.counters().decoded, 0) << c.name;
    EXPECT_EQ(receiver.counters().droppedFragments, c.droppedFragments) << c.name;
    EXPECT_EQ(receiver.counters().badFillBits, c.badFillBits) << c.name;
    // Afterwards a whole message still comes through.
    EXPECT_FALSE(receiver.receive(aivdm(2, 1, "3", 'A', kPart1, 0)));
    EXPECT_TRUE(receiver.receive(aivdm(2, 2, "3", 'A', kPart2, 2))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Faults, AisFragmentFaults, testing::Values(
    FragmentCase{"FirstLost", {aivdm(2, 2, "3", 'A', kPart2, 2)}, 1, 0},
    FragmentCase{"OutOfOrder", {aivdm(2, 2, "3", 'A', kPart2, 2), aivdm(2, 1, "3", 'A', kPart1, 0)}, 1, 0},
    // The second message's start replaces the first, whose end then no
    // longer fits: neither is decoded from a mix.
    FragmentCase{"Interleaved", {aivdm(3, 1, "3", 'A', kPart1, 0), aivdm(2, 1, "3", 'A', kPart1, 0),
                                 aivdm(3, 2, "3", 'A', kPart2, 0), aivdm(2, 2, "3", 'A', kPart2, 2)}, 4, 0},
    FragmentCase{"CountChanges", {aivdm(2, 1, "3", 'A', kPart1, 0), aivdm(3, 2, "3", 'A', kPart2, 0)}, 2, 0},
    FragmentCase{"FillBeforeLast", {aivdm(2, 1, "3", 'A', kPart1, 2), aivdm(2, 2, "3", 'A', kPart2, 2)}, 1, 1},
    FragmentCase{"FillTooLarge", {aivdm(2, 1, "3", 'A', kPart1, 0), aivdm(2, 2, "3", 'A', kPart2, 6)}, 1, 1},
    // Without a sequence id the fragments still belong together.
    FragmentCase{"FillTooLargeWithoutId", {aivdm(2, 1, "", 'A', kPart1, 0), aivdm(2, 2, "", 'A', kPart2, 6)}, 1, 1}),
    [](const testing::TestParamInfo<FragmentCase>& p) { return std::string(p.param.name); });

struct ParseCase {
    const char* name;
    QByteArrayView line;
    AisFragment::Check check;
    bool own;
    int count;
    std::optional<int> sequenceId;
    char channel;
    QByteArray payload;
};

class AisFragmentParse : public testing::TestWithParam<ParseCase> {};

TEST_P(AisFragmentParse, Fields)
{
    const ParseCase& c = GetParam();
    AisFragment f;
    ASSERT_EQ(AisFragment::parse(c.line, f), c.check) << c.name;
    if (c.check != AisFragment::Check::Ok) return;
    EXPECT_EQ(f.own, c.own) << c.name;
    EXPECT_EQ(f.count, c.count) << c.name;
    EXPECT_EQ(f.number, 1) << c.name;
    EXPECT_EQ(f.sequenceId, c.sequenceId) << c.name;
    EXPECT_EQ(f.channel, c.channel) << c.name;
    EXPECT_EQ(f.payload, c.payload) << c.name;
    EXPECT_EQ(f.fillBits, 0) << c.name;
}

// Checksums worked out by hand (XOR of the characters between '!' and '*').
const QByteArray kPayload = "15M67FC000G?ufbE`FepT@3n00Sa";
using Check = AisFragment::Check;

INSTANTIATE_TEST_SUITE_P(Lines, AisFragmentParse, testing::Values(
    ParseCase{"Plain", "!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5C", Check::Ok, false, 1, {}, 'B', kPayload},
    ParseCase{"LowerCaseChecksum", "!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5c\r\n", Check::Ok, false, 1, {}, 'B',
              kPayload},
    ParseCase{"Own", "!AIVDO,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5e", Check::Ok, true, 1, {}, 'B', kPayload},
    ParseCase{"NineFragments", "!AIVDM,9,1,5,B,15M67FC000G?ufbE`FepT@3n00Sa,0*61", Check::Ok, false, 9, 5, 'B',
              kPayload},
    ParseCase{"NoChannel", "!AIVDM,1,1,,,15M67FC000G?ufbE`FepT@3n00Sa,0*1E", Check::Ok, false, 1, {}, 0, kPayload},
    ParseCase{"NoPayload", "!AIVDM,1,1,,A,,0*26", Check::Ok, false, 1, {}, 'A', ""},
    ParseCase{"Empty", QByteArrayView(), Check::NotAis, false, 0, {}, 0, ""},
    ParseCase{"LineEndOnly", "\r\n", Check::NotAis, false, 0, {}, 0, ""},
    ParseCase{"WrongChecksum", "!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5D", Check::BadChecksum, false, 0, {}, 0,
              ""},
    ParseCase{"NumberNotADigit", "!AIVDM,1,X,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*35", Check::BadFormat, false, 0, {}, 0,
              ""},
    ParseCase{"SequenceNotADigit", "!AIVDM,2,1,X,B,15M67FC000G?ufbE`FepT@3n00Sa,0*07", Check::BadFormat, false, 0, {},
              0, ""},
    ParseCase{"FillNotADigit", "!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,X*34", Check::BadFormat, false, 0, {}, 0,
              ""},
    ParseCase{"TenFragments", "!AIVDM,10,1,5,B,15M67FC000G?ufbE`FepT@3n00Sa,0*59", Check::BadFormat, false, 0, {}, 0,
              ""}),
    [](const testing::TestParamInfo<ParseCase>& p) { return std::string(p.param.name); });

// Type 5 with every field given, built after the bit table of the message.
AisBits staticAndVoyage(uint32_t month, uint32_t day, uint32_t hour, uint32_t minute)
{
    AisBits b;
    b.put(5, 6).put(0, 2).put(211234560, 30).put(0, 2).put(9134270, 30).putText("DABC", 7).putText("ELBE PILOT", 20);
    b.put(70, 8).put(100, 9).put(20, 9).put(5, 6).put(10, 6).put(1, 4);
    b.put(month, 4).put(day, 5).put(hour, 5).put(minute, 6).put(75, 8).putText("HAMBURG", 20).put(0, 1).put(0, 1);
    return b;
}

// Type 24 part B: ship type, vendor, call sign, then dimensions or the mother ship.
AisBits staticB(uint32_t mmsi, uint32_t last30Bits)
{
    AisBits b;
    b.put(24, 6).put(0, 2).put(mmsi, 30).put(1, 2).put(52, 8).put(0, 42).putText("DB1234", 7);
    b.put(last30Bits, 30).put(0, 6);
    return b;
}

TEST(AisDecoder, StaticFieldsAtTheirLimits)
{
    AisReceiver receiver;
    const auto last = decodeBits(staticAndVoyage(12, 31, 23, 59), receiver);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->imo, 9134270u);
    EXPECT_EQ(last->callsign, QStringLiteral("DABC"));
    EXPECT_EQ(last->shipname, QStringLiteral("ELBE PILOT"));
    EXPECT_EQ(last->shiptype, 70);
    EXPECT_EQ(last->toBow, 100);
    EXPECT_EQ(last->toStarboard, 10);
    EXPECT_EQ(last->etaMonth, 12);
    EXPECT_EQ(last->etaDay, 31);
    EXPECT_EQ(last->etaHour, 23);
    EXPECT_EQ(last->etaMinute, 59);
    EXPECT_EQ(last->draughtMeters, 7.5);
    EXPECT_EQ(last->destination, QStringLiteral("HAMBURG"));

    // 0 / 24 / 60 are "not available", 13 no month.
    const auto beyond = decodeBits(staticAndVoyage(13, 0, 24, 60), receiver);
    ASSERT_TRUE(beyond);
    EXPECT_FALSE(beyond->etaMonth);
    EXPECT_FALSE(beyond->etaDay);
    EXPECT_FALSE(beyond->etaHour);
    EXPECT_FALSE(beyond->etaMinute);

    // An auxiliary craft (98xxxxxxx) names its mother ship in the dimension bits.
    const auto auxiliary = decodeBits(staticB(982345678, 211234567), receiver);
    ASSERT_TRUE(auxiliary);
    EXPECT_EQ(auxiliary->partNumber, 1);
    EXPECT_EQ(auxiliary->shiptype, 52);
    EXPECT_EQ(auxiliary->callsign, QStringLiteral("DB1234"));
    EXPECT_EQ(auxiliary->mothershipMmsi, 211234567u);
    EXPECT_FALSE(auxiliary->toBow);
    // Bow 10, stern 5, port 2, starboard 3 in 9 + 9 + 6 + 6 bits.
    const auto ship = decodeBits(staticB(211234567, (10u << 21) | (5u << 12) | (2u << 6) | 3u), receiver);
    ASSERT_TRUE(ship);
    EXPECT_FALSE(ship->mothershipMmsi);
    EXPECT_EQ(ship->toBow, 10);
    EXPECT_EQ(ship->toStern, 5);
    EXPECT_EQ(ship->toPort, 2);
    EXPECT_EQ(ship->toStarboard, 3);
}

TEST(AisPayload, FillBitsAndCutCharacters)
{
    // Six fill bits would be a whole character: never sent.
    EXPECT_FALSE(AisPayload::dearmour("00", 6));
    EXPECT_FALSE(AisPayload::dearmour("0", -1));
    EXPECT_FALSE(AisPayload::dearmour("", 1));
    // "1" = 000001 ('A'), "W" = 100111, less two fill bits: 10 bits. The
    // second character is cut short by the end and is not read.
    const auto p = AisPayload::dearmour("1W", 2);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->bitCount(), 10);
    EXPECT_EQ(p->unsignedBits(6, 4), 0b1001u);
    EXPECT_EQ(p->text(0, 2), QStringLiteral("A"));
    EXPECT_EQ(p->text(3, 2), QStringLiteral("L")); // bits 3-8: 001100 = 12
}

TEST(AisReceiver, BadInputIsCountedByWhy)
{
    int fill = 0;
    const QByteArray good = classA(600000, 600000, 10, 10, 10).armoured(&fill);
    AisReceiver receiver;
    ASSERT_TRUE(receiver.receive(aivdm(1, 1, "", 'A', good, fill)));
    QByteArray badChar = good;
    badChar[5] = 'X'; // between 'W' and '`'
    EXPECT_FALSE(receiver.receive(aivdm(1, 1, "", 'A', badChar, fill)));
    EXPECT_FALSE(receiver.receive(aivdm(1, 1, "", 'A', good.left(20), 0)));
    EXPECT_FALSE(receiver.receive(aivdm(1, 1, "", 'A', good, 7)));
    QByteArray wrongSum = aivdm(1, 1, "", 'A', good, fill);
    wrongSum[wrongSum.size() - 1] = wrongSum.back() == '0' ? '1' : '0';
    EXPECT_FALSE(receiver.receive(wrongSum));
    EXPECT_FALSE(receiver.receive("!AIVDM,1,1,,A," + good + ",0"));          // no checksum
    EXPECT_FALSE(receiver.receive(test::withChecksum("!AIVDM,1,1,,A," + good))); // a field short
    EXPECT_FALSE(receiver.receive(test::withChecksum("!AIVDM,1,2,,A," + good + ",0")));
    EXPECT_FALSE(receiver.receive("$GPGLL,5412.345,N,01005.678,E"));        // not AIS: not counted
    EXPECT_FALSE(receiver.receive(QByteArray("!AIVDM,\xff\x00,", 9)));

    const AisCounters& n = receiver.counters();
    EXPECT_EQ(n.decoded, 1);
    EXPECT_EQ(n.badCharacters, 1);
    EXPECT_EQ(n.tooShort, 1);
    EXPECT_EQ(n.badFillBits, 1);
    EXPECT_EQ(n.badSentences, 5);
    EXPECT_EQ(n.dropped(), 8);
}

TEST(AisReceiver, WholeSampleFilesNeverCrashAndDecodeTheUsedTypes)
{
    for (const char* file : {"ais/sample.aivdm", "ais/ais-18-27.log"}) {
        const QList<QByteArray> lines = test::sharedLines(QString::fromLatin1(file));
        ASSERT_FALSE(lines.isEmpty()) << file;
        AisReceiver receiver;
        for (const QByteArray& line : lines) receiver.receive(line);
        EXPECT_GT(receiver.counters().decoded, 20) << file;
        EXPECT_GT(receiver.counters().unsupported, 30) << file;
    }
}

} // namespace
