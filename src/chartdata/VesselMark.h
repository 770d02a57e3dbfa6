#pragma once
#include "core/Viewport.h"

#include <QPainter>
#include <QPoint>

#include <optional>

namespace kesmar {

// The vessel's cross mark, drawn by inverting the destination so that a
// second drawing at the same place removes it without a repaint. Holds the
// drawn flag and the last drawn pixel of one window.
class VesselMark {
public:
    // Longitude and latitude in minutes (east and north positive); this value
    // in either stands for "no position".
    static constexpr double kUnknownMinutes = 64000.0;

    // Pixel of a position, or nothing while the position is unknown.
    static std::optional<QPoint> pixelFor(const Viewport& viewport, double longitudeMinutes,
                                          double latitudeMinutes);

    // Four inverted segments around `centre`, each without its end point:
    // x-9..x-2 and x+3..x+10 on the row, y-9..y-2 and y+2..y+9 on the column;
    // the centre pixels stay free. Leaves the painter's state as it was.
    static void draw(QPainter& painter, QPoint centre);

    // After a complete paint: draw the mark on the fresh picture.
    void afterPaint(QPainter& painter, const Viewport& viewport, double longitudeMinutes,
                    double latitudeMinutes);
    // A new position: erase the old mark where it was drawn, draw the new one.
    // Nothing happens when the pixel did not change.
    void update(QPainter& painter, const Viewport& viewport, double longitudeMinutes,
                double latitudeMinutes);

    bool isDrawn() const { return drawn_; }
    QPoint lastPoint() const { return last_; }
    // The picture under the mark was replaced: the old mark is gone.
    void forget() { drawn_ = false; }

private:
    bool drawn_ = false;
    QPoint last_{-1, -1};
};

} // namespace kesmar
