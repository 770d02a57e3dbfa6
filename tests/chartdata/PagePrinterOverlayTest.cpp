#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/PagePrinter.h"
#include "core/Viewport.h"

#include "SyntheticChart.h"
#include "support/GuiTestApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// The overlay of the screen (AIS targets, track) reaches the printed page:
// drawn once, with the page's viewport, before the vessel mark.
TEST(PagePrinterOverlay, DrawnOnThePageWithThePageViewport)
{
    test::guiTestApplication();
    Viewport screen;
    screen.startUp(PixelRect{0, 0, 800, 600});
    screen.setView(0.01, -600.0, 3240.0);
    const PagePrinter::Page page{QSize(1000, 700), 96.0, 96.0};
    QImage image(page.pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartCatalogue catalogue;
    ChartConfig config;
    PagePrinter::Marks marks;
    int calls = 0;
    QPoint drawnAt;
    marks.overlay = [&](QPainter& p, const Viewport& v) {
        ++calls;
        EXPECT_TRUE(v.isPrinting());
        drawnAt = v.project(600.0, -3240.0); // the centre of the screen view
        p.fillRect(QRect(drawnAt, QSize(3, 3)), Qt::red);
    };
    ChartPainter chartPainter;
    PagePrinter::print(painter, page, screen, catalogue, config, DrawOptions{}, marks, chartPainter);
    painter.end();
    EXPECT_EQ(calls, 1);
    EXPECT_NEAR(drawnAt.x(), 500, 2);
    EXPECT_NEAR(drawnAt.y(), 350, 2);
    EXPECT_EQ(image.pixelColor(drawnAt + QPoint(1, 1)), QColor(Qt::red));
}

// A page needs at least one dot inside its 7.5 mm margins (28 dots at 96 dpi).
TEST(PagePrinter, PageViewportNeedsRoomInsideTheMargins)
{
    Viewport screen;
    screen.startUp(PixelRect{0, 0, 800, 600});
    const struct { int width, height; bool ok; } rows[] = {
        {1000, 700, true}, {57, 57, true}, {57, 700, true}, {1000, 57, true},
        {56, 700, false},  {1000, 56, false}, {56, 56, false}, {0, 0, false},
    };
    for (const auto& r : rows) {
        const auto v = PagePrinter::pageViewport(screen, {QSize(r.width, r.height), 96.0, 96.0});
        EXPECT_EQ(v.has_value(), r.ok) << r.width << " x " << r.height;
        if (v) {
            EXPECT_TRUE(v->isPrinting());
            EXPECT_EQ(v->windowRect().height(), r.height - 56) << r.width << " x " << r.height;
        }
    }
}

// The page is drawn in the printer colours, with the charts selected for it:
// background 4 is white on paper, the land area colour 14 light blue
// (0x00D19D34 as COLORREF).
TEST(PagePrinter, PrintsTheSelectedChartsInPrinterColours)
{
    test::guiTestApplication();
    test::SyntheticCharts charts;
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, test::boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    ASSERT_TRUE(charts.write("BOX", w));
    Viewport screen;
    screen.startUp(PixelRect{0, 0, 800, 600});
    screen.setView(1.0, 0.0, 0.0);
    ChartCatalogue catalogue = charts.catalogue({"BOX"}, screen);
    ChartConfig config;
    const PagePrinter::Page page{QSize(1000, 700), 96.0, 96.0};
    QImage image(page.pixels, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    DrawOptions options;
    options.programFolder = charts.folder();
    ChartPainter chartPainter;
    const PaintResult result = PagePrinter::print(painter, page, screen, catalogue, config, options, {}, chartPainter);
    painter.end();
    EXPECT_FALSE(result.interrupted);
    // The window is 28..972 x 28..672, centred on 0/0: the box spans 20 dots
    // either side of (500, 350) across and 14 up and down.
    EXPECT_EQ(image.pixel(500, 350), qRgb(0xD1, 0x9D, 0x34));
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 255, 255));
}

// The vessel mark is printed only where both coordinates are known; it
// inverts the white paper around the vessel's dot, the centre left free.
TEST(PagePrinter, VesselMarkOnlyWithAKnownPosition)
{
    test::guiTestApplication();
    Viewport screen;
    screen.startUp(PixelRect{0, 0, 800, 600});
    screen.setView(1.0, 0.0, 0.0);
    const PagePrinter::Page page{QSize(1000, 700), 96.0, 96.0};
    const struct { std::optional<double> lon, lat; bool drawn; } rows[] = {
        {0.0, 0.0, true}, {0.0, std::nullopt, false}, {std::nullopt, 0.0, false}, {std::nullopt, std::nullopt, false},
    };
    for (const auto& r : rows) {
        QImage image(page.pixels, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        PagePrinter::Marks marks;
        marks.vesselLongitude = r.lon;
        marks.vesselLatitude = r.lat;
        ChartPainter chartPainter;
        PagePrinter::print(painter, page, screen, ChartCatalogue(), ChartConfig(), DrawOptions{}, marks, chartPainter);
        painter.end();
        // 0/0 is the window's centre (500, 350); the mark's left arm runs from x - 9 to x - 2.
        EXPECT_EQ(image.pixel(491, 350), r.drawn ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << r.drawn;
        EXPECT_EQ(image.pixel(500, 350), qRgb(255, 255, 255));
    }
}

} // namespace
