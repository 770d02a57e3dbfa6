#include "nmea/TrackPainter.h"

#include "core/ChartPoint.h"
#include "core/Viewport.h"

#include <QPen>

namespace kesmar {

void TrackPainter::paint(QPainter& painter, const Viewport& viewport, const OwnTrack& track, bool printing,
                         std::vector<QPoint>& buffer)
{
    if (track.points().size() < 2) return;
    buffer.clear();
    for (const OwnTrack::Point& p : track.points()) {
        const QPoint pixel = viewport.projectClamped(
            ChartPoint{int32_t(-p.latitude * 60000.0), int32_t(p.longitude * 60000.0)});
        // Points that fall on the same pixel add nothing to the line.
        if (buffer.empty() || buffer.back() != pixel) buffer.push_back(pixel);
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(printing ? QColor(Qt::black) : colour(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(buffer.data(), int(buffer.size()));
    painter.restore();
}

} // namespace kesmar
