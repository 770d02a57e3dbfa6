#include "view/ChartSnapshot.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"

namespace kesmar {

namespace {

bool sameView(const Viewport& a, const Viewport& b)
{
    return a.scaleX() == b.scaleX() && a.scaleY() == b.scaleY() && a.xOffset() == b.xOffset()
           && a.yOffset() == b.yOffset() && a.windowRect() == b.windowRect()
           && a.centreX() == b.centreX() && a.centreY() == b.centreY()
           && a.farLimit() == b.farLimit() && a.isPrinting() == b.isPrinting();
}

bool sameCharts(const std::vector<ChartEntry>& a, const std::vector<ChartEntry>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].flags != b[i].flags || !(a[i].visibleBox == b[i].visibleBox)
            || !(a[i].header == b[i].header))
            return false;
    }
    return true;
}

} // namespace

ChartSnapshot ChartSnapshot::capture(const Viewport& viewport, const ChartCatalogue& catalogue,
                                     const ChartConfig& config, const QString& programFolder)
{
    ChartSnapshot s;
    s.viewport = viewport;
    s.charts = catalogue.entries();
    s.chartsAvailable = (catalogue.chartsAvailable() & ChartCatalogue::AnyVisible) != 0;
    s.colours = ChartPainter::activeColours(config, viewport.isPrinting());
    s.detailFlags = config.detailFlags;
    s.programFolder = programFolder;
    return s;
}

DrawOptions ChartSnapshot::drawOptions() const
{
    DrawOptions o;
    o.colours = colours;
    o.detailFlags = detailFlags;
    o.charts = charts;
    o.chartsAvailable = chartsAvailable;
    o.programFolder = programFolder;
    o.drawPoints = drawPoints;
    o.buoyage = buoyage;
    return o;
}

bool ChartSnapshot::sameContent(const ChartSnapshot& other) const
{
    return sameView(viewport, other.viewport) && chartsAvailable == other.chartsAvailable
           && colours == other.colours && detailFlags == other.detailFlags
           && programFolder == other.programFolder && sameCharts(charts, other.charts);
}

} // namespace kesmar
