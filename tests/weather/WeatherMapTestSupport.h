#pragma once
// A land report with every group present, as the decoder would leave it.
#include "weather/SynopRecord.h"

#include <cstring>
#include <string>

namespace kesmar::test {

inline void setText(std::array<char, SynopRecord::kTextSize>& field, const char* text)
{
    field.fill(0);
    std::strncpy(field.data(), text, field.size() - 1);
}

// Station 10400 DUESSELDORF at 51°17' N 6°46' E; observation 07.12.2026
// 12:00 UTC: the time value of those fields in the test's time zone (UTC)
// plus the decoder's hour.
inline SynopRecord fullLandRecord()
{
    SynopRecord r;
    r.flags = 0x3FFFFFFD & ~SynopFlag::ShipCallSign & ~SynopFlag::PresentWeatherOnly;
    r.sectionKind = 1;
    r.bulletinTime = 1796648400;
    r.observationTime = 1796648400;
    r.windDirection = 270;
    r.airTemperature = 123;
    r.dewPoint = -15;
    r.seaTemperature = 87;
    r.minTemperature = 41;
    r.maxTemperature = 150;
    r.humidity = 78;
    r.stationPressure = 9987;
    r.seaLevelPressure = 132;
    r.geopotential = 1234;
    r.isobaricSurface = 850;
    r.pressureTendency = 12;
    r.precipitation = 3;
    r.waveHeight = 25;
    r.snowDepth = 12;
    r.centreEntry.number = 0;
    r.centreEntry.indicator = {'E', 'D', 'Z', 'W'};
    r.centreEntry.setName("OFFENBACH");
    r.stationEntry.number = 10400;
    r.stationEntry.latitudeMinutes = -3077;
    r.stationEntry.longitudeMinutes = 406;
    r.stationEntry.setName("DUESSELDORF");
    setText(r.ttText, "Synoptische Meldungen (Hauptterminen)");
    setText(r.aaText, "Deutschland");
    setText(r.bbbText, "Berichtigung");
    r.bulletinNumber = 1;
    r.windSpeed = 15;
    r.headingLetter = 'S';
    r.windIndicator = 4;
    r.precipIndicator = 1;
    r.stationTypeIndicator = 1;
    r.cloudBaseKey = {'H', '5'};
    r.visibility = 65;
    r.totalCloud = '6';
    r.tendencyCharacteristic = 2;
    r.precipitationPeriod = 1;
    r.presentWeather = 61;
    r.lowCloud = '5';
    r.midCloud = '3';
    r.highCloud = '1';
    r.lowCloudAmount = '4';
    r.shipDirection = 2;
    r.shipSpeed = 3;
    r.wavePeriod = 5;
    r.windWavePeriod = 4;
    r.windWaveHeight = 3;
    r.swell1Direction = 27;
    r.swell2Direction = 32;
    r.swell1Period = 8;
    r.swell1Height = 4;
    r.swell2Period = 10;
    r.swell2Height = 2;
    r.iceCause = 1;
    r.iceThickness = 2;
    r.iceRate = 1;
    r.groundMinTemperature = -3;
    r.groundState = 4;
    r.snowGroundState = 5;
    r.layerAmount.fill(0);
    r.layerHeight.fill(0);
    r.layerAmount[6] = 4;
    r.layerHeight[6] = 20;
    r.lowerCloudAmount = 2;
    r.lowerCloudGenus = 7;
    r.lowerCloudTop = 15;
    r.lowerCloudDescription = 1;
    return r;
}

} // namespace kesmar::test
