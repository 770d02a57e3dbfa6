#include "GmtText.h"
#include "ShoreAssembler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kesmar::chartbuild;

namespace {

using Ring = std::vector<GeoPoint>;

double area(const Ring& r)
{
    double a = 0;
    for (size_t i = 0, j = r.size() - 1; i < r.size(); j = i++)
        a += r[j].lon * r[i].lat - r[i].lon * r[j].lat;
    return a / 2;
}

GeoLine piece(std::initializer_list<GeoPoint> pts) { return {1, pts}; }

std::vector<double> areas(const std::vector<Ring>& rings)
{
    std::vector<double> out;
    for (const Ring& r : rings)
        out.push_back(std::round(std::abs(area(r)) * 1000) / 1000);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(GmtText, ParsesSegmentsLevelsAndDropsEmptyOnes)
{
    const QByteArray text = "> Shore Bin # 1985, Level 1\n11.5\t66.0\n12\t66.5\n"
                            "> Shore Bin # 1985, Level 1\n"
                            "> River Bin # 7, Level 4\n# comment\n1 2\n3 4 extra\n";
    const auto lines = parseGmtMultisegment(text);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0].level, 1);
    EXPECT_EQ((*lines)[0].points, (Ring{{11.5, 66.0}, {12, 66.5}}));
    EXPECT_EQ((*lines)[1].level, 4);
    EXPECT_EQ((*lines)[1].points, (Ring{{1, 2}, {3, 4}}));
    const auto none = parseGmtMultisegment("");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

// A data line that is no position refuses the text and names its line.
TEST(GmtText, RefusesALineThatIsNoPosition)
{
    for (const char* bad : {"not numbers", "12", "12 north", "nan 3", "1 inf"}) {
        const QByteArray text = QByteArray("> Shore, Level 1\n1 2\n") + bad + "\n3 4\n";
        const auto lines = parseGmtMultisegment(text, "extract.txt");
        ASSERT_FALSE(lines) << bad;
        EXPECT_EQ(lines.error().line, 3) << bad;
        EXPECT_EQ(lines.error().file, "extract.txt") << bad;
    }
}

TEST(ShoreAssembler, JoinsAndClosesAlongTheEdge)
{
    const GeoBox box{0, 10, 0, 10};
    struct Case {
        const char* name;
        std::vector<GeoLine> pieces;
        std::vector<double> expected;  // ring areas, sorted
    };
    const std::vector<Case> cases{
        {"island cut at a bin edge", {piece({{2, 2}, {4, 2}, {4, 4}}), piece({{4, 4}, {2, 4}, {2, 2}})}, {4}},
        {"pieces met from the middle",
         {piece({{4, 4}, {2, 4}}), piece({{2, 4}, {2, 2}}), piece({{2, 2}, {4, 2}, {4, 4}})}, {4}},
        {"peninsula from the south edge", {piece({{7, 0}, {7, 5}, {3, 5}, {3, 0}})}, {20}},
        {"bay: land all round", {piece({{3, 0}, {3, 5}, {7, 5}, {7, 0}})}, {80}},
        {"two chains share the walk", {piece({{10, 2}, {5, 5}, {0, 2}}), piece({{0, 8}, {5, 6}, {10, 8}})}, {30, 35}},
        {"chain split at a bin, then edge", {piece({{7, 0}, {7, 5}}), piece({{7, 5}, {3, 5}, {3, 0}})}, {20}},
        {"corner to corner", {piece({{10, 0}, {0, 10}})}, {50}},
        {"dangling piece closes straight", {piece({{2, 2}, {4, 2}, {4, 4}})}, {2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(areas(ShoreAssembler(box).assemble(c.pieces)), c.expected) << c.name;
}

TEST(ShoreAssembler, TurnsClockwiseSourcesRound)
{
    // A clockwise island says the inside is on the right: the open chain is
    // turned round before it is closed, so the peninsula stays a peninsula.
    const GeoBox box{0, 10, 0, 10};
    const auto rings = ShoreAssembler(box).assemble(
        {piece({{3, 0}, {3, 5}, {7, 5}, {7, 0}}), piece({{8, 8}, {8, 9}, {9, 9}, {9, 8}, {8, 8}})});
    EXPECT_EQ(areas(rings), (std::vector<double>{1, 20}));
}
