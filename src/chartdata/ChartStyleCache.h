#pragma once
#include "chartdata/ColourTable.h"

#include <QBrush>
#include <QPen>

#include <array>

namespace kesmar {

// Pens and brushes of the chart drawing, built once per colour table instead
// of once per record: a QPen or QBrush allocates its private data, and the
// drawing would otherwise create and destroy one for every record it draws.
// The drawn result is the same as with freshly built objects.
class ChartStyleCache {
public:
    // Line-style index of a record's attribute (bits 4-5).
    enum LineStyle { Solid = 0, DashDotDot = 1, Dot = 2, Dot2 = 3 };
    enum BrushKind { SolidFill = 0, CrossHatch = 1, ForwardHatch = 2 };

    ChartStyleCache();

    // Rebuilds the objects when `colours` differs from the table in use.
    void use(const ColourTable& colours);
    const ColourTable& colours() const { return colours_; }

    // All chart pens are one pixel wide on every device, as the pens of the
    // chart files were meant: a cosmetic pen.
    const QPen& pen(int colourIndex, int lineStyle) const {
        return pens_[size_t(colourIndex & 0x0F)][size_t(lineStyle & 0x03)];
    }
    const QPen& noPen() const { return noPen_; }
    const QBrush& brush(int colourIndex, BrushKind kind) const {
        return brushes_[size_t(colourIndex & 0x0F)][size_t(kind)];
    }

private:
    void rebuild();

    ColourTable colours_;
    bool built_ = false;
    QPen noPen_{Qt::NoPen};
    std::array<std::array<QPen, 4>, ColourTable::kSize> pens_;
    std::array<std::array<QBrush, 3>, ColourTable::kSize> brushes_;
};

} // namespace kesmar
