#pragma once
#include <cstdint>

namespace kesmar {

// Chart detail switches of CHART.CFG (offset 116). Bit k, k = 0..9, switches
// line layer k. 0x0400, 0x1000 and 0x2000 have no reader.
struct DetailFlags {
    enum Bit : uint32_t {
        Deep10m = 0x0001,
        Deep5m = 0x0002,
        Deep2m = 0x0004,
        Tidal = 0x0008,
        Layer4 = 0x0010, // no check box; stays set
        Lake = 0x0020,
        City = 0x0040,
        River = 0x0080,
        ShipBorder = 0x0100,
        States = 0x0200,
        ChartBorder = 0x0800,
        Text = 0x4000,
        Depths = 0x8000,
        Default = 0x0000FFFF,
    };
    static constexpr uint32_t layerBit(int layer) { return (layer >= 0 && layer < 10) ? (1u << layer) : 0u; }
    static constexpr bool layerEnabled(uint32_t flags, int layer) { return (flags & layerBit(layer)) != 0; }
};

} // namespace kesmar
