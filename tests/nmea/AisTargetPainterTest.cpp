#include "support/QtTestApplication.h"
#include "core/Viewport.h"
#include "nmea/AisTargetPainter.h"
#include "nmea/TrackPainter.h"

#include <QImage>
#include <set>
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

AisMessage station(int type, uint32_t mmsi)
{
    AisMessage m = ship(mmsi, 54.0, 10.0, 0.0, 0.0, std::nullopt);
    m.type = type;
    m.speedKnots.reset();
    m.courseDegrees.reset();
    return m;
}

bool white(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::white);
}

// The target sits on pixel (200, 150) in all of these.
TEST(AisTargetPainter, TriangleShape)
{
    test::qtTestApplication();
    // Heading north: tip 12 pixels ahead, a level base 7 pixels behind.
    AisTargetList north;
    north.apply(ship(1, 54.0, 10.0, 0.0, 0.0, 0), 0);
    QImage image = paint(north, {});
    EXPECT_FALSE(white(image, 200, 139)) << "tip";
    EXPECT_TRUE(white(image, 200, 136));
    for (int x = 195; x <= 204; ++x) {
        EXPECT_FALSE(white(image, x, 157)) << "base at x " << x;
        EXPECT_TRUE(white(image, x, 158)) << "below the base at x " << x;
    }
    // Heading 30 degrees: the tip up and to the right, the base across the
    // heading, filled on both sides of the axis.
    AisTargetList northEast;
    northEast.apply(ship(1, 54.0, 10.0, 0.0, 0.0, 30), 0);
    image = paint(northEast, {});
    EXPECT_FALSE(white(image, 205, 142)) << "tip towards the upper right";
    EXPECT_FALSE(white(image, 194, 150)) << "base half left of the axis";
    EXPECT_FALSE(white(image, 200, 156)) << "base half right of the axis";
    EXPECT_TRUE(white(image, 207, 157));
    EXPECT_TRUE(white(image, 192, 142));
}

TEST(AisTargetPainter, LostIsOneFlatGrey)
{
    test::qtTestApplication();
    AisTargetList list;
    list.apply(ship(1, 54.0, 10.0, 0.0, 0.0, 30), 0);
    list.age(7 * 60 * 1000);
    const QImage image = paint(list, {});
    // Drawn without antialiasing: every pixel of the outline has the same
    // colour, a grey without tint.
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!white(image, x, y)) colours.insert(image.pixel(x, y));
    ASSERT_EQ(colours.size(), 1u);
    const QColor grey(*colours.begin());
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    EXPECT_LT(grey.red(), 200);
}

TEST(AisTargetPainter, AidDiamondWithCrossAndBaseStationSquare)
{
    test::qtTestApplication();
    AisTargetList aids;
    aids.apply(station(21, 992111111), 0);
    QImage image = paint(aids, {});
    const QColor outline = image.pixelColor(200, 142); // top corner, 8 pixels up
    EXPECT_NE(outline, QColor(Qt::white));
    for (const QPoint arm : {QPoint(198, 150), QPoint(202, 150), QPoint(200, 148), QPoint(200, 152)})
        EXPECT_EQ(image.pixelColor(arm), outline) << "cross arm at " << arm.x() << "," << arm.y();
    EXPECT_TRUE(white(image, 197, 146)) << "inside the diamond, off the cross";

    // A square of eight pixels centred on the station.
    AisTargetList bases;
    bases.apply(station(4, 2111111), 0);
    image = paint(bases, {});
    for (const QPoint edge : {QPoint(200, 146), QPoint(200, 154), QPoint(196, 150), QPoint(204, 150)})
        EXPECT_FALSE(white(image, edge.x(), edge.y())) << "edge at " << edge.x() << "," << edge.y();
    for (const QPoint off : {QPoint(200, 145), QPoint(200, 155), QPoint(195, 150), QPoint(205, 150), QPoint(200, 150)})
        EXPECT_TRUE(white(image, off.x(), off.y())) << "off the edge at " << off.x() << "," << off.y();
}

QImage paintTrack(const OwnTrack& track)
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<QPoint> buffer;
    TrackPainter::paint(painter, elbeView(), track, false, buffer);
    painter.end();
    return image;
}

TEST(TrackPainter, DrawsBehindThePositions)
{
    test::qtTestApplication();
    OwnTrack track;
    track.add(54.0, 10.0, 0);
    track.add(54.0, 10.0 + 100 * 0.01 / 60.0, 10000); // 100 pixels east
    const QImage image = paintTrack(track);
    EXPECT_EQ(image.pixelColor(250, 150), TrackPainter::colour());
    EXPECT_EQ(image.pixelColor(250, 160), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(320, 150), QColor(Qt::white));
}

TEST(TrackPainter, TwoPixelsWideInOneColour)
{
    test::qtTestApplication();
    OwnTrack track;
    track.add(54.0, 10.0, 0);
    track.add(54.0, 10.0 + 100 * 0.01 / 60.0, 10000);                      // 100 pixels east
    track.add(54.0 - 50 * 0.01 / 60.0, 10.0 + 150 * 0.01 / 60.0, 20000); // then 50 down, 50 east
    const QImage image = paintTrack(track);
    for (int x = 210; x <= 290; x += 20) {
        EXPECT_EQ(image.pixelColor(x, 149), TrackPainter::colour()) << x;
        EXPECT_EQ(image.pixelColor(x, 150), TrackPainter::colour()) << x;
        EXPECT_TRUE(white(image, x, 148)) << x;
        EXPECT_TRUE(white(image, x, 151)) << x;
    }
    // Without antialiasing, the slanted part too.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!white(image, x, y)) {
                ASSERT_EQ(image.pixelColor(x, y), TrackPainter::colour()) << x << "," << y;
            }

    // A single point is no line yet.
    OwnTrack one;
    one.add(54.0, 10.0, 0);
    const QImage dot = paintTrack(one);
    for (int y = 140; y <= 160; ++y)
        for (int x = 190; x <= 210; ++x) ASSERT_TRUE(white(dot, x, y)) << x << "," << y;
}

} // namespace
