#pragma once
#include <QPointF>
#include <QSizeF>

#include <cstdint>
#include <vector>

namespace kesmar {

// Chooses the station models to draw so that no two overlap. Candidates are
// taken by priority (smaller first: ships, then coastal stations, then the
// rest) and within a priority in a fixed order that has nothing to do with
// position, so the survivors spread evenly instead of piling up where the
// list begins. A model is kept when its box meets no kept box.
class StationDeclutter {
public:
    struct Candidate {
        QPointF pixel;
        int priority = 2;
        uint32_t key = 0; // order within a priority (station number, call sign hash)
    };

    // Indices into `candidates` of the models to draw, in drawing order.
    // Boxes are `footprint` centred on each pixel; boxes that only touch do
    // not overlap.
    static std::vector<int> select(const std::vector<Candidate>& candidates, QSizeF footprint);
};

} // namespace kesmar
