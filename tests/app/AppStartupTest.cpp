#include "AppTestSupport.h"
#include "support/QtTestApplication.h"
#include "app/CMainFrame.h"
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartHeader.h"
#include "core/FileUtil.h"
#include "core/IniFile.h"
#include "view/CKesmarView.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kesmar;

TEST(AppStartup, EmptyFolderOpensTheWindowAndSavesAtExit)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    auto app = program.makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_TRUE(program.errors.isEmpty()) << program.errors.join('\n').toStdString();
    CMainFrame* frame = app->mainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Kesmar");
    EXPECT_TRUE(frame->isMaximized()); // no WindowPos yet
    EXPECT_EQ(app->startupPhase(), StartupPhase::Running);
    EXPECT_EQ(app->settings().mile, 1);
    EXPECT_EQ(app->settings().synopBaseUrl, "syn");
    EXPECT_EQ(app->settings().buoyBaseUrl, "boy");
    EXPECT_TRUE(app->nmeaSlot().isOpen());

    app->viewport().ZoomPan(0, 0, 0, 0, Viewport::WholeWorld);
    const double scale = app->viewport().scale();
    app->ExitInstance();
    EXPECT_EQ(app->mainFrame(), nullptr);

    const auto cfg = readWholeFile(ChartConfig::filePath(program.folder()));
    ASSERT_TRUE(cfg.has_value());
    EXPECT_EQ(cfg->size(), qsizetype(ChartConfig::kSize));
    ChartConfig saved;
    ASSERT_TRUE(saved.load(program.folder()));
    EXPECT_DOUBLE_EQ(saved.viewScale, scale);
    EXPECT_DOUBLE_EQ(saved.viewXOffset, 0.0);

    IniFile ini(program.dir.filePath("KMR.INI"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(u"MAP", u"yfactor", 0), 710000);
    EXPECT_EQ(ini.readString(u"MAP", u"lmapscale", ""), QString::number(qint64(scale * 1000000.0)));
    EXPECT_EQ(ini.readString(u"MAP", u"lmapxoff", ""), "0");
    EXPECT_EQ(ini.readString(u"MAP", u"lmapyoff", ""), "0");
    EXPECT_TRUE(ini.readString(u"Settings", u"WindowPos", "").startsWith("2,3,"));
}

TEST(AppStartup, SettingsKeysAndTheirFallbacks)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    program.writeIni("[url]\nBOY=http://example.org/boy\n[MAP]\nmile=Seemeile\nlmapscale=1\n"
                     "[synop-server]\ndialup=Modem\n[Other]\nkeep=me\n");
    auto app = program.makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(app->settings().buoyBaseUrl, "http://example.org/boy");
    EXPECT_EQ(app->settings().synopBaseUrl, "syn");
    EXPECT_EQ(app->settings().mile, 0); // not a number: reads as 0
    EXPECT_EQ(app->settings().dialupEntry, "Modem");
    app->ExitInstance();

    IniFile ini(program.dir.filePath("KMR.INI"));
    ASSERT_TRUE(ini.load().ok());
    EXPECT_EQ(ini.readString(u"Other", u"keep", ""), "me");
    EXPECT_EQ(ini.readString(u"MAP", u"mile", ""), "Seemeile"); // never written back
    EXPECT_NE(ini.readString(u"MAP", u"lmapscale", ""), "1");
}

TEST(AppStartup, ProgramFolderLosesItsTrailingSeparatorAndFindsTheIniInAnyCase)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    QFile f(program.dir.filePath("kmr.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[MAP]\nmile=3\n");
    f.close();
    CKesmarApp::Options options;
    options.programFolder = program.folder() + "/";
    options.slotPath = program.slotPath();
    options.errorBox = [](QWidget*, const QString&) {};
    CKesmarApp app(options);
    EXPECT_EQ(app.programFolder(), program.folder());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.settings().mile, 3);
    EXPECT_EQ(QFileInfo(app.profilePath()).fileName(), "kmr.ini");
}

TEST(AppStartup, SlotFailureShowsTheSystemTextAndEndsAfterTheNormalSave)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    // A plain file where the slot's folder should be: the slot cannot be made.
    QFile blocker(program.dir.filePath("run"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto app = program.makeApp();
    EXPECT_FALSE(app->InitInstance());
    ASSERT_EQ(program.errors.size(), 1);
    EXPECT_FALSE(program.errors.front().isEmpty());
    EXPECT_EQ(app->mainFrame(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(ChartConfig::filePath(program.folder())));
    IniFile ini(program.dir.filePath("KMR.INI"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(u"MAP", u"yfactor", 0), 710000);
    EXPECT_TRUE(ini.value(u"Settings", u"WindowPos").has_value());
}

TEST(AppStartup, ViewPositionSurvivesARestart)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    // With a chart list the stored position counts (without one the whole
    // world is shown).
    ASSERT_TRUE(QDir(program.folder()).mkpath("CHARTDATA"));
    ChartHeader world;
    world.setBox({-5400000, -10800000, 5400000, 10800000});
    ASSERT_FALSE(world.writeFile(ChartHeader::pathFor(program.folder(), "WORLDMAP")).has_value());
    ChartCatalogue list;
    ASSERT_FALSE(list.addChart(program.folder(), "WORLDMAP").has_value());
    ASSERT_FALSE(list.saveList(program.folder()).has_value());
    double scale = 0.0;
    double xOffset = 0.0;
    {
        auto app = program.makeApp();
        ASSERT_TRUE(app->InitInstance());
        app->mainFrame()->view().zoomPan(Viewport::ZoomInPad);
        app->mainFrame()->view().zoomPan(Viewport::PanLeft);
        scale = app->viewport().scale();
        xOffset = app->viewport().xOffset();
    } // the destructor ends like a normal exit
    auto app = program.makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_NEAR(app->viewport().scale(), scale, 1e-9);
    EXPECT_NEAR(app->viewport().xOffset(), xOffset, 1e-6);
}
