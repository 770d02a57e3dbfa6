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
#define KESMAR_FIELD_ROW(member, Name, width, kind) {#member, R::Off##Name, width, K::kind},
    KESMAR_SYNOP_RECORD_FIELDS(KESMAR_FIELD_ROW)
#undef KESMAR_FIELD_ROW
};

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
