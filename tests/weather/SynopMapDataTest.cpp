#include "WeatherMapTestSupport.h"

#include "weather/StationReportText.h"
#include "weather/StationTable.h"
#include "weather/SynopMapData.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace kesmar;

namespace {

QByteArray fileOf(const std::vector<SynopRecord>& records)
{
    QByteArray bytes;
    for (const SynopRecord& r : records) {
        const SynopRecord::Bytes b = r.serialise();
        bytes.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    }
    return bytes;
}

SynopRecord station(uint32_t number, uint32_t time, int16_t temperature = 100)
{
    SynopRecord r = test::fullLandRecord();
    r.stationEntry.number = number;
    r.observationTime = time;
    r.airTemperature = temperature;
    return r;
}

TEST(SynopMapData, TimesAndTheRecordsOfOneTime)
{
    SynopMapData data;
    data.setRecords({station(10400, 3600), station(10410, 7200), station(10400, 7200, 50),
                     station(10400, 7200, 70) /* correction: the later one wins */});
    EXPECT_EQ(data.times(), std::vector<uint32_t>({3600, 7200}));
    EXPECT_EQ(data.countAt(7200), 2);
    const std::vector<int> at = data.indicesAt(7200);
    ASSERT_EQ(at, std::vector<int>({1, 3}));
    EXPECT_EQ(data.stations()[3].observation.airTemperature, 7.0);
    EXPECT_TRUE(data.indicesAt(5000).empty()); // a time without records
    EXPECT_EQ(data.nearestTime(5000), 3600u);
    EXPECT_EQ(data.nearestTime(6000), 7200u);
    EXPECT_EQ(data.nearestTime(99999), 7200u);
    EXPECT_EQ(SynopMapData().nearestTime(3600), 0u);
}

TEST(SynopMapData, DamagedFilesGiveWhatIsSound)
{
    const QByteArray two = fileOf({station(10400, 3600), station(10410, 3600)});
    SynopRecord rejected = station(10420, 3600);
    rejected.flags |= SynopFlag::Rejected;
    SynopRecord unplaced = station(10430, 3600);
    unplaced.stationEntry.latitudeMinutes = 9000; // 150 degrees south
    struct Row {
        const char* name;
        QByteArray bytes;
        size_t stations;
        const char* problem; // part of the one expected message, or empty
    };
    const Row rows[] = {
        {"sound", two, 2, ""},
        {"empty", QByteArray(), 0, "die Datei ist leer"},
        {"truncated", two + two.left(100), 2, "das Ende ist beschädigt (100 Bytes nach Satz 2"},
        {"cut inside the first record", two.left(486), 0, "das Ende ist beschädigt (486 Bytes nach Satz 0"},
        {"rejected record", fileOf({station(10400, 3600), rejected}), 1, "1 Meldungen ohne gültige Station"},
        {"impossible position", fileOf({unplaced}), 0, "1 Meldungen ohne gültige Station"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SynopMapData data;
        data.loadBytes(r.bytes, QStringLiteral("SYNOP/STATION.DAT"), nullptr);
        EXPECT_EQ(data.stations().size(), r.stations);
        if (*r.problem) {
            ASSERT_EQ(data.problems().size(), 1);
            EXPECT_TRUE(data.problems()[0].contains(QString::fromUtf8(r.problem))) << qPrintable(data.problems()[0]);
        } else {
            EXPECT_TRUE(data.problems().isEmpty());
        }
    }
}

TEST(SynopMapData, GarbageNeverCrashes)
{
    std::mt19937 random(4);
    QByteArray bytes(487 * 40 + 13, '\0');
    for (char& c : bytes) c = char(random());
    SynopMapData data;
    data.loadBytes(bytes, QStringLiteral("x"), nullptr);
    for (uint32_t t : data.times()) {
        for (int i : data.indicesAt(t)) EXPECT_FALSE(StationReportText::build(data.stations()[size_t(i)].record).isEmpty());
        (void)data.problemsAt(t);
    }
    EXPECT_FALSE(data.problems().isEmpty());
}

TEST(SynopMapData, UnknownStationsAndImpossibleValuesAreNamed)
{
    StationTable table;
    StationEntry known;
    known.number = 10400;
    known.setName("DUESSELDORF");
    std::vector<uint8_t> bytes;
    known.appendTableForm(bytes);
    ASSERT_TRUE(table.loadBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))).ok());
    SynopRecord hot = station(99999, 3600, 990);
    hot.stationEntry.setName("NIRGENDWO");
    SynopMapData data;
    data.loadBytes(fileOf({station(10400, 3600), hot}), QStringLiteral("STATION.DAT"), &table);
    EXPECT_EQ(data.stations().size(), 2u); // drawn at its reported position
    ASSERT_EQ(data.problems().size(), 1);
    EXPECT_TRUE(data.problems()[0].startsWith(QStringLiteral("1 Meldungen von Stationen, die DATA\\WMOSTAT.DAT nicht kennt")));
    EXPECT_EQ(data.problemsAt(3600),
              QStringList({QStringLiteral("99999 NIRGENDWO: unmöglicher Wert, nicht gezeichnet: Temperatur 99,0 °C")}));
}

TEST(SynopMapData, MissingFileIsAnError)
{
    QTemporaryDir dir;
    SynopMapData data;
    const Status s = data.load(dir.path(), nullptr);
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().file.endsWith(QStringLiteral("STATION.DAT"), Qt::CaseInsensitive));
}

