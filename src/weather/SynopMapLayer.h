#pragma once
#include "weather/StationModelPainter.h"

#include <QPainter>
#include <QPointF>

#include <utility>
#include <vector>

namespace kesmar {

class SynopMapData;
class Viewport;

// The station models of one observation time over a chart: projects every
// station, leaves out those that would overlap a model of higher priority
// (see StationDeclutter) and draws the rest. Remembers where each model went
// for clicks.
class SynopMapLayer {
public:
    explicit SynopMapLayer(double sizeFactor = 1.0) : models_(sizeFactor) {}

    // Draws the stations `indices` of `data`; returns the number drawn.
    int paint(QPainter& painter, const Viewport& viewport, const SynopMapData& data, const std::vector<int>& indices);

    // The index into data.stations() of the drawn model nearest to `pixel`
    // within its circle and barb reach, or -1.
    int hitTest(QPointF pixel) const;
    int drawnCount() const { return int(drawn_.size()); }
    // Stations inside the window, drawn or not.
    int visibleCount() const { return visible_; }
    const StationModelPainter& models() const { return models_; }
    // PDF and printing: every symbol drawn as vectors, nothing copied as pixels.
    void setVectorOutput(bool on) { models_.setCaching(!on); }

private:
    StationModelPainter models_;
    std::vector<std::pair<int, QPointF>> drawn_;
    int visible_ = 0;
};

} // namespace kesmar
