#include "chartdata/ChartConfig.h"

#include "chartdata/DetailFlags.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <new>
#include <vector>

using namespace kesmar;

namespace {

double f64At(const QByteArray& b, size_t offset)
{
    ByteReader in(b.constData(), size_t(b.size()));
    double v = 0;
    in.seek(offset);
    in.f64(v);
    return v;
}

uint32_t u32At(const QByteArray& b, size_t offset)
{
    ByteReader in(b.constData(), size_t(b.size()));
    uint32_t v = 0;
    in.seek(offset);
    in.u32(v);
    return v;
}

void putF64(QByteArray& b, int offset, double v)
{
    std::vector<uint8_t> bytes;
    ByteWriter(bytes).f64(v);
    b.replace(offset, 8, toQByteArray(bytes));
}

// A record reads back from exactly its bytes; one byte less is refused and
// leaves the value untouched.
template <typename Record>
void expectExactlyOneRecordIsEnough(const std::vector<uint8_t>& bytes, const Record& written)
{
    Record back;
    ByteReader in(bytes);
    EXPECT_TRUE(back.read(in));
    EXPECT_EQ(back, written);
    Record shortRead;
    ByteReader cut(std::span<const uint8_t>(bytes).first(bytes.size() - 1));
    EXPECT_FALSE(shortRead.read(cut));
    EXPECT_EQ(shortRead, Record());
}

} // namespace

TEST(ChartConfig, DefaultsLieAtTheirOffsets)
{
    const QByteArray b = ChartConfig().toBytes();
    ASSERT_EQ(b.size(), 568);
    struct U32 { size_t offset; uint32_t value; };
    for (const U32& c : {U32{8, 0xD000}, U32{24, 0x00FEF263}, U32{32, uint32_t(-9)}, U32{48, 400},
                         U32{116, 0xFFFF}, U32{120, uint32_t(-8)}, U32{136, 300}, U32{196, 400},
                         U32{240, 0xC0C0C0}, U32{256, 0xA81818}, U32{300, 0x0080A8}, U32{312, 0xFFFFFE},
                         U32{364, 0x2485E9}, U32{368, 0}, U32{412, 0}, U32{416, 2}, U32{564, 0}})
        EXPECT_EQ(u32At(b, c.offset), c.value) << c.offset;
    EXPECT_EQ(uint8_t(b[59]), 0x31); // pitch and family of the carried font
    EXPECT_EQ(b.mid(60, 6), QByteArray("Arial\0", 6));
    EXPECT_EQ(b.mid(208, 6), QByteArray("Arial\0", 6));
    struct F64 { size_t offset; double value; };
    for (const F64& c : {F64{92, 6.5}, F64{100, -483.0}, F64{108, 2908.0}, F64{372, 0.025}, F64{380, 1.0},
                         F64{388, 0.56635}, F64{432, 2.87105}, F64{520, 0.0627637}, F64{536, 3175.9032401126}})
        EXPECT_EQ(f64At(b, c.offset), c.value) << c.offset;
}

TEST(ChartConfig, RoundTripKeepsEveryByte)
{
    QByteArray b = ChartConfig().toBytes();
    for (int i = 0; i < 92; ++i)
        b[i] = char(i * 7);
    b[124] = '\x55'; // inside the chart font's width field
    ChartConfig c;
    c.readBytes(byteSpan(b));
    EXPECT_EQ(c.toBytes(), b);
}

TEST(ChartConfig, ShortFileKeepsTheDefaultsForItsTail)
{
    QByteArray image = ChartConfig().toBytes();
    putF64(image, 92, 0.5);
    putF64(image, 100, 10.0);
    image[116] = '\x0F';
    image[117] = '\0';
    // Cut inside the y offset: its first four bytes come from the file.
    ChartConfig c;
    c.readBytes(byteSpan(image.left(112)));
    EXPECT_EQ(c.viewScale, 0.5);
    EXPECT_EQ(c.viewXOffset, 10.0);
    EXPECT_EQ(c.viewYOffset, 2908.0); // same bytes as the default
    EXPECT_EQ(c.detailFlags, 0xFFFFu);
    EXPECT_EQ(c.miniWindows[3], MiniWindowState::defaults(3));

    ChartConfig d;
    d.readBytes(byteSpan(image.left(120)));
    EXPECT_EQ(d.detailFlags, 0x000Fu);
    EXPECT_EQ(d.screenColours, ChartConfig::defaultScreenColours());
    ChartConfig e;
    e.readBytes({});
    EXPECT_EQ(e.toBytes(), ChartConfig().toBytes());
}