TEST(StationReportText, EveryGroupPresent)
{
    const QStringList expected = {
        QStringLiteral("Station 10400 DUESSELDORF"),
        QStringLiteral("Position: 51° 17' N, 6° 46' E"),
        QStringLiteral("Beobachtung: 07.12.2026 12:00 UTC"),
        QStringLiteral("Bulletin: 07.12.2026 12:00 UTC, EDZW OFFENBACH, Nr. 01"),
        QStringLiteral("Datenart: Synoptische Meldungen (Hauptterminen)"),
        QStringLiteral("Gebiet: Deutschland"),
        QStringLiteral("Kennung: Berichtigung"),
        QStringLiteral("Gesamtbedeckung: 6/8"),
        QStringLiteral("Wind: aus 270°, 15 kn (7,7 m/s)"),
        QStringLiteral("Sichtweite: 15 km"),
        QStringLiteral("Lufttemperatur: 12,3 °C"),
        QStringLiteral("Taupunkt: -1,5 °C"),
        QStringLiteral("Relative Feuchte: 78 %"),
        QStringLiteral("Luftdruck in Stationshöhe: 998,7 hPa"),
        QStringLiteral("Luftdruck auf Meereshöhe: 1013,2 hPa"),
        QStringLiteral("Geopotential der 850-hPa-Fläche: 1234 gpm"),
        QStringLiteral("Luftdrucktendenz (3 Std.): +1,2 hPa, steigend"),
        QStringLiteral("Niederschlag: 3 mm in 6 Std."),
        QStringLiteral("Wetter: leichter Regen, anhaltend (ww 61)"),
        QStringLiteral("Bedeckung mit tiefen (oder mittelhohen) Wolken: 4/8"),
        QStringLiteral("Tiefe Wolken: Stratocumulus"),
        QStringLiteral("Mittelhohe Wolken: Altocumulus translucidus, eine Schicht"),
        QStringLiteral("Hohe Wolken: Cirrus fibratus"),
        QStringLiteral("Untergrenze der tiefsten Wolken: 600 bis 1000 m"),
        QStringLiteral("Schiffskurs: Ost, Fahrt: 11 bis 15 kn"),
        QStringLiteral("Wassertemperatur: 8,7 °C"),
        QStringLiteral("Wellen: 2,5 m, Periode 5 s"),
        QStringLiteral("Windsee: 1,5 m, Periode 4 s"),
        QStringLiteral("Dünung aus 270° und 320°"),
        QStringLiteral("Erste Dünung: 2,0 m, Periode 8 s"),
        QStringLiteral("Zweite Dünung: 1,0 m, Periode 10 s"),
        QStringLiteral("Eisansatz: Ursache 1, Dicke 2 cm, Zunahme 1"),
        QStringLiteral("Höchsttemperatur: 15,0 °C"),
        QStringLiteral("Tiefsttemperatur: 4,1 °C"),
        QStringLiteral("Erdboden: gefroren, Minimum am Boden -3 °C"),
        QStringLiteral("Schnee: loser trockener Schnee, weniger als halb bedeckt, Höhe 12 cm"),
        QStringLiteral("Wolkenschicht Stratocumulus: 4/8 in 600 m"),
        QStringLiteral("Wolken unter Stationsniveau: 2/8 Stratus, Obergrenze 15 (Code), Art 1"),
    };
    const QStringList lines = StationReportText::lines(test::fullLandRecord());
    for (int i = 0; i < std::min(lines.size(), expected.size()); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    EXPECT_EQ(lines.size(), expected.size());
}

TEST(StationReportText, ShipCalmAndMetresPerSecond)
{
    SynopRecord r = test::fullLandRecord();
    r.flags = SynopFlag::StationIdentified | SynopFlag::ShipCallSign | SynopFlag::WindDirection | SynopFlag::WindSpeed;
    r.sectionKind = 2;
    r.stationEntry = StationEntry();
    r.stationEntry.latitudeMinutes = -3258;
    r.stationEntry.longitudeMinutes = -534;
    r.stationEntry.setName("DBAI");
    r.totalCloud = 0;
    r.cloudBaseKey = {0, 0};
    r.windIndicator = 1;
    const QStringList lines = StationReportText::lines(r);
    EXPECT_EQ(lines.value(0), QStringLiteral("Schiff DBAI"));
    EXPECT_EQ(lines.value(1), QStringLiteral("Position: 54° 18' N, 8° 54' W"));
    EXPECT_EQ(lines.value(7), QStringLiteral("Wind: aus 270°, 15 m/s (29 kn)"));
    EXPECT_EQ(lines.size(), 8);
    r.windDirection = 0;
    r.windSpeed = 0;
    EXPECT_EQ(StationReportText::lines(r).value(7), QStringLiteral("Wind: still"));
}

} // namespace

namespace {

// The plausibility limits themselves still count as weather: 870.0 and
// 1090.0 hPa are drawn, a tenth beyond is not; a station on the date line
// keeps its position.
TEST(StationObservation, LimitsAreInside)
{
    const struct {
        int recorded; // as the record holds it: 4 digits of tenths
        bool drawn;
    } pressures[] = {{8700, true}, {8699, false}, {900, true}, {901, false}};
    for (const auto& p : pressures) {
        SynopRecord r = station(10400, 3600);
        r.seaLevelPressure = static_cast<decltype(r.seaLevelPressure)>(p.recorded);
        const StationObservation o = StationObservation::fromRecord(r);
        EXPECT_EQ(o.seaLevelPressureTenths.has_value(), p.drawn) << p.recorded;
    }
    for (const int longitude : {-180 * 60, 180 * 60}) {
        SynopRecord r = station(10400, 3600);
        r.stationEntry.longitudeMinutes = longitude;
        EXPECT_TRUE(StationObservation::fromRecord(r).positionValid) << longitude;
    }
}

} // namespace
