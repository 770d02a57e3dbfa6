// Real bulletins from ../shared/synop/bulletins; skipped when absent. The
// expected values were read off the reports by hand.
#include "SynopTestSupport.h"

#include "weather/SynopConversion.h"

#include <optional>

using namespace kesmar;
using namespace kesmar::test;

namespace {

const QString kBulletins = QStringLiteral(KESMAR_SHARED_DIR "/synop/bulletins");

class SynopRealBulletinsTest : public SynopFolderTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(kBulletins).exists()) << "no real bulletins in " << kBulletins.toStdString();
        setTimeZone("UTC");
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("SYNOP")));
        std::vector<TestStation> stations;
        for (uint32_t n : {15015u, 15020u, 15090u, 15108u, 15120u, 15150u, 15170u, 15200u, 15230u, 15260u,
                           15280u, 15292u, 15310u, 15335u, 15346u, 15350u, 15360u, 15410u, 15420u, 15450u,
                           15460u, 15470u, 15480u, 64400u, 64401u, 64402u, 64403u, 64405u, 64406u, 64450u,
                           64452u, 64453u, 64454u, 64456u, 64458u, 64459u, 64460u, 64461u, 64462u, 64463u,
                           84455u, 81209u, 84390u, 84400u, 84410u, 84420u, 84430u, 1025u})
            stations.push_back({n, -2800, 1500, "    ", "REAL"});
        stations.push_back({0, -2671, 1565, "YRBK", "BUCURESTI"});
        loadTestTables(tables, stations);
    }

    std::string readBulletin(const char* name)
    {
        QFile file(QDir(kBulletins).filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll().toStdString();
    }
    // Decodes one file as the conversion would for the hour of its name.
    std::vector<SynopRecord> decodeFile(const char* name, int year, int month, int day, int hour,
                                        const SynopTimeWindow& w)
    {
        records.clear();
        SynopDecoder decoder(tables, collectInto(records));
        const int64_t fileTime = SynopTimeWindow::localTimeValue(year, month, day, hour, 0, 0);
        decoder.SetSynopFileContext(SynopFileContext::forFile(year, month, day, hour, fileTime, w));
        decoder.BeginSynopFile();
        feedText(decoder, readBulletin(name));
        decoder.EndSynopFile();
        return records;
    }
    static std::optional<SynopRecord> find(const std::vector<SynopRecord>& records, std::string_view station)
    {
        for (const SynopRecord& r : records)
            if (r.stationEntry.nameView() == station
                || (r.stationEntry.number != 0 && std::to_string(r.stationEntry.number) == station))
                return r;
        return std::nullopt;
    }
};

