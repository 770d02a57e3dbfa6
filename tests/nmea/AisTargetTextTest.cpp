#include "nmea/AisTargetText.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

struct NameCase {
    int code;
    const char* text;
};

class ShipTypeNames : public testing::TestWithParam<NameCase> {};

TEST_P(ShipTypeNames, GroupOfTheFirstDigit)
{
    EXPECT_EQ(AisTargetText::shipTypeName(GetParam().code), QString::fromUtf8(GetParam().text));
}

// The groups of the AIS ship type table: 20-29 wing in ground, 30-39 one
// name each, 40-49 high speed, 50-59 one name each, 60-69 passenger, 70-79
// cargo, 80-89 tanker; the rest is "other".
INSTANTIATE_TEST_SUITE_P(Table, ShipTypeNames, testing::Values(
    NameCase{19, "sonstiges Fahrzeug (19)"},
    NameCase{20, "Bodeneffektfahrzeug (20)"},
    NameCase{29, "Bodeneffektfahrzeug (29)"},
    NameCase{30, "Fischereifahrzeug (30)"},
    NameCase{36, "Segelfahrzeug (36)"},
    NameCase{39, "reserviert (39)"},
    NameCase{40, "Hochgeschwindigkeitsfahrzeug (40)"},
    NameCase{49, "Hochgeschwindigkeitsfahrzeug (49)"},
    NameCase{50, "Lotsenfahrzeug (50)"},
    NameCase{58, "Sanitätsfahrzeug (58)"},
    NameCase{59, "Sonderfahrzeug (59)"},
    NameCase{60, "Fahrgastschiff (60)"},
    NameCase{69, "Fahrgastschiff (69)"},
    NameCase{70, "Frachtschiff (70)"},
    NameCase{79, "Frachtschiff (79)"},
    NameCase{80, "Tanker (80)"},
    NameCase{89, "Tanker (89)"},
    NameCase{90, "sonstiges Fahrzeug (90)"}));

class StatusNames : public testing::TestWithParam<NameCase> {};

