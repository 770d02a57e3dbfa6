#include "weather/SynopRecordLayout.h"

#include "weather/SynopRecord.h"

#include "core/ByteReader.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace kesmar {

namespace {

using K = SynopRecordLayout::Kind;
using R = SynopRecord;

constexpr SynopRecordLayout::Field kFields[] = {
    {"flags", R::OffFlags, 4, K::U32},
    {"sectionKind", R::OffSectionKind, 2, K::U16},
    {"fileIndex", R::OffFileIndex, 2, K::U16},
    {"bulletinTime", R::OffBulletinTime, 4, K::U32},
    {"observationTime", R::OffObservationTime, 4, K::U32},
    {"windDirection", R::OffWindDirection, 2, K::I16},
    {"airTemperature", R::OffAirTemperature, 2, K::I16},
    {"dewPoint", R::OffDewPoint, 2, K::I16},
    {"seaTemperature", R::OffSeaTemperature, 2, K::I16},
    {"minTemperature", R::OffMinTemperature, 2, K::I16},
    {"maxTemperature", R::OffMaxTemperature, 2, K::I16},
    {"humidity", R::OffHumidity, 2, K::I16},
    {"stationPressure", R::OffStationPressure, 2, K::I16},
    {"seaLevelPressure", R::OffSeaLevelPressure, 2, K::I16},
    {"geopotential", R::OffGeopotential, 2, K::I16},
    {"isobaricSurface", R::OffIsobaricSurface, 2, K::I16},
    {"pressureTendency", R::OffPressureTendency, 2, K::I16},
    {"precipitation", R::OffPrecipitation, 2, K::I16},
    {"waveHeight", R::OffWaveHeight, 2, K::I16},
    {"snowDepth", R::OffSnowDepth, 2, K::I16},
    {"platformNumber", R::OffPlatformNumber, 2, K::U16},
    {"centreEntry", R::OffCentreEntry, 70, K::Entry},
    {"stationEntry", R::OffStationEntry, 70, K::Entry},
    {"ttText", R::OffTtText, 80, K::Text},
    {"aaText", R::OffAaText, 80, K::Text},
    {"bbbText", R::OffBbbText, 80, K::Text},
    {"bulletinNumber", R::OffBulletinNumber, 1, K::U8},
    {"windSpeed", R::OffWindSpeed, 1, K::U8},
    {"headingLetter", R::OffHeadingLetter, 1, K::Char},
    {"windIndicator", R::OffWindIndicator, 1, K::U8},
    {"precipIndicator", R::OffPrecipIndicator, 1, K::I8},
    {"stationTypeIndicator", R::OffStationTypeIndicator, 1, K::I8},
    {"cloudBaseKey", R::OffCloudBaseKey, 2, K::Chars},
    {"visibility", R::OffVisibility, 1, K::I8},
    {"totalCloud", R::OffTotalCloud, 1, K::Char},
    {"tendencyCharacteristic", R::OffTendencyCharacteristic, 1, K::I8},
    {"precipitationPeriod", R::OffPrecipitationPeriod, 1, K::I8},
    {"presentWeather", R::OffPresentWeather, 1, K::I8},
    {"lowCloud", R::OffLowCloud, 1, K::Char},
    {"midCloud", R::OffMidCloud, 1, K::Char},
    {"highCloud", R::OffHighCloud, 1, K::Char},
    {"lowCloudAmount", R::OffLowCloudAmount, 1, K::Char},
    {"shipDirection", R::OffShipDirection, 1, K::I8},
    {"shipSpeed", R::OffShipSpeed, 1, K::I8},
    {"wavePeriod", R::OffWavePeriod, 1, K::I8},
    {"windWavePeriod", R::OffWindWavePeriod, 1, K::I8},
    {"windWaveHeight", R::OffWindWaveHeight, 1, K::I8},
    {"swell1Direction", R::OffSwell1Direction, 1, K::I8},
    {"swell2Direction", R::OffSwell2Direction, 1, K::I8},
    {"swell1Period", R::OffSwell1Period, 1, K::I8},
    {"swell1Height", R::OffSwell1Height, 1, K::I8},
    {"swell2Period", R::OffSwell2Period, 1, K::I8},
    {"swell2Height", R::OffSwell2Height, 1, K::I8},
    {"iceCause", R::OffIceCause, 1, K::I8},
    {"iceThickness", R::OffIceThickness, 1, K::I8},
    {"iceRate", R::OffIceRate, 1, K::I8},
    {"groundMinTemperature", R::OffGroundMinTemperature, 1, K::I8},
    {"groundState", R::OffGroundState, 1, K::I8},
    {"snowGroundState", R::OffSnowGroundState, 1, K::I8},
    {"layerAmount", R::OffLayerAmount, 10, K::I8Array},
    {"layerHeight", R::OffLayerHeight, 10, K::I8Array},
    {"lowerCloudAmount", R::OffLowerCloudAmount, 1, K::I8},
    {"lowerCloudGenus", R::OffLowerCloudGenus, 1, K::I8},
    {"lowerCloudTop", R::OffLowerCloudTop, 1, K::I8},
    {"lowerCloudDescription", R::OffLowerCloudDescription, 1, K::I8},
    {"platformRegion", R::OffPlatformRegion, 1, K::I8},
};

constexpr bool layoutIsContiguous()
{
    size_t next = 0;
    for (const auto& f : kFields) {
        if (f.offset != next)
            return false;
        next += f.width;
    }
    return next == SynopRecord::kSize;
}
static_assert(layoutIsContiguous(), "record fields must cover 487 bytes without gaps");

// Texts and names are Windows-1252; its upper half from 0xA0 equals
// Latin-1 and is shown as UTF-8, anything else unprintable as \xNN.
std::string charText(uint8_t c)
{
    if (c >= 0x20 && c < 0x7f && c != ';' && c != '\\')
        return std::string(1, static_cast<char>(c));
    if (c >= 0xA0)
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", c);
    return buf;
}

std::string plainText(std::span<const uint8_t> bytes)
{
    std::string out;
    for (uint8_t c : bytes) {
        if (c == 0)
            break;
        out += charText(c);
    }
    return out;
}

std::string entryText(std::span<const uint8_t> bytes)
{
    const StationEntry e = StationEntry::readField(bytes.first<StationEntry::kFieldSize>());
    const auto* name = reinterpret_cast<const uint8_t*>(e.name.data());
    std::string out = std::to_string(e.number) + ";" + std::to_string(e.latitudeMinutes) + ";"
                      + std::to_string(e.longitudeMinutes) + ";";
    for (char c : e.indicator)
        out += charText(static_cast<uint8_t>(c));
    return out + ";" + plainText({name, e.nameLength});
}

} // namespace