TEST(ChartConfig, DamagedValuesFallBackToTheDefaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { int offset; double value; double expected; };
    const Case cases[] = {
        {92, nan, 6.5}, {92, 0.0, 6.5}, {92, -2.0, 6.5}, {92, inf, 6.5}, {92, 1e-9, 1e-9},
        {100, -inf, -483.0}, {108, nan, 2908.0}, {108, -1e9, -1e9},
        {372, nan, 0.025}, {372, 5.0, 0.060}, {380, -1.0, 1.0}, {380, 0.1, 0.30},
        {388, 0.0, 0.56635}, {396 + 44, nan, -419.66127},
        // Mini window offsets may be negative (west, south); only a NaN falls back.
        {396, -1.0, -1.0}, {404, -20.0, -20.0}, {404, nan, 3220.73519}, {404 + 44, -0.5, -0.5},
    };
    for (const Case& t : cases) {
        QByteArray image = ChartConfig().toBytes();
        putF64(image, t.offset, t.value);
        ChartConfig c;
        c.readBytes(byteSpan(image));
        EXPECT_EQ(f64At(c.toBytes(), size_t(t.offset)), t.expected) << t.offset << " " << t.value;
    }
}

TEST(ChartConfig, SanitizingStaysInsideTheBlock)
{
    // Storage with 0xFF everywhere the fields do not cover (padding, and a
    // guard behind the object): read as doubles these bytes are NaN, which a
    // fall-back pass over a fifth mini window would overwrite.
    alignas(ChartConfig) unsigned char storage[sizeof(ChartConfig) + 64];
    std::memset(storage, 0xFF, sizeof storage);
    ChartConfig* c = new (storage) ChartConfig;
    QByteArray image = ChartConfig().toBytes();
    image[564] = '\x02'; // arrange state 2
    c->readBytes(byteSpan(image));
    EXPECT_EQ(c->arrangeState, 2u);
    EXPECT_EQ(c->miniWindows[3], MiniWindowState::defaults(3));
    int changed = 0;
    for (size_t i = sizeof(ChartConfig); i < sizeof storage; ++i)
        changed += storage[i] != 0xFF;
    EXPECT_EQ(changed, 0);
    c->~ChartConfig();
}

TEST(ChartConfig, FileLoadSaveAndViewportStyle)
{
    QTemporaryDir dir;
    ChartConfig c;
    const Status missing = c.load(dir.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, ChartConfig::filePath(dir.path()));
    EXPECT_TRUE(c.save(dir.path())); // no CHARTDATA folder: reported, not thrown
    ASSERT_TRUE(QDir(dir.path()).mkdir("chartdata"));
    c.viewScale = 0.125;
    c.textSize = 1.5;
    c.workFont.assign({QStringLiteral("Courier"), -11, 700, true});
    ASSERT_FALSE(c.save(dir.path()));
    EXPECT_EQ(QFileInfo(dir.filePath("chartdata/CHART.CFG")).size(), 568);
    ChartConfig back;
    ASSERT_TRUE(back.load(dir.path()));
    EXPECT_EQ(back.toBytes(), c.toBytes());
    const ViewportStyle style = back.viewportStyle();
    EXPECT_EQ(style.textSize, 1.5);
    EXPECT_EQ(style.chartFont, (TextFont{QStringLiteral("Arial"), -8, 300, false}));
    EXPECT_EQ(style.workFont, (TextFont{QStringLiteral("Courier"), -11, 700, true}));
}

