#include "weather/StationDeclutter.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {

// Spreads the keys of one priority over the map: neighbouring station
// numbers lie close together, their scrambled order does not.
uint32_t scramble(uint32_t key)
{
    key ^= key >> 16;
    key *= 0x7feb352dU;
    key ^= key >> 15;
    key *= 0x846ca68bU;
    key ^= key >> 16;
    return key;
}

constexpr double kMaxCellsPerSide = 1024.0;

} // namespace

std::vector<int> StationDeclutter::select(const std::vector<Candidate>& candidates, QSizeF footprint)
{
    // Sort keys: priority, then the scrambled key, then the list position.
    std::vector<std::pair<uint64_t, int>> keyed(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        const Candidate& c = candidates[i];
        const auto priority = uint64_t(uint32_t(std::clamp(c.priority, 0, 0x7fffffff)));
        keyed[i] = {(priority << 32) | scramble(c.key), int(i)};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order(candidates.size());
    for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;

    const double w = std::max(footprint.width(), 1.0), h = std::max(footprint.height(), 1.0);
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
    for (const Candidate& c : candidates) {
        if (!std::isfinite(c.pixel.x()) || !std::isfinite(c.pixel.y())) continue;
        minX = any ? std::min(minX, c.pixel.x()) : c.pixel.x();
        maxX = any ? std::max(maxX, c.pixel.x()) : c.pixel.x();
        minY = any ? std::min(minY, c.pixel.y()) : c.pixel.y();
        maxY = any ? std::max(maxY, c.pixel.y()) : c.pixel.y();
        any = true;
    }
    // Cells at least one box wide: a box can only meet kept boxes of the
    // 3 x 3 cells around its own. Far-flung candidates get coarser cells.
    const double cellW = std::max(w, (maxX - minX) / kMaxCellsPerSide);
    const double cellH = std::max(h, (maxY - minY) / kMaxCellsPerSide);
    const int cols = any ? int((maxX - minX) / cellW) + 1 : 0;
    const int rows = any ? int((maxY - minY) / cellH) + 1 : 0;
    std::vector<std::vector<int>> grid(size_t(cols) * size_t(rows));
    std::vector<int> kept;
    for (int index : order) {
        const QPointF p = candidates[size_t(index)].pixel;
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
        const int cx = int((p.x() - minX) / cellW), cy = int((p.y() - minY) / cellH);
        bool free = true;
        for (int y = std::max(cy - 1, 0); y <= std::min(cy + 1, rows - 1) && free; ++y) {
            for (int x = std::max(cx - 1, 0); x <= std::min(cx + 1, cols - 1) && free; ++x) {
                for (int other : grid[size_t(y) * size_t(cols) + size_t(x)]) {
                    const QPointF q = candidates[size_t(other)].pixel;
                    if (std::abs(q.x() - p.x()) < w && std::abs(q.y() - p.y()) < h) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (!free) continue;
        grid[size_t(cy) * size_t(cols) + size_t(cx)].push_back(index);
        kept.push_back(index);
    }
    return kept;
}

} // namespace kesmar
