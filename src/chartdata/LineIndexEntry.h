#pragma once
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/ChartPoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kesmar {

// One 26-byte entry of a chart's .WPN index: the box of a line or area record
// and where its packed points lie in the .LIN file. A section of the index is
// a run of entries sorted by ascending yMin (north to south) and ended by an
// entry whose point count is 0.
struct LineIndexEntry {
    // Field offsets within the 26-byte record; the layout is fixed by the file.
    static constexpr size_t kOffYMin = 0;
    static constexpr size_t kOffXMin = 4;
    static constexpr size_t kOffYMax = 8;
    static constexpr size_t kOffXMax = 12;
    static constexpr size_t kOffLinOffset = 16;
    static constexpr size_t kOffByteLength = 20;
    static constexpr size_t kOffPointCount = 22;
    static constexpr size_t kOffAttribute = 24;
    static constexpr size_t kOffFill = 25;
    static constexpr size_t kSize = 26;

    // Fill byte bits.
    static constexpr uint8_t kFillArea = 0x80;        // polygon, else polyline
    static constexpr uint8_t kFillCrossHatch = 0x04;  // HS_DIAGCROSS-like hatching
    static constexpr uint8_t kFillHatch = 0x08;       // forward-diagonal hatching
    static constexpr uint8_t kFillOutline = 0x10;     // draw the outline with the record's pen

    int32_t yMin = 0;
    int32_t xMin = 0;
    int32_t yMax = 0;
    int32_t xMax = 0;
    uint32_t linOffset = 0;   // byte offset of the packed record in .LIN
    uint16_t byteLength = 0;  // packed record length, 1 to 32 767 (low 15 bits used)
    uint16_t pointCount = 0;  // 1 to 1023; 0 terminates the section
    uint8_t attribute = 0;    // bits 0-3 colour index, bits 4-5 line-style index
    uint8_t fill = 0;         // see kFill* bits

    ChartBox box() const { return {yMin, xMin, yMax, xMax}; }
    uint8_t colourIndex() const { return attribute & 0x0F; }
    uint8_t lineStyle() const { return (attribute >> 4) & 0x03; }
    bool isArea() const { return (fill & kFillArea) != 0; }
    bool isTerminator() const { return pointCount == 0; }

    // Reads one entry at the reader's position; nullopt (reader failed) when
    // fewer than 26 bytes remain.
    static std::optional<LineIndexEntry> read(ByteReader& in);
    void write(ByteWriter& out) const;

    friend bool operator==(const LineIndexEntry&, const LineIndexEntry&) = default;
};

static_assert(LineIndexEntry::kOffFill + 1 == LineIndexEntry::kSize);

} // namespace kesmar
