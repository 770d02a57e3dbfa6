#include "core/Viewport.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

Viewport startedView(int width, int height)
{
    Viewport v;
    EXPECT_TRUE(v.startUp({0, 0, width, height}));
    return v;
}

Viewport viewAt(double scale, double xOffset, double yOffset, int width = 800, int height = 600)
{
    Viewport v = startedView(width, height);
    v.restoreView(scale, xOffset, yOffset);
    return v;
}

} // namespace

TEST(Viewport, StartUpShowsTheWholeWorld)
{
    const Viewport v = startedView(1000, 700);
    EXPECT_DOUBLE_EQ(v.worldScale(), 21.6);
    EXPECT_DOUBLE_EQ(v.scale(), 21.6);
    EXPECT_DOUBLE_EQ(v.scaleY(), 0.71 * 21.6);
    EXPECT_EQ(v.xOffset(), 0.0);
    EXPECT_EQ(v.yOffset(), 0.0);
    EXPECT_EQ(v.minimumScale(), 0.0003);
    EXPECT_EQ(v.farLimit(), 9000);
    EXPECT_EQ(v.centreX(), 500);
    EXPECT_EQ(v.centreY(), 350);
    EXPECT_EQ(v.visibleBox().left, -10'800'000);
    EXPECT_EQ(v.visibleBox().right, 10'800'000);
    EXPECT_EQ(v.visibleBox().top, -5'367'600);
    EXPECT_EQ(v.visibleBox().bottom, 5'367'600);
}

