#include "chartdata/VesselMark.h"

#include "chartdata/ChartOverlay.h"

namespace kesmar {

std::optional<QPoint> VesselMark::pixelFor(const Viewport& viewport, double longitudeMinutes,
                                           double latitudeMinutes)
{
    if (longitudeMinutes == kUnknownMinutes || latitudeMinutes == kUnknownMinutes)
        return std::nullopt;
    // The latitude is north positive; the projection takes the negated value.
    return viewport.project(longitudeMinutes, -latitudeMinutes);
}

void VesselMark::draw(QPainter& painter, QPoint c)
{
    painter.save();
    const QColor colour = ChartOverlay::beginInvert(painter);
    // Segments drawn from their first point up to, not including, the second.
    painter.fillRect(QRect(c.x() - 9, c.y(), 8, 1), colour);  // (x-9) .. (x-1)
    painter.fillRect(QRect(c.x() + 3, c.y(), 8, 1), colour);  // (x+10) .. (x+2)
    painter.fillRect(QRect(c.x(), c.y() - 9, 1, 8), colour);  // (y-9) .. (y-1)
    painter.fillRect(QRect(c.x(), c.y() + 2, 1, 8), colour);  // (y+9) .. (y+1)
    painter.restore();
}

void VesselMark::afterPaint(QPainter& painter, const Viewport& viewport, double longitudeMinutes,
                            double latitudeMinutes)
{
    const auto pixel = pixelFor(viewport, longitudeMinutes, latitudeMinutes);
    if (!pixel) return;
    draw(painter, *pixel);
    drawn_ = true;
    last_ = *pixel;
}

void VesselMark::update(QPainter& painter, const Viewport& viewport, double longitudeMinutes,
                        double latitudeMinutes)
{
    const auto pixel = pixelFor(viewport, longitudeMinutes, latitudeMinutes);
    if (!pixel) return;
    if (drawn_ && *pixel == last_) return;
    if (drawn_) draw(painter, last_);
    draw(painter, *pixel);
    drawn_ = true;
    last_ = *pixel;
}

} // namespace kesmar
