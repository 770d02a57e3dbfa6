#include "AppTestSupport.h"
#include "support/QtTestApplication.h"
#include "app/CMainFrame.h"
#include "app/KesmarStatusBar.h"
#include "nmea/NmeaInput.h"
#include "nmea/ui/CNmeaPanel.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

using namespace kesmar;

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kesmar::test::qtTestApplication();
        app = program.makeApp();
        ASSERT_TRUE(app->InitInstance());
        frame = app->mainFrame();
    }
    TestProgram program;
    std::unique_ptr<CKesmarApp> app;
    CMainFrame* frame = nullptr;
};

} // namespace

TEST_F(MainFrameTest, StatusBarHasSixPanesWithWidthsAndTexts)
{
    KesmarStatusBar& panes = frame->panes();
    const int widths[] = {68, 75, 30, 68, 75};
    for (int i = 1; i < KesmarStatusBar::kPaneCount; ++i)
        EXPECT_GE(panes.paneWidth(i), widths[i - 1]) << i;
    // A whole position fits.
    EXPECT_GT(panes.paneWidth(5), panes.fontMetrics().horizontalAdvance("180°00.000W"));
    EXPECT_EQ(panes.paneText(0), "NON MESSAGE TERMIN"); // set by the view's start-up
    EXPECT_EQ(panes.paneText(1), "CHART-LAT");
    EXPECT_EQ(panes.paneText(2), "CHART-LAT");
    EXPECT_EQ(panes.paneText(3), "GPS:");
    // The start position has been shown in the GPS panes.
    frame->nmeaInput().flushDisplay();
    EXPECT_EQ(panes.paneText(4), "52°49.897S");
    EXPECT_EQ(panes.paneText(5), " 10°05.477W");
    EXPECT_NEAR(app->vessel().latitudeMinutes, -(52 * 60 + 49.897), 1e-9);
}

TEST_F(MainFrameTest, ToolbarFollowsResource128AndGreysMissingCommands)
{
    QStringList order;
    for (QAction* a : frame->toolBar().actions()) {
        if (a->isSeparator()) {
            order << "|";
            continue;
        }
        for (int id : {57664, 32807, 32803, 32804, 32805, 32806, 40027, 40044, 40043, 40047, 32788, 40048, 40038,
                       40039, 32783, 32784, 32837, 32840, 32844, 32845, 32811, 32814, 32808, 32847}) {
            if (frame->commands().action(CommandId(id)) == a)
                order << QString::number(id);
        }
        EXPECT_EQ(a->icon().isNull(), false);
    }
    EXPECT_EQ(order.join(' '), "57664 | 32807 32803 32804 32805 32806 | 40027 40044 40043 40047 32788 40048 40038 "
                               "40039 | 32783 32784 32837 32840 | 32844 32845 32811 | 32814 32808 32847");
    EXPECT_TRUE(frame->commands().action(CommandId::PanLeft)->isEnabled());
    EXPECT_TRUE(frame->commands().action(CommandId::NmeaPanel)->isEnabled());
    EXPECT_TRUE(frame->commands().action(CommandId::SynopDownload)->isEnabled());
    EXPECT_TRUE(frame->commands().action(CommandId::SynopConvert)->isEnabled());
    EXPECT_EQ(frame->toolBar().allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(frame->toolBar().iconSize(), QSize(19, 19));
}

TEST_F(MainFrameTest, NmeaPanelCommandTogglesPanelAndCheckMark)
{
    QAction* command = frame->commands().action(CommandId::NmeaPanel);
    EXPECT_FALSE(frame->nmeaPanel().isVisible());
    EXPECT_FALSE(command->isChecked());
    ASSERT_TRUE(frame->commands().trigger(CommandId::NmeaPanel));
    EXPECT_TRUE(frame->nmeaPanel().isVisible());
    EXPECT_TRUE(command->isChecked());
    frame->commands().trigger(CommandId::NmeaPanel);
    EXPECT_FALSE(frame->nmeaPanel().isVisible());
    EXPECT_FALSE(command->isChecked());
}

// Both ways of closing the panel clear the command's check mark, so that one
// command brings it back.
TEST_F(MainFrameTest, PanelClosedByCloseBoxOrEscClearsCheckMark)
{
    QAction* command = frame->commands().action(CommandId::NmeaPanel);
    CNmeaPanel& panel = frame->nmeaPanel();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"close box", [&panel] { panel.close(); }},
        {"Esc",
         [&panel] {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(&panel, &escape);
         }},
    };
    for (const auto& [name, closePanel] : ways) {
        frame->commands().trigger(CommandId::NmeaPanel);
        ASSERT_TRUE(panel.isVisible()) << name;
        closePanel();
        EXPECT_FALSE(panel.isVisible()) << name;
        EXPECT_FALSE(command->isChecked()) << name;
        frame->commands().trigger(CommandId::NmeaPanel);
        EXPECT_TRUE(panel.isVisible()) << name;
        EXPECT_TRUE(command->isChecked()) << name;
        frame->commands().trigger(CommandId::NmeaPanel);
    }
}

TEST_F(MainFrameTest, FileMenuAndExit)
{
    QMenu* file = frame->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "&LOG-Data");
    QStringList texts;
    for (QAction* a : file->actions()) {
        if (!a->isSeparator())
            texts << a->text();
    }
    EXPECT_EQ(texts.join('|'), "&Drucken...\tStrg+P|Sei&tenansicht|Drucker&einrichtung...|Letzte Datei|&Beenden");
    EXPECT_FALSE(file->actions().at(4)->isEnabled()); // "Letzte Datei" stays grey
    file->actions().back()->trigger();                 // "&Beenden"
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, ActivationSwallowsTheNextClick)
{
    frame->view().setInteractionMode(InteractionMode::Normal);
    QApplication::setActiveWindow(frame);
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(frame, &activation);
    ASSERT_TRUE(frame->isActiveWindow()) << "the frame must be the active window for this check";
    EXPECT_EQ(frame->view().interactionMode(), InteractionMode::JustActivated);
}
