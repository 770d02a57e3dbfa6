#include "weather/StationDeclutter.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

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

int64_t cellKey(int64_t cx, int64_t cy)
{
    return (cx << 32) ^ (cy & 0xffffffff);
}

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
    // One cell per box size: a box can only meet kept boxes of the 3 x 3 cells around.
    std::unordered_map<int64_t, std::vector<int>> grid;
    std::vector<int> kept;
    for (int index : order) {
        const QPointF p = candidates[size_t(index)].pixel;
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
        const auto cx = int64_t(std::floor(p.x() / w)), cy = int64_t(std::floor(p.y() / h));
        bool free = true;
        for (int64_t dx = -1; dx <= 1 && free; ++dx) {
            for (int64_t dy = -1; dy <= 1 && free; ++dy) {
                const auto it = grid.find(cellKey(cx + dx, cy + dy));
                if (it == grid.end()) continue;
                for (int other : it->second) {
                    const QPointF q = candidates[size_t(other)].pixel;
                    if (std::abs(q.x() - p.x()) < w && std::abs(q.y() - p.y()) < h) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (!free) continue;
        grid[cellKey(cx, cy)].push_back(index);
        kept.push_back(index);
    }
    return kept;
}

} // namespace kesmar