TEST(Viewport, RestoredDefaultPositionProjectsItsCentreToTheWindowCentre)
{
    const Viewport v = viewAt(6.5, -483.0, 2908.0);
    // 8°03'E 48°28'N is the centre of a configuration that was never saved.
    EXPECT_EQ(v.project(483.0, -2908.0), QPoint(400, 300));
    const MinutePoint m = v.unproject(400, 300);
    EXPECT_NEAR(m.x, 483.0, 1e-9);
    EXPECT_NEAR(m.y, -2908.0, 1e-9);
    EXPECT_EQ(v.unprojectToChart(400, 300), (ChartPoint{-2'908'000, 483'000}));
}

TEST(Viewport, ZoomOutStopsAtTheWholeWorldButStillAsksForARepaint)
{
    Viewport v = viewAt(1.0, -483.0, 2908.0);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(v.ZoomPan(0, 0, 0, 0, Viewport::ZoomOutPad));
    EXPECT_DOUBLE_EQ(v.scale(), v.worldScale());
    EXPECT_EQ(v.xOffset(), 0.0);
    EXPECT_EQ(v.yOffset(), 0.0);
}

TEST(Viewport, ZoomInStopsAtTheMinimumScale)
{
    Viewport v = viewAt(1.0, -483.0, 2908.0);
    for (int i = 0; i < 40; ++i)
        v.ZoomPan(0, 0, 0, 0, Viewport::ZoomIn);
    EXPECT_EQ(v.scale(), 0.0003);
    EXPECT_EQ(v.levelDot(), 13);
    EXPECT_EQ(v.pointLevels().zoomLevel, 17);
}

TEST(Viewport, EveryCodeStepsByItsAmountAndUnknownCodesChangeNothing)
{
    struct Case { int code; double dx, dy, scaleFactor; };
    // 800 x 600 at scale 1: a quarter step is 200 minutes across, 150 up/down;
    // at scale 2 twice that.
    const Case cases[] = {
        {Viewport::PanLeft, 200, 0, 1},       {Viewport::PanRight, -200, 0, 1},
        {Viewport::PanUp, 0, 150, 1},         {Viewport::PanDown, 0, -150, 1},
        {Viewport::PanLeftHalf, 400, 0, 1},   {Viewport::PanRightHalf, -400, 0, 1},
        {Viewport::PanUpHalf, 0, 300, 1},     {Viewport::PanDownHalf, 0, -300, 1},
        {Viewport::ZoomIn, 0, 0, 0.5},        {Viewport::ZoomInPad, 0, 0, 0.5},
        {Viewport::ZoomOut, 0, 0, 2},         {Viewport::ZoomOutPad, 0, 0, 2},
        {Viewport::ZoomInStep, 0, 0, 1 / 1.2}, {Viewport::ZoomOutStep, 0, 0, 1.2},
    };
    for (const double scale : {1.0, 2.0}) {
        for (const Case& c : cases) {
            Viewport v = viewAt(scale, 100.0, 1000.0);
            EXPECT_TRUE(v.ZoomPan(0, 0, 0, 0, c.code)) << c.code;
            EXPECT_DOUBLE_EQ(v.xOffset(), 100.0 + c.dx * scale) << c.code << " at " << scale;
            EXPECT_DOUBLE_EQ(v.yOffset(), 1000.0 + c.dy * scale) << c.code << " at " << scale;
            EXPECT_NEAR(v.scale(), c.scaleFactor * scale, 1e-12) << c.code;
            EXPECT_DOUBLE_EQ(v.scaleY(), 0.71 * v.scale()) << c.code;
        }
    }
    Viewport v = viewAt(1.0, 100.0, 1000.0);
    const ChartBox before = v.visibleBox();
    EXPECT_FALSE(v.ZoomPan(1, 2, 3, 4, 33));
    EXPECT_EQ(v.visibleBox(), before);
    EXPECT_TRUE(v.ZoomPan(0, 0, 0, 0, Viewport::WholeWorld));
    EXPECT_DOUBLE_EQ(v.scale(), v.worldScale());
}

TEST(Viewport, PanningStopsAtTheDateLineAndAtThePoles)
{
    Viewport v = viewAt(1.0, 10000.0, 5000.0);
    for (int i = 0; i < 10; ++i) {
        v.ZoomPan(0, 0, 0, 0, Viewport::PanLeft);
        v.ZoomPan(0, 0, 0, 0, Viewport::PanUp);
    }
    EXPECT_EQ(v.visibleBox().left, -10'800'000);
    EXPECT_EQ(v.visibleBox().top, -5'400'000);
    EXPECT_DOUBLE_EQ(v.xOffset(), 10800.0 - 400.0);

    v = viewAt(1.0, -10000.0, -5000.0);
    for (int i = 0; i < 10; ++i) {
        v.ZoomPan(0, 0, 0, 0, Viewport::PanRightHalf);
        v.ZoomPan(0, 0, 0, 0, Viewport::PanDownHalf);
        // Not even one step shows what lies beyond the date line or the pole.
        EXPECT_LE(v.visibleBox().right, 10'800'000) << i;
        EXPECT_LE(v.visibleBox().bottom, 5'400'000) << i;
    }
    EXPECT_EQ(v.visibleBox().right, 10'800'000);
    EXPECT_EQ(v.visibleBox().bottom, 5'400'000);
}

TEST(Viewport, ZoomRectangleCentresItAndScalesByItsWidthAlone)
{
    Viewport v = viewAt(1.0, 0.0, 0.0);
    const MinutePoint target = v.unproject(600, 475);
    // Lower-right quarter, 200 wide and 150 high.
    EXPECT_TRUE(v.ZoomPan(500, 700, 400, 550, Viewport::ZoomRectangle));
    EXPECT_DOUBLE_EQ(v.scale(), 0.25);
    EXPECT_DOUBLE_EQ(v.xOffset(), -200.0);
    EXPECT_DOUBLE_EQ(v.yOffset(), -175.0 * 0.71);
    const MinutePoint centre = v.unproject(400, 300);
    EXPECT_NEAR(centre.x, target.x, 1e-9);
    EXPECT_NEAR(centre.y, target.y, 1e-9);
    // The new scale is the rectangle's share of the width times the old one.
    Viewport coarse = viewAt(2.0, 0.0, 0.0);
    EXPECT_TRUE(coarse.ZoomPan(500, 700, 400, 550, Viewport::ZoomRectangle));
    EXPECT_DOUBLE_EQ(coarse.scale(), 0.5);
    EXPECT_DOUBLE_EQ(coarse.xOffset(), -400.0);
    EXPECT_DOUBLE_EQ(coarse.yOffset(), -175.0 * 0.71 * 2.0);
    // A rectangle without width cannot give a usable scale: the whole world.
    Viewport flat = viewAt(1.0, 0.0, 0.0);
    EXPECT_TRUE(flat.ZoomPan(500, 500, 400, 550, Viewport::ZoomRectangle));
    EXPECT_DOUBLE_EQ(flat.scale(), flat.worldScale());
}

// Away from scale 1 and the window centre, where a swapped factor shows.
TEST(Viewport, ProjectionAwayFromTheCentreAndFromScaleOne)
{
    const Viewport v = viewAt(0.5, -483.0, 2908.0);
    // 100 pixels right of the centre are 50 minutes east, 100 up 35.5 minutes north.
    EXPECT_EQ(v.project(533.1, -2943.6), QPoint(500, 200));
    EXPECT_EQ(v.project(ChartPoint{-2'943'600, 533'100}), QPoint(500, 200));
    const MinutePoint m = v.unproject(500, 200);
    EXPECT_NEAR(m.x, 533.0, 1e-9);
    EXPECT_NEAR(m.y, -2943.5, 1e-9);
    EXPECT_EQ(v.latitudeText(0, 0), QString::fromUtf8("50°14.500N"));
    EXPECT_EQ(v.longitudeText(0, 0), QString::fromUtf8("  4°43.000E"));
    const ChartBox box = v.visibleBox();
    EXPECT_EQ(box.left, 283'000);
    EXPECT_EQ(box.right, 683'000);
    EXPECT_EQ(box.top, -3'014'500);
    EXPECT_EQ(box.bottom, -2'801'500);
    // A position that is no number cannot land anywhere but the centre.
    EXPECT_EQ(v.project(std::nan(""), std::nan("")), QPoint(400, 300));
}

TEST(Viewport, ResizeKeepsTheLongitudeSpanAndTheCentre)
{
    Viewport v = viewAt(2.0, -483.0, 2908.0);
    const ChartBox before = v.visibleBox();
    ASSERT_TRUE(v.resize({0, 0, 1600, 600}));
    EXPECT_DOUBLE_EQ(v.scale(), 1.0);
    EXPECT_DOUBLE_EQ(v.xOffset(), -483.0);
    EXPECT_DOUBLE_EQ(v.yOffset(), 2908.0);
    EXPECT_EQ(v.visibleBox().left, before.left);
    EXPECT_EQ(v.visibleBox().right, before.right);
    EXPECT_EQ(v.farLimit(), 9 * 1600);
}

TEST(Viewport, WindowWithoutAreaKeepsThePreviousValues)
{
    Viewport v = viewAt(2.0, -483.0, 2908.0);
    const Viewport before = v;
    EXPECT_FALSE(v.resize({0, 0, 0, 600}));
    EXPECT_FALSE(v.resize({0, 0, 800, 0}));
    EXPECT_FALSE(v.resize({10, 10, 5, 5}));
    EXPECT_EQ(v.windowRect(), before.windowRect());
    EXPECT_EQ(v.scale(), before.scale());
    EXPECT_EQ(v.worldScale(), before.worldScale());
    EXPECT_EQ(v.visibleBox(), before.visibleBox());
    Viewport fresh;
    EXPECT_FALSE(fresh.startUp({0, 0, 0, 0}));
    EXPECT_FALSE(fresh.hasStarted());
}

TEST(Viewport, DamagedStoredPositionKeepsTheWholeWorld)
{
    for (double bad : {std::nan(""), -1.0, 0.0, HUGE_VAL}) {
        Viewport v = viewAt(bad, -483.0, 2908.0);
        EXPECT_DOUBLE_EQ(v.scale(), v.worldScale()) << bad;
        EXPECT_EQ(v.xOffset(), 0.0);
    }
    Viewport v = viewAt(1.0, std::nan(""), 2908.0);
    EXPECT_DOUBLE_EQ(v.scale(), v.worldScale());
}

TEST(Viewport, PrintingAndReturningLeavesTheScreenViewAsItWas)
{
    struct Case { double scale, xOffset, yOffset; };
    // The second view lies at the pole edge: the taller page has to move its centre.
    for (const Case c : {Case{0.75, -483.0, 2908.0}, Case{3.0, -483.0, 5400.0 - 0.71 * 900},
                         Case{27.0, 0.0, 0.0}}) {
        Viewport v = viewAt(c.scale, c.xOffset, c.yOffset);
        const Viewport before = v;
        const int margin = Viewport::printMargin(300);
        EXPECT_EQ(margin, 88);
        EXPECT_EQ(Viewport::printMargin(254), 75);
        EXPECT_EQ(Viewport::printMargin(1016), 300);
        ASSERT_TRUE(v.beginPrinting({margin, margin, 2480 - margin, 3508 - margin}, margin, margin));
        EXPECT_TRUE(v.isPrinting());
        EXPECT_EQ(v.printingFlag(), 16);
        EXPECT_DOUBLE_EQ(v.worldScale(), 21600.0 / 2480.0);
        EXPECT_NEAR(v.worldScale() / v.scale(), before.worldScale() / before.scale(), 1e-9);
        EXPECT_EQ(v.centreX(), 1240);
        EXPECT_EQ(v.farLimit(), 3 * 3508);
        EXPECT_DOUBLE_EQ(v.deviceFactor(), (3508 - 2 * margin) / 1800.0); // fonts by the page's long side
        EXPECT_EQ(v.levelDot(), before.levelDot()); // the page keeps the screen's thresholds
        // Symbols keep their size relative to the chart on paper.
        EXPECT_NEAR(v.worldScale() / v.symbolSize(), before.worldScale() / before.symbolSize(), 1e-9);
        v.endPrinting();
        EXPECT_FALSE(v.isPrinting());
        EXPECT_EQ(v.scale(), before.scale());
        EXPECT_EQ(v.xOffset(), before.xOffset());
        EXPECT_EQ(v.yOffset(), before.yOffset());
        EXPECT_EQ(v.visibleBox(), before.visibleBox());
        EXPECT_EQ(v.windowRect(), before.windowRect());
        EXPECT_EQ(v.symbolSize(), before.symbolSize());
        EXPECT_EQ(v.farLimit(), before.farLimit());
        EXPECT_EQ(v.marginX(), 0);
        EXPECT_EQ(v.marginY(), 0);
    }
}

// Found by fuzzing: pixels near ±2^31 (projected from a damaged chart box)
// overflowed the int differences to the centre, and the text flipped sides.
TEST(Viewport, ExtremePixelsDoNotOverflow)
{
    const Viewport v = viewAt(0.01, 0.0, 0.0);
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(v.latitudeText(0, kMin), QString::fromUtf8("90°00.000N"));
    EXPECT_EQ(v.latitudeText(0, kMax), QString::fromUtf8("90°00.000S"));
    EXPECT_EQ(v.longitudeText(kMin, 0).right(1), QString("W"));
    EXPECT_EQ(v.longitudeText(kMax, 0).right(1), QString("E"));
    const MinutePoint far = v.unproject(kMin, kMax);
    EXPECT_LT(far.x, 0.0);
    EXPECT_GT(far.y, 0.0);
    Viewport zoomed = v;
    zoomed.ZoomPan(kMin, kMax, kMin, kMax, Viewport::ZoomRectangle);
    EXPECT_TRUE(std::isfinite(zoomed.scale()));
    EXPECT_GT(zoomed.scale(), 0.0);
}

TEST(Viewport, PositionTextsCountZeroAsNorthAndWest)
{
    const Viewport v = viewAt(0.01, 0.0, 0.0);
    EXPECT_EQ(v.latitudeText(400, 300), QString::fromUtf8(" 0°00.000N"));
    EXPECT_EQ(v.longitudeText(400, 300), QString::fromUtf8("  0°00.000W"));

    struct Case { double minutes; const char* latitude; const char* longitude; };
    const Case cases[] = {
        {2908.0, "48°28.000N", " 48°28.000W"},
        {-483.0, " 8°03.000S", "  8°03.000E"},
        {-0.0004, " 0°00.000S", "  0°00.000E"},
        {9999.0, "90°00.000N", "166°39.000W"}, // latitude capped at 90°
        {-20000.0, "90°00.000S", "180°00.000E"},
        {59.9996, " 0°60.000N", "  0°60.000W"}, // degrees from the truncated minutes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Viewport::formatLatitude(c.minutes), QString::fromUtf8(c.latitude)) << c.minutes;
        EXPECT_EQ(Viewport::formatLongitude(c.minutes), QString::fromUtf8(c.longitude)) << c.minutes;
    }
}

TEST(Viewport, PointLevelsFollowTheZoomLevelRule)
{
    struct Case { double scale; int n; int full; int dot; };
    const Case cases[] = {
        {20.0, 1, 26, 40},  {16.0, 2, 40, 53},   {16.0001, 1, 26, 40}, {0.0006, 16, 228, 242}, {0.01, 12, 175, 188},
        {0.0003, 17, 242, 13}, {0.0002, 18, 255, 13}, {1e-9, 20, 255, 13},
    };
    for (const Case& c : cases) {
        const PointLevels l = Viewport::pointLevelsForScale(c.scale);
        EXPECT_EQ(l.zoomLevel, c.n) << c.scale;
        EXPECT_EQ(l.levelFull, c.full) << c.scale;
        EXPECT_EQ(l.levelDot, c.dot) << c.scale;
    }
}

TEST(Viewport, FarLimitClampsProjectedPointsAndExtremesSaturate)
{
    const Viewport v = viewAt(0.0003, -483.0, 2908.0);
    const QPoint far = v.projectClamped({5'000'000, -10'000'000});
    EXPECT_EQ(far, QPoint(-9 * 800, 9 * 800));
    // A tall sliver at world scale: half-extents beyond the int32 range.
    Viewport sliver = startedView(1, 100000);
    EXPECT_EQ(sliver.visibleBox().top, INT32_MIN);
    EXPECT_EQ(sliver.visibleBox().bottom, INT32_MAX);
}

TEST(Viewport, FontsAndSymbolSizeFollowTheStyle)
{
    Viewport v = startedView(800, 600);
    ViewportStyle style;
    style.symbolSize = 0.04;
    style.textSize = 1.5;
    style.chartFont = {QStringLiteral("Courier"), -8, 300, false};
    style.workFont = {QStringLiteral("Times"), -12, 700, true};
    v.setStyle(style);
    v.setDesktopWidth(2048);
    ASSERT_TRUE(v.RecomputeViewport());
    EXPECT_EQ(v.symbolSize(), 0.04);
    EXPECT_EQ(v.deviceFactor(), 2.0);
    // Both heights come from the first font; each weight from its own.
    EXPECT_EQ(v.chartFont().height, -24);
    EXPECT_EQ(v.workFont().height, -24);
    EXPECT_EQ(v.chartFont().weight, 900);
    EXPECT_EQ(v.workFont().weight, 2100);
    EXPECT_EQ(v.workFont().family, QStringLiteral("Times"));
    EXPECT_EQ(v.chartFont().family, QStringLiteral("Courier"));
    // The light recompute keeps the symbols' ratio to the world instead.
    // ... also when the style changed in between: the shown symbols count.
    style.symbolSize = 0.5;
    v.setStyle(style);
    ASSERT_TRUE(v.setWindowRect({0, 0, 400, 300}));
    ASSERT_TRUE(v.RecomputeViewportLight());
    EXPECT_DOUBLE_EQ(v.symbolSize(), 0.08);
}

// The light recompute of a resize leaves the view unclamped and keeps its zoom.
TEST(Viewport, LightRecomputeDoesNotClamp)
{
    Viewport v = viewAt(2.0, 0.0, 5400.0 - 426.0); // touching the north edge
    ASSERT_TRUE(v.setWindowRect({0, 0, 800, 1200}));
    ASSERT_TRUE(v.RecomputeViewportLight());
    EXPECT_DOUBLE_EQ(v.yOffset(), 5400.0 - 426.0);
    EXPECT_DOUBLE_EQ(v.scale(), 2.0);
    EXPECT_DOUBLE_EQ(v.scaleY(), 0.71 * 2.0);
    ASSERT_TRUE(v.RecomputeViewport());
    EXPECT_DOUBLE_EQ(v.yOffset(), 5400.0 - 852.0);

    Viewport loose; // not started: nothing to clamp against yet
    loose.setView(2.0, 10.0, 20.0);
    EXPECT_DOUBLE_EQ(loose.scaleY(), 0.71 * 2.0);
    EXPECT_FALSE(loose.RecomputeViewport()); // and no window yet
}

TEST(Viewport, TheSmallestWindowsAndPagesAreTaken)
{
    for (const PixelRect rect : {PixelRect{0, 0, 1, 600}, PixelRect{0, 0, 800, 1}}) {
        Viewport v;
        EXPECT_TRUE(v.startUp(rect)) << rect.width() << "x" << rect.height();
        EXPECT_TRUE(v.resize(rect));
    }
    for (const PixelRect rect : {PixelRect{0, 0, 0, 600}, PixelRect{0, 0, 800, 0}}) {
        Viewport v;
        EXPECT_FALSE(v.startUp(rect)) << rect.width() << "x" << rect.height();
    }
    Viewport v = startedView(800, 600);
    EXPECT_FALSE(v.beginPrinting({0, 0, 0, 100}, 0, 0));
    EXPECT_FALSE(v.beginPrinting({0, 0, 100, 0}, 0, 0));
    EXPECT_FALSE(v.beginPrinting({0, 0, 100, 100}, -1, 0));
    EXPECT_FALSE(v.beginPrinting({0, 0, 100, 100}, 0, -1));
    ASSERT_TRUE(v.beginPrinting({0, 0, 1, 1}, 0, 0)); // a page without margins
    EXPECT_FALSE(v.beginPrinting({0, 0, 100, 100}, 0, 0)) << "already printing";
    EXPECT_EQ(v.widthF(), 1.0);
    v.endPrinting();
    EXPECT_EQ(v.widthF(), 800.0);
}
