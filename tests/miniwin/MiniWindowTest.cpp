#include "miniwin/MiniWindowFixture.h"
#include "miniwin/MiniWindowLayout.h"
#include "miniwin/MiniWindowMenu.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

using namespace kesmar;
using kesmar::test::MiniWindowFixture;

namespace {

QRect recordRect(const MiniWindowState& s)
{
    return QRect(QPoint(s.left, s.top), QPoint(s.right - 1, s.bottom - 1));
}

MiniWindowState record(double scale, double x, double y, int shown, QRect r)
{
    return MiniWindowState{scale, x, y, shown, r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// Opens windows 1 to 4 from drags that fit the desktop.
void openFour(MiniWindowFixture& f)
{
    for (int n = 0; n < 4; ++n)
        ASSERT_TRUE(f.set->openFromDrag(QRect(50 + 150 * n, 100, 120, 80)));
}

} // namespace

TEST(MiniWindows, RightDragNinePixelsGivesTheMenuTenPixelsAWindow)
{
    MiniWindowFixture f;
    ASSERT_EQ(f.view->mapToGlobal(QPoint(0, 0)), QPoint(0, 0));
    f.rightDrag(QPoint(100, 100), QPoint(109, 140)); // 9 wide
    EXPECT_EQ(f.shownCount(), 0);
    EXPECT_TRUE(f.viewMenu);
    f.viewMenu = false;
    f.rightDrag(QPoint(100, 100), QPoint(140, 109)); // 9 high
    EXPECT_EQ(f.shownCount(), 0);
    EXPECT_TRUE(f.viewMenu);
    f.viewMenu = false;
    f.rightDrag(QPoint(100, 100), QPoint(110, 110));
    EXPECT_FALSE(f.viewMenu);
    EXPECT_EQ(f.window(1).shownNumber(), 1);
    EXPECT_TRUE(f.window(1).isVisible());
    EXPECT_EQ(f.window(1).windowTitle(), QStringLiteral("1.MiniWindow"));
    EXPECT_TRUE(f.commands.action(CommandId::MiniWindow1)->isChecked());
    EXPECT_FALSE(f.commands.action(CommandId::MiniWindow2)->isChecked());
    EXPECT_EQ(f.window(1).markTimer().interval(), 1800);
}

TEST(MiniWindows, OpenedWindowCoversTheRectangleAtTheViewsScale)
{
    MiniWindowFixture f;
    f.viewport.setView(1.0, -600.0, 3200.0);
    f.rightDrag(QPoint(201, 101), QPoint(401, 201));
    CMiniWindow& w = f.window(1);
    // The drag's corners less one pixel, the client area over them.
    EXPECT_EQ(w.geometry(), QRect(200, 100, 200, 100));
    EXPECT_EQ(w.frameRect(), w.frameGeometry());
    EXPECT_DOUBLE_EQ(w.viewport().scale(), 1.0);
    // The window's centre pixel (300, 150 in the view) is its centre.
    EXPECT_NEAR(w.viewport().xOffset(), -600.0 - (300 - 400) * 1.0, 1e-9);
    EXPECT_NEAR(w.viewport().yOffset(), 3305.79, 1e-9);
    EXPECT_DOUBLE_EQ(w.viewport().symbolSize(), 0.8 * f.viewport.symbolSize());
}

TEST(MiniWindows, FifthWindowIsRefusedAndAClosedOneIsReused)
{
    MiniWindowFixture f;
    openFour(f);
    EXPECT_EQ(f.shownCount(), 4);
    EXPECT_TRUE(f.set->openFromDrag(QRect(300, 300, 50, 50)));
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.messages[0], QStringLiteral("Maximal sind nur 4 MiniWindows möglich\nBitte schließen Sie vorher eins."));
    EXPECT_EQ(f.shownCount(), 4);
    f.window(2).close();
    EXPECT_EQ(f.window(2).shownNumber(), 0);
    EXPECT_FALSE(f.window(2).isVisible());
    f.viewport.setView(0.5, -500.0, 3000.0);
    EXPECT_TRUE(f.set->openFromDrag(QRect(301, 301, 60, 40)));
    EXPECT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.window(2).shownNumber(), 2);
    EXPECT_EQ(f.window(2).geometry(), QRect(300, 300, 60, 40));
    EXPECT_DOUBLE_EQ(f.window(2).viewport().scale(), 0.5);
    EXPECT_EQ(f.window(2).markTimer().interval(), 1865);
}

