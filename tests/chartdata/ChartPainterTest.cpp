#include "SyntheticChart.h"

#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/LineFileCache.h"
#include "chartdata/PackedPointRecord.h"
#include "core/ByteWriter.h"
#include "core/Viewport.h"
#include "core/QtBytes.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace kesmar;
using kesmar::test::boxRing;
using kesmar::test::SyntheticCharts;

namespace {

// 200 x 100 pixels, one minute per pixel, centred on 0/0: x pixel = x/1000 + 100,
// y pixel = trunc(y / 710) + 50.
Viewport testViewport(double scale = 1.0, double xOffset = 0.0, double yOffset = 0.0)
{
    Viewport v;
    v.startUp({0, 0, 200, 100});
    v.setView(scale, xOffset, yOffset);
    return v;
}

struct Painted {
    QImage image;
    PaintResult result;
};

class ChartPainterTest : public ::testing::Test {
protected:
    Painted paint(const QStringList& names, const Viewport& v, uint32_t detail = DetailFlags::Default,
                  bool printerColours = false, std::function<bool()> stop = {})
    {
        ChartCatalogue cat = charts.catalogue(names, v);
        DrawOptions options;
        options.colours = ChartPainter::activeColours(config, printerColours);
        options.detailFlags = detail;
        options.charts = cat.entries();
        options.chartsAvailable = cat.chartsAvailable() & ChartCatalogue::AnyVisible;
        options.programFolder = charts.folder();
        options.files = &cache;
        options.shouldStop = std::move(stop);
        Painted out{QImage(v.width(), v.height(), QImage::Format_RGB32), {}};
        out.image.fill(Qt::magenta);
        QPainter p(&out.image);
        out.result = painter.paint(p, v, options);
        return out;
    }
    QRgb screen(int index) const { return ColourTable::colorrefToRgb(config.screenColours[size_t(index)]) | 0xFF000000; }
    QRgb printer(int index) const { return ColourTable::colorrefToRgb(config.printerColours[size_t(index)]) | 0xFF000000; }

    SyntheticCharts charts;
    ChartConfig config;
    LineFileCache cache;
    ChartPainter painter;
};

TEST_F(ChartPainterTest, AreaFillsExactlyTheProjectedPixels)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    ASSERT_TRUE(charts.write("BOX", w));
    const Viewport v = testViewport();
    const QPoint tl = v.project(ChartPoint{-10000, -20000});
    const QPoint br = v.project(ChartPoint{10000, 20000});
    ASSERT_EQ(tl, QPoint(80, 36));
    ASSERT_EQ(br, QPoint(120, 64));

    const Painted out = paint({"BOX"}, v);
    EXPECT_FALSE(out.result.interrupted);
    int wrong = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= tl.x() && x < br.x() && y >= tl.y() && y < br.y();
            wrong += out.image.pixel(x, y) != (inside ? screen(14) : screen(4));
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ChartPainterTest, ColoursComeFromTheActiveTable)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    ASSERT_TRUE(w.add(1, boxRing(-30000, -90000, -20000, -80000), 0, 0x80));
    ASSERT_TRUE(charts.write("BOX", w));
    config.screenColours[14] = 0x00123456;
    for (bool printing : {false, true}) {
        const Painted out = paint({"BOX"}, testViewport(), DetailFlags::Default, printing);
        auto want = [&](int i) { return printing ? printer(i) : screen(i); };
        EXPECT_EQ(out.image.pixel(100, 50), want(14)) << printing;
        EXPECT_EQ(out.image.pixel(15, 10), want(8)) << printing;
        EXPECT_EQ(out.image.pixel(2, 98), want(4)) << printing;
    }
    EXPECT_EQ(paint({"BOX"}, testViewport()).image.pixel(100, 50), qRgb(0x56, 0x34, 0x12));
}

