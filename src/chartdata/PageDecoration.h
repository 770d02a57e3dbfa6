#pragma once
#include "core/Viewport.h"

#include <QPainter>
#include <QString>

#include <functional>

namespace kesmar {

// The frame and title box of a printed chart page. Drawn after the chart into
// the page whose printable rectangle (inside 7.5 mm margins) the viewport
// describes while printing.
class PageDecoration {
public:
    static constexpr const char* kTitle = "Kesmar V 1.0";

    // Draws a buoyage symbol at a reference point with a symbol size factor;
    // given once a symbol library is available.
    using SymbolHook = std::function<void(QPainter&, QPoint reference, double symbolSize)>;

    // Printer dots per centimetre from its logical dots per inch.
    static double pixelsPerCentimetre(double dotsPerInch) { return dotsPerInch * 0.39370078740157477; }
    // Printer dots per inch relative to a 96-dpi screen.
    static double printScreenRatio(double dotsPerInch) { return dotsPerInch * 0.010416666666666666; }

    // " TOP / LEFT: 54°30.000N - 007°15.500E" for the top-left corner of the
    // window rectangle, "BOT / RIGHT: ... " for the bottom-right one.
    static QString cornerLabel(const Viewport& viewport, bool topLeft);

    // White and black double frame over the margins, the 7 cm x 2.5 cm title
    // box in the lower right corner with the title and both corner labels.
    static void draw(QPainter& painter, const Viewport& viewport, double dotsPerInch,
                     const SymbolHook& symbol = {});
};

} // namespace kesmar
