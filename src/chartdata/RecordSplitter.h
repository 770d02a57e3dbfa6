#pragma once
#include "core/ChartPoint.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kesmar {

// Cuts geometry into pieces that a .LIN record can hold (at most 1023
// points). Lines are split into consecutive runs that share their end
// points; polygons are cut by recursive bisection of their box into tiles,
// each a closed polygon, whose union covers exactly the original area:
// neighbouring tiles meet on the same cut line with identical (integer)
// intersection points, so filled without outline they leave no gaps.
class RecordSplitter {
public:
    static constexpr int kDefaultMaxPoints = 1023;

    using Ring = std::vector<ChartPoint>;

    // Runs of at most maxPoints points; consecutive runs share one point.
    static std::vector<Ring> splitPolyline(std::span<const ChartPoint> points,
                                           int maxPoints = kDefaultMaxPoints);

    // Tiles of at most maxPoints points (the closing point is implicit: a
    // ring's last point is not a repeat of its first). Degenerate results
    // (fewer than 3 points) are dropped.
    static std::vector<Ring> tilePolygon(std::span<const ChartPoint> ring,
                                         int maxPoints = kDefaultMaxPoints);

    // Sutherland-Hodgman clip of a ring to a box (edges inclusive). Shared
    // cut points are computed from the edge's end points in a fixed order,
    // so both sides of a cut get the same integer point.
    static Ring clipPolygon(std::span<const ChartPoint> ring, const ChartBox& box);

    // Bounding box of the points (zero box for an empty list).
    static ChartBox bounds(std::span<const ChartPoint> points);
};

} // namespace kesmar