TEST_F(SynopRealBulletinsTest, RomanianHourlyFilesThroughTheConversion)
{
    for (const char* name : {"2023011712_syn.wmo", "2023011718_syn.wmo", "2023011800_syn.wmo",
                             "2023011806_syn.wmo", "2023011812_syn.wmo", "2022032112_syn.wmo"})
        ASSERT_TRUE(QFile::copy(QDir(kBulletins).filePath(QLatin1String(name)),
                                dir.filePath(QStringLiteral("SYNOP/") + QLatin1String(name))));
    SynopConversion conversion(folder(), tables);
    conversion.scan(SynopTimeWindow::fromUtcFields(2023, 1, 18, 12, 30));
    conversion.run();
    EXPECT_EQ(conversion.files().size(), 5u); // the 2022 file is outside the window
    EXPECT_EQ(conversion.reportsWritten(), 189u);
    // 115 different station and hour pairs; corrections (CCA, CCB) repeat reports.
    const auto records = readStationFile(stationFile());
    EXPECT_EQ(records.size(), 115u);

    // 15015 18 12 UTC: 01597 82208 10074 20047 39376 42616 53024 60031 78082 883//
    // 333 4/000 55300 0//// 20337 3//// 60037 91017 91117=
    const SynopRecord& r = records.front();
    EXPECT_EQ(r.stationEntry.number, 15015u);
    EXPECT_EQ(r.observationTime, uint32_t(utcTime(18, 12) + 3600));
    EXPECT_EQ(r.centreEntry.nameView(), "BUCURESTI");
    EXPECT_EQ(r.visibility, 97);
    EXPECT_EQ(r.totalCloud, '8');
    EXPECT_EQ(r.windDirection, 220);
    EXPECT_EQ(r.windSpeed, 8);
    EXPECT_EQ(r.airTemperature, 74);
    EXPECT_EQ(r.dewPoint, 47);
    EXPECT_EQ(r.stationPressure, 9376);
    EXPECT_EQ(r.isobaricSurface, 925);
    EXPECT_EQ(r.geopotential, 616);
    EXPECT_EQ(r.tendencyCharacteristic, 3);
    EXPECT_EQ(r.pressureTendency, 24);
    EXPECT_EQ(r.presentWeather, 80);
    EXPECT_EQ(r.lowCloudAmount, '8');
    EXPECT_EQ(r.lowCloud, '3');
    EXPECT_EQ(r.midCloud, '/');
    EXPECT_EQ(r.precipitation, 3); // 60037 of section 3 after 60031
    EXPECT_EQ(r.precipitationPeriod, 7);
    EXPECT_EQ(r.snowDepth, 0);
    EXPECT_FALSE(r.has(SynopFlag::MinTemperature)); // 20337 is a radiation group

    // 15108 17 12 UTC, corrected by CCA: 333 48013 became 48014.
    bool found = false;
    for (const SynopRecord& c : records) {
        if (c.stationEntry.number != 15108 || c.observationTime != uint32_t(utcTime(17, 12) + 3600))
            continue;
        found = true;
        EXPECT_EQ(c.snowDepth, 14);
        EXPECT_EQ(c.snowGroundState, 8);
        EXPECT_EQ(SynopRecord::text(c.bbbText), "Berichtigung");
        EXPECT_EQ(c.airTemperature, -28);
        EXPECT_EQ(c.windDirection, 250);
        EXPECT_EQ(c.windSpeed, 14);
        EXPECT_EQ(c.visibility, 92);
        EXPECT_EQ(c.cloudBaseKey[1], '/');
        EXPECT_EQ(c.isobaricSurface, 850);
        EXPECT_EQ(c.geopotential, 315);
        EXPECT_EQ(c.presentWeather, 71);
    }
    EXPECT_TRUE(found);
}

TEST_F(SynopRealBulletinsTest, CongoBulletinWithNilReportsAndTwoWindIndicators)
{
    const auto records = decodeFile("2023080309_syn.wmo", 2023, 8, 3, 9,
                                    SynopTimeWindow::fromUtcFields(2023, 8, 3, 10, 0));
    EXPECT_EQ(records.size(), 14u); // 17 reports, 3 of them NIL
    const auto first = find(records, "64400");
    ASSERT_TRUE(first);
    EXPECT_EQ(SynopRecord::text(first->aaText), "Kongo");
    EXPECT_EQ(first->windIndicator, 4);
    EXPECT_EQ(first->precipIndicator, 4);
    EXPECT_EQ(first->stationTypeIndicator, 2);
    EXPECT_EQ(first->visibility, 60);
    EXPECT_EQ(first->windDirection, 100);
    EXPECT_EQ(first->windSpeed, 4);
    EXPECT_EQ(first->airTemperature, 285);
    EXPECT_EQ(first->dewPoint, 245);
    EXPECT_EQ(first->stationPressure, 113);
    EXPECT_EQ(first->seaLevelPressure, 133);
    EXPECT_EQ(first->highCloud, '/');
    EXPECT_EQ(first->layerAmount[8], 3);
    EXPECT_EQ(first->layerHeight[8], 13);
    EXPECT_EQ(first->layerAmount[9], 1);
    EXPECT_EQ(first->layerHeight[9], 30);
    EXPECT_EQ(first->layerAmount[3], 7);
    EXPECT_EQ(first->layerHeight[3], 63);
    const auto second = find(records, "64401");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->windIndicator, 3);
    EXPECT_EQ(second->windDirection, 0);
    EXPECT_EQ(second->airTemperature, 266);
    EXPECT_EQ(second->layerAmount[9], 0); // cleared after the report before
    EXPECT_EQ(second->layerAmount[8], 5);
    EXPECT_EQ(second->layerHeight[8], 16);
    EXPECT_EQ(second->layerAmount[3], 3);
    // 64462 ... 74644 886// 333 88703== (the second "=" closes nothing)
    const auto last = find(records, "64462");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->visibility, 6);
    EXPECT_EQ(last->presentWeather, 46);
    EXPECT_EQ(last->layerAmount[7], 8);
    EXPECT_EQ(last->layerHeight[7], 3);
    EXPECT_FALSE(find(records, "64454"));
    EXPECT_TRUE(find(records, "64461"));
}

