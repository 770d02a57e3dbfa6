#include "support/QtTestApplication.h"
#include "nmea/NmeaLog.h"
#include "nmea/ui/CNmeaMonitorDlg.h"
#include "nmea/ui/CNmeaPanel.h"
#include "nmea/ui/InstrumentPainter.h"
#include "nmea/ui/InstrumentView.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

class PanelTest : public testing::Test {
protected:
    // First member: the application must exist before any widget.
    QCoreApplication* app = &kesmar::test::qtTestApplication();
    NmeaLog log;
    CNmeaPanel panel{log};
};

TEST_F(PanelTest, StartsHiddenWithItsValues)
{
    EXPECT_FALSE(panel.isPanelVisible());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "NMEA-IN");
    EXPECT_EQ(panel.course(), 50);
    EXPECT_EQ(panel.depth(), 4.0);
    EXPECT_EQ(panel.fieldText(NmeaPanelField::Speed), "--");
    EXPECT_EQ(panel.fieldText(NmeaPanelField::Latitude), QString::fromUtf8("  LAT:      --°--.--- ? "));
    EXPECT_EQ(panel.windLabel(), "");
}

TEST_F(PanelTest, WindAngleRules)
{
    EXPECT_FALSE(panel.SetWindAngle(0));
    EXPECT_TRUE(panel.SetWindAngle(1));  // 0 and 1 end on different pixels
    panel.SetWindAngle(725);
    EXPECT_EQ(panel.windAngle(), 5);
    EXPECT_EQ(panel.windLabel(), "5");
    panel.SetWindAngle(-30);
    EXPECT_EQ(panel.windAngle(), -30);
    EXPECT_EQ(panel.windLabel(), "-30");
    EXPECT_EQ(InstrumentPainter::dialPoint(-30, 58), InstrumentPainter::dialPoint(330, 58));
    // Angles whose needle ends share a pixel only update the label.
    int a = 0;
    while (InstrumentPainter::dialPoint(a, 58) != InstrumentPainter::dialPoint(a + 1, 58))
        ++a;
    panel.SetWindAngle(a);
    const int before = panel.windView()->invalidations();
    EXPECT_FALSE(panel.SetWindAngle(a + 1));
    EXPECT_EQ(panel.windView()->invalidations(), before);
    EXPECT_EQ(panel.windLabel(), QString::number(a + 1));
}

TEST_F(PanelTest, CourseTextRules)
{
    struct { const char* text; int course; } cases[] = {
        {"360", 0}, {"725", 5}, {"", 0}, {"abc", 0}, {"  +12.9x", 12}, {"-30", -30}, {"90", 90},
    };
    for (const auto& c : cases) {
        panel.SetCourseText(c.text);
        EXPECT_EQ(panel.course(), c.course) << c.text;
    }
    EXPECT_EQ(panel.courseLabel(), QString::fromUtf8("90°"));
    const int before = panel.courseView()->invalidations();
    EXPECT_FALSE(panel.SetCourseText("450"));
    EXPECT_EQ(panel.courseView()->invalidations(), before);
}

TEST_F(PanelTest, DepthAlwaysRepaints)
{
    const int before = panel.depthView()->invalidations();
    panel.SetDepthText("4.0");
    panel.SetDepthText("4.0");
    EXPECT_EQ(panel.depthView()->invalidations(), before + 2);
    EXPECT_EQ(panel.depthLabel(), "4.0");
    panel.SetDepthText("nonsense");
    EXPECT_EQ(panel.depth(), 0.0);
    panel.SetDepthText(" 12.26m");
    EXPECT_EQ(panel.depthLabel(), "12.3");
}

TEST(InstrumentPainter, DepthScaleRows)
{
    using S = InstrumentPainter::DepthScale;
    struct { double depth; S scale; int x; bool grey; } rows[] = {
        {0.0, S::Meters10, 0, false},      {10.0, S::Meters10, 110, false}, {10.01, S::Meters50, 22, false},
        {100.0, S::Meters100, 110, false}, {100.5, S::Meters100, 110, true}, {-2.0, S::Meters10, -22, false},
    };
    for (const auto& r : rows) {
        const auto p = InstrumentPainter::depthPointer(r.depth);
        EXPECT_EQ(p.scale, r.scale) << r.depth;
        EXPECT_EQ(p.x, r.x) << r.depth;
        EXPECT_EQ(p.grey, r.grey) << r.depth;
    }
}

TEST(InstrumentPainter, GeometryOfTheImages)
{
    kesmar::test::qtTestApplication();
    EXPECT_EQ(InstrumentPainter::dialPoint(0, 58), QPoint(60, 3));  // P(-58) truncates -57.5
    EXPECT_EQ(InstrumentPainter::dialPoint(90, 58), QPoint(118, 60));
    const QImage wind = InstrumentPainter::windDial(90);
    EXPECT_EQ(wind.size(), QSize(121, 121));
    EXPECT_NE(wind.pixel(100, 60), InstrumentPainter::windDial(270).pixel(100, 60));  // the needle
    EXPECT_EQ(InstrumentPainter::courseRose(0).size(), QSize(121, 121));
    const QImage bar = InstrumentPainter::depthBar(5.0);
    EXPECT_EQ(bar.size(), QSize(121, 55));
    EXPECT_EQ(QColor(bar.pixel(60, 5)), QColor(255, 40, 0));  // pointer over 5 m
    EXPECT_EQ(QColor(InstrumentPainter::depthBar(500).pixel(115, 5)), QColor(128, 128, 128));
}

TEST_F(PanelTest, ShowHideAndCloseBox)
{
    QSignalSpy spy(&panel, &CNmeaPanel::panelVisibleChanged);
    panel.togglePanel();
    EXPECT_TRUE(panel.isPanelVisible());
    EXPECT_TRUE(panel.isVisible());
    panel.close();
    EXPECT_FALSE(panel.isPanelVisible());
    EXPECT_FALSE(panel.isVisible());
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FALSE(spy.last().at(0).toBool());
    panel.togglePanel();
    EXPECT_TRUE(panel.isVisible());
}

TEST(NmeaMonitor, SnapshotMarkerAndHex)
{
    kesmar::test::qtTestApplication();
    NmeaLog log;
    log.append("$GPGLL,1\r");
    CNmeaMonitorDlg monitor(log);
    EXPECT_EQ(monitor.windowTitle(), "NMEA-Monitor");
    EXPECT_EQ(monitor.shownText(), "$GPGLL,1\n");
    log.append("$GPGLL,2");
    EXPECT_EQ(monitor.shownText(), "$GPGLL,1\n");
    monitor.getNewText();
    EXPECT_EQ(monitor.shownText(), "$GPGLL,1\n$GPGLL,2\nNew---------Text\n");
    monitor.toggleHex();
    EXPECT_TRUE(monitor.shownText().startsWith("00000000  24 47 50 47 4C 4C 2C 31 0D 0A"));
    monitor.toggleHex();
    EXPECT_FALSE(monitor.hexView());

    NmeaLog full;
    full.append(QByteArray(4090, 'x'));
    CNmeaMonitorDlg fullMonitor(full);
    const QString before = fullMonitor.shownText();
    fullMonitor.getNewText();
    EXPECT_EQ(fullMonitor.shownText(), before);
}

} // namespace
