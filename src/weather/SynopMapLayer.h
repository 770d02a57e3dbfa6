#pragma once
#include "weather/StationModelPainter.h"

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRgb>

#include <cstdint>
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
    // The chart picture under the models and its sea colour: a station with
    // sea close to it counts as coastal. Null: only stations reporting the
    // sea count. The picture must outlive the next paint.
    void setSeaPicture(const QImage* picture, QRgb sea)
    {
        seaPicture_ = picture;
        sea_ = sea;
    }
    // Sea within the reach of a model's circle and texts around `pixel`, as
    // the last paint saw the picture.
    bool nearSea(QPointF pixel) const;

private:
    StationModelPainter models_;
    std::vector<std::pair<int, QPointF>> drawn_;
    int visible_ = 0;
    void buildSeaMask();

    const QImage* seaPicture_ = nullptr;
    QRgb sea_ = 0;
    // The picture's sea on a coarse grid, rebuilt when the picture changes.
    std::vector<uint8_t> seaMask_;
    int maskColumns_ = 0, maskRows_ = 0;
    qint64 maskKey_ = 0;
};

} // namespace kesmar
