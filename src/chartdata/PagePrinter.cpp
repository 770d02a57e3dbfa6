#include "chartdata/PagePrinter.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartOverlay.h"
#include "chartdata/VesselMark.h"
#include "core/Viewport.h"

#include <vector>

namespace kesmar {

std::optional<Viewport> PagePrinter::pageViewport(const Viewport& screen, const Page& page)
{
    const int mx = Viewport::printMargin(int(page.dotsPerInchX));
    const int my = Viewport::printMargin(int(page.dotsPerInchY));
    const PixelRect printable{mx, my, page.pixels.width() - mx, page.pixels.height() - my};
    if (printable.width() <= 0 || printable.height() <= 0) return std::nullopt;
    Viewport v = screen;
    if (!v.beginPrinting(printable, mx, my)) return std::nullopt;
    return v;
}

PaintResult PagePrinter::print(QPainter& painter, const Page& page, const Viewport& screen,
                               const ChartCatalogue& catalogue, const ChartConfig& config,
                               DrawOptions options, const Marks& marks, ChartPainter& chartPainter)
{
    const std::optional<Viewport> v = pageViewport(screen, page);
    if (!v) return {};
    ChartCatalogue selection = catalogue;
    selection.selectForViewport(*v);
    options.colours = ChartPainter::activeColours(config, true);
    options.charts = selection.entries();
    options.chartsAvailable = (selection.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    options.pageDotsPerInch = page.dotsPerInchX;
    options.shouldStop = {};
    PaintResult result = chartPainter.paint(painter, *v, options);

    if (marks.overlay) marks.overlay(painter, *v);
    if (marks.vesselLongitude && marks.vesselLatitude) {
        VesselMark mark;
        mark.afterPaint(painter, *v, *marks.vesselLongitude, *marks.vesselLatitude);
    }
    if (marks.crosshair) ChartOverlay::drawCrosshair(painter, *v, *marks.crosshair);
    std::vector<QPoint> buffer;
    ChartOverlay::drawRoute(painter, *v, marks.route, true, buffer);
    return result;
}

} // namespace kesmar
