#pragma once
#include "support/QtTestApplication.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"
#include "view/ChartViewContext.h"
#include "view/CommandSet.h"

#include <QApplication>
#include <QString>
#include <QTemporaryDir>

namespace kesmar::test {

// The application-wide objects a chart view works on, in an empty program
// folder (a fixture may point `folder` elsewhere before it builds a view).
struct ChartViewObjects {
    QApplication& app = qtTestApplication();
    QTemporaryDir dir;
    QString folder = dir.path();
    StartupPhase phase = StartupPhase::BeforeViewStart;
    Viewport viewport;
    ChartCatalogue catalogue;
    ChartConfig config;
    VesselState vessel;
    CommandSet commands;

    ChartViewContext context() { return {folder, phase, viewport, catalogue, config, vessel, commands}; }
};

} // namespace kesmar::test
