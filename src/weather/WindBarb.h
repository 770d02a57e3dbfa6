#pragma once
#include <QLineF>
#include <QPointF>
#include <QPolygonF>

#include <optional>
#include <vector>

namespace kesmar {

// The wind symbol of a station model: a staff from the station circle toward
// the direction the wind blows from, with pennants (50 kt), barbs (10 kt) and
// half barbs (5 kt) at its outer end, or a calm circle. Pixel coordinates,
// y downward.
struct WindBarb {
    // Sizes in pixels.
    struct Size {
        double stationRadius = 4.0; // the staff starts at the circle's edge
        double staffLength = 26.0;
        double barbLength = 11.0;
        double spacing = 3.5;       // between barbs along the staff
    };

    bool calm = false;
    QPointF calmCentre;
    double calmRadius = 0.0;
    QLineF staff;               // p1 at the circle, p2 at the outer end
    std::vector<QPolygonF> pennants; // from the outer end inward
    std::vector<QLineF> barbs;  // full barbs, from the outer end inward
    std::vector<QLineF> halfBarbs;

    // Knots of a report's wind speed: iw 3 and 4 report knots, 0 and 1 metres
    // per second; any other indicator is taken as metres per second, the
    // unit most stations report in.
    static double knots(int speed, int windIndicator);
    static bool isKnots(int windIndicator) { return windIndicator == 3 || windIndicator == 4; }

    // The symbol for a wind from `directionDegrees` (0 north, clockwise) at
    // `knots`, rounded to the nearest 5 kt. 0 kt is calm, 1-2 kt a bare staff.
    // South of the equator the barbs go to the other side of the staff.
    static WindBarb make(QPointF centre, double directionDegrees, double knots, bool southern,
                         const Size& size);
    static WindBarb make(QPointF centre, double directionDegrees, double knots, bool southern)
    {
        return make(centre, directionDegrees, knots, southern, Size{});
    }
};

} // namespace kesmar
