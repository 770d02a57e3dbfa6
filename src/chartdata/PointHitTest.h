#pragma once
#include "chartdata/ChartEntry.h"
#include "chartdata/PointFile.h"
#include "chartdata/PointRecord.h"
#include "core/ChartPoint.h"

#include <functional>
#include <optional>
#include <span>

namespace kesmar {

class Viewport;

// The nearest buoyage point to a pixel, over the point files of every
// drawable chart. Points the level filter hides are not found; texts and
// soundings only while their font is big enough to be drawn. Hidden texts
// and soundings (detail flags) are found all the same.
class PointHitTest {
public:
    struct Hit {
        std::optional<PointRecord> record;  // the nearest point, if any
        ChartPoint click;                   // the pixel in chart units
        double distance = kNothingNear;     // in chart units
        bool found() const { return record.has_value(); }
    };

    static constexpr double kNothingNear = 32'000'000.0;

    // The point file of a chart by name; nullopt when it cannot be read
    // (the chart is then skipped silently).
    using FileSource = std::function<std::optional<PointFile>(const QString& chartName)>;

    // Charts are searched in catalogue order; on equal distances the first
    // found stays. `chartsAvailable` false (no chart visible) finds nothing.
    static Hit find(const Viewport& viewport, std::span<const ChartEntry> charts, bool chartsAvailable,
                    const FileSource& files, int px, int py);

    // Pixels per symbol unit of a point of level L before any cap:
    // d * 32 / (scale * 2^(L / 13.47)).
    static double sizeFactor(int level, double dimension, double scale);

    // A text or sounding that the view would not draw at this size factor:
    // its font height, scaled by (f / d)^2, is above -3 pixels.
    static bool tooSmallToDraw(int32_t fontHeight, double factor, double dimension);

    // Reads ProgramFolder/CHARTDATA/<name>.BWP and .BPT at each call.
    static FileSource diskFiles(const QString& programFolder);
};

} // namespace kesmar
