#include "support/ChartViewObjects.h"
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"
#include "view/KeyMap.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace kesmar;

namespace {

// The application-wide objects a chart view works on, in an empty folder.
struct ViewFixture : kesmar::test::ChartViewObjects {
    CKesmarView view{context()};

    ViewFixture()
    {
        view.resize(800, 600);
        view.show();
    }
};

} // namespace

TEST(ChartView, StartUpRunsThePhasesAndRestoresTheDefaultView)
{
    ViewFixture f;
    EXPECT_EQ(f.phase, StartupPhase::BeforeViewStart);
    f.view.initialUpdate();
    EXPECT_EQ(f.phase, StartupPhase::Running);
    EXPECT_EQ(f.viewport.width(), 800);
    EXPECT_TRUE(f.viewport.hasStarted());
    // No chart list: the whole world is shown.
    EXPECT_DOUBLE_EQ(f.viewport.scale(), 21600.0 / 800);
    f.view.shutDown();
    EXPECT_EQ(QFileInfo(ChartConfig::filePath(f.folder)).size(), qint64(ChartConfig::kSize));
}

TEST(ChartView, ResizeCountsOnlyOnceRunning)
{
    ViewFixture f;
    f.view.resize(640, 480); // phase 0: default handling only
    QCoreApplication::processEvents();
    EXPECT_EQ(f.viewport.width(), 0);
    f.view.initialUpdate();
    f.viewport.setView(2.0, -100.0, 2000.0);
    const double spanMinutes = f.viewport.scale() * f.viewport.width();
    f.view.resize(1280, 480);
    EXPECT_EQ(f.viewport.width(), 1280);
    EXPECT_NEAR(f.viewport.scale() * 1280, spanMinutes, 1e-9); // same longitude range
    EXPECT_NEAR(f.viewport.xOffset(), -100.0, 1e-9);
    f.view.resize(0, 480); // no area: the viewport keeps its values
    EXPECT_EQ(f.viewport.width(), 1280);
}

TEST(ChartView, KeysPanAndZoomThroughZoomPan)
{
    ViewFixture f;
    f.view.initialUpdate();
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        double xFactor;    // x offset change in units of width * scale
        double yFactor;    // y offset change in units of height * scale
        double scaleRatio; // new scale / old scale
    } cases[] = {
        {Qt::Key_Left, Qt::NoModifier, 0.25, 0, 1},
        {Qt::Key_Right, Qt::NoModifier, -0.25, 0, 1},
        {Qt::Key_Up, Qt::NoModifier, 0, 0.25, 1},
        {Qt::Key_Down, Qt::NoModifier, 0, -0.25, 1},
        {Qt::Key_Left, Qt::ShiftModifier, 0.5, 0, 1},
        {Qt::Key_Down, Qt::ShiftModifier, 0, -0.5, 1},
        {Qt::Key_Left, Qt::ControlModifier, 0.25, 0, 1}, // key code 37, no accelerator
        {Qt::Key_PageUp, Qt::NoModifier, 0, 0, 0.5},
        {Qt::Key_PageDown, Qt::NoModifier, 0, 0, 2},
        {Qt::Key_Plus, Qt::KeypadModifier, 0, 0, 0.5},
        {Qt::Key_Minus, Qt::KeypadModifier, 0, 0, 2},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 0, 0, 1 / 1.2},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 0, 0, 1.2},
        {Qt::Key_Insert, Qt::NoModifier, 0, 0, 2},
        {Qt::Key_Plus, Qt::NoModifier, 0, 0, 0.5},
        {Qt::Key_A, Qt::NoModifier, 0, 0, 1},
    };
    for (const auto& c : cases) {
        // Somewhere in the middle of Europe, well inside the world limits.
        f.viewport.setView(1.0, -480.0, 2900.0);
        const double s = f.viewport.scale();
        const double x = f.viewport.xOffset();
        const double y = f.viewport.yOffset();
        QTest::keyClick(&f.view, Qt::Key(c.key), c.modifiers);
        EXPECT_NEAR(f.viewport.xOffset() - x, c.xFactor * f.viewport.widthF() * s, 1e-9) << c.key;
        EXPECT_NEAR(f.viewport.yOffset() - y, c.yFactor * f.viewport.heightF() * s, 1e-9) << c.key;
        EXPECT_NEAR(f.viewport.scale() / s, c.scaleRatio, 1e-12) << c.key;
    }
    QTest::keyClick(&f.view, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(f.viewport.scale(), f.viewport.worldScale());
    EXPECT_EQ(f.viewport.xOffset(), 0.0);
}

