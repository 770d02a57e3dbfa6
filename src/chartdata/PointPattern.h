#pragma once
#include <QBrush>
#include <QColor>

#include <cstdint>

namespace kesmar {

// The 8 x 8 fill patterns of buoyage symbols. A pattern paints its 0-bits in
// the point's foreground colour and its 1-bits in its background colour, so
// a banded or striped buoy shows both of its colours.
enum class PointPattern {
    Plain,     // all bits clear: plain foreground
    Bands,     // rows 0-3 set: horizontal bands (type byte bit 7)
    Stripes2,  // columns 0-1 and 4-5 set: 2-pixel vertical stripes (bit 6)
    Stripes4,  // columns 0-3 set: 4-pixel vertical stripes (bit 6)
};

struct PointPatterns {
    // Screen views up to this width get the fine stripes.
    static constexpr int kFineStripesMaxWidth = 1248;

    // The pattern of a type byte: bit 7 bands, else bit 6 stripes (2-pixel
    // when `fineStripes`, else 4-pixel), else plain. Printing and the
    // point-information preview use the 4-pixel stripes.
    static PointPattern forTypeByte(uint8_t typeByte, bool fineStripes);
    static bool fineStripes(int viewWidthPixels, bool printing) {
        return !printing && viewWidthPixels <= kFineStripesMaxWidth;
    }

    // The 8 pattern rows, bit 7 = leftmost column.
    static uint8_t row(PointPattern pattern, int y);

    // A texture brush of the pattern in the two colours, aligned to the
    // painter's origin.
    static QBrush brush(PointPattern pattern, QColor foreground, QColor background);
};

} // namespace kesmar
