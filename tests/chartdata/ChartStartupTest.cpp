#include "chartdata/ChartStartup.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

void writeHeader(const QString& folder, const QString& name, const ChartBox& box)
{
    ChartHeader h;
    h.setBox(box);
    ASSERT_FALSE(h.writeFile(folder + "/CHARTDATA/" + name + ".HDR"));
}

struct Session {
    QTemporaryDir dir;
    ChartConfig config;
    ChartCatalogue catalogue;
    Viewport viewport;
    Session() { QDir(dir.path()).mkdir("CHARTDATA"); }
    ChartStartup::Result start(int width = 1080, int height = 700)
    {
        return ChartStartup::startView(dir.path(), {0, 0, width, height}, config, catalogue, viewport);
    }
};

} // namespace

TEST(ChartStartup, WithoutListBuildsTheDefaultSetAndShowsTheWorld)
{
    Session s;
    writeHeader(s.dir.path(), "WORLDMAP", {-5'400'000, -10'800'000, 5'400'000, 10'800'000});
    writeHeader(s.dir.path(), "EUROPA", {-4'200'000, -1'800'000, -2'100'000, 2'400'000});
    writeHeader(s.dir.path(), "BALT-S", {-3'960'000, 540'000, -3'180'000, 1'800'000});
    const ChartStartup::Result r = s.start();
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.configFound);
    EXPECT_FALSE(r.listFound);
    ASSERT_EQ(r.errors.size(), 3u); // NORDS-S, MEDI-W_A, MEDI-W_B
    EXPECT_EQ(r.errors[0].message(), QStringLiteral("OPEN ERROR CHART HEADER NORDS-S.HDR"));
    ASSERT_EQ(s.catalogue.count(), 3);
    EXPECT_EQ(s.catalogue.entry(0).name, QStringLiteral("WORLDMAP"));
    EXPECT_DOUBLE_EQ(s.config.viewScale, 20.0);
    EXPECT_EQ(s.config.viewXOffset, 0.0);
    EXPECT_DOUBLE_EQ(s.viewport.scale(), s.viewport.worldScale());
    EXPECT_TRUE(QFile::exists(ChartCatalogue::listPath(s.dir.path())));
    EXPECT_TRUE(s.catalogue.chartsAvailable() & ChartCatalogue::AnyVisible);
    EXPECT_TRUE(s.catalogue.entry(0).isDrawable());
}

TEST(ChartStartup, WorldScaleOfTheDefaultViewPerWidth)
{
    // 21600 minutes around the world over the client width; a width below one
    // pixel (a window not shown yet) counts as one.
    const struct { int width; double scale; } rows[] = {{1080, 20.0}, {2, 10800.0}, {1, 21600.0},
                                                        {0, 21600.0}, {-5, 21600.0}};
    for (const auto& r : rows) {
        Session s;
        ChartStartup::loadSettingsAndCatalogue(s.dir.path(), r.width, s.config, s.catalogue);
        EXPECT_DOUBLE_EQ(s.config.viewScale, r.scale) << r.width;
        EXPECT_EQ(s.config.viewYOffset, 0.0) << r.width;
    }
}

TEST(ChartStartup, FolderWithoutAnyFilesStartsEmptyAtTheWholeWorld)
{
    Session s;
    const ChartStartup::Result r = s.start();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.errors.size(), 6u);
    EXPECT_TRUE(s.catalogue.isEmpty());
    EXPECT_EQ(s.catalogue.chartsAvailable(), 0u);
    EXPECT_FALSE(QFile::exists(ChartCatalogue::listPath(s.dir.path()))); // empty lists are not written
    EXPECT_DOUBLE_EQ(s.viewport.scale(), s.viewport.worldScale());

    Session zero;
    EXPECT_FALSE(zero.start(0, 700).ok);
}

TEST(ChartStartup, StoredPositionComesBackAfterShutDown)
{
    Session s;
    writeHeader(s.dir.path(), "EUROPA", {-4'200'000, -1'800'000, -2'100'000, 2'400'000});
    ChartCatalogue list;
    list.addChart(s.dir.path(), "EUROPA");
    ASSERT_FALSE(list.saveList(s.dir.path()));
    ASSERT_TRUE(s.start(800, 600).ok);
    // The configuration that was never saved: 8°03'E 48°28'N at 6.5 minutes per pixel.
    EXPECT_DOUBLE_EQ(s.viewport.scale(), 6.5);
    EXPECT_DOUBLE_EQ(s.viewport.xOffset(), -483.0);
    EXPECT_DOUBLE_EQ(s.viewport.yOffset(), 2908.0);
    // EUROPA's natural scale is 4200 / 800 / 4 = 1.3125: too fine for this view.
    EXPECT_EQ(s.catalogue.entry(0).flags & 0xFF, 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.viewport.ZoomPan(0, 0, 0, 0, Viewport::ZoomIn));
    ASSERT_TRUE(s.viewport.ZoomPan(0, 0, 0, 0, Viewport::PanLeft));
    s.catalogue.selectForViewport(s.viewport);
    EXPECT_EQ(s.catalogue.entry(0).flags & 0xFF, ChartEntry::Visible | ChartEntry::Best);
    ASSERT_FALSE(ChartStartup::shutDown(s.dir.path(), s.viewport, s.config));

    ChartConfig config;
    ChartCatalogue catalogue;
    Viewport viewport;
    const ChartStartup::Result r =
        ChartStartup::startView(s.dir.path(), {0, 0, 800, 600}, config, catalogue, viewport);
    EXPECT_TRUE(r.configFound);
    EXPECT_TRUE(r.listFound);
    EXPECT_DOUBLE_EQ(viewport.scale(), 0.8125);
    EXPECT_DOUBLE_EQ(viewport.xOffset(), s.viewport.xOffset());
    EXPECT_DOUBLE_EQ(viewport.yOffset(), 2908.0);

    // A resize in the running view rescales the charts to the new size.
    const double before = catalogue.entry(0).scale;
    ASSERT_TRUE(ChartStartup::resizeView({0, 0, 1600, 600}, viewport, catalogue));
    EXPECT_DOUBLE_EQ(catalogue.entry(0).scale, before / 2);
    EXPECT_FALSE(ChartStartup::resizeView({0, 0, 1600, 0}, viewport, catalogue));
}
