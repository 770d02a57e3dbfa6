#include "weather/WindBarb.h"

#include <cmath>
#include <numbers>

namespace kesmar {

namespace {
constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852.0;
// Barbs lean toward the outer end of the staff by this share of their length.
constexpr double kLean = 0.45;
} // namespace

double WindBarb::knots(int speed, int windIndicator)
{
    if (speed < 0) return 0.0;
    return isKnots(windIndicator) ? double(speed) : speed * kKnotsPerMetrePerSecond;
}

WindBarb WindBarb::make(QPointF centre, double directionDegrees, double knots, bool southern,
                        const Size& size)
{
    WindBarb b;
    const int fives = knots < 0 ? 0 : int(std::lround(knots / 5.0));
    if (knots < 0.5) {
        b.calm = true;
        b.calmCentre = centre;
        b.calmRadius = size.stationRadius * 1.8;
        return b;
    }
    const double angle = directionDegrees * std::numbers::pi / 180.0;
    const QPointF along(std::sin(angle), -std::cos(angle)); // toward where the wind comes from
    // Barbs on the low-pressure side: the left of the wind in the north.
    QPointF side(-along.y(), along.x());
    if (southern) side = -side;
    const QPointF tip = centre + along * (size.stationRadius + size.staffLength);
    b.staff = QLineF(centre + along * size.stationRadius, tip);

    int pennants = fives / 10;
    int full = (fives % 10) / 2;
    const bool half = fives % 2 != 0;
    double at = 0.0; // distance from the tip inward
    for (; pennants > 0; --pennants) {
        const QPointF base = tip - along * at;
        const QPointF end = tip - along * (at + size.spacing * 1.6);
        b.pennants.push_back(QPolygonF({base, base + side * size.barbLength, end}));
        at += size.spacing * 1.6 + (pennants > 1 ? 0.0 : size.spacing * 0.6);
    }
    const QPointF lean = along * (size.barbLength * kLean);
    for (; full > 0; --full) {
        const QPointF p = tip - along * at;
        b.barbs.emplace_back(p, p + side * size.barbLength + lean);
        at += size.spacing;
    }
    if (half) {
        // A lone half barb sits one step in from the tip, so it is not taken
        // for a full barb.
        if (fives == 1) at = size.spacing;
        const QPointF p = tip - along * at;
        b.halfBarbs.emplace_back(p, p + (side * size.barbLength + lean) * 0.5);
    }
    return b;
}

} // namespace kesmar
