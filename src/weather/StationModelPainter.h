#pragma once
#include "weather/StationObservation.h"

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace kesmar {

// Draws the station model of one observation as weather services plot it:
// cloud cover in the circle, the wind barb, temperature upper left, dew point
// lower left, present weather left with visibility before it, pressure upper
// right, tendency right, low cloud below, a ship's call sign lower right.
// Only the values the observation holds are drawn.
class StationModelPainter {
public:
    // sizeFactor scales every length and the font (1.0 on screen).
    explicit StationModelPainter(double sizeFactor = 1.0);

    void draw(QPainter& painter, QPointF centre, const StationObservation& observation) const;

    // The box a model claims, centred on the station: two models whose boxes
    // do not intersect do not overlap.
    QSizeF footprint() const { return footprint_; }
    QRectF footprintAt(QPointF centre) const
    {
        return QRectF(centre.x() - footprint_.width() / 2, centre.y() - footprint_.height() / 2,
                      footprint_.width(), footprint_.height());
    }
    double stationRadius() const { return 4.0 * k_; }

private:
    void drawWind(QPainter& painter, QPointF centre, const StationObservation& o) const;
    void drawTexts(QPainter& painter, QPointF centre, const StationObservation& o) const;

    double k_;
    QFont font_;
    QSizeF footprint_;
};

} // namespace kesmar