std::span<const SynopRecordLayout::Field> SynopRecordLayout::fields()
{
    return kFields;
}

std::string SynopRecordLayout::format(const Field& field, std::span<const uint8_t> record)
{
    if (record.size() < static_cast<size_t>(field.offset) + field.width)
        return {};
    const std::span<const uint8_t> bytes = record.subspan(field.offset, field.width);
    ByteReader r(bytes);
    switch (field.kind) {
    case Kind::U8: return std::to_string(bytes[0]);
    case Kind::I8: return std::to_string(static_cast<int8_t>(bytes[0]));
    case Kind::Char: return bytes[0] ? charText(bytes[0]) : std::string();
    case Kind::U16: { uint16_t v = 0; r.u16(v); return std::to_string(v); }
    case Kind::I16: { int16_t v = 0; r.i16(v); return std::to_string(v); }
    case Kind::U32: { uint32_t v = 0; r.u32(v); return std::to_string(v); }
    case Kind::Chars: {
        std::string out;
        for (uint8_t c : bytes)
            out += c ? charText(c) : std::string("\\0");
        return out;
    }
    case Kind::Text: return plainText(bytes);
    case Kind::Entry: return entryText(bytes);
    case Kind::I8Array: {
        std::string out;
        for (size_t i = 0; i < bytes.size(); ++i)
            out += (i ? "," : "") + std::to_string(static_cast<int8_t>(bytes[i]));
        return out;
    }
    }
    return {};
}

} // namespace kesmar