TEST(MiniWindows, ArrangeWithNoneShownChangesNothing)
{
    MiniWindowFixture f;
    f.config.arrangeState = 2;
    const QRect before = f.window(1).frameRect();
    f.set->arrange();
    EXPECT_EQ(f.set->arrangeState(), 2);
    EXPECT_EQ(f.window(1).frameRect(), before);
    EXPECT_FALSE(f.window(1).isVisible());
}

TEST(MiniWindows, FourArrangesPlaceRightLeftTopBottomAndTheFifthRightAgain)
{
    MiniWindowFixture f;
    openFour(f);
    ASSERT_EQ(f.set->arrangeState(), 0);
    // View 800 x 599 at (0, 0); quarter heights 149, 150, 150, 150.
    const struct {
        int state;
        QRect frames[4];
    } rows[] = {
        {1, {{600, 2, 198, 149}, {600, 151, 198, 150}, {600, 301, 198, 150}, {600, 451, 198, 150}}},
        {2, {{2, 2, 198, 149}, {2, 151, 198, 150}, {2, 301, 198, 150}, {2, 451, 198, 150}}},
        {3, {{2, 2, 200, 149}, {202, 2, 200, 149}, {402, 2, 200, 149}, {602, 2, 200, 149}}},
        {0, {{2, 451, 200, 149}, {202, 451, 200, 149}, {402, 451, 200, 149}, {602, 451, 200, 149}}},
        {1, {{600, 2, 198, 149}, {600, 151, 198, 150}, {600, 301, 198, 150}, {600, 451, 198, 150}}},
    };
    for (const auto& row : rows) {
        f.set->arrange();
        EXPECT_EQ(f.set->arrangeState(), row.state);
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(f.window(n).frameGeometry(), row.frames[n - 1]) << "state " << row.state << " window " << n;
            EXPECT_TRUE(f.window(n).isVisible());
            EXPECT_TRUE(f.window(n).markTimer().isActive());
        }
    }
}

TEST(MiniWindows, WindowsTwoAndFourShareTheRightColumn)
{
    MiniWindowFixture f;
    openFour(f);
    f.commands.trigger(CommandId::MiniWindow1);
    f.commands.trigger(CommandId::MiniWindow3);
    EXPECT_FALSE(f.commands.action(CommandId::MiniWindow1)->isChecked());
    EXPECT_FALSE(f.window(1).isVisible());
    f.commands.trigger(CommandId::ArrangeMiniWindows);
    EXPECT_EQ(f.window(2).frameGeometry(), QRect(600, 2, 198, 299));
    EXPECT_EQ(f.window(4).frameGeometry(), QRect(600, 301, 198, 300));
    EXPECT_FALSE(f.window(1).isVisible());
    EXPECT_FALSE(f.window(3).isVisible());
    // A toggle shows window 1 where it was and resets the arrange state.
    f.commands.trigger(CommandId::MiniWindow1);
    EXPECT_TRUE(f.window(1).isVisible());
    EXPECT_EQ(f.window(1).geometry(), QRect(49, 99, 120, 80));
    EXPECT_EQ(f.set->arrangeState(), 0);
}

