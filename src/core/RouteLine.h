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
    void clear() { points_.clear(); }

    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    bool full() const { return points_.size() >= kMaxPoints; }
    const ChartPoint& last() const { return points_.back(); }
    std::span<const ChartPoint> points() const { return points_; }

private:
    std::vector<ChartPoint> points_;
};

} // namespace kesmar
