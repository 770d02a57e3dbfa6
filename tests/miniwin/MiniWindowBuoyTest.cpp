#include "support/BuoyChart.h"
#include "miniwin/MiniWindowFixture.h"

#include "view/PointInfoWindow.h"

#include <gtest/gtest.h>

using namespace kesmar;
using kesmar::test::MiniWindowFixture;
using kesmar::test::SyntheticCharts;
using kesmar::test::writeBuoyChart;

namespace {

// One chart with one green buoy at 54°N 8°E, in the middle of the view at
// 0.01'/pixel.
constexpr ChartPoint kBuoy{-3240000, 480000};

class MiniWindowBuoy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(writeBuoyChart(charts, kBuoy));
        f = std::make_unique<MiniWindowFixture>(true, charts.folder());
        f->viewport.setView(0.01, -480.0, 3240.0);
        f->catalogue = charts.catalogue({"BUOYS"}, f->viewport);
        // Client 200 x 200 around the view's centre: the buoy near (100, 99).
        ASSERT_TRUE(f->set->openFromDrag(QRect(301, 201, 200, 200)));
    }

    SyntheticCharts charts;
    std::unique_ptr<MiniWindowFixture> f;
};

} // namespace

TEST_F(MiniWindowBuoy, InformationMarksTheBuoyAndTheSecondUseRemovesIt)
{
    CMiniWindow& w = f->window(1);
    ASSERT_EQ(w.size(), QSize(200, 200));
    f->set->buoyInfo(1, QPoint(103, 97));
    EXPECT_EQ(f->beeps, 0);
    EXPECT_EQ(f->set->pointInfoOwner(), 1);
    ASSERT_TRUE(w.picture().crosshair().has_value());
    EXPECT_EQ(*w.picture().crosshair(), kBuoy);
    EXPECT_TRUE(f->set->pointInfoWindow().isVisible());
    EXPECT_FALSE(f->view->picture().crosshair().has_value());

    // The pickup stays open while the information belongs to a mini window.
    f->mouse(*f->view, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(400, 300), Qt::LeftButton);
    CMiniWindow& pickup = f->window(CMiniWindow::kPickup);
    ASSERT_TRUE(pickup.isVisible());
    emit pickup.deactivated(CMiniWindow::kPickup);
    EXPECT_TRUE(pickup.isVisible());

    // The same command from another window takes the mark from window 1.
    ASSERT_TRUE(f->set->openFromDrag(QRect(101, 101, 100, 100)));
    f->set->buoyInfo(2, QPoint(10, 10));
    EXPECT_EQ(f->set->pointInfoOwner(), 0);
    EXPECT_FALSE(w.picture().crosshair().has_value());
    EXPECT_FALSE(f->set->pointInfoWindow().isVisible());
    emit pickup.deactivated(CMiniWindow::kPickup);
    EXPECT_FALSE(pickup.isVisible());
}

TEST_F(MiniWindowBuoy, ClosingTheOwnerRemovesTheInformation)
{
    f->set->buoyInfo(1, QPoint(100, 99));
    ASSERT_EQ(f->set->pointInfoOwner(), 1);
    f->window(1).close();
    EXPECT_EQ(f->set->pointInfoOwner(), 0);
    EXPECT_FALSE(f->window(1).picture().crosshair().has_value());
    EXPECT_FALSE(f->set->pointInfoWindow().isVisible());
    // Toggled on again, the window marks afresh.
    f->commands.trigger(CommandId::MiniWindow1);
    f->set->buoyInfo(1, QPoint(100, 99));
    EXPECT_EQ(f->set->pointInfoOwner(), 1);
}
