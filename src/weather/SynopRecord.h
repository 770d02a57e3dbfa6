#pragma once
#include "weather/StationEntry.h"
#include "weather/SynopRecordFields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace kesmar {

// Validity bits of SynopRecord::flags. A field whose bit is clear may still
// hold a value from an earlier report of the same bulletin: read by the bits.
namespace SynopFlag {
inline constexpr uint32_t StationIdentified = 0x00000001;
inline constexpr uint32_t Rejected = 0x00000002; // never written to the station file
inline constexpr uint32_t Visibility = 0x00000004;
inline constexpr uint32_t WindDirection = 0x00000008;
inline constexpr uint32_t WindSpeed = 0x00000010;
inline constexpr uint32_t AirTemperature = 0x00000020;
inline constexpr uint32_t DewPoint = 0x00000040;
inline constexpr uint32_t Humidity = 0x00000080;
inline constexpr uint32_t StationPressure = 0x00000100;
inline constexpr uint32_t SeaLevelPressure = 0x00000200;
inline constexpr uint32_t Geopotential = 0x00000400;
inline constexpr uint32_t PressureTendency = 0x00000800;
inline constexpr uint32_t Precipitation = 0x00001000;
inline constexpr uint32_t PresentWeather = 0x00002000;
inline constexpr uint32_t PresentWeatherOnly = 0x00004000; // 7ww// group
inline constexpr uint32_t CloudGroup = 0x00008000;
inline constexpr uint32_t ShipMovement = 0x00010000;
inline constexpr uint32_t SeaTemperature = 0x00020000;
inline constexpr uint32_t Waves = 0x00040000;
inline constexpr uint32_t WindWaves = 0x00080000;
inline constexpr uint32_t SwellDirection = 0x00100000;
inline constexpr uint32_t Swell1 = 0x00200000;
inline constexpr uint32_t Swell2 = 0x00400000;
inline constexpr uint32_t Ice = 0x00800000;
inline constexpr uint32_t MaxTemperature = 0x01000000;
inline constexpr uint32_t MinTemperature = 0x02000000;
inline constexpr uint32_t GroundGroup = 0x04000000;
inline constexpr uint32_t Snow = 0x08000000;
inline constexpr uint32_t CloudLayer = 0x10000000;
inline constexpr uint32_t Section4 = 0x20000000;
inline constexpr uint32_t ShipCallSign = 0x40000000;

// Short name of the single bit `bit` (e.g. "windSpeed"), or nullptr.
const char* name(uint32_t bit);
} // namespace SynopFlag

// One decoded SYNOP/SHIP report; also the record of "SYNOP\STATION.DAT".
// 487 bytes little-endian, no padding. Signed fields hold -1 for a missing
// code figure ("/"); char fields hold the report's own character.
// The in-memory struct is NOT the file layout: use serialise/deserialise.
struct SynopRecord {
    static constexpr size_t kSize = 487;
    static constexpr size_t kTextSize = 80;

    // Byte offsets in the file record.
    enum Offset : size_t {
#define KESMAR_FIELD_OFFSET(member, Name, width, kind) Off##Name = synoprecord::offsetOf(synoprecord::FieldId::Name),
        KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_OFFSET)
#undef KESMAR_FIELD_OFFSET
        // Ship position lives in stationEntry's latitude/longitude.
        OffStationLatitude = OffStationEntry + StationEntry::kOffsetLatitude,   // 128
        OffStationLongitude = OffStationEntry + StationEntry::kOffsetLongitude, // 130
        OffStationNameLength = OffStationEntry + StationEntry::kOffsetNameLength, // 136
    };

    uint32_t flags = 0;            // SynopFlag bits
    uint16_t sectionKind = 0;      // bit 0 AAXX read, bit 1 BBXX read
    uint16_t fileIndex = 0;
    uint32_t bulletinTime = 0;     // time value of YYGGgg
    uint32_t observationTime = 0;  // time value of YYGG
    int16_t windDirection = 0;     // dd * 10, degrees
    int16_t airTemperature = 0;    // tenths of degC
    int16_t dewPoint = 0;
    int16_t seaTemperature = 0;
    int16_t minTemperature = 0;
    int16_t maxTemperature = 0;
    int16_t humidity = 0;          // per cent
    int16_t stationPressure = 0;   // tenths of hPa without the thousands digit
    int16_t seaLevelPressure = 0;
    int16_t geopotential = 0;      // gpm as reported
    int16_t isobaricSurface = 0;   // hPa
    int16_t pressureTendency = 0;  // tenths of hPa
    int16_t precipitation = 0;     // RRR code figure
    int16_t waveHeight = 0;        // decimetres
    int16_t snowDepth = 0;         // sss code figure
    uint16_t platformNumber = 0;
    StationEntry centreEntry;      // issuing centre of the bulletin
    StationEntry stationEntry;     // reporting station; ship: position and call sign only
    std::array<char, kTextSize> ttText{};  // NUL-terminated
    std::array<char, kTextSize> aaText{};
    std::array<char, kTextSize> bbbText{};
    uint8_t bulletinNumber = 0;
    uint8_t windSpeed = 0;         // ff or fff, kept in 8 bits
    char headingLetter = 0;
    uint8_t windIndicator = 0;
    int8_t precipIndicator = 0;
    int8_t stationTypeIndicator = 0;
    std::array<char, 2> cloudBaseKey{};
    int8_t visibility = 0;
    char totalCloud = 0;
    int8_t tendencyCharacteristic = 0;
    int8_t precipitationPeriod = 0;
    int8_t presentWeather = 0;
    char lowCloud = 0;
    char midCloud = 0;
    char highCloud = 0;
    char lowCloudAmount = 0;
    int8_t shipDirection = 0;
    int8_t shipSpeed = 0;
    int8_t wavePeriod = 0;
    int8_t windWavePeriod = 0;
    int8_t windWaveHeight = 0;
    int8_t swell1Direction = 0;
    int8_t swell2Direction = 0;
    int8_t swell1Period = 0;
    int8_t swell1Height = 0;
    int8_t swell2Period = 0;
    int8_t swell2Height = 0;
    int8_t iceCause = 0;
    int8_t iceThickness = 0;
    int8_t iceRate = 0;
    int8_t groundMinTemperature = 0; // whole degC
    int8_t groundState = 0;
    int8_t snowGroundState = 0;
    std::array<int8_t, 10> layerAmount{}; // indexed by cloud genus C
    std::array<int8_t, 10> layerHeight{};
    int8_t lowerCloudAmount = 0;
    int8_t lowerCloudGenus = 0;
    int8_t lowerCloudTop = 0;
    int8_t lowerCloudDescription = 0;
    int8_t platformRegion = 0;

    using Bytes = std::array<uint8_t, kSize>;

    void serialise(std::span<uint8_t, kSize> out) const;
    Bytes serialise() const;
    // Any 487 bytes are a record; a station name length above 51 is cut to 51.
    static SynopRecord deserialise(std::span<const uint8_t, kSize> in);

    bool has(uint32_t bit) const { return (flags & bit) != 0; }
    // A text field up to its NUL; a damaged field without one is cut at 80.
    static std::string_view text(const std::array<char, kTextSize>& field)
    {
        return {field.data(), strnlen(field.data(), field.size())};
    }

    bool operator==(const SynopRecord&) const = default;
};

} // namespace kesmar
