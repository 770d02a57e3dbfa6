#pragma once
#include <cstdint>

namespace kesmar {

// A position in thousandths of a minute of arc, y first as on disk.
// y is the negated latitude (south positive), x the longitude (east positive).
struct ChartPoint {
    int32_t y = 0;
    int32_t x = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// The world in ChartPoint units: 180 degrees = 10 800 000, 90 degrees = 5 400 000.
inline constexpr int32_t kWorldHalfWidth = 10'800'000;
inline constexpr int32_t kWorldHalfHeight = 5'400'000;

// An axis-aligned box in ChartPoint units, stored top, left, bottom, right.
struct ChartBox {
    int32_t top = 0;
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    friend bool operator==(const ChartBox&, const ChartBox&) = default;
};

} // namespace kesmar
