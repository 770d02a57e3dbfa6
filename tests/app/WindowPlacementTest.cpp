#include "app/WindowPlacement.h"

#include "AppTestSupport.h"
#include "support/QtTestApplication.h"
#include "app/CMainFrame.h"
#include "core/IniFile.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace kesmar;

TEST(WindowPlacement, ParseNeedsAllTenNumbers)
{
    const auto full = WindowPlacement::parse("2,3,-1,-1,-8,-8,100,80,900,680");
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->flags, 2u);
    EXPECT_EQ(full->showCommand, 3u);
    EXPECT_EQ(full->maxX, -8);
    EXPECT_EQ(full->normalRect(), QRect(100, 80, 800, 600));
    EXPECT_EQ(full->format(), "2,3,-1,-1,-8,-8,100,80,900,680");

    // Like scanf: blanks before a number are fine, trailing text is ignored.
    EXPECT_TRUE(WindowPlacement::parse("0, 1,-1,-1,-1,-1, 10,20,30,40 junk").has_value());

    const char* broken[] = {
        "",                                 // absent
        "0,1,-1,-1,-1,-1,100,80,900",       // nine numbers
        "0,1,-1,-1,-1,-1,100,80,900,",      // tenth empty
        "0;1;-1;-1;-1;-1;100;80;900;680",   // wrong separator
        "0 ,1,-1,-1,-1,-1,100,80,900,680",  // blank before the comma
        "a,1,-1,-1,-1,-1,100,80,900,680",
    };
    for (const char* text : broken)
        EXPECT_FALSE(WindowPlacement::parse(QString::fromLatin1(text)).has_value()) << text;
}

TEST(WindowPlacement, StoredNormalWindowIsRestored)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    program.writeIni("[Settings]\r\nWindowPos=0,1,-1,-1,-1,-1,100,80,900,680\r\n");
    auto app = program.makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_FALSE(app->mainFrame()->isMaximized());
    EXPECT_EQ(app->mainFrame()->geometry(), QRect(100, 80, 800, 600));
}

TEST(WindowPlacement, NineNumbersStartMaximized)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    program.writeIni("[Settings]\r\nWindowPos=0,1,-1,-1,-1,-1,100,80,900\r\n");
    auto app = program.makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_TRUE(app->mainFrame()->isMaximized());
}

TEST(WindowPlacement, MaximizedFrameComesBackMaximizedWithItsNormalRectangle)
{
    kesmar::test::qtTestApplication();
    TestProgram program;
    program.writeIni("[Settings]\r\nWindowPos=0,1,-1,-1,-1,-1,100,80,900,680\r\n");
    {
        auto app = program.makeApp();
        ASSERT_TRUE(app->InitInstance());
        app->mainFrame()->showMaximized();
        app->ExitInstance();
    }
    IniFile ini(program.dir.filePath("KMR.INI"));
    ASSERT_TRUE(ini.load().ok());
    const auto stored = WindowPlacement::parse(ini.readString(u"Settings", u"WindowPos", QString()));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->flags, WindowPlacement::kRestoreToMaximized);
    EXPECT_EQ(stored->showCommand, WindowPlacement::kShowMaximized);
    EXPECT_EQ(stored->normalRect(), QRect(100, 80, 800, 600));

    auto again = program.makeApp();
    ASSERT_TRUE(again->InitInstance());
    EXPECT_TRUE(again->mainFrame()->isMaximized());
    EXPECT_EQ(again->mainFrame()->normalGeometry(), QRect(100, 80, 800, 600));
    again->mainFrame()->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(again->mainFrame()->geometry(), QRect(100, 80, 800, 600));
}

TEST(WindowPlacement, MinimizedFrameIsNotRestoredMinimized)
{
    kesmar::test::qtTestApplication();
    QWidget window;
    WindowPlacement p = *WindowPlacement::parse("0,2,-1,-1,-1,-1,10,10,410,310");
    p.apply(window);
    EXPECT_FALSE(window.isMinimized());
    p.flags = WindowPlacement::kRestoreToMaximized;
    p.apply(window);
    EXPECT_TRUE(window.isMaximized());
}