TEST_P(StatusNames, FifteenCodesElseNotGiven)
{
    EXPECT_EQ(AisTargetText::statusName(GetParam().code), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, StatusNames, testing::Values(
    NameCase{-1, "nicht angegeben"},
    NameCase{0, "in Fahrt mit Maschine"},
    NameCase{1, "vor Anker"},
    NameCase{8, "in Fahrt unter Segel"},
    NameCase{14, "AIS-SART aktiv"},
    NameCase{15, "nicht angegeben"}));

class AidTypeNames : public testing::TestWithParam<NameCase> {};

TEST_P(AidTypeNames, ThirtyTwoCodes)
{
    EXPECT_EQ(AisTargetText::aidTypeName(GetParam().code), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, AidTypeNames, testing::Values(
    NameCase{-1, "Typ -1"},
    NameCase{0, "nicht angegeben"},
    NameCase{2, "RACON"},
    NameCase{9, "Bake Nord"},
    NameCase{20, "Tonne Nord"},
    NameCase{31, "Feuerschiff / Großtonne"},
    NameCase{32, "Typ 32"}));

struct AngleCase {
    bool latitude;
    double degrees;
    const char* text;
};

class AngleTexts : public testing::TestWithParam<AngleCase> {};

TEST_P(AngleTexts, DegreesAndMinutes)
{
    const AngleCase& c = GetParam();
    const QString text = c.latitude ? AisTargetText::latitudeText(c.degrees) : AisTargetText::longitudeText(c.degrees);
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.degrees;
}

INSTANTIATE_TEST_SUITE_P(Table, AngleTexts, testing::Values(
    AngleCase{true, 53.546, "53°32.760N"},         // 0.546 * 60 = 32.76
    AngleCase{true, -33.5, "33°30.000S"},
    AngleCase{true, 5.25, " 5°15.000N"},
    AngleCase{true, 0.0, " 0°00.000N"},
    AngleCase{false, 9.966, "  9°57.960E"},        // 0.966 * 60 = 57.96
    AngleCase{false, -70.25, " 70°15.000W"},
    AngleCase{false, 179.999, "179°59.940E"},
    // AIS gives 1/10000 minute: 59.9999' is shown rounded as the next degree.
    AngleCase{true, 53.0 + 59.9999 / 60.0, "54°00.000N"},
    AngleCase{false, -(10.0 + 59.9996 / 60.0), " 11°00.000W"}));

AisTarget cargoShip()
{
    AisTarget t;
    t.mmsi = 211234560;
    t.kind = AisTarget::Kind::ClassA;
    t.name = QStringLiteral("ELBE PILOT");
    t.callsign = QStringLiteral("DABC");
    t.latitude = 53.546;
    t.longitude = 9.966;
    t.shiptype = 70;
    t.toBow = 100;
    t.toStern = 20;
    t.toPort = 5;
    t.toStarboard = 10;
    t.draughtMeters = 7.5;
    t.destination = QStringLiteral("HAMBURG");
    t.status = 0;
    t.speedKnots = 12.3;
    t.courseDegrees = 123.4;
    t.headingDegrees = 120;
    t.lastHeardMs = 20000;
    return t;
}

AisTarget lightVessel()
{
    AisTarget t;
    t.mmsi = 992111111;
    t.kind = AisTarget::Kind::AidToNavigation;
    t.name = QStringLiteral("ELBE 1");
    t.latitude = 54.0;
    t.longitude = 8.111; // 0.111 * 60 = 6.66
    t.aidType = 31;
    t.virtualAid = true;
    t.offPosition = true;
    t.speedKnots = 0.0; // ship lines are never shown for an aid
    t.shiptype = 50;
    t.lastHeardMs = 50000;
    return t;
}

AisTarget lostClassB()
{
    AisTarget t;
    t.mmsi = 244000002;
    t.kind = AisTarget::Kind::ClassB;
    t.toBow = 8;
    t.toStern = 4;
    t.lost = true;
    t.lastHeardMs = 10000;
    return t;
}

struct DescribeCase {
    const char* name;
    AisTarget (*target)();
    std::optional<AisCpa> cpa;
    int64_t nowMs;
    std::vector<const char*> lines; // labels right-aligned to twelve characters
};

class AisTargetDescription : public testing::TestWithParam<DescribeCase> {};

TEST_P(AisTargetDescription, OneLinePerKnownValue)
{
    const DescribeCase& c = GetParam();
    QStringList expected;
    for (const char* l : c.lines) expected << QString::fromUtf8(l);
    EXPECT_EQ(AisTargetText::describe(c.target(), c.cpa, AisCpa::Limits{}, c.nowMs).split(QLatin1Char('\n')), expected)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, AisTargetDescription, testing::Values(
    // CPA 0.25 sm in 5.5 min lies within the default 0.5 sm and 12 min.
    DescribeCase{"Ship", &cargoShip, AisCpa{0.25, 5.5}, 65000,
                 {"       MMSI:\t211234560",
                  "       NAME:\tELBE PILOT",
                  " RUFZEICHEN:\tDABC",
                  "        ART:\tAIS Klasse A",
                  "        POS:\t53°32.760N  /    9°57.960E",
                  "        TYP:\tFrachtschiff (70)",
                  "      MASSE:\t120 m x 15 m",
                  "   TIEFGANG:\t7,5 m",
                  "       ZIEL:\tHAMBURG",
                  "     STATUS:\tin Fahrt mit Maschine",
                  "      FAHRT:\t12,3 kn",
                  "       KURS:\t123,4°",
                  " STEUERKURS:\t120°",
                  "        CPA:\t0,25 sm in 5,5 min  WARNUNG",
                  "  EMPFANGEN:\tvor 45 s"}},
    DescribeCase{"ShipFarOff", &cargoShip, AisCpa{0.8, 20.0}, 20000 + 61000,
                 {"       MMSI:\t211234560",
                  "       NAME:\tELBE PILOT",
                  " RUFZEICHEN:\tDABC",
                  "        ART:\tAIS Klasse A",
                  "        POS:\t53°32.760N  /    9°57.960E",
                  "        TYP:\tFrachtschiff (70)",
                  "      MASSE:\t120 m x 15 m",
                  "   TIEFGANG:\t7,5 m",
                  "       ZIEL:\tHAMBURG",
                  "     STATUS:\tin Fahrt mit Maschine",
                  "      FAHRT:\t12,3 kn",
                  "       KURS:\t123,4°",
                  " STEUERKURS:\t120°",
                  "        CPA:\t0,80 sm in 20,0 min",
                  "  EMPFANGEN:\tvor 1 min"}},
    // Heard at the moment of asking; a clock that went back also reads 0 s.
    DescribeCase{"Aid", &lightVessel, std::nullopt, 50000,
                 {"       MMSI:\t992111111",
                  "       NAME:\tELBE 1",
                  "        ART:\tAIS Navigationshilfe",
                  "        POS:\t54°00.000N  /    8°06.660E",
                  "        TYP:\tFeuerschiff / Großtonne",
                  "    HINWEIS:\tvirtuelle Navigationshilfe",
                  "    HINWEIS:\tnicht auf Position",
                  "  EMPFANGEN:\tvor 0 s"}},
    DescribeCase{"AidClockBack", &lightVessel, std::nullopt, 40000,
                 {"       MMSI:\t992111111",
                  "       NAME:\tELBE 1",
                  "        ART:\tAIS Navigationshilfe",
                  "        POS:\t54°00.000N  /    8°06.660E",
                  "        TYP:\tFeuerschiff / Großtonne",
                  "    HINWEIS:\tvirtuelle Navigationshilfe",
                  "    HINWEIS:\tnicht auf Position",
                  "  EMPFANGEN:\tvor 0 s"}},
    // 125 s since it was heard: whole minutes.
    DescribeCase{"LostWithoutPosition", &lostClassB, AisCpa{1.5, -3.0}, 135000,
                 {"       MMSI:\t244000002",
                  "        ART:\tAIS Klasse B",
                  "      LÄNGE:\t12 m",
                  "        CPA:\t1,50 sm, läuft ab",
                  "  EMPFANGEN:\tvor 2 min (verloren)"}}),
    [](const testing::TestParamInfo<DescribeCase>& p) { return std::string(p.param.name); });

} // namespace
