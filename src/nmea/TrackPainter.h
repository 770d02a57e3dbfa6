#pragma once
#include "nmea/OwnTrack.h"

#include <QPainter>
#include <QPoint>

#include <vector>

namespace kesmar {

class Viewport;

// Draws the vessel's track as one polyline under the vessel mark.
class TrackPainter {
public:
    static QColor colour() { return QColor(170, 60, 0); }

    // `buffer` is reused between paints so that moving the view allocates nothing.
    static void paint(QPainter& painter, const Viewport& viewport, const OwnTrack& track, bool printing,
                      std::vector<QPoint>& buffer);
};

} // namespace kesmar
