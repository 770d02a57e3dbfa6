#pragma once
#include "core/ViewportTypes.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace kesmar {

class ByteReader;
class ByteWriter;

// The 60-byte font record stored in CHART.CFG (the Windows LOGFONTA layout):
//   0 i32 height, 4 i32 width, 8 i32 escapement, 12 i32 orientation, 16 i32 weight,
//   20 u8 italic, underline, strikeOut, charSet, outPrecision, clipPrecision,
//   quality, pitchAndFamily, 28 32 bytes face name (NUL-terminated, code page 850).
// Every byte is kept so that an unchanged record is written back unchanged.
struct LogFont {
    static constexpr size_t kSize = 60;
    static constexpr size_t kFaceSize = 32;

    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::array<uint8_t, kFaceSize> face{};

    static LogFont make(int32_t height, int32_t weight, uint8_t pitchAndFamily, const char* face);

    QString faceName() const;
    void setFaceName(const QString& name); // cut to 31 characters
    TextFont toTextFont() const;
    // Height, weight, italic and face from `font`; the other bytes stay.
    void assign(const TextFont& font);

    bool read(ByteReader& in);
    void write(ByteWriter& out) const;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

} // namespace kesmar
