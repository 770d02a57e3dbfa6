#pragma once
#include "weather/StationObservation.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QStaticText>

#include <functional>

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

    // On screen symbols and texts are drawn once and then copied (thousands
    // of models a frame); for vector output (PDF) every model is drawn.
    void setCaching(bool on) { caching_ = on; }

private:
    using Artwork = std::function<void(QPainter&, QPointF centre)>;

    void drawWind(QPainter& painter, QPointF centre, const StationObservation& o) const;
    void drawTexts(QPainter& painter, QPointF centre, const StationObservation& o) const;
    // A symbol of half size `reach` around `centre`, from the cache under `key`.
    void drawSymbol(QPainter& painter, QPointF centre, double reach, int key, const Artwork& artwork) const;
    // Text with its left end (or right end) at x, baseline at y; returns its width.
    double drawText(QPainter& painter, double x, double baseline, const QString& text, const QColor& colour,
                    bool rightAligned) const;
    double textWidth(const QString& text) const;

    double k_;
    QFont font_;
    QSizeF footprint_;
    bool caching_ = true;
    mutable QHash<int, QImage> symbols_;
    mutable QHash<QString, QStaticText> texts_;
    mutable double ascent_ = -1;
};

} // namespace kesmar
