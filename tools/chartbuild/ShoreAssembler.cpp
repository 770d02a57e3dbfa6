#include "ShoreAssembler.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kesmar::chartbuild {

namespace {

using Ring = std::vector<GeoPoint>;

double signedArea(const Ring& r)
{
    double a = 0;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++)
        a += r[j].lon * r[i].lat - r[i].lon * r[j].lat;
    return a / 2;
}

bool isClosed(const Ring& r) { return r.size() > 2 && r.front() == r.back(); }

struct PointLess {
    bool operator()(const GeoPoint& a, const GeoPoint& b) const {
        return a.lon < b.lon || (a.lon == b.lon && a.lat < b.lat);
    }
};

// Joins pieces end to start into maximal chains; closed chains go to rings.
std::vector<Ring> joinPieces(std::vector<Ring> pieces, std::vector<Ring>& rings)
{
    std::multimap<GeoPoint, size_t, PointLess> byStart;
    for (size_t i = 0; i < pieces.size(); ++i)
        byStart.emplace(pieces[i].front(), i);
    std::vector<bool> used(pieces.size(), false);
    auto take = [&](const GeoPoint& at, size_t self) -> long {
        auto [lo, hi] = byStart.equal_range(at);
        for (auto it = lo; it != hi; ++it)
            if (!used[it->second] && it->second != self)
                return long(it->second);
        return -1;
    };
    // Chains may be found from their middle: a chain starting where another
    // ends is merged into it until nothing joins any more.
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (used[i])
                continue;
            while (!isClosed(pieces[i])) {
                const long j = take(pieces[i].back(), i);
                if (j < 0)
                    break;
                used[size_t(j)] = true;
                pieces[i].insert(pieces[i].end(), pieces[size_t(j)].begin() + 1, pieces[size_t(j)].end());
                merged = true;
            }
        }
    }
    std::vector<Ring> chains;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (used[i])
            continue;
        if (isClosed(pieces[i])) {
            pieces[i].pop_back();
            rings.push_back(std::move(pieces[i]));
        } else {
            chains.push_back(std::move(pieces[i]));
        }
    }
    return chains;
}

} // namespace

ShoreAssembler::ShoreAssembler(const GeoBox& region, double edgeTolerance)
    : region_(region), tolerance_(edgeTolerance)
{
}

double ShoreAssembler::perimeterPosition(const GeoPoint& p) const
{
    const double w = region_.east - region_.west;
    const double h = region_.north - region_.south;
    if (std::abs(p.lat - region_.south) <= tolerance_)
        return std::clamp(p.lon - region_.west, 0.0, w);
    if (std::abs(p.lon - region_.east) <= tolerance_)
        return w + std::clamp(p.lat - region_.south, 0.0, h);
    if (std::abs(p.lat - region_.north) <= tolerance_)
        return w + h + std::clamp(region_.east - p.lon, 0.0, w);
    if (std::abs(p.lon - region_.west) <= tolerance_)
        return 2 * w + h + std::clamp(region_.north - p.lat, 0.0, h);
    return -1;
}

void ShoreAssembler::walkEdge(double from, double to, Ring& ring) const
{
    const double w = region_.east - region_.west;
    const double h = region_.north - region_.south;
    const double perimeter = 2 * (w + h);
    const GeoPoint corners[4] = {{region_.east, region_.south}, {region_.east, region_.north},
                                 {region_.west, region_.north}, {region_.west, region_.south}};
    const double at[4] = {w, w + h, 2 * w + h, perimeter};
    double distance = to - from;
    if (distance < 0)
        distance += perimeter;
    // Corners passed going counter-clockwise from `from` for `distance`.
    for (int lap = 0; lap < 2; ++lap)
        for (int k = 0; k < 4; ++k) {
            const double c = at[k] + lap * perimeter;
            if (c > from && c < from + distance)
                ring.push_back(corners[k]);
        }
}

void ShoreAssembler::closeAlongEdge(std::vector<Ring> chains, std::vector<Ring>& rings) const
{
    struct Chain {
        Ring points;
        double start;
        double end;
    };
    std::vector<Chain> onEdge;
    for (Ring& c : chains) {
        const double s = perimeterPosition(c.front());
        const double e = perimeterPosition(c.back());
        if (s < 0 || e < 0) {
            if (c.size() > 2)
                rings.push_back(std::move(c));  // a dangling piece: close it straight
            continue;
        }
        onEdge.push_back({std::move(c), s, e});
    }
    const double perimeter = 2 * ((region_.east - region_.west) + (region_.north - region_.south));
    std::vector<bool> used(onEdge.size(), false);
    for (size_t first = 0; first < onEdge.size(); ++first) {
        if (used[first])
            continue;
        used[first] = true;
        Ring ring = onEdge[first].points;
        size_t cur = first;
        // From each exit, the next chain is the nearest entry counter-clockwise.
        for (size_t guard = 0; guard <= onEdge.size(); ++guard) {
            size_t best = first;
            double bestDistance = perimeter * 2;
            for (size_t n = 0; n < onEdge.size(); ++n) {
                if (used[n] && n != first)
                    continue;
                double d = onEdge[n].start - onEdge[cur].end;
                if (d < 0)
                    d += perimeter;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = n;
                }
            }
            walkEdge(onEdge[cur].end, onEdge[best].start, ring);
            if (best == first)
                break;
            used[best] = true;
            ring.insert(ring.end(), onEdge[best].points.begin(), onEdge[best].points.end());
            cur = best;
        }
        if (ring.size() > 2)
            rings.push_back(std::move(ring));
    }
}

std::vector<Ring> ShoreAssembler::assemble(std::vector<GeoLine> pieces) const
{
    std::vector<Ring> rings;
    std::vector<Ring> open;
    for (GeoLine& line : pieces) {
        if (line.points.size() < 2)
            continue;
        open.push_back(std::move(line.points));
    }
    // Pieces keep the inside on the left; if the closed ones say otherwise
    // (another source), turn everything round first.
    double orientation = 0;
    for (const Ring& r : open)
        if (isClosed(r))
            orientation += signedArea(r) > 0 ? 1 : -1;
    if (orientation < 0)
        for (Ring& r : open)
            std::reverse(r.begin(), r.end());

    std::vector<Ring> chains = joinPieces(std::move(open), rings);
    closeAlongEdge(std::move(chains), rings);
    return rings;
}

} // namespace kesmar::chartbuild
