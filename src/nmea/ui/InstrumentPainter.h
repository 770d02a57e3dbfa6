#pragma once
#include <QImage>
#include <QPoint>

namespace kesmar {

// Draws the three instruments of the NMEA panel into images: the artwork
// (scale, marks, captions, value box) and the pointer on top. The artwork is
// drawn afresh for every paint, so a pointer never lands on an old one.
class InstrumentPainter {
public:
    static constexpr int kDialSize = 121;
    static constexpr int kBarWidth = 121;
    static constexpr int kBarHeight = 55;

    enum class DepthScale { Meters10, Meters50, Meters100 };
    struct DepthPointer {
        DepthScale scale;
        int x;       // left corner of the pointer triangle
        bool grey;   // off scale (deeper than 100 m)
    };

    // The point at `bearingDegrees` (clockwise from straight up) and radius
    // around the dial centre (60,60).
    static QPoint dialPoint(double bearingDegrees, double radius);
    static DepthPointer depthPointer(double depthMeters);

    static QImage windDial(int windAngle);
    static QImage courseRose(int courseDegrees);
    static QImage depthBar(double depthMeters);
};

} // namespace kesmar
