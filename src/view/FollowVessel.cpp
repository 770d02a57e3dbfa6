#include "view/FollowVessel.h"

namespace kesmar {

void FollowVessel::setEnabled(bool enabled, const Viewport& viewport)
{
    enabled_ = enabled;
    remember(viewport);
}

void FollowVessel::remember(const Viewport& viewport)
{
    scale_ = viewport.scale();
    xOffset_ = viewport.xOffset();
    yOffset_ = viewport.yOffset();
}

bool FollowVessel::insideMiddleHalf(QPoint p, const PixelRect& w)
{
    const int quarterX = w.width() / 4;
    const int quarterY = w.height() / 4;
    return p.x() >= w.left + quarterX && p.x() < w.right - quarterX && p.y() >= w.top + quarterY
           && p.y() < w.bottom - quarterY;
}

bool FollowVessel::vesselMoved(Viewport& viewport, double longitudeMinutes, double latitudeMinutes)
{
    if (!enabled_) return false;
    // A pan made since the last look counts before the vessel may move the view.
    if (viewportChanged(viewport)) return false;
    const QPoint pixel = viewport.project(longitudeMinutes, -latitudeMinutes);
    if (insideMiddleHalf(pixel, viewport.windowRect())) return false;
    viewport.setView(viewport.scale(), -longitudeMinutes, latitudeMinutes);
    remember(viewport);
    return true;
}

bool FollowVessel::viewportChanged(const Viewport& viewport)
{
    const bool panned = viewport.scale() == scale_ && (viewport.xOffset() != xOffset_ || viewport.yOffset() != yOffset_);
    remember(viewport);
    if (!enabled_ || !panned) return false;
    enabled_ = false;
    return true;
}

} // namespace kesmar
