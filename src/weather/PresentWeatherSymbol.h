#pragma once
#include <QColor>
#include <QPainter>
#include <QPointF>

namespace kesmar {

// The symbols of present weather ww (WMO code table 4677, 00-99) as vector
// artwork, drawn into a box of +-size pixels around a centre.
class PresentWeatherSymbol {
public:
    enum class Kind { None, Haze, Fog, Drizzle, Rain, Snow, Shower, Thunder, Dust };

    // Draws symbol ww (0-99; anything else draws nothing) in `colour`.
    static void draw(QPainter& painter, QPointF centre, double size, int ww, const QColor& colour);
    // What the symbol shows, for its colour.
    static Kind kind(int ww);
    // The colour weather charts use for that kind.
    static QColor colour(Kind kind);
};

} // namespace kesmar
