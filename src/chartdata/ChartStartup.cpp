#include "chartdata/ChartStartup.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"

#include <algorithm>

namespace kesmar {

ChartStartup::Result ChartStartup::loadSettingsAndCatalogue(const QString& programFolder, int viewWidth,
                                                            ChartConfig& config, ChartCatalogue& catalogue)
{
    Result result;
    result.configFound = config.load(programFolder).ok();
    result.listFound = catalogue.loadList(programFolder);
    if (result.listFound)
        return result;
    // No list: the built-in set, quietly, and the whole world in view.
    catalogue.clear();
    result.errors = catalogue.addDefaultSet(programFolder);
    config.viewScale = Viewport::kWorldMinutesWide / std::max(1, viewWidth);
    config.viewXOffset = 0.0;
    config.viewYOffset = 0.0;
    if (std::optional<ChartError> error = catalogue.saveList(programFolder))
        result.errors.push_back(*error);
    return result;
}

ChartStartup::Result ChartStartup::startView(const QString& programFolder, const PixelRect& clientRect,
                                             ChartConfig& config, ChartCatalogue& catalogue,
                                             Viewport& viewport)
{
    if (!viewport.startUp(clientRect)) {
        Result refused;
        refused.ok = false;
        return refused;
    }
    catalogue.setViewSize(clientRect.width(), clientRect.height());
    Result result = loadSettingsAndCatalogue(programFolder, clientRect.width(), config, catalogue);
    viewport.setStyle(config.viewportStyle());
    viewport.restoreView(config.viewScale, config.viewXOffset, config.viewYOffset);
    catalogue.rescaleAndSelect(viewport);
    return result;
}

bool ChartStartup::resizeView(const PixelRect& clientRect, Viewport& viewport, ChartCatalogue& catalogue)
{
    if (!viewport.resize(clientRect))
        return false;
    catalogue.setViewSize(clientRect.width(), clientRect.height());
    catalogue.rescaleAndSelect(viewport);
    return true;
}

void ChartStartup::storeViewPosition(const Viewport& viewport, ChartConfig& config)
{
    config.viewScale = viewport.scale();
    config.viewXOffset = viewport.xOffset();
    config.viewYOffset = viewport.yOffset();
}

std::optional<ChartError> ChartStartup::shutDown(const QString& programFolder, const Viewport& viewport,
                                                ChartConfig& config)
{
    storeViewPosition(viewport, config);
    return config.save(programFolder);
}

} // namespace kesmar
