#include "support/QtTestApplication.h"
#include "core/Measurement.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "view/MouseController.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace kesmar {
namespace {


const QColor kChartColour(10, 20, 30);

// Stands in for the chart view: a plain picture in one colour.
class PlainView : public QWidget {
public:
    PlainView() { resize(800, 600); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kChartColour); }
};

// Base first, so that the application exists before any widget member.
struct WithApplication {
    WithApplication() { kesmar::test::qtTestApplication(); }
};

class MouseFixture : public ::testing::Test, private WithApplication {
protected:
    explicit MouseFixture(bool nauticalMiles = true) : measurement(nauticalMiles)
    {
        viewport.startUp(PixelRect{0, 0, 800, 600});
        viewport.setView(2.0, -600.0, 3200.0); // 10 E, 53 20 N
        controller = new MouseController(view, viewport, measurement, route);
        QObject::connect(controller, &MouseController::statusMessage, [this](const QString& t) { status = t; });
        QObject::connect(controller, &MouseController::contextMenuRequested,
                         [this](const QPoint& p) { menuAt = p; });
    }

    void send(QEvent::Type type, Qt::MouseButton button, QPoint p, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(p), QPointF(view.mapToGlobal(p)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { send(QEvent::MouseButtonPress, b, p, b); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { send(QEvent::MouseButtonRelease, b, p, {}); }
    void moveTo(QPoint p, Qt::MouseButtons held = {}) { send(QEvent::MouseMove, Qt::NoButton, p, held); }
    void drag(QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton)
    {
        press(from, b);
        moveTo(to, b);
        release(to, b);
    }
    void click(QPoint p)
    {
        moveTo(p);
        press(p);
        release(p);
    }
    void rightClick(QPoint p) { drag(p, p, Qt::RightButton); }

    struct ViewValues {
        double scale, x, y;
        bool operator==(const ViewValues&) const = default;
    };
    ViewValues values() const { return {viewport.scale(), viewport.xOffset(), viewport.yOffset()}; }

    PlainView view;
    Viewport viewport;
    Measurement measurement;
    RouteLine route;
    MouseController* controller = nullptr;
    QString status;
    std::optional<QPoint> menuAt;
};

class KilometreFixture : public MouseFixture {
protected:
    KilometreFixture() : MouseFixture(false) {}
};

TEST(AspectEnd, KeepsTheWindowRatioInEveryDirection)
{
    struct Case {
        QPoint mouse, end;
    };
    const QPoint start(400, 300);
    const Case cases[] = {
        {{300, 250}, {300, 225}}, // up-left: 100 wide, 75 high, upwards
        {{300, 380}, {300, 375}}, // down-left
        {{500, 250}, {500, 225}}, // up-right
        {{500, 301}, {500, 375}}, // down-right, mouse barely below
        {{403, 200}, {403, 298}}, // 3 px wide: 2 high, upwards
    };
    for (const Case& c : cases)
        EXPECT_EQ(MouseController::aspectEnd(start, c.mouse, QSize(800, 600)), c.end) << c.mouse.x() << "," << c.mouse.y();
}

TEST_F(MouseFixture, ZoomRectangleDraggedUpAndLeft)
{
    const double before = viewport.scale();
    drag({400, 300}, {300, 250});
    // 100 x 75 rectangle from (300,225) to (400,300): its centre becomes the
    // window centre, its width fills the window.
    EXPECT_DOUBLE_EQ(viewport.scale(), before * 100.0 / 800.0);
    EXPECT_DOUBLE_EQ(viewport.xOffset(), -600.0 + (400 - 350) * before);
    EXPECT_DOUBLE_EQ(viewport.yOffset(), 3200.0 + (300 - 262.5) * before * 0.71);
    EXPECT_EQ(controller->mode(), InteractionMode::Normal);
}

TEST_F(MouseFixture, SmallRectangleDoesNothing)
{
    const auto before = values();
    drag({100, 100}, {109, 140}); // 9 wide
    drag({100, 100}, {112, 140}); // 12 wide, but only 9 high at 4:3
    EXPECT_EQ(values(), before);
    drag({100, 100}, {114, 140}); // 14 x 10
    EXPECT_NE(values(), before);
}

TEST_F(MouseFixture, FirstClickAfterActivationIsSwallowed)
{
    const auto before = values();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&view, &activate);
    EXPECT_EQ(controller->mode(), InteractionMode::JustActivated);
    press({100, 100});
    send(QEvent::MouseMove, Qt::NoButton, {300, 300}, Qt::LeftButton);
    release({300, 300});
    EXPECT_EQ(values(), before);
    EXPECT_EQ(controller->mode(), InteractionMode::Normal);

    // A move before the click ends the state as well; the click then works.
    QCoreApplication::sendEvent(&view, &activate);
    moveTo({90, 90});
    drag({100, 100}, {300, 300});
    EXPECT_NE(values(), before);
}

TEST_F(MouseFixture, ZoomRectangleIsDrawnInverted)
{
    view.show();
    press({100, 100});
    moveTo({300, 300}, Qt::LeftButton); // end (300, 250)
    const auto invertedOnRow = [](const QImage& image, int y, int from = 90, int to = 320) {
        int count = 0;
        for (int x = from; x < to; ++x)
            count += image.pixelColor(x, y) == QColor(245, 235, 225);
        return count;
    };
    const QImage picture = view.grab().toImage();
    EXPECT_GT(invertedOnRow(picture, 100), 60); // dotted top edge
    EXPECT_GT(invertedOnRow(picture, 249), 60); // bottom edge, end (300, 250) exclusive
    EXPECT_EQ(invertedOnRow(picture, 200, 101, 299), 0); // inside untouched
    release({300, 300});
    EXPECT_EQ(invertedOnRow(view.grab().toImage(), 100), 0);
    view.hide();
}

TEST_F(MouseFixture, BearingsOfStraightSegments)
{
    measurement.toggleMeasuring();
    click({400, 300});
    const std::pair<QPoint, const char*> cases[] = {
        {{400, 200}, "  0.00°"}, {{500, 300}, " 90.00°"}, {{400, 400}, "180.00°"}, {{300, 300}, "270.00°"}};
    for (const auto& [to, bearing] : cases) {
        moveTo(to);
        EXPECT_EQ(status.mid(14, 7), QString::fromUtf8(bearing)) << status.toStdString();
    }
}

TEST_F(MouseFixture, TwoClicksAtOnePixelMeasureZero)
{
    measurement.toggleMeasuring();
    click({250, 250});
    click({250, 250});
    moveTo({250, 250});
    EXPECT_EQ(status, QString::fromUtf8("    0.000NM /   0.00°  SUMME:     0.000NM"));
}

TEST_F(KilometreFixture, UnitsFollowTheMileSetting)
{
    measurement.toggleMeasuring();
    click({400, 300});
    moveTo({400, 200});
    EXPECT_TRUE(status.endsWith("KM"));
    const double km = status.left(9).toDouble();

    Measurement nautical(true);
    nautical.toggleMeasuring();
    const MinutePoint a = viewport.unproject(400, 300), b = viewport.unproject(400, 200);
    nautical.click({a.x, a.y});
    const QString text = nautical.moveTo({b.x, b.y});
    EXPECT_EQ(text.mid(9, 2), "NM");
    EXPECT_NEAR(text.left(9).toDouble(), km * Measurement::kKmToNauticalMiles, 0.001);
}

TEST_F(MouseFixture, SumOfThreeSegments)
{
    measurement.toggleMeasuring();
    const QPoint points[] = {{100, 100}, {300, 120}, {320, 400}, {600, 380}};
    click(points[0]);
    double shown = 0.0;
    for (int i = 1; i < 4; ++i) {
        moveTo(points[i]);
        shown += status.left(9).toDouble();
        click(points[i]);
    }
    moveTo(points[3]);
    EXPECT_NEAR(status.mid(30, 9).toDouble(), shown, 0.002) << status.toStdString();
    EXPECT_FALSE(menuAt);
}

TEST_F(MouseFixture, RightClickEndsMeasurementInsteadOfMenu)
{
    measurement.toggleMeasuring();
    rightClick({50, 50}); // armed only: the menu comes
    EXPECT_TRUE(menuAt);
    menuAt.reset();
    click({100, 100});
    drag({200, 200}, {400, 400}, Qt::RightButton); // no rectangle while measuring
    EXPECT_FALSE(menuAt);
    EXPECT_EQ(measurement.state(), Measurement::State::Off);
    rightClick({60, 70});
    ASSERT_TRUE(menuAt);
    EXPECT_EQ(*menuAt, view.mapToGlobal(QPoint(60, 70)));
    EXPECT_EQ(controller->lastRightClick(), QPoint(60, 70));
}

TEST_F(MouseFixture, KeyboardMenuOpensNearTheCorner)
{
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(-1, -1), QPoint(-1, -1));
    QCoreApplication::sendEvent(&view, &event);
    ASSERT_TRUE(menuAt);
    EXPECT_EQ(*menuAt, view.mapToGlobal(QPoint(5, 5)));
}

TEST_F(MouseFixture, RightDragMakesMiniWindowRectangle)
{
    std::optional<QRect> made;
    controller->setMiniWindowHandler([&](const QRect& r) {
        made = r;
        return true;
    });
    drag({300, 200}, {200, 260}, Qt::RightButton);
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, QRect(200, 200, 100, 60));
    EXPECT_FALSE(menuAt);
    made.reset();
    drag({300, 200}, {295, 260}, Qt::RightButton); // too narrow: a plain right click
    EXPECT_FALSE(made);
    EXPECT_TRUE(menuAt);
    EXPECT_EQ(controller->lastRightClick(), QPoint(295, 260));
}

