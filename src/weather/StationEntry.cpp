#include "weather/StationEntry.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <algorithm>
#include <cstring>

namespace kesmar {

void StationEntry::setName(std::string_view text)
{
    name.fill(0);
    nameLength = static_cast<uint8_t>(std::min(text.size(), kMaxNameLength));
    std::memcpy(name.data(), text.data(), nameLength);
}

void StationEntry::writeField(std::span<uint8_t, kFieldSize> out) const
{
    // Written in place: the decoder serialises a record for every report.
    std::memset(out.data(), 0, kFieldSize);
    for (int i = 0; i < 4; ++i)
        out[kOffsetNumber + i] = static_cast<uint8_t>(number >> (8 * i));
    std::memcpy(out.data() + kOffsetAttributes, attributes.data(), attributes.size());
    const auto lat = static_cast<uint16_t>(latitudeMinutes);
    const auto lon = static_cast<uint16_t>(longitudeMinutes);
    out[kOffsetLatitude] = static_cast<uint8_t>(lat);
    out[kOffsetLatitude + 1] = static_cast<uint8_t>(lat >> 8);
    out[kOffsetLongitude] = static_cast<uint8_t>(lon);
    out[kOffsetLongitude + 1] = static_cast<uint8_t>(lon >> 8);
    std::memcpy(out.data() + kOffsetIndicator, indicator.data(), indicator.size());
    const uint8_t n = std::min<uint8_t>(nameLength, kMaxNameLength);
    out[kOffsetNameLength] = n;
    std::memcpy(out.data() + kOffsetName, name.data(), n);
}

StationEntry StationEntry::readField(std::span<const uint8_t, kFieldSize> in)
{
    StationEntry e;
    ByteReader r(in);
    r.u32(e.number);
    r.bytes(e.attributes.data(), e.attributes.size());
    r.i16(e.latitudeMinutes);
    r.i16(e.longitudeMinutes);
    r.bytes(e.indicator.data(), e.indicator.size());
    uint8_t n = 0;
    r.u8(n);
    e.nameLength = std::min<uint8_t>(n, kMaxNameLength);
    r.bytes(e.name.data(), e.nameLength);
    return e;
}

void StationEntry::appendTableForm(std::vector<uint8_t>& out) const
{
    ByteWriter w(out);
    w.u32(number);
    w.bytes(attributes.data(), attributes.size());
    w.i16(latitudeMinutes);
    w.i16(longitudeMinutes);
    w.bytes(indicator.data(), indicator.size());
    const uint8_t n = std::min<uint8_t>(nameLength, kMaxNameLength);
    w.u8(n);
    w.bytes(name.data(), n);
}

} // namespace kesmar
