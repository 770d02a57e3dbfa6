#include "weather/ui/MovieView.h"
#include "weather/ui/WeatherMovieDlg.h"

#include "core/IniFile.h"
#include "weather/MovieDecoder.h"

#include "MovieTestSupport.h"
#include "support/QtTestApplication.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

using Mode = MoviePlayer::Mode;

class MovieDialog : public ::testing::Test {
protected:
    void SetUp() override { test::qtTestApplication(); }

    QString movie(const QString& name, std::vector<int> frames, int width = 64, int height = 48)
    {
        test::MovieRecipe recipe;
        recipe.frames = std::move(frames);
        recipe.width = width;
        recipe.height = height;
        const QString path = dir.filePath(name);
        EXPECT_EQ(test::writeMovie(path, recipe), "");
        return path;
    }
    std::unique_ptr<WeatherMovieDlg> dialog(const QString& choice)
    {
        auto dlg = std::make_unique<WeatherMovieDlg>(dir.path(), profile, movieFile);
        dlg->setClock([this] { return now; });
        dlg->setFileChooser([this, choice] {
            ++choices;
            return choice;
        });
        dlg->setErrorSink([this](const QString& text) { errors << text; });
        dlg->resize(400, 300);
        dlg->show();
        return dlg;
    }
    static void dragTo(QScrollBar& bar, int position)
    {
        bar.setSliderDown(true);
        bar.setSliderPosition(position);
        bar.setSliderDown(false);
    }
    static QColor pixel(WeatherMovieDlg& dlg, int x, int y)
    {
        dlg.decoder()->waitIdle();
        return dlg.view().viewport()->grab().toImage().pixelColor(x, y);
    }

    QTemporaryDir dir;
    IniFile profile;
    QString movieFile; // lives for the program's run
    qint64 now = 100000;
    int choices = 0;
    QStringList errors;
};

TEST_F(MovieDialog, FirstOpeningAsksForAFileAndPlays)
{
    const QString path = movie(QStringLiteral("wetter.avi"), {20});
    auto dlg = dialog(path);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play Varnak Weather AVI"));
    dlg->startUp();
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play: wetter.avi"));
    EXPECT_EQ(movieFile, path);
    EXPECT_TRUE(dlg->timerRunning());
    EXPECT_EQ(dlg->selectedMode(), int(Mode::Play));
    EXPECT_EQ(dlg->view().horizontalScrollBar()->maximum(), 10000);
}

TEST_F(MovieDialog, WindowStaysLiveWhileTheFileIsReadButIgnoresButtons)
{
    auto dlg = dialog(movie(QStringLiteral("wetter.avi"), {20}));
    bool ranDuringLoad = false;
    QTimer::singleShot(0, dlg.get(), [&] {
        ranDuringLoad = dlg->decoder() == nullptr;
        dlg->pressStop();
    });
    dlg->startUp();
    EXPECT_TRUE(ranDuringLoad);
    EXPECT_TRUE(dlg->timerRunning());
    EXPECT_EQ(dlg->selectedMode(), int(Mode::Play));
}

TEST_F(MovieDialog, ClosingWhileTheFileIsReadLoadsNothing)
{
    auto dlg = dialog(movie(QStringLiteral("wetter.avi"), {20}));
    QTimer::singleShot(0, dlg.get(), [&] { dlg->reject(); });
    dlg->startUp();
    EXPECT_EQ(dlg->decoder(), nullptr);
    EXPECT_FALSE(dlg->timerRunning());
    EXPECT_EQ(profile.readInt(u"AVI", u"mode", -7), int(Mode::Load)); // saved while the file was read
}

TEST_F(MovieDialog, CancelledChoiceLeavesNoFileAndNoMode)
{
    auto dlg = dialog(QString());
    dlg->startUp();
    EXPECT_TRUE(movieFile.isEmpty());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play Varnak Weather AVI"));
    EXPECT_EQ(dlg->selectedMode(), -1);
    EXPECT_FALSE(dlg->timerRunning());
    dlg->pressStop();
    dlg->pressPlay(); // no file: asks again
    EXPECT_EQ(choices, 2);
    EXPECT_FALSE(dlg->timerRunning());
}

