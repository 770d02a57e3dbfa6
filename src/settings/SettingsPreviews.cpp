#include "settings/SettingsPreviews.h"

#include "chartdata/PointRecord.h"
#include "chartdata/SymbolPainter.h"

#include <cstdlib>

namespace kesmar {

const std::array<SettingsPreviews::Sample, 14>& SettingsPreviews::samples()
{
    static const std::array<Sample, 14> table{{
        {131, 67, 0x51, 0, 3}, {0, 39, 0x99, 1, 3},  {1, 22, 0xDD, 2, 3},  {2, 72, 0x55, 3, 3},
        {67, 1, 0xD1, 4, 3},   {40, 0, 0x22, 0, 5},  {40, 0, 0x55, 1, 5},  {40, 0, 0xDD, 3, 5},
        {168, 0, 0x9D, 4, 4},  {43, 0, 0xBB, 0, 7},  {9, 0, 0x55, 1, 7},   {67, 8, 0x2D, 2, 7},
        {0, 0, 0xD9, 3, 7},    {17, 0, 0xDD, 4, 7},
    }};
    return table;
}

namespace {

void drawSample(QPainter& painter, const SymbolLibrary& library, const ColourTable& colours,
                const SettingsPreviews::Sample& s, QPoint at, double size)
{
    const std::optional<PointRecord> record =
        PointRecord::make(PointRecord::kMinSize, s.kind, s.colour, s.flags, 0, ChartPoint{});
    if (record)
        SymbolPainter::drawPointSymbol(painter, library, colours, *record, at, size);
}

} // namespace

void SettingsPreviews::paintColourPreview(QPainter& painter, QSize size, const ColourTable& colours,
                                          const SymbolLibrary& library)
{
    const int w = size.width();
    const int h = size.height();
    const int b = w / 6;
    static constexpr int bands[7] = {4, 6, 8, 10, 12, 14, 15};
    for (int i = 0; i < 7; ++i)
        painter.fillRect(QRect(i * b, 0, b, h), colours.colour(bands[i]));
    painter.fillRect(QRect(w - 8, 0, 8, h), colours.colour(15));
    for (const Sample& s : samples())
        drawSample(painter, library, colours, s, QPoint((s.column + 1) * (w / 6), (s.row + 2) * (h / 9)), 0.025);
}

void SettingsPreviews::paintBuoyagePreview(QPainter& painter, QSize size, const ColourTable& colours,
                                           const SymbolLibrary& library, double symbolSize)
{
    const int w = size.width();
    const int h = size.height();
    for (int k = 0; k < 3; ++k) {
        const Sample& s = samples()[size_t(k)];
        drawSample(painter, library, colours, s, QPoint((s.column + 1) * (w / 4), 38 + s.row * ((k * (h / 7)) / 2)),
                   symbolSize);
    }
}

int SettingsPreviews::nearestEntry(std::span<const uint32_t, 16> entries, uint32_t pixel)
{
    int best = 0;
    uint32_t bestDiff = UINT32_MAX;
    for (int i = 0; i < 16; ++i) {
        const uint32_t v = entries[size_t(i)];
        const uint32_t diff = v > pixel ? v - pixel : pixel - v;
        if (diff < bestDiff) {
            bestDiff = diff;
            best = i;
        }
    }
    return best;
}

uint32_t SettingsPreviews::colorref(QRgb rgb)
{
    return uint32_t(qRed(rgb)) | (uint32_t(qGreen(rgb)) << 8) | (uint32_t(qBlue(rgb)) << 16);
}

} // namespace kesmar
