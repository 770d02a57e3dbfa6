#include "chartdata/ChartPainter.h"

#include "chartdata/ChartConfig.h"
#include "chartdata/LineFile.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/LineIndexEntry.h"
#include "core/Viewport.h"

#include <algorithm>
#include <cmath>

namespace kesmar {

namespace {

// Layer colour table: layers 6, 8 and 9 take the record's attribute colour.
constexpr int kLayerColours[10] = {6, 8, 10, 12, 14, 6, -1, 6, -1, -1};
// Layers 0-5 draw areas plain solid and lines solid; 6-9 follow the record.
constexpr int kFirstStyledLayer = 6;
// Records of fewer pixels than this in both directions are not drawn.
constexpr int kCullPixels = 4;
// The drawing limits a record to this many points (the format holds 1023).
constexpr size_t kPointBuffer = 1024;

} // namespace

// The viewport's projection, with the values the inner loop needs at hand.
// Computes exactly what Viewport::projectClamped() does: the whole-pixel
// truncation of (v * 0.001 + offset) / scale, plus the centre, then clamped.
struct ChartPainter::Projection {
    double xOffset, yOffset, scaleX, scaleY, cx, cy, limit;

    explicit Projection(const Viewport& v)
        : xOffset(v.xOffset()), yOffset(v.yOffset()), scaleX(v.scaleX()), scaleY(v.scaleY()),
          cx(v.centreX()), cy(v.centreY()), limit(v.farLimit())
    {
    }
    double rawX(int32_t x) const { return std::trunc((x * 0.001 + xOffset) / scaleX) + cx; }
    double rawY(int32_t y) const { return std::trunc((y * 0.001 + yOffset) / scaleY) + cy; }
    int clamp(double p) const { return int(std::clamp(p, -limit, limit)); }
};

ChartPainter::ChartPainter() : points_(kPointBuffer), pixels_(kPointBuffer) {}

ColourTable ChartPainter::activeColours(const ChartConfig& config, bool printing)
{
    return ColourTable::fromColorrefs(printing ? config.printerColours : config.screenColours);
}

int ChartPainter::layerColour(int layer)
{
    return (layer >= 0 && layer < 10) ? kLayerColours[layer] : ColourTable::kBackground;
}

PaintResult ChartPainter::paint(QPainter& painter, const Viewport& viewport,
                                const DrawOptions& options)
{
    PaintResult result;
    styles_.use(options.colours);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Hatched fills show what lies beneath them.
    painter.setBackgroundMode(Qt::TransparentMode);

    const PixelRect& w = viewport.windowRect();
    painter.fillRect(QRect(w.left, w.top, w.width(), w.height()),
                     styles_.brush(ColourTable::kBackground, ChartStyleCache::SolidFill));

    const Projection projection(viewport);
    const bool drawCharts = options.chartsAvailable;
    for (size_t i = 0; drawCharts && i < options.charts.size(); ++i) {
        const ChartEntry& chart = options.charts[i];
        if (!chart.isDrawable()) continue;
        if (options.shouldStop && options.shouldStop()) {
            result.interrupted = true;
            break;
        }
        const Result<LineFile> file = options.files ? options.files->get(options.programFolder, chart.name)
                                                    : LineFile::load(options.programFolder, chart.name);
        if (!file) {
            const uint16_t flag = LineFile::failedPart(file.error()) == LineFile::Part::Lin
                                      ? ChartEntry::LinFailed
                                      : ChartEntry::WpnFailed;
            result.openErrors.push_back({chart.name, flag});
            continue;
        }
        drawChart(painter, chart, *file, projection, options, result);
        if (result.interrupted) break;
    }

    if (!result.interrupted) {
        if (options.buoyage) options.buoyage(painter, viewport, options);
        if (options.drawPoints) options.drawPoints(painter, viewport);
        if (viewport.isPrinting() && options.pageDotsPerInch > 0)
            PageDecoration::draw(painter, viewport, options.pageDotsPerInch, options.pageSymbol);
    }
    painter.restore();
    return result;
}

void ChartPainter::drawChart(QPainter& painter, const ChartEntry& chart, const LineFile& file,
                             const Projection& projection, const DrawOptions& options,
                             PaintResult& result)
{
    drawSection(painter, file, 0, -1, chart.visibleBox, projection);
    for (int layer = 0; layer < ChartHeader::kLayerCount; ++layer) {
        if (!DetailFlags::layerEnabled(options.detailFlags, layer) || !chart.header.hasLayer(layer))
            continue;
        // A newer view position makes the rest of this picture worthless.
        if (options.shouldStop && options.shouldStop()) {
            result.interrupted = true;
            return;
        }
        drawSection(painter, file, chart.header.layerOffset[size_t(layer)], layer,
                    chart.visibleBox, projection);
    }
}

void ChartPainter::drawSection(QPainter& painter, const LineFile& file, int32_t offset, int layer,
                               const ChartBox& cull, const Projection& projection)
{
    LineSection section = file.section(offset);
    LineIndexEntry entry;
    while (section.next(entry)) {
        if (entry.yMax < cull.top || entry.xMax < cull.left || entry.xMin > cull.right) continue;
        // Sections run north to south: everything after lies south of the view.
        if (entry.yMin > cull.bottom) break;
        const double boxWidth = std::abs(projection.rawX(entry.xMax) - projection.rawX(entry.xMin));
        const double boxHeight = std::abs(projection.rawY(entry.yMax) - projection.rawY(entry.yMin));
        if (boxWidth < kCullPixels && boxHeight < kCullPixels) continue;

        const int count = file.decode(entry, points_);
        if (count < 0) continue;
        const ChartPoint* in = points_.data();
        QPoint* out = pixels_.data();
        for (int i = 0; i < count; ++i) {
            out[i].setX(projection.clamp(projection.rawX(in[i].x)));
            out[i].setY(projection.clamp(projection.rawY(in[i].y)));
        }
        drawRecord(painter, entry, layer, count);
    }
}

void ChartPainter::drawRecord(QPainter& painter, const LineIndexEntry& entry, int layer, int count)
{
    if (layer < 0) {
        // Base areas: background colour, solid, no outline, whatever the record says.
        drawArea(painter, count, ColourTable::kBackground, ChartStyleCache::Solid, 0);
        return;
    }
    const int fixed = kLayerColours[layer];
    const int colour = fixed >= 0 ? fixed : entry.colourIndex();
    const bool styled = layer >= kFirstStyledLayer;
    if (entry.isArea()) {
        drawArea(painter, count, colour, entry.lineStyle(), styled ? entry.fill : 0);
        return;
    }
    painter.setPen(styles_.pen(colour, styled ? int(entry.lineStyle()) : int(ChartStyleCache::Solid)));
    painter.drawPolyline(pixels_.data(), count);
}

void ChartPainter::drawArea(QPainter& painter, int count, int colour, int lineStyle, uint8_t fill)
{
    ChartStyleCache::BrushKind kind = ChartStyleCache::SolidFill;
    if (fill & LineIndexEntry::kFillCrossHatch)
        kind = ChartStyleCache::CrossHatch;
    else if (fill & LineIndexEntry::kFillHatch)
        kind = ChartStyleCache::ForwardHatch;
    painter.setBrush(styles_.brush(colour, kind));
    if (fill & LineIndexEntry::kFillOutline)
        painter.setPen(styles_.pen(colour, lineStyle));
    else
        painter.setPen(styles_.noPen());
    painter.drawPolygon(pixels_.data(), count, Qt::OddEvenFill);
}

} // namespace kesmar
