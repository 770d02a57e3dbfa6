#include "chartdata/ChartConfig.h"
#include "chartdata/ChartPainter.h"
#include "chartdata/PointFileWriter.h"
#include "chartdata/PointPainter.h"
#include "chartdata/PointRecord.h"
#include "chartdata/SymbolLibrary.h"
#include "chartdata/SymbolPainter.h"
#include "core/Viewport.h"

#include <QDir>
#include <QFile>
#include "support/GuiTestApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
const ColourTable kColours = ChartPainter::activeColours(ChartConfig(), false);
const QRgb kGreen = kColours.rgb(9);
const QRgb kRed = kColours.rgb(13);
const QRgb kPaleWhite = kColours.rgb(2);

uint16_t filledPolygon(int fill) { return uint16_t(SymbolLibrary::Polygon | SymbolLibrary::kFillBit | (fill << 8)); }

// A square of `side` symbol units with its top-left corner at (x, y).
SymbolLibrary::Element square(uint16_t style, int x, int y, int side)
{
    return {style, {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}};
}

SymbolLibrary libraryOf(const SymbolLibrary::Entries& entries)
{
    const Result<QByteArray> bytes = SymbolLibrary::toBytes(entries);
    EXPECT_TRUE(bytes.ok());
    return SymbolLibrary::fromBytes(bytes.ok() ? *bytes : QByteArray());
}

QImage whiteImage(int w = 200, int h = 200)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

// The box of every pixel that is not white; empty when there is none.
QRect ink(const QImage& image, QRect within = {})
{
    if (within.isNull()) within = image.rect();
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
    return box;
}

PointRecord record(size_t size, uint8_t type, uint8_t colour, uint8_t modifier, uint8_t level = 0,
                   const QByteArray& text = {}, ChartPoint at = {})
{
    return *PointRecord::make(size, type, colour, modifier, level, at, text);
}

PointPainter::Style style(int fontHeight = -40)
{
    PointPainter::Style s;
    s.colours = kColours;
    s.mainFont = TextFont{QStringLiteral("DejaVu Sans"), fontHeight, 400, false};
    s.smallFont = s.mainFont;
    return s;
}

// Full size: pixels per unit and text size equal to the dimension.
const PointSizing kFull{0.025, 0.025, 0.025};

} // namespace

// Where each buoy type carries its topmark (symbol units from the point)
// and the library entry of its first topmark: the drawings of BUOYAGE.LBJ
// are laid out for these. Types beyond 10 have none (entry 93 is empty).
TEST(SymbolPainter, TopmarkPlacesPerBuoyType)
{
    const struct { int type, dx, dy, firstEntry; } rows[] = {
        {0, 120, -440, 64}, {1, 30, -220, 64},  {2, 70, -300, 64},  {3, 180, -670, 64},
        {4, 160, -670, 64}, {5, 0, -260, 80},   {6, 0, -440, 80},   {7, 0, -480, 80},
        {8, 0, -460, 80},   {9, 70, -300, 64},  {10, 30, -220, 64}, {11, 0, 0, 93},
        {-1, 0, 0, 93},
    };
    for (const auto& r : rows) {
        const SymbolPainter::TopmarkPlace place = SymbolPainter::topmarkPlace(r.type);
        EXPECT_EQ(place.dx, r.dx) << r.type;
        EXPECT_EQ(place.dy, r.dy) << r.type;
        EXPECT_EQ(place.firstEntry, r.firstEntry) << r.type;
    }
}

