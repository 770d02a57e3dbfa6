#include "weather/MoviePlayer.h"
#include "weather/MovieSettings.h"

#include "core/IniFile.h"

#include <gtest/gtest.h>

namespace kesmar {
namespace {

using Mode = MoviePlayer::Mode;
using Scroll = MoviePlayer::Scroll;
using Tick = MoviePlayer::Tick;

MoviePlayer movieOf(int64_t lengthMs, int width = 640)
{
    MoviePlayer player;
    player.setMovie(0, lengthMs, width);
    return player;
}

TEST(MoviePlayer, SpeedThreeReachesThreeSecondsAfterOneSecond)
{
    MoviePlayer player = movieOf(20000);
    player.setSpeed(3);
    player.play(50000);
    EXPECT_EQ(player.mode(), Mode::Play);
    EXPECT_EQ(player.tick(50000), Tick::Unchanged);
    EXPECT_EQ(player.tick(50500), Tick::Moved);
    EXPECT_EQ(player.time(), 1500);
    EXPECT_EQ(player.tick(51000), Tick::Moved);
    EXPECT_EQ(player.time(), 3000);
}

TEST(MoviePlayer, SpeedChangeWhilePlayingGoesOnFromWhereTheMovieIs)
{
    MoviePlayer player = movieOf(20000);
    player.setSpeed(1);
    player.play(0);
    player.tick(2000);
    ASSERT_EQ(player.time(), 2000);
    player.changeSpeed(4, 2000);
    player.tick(2500);
    EXPECT_EQ(player.time(), 4000); // not 10 000, where speed 4 from the start would be
    player.changeSpeed(2, 2600);    // between ticks: 4 400 ms at that moment
    player.tick(3100);
    EXPECT_EQ(player.time(), 5400);
    player.stop();
    player.changeSpeed(7, 9000);
    EXPECT_EQ(player.speed(), 7);
    EXPECT_EQ(player.time(), 5400);
}

TEST(MoviePlayer, PlayInTheMiddleContinuesFromThere)
{
    MoviePlayer player = movieOf(20000);
    ASSERT_TRUE(player.scroll(Scroll::Thumb, 5000));
    EXPECT_EQ(player.time(), 10000);
    player.setSpeed(2);
    player.play(7000);
    player.tick(7250);
    EXPECT_EQ(player.time(), 10500);
}

TEST(MoviePlayer, PlayAtTheEndStartsAgain)
{
    MoviePlayer player = movieOf(4000);
    player.setSpeed(8);
    player.play(0);
    EXPECT_EQ(player.tick(600), Tick::Stopped);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.mode(), Mode::Stop);
    EXPECT_EQ(player.position(), player.positionFor(3999));
    player.play(1000);
    EXPECT_EQ(player.time(), 0);
}

TEST(MoviePlayer, LoopRestartsAndSwitchingLoopOffRunsToTheEnd)
{
    MoviePlayer player = movieOf(5000);
    player.setSpeed(4);
    player.setLoop(true);
    player.play(0);
    EXPECT_EQ(player.mode(), Mode::Loop);
    player.tick(1000);
    EXPECT_EQ(player.time(), 4000);
    EXPECT_EQ(player.tick(1300), Tick::Restarted); // 5200 > end
    EXPECT_EQ(player.time(), 0);
    EXPECT_TRUE(player.playing());
    player.tick(1550);
    EXPECT_EQ(player.time(), 1000); // counted from the new origin
    // PLAY during a loop: loop off, the movie plays on to its end and stops.
    player.setLoop(false);
    EXPECT_EQ(player.tick(2300), Tick::Moved);
    EXPECT_EQ(player.time(), 4000);
    EXPECT_EQ(player.tick(2600), Tick::Stopped);
    EXPECT_EQ(player.mode(), Mode::Stop);
}

TEST(MoviePlayer, UserScrollingStopsPlayingButKeepsTheMode)
{
    MoviePlayer player = movieOf(20000);
    player.setLoop(true);
    player.play(0);
    ASSERT_TRUE(player.scroll(Scroll::Thumb, 2500));
    EXPECT_FALSE(player.playing());
    EXPECT_FALSE(player.loop());
    EXPECT_EQ(player.mode(), Mode::Loop);
    EXPECT_EQ(player.time(), 5000);
    EXPECT_EQ(player.tick(100000), Tick::Unchanged);
}

TEST(MoviePlayer, ScrollRequests)
{
    MoviePlayer player = movieOf(20000);
    struct Row {
        Scroll request;
        int thumb;
        int64_t time;
        bool changed;
    } rows[] = {
        {Scroll::Home, 0, 0, false},        {Scroll::LineLeft, 0, 0, false},
        {Scroll::LineRight, 0, 1000, true}, {Scroll::PageRight, 0, 3000, true},
        {Scroll::PageLeft, 0, 1000, true},  {Scroll::End, 0, 20000, true},
        {Scroll::LineRight, 0, 20000, false}, {Scroll::Home, 0, 0, true},
        {Scroll::Thumb, 10000, 20000, true}, {Scroll::Thumb, 1, 2, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(player.scroll(row.request, row.thumb), row.changed) << static_cast<int>(row.request);
        EXPECT_EQ(player.time(), row.time) << static_cast<int>(row.request);
    }
}

TEST(MoviePlayer, ShortMovieMapsOntoTheWholeRange)
{
    MoviePlayer player = movieOf(3000);
    EXPECT_EQ(player.positionFor(1500), 5000);
    EXPECT_EQ(player.positionFor(1000), 3333);
    EXPECT_EQ(player.positionFor(2999), 9997);
    EXPECT_EQ(player.timeFor(10000), 3000);
    EXPECT_EQ(player.timeFor(3333), 1000);
    EXPECT_EQ(player.stepTime(), 1000);
    EXPECT_EQ(player.microsecondsPerPixel(), 1553.0); // 1 000 000 / 644, rounded
}

TEST(MoviePlayer, LongMovieStepTimeAndEmptyMovie)
{
    EXPECT_EQ(movieOf(30'000'000).stepTime(), 3002);
    MoviePlayer empty = movieOf(0);
    EXPECT_EQ(empty.length(), 1);
    EXPECT_EQ(empty.position(), 0);
    EXPECT_FALSE(empty.scroll(Scroll::End));
    empty.play(0);
    EXPECT_EQ(empty.tick(50), Tick::Stopped);
    EXPECT_EQ(empty.time(), 0);
    MoviePlayer none;
    none.play(0);
    EXPECT_FALSE(none.playing());
    EXPECT_EQ(none.microsecondsPerPixel(), 1000.0);
}

TEST(MoviePlayer, SpeedIsKeptWithinOneToEight)
{
    MoviePlayer player;
    for (const auto& [asked, kept] : {std::pair{0, 1}, {1, 1}, {5, 5}, {8, 8}, {9, 8}, {-3, 1}}) {
        player.setSpeed(asked);
        EXPECT_EQ(player.speed(), kept) << asked;
    }
}

TEST(MovieSettings, DefaultsReadBackAndDamagedValues)
{
    IniFile ini;
    MovieSettings s = MovieSettings::read(ini);
    EXPECT_FALSE(s.rect.has_value());
    EXPECT_EQ(s.speed, 3);
    EXPECT_FALSE(s.loop);
    EXPECT_EQ(s.mode, 3);
    EXPECT_FALSE(s.loadFit);

    s.rect = QRect(QPoint(10, 20), QPoint(609, 419));
    s.speed = 7;
    s.loop = true;
    s.mode = -1;
    s.loadFit = true;
    s.write(ini);
    EXPECT_EQ(ini.value(u"AVI", u"right"), QStringLiteral("610"));
    const MovieSettings back = MovieSettings::read(ini);
    EXPECT_EQ(back.rect, s.rect);
    EXPECT_EQ(back.speed, 7);
    EXPECT_TRUE(back.loop);
    EXPECT_EQ(back.mode, -1);
    EXPECT_TRUE(back.loadFit);

    IniFile damaged = IniFile::fromBytes("[AVI]\r\nleft=500\r\ntop=0\r\nright=100\r\nbottom=300\r\nspeed=99\r\nmode=7\r\n");
    const MovieSettings d = MovieSettings::read(damaged);
    EXPECT_FALSE(d.rect.has_value());
    EXPECT_EQ(d.speed, 8);
    EXPECT_EQ(d.mode, 3);
}

} // namespace
} // namespace kesmar
