#include "chartdata/ChartOverlay.h"
#include "chartdata/PageDecoration.h"
#include "chartdata/VesselMark.h"
#include "core/Viewport.h"

#include "support/GuiTestApplication.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QPaintEngine>
#include <QPainter>

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// 200 x 100 pixels, one minute per pixel, centred on 0/0.
Viewport testViewport()
{
    Viewport v;
    v.startUp({0, 0, 200, 100});
    v.setView(1.0, 0.0, 0.0);
    return v;
}

// A paint device of no features at all, as the most limited printer driver.
class PlainEngine : public QPaintEngine {
public:
    PlainEngine() : QPaintEngine(QPaintEngine::PaintEngineFeatures()) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return QPaintEngine::User; }
};

class PlainDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 10;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 96;
        }
    }

private:
    mutable PlainEngine engine_;
};

// A picture with some structure, so that inversion errors show.
QImage pattern()
{
    QImage image(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) image.setPixel(x, y, qRgb(x, y * 2, (x * y) & 0xFF));
    return image;
}

TEST(VesselMarkTest, DrawingTwiceRestoresThePicture)
{
    const QImage original = pattern();
    QImage image = original;
    {
        QPainter p(&image);
        VesselMark::draw(p, QPoint(100, 50));
    }
    EXPECT_NE(image, original);
    {
        QPainter p(&image);
        VesselMark::draw(p, QPoint(100, 50));
    }
    EXPECT_EQ(image, original);
}

TEST(VesselMarkTest, FourSegmentsInvertedAroundAFreeCentre)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(qRgb(24, 24, 168));
    {
        QPainter p(&image);
        VesselMark::draw(p, QPoint(20, 20));
    }
    const QRgb inverted = qRgb(255 - 24, 255 - 24, 255 - 168);
    std::vector<QPoint> marked;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (image.pixel(x, y) == inverted) marked.push_back({x, y});
            else EXPECT_EQ(image.pixel(x, y), qRgb(24, 24, 168));
    EXPECT_EQ(marked.size(), 32u);
    for (int d : {-9, -2, 3, 10}) EXPECT_EQ(image.pixel(20 + d, 20), inverted) << d;
    for (int d : {-1, 0, 1, 2, -10, 11}) EXPECT_NE(image.pixel(20 + d, 20), inverted) << d;
    for (int d : {-9, -2, 2, 9}) EXPECT_EQ(image.pixel(20, 20 + d), inverted) << d;
    for (int d : {-1, 1, -10, 10}) EXPECT_NE(image.pixel(20, 20 + d), inverted) << d;
}

TEST(VesselMarkTest, UpdateMovesTheMarkWithoutTraces)
{
    const Viewport v = testViewport();
    const QImage original = pattern();
    QImage image = original;
    VesselMark mark;
    QPainter p(&image);
    // Unknown positions draw nothing.
    mark.afterPaint(p, v, VesselMark::kUnknownMinutes, 0.0);
    mark.update(p, v, 0.0, VesselMark::kUnknownMinutes);
    EXPECT_FALSE(mark.isDrawn());
    mark.afterPaint(p, v, 10.0, 5.0);  // 10' E, 5' N
    EXPECT_EQ(mark.lastPoint(), QPoint(110, 50 - 7));
    mark.update(p, v, 10.0, 5.0);      // same pixel: nothing changes
    mark.update(p, v, -30.0, -20.0);
    EXPECT_EQ(mark.lastPoint(), QPoint(70, 50 + 28));
    VesselMark::draw(p, mark.lastPoint());  // take the mark off by hand
    p.end();
    EXPECT_EQ(image, original);
}

TEST(ChartOverlayTest, CrosshairDrawnTwiceVanishes)
{
    const Viewport v = testViewport();
    const QImage original = pattern();
    QImage image = original;
    QPainter p(&image);
    ChartOverlay::drawCrosshair(p, v, ChartPoint{-7100, 20000});  // pixel (120, 40)
    const QImage once = image.copy();
    ChartOverlay::drawCrosshair(p, v, ChartPoint{-7100, 20000});
    p.end();
    EXPECT_EQ(image, original);
    EXPECT_NE(once.pixel(0, 40), original.pixel(0, 40));
    EXPECT_NE(once.pixel(120, 99), original.pixel(120, 99));
    EXPECT_EQ(once.pixel(120, 40), original.pixel(120, 40));  // inverted twice
    EXPECT_EQ(once.pixel(119, 39), original.pixel(119, 39));
    // One pixel wide, from edge to edge.
    EXPECT_NE(once.pixel(199, 40), original.pixel(199, 40));
    EXPECT_NE(once.pixel(120, 0), original.pixel(120, 0));
    for (const QPoint beside : {QPoint(0, 41), QPoint(0, 39), QPoint(121, 99), QPoint(119, 99)})
        EXPECT_EQ(once.pixel(beside), original.pixel(beside)) << beside.x() << "," << beside.y();
}

TEST(ChartOverlayTest, InversionOnlyWhereTheDeviceCanInvert)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter onImage(&image);
    EXPECT_EQ(ChartOverlay::beginInvert(onImage), QColor(Qt::white));
    EXPECT_EQ(onImage.compositionMode(), QPainter::RasterOp_NotDestination);
    onImage.end();

    // A device whose engine has no raster operations: the mark is black, drawn normally.
    PlainDevice plain;
    QPainter onPaper(&plain);
    ASSERT_TRUE(onPaper.isActive());
    EXPECT_EQ(ChartOverlay::beginInvert(onPaper), QColor(Qt::black));
    EXPECT_EQ(onPaper.compositionMode(), QPainter::CompositionMode_SourceOver);
    onPaper.end();

    // A painter on no device has no engine at all.
    QPainter idle;
    EXPECT_EQ(ChartOverlay::beginInvert(idle), QColor(Qt::black));

    // The PDF and print engines claim raster operations but draw the white of
    // an inversion as white: the vessel mark vanished from printed pages.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    QPainter onPdf(&writer);
    ASSERT_TRUE(onPdf.isActive());
    EXPECT_EQ(ChartOverlay::beginInvert(onPdf), QColor(Qt::black));
    EXPECT_EQ(onPdf.compositionMode(), QPainter::CompositionMode_SourceOver);
}

