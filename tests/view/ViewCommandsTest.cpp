#include "support/QtTestApplication.h"
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "nmea/VesselState.h"
#include "view/CKesmarView.h"
#include "view/ChartPopupMenu.h"
#include "view/CommandSet.h"
#include "view/MouseController.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QKeyEvent>
#include <QStatusTipEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace kesmar {
namespace {


struct WithApplication {
    WithApplication() { kesmar::test::qtTestApplication(); }
};

// A chart view on an empty program folder, as the frame builds it.
class ViewCommandsFixture : public ::testing::Test, private WithApplication {
protected:
    ViewCommandsFixture()
        : folder(dir.path())
        , view(ChartViewContext{folder, phase, viewport, catalogue, config, vessel, commands, 0, nullptr})
    {
        view.resize(800, 600);
        view.initialUpdate();
        QObject::connect(&commands, &CommandSet::commandRun, [this](CommandId id) { run.push_back(id); });
    }
    ~ViewCommandsFixture() override { view.shutDown(); }

    void key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
        QCoreApplication::sendEvent(&view, &press);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint p)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(p), QPointF(view.mapToGlobal(p)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseMove, Qt::NoButton, p);
        mouse(QEvent::MouseButtonPress, button, p);
        mouse(QEvent::MouseButtonRelease, button, p);
    }
    QAction* popupEntry(const QString& text)
    {
        for (QAction* action : view.viewCommands().popupMenu().findChildren<QAction*>())
            if (action->text() == text)
                return action;
        return nullptr;
    }
    bool checked(CommandId id) { return commands.action(id)->isChecked(); }

    QTemporaryDir dir;
    QString folder;
    StartupPhase phase = StartupPhase::BeforeViewStart;
    Viewport viewport;
    ChartCatalogue catalogue;
    ChartConfig config;
    VesselState vessel;
    CommandSet commands;
    CKesmarView view;
    std::vector<CommandId> run;
};

TEST_F(ViewCommandsFixture, WholeWorldCommandFromKeyAndMenu)
{
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    ASSERT_LT(viewport.scale(), viewport.worldScale());
    key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(viewport.scale(), viewport.worldScale());
    EXPECT_EQ(viewport.xOffset(), 0.0);
    EXPECT_EQ(viewport.yOffset(), 0.0);

    key(Qt::Key_PageUp);
    QAction* entry = popupEntry(QString::fromUtf8("Die volle Welt anzeigen (Pos 1 / HOME)"));
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->icon().isNull());
    entry->trigger();
    EXPECT_EQ(viewport.scale(), viewport.worldScale());
}

TEST_F(ViewCommandsFixture, TabOpensNothingWithoutTheSettingsSheet)
{
    key(Qt::Key_Tab);
    EXPECT_TRUE(run.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(commands.action(CommandId::DetailSettings)->isEnabled());
    EXPECT_FALSE(popupEntry(QString::fromUtf8("Bojen und Flächen Details"))->isEnabled());
}

TEST_F(ViewCommandsFixture, LaterSubsystemsArePresentAndGreyed)
{
    for (const char* text : {"1.Fenster ein/aus", "Arangieren", "Europa (2)", "Karten Farben"}) {
        QAction* entry = popupEntry(QString::fromUtf8(text));
        ASSERT_NE(entry, nullptr) << text;
        EXPECT_FALSE(entry->isEnabled()) << text;
    }
    EXPECT_TRUE(popupEntry("Messen")->isEnabled());
    EXPECT_TRUE(popupEntry("PointInfo")->isEnabled());
    EXPECT_TRUE(commands.action(CommandId::ShortHelp)->isEnabled());
}

TEST_F(ViewCommandsFixture, CheckMarksFollowMeasuringAndRoutes)
{
    commands.trigger(CommandId::Measure);
    EXPECT_TRUE(checked(CommandId::Measure));
    EXPECT_TRUE(popupEntry("Messen")->isChecked());
    commands.trigger(CommandId::Measure);
    EXPECT_FALSE(checked(CommandId::Measure));

    commands.trigger(CommandId::NewRoute);
    EXPECT_TRUE(checked(CommandId::NewRoute));
    EXPECT_FALSE(checked(CommandId::Measure)); // a route is being drawn
    click({100, 100});
    click({200, 200});
    click({200, 200}, Qt::RightButton); // ends the measurement, no menu
    EXPECT_FALSE(checked(CommandId::NewRoute));
    EXPECT_FALSE(view.viewCommands().popupMenu().isVisible());
    EXPECT_EQ(view.viewCommands().route().size(), 2u);

    commands.trigger(CommandId::AppendRoute);
    EXPECT_TRUE(checked(CommandId::AppendRoute));
    EXPECT_EQ(view.viewCommands().measurement().state(), Measurement::State::InProgress);
    commands.trigger(CommandId::AppendRoute); // second use switches off
    EXPECT_FALSE(checked(CommandId::AppendRoute));
    EXPECT_EQ(view.viewCommands().route().size(), 2u);
}

// Catches what the view would hand up to the main window.
class StatusTipSpy : public QObject {
public:
    QString tip;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::StatusTip)
            tip = static_cast<QStatusTipEvent*>(event)->tip();
        return false;
    }
};

TEST_F(ViewCommandsFixture, PopupPromptsReachTheView)
{
    StatusTipSpy spy;
    view.installEventFilter(&spy);
    popupEntry("Neue Route")->showStatusText();
    EXPECT_EQ(spy.tip, "Neue Routen Hilflinie zeichnen.");
    popupEntry("Nordsee")->showStatusText(); // in a submenu
    EXPECT_EQ(spy.tip, "Wettermeldungen aus der Nordsee anzeigen.");
}

TEST_F(ViewCommandsFixture, RightClickOpensThePopupMenu)
{
    view.show();
    mouse(QEvent::MouseMove, Qt::NoButton, {300, 200}); // ends the just-activated state
    click({300, 200}, Qt::RightButton);
    EXPECT_TRUE(view.viewCommands().popupMenu().isVisible());
    view.viewCommands().popupMenu().hide();
    view.hide();
}

} // namespace
} // namespace kesmar
