#pragma once
#include "chartdata/ChartCatalogue.h"
#include "chartdata/LogFont.h"

#include <array>
#include <cstdint>

namespace kesmar {

class ChartConfig;

// What the "Detail Propertys" sheet edits: a copy taken from the chart
// configuration and the catalogue when it opens. The pages change this copy
// only; OK hands it back and the owner applies it, Cancel drops it, so the
// live catalogue and detail flags never need putting back.
struct DetailSettings {
    // Page colour table order: 16 chart, 16 printer colours, the mixing colour
    // (0x00BBGGRR, as at CHART.CFG offset 240).
    static constexpr int kColourEntries = 33;
    std::array<uint32_t, kColourEntries> colours{};
    uint32_t detailFlags = 0x0000FFFF;
    LogFont chartFont;
    LogFont workFont;
    double symbolSize = 0.025;
    double textSize = 1.0;
    ChartCatalogue catalogue;

    static DetailSettings from(const ChartConfig& config, const ChartCatalogue& catalogue);
    // Colours, flags, fonts and sizes into the configuration (not the catalogue).
    void applyTo(ChartConfig& config) const;
    // The chart colours, as the chart previews draw them.
    std::array<uint32_t, 16> screenColours() const;
};

} // namespace kesmar
