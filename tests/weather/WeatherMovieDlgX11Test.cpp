// The movie dialog's window rectangle on a real X server with a window
// manager (run by on-x-server.sh): the saved rectangle comes back, and
// "Load fit to AVI" centres the fitted dialog on the screen.
#include "weather/ui/WeatherMovieDlg.h"

#include "core/IniFile.h"
#include "weather/ui/MovieView.h"

#include "MovieTestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace kesmar {
namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "test_weather_movie_x11";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
    return *qApp;
}

// The window manager answers moves and resizes when it gets to them: a
// loaded machine may take a while.
bool waitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 100 && !condition(); ++i)
        QTest::qWait(50);
    return condition();
}

class MovieDialogOnX : public ::testing::Test {
protected:
    void SetUp() override
    {
        application();
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run through on-x-server.sh";
        test::MovieRecipe recipe;
        recipe.frames = {3, 3};
        recipe.width = 480;
        recipe.height = 200;
        movieFile = dir.filePath(QStringLiteral("wetter.avi"));
        ASSERT_EQ(test::writeMovie(movieFile, recipe), "");
    }
    // Shows the dialog, lets the window manager place it, runs `check`, closes it.
    void showDialog(const std::function<void(WeatherMovieDlg&)>& check)
    {
        WeatherMovieDlg dlg(dir.path(), profile, movieFile);
        dlg.setErrorSink([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.startUp();
        QTest::qWait(200);
        check(dlg);
        dlg.reject();
    }

    QTemporaryDir dir;
    IniFile profile;
    QString movieFile;
};

TEST_F(MovieDialogOnX, SavedRectangleComesBack)
{
    profile.setValue(u"AVI", u"mode", QStringLiteral("3"));
    profile.setValue(u"AVI", u"left", QStringLiteral("150"));
    profile.setValue(u"AVI", u"top", QStringLiteral("120"));
    profile.setValue(u"AVI", u"right", QStringLiteral("950"));
    profile.setValue(u"AVI", u"bottom", QStringLiteral("720"));
    const QRect saved(150, 120, 800, 600);
    showDialog([&](WeatherMovieDlg& dlg) {
        waitFor([&] { return dlg.geometry() == saved; });
        EXPECT_EQ(dlg.geometry(), saved);
    });
    EXPECT_EQ(profile.readInt(u"AVI", u"left", 0), 150);
    EXPECT_EQ(profile.readInt(u"AVI", u"bottom", 0), 720);
    // Moved by the user: the new place is saved and comes back.
    const QRect moved(300, 200, 700, 500);
    showDialog([&](WeatherMovieDlg& dlg) {
        dlg.setGeometry(moved);
        EXPECT_TRUE(waitFor([&] { return dlg.geometry() == moved; }));
    });
    showDialog([&](WeatherMovieDlg& dlg) {
        waitFor([&] { return dlg.geometry() == moved; });
        EXPECT_EQ(dlg.geometry(), moved);
    });
}

TEST_F(MovieDialogOnX, LoadFitCentresTheFittedDialog)
{
    profile.setValue(u"AVI", u"mode", QStringLiteral("3"));
    profile.setValue(u"AVI", u"loadfit", QStringLiteral("1"));
    showDialog([](WeatherMovieDlg& dlg) {
        const QRect area = dlg.screen()->availableGeometry();
        waitFor([&] {
            return std::abs(dlg.frameGeometry().center().x() - area.center().x()) <= 16
                   && dlg.view().viewport()->height() == 400;
        });
        EXPECT_EQ(dlg.view().viewport()->size(), QSize(std::max(480, dlg.view().viewport()->width()), 400));
        const QRect frame = dlg.frameGeometry();
        EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 16) << frame.x() << "," << frame.y();
        EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 32) << frame.x() << "," << frame.y();
    });
}

} // namespace
} // namespace kesmar
