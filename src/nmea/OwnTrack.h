#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kesmar {

// The vessel's track for this run: a position every 10 seconds, or sooner
// once the vessel has moved 20 metres. Kept in memory until cleared.
class OwnTrack {
public:
    struct Point {
        double latitude = 0.0;  // degrees, north positive
        double longitude = 0.0; // degrees, east positive
        int64_t utcMs = 0;      // milliseconds since 1970, UTC
    };

    static constexpr int64_t kIntervalMs = 10'000;
    static constexpr double kDistanceMeters = 20.0;
    // About twelve days at one point every 10 s; older points then go.
    static constexpr size_t kMaxPoints = 100'000;

    // Records the position when the rules say so; returns true when it did.
    bool add(double latitude, double longitude, int64_t utcMs);
    void clear() { points_.clear(); }

    const std::vector<Point>& points() const { return points_; }
    bool empty() const { return points_.empty(); }

    // Great-circle distance in metres (haversine).
    static double distanceMeters(double lat1, double lon1, double lat2, double lon2);

private:
    std::vector<Point> points_;
};

} // namespace kesmar
