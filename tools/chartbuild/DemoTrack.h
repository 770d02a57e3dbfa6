#pragma once
#include "GeoLine.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kesmar::chartbuild {

// The simulated track file: stored "$GPGGA" sentences, one per line, whose
// position field starts at column 14 ("$GPGGA,hhmmss," before it), the
// satellites at 39-40 and the height at 47-50, as the plotter reads them.
class DemoTrack {
public:
    static constexpr int kMaxLines = 2000;  // the plotter reads no more

    // Waypoints, one "lat;lon" per line (formats of the point list), '#'
    // comments. nullopt with an error naming the line.
    static std::optional<std::vector<GeoPoint>> parseWaypoints(const QByteArray& text, QString* error);

    // Points every `stepNm` nautical miles along the legs (waypoints kept),
    // thinned to at most kMaxLines.
    static std::vector<GeoPoint> interpolate(const std::vector<GeoPoint>& waypoints, double stepNm);

    // One sentence with checksum, time = startSeconds + index seconds.
    static QByteArray sentence(const GeoPoint& p, int secondsOfDay);

    static QByteArray file(const std::vector<GeoPoint>& track);
};

} // namespace kesmar::chartbuild
