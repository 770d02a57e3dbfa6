// Chart list, chart configuration and chart header readers on arbitrary bytes,
// then the operations that run on whatever the list held.
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartHeader.h"
#include "core/Viewport.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kesmar;
    const std::span<const uint8_t> bytes(data, size);

    if (const auto header = ChartHeader::fromBytes(bytes))
        (void)header->toBytes();

    ChartConfig config;
    config.readBytes(bytes);
    (void)config.toBytes();

    Viewport viewport;
    viewport.setStyle(config.viewportStyle());
    if (viewport.startUp({0, 0, 640, 480})) {
        viewport.restoreView(config.viewScale, config.viewXOffset, config.viewYOffset);
        const MiniWindowState& mini = config.miniWindows[size % 4];
        viewport.setView(mini.scale, mini.xOffset, mini.yOffset);
        (void)viewport.latitudeText(mini.left, mini.top);
        (void)viewport.longitudeText(mini.right, mini.bottom);
    }

    ChartCatalogue catalogue;
    catalogue.setViewSize(640, 480);
    catalogue.readList(bytes);
    // The list is taken as it is: sort and select before the rescale too.
    catalogue.sort();
    catalogue.selectForViewport(viewport);
    (void)catalogue.listBytes();
    catalogue.rescaleAndSelect(viewport);
    return 0;
}
