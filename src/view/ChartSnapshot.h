#pragma once
#include "chartdata/ChartEntry.h"
#include "chartdata/ColourTable.h"
#include "chartdata/DetailFlags.h"
#include "chartdata/DrawOptions.h"
#include "core/Viewport.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace kesmar {

class ChartCatalogue;
class ChartConfig;

// Everything a chart picture is drawn from, copied on the GUI thread so that
// the picture thread never touches live state: the viewport, the catalogue's
// entries, the screen colours and the detail flags.
struct ChartSnapshot {
    Viewport viewport;
    std::vector<ChartEntry> charts;
    bool chartsAvailable = false;
    ColourTable colours;
    uint32_t detailFlags = DetailFlags::Default;
    QString programFolder;
    // Draws the buoyage over the charts; runs on the picture thread, so it
    // may only read state that stays unchanged while pictures are drawn.
    std::function<void(QPainter&, const Viewport&)> drawPoints;
    // The buoyage points, drawn after the lines (same thread rule).
    DrawOptions::PointsHook buoyage;

    static ChartSnapshot capture(const Viewport& viewport, const ChartCatalogue& catalogue,
                                 const ChartConfig& config, const QString& programFolder);

    // Draw options over this snapshot (charts point into it: keep it alive).
    DrawOptions drawOptions() const;

    // True when a picture of `other` would look the same as one of this
    // (the points painter is not compared: see ChartPicture::invalidate).
    bool sameContent(const ChartSnapshot& other) const;
};

} // namespace kesmar