TEST_F(SynopRealBulletinsTest, FramedLandAndShipBulletins)
{
    const auto records = decodeFile("framed_test_bulletins.bin", 2023, 1, 28, 18,
                                    SynopTimeWindow::fromUtcFields(2023, 1, 28, 19, 0));
    EXPECT_EQ(records.size(), 10u); // 81209 NIL and the ship LAOO5 (no usable identifier) are left out
    const auto peru = find(records, "84455");
    ASSERT_TRUE(peru);
    EXPECT_EQ(peru->presentWeather, 1);
    EXPECT_EQ(peru->maxTemperature, 110); // after "333   333"
    EXPECT_EQ(peru->minTemperature, 10);
    EXPECT_EQ(peru->layerAmount[8], 3);
    EXPECT_EQ(peru->layerHeight[8], 25);
    EXPECT_EQ(find(records, "84390")->humidity, 77);
    EXPECT_EQ(find(records, "84410")->windSpeed, 121);

    const auto buoy = find(records, "ZMSOA");
    ASSERT_TRUE(buoy);
    EXPECT_EQ(buoy->stationEntry.latitudeMinutes, 2490); // 41.5 S
    EXPECT_EQ(buoy->stationEntry.longitudeMinutes, 10488); // 174.8 E
    EXPECT_EQ(buoy->windDirection, 200);
    EXPECT_EQ(buoy->seaLevelPressure, 89);
    EXPECT_EQ(buoy->shipDirection, 1);
    EXPECT_EQ(find(records, "ZMFR")->seaTemperature, 114); // 00114 on the next line

    const auto ship = find(records, "PHBT");
    ASSERT_TRUE(ship);
    EXPECT_EQ(ship->stationEntry.latitudeMinutes, -2448); // 40.8 N
    EXPECT_EQ(ship->stationEntry.longitudeMinutes, -3810); // 63.5 W
    EXPECT_EQ(ship->windSpeed, 11);
    EXPECT_EQ(ship->seaTemperature, 230);
    EXPECT_EQ(ship->shipDirection, 5);
    EXPECT_EQ(ship->shipSpeed, 4);
    EXPECT_EQ(ship->windWavePeriod, 2);
    EXPECT_EQ(ship->swell1Direction, -1);
    const auto other = find(records, "4XIS");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->stationEntry.latitudeMinutes, -2538);
    EXPECT_EQ(other->stationEntry.longitudeMinutes, -1998);
    EXPECT_EQ(other->swell1Direction, 14);
    EXPECT_EQ(other->swell1Period, 7);
    EXPECT_FALSE(find(records, "LAOO5"));
}

TEST_F(SynopRealBulletinsTest, UnframedNorwegianReports)
{
    // 01025 reports every 3 hours; those from 23 UTC on the 20th up to 00 UTC
    // on the 24th are in the window: the eight of the 22nd and 23rd and 00 UTC.
    const auto records = decodeFile("norway_290_reports.syn", 2006, 2, 24, 0,
                                    SynopTimeWindow::fromUtcFields(2006, 2, 24, 0, 30));
    ASSERT_EQ(records.size(), 17u);
    // 01025 16/// /1806 10027 20008 30158 40169 55004 6//// 555 4////=
    const SynopRecord& r = records.front();
    EXPECT_EQ(r.stationEntry.number, 1025u);
    EXPECT_EQ(r.observationTime, uint32_t(SynopTimeWindow::localTimeValue(2006, 2, 22, 0, 0, 0) + 3600));
    EXPECT_EQ(r.visibility, -1);
    EXPECT_FALSE(r.has(SynopFlag::Visibility));
    EXPECT_EQ(r.windDirection, 180);
    EXPECT_EQ(r.windSpeed, 6);
    EXPECT_EQ(r.airTemperature, 27);
    EXPECT_EQ(r.dewPoint, 8);
    EXPECT_EQ(r.stationPressure, 158);
    EXPECT_EQ(r.seaLevelPressure, 169);
    EXPECT_EQ(r.pressureTendency, 4);
    EXPECT_FALSE(r.has(SynopFlag::Precipitation));
}

} // namespace
