#pragma once
#include <cstddef>
#include <cstdint>

// The record of "SYNOP\STATION.DAT", one line per field in file order:
// F(member of SynopRecord, name of its offset, width in the file, kind of
// SynopRecordLayout). The offsets, serialise(), deserialise() and the dump
// table are all made from this list, so they cannot disagree.
#define KESMAR_SYNOP_RECORD_FIELDS(F) \
    F(flags, Flags, 4, U32) \
    F(sectionKind, SectionKind, 2, U16) \
    F(fileIndex, FileIndex, 2, U16) \
    F(bulletinTime, BulletinTime, 4, U32) \
    F(observationTime, ObservationTime, 4, U32) \
    F(windDirection, WindDirection, 2, I16) \
    F(airTemperature, AirTemperature, 2, I16) \
    F(dewPoint, DewPoint, 2, I16) \
    F(seaTemperature, SeaTemperature, 2, I16) \
    F(minTemperature, MinTemperature, 2, I16) \
    F(maxTemperature, MaxTemperature, 2, I16) \
    F(humidity, Humidity, 2, I16) \
    F(stationPressure, StationPressure, 2, I16) \
    F(seaLevelPressure, SeaLevelPressure, 2, I16) \
    F(geopotential, Geopotential, 2, I16) \
    F(isobaricSurface, IsobaricSurface, 2, I16) \
    F(pressureTendency, PressureTendency, 2, I16) \
    F(precipitation, Precipitation, 2, I16) \
    F(waveHeight, WaveHeight, 2, I16) \
    F(snowDepth, SnowDepth, 2, I16) \
    F(platformNumber, PlatformNumber, 2, U16) \
    F(centreEntry, CentreEntry, 70, Entry) \
    F(stationEntry, StationEntry, 70, Entry) \
    F(ttText, TtText, 80, Text) \
    F(aaText, AaText, 80, Text) \
    F(bbbText, BbbText, 80, Text) \
    F(bulletinNumber, BulletinNumber, 1, U8) \
    F(windSpeed, WindSpeed, 1, U8) \
    F(headingLetter, HeadingLetter, 1, Char) \
    F(windIndicator, WindIndicator, 1, U8) \
    F(precipIndicator, PrecipIndicator, 1, I8) \
    F(stationTypeIndicator, StationTypeIndicator, 1, I8) \
    F(cloudBaseKey, CloudBaseKey, 2, Chars) \
    F(visibility, Visibility, 1, I8) \
    F(totalCloud, TotalCloud, 1, Char) \
    F(tendencyCharacteristic, TendencyCharacteristic, 1, I8) \
    F(precipitationPeriod, PrecipitationPeriod, 1, I8) \
    F(presentWeather, PresentWeather, 1, I8) \
    F(lowCloud, LowCloud, 1, Char) \
    F(midCloud, MidCloud, 1, Char) \
    F(highCloud, HighCloud, 1, Char) \
    F(lowCloudAmount, LowCloudAmount, 1, Char) \
    F(shipDirection, ShipDirection, 1, I8) \
    F(shipSpeed, ShipSpeed, 1, I8) \
    F(wavePeriod, WavePeriod, 1, I8) \
    F(windWavePeriod, WindWavePeriod, 1, I8) \
    F(windWaveHeight, WindWaveHeight, 1, I8) \
    F(swell1Direction, Swell1Direction, 1, I8) \
    F(swell2Direction, Swell2Direction, 1, I8) \
    F(swell1Period, Swell1Period, 1, I8) \
    F(swell1Height, Swell1Height, 1, I8) \
    F(swell2Period, Swell2Period, 1, I8) \
    F(swell2Height, Swell2Height, 1, I8) \
    F(iceCause, IceCause, 1, I8) \
    F(iceThickness, IceThickness, 1, I8) \
    F(iceRate, IceRate, 1, I8) \
    F(groundMinTemperature, GroundMinTemperature, 1, I8) \
    F(groundState, GroundState, 1, I8) \
    F(snowGroundState, SnowGroundState, 1, I8) \
    F(layerAmount, LayerAmount, 10, I8Array) \
    F(layerHeight, LayerHeight, 10, I8Array) \
    F(lowerCloudAmount, LowerCloudAmount, 1, I8) \
    F(lowerCloudGenus, LowerCloudGenus, 1, I8) \
    F(lowerCloudTop, LowerCloudTop, 1, I8) \
    F(lowerCloudDescription, LowerCloudDescription, 1, I8) \
    F(platformRegion, PlatformRegion, 1, I8)

namespace kesmar::synoprecord {

enum class FieldId : uint8_t {
#define KESMAR_FIELD_ID(member, Name, width, kind) Name,
    KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_ID)
#undef KESMAR_FIELD_ID
};

inline constexpr uint16_t kWidths[] = {
#define KESMAR_FIELD_WIDTH(member, Name, width, kind) width,
    KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_WIDTH)
#undef KESMAR_FIELD_WIDTH
};

// The offset of a field: the widths of all fields before it.
constexpr size_t offsetOf(FieldId id)
{
    size_t offset = 0;
    for (size_t i = 0; i < static_cast<size_t>(id); ++i)
        offset += kWidths[i];
    return offset;
}

constexpr size_t recordSize()
{
    size_t size = 0;
    for (const uint16_t width : kWidths)
        size += width;
    return size;
}

} // namespace kesmar::synoprecord