// One solid area per layer at its own place; layers 6, 8, 9 take colour 9 from
// the attribute, the others their fixed layer colour.
TEST_F(ChartPainterTest, DetailBitsSwitchLayers)
{
    LineFileWriter w;
    for (int k = 0; k < 10; ++k) {
        const int32_t left = -95000 + k * 19000;
        ASSERT_TRUE(w.add(k, boxRing(-10000, left, 10000, left + 12000), 0x09, 0x80));
    }
    ASSERT_TRUE(charts.write("LAYERS", w));
    // The layer colour table; layers 6, 8 and 9 draw the attribute's colour 9.
    const int kLayerColour[10] = {6, 8, 10, 12, 14, 6, 9, 6, 9, 9};
    const struct { uint32_t flags; } cases[] = {{0x0000}, {0x0001}, {0x0010}, {0x0040}, {0x0200},
                                                {0x0155}, {0x03FF}};
    for (const auto& c : cases) {
        const Painted out = paint({"LAYERS"}, testViewport(), c.flags);
        for (int k = 0; k < 10; ++k) {
            const QRgb pixel = out.image.pixel(5 + 19 * k + 6, 50);
            const bool on = (c.flags >> k) & 1;
            const int colour = kLayerColour[k];
            EXPECT_EQ(pixel, on ? screen(colour) : screen(4)) << "flags " << c.flags << " layer " << k;
        }
    }
}

// Layer 6 draws the record's colour and line style: every colour index, the
// first and the last included, every style, as a line and as an area. Only
// the record's colour and the background may appear; a dotted line or outline
// colours a part of the pixels, fewer or more than the solid shape.
TEST_F(ChartPainterTest, RecordColoursAndStylesFromEveryIndex)
{
    const struct { uint8_t attribute; uint8_t fill; int colour; bool solid; } rows[] = {
        {0x00, 0x00, 0, true},   {0x00, 0x80, 0, true},   {0x01, 0x00, 1, true},   {0x0F, 0x00, 15, true},
        {0x0F, 0x80, 15, true},  {0x3F, 0x80, 15, true},  {0x19, 0x00, 9, false},  {0x29, 0x00, 9, false},
        {0x39, 0x00, 9, false},  {0x30, 0x00, 0, false},  {0x39, 0x90, 9, false},
    };
    for (const auto& r : rows) {
        SyntheticCharts local;
        LineFileWriter w;
        // Row 50 from x 50 to x 150 as a line; the box (36..64, 80..120) as an area.
        const bool area = r.fill & LineIndexEntry::kFillArea;
        const std::vector<ChartPoint> points = area ? boxRing(-10000, -20000, 10000, 20000)
                                                    : std::vector<ChartPoint>{{0, -50000}, {0, 50000}};
        ASSERT_TRUE(w.add(6, points, r.attribute, r.fill));
        ASSERT_TRUE(local.write("COLOUR", w));
        const Viewport v = testViewport();
        ChartCatalogue cat = local.catalogue({"COLOUR"}, v);
        DrawOptions options;
        options.colours = ChartPainter::activeColours(config, false);
        options.charts = cat.entries();
        options.chartsAvailable = true;
        options.programFolder = local.folder();
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        painter.paint(p, v, options);
        p.end();
        int coloured = 0, foreign = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) {
                coloured += image.pixel(x, y) == screen(r.colour);
                foreign += image.pixel(x, y) != screen(r.colour) && image.pixel(x, y) != screen(4);
            }
        // The area covers (80..119, 36..63); a polyline leaves out its last pixel.
        const int full = area ? 40 * 28 : 100;
        EXPECT_EQ(foreign, 0) << int(r.attribute) << " " << int(r.fill);
        if (r.solid)
            EXPECT_EQ(coloured, full) << int(r.attribute) << " " << int(r.fill);
        else
            EXPECT_TRUE(coloured > 10 && coloured != full) << int(r.attribute) << ": " << coloured;
    }
}

TEST(ChartPainterLayers, LayerColourTable)
{
    // Layers 6, 8 and 9 draw the record's own colour (-1); a layer number out
    // of range (a damaged record) gets the background colour 4.
    const struct { int layer; int colour; } rows[] = {
        {0, 6}, {1, 8}, {2, 10}, {3, 12}, {4, 14}, {5, 6}, {6, -1}, {7, 6}, {8, -1}, {9, -1},
        {-1, 4}, {10, 4}, {11, 4}, {-1000, 4}, {1000, 4},
    };
    for (const auto& r : rows) EXPECT_EQ(ChartPainter::layerColour(r.layer), r.colour) << r.layer;
}

