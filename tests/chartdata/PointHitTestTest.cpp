#include "chartdata/PointFileWriter.h"
#include "chartdata/PointHitTest.h"
#include "core/Viewport.h"

#include <gtest/gtest.h>

#include <map>

using namespace kesmar;

namespace {

// 1000 x 800 pixels around 54°N 8°E at 0.01 minutes per pixel: one pixel is
// 10 chart units across and 7.1 down; levelFull 175.
constexpr int32_t kCentreY = -3240000, kCentreX = 480000;

Viewport view()
{
    Viewport v;
    v.startUp({0, 0, 1000, 800});
    v.setView(0.01, -480.0, 3240.0);
    return v;
}

PointRecord point(int type, int dy, int dx, int level = 100, const char* text = "", int modifier = 0)
{
    return *PointRecord::make(20, uint8_t(type), 0x11, uint8_t(modifier), uint8_t(level),
                              {kCentreY + dy, kCentreX + dx}, QByteArray(text));
}

ChartEntry chart(const char* name, uint16_t flags = ChartEntry::Visible)
{
    ChartEntry e;
    e.name = QString::fromLatin1(name);
    e.flags = flags;
    e.visibleBox = {kCentreY - 100000, kCentreX - 100000, kCentreY + 100000, kCentreX + 100000};
    return e;
}

struct Charts {
    std::map<QString, PointFileWriter::Image> files;
    std::vector<ChartEntry> entries;

    void add(const char* name, const std::vector<PointRecord>& records, uint16_t flags = ChartEntry::Visible)
    {
        PointFileWriter w;
        for (const PointRecord& r : records)
            EXPECT_TRUE(w.add(r));
        files[QString::fromLatin1(name)] = w.build();
        entries.push_back(chart(name, flags));
    }
    PointHitTest::Hit find(int px, int py, bool available = true) const
    {
        auto source = [this](const QString& name) -> std::optional<PointFile> {
            auto it = files.find(name);
            if (it == files.end())
                return std::nullopt;
            return PointFile::fromBytes(it->second.bwp, it->second.bpt);
        };
        return PointHitTest::find(view(), entries, available, source, px, py);
    }
};

} // namespace

TEST(PointHitTest, ViewSetUp)
{
    const Viewport v = view();
    EXPECT_EQ(v.levelFull(), 175);
    EXPECT_EQ(v.unprojectToChart(500, 400), (ChartPoint{kCentreY, kCentreX}));
}

TEST(PointHitTest, NearestPointOfAnyChart)
{
    Charts c;
    c.add("A", {point(1, 0, 300), point(2, 0, -200)});
    c.add("B", {point(3, 0, 150)});
    const auto hit = c.find(500, 400);
    ASSERT_TRUE(hit.found());
    EXPECT_EQ(hit.record->objectType(), 3);
    EXPECT_EQ(hit.distance, 150.0);
    EXPECT_EQ(hit.click, (ChartPoint{kCentreY, kCentreX}));
    // Diagonal distances are truncated square roots: 30, 40 -> 50.
    Charts d;
    d.add("A", {point(1, 30, 40), point(2, 0, 51)});
    EXPECT_EQ(d.find(500, 400).distance, 50.0);
    EXPECT_EQ(d.find(500, 400).record->objectType(), 1);
}

TEST(PointHitTest, TiesKeepTheFirstFound)
{
    Charts c;
    c.add("A", {point(5, 0, 0), point(6, 0, 0)});
    c.add("B", {point(7, 0, 0)});
    const auto hit = c.find(500, 400);
    ASSERT_TRUE(hit.found());
    EXPECT_EQ(hit.distance, 0.0);
    EXPECT_EQ(hit.record->objectType(), 5);
    Charts d;
    d.add("A", {point(5, 0, 100)});
    d.add("B", {point(7, 0, -100)});
    EXPECT_EQ(d.find(500, 400).record->objectType(), 5);
}

TEST(PointHitTest, LevelFilter)
{
    Charts c;
    c.add("A", {point(1, 0, 10, 176), point(2, 0, 500, 175)});
    EXPECT_EQ(c.find(500, 400).record->objectType(), 2);
}

TEST(PointHitTest, TextsAndSoundingsOnlyWhileDrawable)
{
    // Level 170: size factor 0.0127 against the dimension 0.025, the -8 font
    // shrinks to -2 and is not drawn; level 150 gives -16.
    Charts c;
    c.add("A", {point(63, 0, 10, 170, "Kiel"), point(62, 0, 20, 170, "", 45), point(1, 0, 900, 170)});
    EXPECT_EQ(c.find(500, 400).record->objectType(), 1);
    Charts d;
    d.add("A", {point(63, 0, 10, 150, "Kiel"), point(1, 0, 900, 150)});
    EXPECT_EQ(d.find(500, 400).record->objectType(), 63);
}

TEST(PointHitTest, NothingFound)
{
    Charts c;
    c.add("A", {point(1, 0, 0)}, 0);                                     // not visible
    c.add("B", {point(1, 0, 0)}, ChartEntry::Visible | ChartEntry::Suppressed);
    c.entries.push_back(chart("MISSING"));                              // files cannot be read
    EXPECT_FALSE(c.find(500, 400).found());
    EXPECT_EQ(c.find(500, 400).distance, PointHitTest::kNothingNear);
    Charts d;
    d.add("A", {point(1, 0, 0)});
    EXPECT_FALSE(d.find(500, 400, false).found());
    // Outside the chart's visible box.
    Charts e;
    e.add("A", {point(1, 0, 200000)});
    EXPECT_FALSE(e.find(500, 400).found());
}

// A point on an edge of the chart's visible box is inside it, on each of
// the four edges; one unit beyond is not.
TEST(PointHitTest, PointsOnTheVisibleBoxEdgesCount)
{
    const struct { int dy, dx; bool found; } rows[] = {
        {-300, 0, true}, {300, 0, true}, {0, -300, true}, {0, 300, true},
        {-301, 0, false}, {301, 0, false}, {0, -301, false}, {0, 301, false},
    };
    for (const auto& r : rows) {
        Charts c;
        c.add("A", {point(1, r.dy, r.dx)});
        c.entries[0].visibleBox = {kCentreY - 300, kCentreX - 300, kCentreY + 300, kCentreX + 300};
        const auto hit = c.find(500, 400);
        EXPECT_EQ(hit.found(), r.found) << r.dy << " " << r.dx;
    }
}

TEST(PointHitTest, SizeRule)
{
    EXPECT_DOUBLE_EQ(PointHitTest::sizeFactor(0, 0.025, 0.01), 80.0);
    EXPECT_DOUBLE_EQ(PointHitTest::sizeFactor(27, 0.025, 1.0), 0.025 * 32 / std::pow(2.0, 27 / 13.47));
    EXPECT_TRUE(PointHitTest::tooSmallToDraw(-8, 0.0125, 0.025));   // -8 / 4 = -2
    EXPECT_FALSE(PointHitTest::tooSmallToDraw(-12, 0.0125, 0.025)); // -3 is drawn
    EXPECT_TRUE(PointHitTest::tooSmallToDraw(-11, 0.0125, 0.025));  // -2.75 truncates to -2
    EXPECT_TRUE(PointHitTest::tooSmallToDraw(-8, 0.0, 0.025));
}
