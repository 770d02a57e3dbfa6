#pragma once
#include <optional>

namespace kesmar {

// Closest point of approach between the own vessel and a target, both
// moving straight on at constant speed. Positions in degrees, speeds in
// knots, courses in degrees true. Over the few miles that matter the sea is
// taken as flat around the own vessel (distances in nautical miles).
struct AisCpa {
    struct Track {
        double latitude = 0.0;
        double longitude = 0.0;
        double speedKnots = 0.0;
        double courseDegrees = 0.0;
    };
    struct Limits {
        double cpaNauticalMiles = 0.5;
        double tcpaMinutes = 12.0;
    };

    double cpaNauticalMiles = 0.0; // distance at the closest point; now, when it lies behind
    double tcpaMinutes = 0.0;      // time to it; negative when the two draw apart

    static AisCpa compute(const Track& own, const Track& target);
    // Closer than the distance limit, within the time limit ahead.
    bool isDangerous(const Limits& limits) const
    {
        return cpaNauticalMiles < limits.cpaNauticalMiles && tcpaMinutes >= 0.0
               && tcpaMinutes <= limits.tcpaMinutes;
    }
};

} // namespace kesmar
