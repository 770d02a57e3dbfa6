#pragma once
#include "core/ChartPoint.h"
#include "core/Viewport.h"

#include <QColor>
#include <QPainter>

#include <span>
#include <vector>

namespace kesmar {

// The marks drawn over a finished chart picture: the point-information
// crosshair and the route help line. Plain painter code, used by the chart
// view, the mini windows and the printer alike.
class ChartOverlay {
public:
    static QColor amber() { return QColor(255, 216, 0); }

    // Sets the painter up to invert the destination and returns the colour to
    // draw with; devices that cannot invert get plain black instead.
    static QColor beginInvert(QPainter& painter);

    // A horizontal and a vertical inverted line across the whole window
    // rectangle through the point's pixel; drawing it twice removes it. The
    // crossing pixel is inverted twice and keeps its colour.
    static void drawCrosshair(QPainter& painter, const Viewport& viewport, const ChartPoint& point);

    // One polyline through the route points, amber on screen and black on
    // paper, each coordinate clamped to the far limit. `buffer` is reused
    // between calls so that moving the view allocates nothing.
    static void drawRoute(QPainter& painter, const Viewport& viewport,
                          std::span<const ChartPoint> route, bool printing,
                          std::vector<QPoint>& buffer);
};

} // namespace kesmar
