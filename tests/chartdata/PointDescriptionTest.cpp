#include "chartdata/LightCharacteristic.h"
#include "chartdata/PointDescription.h"

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

constexpr ChartPoint kPos{-3252345, 605678};
const QString kHeader = QStringLiteral("\r\n     POS:\t54°12.345N  /   10°05.678E\r\n   TYPE:\t");

PointRecord point(int typeByte, int colour, int modifier, const char* text = "", size_t size = 60)
{
    return *PointRecord::make(size, uint8_t(typeByte), uint8_t(colour), uint8_t(modifier), 0, kPos,
                              QByteArray(text));
}

QString describe(int typeByte, int colour, int modifier, const char* text = "")
{
    return PointDescription::build(point(typeByte, colour, modifier, text));
}

} // namespace

TEST(PointDescription, Soundings)
{
    EXPECT_EQ(PointDescription::build(point(62, 0, 45, "", 13)), kHeader + "Tiefenlotung\r\n    TEXT:\t4.5 m");
    EXPECT_EQ(PointDescription::build(point(62, 0, 0, "ignored", 20)), QString());
    // The record's own text gives way to the depth.
    EXPECT_EQ(describe(62, 0, 123, "x"), kHeader + "Tiefenlotung\r\n    TEXT:\t12.3 m");
}

TEST(PointDescription, SafeWaterNameOnlyForRedAndWhite)
{
    // Type 2 banded, red and white either way round: the mark name comes first.
    EXPECT_EQ(describe(0x80 | 2, 0xD2, 8), kHeader + "Mittenfahrwasser Kugeltonne\r\nCOLOR:\tweiss / rot ");
    EXPECT_EQ(describe(0x80 | 2, 0x2D, 8), kHeader + "Mittenfahrwasser Kugeltonne\r\nCOLOR:\trot / weiss ");
    EXPECT_EQ(describe(0x80 | 2, 0x99, 8), kHeader + "Kugeltonne\r\nCOLOR:\tgrün ");
    EXPECT_EQ(describe(0x80 | 2, 0xD5, 8), kHeader + "Kugeltonne\r\nCOLOR:\tgelb / rot ");
}

TEST(PointDescription, MarkNames)
{
    EXPECT_EQ(PointDescription::markName(1, 1, 1), "Gefahrenstelle");
    EXPECT_EQ(PointDescription::markName(2, 1, 5), "Nord-Kardinal");
    EXPECT_EQ(PointDescription::markName(3, 1, 5), "Ost-Kardinal");
    EXPECT_EQ(PointDescription::markName(0x44, 1, 5), "Süd-Kardinal");
    EXPECT_EQ(PointDescription::markName(5, 1, 5), "West-Kardinal");
    EXPECT_EQ(PointDescription::markName(9, 5, 1), "Grenzmarkierung");
    EXPECT_EQ(PointDescription::markName(9, 1, 5), QString());
    EXPECT_EQ(PointDescription::markName(6, 2, 13), QString());
    EXPECT_EQ(PointDescription::markName(0, 2, 13), QString());
    // A mark name only for buoys and beacons (types below 18).
    EXPECT_EQ(describe(40, 0x11, 2), kHeader + "Leuchtfeuer\r\nCOLOR:\tschwarz ");
}

