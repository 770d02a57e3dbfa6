#include "support/BuoyChart.h"
#include "support/QtTestApplication.h"

#include "chartdata/ChartConfig.h"
#include "chartdata/ColourTable.h"
#include "nmea/VesselState.h"
#include "view/ChartPicture.h"
#include "view/CommandSet.h"
#include "view/PointInfoController.h"
#include "view/PointInfoWindow.h"
#include "view/PointSymbolPreview.h"

#include <QCloseEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace kesmar;
using kesmar::test::SyntheticCharts;
using kesmar::test::writeBuoyChart;

namespace {

// One chart with one green conical buoy at 54°N 8°E, the view 400 x 300
// pixels around it at 0.01'/pixel; the buoy is at pixel (200, 150).
constexpr ChartPoint kBuoy{-3240000, 480000};

class PointInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(writeBuoyChart(charts, kBuoy));
        folder = charts.folder();
        viewport.startUp({0, 0, 400, 300});
        viewport.setView(0.01, -480.0, 3240.0);
        catalogue = charts.catalogue({"BUOYS"}, viewport);
        view.resize(400, 300);
        controller.setErrorSound([this] { ++beeps; });
    }

    struct AppFirst {
        AppFirst() { kesmar::test::qtTestApplication(); }
    } appFirst;
    SyntheticCharts charts;
    QString folder;
    StartupPhase phase = StartupPhase::Running;
    Viewport viewport;
    ChartCatalogue catalogue;
    ChartConfig config;
    VesselState vessel;
    CommandSet commands;
    ChartViewContext context{folder, phase, viewport, catalogue, config, vessel, commands};
    QWidget view;
    ChartPicture picture{context, view};
    QPoint click{210, 140};
    PointInfoController controller{view, context, picture, [this] { return click; }};
    int beeps = 0;
};

int darkPixels(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

} // namespace

TEST_F(PointInfoTest, ToggleSelectsAndRemoves)
{
    ASSERT_EQ(viewport.project(kBuoy), QPoint(200, 150));
    EXPECT_TRUE(commands.trigger(CommandId::PointInfo));
    EXPECT_EQ(controller.markerState(), 10);
    EXPECT_EQ(picture.crosshair(), kBuoy);
    PointInfoWindow& window = controller.window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Find Window");
    EXPECT_TRUE(window.textBox().isReadOnly());
    EXPECT_EQ(window.text().toStdString(), "\n     POS:\t54°00.000N  /    8°00.000E\n   TYPE:\tSpitztonne\nCOLOR:\tgrün "
                             "\nSIGNAL:\tFeuer\n    TEXT:\tFl.G.4s 3");
    EXPECT_EQ(window.textBox().font().pixelSize(), 14);
    ASSERT_TRUE(window.preview().record());
    EXPECT_EQ(window.preview().record()->position(), kBuoy);
    EXPECT_EQ(beeps, 0);

    EXPECT_TRUE(commands.trigger(CommandId::PointInfo));
    EXPECT_EQ(controller.markerState(), 0);
    EXPECT_FALSE(picture.crosshair());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.preview().record());
}

TEST_F(PointInfoTest, NothingNearSoundsAndChangesNothing)
{
    viewport.setView(0.01, 0.0, 0.0);  // off the chart
    catalogue.selectForViewport(viewport);
    controller.toggle();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(controller.markerState(), 0);
    EXPECT_FALSE(picture.crosshair());
    EXPECT_FALSE(controller.window().isVisible());
}

TEST_F(PointInfoTest, ClickOnTheWindowOrClosingItRemovesTheSelection)
{
    controller.toggle();
    ASSERT_EQ(controller.markerState(), 10);
    QWidget* textArea = controller.window().textBox().viewport();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::RightButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(textArea, &release);
    EXPECT_EQ(controller.markerState(), 0);
    EXPECT_FALSE(controller.window().isVisible());

    controller.toggle();
    QMouseEvent left(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&controller.window().preview(), &left);
    EXPECT_EQ(controller.markerState(), 0);

    controller.toggle();
    QCloseEvent close;
    QCoreApplication::sendEvent(&controller.window(), &close);
    EXPECT_EQ(controller.markerState(), 0);
    EXPECT_FALSE(controller.window().isVisible());
    // The window object stays for the next point.
    controller.toggle();
    EXPECT_TRUE(controller.window().isVisible());
}

TEST(PointInfoWindow, PlacedBesideThePointTowardsTheCentre)
{
    const QRect desktop(0, 0, 1000, 800);
    const QSize frame(300, 100);
    EXPECT_EQ(PointInfoWindow::placement({100, 100}, desktop, frame), QPoint(120, 120));
    EXPECT_EQ(PointInfoWindow::placement({900, 100}, desktop, frame), QPoint(580, 120));
    EXPECT_EQ(PointInfoWindow::placement({100, 700}, desktop, frame), QPoint(120, 580));
    EXPECT_EQ(PointInfoWindow::placement({900, 700}, desktop, frame), QPoint(580, 580));
    // A second screen to the right: its own centre counts.
    EXPECT_EQ(PointInfoWindow::placement({1100, 100}, QRect(1000, 0, 1000, 800), frame), QPoint(1120, 120));
}

TEST(PointSymbolPreview, DepthFigureTextWordAndNothing)
{
    kesmar::test::qtTestApplication();
    const ColourTable colours;
    const QSize area(108, 145);  // reference point (54, 108)
    auto draw = [&](const PointRecord& r) {
        QImage image(area, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        PointSymbolPreview::draw(p, area, r, nullptr, colours);
        return image;
    };
    // Sounding 4.5 m: the metres left of the reference, the decimetre right and lower.
    const QImage sounding = draw(*PointRecord::make(13, 62, 0, 45, 0, kBuoy));
    EXPECT_GT(darkPixels(sounding, QRect(40, 95, 14, 20)), 10);
    EXPECT_GT(darkPixels(sounding, QRect(54, 105, 14, 20)), 10);
    EXPECT_EQ(darkPixels(sounding, QRect(0, 0, 108, 80)), 0);
    // An obstruction's depth stands 10 pixels right of the reference.
    const QImage obstruction = draw(*PointRecord::make(13, 53, 0, 45, 0, kBuoy));
    EXPECT_EQ(darkPixels(obstruction, QRect(40, 95, 12, 30)), 0);
    EXPECT_GT(darkPixels(obstruction, QRect(52, 95, 14, 20)), 10);
    // A chart text shows the word TEXT centred on the reference point.
    const QImage text = draw(*PointRecord::make(20, 63, 0, 0, 0, kBuoy, "Kiel"));
    EXPECT_GT(darkPixels(text, QRect(20, 95, 34, 25)), 10);
    EXPECT_GT(darkPixels(text, QRect(54, 95, 34, 25)), 10);
    // A buoy without a library and a wreck without a depth draw nothing.
    EXPECT_EQ(darkPixels(draw(*PointRecord::make(13, 47, 0x11, 0, 0, kBuoy)), QRect(QPoint(0, 0), area)), 0);
}