TEST(ChartView, AcceleratorTable)
{
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int command; // 0: none
    } cases[] = {
        {Qt::Key_Left, Qt::NoModifier, 40038},    {Qt::Key_Right, Qt::NoModifier, 40039},
        {Qt::Key_Up, Qt::NoModifier, 40043},      {Qt::Key_Down, Qt::NoModifier, 40044},
        {Qt::Key_Left, Qt::ShiftModifier, 40040}, {Qt::Key_Right, Qt::ShiftModifier, 40041},
        {Qt::Key_Up, Qt::ShiftModifier, 40045},   {Qt::Key_Down, Qt::ShiftModifier, 40046},
        {Qt::Key_PageUp, Qt::NoModifier, 40047},  {Qt::Key_PageDown, Qt::NoModifier, 40048},
        {Qt::Key_PageUp, Qt::ControlModifier, 32788},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 32791},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 32792},
        {Qt::Key_Tab, Qt::NoModifier, 32789},
        {Qt::Key_Left, Qt::KeypadModifier, 40038}, // keypad arrows are arrows
        {Qt::Key_Left, Qt::ControlModifier, 0},
        {Qt::Key_Plus, Qt::ControlModifier, 0}, // main-block plus is not the pad key
        {Qt::Key_PageUp, Qt::ShiftModifier, 0},
    };
    for (const auto& c : cases) {
        const auto command = acceleratorCommand(c.key, c.modifiers);
        EXPECT_EQ(command ? toInt(*command) : 0, c.command) << c.key << " " << c.modifiers.toInt();
    }
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_Left, Qt::ControlModifier), 37);
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_Insert, Qt::NoModifier), 45);
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_Left, Qt::AltModifier), 0);
    EXPECT_EQ(zoomPanKeyCode(Qt::Key_F1, Qt::NoModifier), 0);
}

TEST(ChartView, CommandsAreGreyUntilBoundAndMenuEntriesFollowThem)
{
    kesmar::test::qtTestApplication();
    CommandSet commands;
    QAction* measure = commands.action(CommandId::Measure);
    EXPECT_FALSE(measure->isEnabled());
    EXPECT_EQ(measure->statusTip(),
              "Vermessung durch klicken mit der Maus auf dem Schirm - Line lösen mit der rechte Maustaste ");
    EXPECT_FALSE(commands.trigger(CommandId::Measure));

    QObject owner;
    QAction* entry = commands.popupMenuEntry(CommandId::NmeaPanel, &owner);
    EXPECT_EQ(entry->text(), "Instrumente");
    EXPECT_EQ(commands.action(CommandId::NmeaPanel)->text(), "&NMEA Panel ");
    EXPECT_EQ(commands.action(CommandId::NmeaPanel)->toolTip(), "NMEA-Instrumenten-Leiste  ein oder aus.");
    EXPECT_FALSE(entry->isEnabled());

    bool shown = false;
    commands.bind(CommandId::NmeaPanel, [&] {
        shown = !shown;
        commands.setChecked(CommandId::NmeaPanel, shown);
    });
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(commands.trigger(CommandId::NmeaPanel));
    EXPECT_FALSE(shown);
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(CommandSet::mainMenuText(CommandId::PanDown), "Karte unten mehr anzeigen (Cursor runten)");
    EXPECT_EQ(CommandSet::popupMenuText(CommandId::PanDown), "Karte unten mehr anzeigen (Cursor runter)");
}
