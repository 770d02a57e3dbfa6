#pragma once
#include "core/ChartPoint.h"

#include <cmath>
#include <string>
#include <vector>

namespace kesmar::chartbuild {

// A position in degrees as GMT and GeoJSON give it (x = longitude east,
// y = latitude north), before conversion to chart units.
struct GeoPoint {
    double lon = 0;
    double lat = 0;
    friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

// A box in degrees.
struct GeoBox {
    double west = 0;
    double east = 0;
    double south = 0;
    double north = 0;
    bool contains(const GeoPoint& p) const {
        return p.lon >= west && p.lon <= east && p.lat >= south && p.lat <= north;
    }
};

// One segment of a GMT multisegment file: its level from the header
// ("Level 1" land, 2 lake, ...; river class; border kind) and its points.
struct GeoLine {
    int level = 0;
    std::vector<GeoPoint> points;
};

// Degrees to chart units (thousandths of a minute; y is the negated latitude).
inline ChartPoint toChartPoint(const GeoPoint& p)
{
    return {static_cast<int32_t>(std::lround(-p.lat * 60000.0)),
            static_cast<int32_t>(std::lround(p.lon * 60000.0))};
}

inline ChartBox toChartBox(const GeoBox& b)
{
    return {toChartPoint({b.west, b.north}).y, toChartPoint({b.west, b.north}).x,
            toChartPoint({b.east, b.south}).y, toChartPoint({b.east, b.south}).x};
}

// Converts and drops repeats that rounding produces.
std::vector<ChartPoint> toChartPoints(const std::vector<GeoPoint>& points);

} // namespace kesmar::chartbuild
