#pragma once
#include "chartdata/ChartError.h"
#include "core/ViewportTypes.h"

#include <QString>
#include <optional>
#include <vector>

namespace kesmar {

class ChartCatalogue;
class ChartConfig;
class Viewport;

// The chart view's start-up and shut-down work on the viewport, the chart
// configuration and the catalogue, shared by the chart window and the
// command-line renderer.
class ChartStartup {
public:
    struct Result {
        bool configFound = false;  // CHART.CFG was read
        bool listFound = false;    // CHARTLIST.LST was read; else the default set was built
        bool ok = true;            // false: the client rectangle has no area, nothing was done
        std::vector<ChartError> errors; // quiet errors (missing default headers, failed list save)
    };

    // Loads CHART.CFG over `config` and CHARTLIST.LST into `catalogue`. Without
    // a list file the default chart set is added quietly, the configured view
    // becomes the whole world (scale 21600 / width, offsets 0) and the list is
    // saved. `viewWidth` is the client width the world scale is taken from.
    static Result loadSettingsAndCatalogue(const QString& programFolder, int viewWidth,
                                           ChartConfig& config, ChartCatalogue& catalogue);

    // The whole view start-up: viewport start-up for `clientRect`, loading as
    // above, style from the configuration, the stored view position restored
    // (damaged values fall back to the defaults), then rescale and select.
    static Result startView(const QString& programFolder, const PixelRect& clientRect,
                            ChartConfig& config, ChartCatalogue& catalogue, Viewport& viewport);

    // A resize in the running view: new rectangle, recompute, the catalogue's
    // view size, rescale and select. false when refused (no area).
    static bool resizeView(const PixelRect& clientRect, Viewport& viewport, ChartCatalogue& catalogue);

    // Copies the live scale and offsets into the configuration (shut-down).
    static void storeViewPosition(const Viewport& viewport, ChartConfig& config);
    // storeViewPosition, then CHART.CFG is written atomically. The caller has
    // refreshed the mini-window records before. Write failures are returned,
    // the program itself stays silent about them.
    static std::optional<ChartError> shutDown(const QString& programFolder, const Viewport& viewport,
                                             ChartConfig& config);
};

} // namespace kesmar