TEST(MiniWindows, KeysIgnoreShiftAndCtrl)
{
    // Client 300 x 200: world scale 72.
    MiniWindowFixture g(false);
    g.config.miniWindows[0] = record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    g.view->initialUpdate();
    g.set->restoreAll();
    CMiniWindow& w = g.window(1);
    // The platform's decoration is 2 pixels on each side.
    ASSERT_EQ(w.size(), QSize(300, 200));
    ASSERT_DOUBLE_EQ(w.viewport().scale(), 1.0);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        double scale, x, y;
    } rows[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 1.2, -600.0, 3200.0},
        {Qt::Key_PageUp, Qt::NoModifier, 0.6, -600.0, 3200.0},
        {Qt::Key_PageUp, Qt::ShiftModifier, 0.3, -600.0, 3200.0},
        {Qt::Key_Insert, Qt::ControlModifier, 0.6, -600.0, 3200.0},
        {Qt::Key_Left, Qt::ShiftModifier, 0.6, -555.0, 3200.0},
        {Qt::Key_Right, Qt::ControlModifier, 0.6, -600.0, 3200.0},
        {Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier, 0.6, -600.0, 3230.0},
        {Qt::Key_Plus, Qt::KeypadModifier, 0.3, -600.0, 3230.0},
        {Qt::Key_Minus, Qt::KeypadModifier, 0.6, -600.0, 3230.0},
        {Qt::Key_Minus, Qt::NoModifier, 0.6, -600.0, 3230.0},   // not in the table
        {Qt::Key_Home, Qt::NoModifier, 0.6, -600.0, 3230.0},    // menu only
        {Qt::Key_Plus, Qt::NoModifier, 0.3, -600.0, 3230.0},
    };
    for (const auto& row : rows) {
        QTest::keyClick(&w, Qt::Key(row.key), row.modifiers);
        EXPECT_NEAR(w.viewport().scale(), row.scale, 1e-12) << "key " << row.key;
        EXPECT_NEAR(w.viewport().xOffset(), row.x, 1e-9) << "key " << row.key;
        EXPECT_NEAR(w.viewport().yOffset(), row.y, 1e-9) << "key " << row.key;
    }
    // The main view did not move.
    EXPECT_DOUBLE_EQ(g.viewport.scale(), 21600.0 / 800);
}

TEST(MiniWindows, ZoomStopsAtTheLimits)
{
    MiniWindowFixture f(false);
    f.config.miniWindows[0] = record(0.001, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    f.view->initialUpdate();
    f.set->restoreAll();
    CMiniWindow& w = f.window(1);
    for (int i = 0; i < 3; ++i) QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(w.viewport().scale(), 0.0003);
    EXPECT_NEAR(w.viewport().xOffset(), -600.0, 1e-9);
    for (int i = 0; i < 20; ++i) QTest::keyClick(&w, Qt::Key_Insert);
    EXPECT_DOUBLE_EQ(w.viewport().scale(), 72.0);
    EXPECT_EQ(w.viewport().xOffset(), 0.0);
    EXPECT_EQ(w.viewport().yOffset(), 0.0);
    w.menu().entry(CommandId::ZoomIn)->trigger();
    EXPECT_DOUBLE_EQ(w.viewport().scale(), 36.0);
    w.menu().entry(CommandId::WholeWorld)->trigger();
    EXPECT_DOUBLE_EQ(w.viewport().scale(), 72.0);
}

TEST(MiniWindows, MinimiseClosesAndKeepsTheNormalRectangle)
{
    MiniWindowFixture f(false);
    f.config.miniWindows[0] = record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    f.view->initialUpdate();
    f.set->restoreAll();
    f.config.arrangeState = 3;
    CMiniWindow& w = f.window(1);
    ASSERT_TRUE(w.isVisible());
    w.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
    EXPECT_EQ(w.shownNumber(), 0);
    EXPECT_FALSE(w.markTimer().isActive());
    EXPECT_EQ(f.set->arrangeState(), 0);
    const MiniWindowState& saved = f.config.miniWindows[0];
    EXPECT_EQ(recordRect(saved), QRect(100, 100, 304, 204));
    EXPECT_EQ(saved.shown, 0);
    EXPECT_DOUBLE_EQ(saved.scale, 1.0);
    EXPECT_FALSE(f.commands.action(CommandId::MiniWindow1)->isChecked());
    // Still initialised: the toggle brings it back at the same place.
    f.commands.trigger(CommandId::MiniWindow1);
    EXPECT_EQ(w.frameGeometry(), QRect(100, 100, 304, 204));
}

TEST(MiniWindows, RestoreShowsTheShownRecordsAndKeepsThemOnTheDesktop)
{
    MiniWindowFixture f(false);
    f.config.miniWindows[0] = record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    f.config.miniWindows[1] = record(2.0, -500.0, 3000.0, 0, QRect(200, 100, 300, 200));
    // Partly left of and above the desktop.
    f.config.miniWindows[2] = record(0.5, -400.0, 3100.0, 3, QRect(-50, -30, 300, 200));
    f.config.miniWindows[3] = record(0.25, -300.0, 3150.0, 4, QRect(300, 300, 300, 200));
    f.view->initialUpdate();
    f.set->restoreAll();
    EXPECT_EQ(f.shownCount(), 3);
    EXPECT_FALSE(f.window(2).isVisible());
    EXPECT_EQ(f.window(3).frameGeometry(), QRect(0, 0, 300, 200));
    EXPECT_DOUBLE_EQ(f.window(3).viewport().scale(), 0.5);
    EXPECT_DOUBLE_EQ(f.window(4).viewport().xOffset(), -300.0);
    // The third lay outside the view: the next arrange goes to the left.
    EXPECT_EQ(f.set->arrangeState(), 1);
    f.set->saveAll();
    EXPECT_EQ(f.config.miniWindows[0], record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204)));
    EXPECT_EQ(f.config.miniWindows[1], record(2.0, -500.0, 3000.0, 0, QRect(200, 100, 300, 200)));
    EXPECT_EQ(f.config.miniWindows[2].shown, 3);
    EXPECT_EQ(f.window(1).windowTitle(), QStringLiteral("1.MiniWindow"));
}

