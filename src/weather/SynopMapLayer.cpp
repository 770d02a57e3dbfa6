#include "weather/SynopMapLayer.h"

#include "core/Viewport.h"
#include "weather/StationDeclutter.h"
#include "weather/SynopMapData.h"

#include <QHash>

#include <cmath>

namespace kesmar {

int SynopMapLayer::paint(QPainter& painter, const Viewport& viewport, const SynopMapData& data,
                         const std::vector<int>& indices)
{
    drawn_.clear();
    const QSizeF box = models_.footprint();
    const PixelRect& w = viewport.windowRect();
    const QRectF area(w.left - box.width() / 2, w.top - box.height() / 2,
                      w.width() + box.width(), w.height() + box.height());
    std::vector<StationDeclutter::Candidate> candidates;
    std::vector<int> owners;
    candidates.reserve(indices.size());
    owners.reserve(indices.size());
    for (int index : indices) {
        const StationObservation& o = data.stations()[size_t(index)].observation;
        const QPointF p = viewport.project(o.longitudeMinutes, -o.latitudeMinutes);
        if (!area.contains(p)) continue;
        const int priority = o.ship ? 0 : o.coastal ? 1 : 2;
        const uint32_t key = o.ship ? uint32_t(qHash(o.name)) : o.number;
        candidates.push_back({p, priority, key});
        owners.push_back(index);
    }
    visible_ = int(candidates.size());
    const std::vector<int> kept = StationDeclutter::select(candidates, box);
    painter.save();
    for (int k : kept) {
        const QPointF p = candidates[size_t(k)].pixel;
        models_.draw(painter, p, data.stations()[size_t(owners[size_t(k)])].observation);
        drawn_.emplace_back(owners[size_t(k)], p);
    }
    painter.restore();
    return int(drawn_.size());
}

int SynopMapLayer::hitTest(QPointF pixel) const
{
    const double reach = models_.stationRadius() * 3;
    int best = -1;
    double bestDistance = reach * reach;
    for (const auto& [index, p] : drawn_) {
        const double dx = p.x() - pixel.x(), dy = p.y() - pixel.y();
        const double d = dx * dx + dy * dy;
        if (d <= bestDistance) {
            bestDistance = d;
            best = index;
        }
    }
    return best;
}

} // namespace kesmar
