#include "nmea/AisCpa.h"

#include <algorithm>
#include <cmath>

namespace kesmar {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

} // namespace

AisCpa AisCpa::compute(const Track& own, const Track& target)
{
    // Relative position in miles: one minute of latitude is one mile; a
    // minute of longitude shrinks with the cosine of the mean latitude.
    double dLon = target.longitude - own.longitude;
    if (dLon > 180.0) dLon -= 360.0;
    if (dLon < -180.0) dLon += 360.0;
    const double meanLat = (own.latitude + target.latitude) * 0.5 * kRadiansPerDegree;
    const double x = dLon * 60.0 * std::cos(meanLat);
    const double y = (target.latitude - own.latitude) * 60.0;
    // Relative velocity in knots (x east, y north).
    const double ownCourse = own.courseDegrees * kRadiansPerDegree;
    const double targetCourse = target.courseDegrees * kRadiansPerDegree;
    const double vx = target.speedKnots * std::sin(targetCourse) - own.speedKnots * std::sin(ownCourse);
    const double vy = target.speedKnots * std::cos(targetCourse) - own.speedKnots * std::cos(ownCourse);
    AisCpa result;
    const double v2 = vx * vx + vy * vy;
    if (v2 < 1e-12) {
        // Same course and speed: the distance stays as it is.
        result.cpaNauticalMiles = std::hypot(x, y);
        result.tcpaMinutes = 0.0;
        return result;
    }
    const double tHours = -(x * vx + y * vy) / v2;
    result.tcpaMinutes = tHours * 60.0;
    const double t = std::max(tHours, 0.0);
    result.cpaNauticalMiles = std::hypot(x + vx * t, y + vy * t);
    return result;
}

} // namespace kesmar
