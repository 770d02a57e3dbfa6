#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kesmar {

// One station of the station table "DATA\WMOSTAT.DAT", and the 70-byte
// station fields of a SynopRecord. Stored little-endian:
//   0 u32 number (IIiii)        4 6 bytes attributes (carried, not read)
//  10 i16 latitude, whole minutes, north NEGATIVE (y = -latitude)
//  12 i16 longitude, whole minutes, east positive
//  14 4 chars location indicator (ICAO style, "EDZW")
//  18 u8  name length n         19 n name bytes, no NUL
// In the table an entry takes 19 + n bytes; in a record it fills a 70-byte
// field, so n is at most 51.
struct StationEntry {
    static constexpr size_t kHeaderSize = 19;
    static constexpr size_t kMaxNameLength = 51;
    static constexpr size_t kFieldSize = kHeaderSize + kMaxNameLength; // 70

    static constexpr size_t kOffsetNumber = 0;
    static constexpr size_t kOffsetAttributes = 4;
    static constexpr size_t kOffsetLatitude = 10;
    static constexpr size_t kOffsetLongitude = 12;
    static constexpr size_t kOffsetIndicator = 14;
    static constexpr size_t kOffsetNameLength = 18;
    static constexpr size_t kOffsetName = 19;

    uint32_t number = 0;
    std::array<uint8_t, 6> attributes{};
    int16_t latitudeMinutes = 0;
    int16_t longitudeMinutes = 0;
    std::array<char, 4> indicator{};
    uint8_t nameLength = 0; // kept <= kMaxNameLength by every setter and reader
    std::array<char, kMaxNameLength> name{}; // bytes past nameLength are zero

    std::string_view nameView() const { return {name.data(), nameLength}; }
    std::string_view indicatorView() const { return {indicator.data(), indicator.size()}; }
    // Sets the name, cut to 51 characters; the rest of the field is zeroed.
    void setName(std::string_view text);

    // Writes the 70-byte field form (name bytes past n are zero).
    void writeField(std::span<uint8_t, kFieldSize> out) const;
    // Reads the 70-byte field form. A length byte above 51 is cut to 51.
    static StationEntry readField(std::span<const uint8_t, kFieldSize> in);
    // Appends the table form (19 + n bytes).
    void appendTableForm(std::vector<uint8_t>& out) const;

    bool operator==(const StationEntry&) const = default;
};

} // namespace kesmar