TEST(LogFont, FaceNameIsCutToThirtyOneBytesAndTerminated)
{
    struct Case { QString name; QString expected; };
    const Case cases[] = {
        {QString(31, 'A'), QString(31, 'A')},
        {QString(32, 'B'), QString(31, 'B')},
        {QString(40, 'C'), QString(31, 'C')},
        {QString::fromUtf8("Schrift ä"), QString::fromUtf8("Schrift ä")},
        {QString(), QString()},
    };
    for (const Case& t : cases) {
        LogFont f;
        f.face.fill('x'); // what was there before is cleared
        f.setFaceName(t.name);
        EXPECT_EQ(f.faceName(), t.expected) << t.name.toStdString();
        EXPECT_EQ(f.face[31], 0) << t.name.toStdString();
        EXPECT_EQ(f.face[size_t(t.expected.size())], 0) << t.name.toStdString();
    }
    // A damaged record without NUL: all 32 bytes are the name.
    LogFont full;
    full.face.fill('Z');
    EXPECT_EQ(full.faceName(), QString(32, 'Z'));
    // make() cuts the same way.
    EXPECT_EQ(LogFont::make(-8, 400, 0x22, "0123456789012345678901234567890123").faceName(),
              QStringLiteral("0123456789012345678901234567890"));
}

TEST(LogFont, RecordLayoutAndAssign)
{
    LogFont f = LogFont::make(-11, 700, 0x31, "Courier");
    f.width = 0x01020304;
    f.escapement = 5;
    f.orientation = 6;
    f.underline = 0x21;
    f.strikeOut = 0x22;
    f.charSet = 0x23;
    f.outPrecision = 0x24;
    f.clipPrecision = 0x25;
    f.quality = 0x26;
    f.assign({QStringLiteral("Arial"), -9, 300, true});
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    f.write(out);
    ASSERT_EQ(bytes.size(), 60u);
    // By hand: -9 = F7 FF FF FF, 300 = 2C 01, italic 1 at 20, pitch and family at 27.
    const std::vector<uint8_t> head{0xF7, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 5, 0, 0, 0, 6, 0, 0, 0,
                                    0x2C, 0x01, 0, 0, 1, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x31,
                                    'A', 'r', 'i', 'a', 'l', 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 35), head);
    EXPECT_EQ(f.toTextFont(), (TextFont{QStringLiteral("Arial"), -9, 300, true}));

    // Exactly one record is enough; one byte less is not.
    expectExactlyOneRecordIsEnough(bytes, f);

    f.assign({QStringLiteral("Arial"), -9, 300, false});
    EXPECT_EQ(f.italic, 0);
}

TEST(MiniWindowState, RecordLayoutAndDefaults)
{
    const MiniWindowState m{0.5, -2.0, 3.0, 2, -1, 0x0102, 0x7FFFFFFF, 0x01020304};
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    m.write(out);
    ASSERT_EQ(bytes.size(), 44u);
    const QByteArray b = toQByteArray(bytes);
    EXPECT_EQ(f64At(b, 0), 0.5);
    EXPECT_EQ(f64At(b, 8), -2.0);
    EXPECT_EQ(f64At(b, 16), 3.0);
    // By hand: 24 shown 2, 28 left -1, 32 top 0x0102, 36 right, 40 bottom.
    EXPECT_EQ(b.mid(24, 20), QByteArray::fromHex("02000000" "ffffffff" "02010000" "ffffff7f" "04030201"));

    expectExactlyOneRecordIsEnough(bytes, m);

    // The four windows stand side by side in one row under the toolbar,
    // 159 x 97 pixels each, all hidden; no fifth or negative window.
    const int lefts[5] = {2, 161, 320, 479, 638};
    for (int i = 0; i < 4; ++i) {
        const MiniWindowState d = MiniWindowState::defaults(i);
        EXPECT_EQ(d.shown, 0) << i;
        EXPECT_EQ(d.left, lefts[i]) << i;
        EXPECT_EQ(d.right, lefts[i + 1]) << i;
        EXPECT_EQ(d.top, 71) << i;
        EXPECT_EQ(d.bottom, 168) << i;
    }
    EXPECT_EQ(MiniWindowState::defaults(4), MiniWindowState());
    EXPECT_EQ(MiniWindowState::defaults(-1), MiniWindowState());
}

TEST(DetailFlags, LayerBits)
{
    EXPECT_EQ(DetailFlags::layerBit(0), 0x0001u);
    EXPECT_EQ(DetailFlags::layerBit(9), 0x0200u);
    EXPECT_EQ(DetailFlags::layerBit(10), 0u);
    EXPECT_TRUE(DetailFlags::layerEnabled(DetailFlags::Default, 7));
    EXPECT_FALSE(DetailFlags::layerEnabled(DetailFlags::Text | DetailFlags::Depths, 0));
}