// Only records below 4 pixels in both directions are culled.
TEST_F(ChartPainterTest, SmallRecordsAreCulled)
{
    const struct { int widthPx, heightPx; bool drawn; } cases[] = {
        {3, 10, true}, {10, 3, true}, {4, 3, true}, {3, 3, false}, {0, 0, false}};
    for (const auto& c : cases) {
        SyntheticCharts local;
        LineFileWriter w;
        // From (x 0, y -3550) = pixel (100, 45) across the box to the opposite corner.
        const std::vector<ChartPoint> line = {{-3550, 0}, {-3550 + c.heightPx * 710, c.widthPx * 1000}};
        ASSERT_TRUE(w.add(7, line, 0, 0));
        ASSERT_TRUE(local.write("CULL", w));
        const Viewport v = testViewport();
        ChartCatalogue cat = local.catalogue({"CULL"}, v);
        DrawOptions options;
        options.colours = ChartPainter::activeColours(config, false);
        options.charts = cat.entries();
        options.programFolder = local.folder();
        QImage image(200, 100, QImage::Format_RGB32);
        QPainter p(&image);
        painter.paint(p, v, options);
        p.end();
        int coloured = 0;
        for (int y = 40; y < 60; ++y)
            for (int x = 95; x < 115; ++x) coloured += image.pixel(x, y) == screen(6);
        EXPECT_EQ(coloured > 0, c.drawn) << c.widthPx << " x " << c.heightPx;
    }
}

TEST_F(ChartPainterTest, HatchedAreasLetTheBackgroundShowThrough)
{
    const struct { uint8_t fill; bool allColoured; } cases[] = {
        {0x80, true}, {0x90, true}, {0x84, false}, {0x88, false}, {0x8C, false}};
    for (const auto& c : cases) {
        SyntheticCharts local;
        LineFileWriter w;
        ASSERT_TRUE(w.add(6, boxRing(-10000, -20000, 10000, 20000), 0x09, c.fill));
        ASSERT_TRUE(local.write("HATCH", w));
        const Viewport v = testViewport();
        ChartCatalogue cat = local.catalogue({"HATCH"}, v);
        DrawOptions options;
        options.colours = ChartPainter::activeColours(config, false);
        options.charts = cat.entries();
        options.programFolder = local.folder();
        QImage image(200, 100, QImage::Format_RGB32);
        QPainter p(&image);
        painter.paint(p, v, options);
        p.end();
        int coloured = 0, background = 0;
        for (int y = 38; y < 62; ++y)
            for (int x = 82; x < 118; ++x) {
                coloured += image.pixel(x, y) == screen(9);
                background += image.pixel(x, y) == screen(4);
            }
        EXPECT_GT(coloured, 0) << int(c.fill);
        EXPECT_EQ(background == 0, c.allColoured) << int(c.fill);
        EXPECT_EQ(coloured + background, 36 * 24) << int(c.fill);
    }
}

TEST_F(ChartPainterTest, StopRequestAbandonsAtTheNextLayer)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    ASSERT_TRUE(charts.write("BOX", w));
    int asked = 0;
    const Painted out = paint({"BOX"}, testViewport(), DetailFlags::Default, false,
                              [&] { return ++asked >= 2; });
    EXPECT_TRUE(out.result.interrupted);
    EXPECT_EQ(asked, 2);  // before the chart, then before its first layer
    EXPECT_EQ(out.image.pixel(100, 50), screen(4));
}

// A stop before the first chart, or before its first layer: the picture is
// abandoned, reported as interrupted, and neither buoyage nor points follow.
TEST_F(ChartPainterTest, InterruptedPictureGetsNoPointsOnTop)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    ASSERT_TRUE(charts.write("BOX", w));
    const Viewport v = testViewport();
    const struct { int stopAt; bool interrupted; int asked; } rows[] = {
        {1, true, 1}, {2, true, 2}, {1000, false, 2}};  // asked before the chart and before its one layer
    for (const auto& r : rows) {
        ChartCatalogue cat = charts.catalogue({"BOX"}, v);
        DrawOptions options;
        options.colours = ChartPainter::activeColours(config, false);
        options.detailFlags = 0x03FF;
        options.charts = cat.entries();
        options.programFolder = charts.folder();
        int asked = 0, hooks = 0;
        options.shouldStop = [&] { return ++asked >= r.stopAt; };
        options.buoyage = [&](QPainter&, const Viewport&, const DrawOptions&) { ++hooks; };
        options.drawPoints = [&](QPainter&, const Viewport&) { ++hooks; };
        QImage image(200, 100, QImage::Format_RGB32);
        QPainter p(&image);
        const PaintResult result = painter.paint(p, v, options);
        p.end();
        EXPECT_EQ(result.interrupted, r.interrupted) << r.stopAt;
        EXPECT_EQ(hooks, r.interrupted ? 0 : 2) << r.stopAt;
        EXPECT_EQ(asked, r.asked) << r.stopAt;
    }
}

