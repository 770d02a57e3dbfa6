// The point-information window under a real window manager (run by
// run-on-x11.sh): where it lands beside the point, and that leaving it
// dismisses it. The offscreen platform places and activates synchronously
// and would hide faults of both.
#include "chartdata/ColourTable.h"
#include "chartdata/PointRecord.h"
#include "view/PointInfoWindow.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "test_view_x11";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

const PointRecord kBuoy = *PointRecord::make(30, 0x80 | 3, 0x15, 0x45, 0, {-3249800, 467300}, "Q(9)15s Helgoland-W");

class PointInfoWindowOnX : public ::testing::Test {
protected:
    void SetUp() override
    {
        main.setWindowTitle(QStringLiteral("Kesmar"));
        main.setGeometry(100, 100, 900, 700);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main, 30000));
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main, 30000));
    }
    struct AppFirst {
        AppFirst() { application(); }
    } appFirst;
    QWidget main;
    PointInfoWindow window{&main};
};

} // namespace

TEST_F(PointInfoWindowOnX, LandsBesideThePointTowardsTheCentre)
{
    const QRect desktop = main.screen()->geometry();
    // Upper left quarter: right of and below the point.
    window.showPoint(kBuoy, QPoint(300, 250), nullptr, ColourTable(), QStringLiteral("Arial"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 5000));
    QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().topLeft(), QPoint(320, 270), 3000);
    EXPECT_TRUE(window.text().contains(QStringLiteral("West-Kardinal Bakentonne")));
    // Lower right quarter: left of and above it; the frame counts.
    const QPoint point(desktop.right() - 200, desktop.bottom() - 150);
    window.showPoint(kBuoy, point, nullptr, ColourTable(), QStringLiteral("Arial"));
    QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().bottomRight() + QPoint(1, 1), point - QPoint(20, 20), 3000);
}

TEST_F(PointInfoWindowOnX, LeavingItDismissesIt)
{
    QSignalSpy dismissed(&window, &PointInfoWindow::dismissed);
    window.showPoint(kBuoy, QPoint(300, 250), nullptr, ColourTable(), QStringLiteral("Arial"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 5000));
    EXPECT_EQ(dismissed.count(), 0);
    // A real click into the main window, through the X server and openbox.
    const QPoint inside = main.mapToGlobal(QPoint(450, 600));
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove"), QString::number(inside.x()), QString::number(inside.y()),
                                 QStringLiteral("click"), QStringLiteral("1")}),
              0);
    EXPECT_TRUE(dismissed.wait(3000) || dismissed.count() > 0);
}
