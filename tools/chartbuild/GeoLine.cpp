#include "GeoLine.h"

namespace kesmar::chartbuild {

std::vector<ChartPoint> toChartPoints(const std::vector<GeoPoint>& points)
{
    std::vector<ChartPoint> out;
    out.reserve(points.size());
    for (const GeoPoint& g : points) {
        const ChartPoint p = toChartPoint(g);
        if (out.empty() || !(out.back() == p))
            out.push_back(p);
    }
    return out;
}

} // namespace kesmar::chartbuild
