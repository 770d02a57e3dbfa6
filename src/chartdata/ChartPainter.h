#pragma once
#include "chartdata/ChartStyleCache.h"
#include "chartdata/DrawOptions.h"
#include "chartdata/PaintResult.h"
#include "core/ChartPoint.h"

#include <QPainter>
#include <QPoint>

#include <array>
#include <cstdint>
#include <vector>

namespace kesmar {

class ChartConfig;
class LineFile;
struct LineIndexEntry;
class Viewport;

// Paints the chart for everybody: the chart view's picture, every mini
// window, the printer page and the command-line renderer.
//
// Order: background colour 4 over the window rectangle; then for every
// drawable chart in catalogue order its base areas (colour 4) and its line
// layers 0-9 whose detail bit is set; then the points hook; while printing
// the page decoration. Records are culled against the chart's visible box,
// a section stops at the first record south of the view, and records whose
// box is below 4 x 4 pixels are not decoded.
//
// Keeps its point buffers and pens between paints, so a painter is used by
// one thread at a time; each window keeps its own.
class ChartPainter {
public:
    ChartPainter();

    PaintResult paint(QPainter& painter, const Viewport& viewport, const DrawOptions& options);

    // The active colour table: screen colours, or printer colours while printing.
    static ColourTable activeColours(const ChartConfig& config, bool printing);

    // The colour index a layer draws in: the layer table, or -1 where the
    // record's attribute names it (layers 6, 8 and 9).
    static int layerColour(int layer);

private:
    struct Projection;
    enum class Section { Base, Layer };

    void drawChart(QPainter& painter, const ChartEntry& chart, const LineFile& file,
                   const Projection& projection, const DrawOptions& options, PaintResult& result);
    void drawSection(QPainter& painter, const LineFile& file, int32_t offset, int layer,
                     const ChartBox& cull, const Projection& projection);
    void drawRecord(QPainter& painter, const LineIndexEntry& entry, int layer, int count);
    void drawArea(QPainter& painter, int count, int colour, int lineStyle, uint8_t fill);

    ChartStyleCache styles_;
    std::vector<ChartPoint> points_;
    std::vector<QPoint> pixels_;
};

} // namespace kesmar
