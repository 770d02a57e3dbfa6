#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace kesmar {

// The file layout of SynopRecord as data: every field by name, offset, width
// and kind, for tools that show raw station-file records.
struct SynopRecordLayout {
    enum class Kind : uint8_t { U8, I8, Char, U16, I16, U32, Chars, Text, Entry, I8Array };
    struct Field {
        const char* name;
        uint16_t offset;
        uint16_t width;
        Kind kind;
    };

    // All fields in offset order, covering the 487 bytes without gaps.
    static std::span<const Field> fields();
    // The value of one field of a raw record as text: numbers in decimal,
    // chars as the character (Windows-1252 letters as UTF-8, others \xNN), texts up to their NUL, station entries
    // as "number;latitude;longitude;indicator;name", arrays comma-separated.
    static std::string format(const Field& field, std::span<const uint8_t> record);
};

} // namespace kesmar
