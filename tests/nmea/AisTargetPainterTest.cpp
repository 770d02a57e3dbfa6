#include "support/QtTestApplication.h"
#include "core/Viewport.h"
#include "nmea/AisTargetPainter.h"
#include "nmea/TrackPainter.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// 400 x 300 pixels around 54 N 10 E, 0.01 minutes a pixel (names shown).
Viewport elbeView()
{
    Viewport v;
    v.startUp(PixelRect{0, 0, 400, 300});
    v.setView(0.01, -600.0, 3240.0);
    return v;
}

AisMessage ship(uint32_t mmsi, double lat, double lon, double speed, double course, std::optional<int> heading)
{
    AisMessage m;
    m.type = 1;
    m.mmsi = mmsi;
    m.latitude = lat;
    m.longitude = lon;
    m.speedKnots = speed;
    m.courseDegrees = course;
    m.headingDegrees = heading;
    return m;
}

QImage paint(const AisTargetList& list, const AisTargetPainter::Options& options)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    AisTargetPainter::paint(painter, elbeView(), list, options);
    return image;
}

TEST(AisTargetPainter, TriangleAlongHeadingVectorAlongCourse)
{
    test::qtTestApplication();
    const Viewport v = elbeView();
    const QPointF centre = AisTargetPainter::pixelOf(v, 54.0, 10.0);
    EXPECT_NEAR(centre.x(), 200.0, 1.0);
    EXPECT_NEAR(centre.y(), 150.0, 1.0);
    AisTargetList list;
    // Heading east, course south at 10 kn: the 6-minute vector is one mile
    // long, 60 minutes of latitude... one minute = 1 / (0.71 * 0.01) pixels.
    list.apply(ship(1, 54.0, 10.0, 10.0, 180.0, 90), 0);
    const QImage image = paint(list, {});
    const QColor tip = image.pixelColor(int(centre.x()) + 8, int(centre.y()));
    EXPECT_LT(tip.red(), 60) << "triangle points east";
    EXPECT_GT(tip.green(), 100);
    EXPECT_EQ(image.pixelColor(int(centre.x()) - 9, int(centre.y())), QColor(Qt::white)) << "no tip to the west";
    const int vectorEnd = int(centre.y() + 1.0 / (v.scaleY()));
    EXPECT_NE(image.pixelColor(int(centre.x()), vectorEnd - 3), QColor(Qt::white)) << "vector reaches south";
    EXPECT_EQ(image.pixelColor(int(centre.x()), vectorEnd + 4), QColor(Qt::white)) << "and ends after 6 minutes";
    EXPECT_EQ(AisTargetPainter::hitTest(v, list, QPoint(204, 153)), 1u);
    EXPECT_FALSE(AisTargetPainter::hitTest(v, list, QPoint(230, 150)));
}

TEST(AisTargetPainter, LostGreyWarningRed)
{
    test::qtTestApplication();
    AisTargetList list;
    list.apply(ship(1, 54.0, 10.0, 0.0, 0.0, 0), 0);
    list.age(7 * 60 * 1000);
    ASSERT_TRUE(list.find(1)->lost);
    QImage image = paint(list, {});
    // Only the outline of a lost target is drawn, in grey.
    const QColor edge = image.pixelColor(200, 138);
    EXPECT_EQ(image.pixelColor(200, 145), QColor(Qt::white));
    bool grey = false;
    for (int y = 135; y < 142; ++y) {
        const QColor c = image.pixelColor(200, y);
        grey |= c != QColor(Qt::white) && std::abs(c.red() - c.green()) < 10 && std::abs(c.green() - c.blue()) < 10;
    }
    EXPECT_TRUE(grey) << edge.name().toStdString();

    // A target 0.2 miles ahead, coming straight at the own vessel: red.
    AisTargetList close;
    close.apply(ship(2, 54.0, 10.0, 5.0, 180.0, 180), 0);
    AisTargetPainter::Options options;
    options.own = AisCpa::Track{54.0 - 0.2 / 60.0, 10.0, 5.0, 0.0};
    image = paint(close, options);
    const QColor body = image.pixelColor(200, 152);
    EXPECT_GT(body.red(), 200);
    EXPECT_LT(body.green(), 60);
    // The same target without the own vessel: no warning colour.
    image = paint(close, {});
    EXPECT_LT(image.pixelColor(200, 152).red(), 60);
}

TEST(TrackPainter, DrawsBehindThePositions)
{
    test::qtTestApplication();
    OwnTrack track;
    track.add(54.0, 10.0, 0);
    track.add(54.0, 10.0 + 100 * 0.01 / 60.0, 10000); // 100 pixels east
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<QPoint> buffer;
    TrackPainter::paint(painter, elbeView(), track, false, buffer);
    painter.end();
    EXPECT_EQ(image.pixelColor(250, 150), TrackPainter::colour());
    EXPECT_EQ(image.pixelColor(250, 160), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(320, 150), QColor(Qt::white));
}

} // namespace