// The first topmark (modifier 1) is library entry 64 for type 3; types up to
// 31, platforms (39) and lights (40) carry decorations, 32 and the rest not.
TEST(SymbolPainter, FirstTopmarkAndWhichTypesAreDecorated)
{
    SymbolLibrary::Entries e;
    e[64] = {square(filledPolygon(9), 0, 0, 100)};  // the first topmark of type 3
    e[19] = {square(filledPolygon(9), 0, 0, 100)};  // the light decoration
    const SymbolLibrary lib = libraryOf(e);
    const QPoint origin(60, 120);
    auto draw = [&](uint8_t type, uint8_t modifier) {
        QImage image = whiteImage();
        QPainter p(&image);
        SymbolPainter::drawPointSymbol(p, lib, kColours, record(13, type, 0x99, modifier), origin, 0.1);
        return image;
    };
    // Type 3's topmark at (180, -670) units, 0.1 pixels per unit: (18, -67).
    EXPECT_NE(draw(3, 0x01).pixel(origin + QPoint(18 + 5, -67 + 5)), kWhite);
    EXPECT_EQ(draw(3, 0x00).pixel(origin + QPoint(18 + 5, -67 + 5)), kWhite);
    const struct { uint8_t type; bool decorated; } rows[] = {{31, true}, {39, true}, {40, true}, {32, false}, {41, false}};
    for (const auto& r : rows)
        EXPECT_EQ(draw(r.type, 0x40).pixel(origin + QPoint(5, 5)) != kWhite, r.decorated) << int(r.type);
}

TEST(SymbolPainter, DecorationsTopmarkThenBuoy)
{
    // 19: green square at the point; 68 (topmark 4 of type 3): a green square
    // that must come out black; 3: the buoy, overlapping the light square.
    SymbolLibrary::Entries e;
    e[19] = {square(filledPolygon(9), 0, 0, 100)};
    e[68] = {square(filledPolygon(9), 0, 0, 100)};
    e[69] = {square(filledPolygon(9), 0, 0, 100)};
    e[3] = {square(filledPolygon(SymbolLibrary::kPatternFill), 50, 50, 100)};
    const SymbolLibrary lib = libraryOf(e);
    const QPoint origin(60, 120);
    // Topmark of type 3 at (180, -670) units: at 0.1 pixels per unit (18, -67).
    const QPoint topmark = origin + QPoint(18 + 5, -67 + 5);
    auto draw = [&](uint8_t modifier) {
        QImage image = whiteImage();
        QPainter p(&image);
        SymbolPainter::drawPointSymbol(p, lib, kColours, record(13, 3, 0x2D, modifier), origin, 0.1);
        return image;
    };
    const QImage lit = draw(0x45);
    EXPECT_EQ(lit.pixel(origin + QPoint(2, 2)), kGreen);     // symbol 19
    EXPECT_EQ(lit.pixel(origin + QPoint(7, 7)), kRed);       // the buoy over it
    EXPECT_EQ(lit.pixel(origin + QPoint(13, 13)), kRed);
    EXPECT_EQ(lit.pixel(topmark), qRgb(0, 0, 0));            // cardinal: black
    const QImage plain = draw(0x05);
    EXPECT_EQ(plain.pixel(origin + QPoint(2, 2)), kWhite);   // no light without bit 6
    EXPECT_EQ(plain.pixel(topmark), qRgb(0, 0, 0));
    const QImage lateral = draw(0x06);                       // variant 5: the point's colour
    EXPECT_EQ(lateral.pixel(topmark), kRed);
    // Types 32 and above get no decorations, 11 and above no topmark.
    QImage high = whiteImage();
    {
        QPainter p(&high);
        SymbolPainter::drawPointSymbol(p, lib, kColours, record(13, 33, 0x2D, 0x45), origin, 0.1);
    }
    EXPECT_EQ(ink(high), QRect());
}

TEST(SymbolPainter, ZeroColourBitsDrawAmberWithBlackOutline)
{
    SymbolLibrary::Entries e;
    e[0] = {square(SymbolLibrary::Polygon | SymbolLibrary::kFillBit | 0x20, 0, 0, 200)};
    const SymbolLibrary lib = libraryOf(e);
    QImage image = whiteImage();
    QPainter p(&image);
    SymbolPainter s(p, lib, kColours);
    s.setOrigin({100, 100});
    s.setSize(0.1);
    s.drawSymbol(0);
    s.drawSymbol(93);  // beyond the directory: nothing
    s.drawTopmark(11, 0);
    p.end();
    EXPECT_EQ(image.pixel(110, 110), qRgb(255, 216, 0));
    EXPECT_EQ(image.pixel(100, 110), qRgb(0, 0, 0));
    EXPECT_EQ(ink(image), QRect(100, 100, 21, 21));
}

