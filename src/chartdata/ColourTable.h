#pragma once
#include <QColor>
#include <QRgb>

#include <array>
#include <cstdint>
#include <span>

namespace kesmar {

// The active colour table: the 16 colours every chart pen, brush and symbol
// names by index. Loaded from the screen or the printer colours of the chart
// configuration before each paint. Index 4 is the background.
class ColourTable {
public:
    static constexpr int kSize = 16;
    static constexpr int kBackground = 4;

    ColourTable() { rgb_.fill(qRgb(0, 0, 0)); }

    // From stored colour values, written 0x00BBGGRR (red in the low byte).
    static ColourTable fromColorrefs(std::span<const uint32_t, kSize> colorrefs) {
        ColourTable t;
        for (int i = 0; i < kSize; ++i) t.rgb_[i] = colorrefToRgb(colorrefs[i]);
        return t;
    }
    static QRgb colorrefToRgb(uint32_t c) {
        return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }

    // Index is taken modulo 16: chart data stores colours in 4-bit fields.
    QRgb rgb(int index) const { return rgb_[size_t(index & 0x0F)]; }
    QColor colour(int index) const { return QColor(rgb(index)); }
    void set(int index, QRgb value) { rgb_[size_t(index & 0x0F)] = value; }

    friend bool operator==(const ColourTable&, const ColourTable&) = default;

private:
    std::array<QRgb, kSize> rgb_;
};

} // namespace kesmar
