#include "SymbolSheet.h"
#include "SymbolSource.h"

#include "core/FileUtil.h"

#include "support/GuiTestApplication.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace kesmar;
using namespace kesmar::chartbuild;

TEST(SymbolSource, ParsesEntriesAndStyles)
{
    const QByteArray text =
        "# comment\n"
        "symbol 3  Bakentonne -- pillar\n"
        "  polygon fill=pattern line=1 : -10,0 10,0 0,-40\n"
        "  polyline line=13 : 0,0 5,-5\n"
        "\n"
        "symbol 92 last\n"
        "  ellipse amber : -5,-5 5,5\n"
        "  polygon fill=9 : 1,2 3,4 5,6\n"
        "symbol 62 empty\n";
    const Result<SymbolLibrary::Entries> r = SymbolSource::parse(text, QStringLiteral("t.txt"));
    ASSERT_TRUE(r.ok()) << qPrintable(r.error().describe());
    ASSERT_EQ((*r)[3].size(), 2u);
    EXPECT_EQ((*r)[3][0].style, 0x1734);  // polygon, fill, outline bit 5, fill 7, line 1
    EXPECT_EQ((*r)[3][0].points, (std::vector<QPoint>{{-10, 0}, {10, 0}, {0, -40}}));
    EXPECT_EQ((*r)[3][1].style, 0xD022);
    EXPECT_EQ((*r)[92][0].style, 0x0038);  // zero colour bits: the fixed amber
    EXPECT_EQ((*r)[92][1].style, 0x0914);
    EXPECT_TRUE((*r)[62].empty());
    EXPECT_TRUE((*r)[0].empty());
}

TEST(SymbolSource, EachFaultNamesItsLine)
{
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"  polygon fill=1 : 0,0 1,1\n", 1},                      // before any symbol
        {"symbol 93 x\n", 1},                                      // beyond the directory
        {"symbol 1 a\nsymbol 1 b\n", 2},                           // twice
        {"symbol 1\n  circle fill=1 : 0,0\n", 2},                  // unknown shape
        {"symbol 1\n  polygon fill=16 : 0,0\n", 2},                // colour out of range
        {"symbol 1\n  polygon fill=1 0,0\n", 2},                   // no colon
        {"symbol 1\n  polygon fill=1 : 0,0 40000,0\n", 2},         // outside i16
        {"symbol 1\n  polygon fill=1 : 0,0 5\n", 2},               // half a point
        {"symbol 1\n  ellipse line=1 : 0,0\n", 2},                 // one point
        {"symbol 1\n  polyline : 0,0 1,1\n", 2},                   // outlined anyway: needs line=
        {"symbol 1\n  polygon fill=0 line=0 : 0,0 1,1\n", 2},      // would silently be amber
        {"symbol 1\n  polygon amber fill=2 : 0,0 1,1\n", 2},
        {"symbol 1\n  polygon fill=1 : \n", 2},                    // no points
    };
    for (const Case& c : cases) {
        const Result<SymbolLibrary::Entries> r = SymbolSource::parse(QByteArray(c.text), QStringLiteral("s.txt"));
        ASSERT_FALSE(r.ok()) << c.text;
        EXPECT_EQ(r.error().line, c.line) << c.text;
        EXPECT_EQ(r.error().file, QStringLiteral("s.txt"));
    }
}

// The shipped source: every object type and topmark drawn, and it fits.
TEST(SymbolSource, BundledLibraryIsCompleteAndFits)
{
    const QString path = QStringLiteral(KESMAR_DATA_DIR "/buoyage-symbols.txt");
    const std::optional<QByteArray> text = readWholeFile(path);
    ASSERT_TRUE(text.has_value());
    const Result<SymbolLibrary::Entries> entries = SymbolSource::parse(*text, path);
    ASSERT_TRUE(entries.ok()) << qPrintable(entries.error().describe());
    for (int k = 0; k < SymbolLibrary::kEntryCount; ++k) {
        const bool drawnAsText = k == 62 || k == 63;  // soundings and texts
        EXPECT_EQ((*entries)[size_t(k)].empty(), drawnAsText) << "entry " << k;
    }
    const Result<QByteArray> bytes = SymbolLibrary::toBytes(*entries);
    ASSERT_TRUE(bytes.ok());
    EXPECT_LE(bytes->size(), SymbolLibrary::kMaxBytes);
    EXPECT_EQ(SymbolLibrary::fromBytes(*bytes).entries(), *entries);
}

TEST(SymbolSheet, DrawsEveryEntryInItsCell)
{
    kesmar::test::guiTestApplication();
    SymbolLibrary::Entries e;
    // A filled 20-unit square at the reference point of entries 0 and 57.
    const SymbolLibrary::Element sq{0x0914, {{0, 0}, {200, 0}, {200, 200}, {0, 200}}};
    e[0] = {sq};
    e[57] = {sq};
    const QImage sheet = SymbolSheet::draw(SymbolLibrary::fromBytes(*SymbolLibrary::toBytes(e)));
    const QRgb green = sheet.pixel(SymbolSheet::origin(0) + QPoint(5, 5));
    EXPECT_NE(green, qRgb(255, 255, 255));
    EXPECT_EQ(sheet.pixel(SymbolSheet::origin(57) + QPoint(5, 5)), green);
    EXPECT_EQ(sheet.pixel(SymbolSheet::origin(58) + QPoint(5, 5)), qRgb(255, 255, 255));
    EXPECT_EQ(SymbolSheet::origin(57).y() / SymbolSheet::kCell, 5);
}