TEST(SymbolPainter, PatternBrushesShowBothColours)
{
    SymbolLibrary::Entries e;
    e[2] = {square(filledPolygon(SymbolLibrary::kPatternFill), 0, 0, 400)};
    const SymbolLibrary lib = libraryOf(e);
    auto draw = [&](uint8_t typeByte, bool fine) {
        QImage image = whiteImage();
        QPainter p(&image);
        // Red on (pale) white: 0-bits red, 1-bits white.
        SymbolPainter::drawPointSymbol(p, lib, kColours, record(13, typeByte, 0x2D, 0), {80, 80}, 0.1, fine);
        return image;
    };
    const QImage bands = draw(0x82, true);
    EXPECT_EQ(bands.pixel(90, 88), kPaleWhite);  // row 0 of the pattern
    EXPECT_EQ(bands.pixel(90, 92), kRed);        // row 4
    const QImage fine = draw(0x42, true);
    EXPECT_EQ(fine.pixel(88, 90), kPaleWhite);   // columns 0-1
    EXPECT_EQ(fine.pixel(90, 90), kRed);         // columns 2-3
    EXPECT_EQ(fine.pixel(92, 90), kPaleWhite);
    const QImage wide = draw(0x42, false);
    EXPECT_EQ(wide.pixel(90, 90), kPaleWhite);   // columns 0-3
    EXPECT_EQ(wide.pixel(92, 90), kRed);         // columns 4-7
    EXPECT_EQ(draw(0x02, true).pixel(90, 90), kRed);
}

TEST(PointPainter, TextRecordSizes)
{
    const QByteArray long115(115, 'A');
    EXPECT_EQ(PointPainter::recordText(record(13, 63, 1, 0, 0, "")), QString());
    EXPECT_EQ(PointPainter::recordText(record(20, 63, 1, 0, 0, "Kiel")), QStringLiteral("Kiel"));
    EXPECT_EQ(PointPainter::recordText(record(127, 63, 1, 0, 0, long115)), QString(114, QLatin1Char('A')));
    EXPECT_EQ(PointPainter::recordText(record(128, 63, 1, 0, 0, long115)), QString());
    EXPECT_EQ(PointPainter::recordText(record(20, 63, 1, 0, 0, "\x81")), QStringLiteral("ü"));
}

TEST(PointPainter, TextsAlignAndVanishWhenTooSmall)
{
    test::guiTestApplication();
    PointPainter painter(std::make_shared<const SymbolLibrary>());
    auto draw = [&](uint8_t colour, const PointPainter::Style& st, size_t size = 20,
                    const PointSizing& sz = kFull) {
        QImage image = whiteImage();
        QPainter p(&image);
        painter.drawRecord(p, record(size, 63, colour, 0, 0, "WW"), {100, 100}, sz, st);
        return ink(image);
    };
    const QRect left = draw(0x01, style());
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GE(left.left(), 100);
    EXPECT_LE(left.top(), 100);
    EXPECT_GE(left.bottom(), 100);  // centred vertically on the point
    const QRect right = draw(0x21, style());
    EXPECT_LE(right.right(), 100);
    const QRect centre = draw(0x41, style());
    EXPECT_LT(centre.left(), 100);
    EXPECT_GT(centre.right(), 100);
    EXPECT_EQ(draw(0x01, style(), 13), QRect());  // no text bytes
    // Font -8 at half the dimension: -2, not drawn; -12 gives -3, drawn.
    const PointSizing half{0.0125, 0.0125, 0.0125};
    EXPECT_EQ(draw(0x01, style(-8), 20, half), QRect());
    EXPECT_FALSE(draw(0x01, style(-12), 20, half).isEmpty());
    PointPainter::Style hidden = style();
    hidden.detailFlags &= ~uint32_t(DetailFlags::Text);
    EXPECT_EQ(draw(0x01, hidden), QRect());
}

