#pragma once
#include "GeoLine.h"

#include <vector>

namespace kesmar::chartbuild {

// Turns the shore pieces GMT cuts at its storage bins and at the region's
// edge into closed rings. GSHHG pieces keep the polygon's direction (the
// inside, land or lake, on the left), so pieces are joined end to start;
// chains that still end on the region's edge are closed by walking the edge
// counter-clockwise (inside on the left) to the next chain's start.
// The rings have no repeated closing point.
class ShoreAssembler {
public:
    explicit ShoreAssembler(const GeoBox& region, double edgeTolerance = 1e-7);

    std::vector<std::vector<GeoPoint>> assemble(std::vector<GeoLine> pieces) const;

private:
    double perimeterPosition(const GeoPoint& p) const;  // -1 when not on the edge
    void walkEdge(double from, double to, std::vector<GeoPoint>& ring) const;
    void closeAlongEdge(std::vector<std::vector<GeoPoint>> chains,
                        std::vector<std::vector<GeoPoint>>& rings) const;

    GeoBox region_;
    double tolerance_;
};

} // namespace kesmar::chartbuild
