#pragma once
#include "chartdata/ColourTable.h"

#include <QImage>
#include <QPainter>
#include <QSize>

#include <array>
#include <cstdint>
#include <span>

namespace kesmar {

class SymbolLibrary;

// The drawings of the sheet's previews, kept apart from the widgets so that
// they can be checked on an image.
class SettingsPreviews {
public:
    // One sample symbol: the type, modifier and colour bytes of a point
    // record, and its column and row on the preview.
    struct Sample {
        uint8_t kind;
        uint8_t flags;
        uint8_t colour;
        int column;
        int row;
    };
    static const std::array<Sample, 14>& samples();

    // The colour preview: seven bands in indices 4, 6, 8, 10, 12, 14, 15 of
    // width w / 6 (the last runs past the edge), a strip of 15 at the right
    // and the 14 samples at symbol size 0.025.
    static void paintColourPreview(QPainter& painter, QSize size, const ColourTable& colours,
                                   const SymbolLibrary& library);
    // The buoyage dimension preview: the first three samples, stacked.
    static void paintBuoyagePreview(QPainter& painter, QSize size, const ColourTable& colours,
                                    const SymbolLibrary& library, double symbolSize);

    // The entry of a group of 16 whose value differs least from `pixel`
    // (both taken as unsigned 32-bit 0x00BBGGRR); the lower index on a tie.
    static int nearestEntry(std::span<const uint32_t, 16> entries, uint32_t pixel);
    static uint32_t colorref(QRgb rgb);
};

} // namespace kesmar
