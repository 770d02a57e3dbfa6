#include "weather/SynopMapLayer.h"

#include "core/Viewport.h"
#include "weather/StationDeclutter.h"
#include "weather/SynopMapData.h"

#include <QHash>

#include <algorithm>

#include <cmath>

namespace kesmar {

int SynopMapLayer::paint(QPainter& painter, const Viewport& viewport, const SynopMapData& data,
                         const std::vector<int>& indices)
{
    drawn_.clear();
    buildSeaMask();
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
        const int priority = o.ship ? 0 : (o.coastal || nearSea(p)) ? 1 : 2;
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

namespace {
constexpr int kMaskCell = 4; // pixels per sea-mask cell
} // namespace

void SynopMapLayer::buildSeaMask()
{
    if (!seaPicture_ || seaPicture_->isNull()) {
        seaMask_.clear();
        maskColumns_ = maskRows_ = 0;
        maskKey_ = 0;
        return;
    }
    if (seaPicture_->cacheKey() == maskKey_ && !seaMask_.empty()) return;
    maskKey_ = seaPicture_->cacheKey();
    maskColumns_ = (seaPicture_->width() + kMaskCell - 1) / kMaskCell;
    maskRows_ = (seaPicture_->height() + kMaskCell - 1) / kMaskCell;
    seaMask_.assign(size_t(maskColumns_) * size_t(maskRows_), 0);
    const bool direct = seaPicture_->depth() == 32;
    for (int row = 0; row < maskRows_; ++row) {
        const int y = std::min(row * kMaskCell + kMaskCell / 2, seaPicture_->height() - 1);
        const auto* line = reinterpret_cast<const QRgb*>(seaPicture_->constScanLine(y));
        for (int column = 0; column < maskColumns_; ++column) {
            const int x = std::min(column * kMaskCell + kMaskCell / 2, seaPicture_->width() - 1);
            const QRgb c = direct ? line[x] : seaPicture_->pixel(x, y);
            seaMask_[size_t(row) * size_t(maskColumns_) + size_t(column)] = (c & 0xffffff) == (sea_ & 0xffffff);
        }
    }
}

bool SynopMapLayer::nearSea(QPointF pixel) const
{
    if (seaMask_.empty()) return false;
    // Eight points on a ring about as wide as the model's texts reach.
    static constexpr int kRing[8][2] = {{-14, 0}, {14, 0}, {0, -12}, {0, 12}, {-10, -9}, {10, -9}, {-10, 9}, {10, 9}};
    const double k = models_.stationRadius() / 4.0;
    for (const auto& d : kRing) {
        const int x = int(pixel.x() + d[0] * k), y = int(pixel.y() + d[1] * k);
        if (x < 0 || y < 0) continue;
        const int column = x / kMaskCell, row = y / kMaskCell;
        if (column >= maskColumns_ || row >= maskRows_) continue;
        if (seaMask_[size_t(row) * size_t(maskColumns_) + size_t(column)]) return true;
    }
    return false;
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
