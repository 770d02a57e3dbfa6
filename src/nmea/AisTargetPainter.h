#pragma once
#include "nmea/AisCpa.h"
#include "nmea/AisTargetList.h"

#include <QPainter>
#include <QPoint>

#include <optional>

namespace kesmar {

class Viewport;

// Draws the AIS targets over a chart picture: a triangle pointing along the
// heading (the course when there is none; a circle when neither is known),
// a course-over-ground vector of six minutes, names at close zoom, lost
// targets grey, targets whose CPA breaks the limits in the warning colour,
// aids to navigation as a diamond (dashed when virtual) and base stations
// as a square. Plain painter code for the chart view, mini windows and the
// printed page alike.
class AisTargetPainter {
public:
    struct Options {
        bool printing = false;
        // The own vessel for CPA/TCPA; no warnings without it.
        std::optional<AisCpa::Track> own;
        AisCpa::Limits limits;
        // Names are written below this many minutes of arc per pixel.
        double nameScale = 0.02;
    };

    static constexpr double kVectorMinutes = 6.0;

    static void paint(QPainter& painter, const Viewport& viewport, const AisTargetList& targets,
                      const Options& options);

    // The target drawn nearest to `pixel`, within `radius` pixels.
    static std::optional<uint32_t> hitTest(const Viewport& viewport, const AisTargetList& targets,
                                           QPoint pixel, int radius = 10);

    // The target's CPA against the own vessel, when both move by known values.
    static std::optional<AisCpa> cpaOf(const AisTarget& target, const AisCpa::Track& own);

    // Pixel of a position in degrees.
    static QPointF pixelOf(const Viewport& viewport, double latitude, double longitude);
};

} // namespace kesmar
