#pragma once
#include "core/Viewport.h"

#include <QPoint>
#include <optional>

namespace kesmar {

// "Schiff verfolgen": keeps the vessel in view. When its mark leaves the
// middle half of the window the chart is centred on it again; any manual
// pan (the centre moved at an unchanged scale by someone else) turns
// following off. Zooming keeps it on.
class FollowVessel {
public:
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled, const Viewport& viewport);

    // The middle half: a quarter of the width and height in from each edge.
    static bool insideMiddleHalf(QPoint pixel, const PixelRect& window);

    // After a new position (minutes, north and east positive): centres the
    // viewport on the vessel when following and the mark left the middle
    // half. Returns true when the viewport was moved.
    bool vesselMoved(Viewport& viewport, double longitudeMinutes, double latitudeMinutes);

    // After any change of the viewport: returns true when it was a manual
    // pan, which turned following off.
    bool viewportChanged(const Viewport& viewport);

private:
    void remember(const Viewport& viewport);

    bool enabled_ = false;
    double scale_ = 0.0;
    double xOffset_ = 0.0;
    double yOffset_ = 0.0;
};

} // namespace kesmar
