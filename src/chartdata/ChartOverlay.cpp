#include "chartdata/ChartOverlay.h"

#include <QPaintEngine>

namespace kesmar {

QColor ChartOverlay::beginInvert(QPainter& painter)
{
    // Only the raster engine (images, windows) inverts. The PDF and print
    // engines claim raster operations but draw the white as white, which
    // would leave no mark on paper; there the inverted mark is black.
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster && engine->hasFeature(QPaintEngine::RasterOpModes)) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        return Qt::white;
    }
    return Qt::black;
}

void ChartOverlay::drawCrosshair(QPainter& painter, const Viewport& viewport,
                                 const ChartPoint& point)
{
    const QPoint p = viewport.projectClamped(point);
    const PixelRect& w = viewport.windowRect();
    painter.save();
    const QColor colour = beginInvert(painter);
    // Lines run from the left (top) edge up to, not including, the right (bottom) edge.
    painter.fillRect(QRect(w.left, p.y(), w.width(), 1), colour);
    painter.fillRect(QRect(p.x(), w.top, 1, w.height()), colour);
    painter.restore();
}

void ChartOverlay::drawRoute(QPainter& painter, const Viewport& viewport,
                             std::span<const ChartPoint> route, bool printing,
                             std::vector<QPoint>& buffer)
{
    // A polyline needs two points; a single route point shows nothing yet.
    if (route.size() < 2) return;
    buffer.clear();
    for (const ChartPoint& p : route) buffer.push_back(viewport.projectClamped(p));
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(printing ? QColor(Qt::black) : amber(), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(buffer.data(), int(buffer.size()));
    painter.restore();
}

} // namespace kesmar