TEST_F(MouseFixture, RouteAppendedFromTheLastPoint)
{
    measurement.newRoute(route);
    click({100, 100});
    click({200, 150});
    click({300, 100});
    rightClick({300, 100});
    ASSERT_EQ(route.size(), 3u);
    const ChartPoint joint = route.last();

    measurement.appendRoute(route);
    moveTo({350, 200});
    EXPECT_EQ(Measurement::toChartPoint(measurement.bandStart()), joint); // band from the old end
    click({350, 200});
    rightClick({350, 200});
    ASSERT_EQ(route.size(), 5u);
    EXPECT_EQ(route.points()[3], joint);
    EXPECT_EQ(viewport.project(route.last()), QPoint(350, 200));
}

TEST_F(MouseFixture, RouteSurvivesZoomAndPan)
{
    measurement.newRoute(route);
    click({200, 200});
    click({420, 330});
    rightClick({420, 330});
    ASSERT_EQ(route.size(), 2u);
    const ChartPoint first = route.points()[0];

    // Wheel up at the first point: zoom in by 1.2, that point stays put.
    QWheelEvent wheel(QPointF(200, 200), QPointF(view.mapToGlobal(QPoint(200, 200))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    const double scale = viewport.scale();
    QCoreApplication::sendEvent(&view, &wheel);
    EXPECT_NEAR(viewport.scale(), scale / 1.2, 1e-12);
    EXPECT_LE((viewport.project(first) - QPoint(200, 200)).manhattanLength(), 1);

    // Middle drag by (+40, -30): the route moves with the chart.
    const QPoint second = viewport.project(route.points()[1]);
    drag({500, 500}, {540, 470}, Qt::MiddleButton);
    EXPECT_LE((viewport.project(route.points()[1]) - (second + QPoint(40, -30))).manhattanLength(), 1);
    EXPECT_EQ(route.points()[0], first);
}

TEST_F(MouseFixture, CursorPositionInStatusPanes)
{
    QString latitude, longitude;
    QObject::connect(controller, &MouseController::cursorPositionChanged, [&](const QString& a, const QString& b) {
        latitude = a;
        longitude = b;
    });
    moveTo({400, 300});
    EXPECT_EQ(latitude, QString::fromUtf8("53°20.000N"));
    EXPECT_EQ(longitude, QString::fromUtf8(" 10°00.000E"));
}

TEST_F(MouseFixture, DoubleClickAsksForThePickupWindow)
{
    std::optional<QRect> pickup;
    QObject::connect(controller, &MouseController::pickupRequested, [&](const QRect& r) { pickup = r; });
    send(QEvent::MouseButtonDblClick, Qt::LeftButton, {400, 300}, Qt::LeftButton);
    ASSERT_TRUE(pickup);
    EXPECT_EQ(*pickup, QRect(200, 150, 400, 300));
}

} // namespace
} // namespace kesmar
