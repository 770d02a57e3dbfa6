#pragma once
#include "view/StartupPhase.h"

#include <QString>

namespace kesmar {

class ChartCatalogue;
class ChartConfig;
class CommandSet;
class IniFile;
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
    // [MAP] mile: nonzero measures in nautical miles, 0 in kilometres.
    int mile = 1;
    // KMR.INI, for the [Programs] commands of the companion programs; may be null.
    const IniFile* profile = nullptr;
};

} // namespace kesmar