TEST(PointPainter, SoundingShowsMetresAndSubscriptDecimetres)
{
    test::guiTestApplication();
    EXPECT_EQ(PointPainter::metresText(45), QStringLiteral("4"));
    EXPECT_EQ(PointPainter::metresText(9), QStringLiteral("0"));
    EXPECT_EQ(PointPainter::metresText(123), QStringLiteral("12"));
    EXPECT_EQ(PointPainter::metresText(255), QStringLiteral("25"));
    PointPainter painter(std::make_shared<const SymbolLibrary>());
    auto draw = [&](uint8_t depth, const PointPainter::Style& st) {
        QImage image = whiteImage();
        QPainter p(&image);
        painter.drawRecord(p, record(13, 62, 0x10, depth), {100, 100}, kFull, st);
        return image;
    };
    const QImage d45 = draw(45, style());
    const QRect metres = ink(d45, QRect(0, 0, 100, 200));
    const QRect decimetres = ink(d45, QRect(100, 0, 100, 200));
    ASSERT_FALSE(metres.isEmpty());
    ASSERT_FALSE(decimetres.isEmpty());
    EXPECT_GT(decimetres.top(), metres.top() + 5);  // a subscript
    EXPECT_LT(metres.top(), 100);  // the metres centred on the point
    EXPECT_GT(metres.bottom(), 100);
    EXPECT_GT(decimetres.bottom(), metres.bottom());
    EXPECT_GE(metres.right(), 90);   // right edge at the point
    // Two whole-metre digits are twice as wide as one.
    const QRect m123 = ink(draw(123, style()), QRect(0, 0, 100, 200));
    EXPECT_GT(m123.width(), metres.width() * 3 / 2);
    PointPainter::Style hidden = style();
    hidden.detailFlags &= ~uint32_t(DetailFlags::Depths);
    EXPECT_EQ(ink(draw(45, hidden)), QRect());
}

// The decimetre digit is the last digit of the depth: 4.5 m and 5.5 m share
// it, 4.1 m does not. Wrecks 47 and 48 show their depth as well.
TEST(PointPainter, DecimetreDigitAndWreckDepths)
{
    test::guiTestApplication();
    PointPainter painter(std::make_shared<const SymbolLibrary>());
    auto draw = [&](uint8_t type, uint8_t depth) {
        QImage image = whiteImage();
        QPainter p(&image);
        painter.drawRecord(p, record(13, type, 0x10, depth), {100, 100}, kFull, style());
        return image;
    };
    const QRect right(101, 0, 99, 200);
    EXPECT_EQ(draw(62, 45).copy(right), draw(62, 55).copy(right));
    EXPECT_EQ(draw(62, 45).copy(right), draw(62, 5).copy(right));
    EXPECT_NE(draw(62, 45).copy(right), draw(62, 41).copy(right));
    // The wreck depth is white on the screen: drawn on grey here.
    const struct { uint8_t type; bool depth; } rows[] = {{47, true}, {48, true}, {49, false}, {46, false}};
    for (const auto& r : rows) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(qRgb(128, 128, 128));
        QPainter p(&image);
        painter.drawRecord(p, record(13, r.type, 0x10, 45), {100, 100}, kFull, style());
        p.end();
        int white = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) white += image.pixel(x, y) == kPaleWhite;
        EXPECT_EQ(white > 0, r.depth) << int(r.type);
    }
}

// The print factor is the page's dots per inch over 96, and only on paper.
TEST(PointPainter, PrintFactorOnlyWhilePrinting)
{
    Viewport screen;
    screen.startUp({0, 0, 400, 300});
    DrawOptions options;
    options.pageDotsPerInch = 192.0;
    EXPECT_EQ(PointPainter::styleFor(screen, options).printFactor, 1.0);
    Viewport page = screen;
    ASSERT_TRUE(page.beginPrinting({10, 10, 390, 290}, 10, 10));
    EXPECT_EQ(PointPainter::styleFor(page, options).printFactor, 2.0);
    options.pageDotsPerInch = 0.0;
    EXPECT_EQ(PointPainter::styleFor(page, options).printFactor, 1.0);
}

TEST(PointPainter, DotsAreSolidSquares)
{
    QImage image = whiteImage();
    QPainter p(&image);
    PointPainter::drawDot(p, {10, 10}, Qt::black, 1.0);
    PointPainter::drawDot(p, {50, 50}, Qt::black, 8.0);  // printing at 768 dpi: 2 pixels
    p.end();
    EXPECT_EQ(ink(image, QRect(0, 0, 40, 40)), QRect(10, 10, 1, 1));
    EXPECT_EQ(ink(image, QRect(40, 40, 40, 40)), QRect(50, 50, 2, 2));
}

