#include "chartdata/RecordSplitter.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {

enum class Side { Top, Left, Bottom, Right };

bool inside(const ChartPoint& p, Side side, int32_t edge)
{
    switch (side) {
    case Side::Top: return p.y >= edge;
    case Side::Bottom: return p.y <= edge;
    case Side::Left: return p.x >= edge;
    case Side::Right: return p.x <= edge;
    }
    return false;
}

// The crossing of segment a-b with the line y = edge (horizontal sides) or
// x = edge. The end points are ordered first so that the same edge gives the
// same integer point whichever tile clips it.
ChartPoint crossing(ChartPoint a, ChartPoint b, Side side, int32_t edge)
{
    if (a.y > b.y || (a.y == b.y && a.x > b.x))
        std::swap(a, b);
    const bool horizontal = side == Side::Top || side == Side::Bottom;
    if (horizontal) {
        const double t = double(int64_t(edge) - a.y) / double(int64_t(b.y) - a.y);
        return {edge, int32_t(std::llround(a.x + t * (double(b.x) - a.x)))};
    }
    const double t = double(int64_t(edge) - a.x) / double(int64_t(b.x) - a.x);
    return {int32_t(std::llround(a.y + t * (double(b.y) - a.y))), edge};
}

std::vector<ChartPoint> clipSide(const std::vector<ChartPoint>& in, Side side, int32_t edge)
{
    std::vector<ChartPoint> out;
    if (in.empty())
        return out;
    out.reserve(in.size() + 4);
    ChartPoint prev = in.back();
    bool prevIn = inside(prev, side, edge);
    for (const ChartPoint& cur : in) {
        const bool curIn = inside(cur, side, edge);
        if (curIn != prevIn)
            out.push_back(crossing(prev, cur, side, edge));
        if (curIn)
            out.push_back(cur);
        prev = cur;
        prevIn = curIn;
    }
    // Drop consecutive duplicates that clipping leaves at corners.
    out.erase(std::unique(out.begin(), out.end()), out.end());
    while (out.size() > 1 && out.front() == out.back())
        out.pop_back();
    return out;
}

void tile(std::vector<ChartPoint> ring, int maxPoints, std::vector<RecordSplitter::Ring>& out)
{
    if (ring.size() < 3)
        return;
    if (int(ring.size()) <= maxPoints) {
        out.push_back(std::move(ring));
        return;
    }
    const ChartBox b = RecordSplitter::bounds(ring);
    const int64_t h = int64_t(b.bottom) - b.top;
    const int64_t w = int64_t(b.right) - b.left;
    if (h < 2 && w < 2)
        return;  // cannot cut further; a ring this dense is noise
    ChartBox first = b;
    ChartBox second = b;
    if (h >= w) {
        const int32_t mid = int32_t(b.top + h / 2);
        first.bottom = mid;
        second.top = mid;
    } else {
        const int32_t mid = int32_t(b.left + w / 2);
        first.right = mid;
        second.left = mid;
    }
    tile(RecordSplitter::clipPolygon(ring, first), maxPoints, out);
    tile(RecordSplitter::clipPolygon(ring, second), maxPoints, out);
}

} // namespace

std::vector<RecordSplitter::Ring> RecordSplitter::splitPolyline(std::span<const ChartPoint> points,
                                                                int maxPoints)
{
    std::vector<Ring> runs;
    if (points.empty() || maxPoints < 2)
        return runs;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(points.size(), start + size_t(maxPoints));
        runs.emplace_back(points.begin() + std::ptrdiff_t(start), points.begin() + std::ptrdiff_t(end));
        if (end == points.size())
            break;
        start = end - 1;  // the next run starts where this one ended
    }
    return runs;
}

std::vector<RecordSplitter::Ring> RecordSplitter::tilePolygon(std::span<const ChartPoint> ring,
                                                              int maxPoints)
{
    std::vector<Ring> out;
    Ring r(ring.begin(), ring.end());
    while (r.size() > 1 && r.front() == r.back())
        r.pop_back();
    tile(std::move(r), std::max(maxPoints, 8), out);
    return out;
}

RecordSplitter::Ring RecordSplitter::clipPolygon(std::span<const ChartPoint> ring, const ChartBox& box)
{
    Ring r(ring.begin(), ring.end());
    r = clipSide(r, Side::Top, box.top);
    r = clipSide(r, Side::Bottom, box.bottom);
    r = clipSide(r, Side::Left, box.left);
    r = clipSide(r, Side::Right, box.right);
    if (r.size() < 3)
        r.clear();
    return r;
}

ChartBox RecordSplitter::bounds(std::span<const ChartPoint> points)
{
    if (points.empty())
        return {};
    ChartBox b{points[0].y, points[0].x, points[0].y, points[0].x};
    for (const ChartPoint& p : points) {
        b.top = std::min(b.top, p.y);
        b.bottom = std::max(b.bottom, p.y);
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
    }
    return b;
}

} // namespace kesmar
