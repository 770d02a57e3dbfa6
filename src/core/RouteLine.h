#pragma once
#include "core/ChartPoint.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kesmar {

// The route help line: clicked positions kept in chart coordinates so that
// the line follows every zoom and pan. Lives in memory only.
class RouteLine {
public:
    // The original buffer held 1024 entries and kept two in reserve.
    static constexpr std::size_t kMaxPoints = 1022;

    // Appends while there is room; returns false once the route is full
    // (the point is dropped).
    bool append(ChartPoint point);
    void clear() { m_points.clear(); }

    std::size_t size() const { return m_points.size(); }
    bool empty() const { return m_points.empty(); }
    bool full() const { return m_points.size() >= kMaxPoints; }
    const ChartPoint& last() const { return m_points.back(); }
    std::span<const ChartPoint> points() const { return m_points; }

private:
    std::vector<ChartPoint> m_points;
};

} // namespace kesmar
