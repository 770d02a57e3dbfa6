#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/PagePrinter.h"
#include "core/Viewport.h"

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

} // namespace