namespace {

// A program folder with one chart's point files and a viewport over it.
struct PointChart {
    QTemporaryDir dir;
    Viewport viewport;
    ChartEntry chart;
    std::vector<ChartEntry> charts;
    std::shared_ptr<const SymbolLibrary> library;

    explicit PointChart(double scale)
    {
        QDir(dir.path()).mkpath(QStringLiteral("CHARTDATA"));
        viewport.startUp({0, 0, 400, 400});
        viewport.setView(scale, -480.0, 3240.0);  // 8° E, 54° N
        chart.name = QStringLiteral("TEST");
        chart.flags = ChartEntry::Visible;
        chart.visibleBox = viewport.visibleBox();
        charts = {chart};
        SymbolLibrary::Entries e;
        e[0] = {square(filledPolygon(9), 0, 0, 400)};
        e[20] = e[0];
        e[40] = {square(filledPolygon(9), 0, -400, 400)};  // above the point
        library = std::make_shared<const SymbolLibrary>(libraryOf(e));
    }
    // Writes the records in the given order as one block.
    void write(const std::vector<PointRecord>& records)
    {
        QByteArray bwp(24, '\0');
        QByteArray bpt;
        for (const PointRecord& r : records)
            bpt.append(reinterpret_cast<const char*>(r.bytes().data()), qsizetype(r.size()));
        const ChartBox all{-5'400'000, -10'800'000, 5'400'000, 10'800'000};
        for (int i = 0; i < 4; ++i) {
            const int32_t v = i == 0 ? all.top : i == 1 ? all.left : i == 2 ? all.bottom : all.right;
            for (int b = 0; b < 4; ++b) bwp[i * 4 + b] = char(uint32_t(v) >> (8 * b));
        }
        bwp[20] = char(records.size());
        bwp[22] = char(records.empty() ? 13 : records[0].size());
        for (const char* ext : {".BWP", ".BPT"}) {
            QFile f(dir.path() + QStringLiteral("/CHARTDATA/TEST") + QLatin1String(ext));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(ext) == ".BWP" ? bwp : bpt);
        }
    }
    // The chart position of pixel (x, y).
    ChartPoint at(int x, int y) const { return viewport.unprojectToChart(x, y); }
    QImage draw() const
    {
        QImage image = whiteImage(400, 400);
        QPainter p(&image);
        DrawOptions o;
        o.colours = kColours;
        o.charts = charts;
        o.programFolder = dir.path();
        PointPainter(library).draw(p, viewport, o);
        return image;
    }
};

} // namespace

TEST(PointPainter, LevelFilterDrawsFullyOrAsDotOrNot)
{
    PointChart c(0.01);
    const uint8_t full = c.viewport.levelFull();
    const uint8_t dot = c.viewport.levelDot();
    ASSERT_LT(full + 1, int(dot));
    // Sorted north to south, 40 pixels apart.
    c.write({record(13, 0, 0x11, 0, full, {}, c.at(100, 40)),
             record(13, 0, 0x11, 0, uint8_t(full + 1), {}, c.at(100, 80)),
             record(13, 20, 0x11, 0, uint8_t(full + 1), {}, c.at(100, 120)),
             record(13, 40, 0x11, 0, dot, {}, c.at(100, 160)),
             record(13, 0, 0x11, 0, uint8_t(dot + 1), {}, c.at(100, 200))});
    const QImage image = c.draw();
    auto near = [&](int y) { return ink(image, QRect(90, y - 10, 30, 30)); };
    const QPoint p0 = c.viewport.project(c.at(100, 40));
    EXPECT_EQ(image.pixel(p0 + QPoint(1, 1)), kGreen);      // level = levelFull: the symbol
    const QPoint p1 = c.viewport.project(c.at(100, 80));
    EXPECT_EQ(near(80), QRect(p1, QSize(1, 1)));            // levelFull + 1: a dot
    EXPECT_EQ(image.pixel(p1), kColours.rgb(5));
    EXPECT_EQ(near(120), QRect());                          // type 20: no dot
    EXPECT_EQ(near(160).size(), QSize(1, 1));               // type 40 up to levelDot: a dot
    EXPECT_EQ(near(200), QRect());                          // beyond levelDot: nothing
}

