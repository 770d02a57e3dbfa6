#include "weather/SynopRecord.h"
#include "weather/SynopRecordLayout.h"

#include <cctype>
#include <gtest/gtest.h>
#include <set>

#include <cstring>
#include <functional>
#include <string>

using namespace kesmar;

namespace {

// Every field set to a value that differs from its neighbours' bytes.
SynopRecord sampleRecord()
{
    SynopRecord r;
    r.flags = 0x40000001 | SynopFlag::WindSpeed;
    r.sectionKind = 2;
    r.fileIndex = 0x1234;
    r.bulletinTime = 1674000000;
    r.observationTime = 1674003600;
    r.windDirection = 270;
    r.airTemperature = -51;
    r.dewPoint = -10;
    r.seaTemperature = 123;
    r.minTemperature = -200;
    r.maxTemperature = 305;
    r.humidity = 78;
    r.stationPressure = 9987;
    r.seaLevelPressure = 123;
    r.geopotential = 234;
    r.isobaricSurface = 1000;
    r.pressureTendency = 15;
    r.precipitation = 990;
    r.waveHeight = 25;
    r.snowDepth = 997;
    r.platformNumber = 0xBEEF;
    r.centreEntry.number = 0;
    std::memcpy(r.centreEntry.indicator.data(), "EDZW", 4);
    r.centreEntry.setName("OFFENBACH");
    r.centreEntry.latitudeMinutes = -3006;
    r.stationEntry.latitudeMinutes = -3258;
    r.stationEntry.longitudeMinutes = -534;
    r.stationEntry.setName("DBBH");
    std::strcpy(r.ttText.data(), "Bodenbeobachtung: Haupttermin");
    std::strcpy(r.aaText.data(), "Deutschland");
    std::strcpy(r.bbbText.data(), "Berichtigt");
    r.bulletinNumber = 1;
    r.windSpeed = 123;
    r.headingLetter = 'S';
    r.windIndicator = 4;
    r.precipIndicator = 1;
    r.stationTypeIndicator = 2;
    r.cloudBaseKey = {'H', '5'};
    r.visibility = 65;
    r.totalCloud = '8';
    r.tendencyCharacteristic = 3;
    r.precipitationPeriod = 1;
    r.presentWeather = 61;
    r.lowCloud = '5';
    r.midCloud = '/';
    r.highCloud = '2';
    r.lowCloudAmount = '7';
    r.shipDirection = 4;
    r.shipSpeed = 5;
    r.wavePeriod = 3;
    r.windWavePeriod = 6;
    r.windWaveHeight = 7;
    r.swell1Direction = 27;
    r.swell2Direction = 31;
    r.swell1Period = 9;
    r.swell1Height = 10;
    r.swell2Period = 11;
    r.swell2Height = 12;
    r.iceCause = 1;
    r.iceThickness = 13;
    r.iceRate = 2;
    r.groundMinTemperature = -5;
    r.groundState = 4;
    r.snowGroundState = 6;
    for (int i = 0; i < 10; ++i) {
        r.layerAmount[i] = static_cast<int8_t>(i);
        r.layerHeight[i] = static_cast<int8_t>(20 + i);
    }
    r.lowerCloudAmount = 3;
    r.lowerCloudGenus = 8;
    r.lowerCloudTop = 45;
    r.lowerCloudDescription = 9;
    r.platformRegion = -1;
    return r;
}

std::string formatted(const SynopRecord::Bytes& bytes, const char* name)
{
    for (const auto& field : SynopRecordLayout::fields())
        if (std::strcmp(field.name, name) == 0)
            return SynopRecordLayout::format(field, bytes);
    return "<no field>";
}

} // namespace

TEST(SynopRecord, RoundTrip)
{
    const SynopRecord r = sampleRecord();
    const SynopRecord::Bytes bytes = r.serialise();
    EXPECT_EQ(SynopRecord::deserialise(bytes), r);
    EXPECT_EQ(SynopRecord::deserialise(bytes).serialise(), bytes);
}

