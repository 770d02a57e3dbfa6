#pragma once
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/ChartPoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kesmar {

// One 24-byte entry of a chart's .BWP index: a block of point records in
// .BPT that all have the same size, sorted north to south by y. The index
// ends at an entry whose count is 0 or at the end of the file.
struct PointBlockEntry {
    static constexpr size_t kOffYMin = 0;
    static constexpr size_t kOffXMin = 4;
    static constexpr size_t kOffYMax = 8;
    static constexpr size_t kOffXMax = 12;
    static constexpr size_t kOffBptOffset = 16;
    static constexpr size_t kOffCount = 20;
    static constexpr size_t kOffRecordSize = 22;
    static constexpr size_t kOffUnused = 23;
    static constexpr size_t kSize = 24;

    int32_t yMin = 0;
    int32_t xMin = 0;
    int32_t yMax = 0;
    int32_t xMax = 0;
    uint32_t bptOffset = 0;   // byte offset of the block's first record in .BPT
    uint16_t count = 0;       // records in the block; 0 ends the index
    uint8_t recordSize = 0;   // bytes per record, 13 to 128
    uint8_t unused = 0;

    ChartBox box() const { return {yMin, xMin, yMax, xMax}; }
    bool isTerminator() const { return count == 0; }

    static std::optional<PointBlockEntry> read(ByteReader& in);
    void write(ByteWriter& out) const;

    friend bool operator==(const PointBlockEntry&, const PointBlockEntry&) = default;
};

static_assert(PointBlockEntry::kOffUnused + 1 == PointBlockEntry::kSize);

} // namespace kesmar
