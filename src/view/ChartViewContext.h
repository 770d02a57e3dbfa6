#pragma once
#include "view/StartupPhase.h"

#include <QString>

namespace kesmar {

class ChartCatalogue;
class ChartConfig;
class CommandSet;
class Viewport;
struct VesselState;

// The application-wide objects the chart view works on. The application
// object owns them and outlives the view; the view only holds references.
struct ChartViewContext {
    const QString& programFolder;
    StartupPhase& startupPhase;
    Viewport& viewport;
    ChartCatalogue& catalogue;
    ChartConfig& config;
    VesselState& vessel;
    CommandSet& commands;
};

} // namespace kesmar
