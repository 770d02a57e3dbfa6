#pragma once
#include <QString>
#include <cstdint>

namespace kesmar {

// A window rectangle in pixels with exclusive right and bottom edges, as the
// window system reports client areas (width = right - left). Deliberately not
// QRect, whose right() is one pixel less.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A text font as the chart drawing needs it; plain data so that the
// projection stays free of the GUI library. Height is in pixels and, as in the
// stored font records, usually negative (character height without leading).
struct TextFont {
    QString family = QStringLiteral("Arial");
    int32_t height = -8;
    int32_t weight = 400;
    bool italic = false;
    friend bool operator==(const TextFont&, const TextFont&) = default;
};

// The values of the chart configuration that the projection derives its
// working sizes from. The owner of the configuration hands a fresh copy to the
// viewport whenever the configuration changes.
struct ViewportStyle {
    double symbolSize = 0.025; // buoyage dimension (symbol size factor)
    double textSize = 1.0;     // chart text size factor
    TextFont chartFont{QStringLiteral("Arial"), -8, 300, false};
    TextFont workFont{QStringLiteral("Arial"), -8, 400, false};
    friend bool operator==(const ViewportStyle&, const ViewportStyle&) = default;
};

// Zoom-dependent limits compared with the level byte of each buoyage point.
struct PointLevels {
    int zoomLevel = 17;     // n, 1..20
    uint8_t levelDot = 13;  // points up to this level may still be drawn as dots
    uint8_t levelFull = 242; // points up to this level are drawn fully
    friend bool operator==(const PointLevels&, const PointLevels&) = default;
};

// A position in floating-point minutes of arc, oriented as ChartPoint:
// x = longitude (east positive), y = negated latitude (south positive).
struct MinutePoint {
    double x = 0.0;
    double y = 0.0;
};

} // namespace kesmar
