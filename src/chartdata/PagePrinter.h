#pragma once
#include "chartdata/ChartPainter.h"
#include "chartdata/DrawOptions.h"
#include "chartdata/PaintResult.h"
#include "core/ChartPoint.h"

#include <QPainter>
#include <QSize>

#include <functional>
#include <optional>
#include <span>

namespace kesmar {

class ChartCatalogue;
class ChartConfig;
class Viewport;

// Prints the chart on one page: print start (7.5 mm margins, the screen's zoom
// and centre carried to the page), the charts selected for the page, the
// printer colours, the page decoration, then the marks of the screen view.
// Works on copies of the viewport and catalogue: the screen view is exactly
// as before afterwards. Used by the print command and the command-line renderer.
class PagePrinter {
public:
    struct Page {
        QSize pixels;            // the printable area of the device in its pixels
        double dotsPerInchX = 0;
        double dotsPerInchY = 0;
    };
    // Marks drawn over the printed chart, as on the screen.
    struct Marks {
        std::optional<double> vesselLongitude, vesselLatitude;  // minutes
        std::optional<ChartPoint> crosshair;
        std::span<const ChartPoint> route;
        // Drawn over the chart before the marks above (AIS targets, track).
        std::function<void(QPainter&, const Viewport&)> overlay;
    };

    // The page's viewport: print start applied to a copy of `screen`. nullopt
    // for a page without area.
    static std::optional<Viewport> pageViewport(const Viewport& screen, const Page& page);

    // `options` supplies detail flags, program folder, file cache and hooks;
    // its colours and charts are replaced by the printer colours and the
    // page's selection.
    static PaintResult print(QPainter& painter, const Page& page, const Viewport& screen,
                             const ChartCatalogue& catalogue, const ChartConfig& config,
                             DrawOptions options, const Marks& marks, ChartPainter& chartPainter);
};

} // namespace kesmar
