#include "settings/DetailSettings.h"

#include "chartdata/ChartConfig.h"

#include <algorithm>

namespace kesmar {

DetailSettings DetailSettings::from(const ChartConfig& config, const ChartCatalogue& catalogue)
{
    DetailSettings s;
    std::copy(config.screenColours.begin(), config.screenColours.end(), s.colours.begin());
    std::copy(config.printerColours.begin(), config.printerColours.end(), s.colours.begin() + 16);
    s.colours[32] = config.lastMixColour;
    s.detailFlags = config.detailFlags;
    s.chartFont = config.chartFont;
    s.workFont = config.workFont;
    s.symbolSize = config.symbolSize;
    s.textSize = config.textSize;
    s.catalogue = catalogue;
    return s;
}

void DetailSettings::applyTo(ChartConfig& config) const
{
    std::copy(colours.begin(), colours.begin() + 16, config.screenColours.begin());
    std::copy(colours.begin() + 16, colours.begin() + 32, config.printerColours.begin());
    config.lastMixColour = colours[32];
    config.detailFlags = detailFlags;
    config.chartFont = chartFont;
    config.workFont = workFont;
    config.symbolSize = symbolSize;
    config.textSize = textSize;
}

std::array<uint32_t, 16> DetailSettings::screenColours() const
{
    std::array<uint32_t, 16> out{};
    std::copy(colours.begin(), colours.begin() + 16, out.begin());
    return out;
}

} // namespace kesmar
