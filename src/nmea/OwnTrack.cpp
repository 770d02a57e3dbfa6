#include "nmea/OwnTrack.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

double OwnTrack::distanceMeters(double lat1, double lon1, double lat2, double lon2)
{
    constexpr double kEarthRadiusMeters = 6371000.0;
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    const double dLat = (lat2 - lat1) * kRad;
    const double dLon = (lon2 - lon1) * kRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
                     + std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2.0 * kEarthRadiusMeters * std::asin(std::min(1.0, std::sqrt(a)));
}

bool OwnTrack::add(double latitude, double longitude, int64_t utcMs)
{
    if (!points_.empty()) {
        const Point& last = points_.back();
        if (last.latitude == latitude && last.longitude == longitude) return false;
        const bool due = utcMs - last.utcMs >= kIntervalMs;
        if (!due && distanceMeters(last.latitude, last.longitude, latitude, longitude) < kDistanceMeters)
            return false;
    }
    if (points_.size() >= kMaxPoints) points_.erase(points_.begin(), points_.begin() + kMaxPoints / 10);
    points_.push_back({latitude, longitude, utcMs});
    return true;
}

} // namespace kesmar