TEST(MiniWindows, CursorPositionIsCappedAtThePoleAndTheDateLine)
{
    MiniWindowFixture f(false);
    // Client 300 x 400 at the world scale: more than the world is shown.
    f.config.miniWindows[0] = record(72.0, 0.0, 0.0, 1, QRect(100, 100, 304, 404));
    f.view->initialUpdate();
    f.set->restoreAll();
    QString latitude, longitude;
    QObject::connect(f.set, &MiniWindowSet::cursorPositionChanged, [&](const QString& a, const QString& b) {
        latitude = a;
        longitude = b;
    });
    f.mouse(f.window(1), QEvent::MouseMove, Qt::NoButton, QPoint(-10, 0), {});
    EXPECT_EQ(latitude, QStringLiteral("90°00.000N"));
    EXPECT_EQ(longitude, QStringLiteral("180°00.000W"));
    f.mouse(f.window(1), QEvent::MouseMove, Qt::NoButton, QPoint(310, 399), {});
    EXPECT_EQ(latitude, QStringLiteral("90°00.000S"));
    EXPECT_EQ(longitude, QStringLiteral("180°00.000E"));
}

TEST(MiniWindows, RubberBandKeepsTheAspectAndDoubleClickDoubles)
{
    MiniWindowFixture f(false);
    f.config.miniWindows[0] = record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    f.view->initialUpdate();
    f.set->restoreAll();
    CMiniWindow& w = f.window(1);
    f.mouse(w, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(50, 50), Qt::LeftButton);
    f.mouse(w, QEvent::MouseMove, Qt::NoButton, QPoint(200, 60), Qt::LeftButton);
    f.mouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(200, 60), {});
    // 150 wide, so 100 high: half the window's width.
    EXPECT_NEAR(w.viewport().scale(), 0.5, 1e-12);
    f.mouse(w, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(150, 100), Qt::LeftButton);
    EXPECT_NEAR(w.viewport().scale(), 0.25, 1e-12);
    // A click without a rectangle and no buoy near: the error sound.
    f.mouse(w, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(20, 20), Qt::LeftButton);
    f.mouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(25, 25), {});
    EXPECT_EQ(f.beeps, 1);
    EXPECT_NEAR(w.viewport().scale(), 0.25, 1e-12);
}

TEST(MiniWindows, PickupMagnifiesFourTimesAndClosesWhenLeft)
{
    MiniWindowFixture f;
    f.viewport.setView(2.0, -600.0, 3200.0);
    f.mouse(*f.view, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(400, 300), Qt::LeftButton);
    CMiniWindow& pickup = f.window(CMiniWindow::kPickup);
    ASSERT_TRUE(pickup.isVisible());
    EXPECT_EQ(pickup.windowTitle(), QStringLiteral("temporary PickUp Window"));
    EXPECT_EQ(pickup.size(), QSize(400, 298));
    EXPECT_DOUBLE_EQ(pickup.viewport().scale(), 0.5);
    EXPECT_EQ(pickup.markTimer().interval(), 2060);
    EXPECT_EQ(f.shownCount(), 0);
    // Losing the focus closes it.
    emit pickup.deactivated(CMiniWindow::kPickup);
    EXPECT_FALSE(pickup.isVisible());
    EXPECT_EQ(pickup.shownNumber(), 0);
}

