#include "view/FollowVessel.h"

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// 800 x 600 pixels around 54 N 10 E (x offset -600, y offset 3240 minutes),
// 0.01 minutes a pixel: the middle half is x 200..599, y 150..449.
Viewport view()
{
    Viewport v;
    v.startUp(PixelRect{0, 0, 800, 600});
    v.setView(0.01, -600.0, 3240.0);
    return v;
}

TEST(FollowVessel, MiddleHalf)
{
    const PixelRect w{0, 0, 800, 600};
    struct { QPoint p; bool inside; } rows[] = {
        {{400, 300}, true}, {{200, 150}, true}, {{599, 449}, true},
        {{199, 300}, false}, {{600, 300}, false}, {{400, 149}, false}, {{400, 450}, false},
    };
    for (const auto& r : rows) EXPECT_EQ(FollowVessel::insideMiddleHalf(r.p, w), r.inside) << r.p.x() << "," << r.p.y();
}

TEST(FollowVessel, RecentresOnlyWhenTheVesselLeavesTheMiddleHalf)
{
    Viewport v = view();
    FollowVessel follow;
    // Off: the vessel may leave the window.
    EXPECT_FALSE(follow.vesselMoved(v, 605.0, 3240.0));
    follow.setEnabled(true, v);
    // 150 pixels east of the centre: still inside.
    EXPECT_FALSE(follow.vesselMoved(v, 601.5, 3240.0));
    EXPECT_EQ(v.xOffset(), -600.0);
    // 250 pixels east: outside, the chart centres on the vessel.
    EXPECT_TRUE(follow.vesselMoved(v, 602.5, 3240.1));
    EXPECT_DOUBLE_EQ(v.xOffset(), -602.5);
    EXPECT_DOUBLE_EQ(v.yOffset(), 3240.1);
    EXPECT_EQ(v.project(602.5, -3240.1), QPoint(400, 300));
    EXPECT_TRUE(follow.enabled());
}

TEST(FollowVessel, ManualPanTurnsItOffZoomDoesNot)
{
    Viewport v = view();
    FollowVessel follow;
    follow.setEnabled(true, v);
    ASSERT_TRUE(v.ZoomPan(0, 0, 0, 0, Viewport::ZoomInPad));
    EXPECT_FALSE(follow.viewportChanged(v));
    EXPECT_TRUE(follow.enabled());

    ASSERT_TRUE(v.ZoomPan(0, 0, 0, 0, Viewport::PanLeft));
    const double pannedX = v.xOffset();
    // The pan is seen at the next position: following is off, the view stays.
    EXPECT_FALSE(follow.vesselMoved(v, 610.0, 3240.0));
    EXPECT_FALSE(follow.enabled());
    EXPECT_EQ(v.xOffset(), pannedX);

    follow.setEnabled(true, v);
    v.setView(v.scale(), v.xOffset() + 1.0, v.yOffset());
    EXPECT_TRUE(follow.viewportChanged(v));
    EXPECT_FALSE(follow.enabled());
}

} // namespace