TEST(SynopRecord, FieldsSitAtTheirFileOffsets)
{
    const SynopRecord::Bytes b = sampleRecord().serialise();
    auto u16 = [&](size_t o) { return static_cast<uint16_t>(b[o] | b[o + 1] << 8); };
    auto u32 = [&](size_t o) { return static_cast<uint32_t>(u16(o) | u16(o + 2) << 16); };
    EXPECT_EQ(u32(0), 0x40000011u);
    EXPECT_EQ(u16(4), 2);
    EXPECT_EQ(u16(6), 0x1234);
    EXPECT_EQ(u32(8), 1674000000u);
    EXPECT_EQ(u32(12), 1674003600u);
    EXPECT_EQ(u16(16), 270);
    EXPECT_EQ(static_cast<int16_t>(u16(18)), -51);
    EXPECT_EQ(u16(36), 1000);
    EXPECT_EQ(u16(44), 997);
    EXPECT_EQ(u16(46), 0xBEEF);
    EXPECT_EQ(std::string(b.begin() + 62, b.begin() + 66), "EDZW"); // centre indicator
    EXPECT_EQ(b[66], 9);                                             // centre name length
    EXPECT_EQ(static_cast<int16_t>(u16(128)), -3258);                // ship latitude
    EXPECT_EQ(static_cast<int16_t>(u16(130)), -534);
    EXPECT_EQ(b[136], 4);
    EXPECT_EQ(std::string(b.begin() + 137, b.begin() + 141), "DBBH");
    EXPECT_EQ(b[141], 0);
    EXPECT_EQ(std::string(b.data() + 188, b.data() + 199), "Bodenbeobac");
    EXPECT_EQ(std::string(b.data() + 268, b.data() + 279), "Deutschland");
    EXPECT_EQ(b[278 + 1], 0);
    EXPECT_EQ(std::string(b.data() + 348, b.data() + 358), "Berichtigt");
    EXPECT_EQ(b[428], 1);
    EXPECT_EQ(b[429], 123);
    EXPECT_EQ(b[430], 'S');
    EXPECT_EQ(b[434], 'H');
    EXPECT_EQ(b[435], '5');
    EXPECT_EQ(b[436], 65);
    EXPECT_EQ(b[437], '8');
    EXPECT_EQ(b[444], '7');
    EXPECT_EQ(b[459], static_cast<uint8_t>(-5));
    EXPECT_EQ(b[461], 6);
    EXPECT_EQ(b[462 + 8], 8);
    EXPECT_EQ(b[472 + 8], 28);
    EXPECT_EQ(b[482], 3);
    EXPECT_EQ(b[485], 9);
    EXPECT_EQ(b[486], 0xFF);
}

TEST(SynopRecord, LayoutTableAgreesWithSerialise)
{
    const SynopRecord::Bytes b = sampleRecord().serialise();
    const std::pair<const char*, const char*> cases[] = {
        {"flags", "1073741841"},       {"fileIndex", "4660"},
        {"airTemperature", "-51"},     {"dewPoint", "-10"},
        {"minTemperature", "-200"},    {"maxTemperature", "305"},
        {"seaLevelPressure", "123"},   {"stationPressure", "9987"},
        {"platformNumber", "48879"},   {"centreEntry", "0;-3006;0;EDZW;OFFENBACH"},
        {"stationEntry", "0;-3258;-534;\\x00\\x00\\x00\\x00;DBBH"},
        {"ttText", "Bodenbeobachtung: Haupttermin"},
        {"windSpeed", "123"},          {"headingLetter", "S"},
        {"cloudBaseKey", "H5"},        {"midCloud", "/"},
        {"groundMinTemperature", "-5"}, {"layerHeight", "20,21,22,23,24,25,26,27,28,29"},
        {"platformRegion", "-1"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(formatted(b, name), expected) << name;
}

TEST(SynopRecord, DamagedFieldsAreCutOnRead)
{
    SynopRecord::Bytes b{};
    b[SynopRecord::OffStationNameLength] = 200;     // name length beyond the field
    std::memset(b.data() + SynopRecord::OffTtText, 'x', SynopRecord::kTextSize); // no NUL
    const SynopRecord r = SynopRecord::deserialise(b);
    EXPECT_EQ(r.stationEntry.nameLength, StationEntry::kMaxNameLength);
    EXPECT_EQ(SynopRecord::text(r.ttText).size(), SynopRecord::kTextSize);
    const auto field = SynopRecordLayout::fields()[0];
    EXPECT_EQ(SynopRecordLayout::format(field, std::span<const uint8_t>(b.data(), 3)), "");
}

// Every defined bit has its own name; bit 31 and values of several bits none.
TEST(SynopRecord, FlagNames)
{
    std::set<std::string> names;
    for (int bit = 0; bit < 31; ++bit) {
        const char* name = SynopFlag::name(uint32_t(1) << bit);
        ASSERT_NE(name, nullptr) << bit;
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(name[0]))) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 31u);
    for (uint32_t value : {0x80000000u, 0u, 3u, 0x40000001u})
        EXPECT_EQ(SynopFlag::name(value), nullptr) << value;
}
