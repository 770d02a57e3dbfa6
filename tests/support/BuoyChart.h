#pragma once
#include "../chartdata/SyntheticChart.h"

#include "chartdata/PointFileWriter.h"
#include "core/FileUtil.h"

#include <gtest/gtest.h>

namespace kesmar::test {

// Chart "BUOYS" over 54°N 8°E with one green conical buoy "Fl.G.4s 3" at
// `buoy`; call inside ASSERT_NO_FATAL_FAILURE.
inline void writeBuoyChart(SyntheticCharts& charts, ChartPoint buoy)
{
    LineFileWriter lines;
    ASSERT_TRUE(lines.add(4, boxRing(-3300000, 400000, -3200000, 560000), 0, 0x80));
    ASSERT_TRUE(charts.write("BUOYS", lines, {-3300000, 400000, -3200000, 560000}));
    PointFileWriter points;
    ASSERT_TRUE(points.add(*PointRecord::make(23, 0, 0x99, 0x40, 100, buoy, "Fl.G.4s 3")));
    const PointFileWriter::Image image = points.build();
    const QString base = charts.folder() + QStringLiteral("/CHARTDATA/BUOYS");
    ASSERT_TRUE(writeFileAtomically(base + ".BWP", image.bwp).ok());
    ASSERT_TRUE(writeFileAtomically(base + ".BPT", image.bpt).ok());
}

} // namespace kesmar::test
