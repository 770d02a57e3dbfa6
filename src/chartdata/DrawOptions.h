#pragma once
#include "chartdata/ChartEntry.h"
#include "chartdata/ColourTable.h"
#include "chartdata/DetailFlags.h"
#include "chartdata/PageDecoration.h"

#include <QPainter>
#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace kesmar {

class LineFileCache;
class Viewport;

// Everything one chart paint reads besides the painter and the viewport. The
// caller keeps the referenced chart entries alive for the paint; a picture
// drawn off the GUI thread points them at its own snapshot.
struct DrawOptions {
    // Draws the buoyage points of the charts (see PointPainter::hook).
    using PointsHook = std::function<void(QPainter&, const Viewport&, const DrawOptions&)>;

    // The active colour table: the screen colours, or the printer colours
    // while printing.
    ColourTable colours;
    // Bit k switches line layer k.
    uint32_t detailFlags = DetailFlags::Default;
    // Charts in catalogue order (coarsest first); only drawable ones are drawn.
    std::span<const ChartEntry> charts;
    // Bit 0 of the catalogue's charts-available word: nothing is drawn while clear.
    bool chartsAvailable = true;
    QString programFolder;
    // Where chart files come from; without a cache every paint reads them.
    LineFileCache* files = nullptr;
    // Asked before each chart and before each line layer; true abandons the
    // paint (a newer view position is waiting).
    std::function<bool()> shouldStop;
    // The buoyage points of the charts, drawn right after the lines.
    PointsHook buoyage;
    // Buoyage dimension d (pixels per symbol unit at the largest size is
    // 1.5 d); 0 takes the viewport's. Mini windows draw at 0.8 times the view's.
    double buoyageDimension = 0.0;
    // Drawn over the charts and the buoyage, before the page decoration.
    std::function<void(QPainter&, const Viewport&)> drawPoints;
    // While the viewport is printing: the page's dots per inch for the page
    // decoration, and the symbol drawn in its title box.
    double pageDotsPerInch = 0.0;
    PageDecoration::SymbolHook pageSymbol;
};

} // namespace kesmar