TEST_F(ChartPainterTest, OpenErrorsAreReportedPerFileAndOtherChartsStillDraw)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    for (const char* name : {"GOOD", "NOLIN", "NOWPN"}) ASSERT_TRUE(charts.write(name, w));
    charts.remove("NOLIN", ".LIN");
    charts.remove("NOWPN", ".WPN");
    const Painted out = paint({"GOOD", "NOLIN", "NOWPN"}, testViewport());
    ASSERT_EQ(out.result.openErrors.size(), 2u);
    std::vector<QString> messages;
    for (const auto& e : out.result.openErrors) messages.push_back(e.message());
    std::sort(messages.begin(), messages.end());
    EXPECT_EQ(messages[0], QStringLiteral("OPEN ERROR CHARTDATA\\NOLIN.LIN"));
    EXPECT_EQ(messages[1], QStringLiteral("OPEN ERROR CHARTDATA\\NOWPN.WPN"));
    EXPECT_EQ(out.image.pixel(100, 50), screen(14));
}

TEST_F(ChartPainterTest, NothingButBackgroundWithoutVisibleCharts)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-10000, -20000, 10000, 20000), 0, 0x80));
    // The chart lies far east of the view: not selected.
    ASSERT_TRUE(charts.write("EAST", w, {-100000, 5000000, 100000, 5100000}));
    const Painted out = paint({"EAST"}, testViewport());
    EXPECT_EQ(out.image.pixel(100, 50), screen(4));
    EXPECT_TRUE(out.result.openErrors.empty());
}

// Sections are sorted north to south: the first record south of the view
// ends the section, even if (in a damaged index) a visible one follows.
TEST_F(ChartPainterTest, SectionStopsAtFirstRecordSouthOfTheView)
{
    std::vector<uint8_t> lin;
    const auto visible = boxRing(-10000, -20000, 10000, 20000);
    ASSERT_TRUE(PackedPointRecord::encode(visible, lin));
    LineIndexEntry south{3000000, -20000, 3010000, 20000, 0, uint16_t(lin.size()), 4, 0, 0x80};
    LineIndexEntry shown{-10000, -20000, 10000, 20000, 0, uint16_t(lin.size()), 4, 0, 0x80};
    for (bool southFirst : {false, true}) {
        std::vector<uint8_t> indexBytes;
        ByteWriter index(indexBytes);
        (southFirst ? south : shown).write(index);
        (southFirst ? shown : south).write(index);
        LineIndexEntry{}.write(index);
        ChartHeader header;
        header.setBox({-kWorldHalfHeight, -kWorldHalfWidth, kWorldHalfHeight, kWorldHalfWidth});
        header.layerOffset[4] = 0;
        const QString base = charts.folder() + "/CHARTDATA/RAW";
        ASSERT_FALSE(header.writeFile(base + ".HDR"));
        ASSERT_TRUE(writeFileAtomically(base + ".WPN", toQByteArray(indexBytes)).ok());
        ASSERT_TRUE(writeFileAtomically(base + ".LIN", toQByteArray(lin)).ok());
        cache.clear();
        const Painted out = paint({"RAW"}, testViewport(), DetailFlags::Layer4);
        EXPECT_EQ(out.image.pixel(100, 50), southFirst ? screen(4) : screen(14)) << southFirst;
    }
}

// At the smallest scale a world-sized area lies millions of pixels away; the
// clamp to the far limit keeps it drawable and it still covers the window.
TEST_F(ChartPainterTest, FarPointsAreClampedAndStillFill)
{
    LineFileWriter w;
    ASSERT_TRUE(w.add(4, boxRing(-5000000, -10000000, 5000000, 10000000), 0, 0x80));
    ASSERT_TRUE(charts.write("WIDE", w));
    const Viewport v = testViewport(Viewport::kMinimumScale, -300.0, 3240.0);
    ASSERT_EQ(v.scale(), Viewport::kMinimumScale);
    const Painted out = paint({"WIDE"}, v);
    EXPECT_EQ(out.image.pixel(0, 0), screen(14));
    EXPECT_EQ(out.image.pixel(199, 99), screen(14));
}

} // namespace