TEST_F(MovieDialog, SpeedThreeIsAtThreeSecondsAfterOneSecondOfWallClock)
{
    auto dlg = dialog(movie(QStringLiteral("a.avi"), {20}));
    dlg->speedSlider().setValue(3);
    dlg->startUp();
    for (int i = 0; i < 20; ++i) {
        now += 50;
        dlg->tick();
    }
    EXPECT_EQ(dlg->player().time(), 3000);
    EXPECT_EQ(dlg->view().horizontalScrollBar()->value(), 1500); // 3 000 of 20 000 ms
}

TEST_F(MovieDialog, LoopRestartsAndPlayDuringTheLoopRunsToTheEnd)
{
    auto dlg = dialog(movie(QStringLiteral("a.avi"), {5}));
    dlg->startUp();
    dlg->speedSlider().setValue(8);
    QTest::mouseClick(&dlg->modeButton(Mode::Loop), Qt::LeftButton);
    EXPECT_EQ(dlg->selectedMode(), int(Mode::Loop));
    now += 650; // 5 200 ms: past the end
    dlg->tick();
    EXPECT_EQ(dlg->player().time(), 0);
    EXPECT_TRUE(dlg->timerRunning());
    now += 250;
    dlg->tick();
    EXPECT_EQ(dlg->player().time(), 2000);
    QTest::mouseClick(&dlg->modeButton(Mode::Play), Qt::LeftButton);
    EXPECT_FALSE(dlg->player().loop());
    EXPECT_EQ(dlg->player().time(), 2000); // plays on
    now += 500;
    dlg->tick();
    EXPECT_FALSE(dlg->timerRunning());
    EXPECT_EQ(dlg->selectedMode(), int(Mode::Stop));
    EXPECT_EQ(dlg->player().position(), dlg->player().positionFor(4999));
}

TEST_F(MovieDialog, ScrollingStopsPlayingHomeAndEndKeys)
{
    auto dlg = dialog(movie(QStringLiteral("a.avi"), {20}));
    dlg->startUp();
    ASSERT_TRUE(dlg->timerRunning());
    dragTo(*dlg->view().horizontalScrollBar(), 5000);
    EXPECT_FALSE(dlg->timerRunning());
    EXPECT_FALSE(dlg->player().playing());
    EXPECT_EQ(dlg->player().time(), 10000);
    EXPECT_EQ(dlg->selectedMode(), int(Mode::Play)); // the mode stays

    dlg->pressPlay(); // PLAY in the middle goes on from there
    now += 1000;
    dlg->tick();
    EXPECT_EQ(dlg->player().time(), 13000);
    QTest::keyClick(&dlg->view(), Qt::Key_End);
    EXPECT_FALSE(dlg->timerRunning());
    EXPECT_EQ(dlg->player().time(), 20000);
    QTest::keyClick(&dlg->view(), Qt::Key_Home);
    EXPECT_EQ(dlg->player().time(), 0);
    QTest::keyClick(&dlg->view(), Qt::Key_Right);
    EXPECT_EQ(dlg->player().time(), 1000);
    QTest::keyClick(&dlg->view(), Qt::Key_PageDown);
    EXPECT_EQ(dlg->player().time(), 3000);
}

TEST_F(MovieDialog, StripsShowNeighboursAndDarkGreyWhereNoFrameIs)
{
    auto dlg = dialog(movie(QStringLiteral("a.avi"), {3, 2}, 40, 30));
    dlg->resize(400, 300); // room for two frames each side
    dlg->startUp();
    dlg->pressStop();
    dlg->view().update();
    const int cx = dlg->view().viewport()->width() / 2;
    // Ask for the frames, let the decoder deliver them, then look.
    dlg->view().viewport()->grab();
    EXPECT_LE(test::colourDistance(pixel(*dlg, cx, 15), test::movieColour(0, 0)), 10);
    EXPECT_LE(test::colourDistance(pixel(*dlg, cx + 44, 15), test::movieColour(0, 1)), 10);
    EXPECT_EQ(pixel(*dlg, cx - 44, 15), MovieView::kMissing); // before the start
    EXPECT_LE(test::colourDistance(pixel(*dlg, cx, 45), test::movieColour(1, 0)), 10);
    EXPECT_LE(test::colourDistance(pixel(*dlg, cx + 44, 45), test::movieColour(1, 1)), 10);
    EXPECT_EQ(pixel(*dlg, cx + 88, 45), MovieView::kMissing); // the second stream has two frames
    EXPECT_EQ(dlg->view().totalHeight(), 60);
}