TEST(PointPainter, FinestZoomDrawsNoDots)
{
    PointChart c(Viewport::kMinimumScale);
    ASSERT_EQ(c.viewport.pointLevels().zoomLevel, 17);
    ASSERT_EQ(c.viewport.levelDot(), 13);
    c.write({record(13, 0, 0x11, 0, 100, {}, c.at(100, 100)),
             record(13, 0, 0x11, 0, uint8_t(c.viewport.levelFull() + 1), {}, c.at(100, 200))});
    const QImage image = c.draw();
    EXPECT_FALSE(ink(image, QRect(90, 90, 40, 40)).isEmpty());
    EXPECT_EQ(ink(image, QRect(0, 150, 400, 100)), QRect());
}

// A block whose box starts on the right edge of the chart's visible box is
// drawn: its point lies on the edge.
TEST(PointPainter, PointOnTheRightEdgeOfTheVisibleBox)
{
    for (int beyond : {0, 1}) {
        PointChart c(0.01);
        const ChartPoint p = c.at(200, 100);
        c.charts[0].visibleBox.right = p.x - beyond;
        PointFileWriter writer;
        ASSERT_TRUE(writer.add(record(13, 0, 0x11, 0, 0, {}, p)));
        const PointFileWriter::Image image = writer.build();
        for (const char* ext : {".BWP", ".BPT"}) {
            QFile f(c.dir.path() + QStringLiteral("/CHARTDATA/TEST") + QLatin1String(ext));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(ext) == ".BWP" ? image.bwp : image.bpt);
        }
        EXPECT_EQ(ink(c.draw(), QRect(180, 80, 40, 40)).isEmpty(), beyond == 1) << beyond;
    }
}

TEST(PointPainter, BlockStopsAtTheFirstRecordSouthOfTheView)
{
    PointChart c(0.01);
    const int32_t bottom = c.viewport.visibleBox().bottom;
    const int32_t x = c.at(100, 0).x;
    c.write({record(13, 40, 0x11, 0, 0, {}, {bottom, x}),
             record(13, 40, 0x11, 0, 0, {}, {bottom + 1, x}),
             record(13, 40, 0x11, 0, 0, {}, c.at(300, 200))});  // out of order: never reached
    const QImage image = c.draw();
    EXPECT_FALSE(ink(image, QRect(90, 370, 40, 30)).isEmpty());  // on the southern edge: drawn
    EXPECT_EQ(ink(image, QRect(250, 50, 100, 100)), QRect());
}

TEST(PointPainter, MissingPointFilesAndLibraryDrawNothing)
{
    PointChart c(0.01);
    EXPECT_EQ(ink(c.draw()), QRect());
    c.write({record(13, 0, 0x11, 0, 0, {}, c.at(100, 100))});
    c.library = std::make_shared<const SymbolLibrary>();
    EXPECT_EQ(ink(c.draw()), QRect());
}

TEST(PointPainter, LoadingNamesTheFileThatCannotBeRead)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("CHARTDATA"));
    const Result<PointFile> none = PointFile::load(dir.path(), QStringLiteral("KIEL"));
    ASSERT_FALSE(none.ok());
    EXPECT_TRUE(none.error().file.endsWith(QStringLiteral("KIEL.BWP")));
    QFile bwp(dir.path() + QStringLiteral("/CHARTDATA/kiel.bwp"));  // any case
    ASSERT_TRUE(bwp.open(QIODevice::WriteOnly));
    bwp.close();
    const Result<PointFile> noPoints = PointFile::load(dir.path(), QStringLiteral("KIEL"));
    ASSERT_FALSE(noPoints.ok());
    EXPECT_TRUE(noPoints.error().file.endsWith(QStringLiteral("KIEL.BPT")));

    EXPECT_FALSE(SymbolLibrary::load(dir.path()).ok());
    QFile lbj(dir.path() + QStringLiteral("/CHARTDATA/Buoyage.lbj"));
    ASSERT_TRUE(lbj.open(QIODevice::WriteOnly));
    lbj.write(*SymbolLibrary::toBytes({{{square(filledPolygon(9), 0, 0, 10)}}}));
    lbj.close();
    const Result<SymbolLibrary> lib = SymbolLibrary::load(dir.path());
    ASSERT_TRUE(lib.ok());
    EXPECT_EQ(lib->entry(0).size(), 1u);
}