TEST(PointDescription, ColourNames)
{
    const char* expected[16] = {"schwarz", "schwarz", "weiss",   "schwarz", "schwarz", "gelb",
                                "schwarz", "grau",    "schwarz", "grün",    "blau",    "violett",
                                "schwarz", "rot",     "schwarz", "orange"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(PointDescription::colourName(i), QString::fromUtf8(expected[i])) << i;
}

TEST(PointDescription, TypeNames)
{
    // The program's name table, type by type; "" for types without a name.
    const char* expected[64] = {
        "Spitztonne", "Stumpftonne", "Kugeltonne", "Bakentonne", "Spierentonne", "Faßtonne", "Großtonne",
        "Leuchtfloß", "einfach kurze Bake", "Festmach-Kugeltonne", "Festmach-Stumpftonne",
        "Pfahl / einfache Stange", "Pfahl Kreis", "Pfahl Kegel", "Pfahl Kreuz", "Pfahl BACKBORD",
        "Pfahl STEUERBORD", "Pfahl Quadrat", "Pfahlwerk", "", "Einfacher Radarreflektor", "", "", "", "", "",
        "", "", "allgemeine Warnstelle", "", "", "", "", "Fischereigebiet", "Uboot Areal", "Ankerplatz",
        "Minengebiet", "Militär - Gefahrenbreich", "Hafen Marina", "Plattform", "Leuchtfeuer", "Licht",
        "Ankern verboten", "Fischen verboten", "Seetang", "Wirbel", "Kabbel", "Wrack", "abgesuchtes Wrack",
        "Wrack-Mast sichtbar", "Wrack-Mast sichtbar", "Wrack, Schiff sichtbar", "Wrack abgesuchter Bereich",
        "Unreinheit", "Unreinheit", "Unreinheit", "Unreinheit", "Nebel Warnsignal", "", "", "", "",
        "Tiefenlotung", "TEXT, Bezeichnung...",
    };
    for (int t = 0; t < 64; ++t)
        EXPECT_EQ(PointDescription::typeName(t), QString::fromUtf8(expected[t])) << t;
    EXPECT_EQ(PointDescription::typeName(64), QString());
    EXPECT_EQ(PointDescription::typeName(-1), QString());
}

TEST(PointDescription, SignalsAndDepthsInTheModifier)
{
    // Every signal bit, leading blank removed because a text follows.
    EXPECT_EQ(describe(3, 0x11, 0xF0, "Q.W"),
              kHeader + "Bakentonne\r\nCOLOR:\tschwarz \r\nSIGNAL:\tRadar Nebel Feuer Warn\r\n    TEXT:\tQ.W");
    // A wreck with a depth: the depth is the text, light and warning bits are no signals.
    EXPECT_EQ(describe(47, 0x11, 0xC5, "ignored"), kHeader + "Wrack\r\n    TEXT:\t19.7 m");
    // Radar and fog only for buoys, beacons, platforms and lights.
    EXPECT_EQ(describe(44, 0x11, 0x70, "x"), kHeader + "Seetang\r\nSIGNAL:\tFeuer\r\n    TEXT:\tx");
    // A chart text has no signals at all.
    EXPECT_EQ(describe(63, 0x41, 0xF0, "Kiel"), kHeader + "TEXT, Bezeichnung...\r\n    TEXT:\tKiel");
}

TEST(PointDescription, CableBeaconTwoColours)
{
    EXPECT_EQ(describe(17, 0xD2, 0),
              kHeader + "Kabelbake / Peilstangen Pfahl Quadrat\r\nCOLOR:\t weiss / rot ");
    EXPECT_EQ(describe(17, 0x22, 0), kHeader + "Kabelbake / Peilstangen Pfahl Quadrat\r\nCOLOR:\tweiss ");
}

TEST(PointDescription, LightColoursFromTheCharacteristic)
{
    EXPECT_EQ(describe(40, 0x11, 0x40, "Fl(2)WR.10s"),
              kHeader + "Leuchtfeuer\r\nCOLOR:\tweiss / rot\r\nSIGNAL:\tFeuer\r\n    TEXT:\tFl(2)WR.10s");
    // No colour letter: the colours of the record stay.
    EXPECT_EQ(describe(40, 0x22, 0, "Q(9)15s"), kHeader + "Leuchtfeuer\r\nCOLOR:\tweiss \r\n    TEXT:\tQ(9)15s");
}

TEST(PointDescription, QualifiersAndMorse)
{
    EXPECT_EQ(describe(6, 0x22, 0, "Mo(A)8s"),
              kHeader + "Großtonne\r\nCOLOR:\tweiss \r\n    TEXT:\tMo(A)8s\r\n\t A = .- ");
    EXPECT_EQ(PointDescription::morse("Mo(a) Mo(U) Mo(3) Mo("), " A = .-   U = ..- ");
    EXPECT_EQ(PointDescription::qualifiers("[U] Fl.R [o] [x]"), "[o]=(bei Bedarf) - [U]=(unbewacht)");
    EXPECT_EQ(describe(41, 0x11, 0, "Mo(O)[e]"),
              kHeader + "Licht\r\n    TEXT:\tMo(O)[e]\r\n\t[e]=(gelöscht) -  O = --- ");
}

TEST(PointDescription, Positions)
{
    struct Row {
        ChartPoint p;
        const char* lat;
        const char* lon;
    };
    const Row rows[] = {
        {{-3252345, 605678}, "54°12.345N", " 10°05.678E"},
        {{3252345, -605678}, "54°12.345S", " 10°05.678W"},
        {{0, 0}, " 0°00.000S", "  0°00.000E"},
        {{-5400000, 10800000}, "90°00.000N", "180°00.000E"},
        {{-59999, -1}, " 0°59.999N", "  0°00.001W"},
    };
    for (const Row& r : rows) {
        const auto text = PointDescription::position(r.p);
        EXPECT_EQ(text.latitude, QString::fromUtf8(r.lat));
        EXPECT_EQ(text.longitude, QString::fromUtf8(r.lon));
    }
    // Absurd values still format without harm.
    EXPECT_FALSE(PointDescription::position({INT32_MIN, INT32_MIN}).latitude.isEmpty());
}

TEST(PointDescription, LinesOfTheTextBox)
{
    const QStringList lines = PointDescription::lines(describe(0, 0x99, 0x40, "Fl.G.4s 1"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[2], "   TYPE:\tSpitztonne");
    EXPECT_EQ(lines[5], "    TEXT:\tFl.G.4s 1");
}

TEST(LightCharacteristic, AbbreviationIndexAndPosition)
{
    // Indices counted by hand in the list: F. Oc. Oc( Iso. FFl. LFl. Fl. Fl( ...
    // Ubr. is 18, Blz. 23, Wchs. the last, 33.
    const struct { const char* text; int index; qsizetype position; } rows[] = {
        {"F.R", 0, 0},      {"Iso.W.8s", 3, 0}, {"xx Fl(2)W", 7, 3}, {"Ubr.w", 18, 0},
        {"Gp Blz.g", 23, 3}, {"Wchs.w.r", 33, 0}, {"Mo(A)W.", 100, 0}, {"x Mo(A)", -1, -7},
        {"Haven", -1, -7},  {"", -1, -7},
    };
    for (const auto& r : rows) {
        qsizetype position = -7;
        EXPECT_EQ(LightCharacteristic::findAbbreviation(QByteArray(r.text), &position), r.index) << r.text;
        EXPECT_EQ(position, r.position) << r.text;
    }
}

TEST(LightCharacteristic, Colours)
{
    struct Row {
        const char* text;
        const char* colours;  // nullptr: no colour line
    };
    const Row rows[] = {
        {"Fl(2)WR.10s", "weiss / rot"},
        {"Iso.W.8s", "weiss"},
        {"Fl.G.4s", "grün"},
        {"Fl.WRGY.5s", "weiss / rot / grün"},
        {"Fl(2)W/R.10s", "weiss / rot"},
        {"Oc. Bu.5s", "blau"},
        {"LFl.gn.10s", "grün"},
        {"Mo(A)W.8s", "weiss"},
        {"Q(6)+LFl.Y.15s", "gelb"},
        {"Blz.g.4s", "gelb"},         // German: g is yellow
        {"Blz.G.4s", nullptr},        // ... and G no colour
        {"Ubr.w.r.6s", "weiss / rot"},
        {"Fkl.vi.", "violett"},
        {"Fl(3)R 12s Oc.G", "grün"},  // the list order decides, not the place in the text
        {"Q(9)15s", nullptr},
        {"Fl(+1)W.5s", "weiss"},      // a group with a sign
        {"Fl(2W.5s", "weiss"},        // a group without its ')': the letter behind it counts
        {"Iso. Oc(+2)R.6s", "rot"},
        {"Fl(", nullptr},
        {"Fl(+", nullptr},
        {"Iso.", nullptr},
        {"Haven", nullptr},
        {"", nullptr},
    };
    for (const Row& r : rows) {
        const auto line = LightCharacteristic::colourLine(QByteArray(r.text));
        if (r.colours)
            EXPECT_EQ(line.value_or(QStringLiteral("<none>")), QString::fromUtf8(r.colours)) << r.text;
        else
            EXPECT_FALSE(line.has_value()) << r.text;
    }
}