TEST(ChartOverlayTest, RouteIsAmberOnScreenAndBlackOnPaper)
{
    const Viewport v = testViewport();
    const std::vector<ChartPoint> route = {{0, -50000}, {0, 50000}};  // row 50, x 50..150
    std::vector<QPoint> buffer;
    for (bool printing : {false, true}) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter p(&image);
        ChartOverlay::drawRoute(p, v, route, printing, buffer);
        p.end();
        const QRgb want = printing ? qRgb(0, 0, 0) : qRgb(255, 216, 0);
        EXPECT_EQ(image.pixel(100, 50), want);
        EXPECT_EQ(image.pixel(100, 51), qRgb(0, 0, 255));
    }
    // A route of one point is no line yet: nothing at all is drawn.
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter p(&image);
    ChartOverlay::drawRoute(p, v, std::span(route).first(1), false, buffer);
    p.end();
    int changed = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) changed += image.pixel(x, y) != qRgb(0, 0, 255);
    EXPECT_EQ(changed, 0);
}

// A page of 800 x 600 dots at 96 dpi: margins of 28 dots (7.5 mm), the
// window 28..772 x 28..572. Black frames two dots wide at the page edge and
// half a margin in, the outer half of the margins white; the title box
// 7 x 2.5 cm (264 x 94 dots) in the inner frame's lower right corner, white,
// with its ruled lines.
TEST(PageDecorationTest, FramesAndTitleBoxAtTheirDots)
{
    test::guiTestApplication();  // fonts for the title
    Viewport v;
    v.startUp({0, 0, 800, 600});
    v.setView(1.0, -450.0, 3240.0);
    const int m = Viewport::printMargin(96);
    ASSERT_EQ(m, 28);
    ASSERT_TRUE(v.beginPrinting({m, m, 800 - m, 600 - m}, m, m));
    QImage page(800, 600, QImage::Format_RGB32);
    const QRgb grey = qRgb(128, 128, 128), black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    page.fill(grey);
    {
        QPainter p(&page);
        PageDecoration::draw(p, v, 96.0);
    }
    // Inner frame: x = 772 + 14 = 786, y = 14 and 586; two dots: 13..14, 785..786.
    const int rb = 786, bb = 586, lb = rb - 264, tb = bb - 94;
    const struct { int x, y; QRgb colour; } dots[] = {
        {200, 0, black},      {200, 599, black},    {200, 5, white},      {200, 590, white},    {0, 300, black},      {200, 14, black},
        {200, 13, black},     {200, 12, white},     {200, 15, grey},      {14, 300, black},
        {13, 300, black},     {15, 300, grey},      {200, bb, black},     {200, bb - 1, black},
        {200, bb - 2, grey},  {rb, 300, black},     {rb - 1, 300, black}, {rb - 2, 300, grey},
        {200, 30, grey},      // the chart area is untouched
        {rb - 1, tb + 20, white}, {lb + 1, tb + 20, white}, {lb - 2, tb + 20, grey},
        {lb, tb + 20, black}, {rb - 100, tb, black}, {rb - 100, tb + 37, black},
        {rb - 100, bb - 1, white},  // the box covers the inner half of the frame
        {790, 0, black},      {790, 1, white},
    };
    for (const auto& d : dots)
        EXPECT_EQ(page.pixel(d.x, d.y), d.colour) << d.x << "," << d.y;
    // The title is drawn in red-orange.
    int title = 0;
    for (int y = tb; y < tb + 37; ++y)
        for (int x = lb; x < rb; ++x) title += page.pixel(x, y) == qRgb(255, 40, 0);
    EXPECT_GT(title, 20);
}

TEST(PageDecorationTest, CornerLabelsNameTheWindowCorners)
{
    Viewport v;
    v.startUp({0, 0, 200, 100});
    // Centre 54°00'N 7°30'E at one minute per pixel.
    v.setView(1.0, -450.0, 3240.0);
    EXPECT_EQ(PageDecoration::cornerLabel(v, true),
              QString::fromUtf8(" TOP / LEFT: 54°35.500N - 005°50.000E"));
    EXPECT_EQ(PageDecoration::cornerLabel(v, false),
              QString::fromUtf8("BOT / RIGHT: 53°24.500N - 009°10.000E "));
    // Top left half a minute from 0° (50 rows of 0.71', 100 columns of 1'):
    // the hemisphere letters still follow the sign.
    v.setView(1.0, -99.5, -35.0);
    EXPECT_EQ(PageDecoration::cornerLabel(v, true),
              QString::fromUtf8(" TOP / LEFT: 00°00.500N - 000°00.500W"));
    EXPECT_EQ(PageDecoration::cornerLabel(v, false),
              QString::fromUtf8("BOT / RIGHT: 01°10.500S - 003°19.500E "));
    v.setView(1.0, 4000.0, -3000.0);  // 66°40'W, 50°S
    EXPECT_EQ(PageDecoration::cornerLabel(v, true),
              QString::fromUtf8(" TOP / LEFT: 49°24.500S - 068°20.000W"));
}

} // namespace