TEST_F(MovieDialog, EmptyMovieLoadsAsLengthOneWithAnEmptyStrip)
{
    auto dlg = dialog(movie(QStringLiteral("leer.avi"), {0}));
    dlg->startUp();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play: leer.avi"));
    EXPECT_EQ(dlg->player().length(), 1);
    now += 100;
    dlg->tick();
    EXPECT_FALSE(dlg->timerRunning());
    dlg->view().viewport()->grab();
    const QSize client = dlg->view().viewport()->size();
    EXPECT_EQ(pixel(*dlg, client.width() / 2, 10), MovieView::kMissing);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MovieDialog, FileThatIsNoMovieIsSaidAndTheOldMovieStays)
{
    const QString good = movie(QStringLiteral("gut.avi"), {4});
    const QString bad = dir.filePath(QStringLiteral("kaputt.avi"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a movie at all");
    f.close();
    auto dlg = dialog(good);
    dlg->startUp();
    dlg->setFileChooser([&] { return bad; });
    dlg->pressLoad();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("kaputt.avi")));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play: gut.avi"));
    EXPECT_EQ(movieFile, good);
    EXPECT_NE(dlg->decoder(), nullptr);
}

TEST_F(MovieDialog, MoreThanSeventyFiveStreamsIsSaid)
{
    test::MovieRecipe recipe;
    recipe.codec = AV_CODEC_ID_RAWVIDEO;
    recipe.width = 8;
    recipe.height = 8;
    recipe.frames = std::vector<int>(80, 1);
    const QString path = dir.filePath(QStringLiteral("viele.avi"));
    ASSERT_EQ(test::writeMovie(path, recipe), "");
    auto dlg = dialog(path);
    dlg->startUp();
    EXPECT_EQ(errors, QStringList{QStringLiteral("Exceeded maximum number of streams")});
    EXPECT_EQ(dlg->view().totalHeight(), 75 * 8);
}

TEST_F(MovieDialog, ReopeningReloadsTheFileAndStaysStoppedWhenStopWasSaved)
{
    const QString path = movie(QStringLiteral("a.avi"), {6});
    {
        auto dlg = dialog(path);
        dlg->startUp();
        dlg->speedSlider().setValue(5);
        dlg->fitBox().setChecked(true);
        QTest::mouseClick(&dlg->modeButton(Mode::Stop), Qt::LeftButton);
        dlg->reject();
    }
    EXPECT_EQ(profile.readInt(u"AVI", u"mode", -7), 3);
    EXPECT_EQ(profile.readInt(u"AVI", u"speed", -7), 5);
    EXPECT_EQ(profile.readInt(u"AVI", u"loadfit", -7), 1);
    EXPECT_EQ(profile.readInt(u"AVI", u"loop", -7), 0);
    EXPECT_NE(profile.readInt(u"AVI", u"right", -7), -7);
    {
        auto dlg = dialog(QString());
        dlg->startUp();
        EXPECT_EQ(choices, 1); // not asked again
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Weather Movie - Play: a.avi"));
        EXPECT_FALSE(dlg->timerRunning());
        EXPECT_EQ(dlg->selectedMode(), int(Mode::Stop));
        EXPECT_EQ(dlg->speedSlider().value(), 5);
        QTest::mouseClick(&dlg->modeButton(Mode::Play), Qt::LeftButton);
        EXPECT_TRUE(dlg->timerRunning());
        dlg->accept();
    }
    {
        auto dlg = dialog(QString()); // saved mode PLAY: plays at once
        dlg->startUp();
        EXPECT_TRUE(dlg->timerRunning());
    }
}

TEST_F(MovieDialog, LoadFitSizesTheDialogToTheMovie)
{
    profile.setValue(u"AVI", u"loadfit", QStringLiteral("1"));
    auto dlg = dialog(movie(QStringLiteral("a.avi"), {2, 2}, 720, 120));
    dlg->startUp();
    QCoreApplication::processEvents(); // scroll bars show and hide on a queued call
    EXPECT_EQ(dlg->view().viewport()->width(), 720);
    EXPECT_EQ(dlg->view().viewport()->height(), 240);
}

} // namespace
} // namespace kesmar