TEST(MiniWindows, ContextMenuHasItsEntriesWithPictures)
{
    MiniWindowFixture f;
    const QStringList expected = {
        QStringLiteral("Bojen-Info anzeigen"),
        QStringLiteral("Karte links mehr anzeigen (Cursor links)"),
        QStringLiteral("Karte rechts mehr anzeigen (Cursor rechts)"),
        QStringLiteral("Karte oben mehr anzeigen (Cursor hoch)"),
        QStringLiteral("Karte unten mehr anzeigen (Cursor runter)"),
        QString(),
        QStringLiteral("Zoom in (+)  - vergrößern x 2"),
        QStringLiteral("Zoom out (-)  verkleinern / 2"),
        QString(),
        QStringLiteral("Die volle Welt anzeigen (Pos 1 / HOME)"),
    };
    const QList<QAction*> actions = f.window(1).menu().actions();
    ASSERT_EQ(actions.size(), expected.size());
    for (int i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->isSeparator(), expected[i].isEmpty()) << i;
        EXPECT_EQ(actions[i]->text(), expected[i]) << i;
        if (!actions[i]->isSeparator()) {
            EXPECT_FALSE(actions[i]->icon().isNull()) << i;
        }
    }
    // Buoy information without a buoy near: the error sound, no owner.
    f.window(1).menu().entry(CommandId::PointInfo)->trigger();
    EXPECT_EQ(f.beeps, 1);
    EXPECT_EQ(f.set->pointInfoOwner(), 0);
}

TEST(MiniWindowLayout, KeepOnDesktop)
{
    const QRect desktop(0, 0, 800, 600);
    const struct {
        QRect frame, expected;
    } rows[] = {
        {{10, 10, 100, 50}, {10, 10, 100, 50}},
        {{-20, 10, 100, 50}, {0, 10, 100, 50}},
        {{10, -5, 100, 50}, {10, 0, 100, 50}},
        {{750, 10, 100, 50}, {700, 10, 100, 50}},
        {{10, 580, 100, 50}, {10, 550, 100, 50}},
        {{-100, -100, 1000, 700}, {0, 0, 800, 600}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MiniWindowLayout::keepOnDesktop(row.frame, desktop), row.expected) << row.frame.x();
}

namespace {

// Counts the paints a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

TEST(MiniWindows, VesselMarkFollowsTheVesselAtEachWindowsTick)
{
    MiniWindowFixture f(false);
    f.config.miniWindows[0] = record(1.0, -600.0, 3200.0, 1, QRect(100, 100, 304, 204));
    f.config.miniWindows[1] = record(2.0, -600.0, 3200.0, 2, QRect(420, 100, 304, 204));
    f.view->initialUpdate();
    f.set->restoreAll();
    CMiniWindow& w1 = f.window(1);
    CMiniWindow& w2 = f.window(2);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return w1.picture().renderer().hasPicture() && w2.picture().renderer().hasPicture();
    }, 5000));
    // No position: nothing drawn at the centre (150, 100).
    f.vessel.longitudeMinutes = VesselState::kUnknownMinutes;
    f.vessel.latitudeMinutes = 3200.0;
    QImage shot = w1.grab().toImage();
    EXPECT_EQ(shot.pixel(150, 95), shot.pixel(5, 5));
    // Nothing else left to repaint: only the ticks can.
    QTest::qWait(300);
    PaintCounter c1, c2;
    w1.installEventFilter(&c1);
    w2.installEventFilter(&c2);
    // 10 E 53 20 N: the centre of both windows.
    f.vessel.longitudeMinutes = 600.0;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return c1.paints > 0 && c2.paints > 0; }, 2500));
    EXPECT_LE(clock.elapsed(), 2100);
    shot = w1.grab().toImage();
    EXPECT_NE(shot.pixel(150, 95), shot.pixel(5, 5));
    EXPECT_EQ(shot.pixel(150, 100), shot.pixel(5, 5)); // the mark's centre stays free
}
