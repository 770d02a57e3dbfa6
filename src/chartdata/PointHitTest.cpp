#include "chartdata/PointHitTest.h"

#include "core/Viewport.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace kesmar {

namespace {

bool meets(const ChartBox& block, const ChartBox& view)
{
    return block.bottom >= view.top && block.right >= view.left && block.left <= view.right
        && block.top <= view.bottom;
}

// Texts and soundings whose symbol size is still growing are searched only
// when the view would draw them.
bool searchable(const PointRecord& r, const Viewport& viewport)
{
    const int type = r.objectType();
    if (type != PointRecord::kTypeText && type != PointRecord::kTypeSounding)
        return true;
    const double d = viewport.symbolSize();
    const double f = PointHitTest::sizeFactor(r.level(), d, viewport.scale());
    if (!(f < 1.5 * d))
        return true;
    return !PointHitTest::tooSmallToDraw(viewport.chartFont().height, f, d);
}

void searchChart(const PointFile& file, const ChartBox& view, const Viewport& viewport, PointHitTest::Hit& hit)
{
    const uint8_t levelFull = viewport.levelFull();
    for (const PointBlockEntry& block : file.blocks()) {
        if (!meets(block.box(), view))
            continue;
        for (int i = 0, n = file.recordCount(block); i < n; ++i) {
            const std::optional<PointRecord> r = file.record(block, i);
            if (!r)
                break;
            if (r->y() < view.top || r->x() < view.left || r->x() > view.right)
                continue;
            if (r->y() > view.bottom)
                break;
            if (r->level() > levelFull || !searchable(*r, viewport))
                continue;
            const int64_t dx = std::llabs(int64_t(r->x()) - hit.click.x);
            const int64_t dy = std::llabs(int64_t(r->y()) - hit.click.y);
            if (double(dx) > hit.distance || double(dy) > hit.distance)
                continue;
            const double distance = (dx == 0 && dy == 0)
                ? 0.0 : std::trunc(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
            if (distance < hit.distance) {
                hit.distance = distance;
                hit.record = r;
            }
        }
    }
}

} // namespace

double PointHitTest::sizeFactor(int level, double dimension, double scale)
{
    return dimension * 32.0 / (scale * std::pow(2.0, level / 13.47));
}

bool PointHitTest::tooSmallToDraw(int32_t fontHeight, double factor, double dimension)
{
    const double ratio = dimension / factor;
    const double height = std::trunc(fontHeight / (ratio * ratio));
    return !(height <= -3.0);  // NaN counts as too small
}

PointHitTest::Hit PointHitTest::find(const Viewport& viewport, std::span<const ChartEntry> charts,
                                     bool chartsAvailable, const FileSource& files, int px, int py)
{
    Hit hit;
    hit.click = viewport.unprojectToChart(px, py);
    if (!chartsAvailable)
        return hit;
    for (const ChartEntry& chart : charts) {
        if (!chart.isDrawable())
            continue;
        const std::optional<PointFile> file = files(chart.name);
        if (file)
            searchChart(*file, chart.visibleBox, viewport, hit);
    }
    return hit;
}

PointHitTest::FileSource PointHitTest::diskFiles(const QString& programFolder)
{
    return [programFolder](const QString& name) -> std::optional<PointFile> {
        auto file = PointFile::load(programFolder, name);
        if (!file)
            return std::nullopt;
        return std::move(*file);
    };
}

} // namespace kesmar
