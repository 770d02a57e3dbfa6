// The whole plotter under a flood of datagrams: main frame and chart view on
// a chart, four mini windows and the NMEA panel open, random, damaged and
// sound sentences at up to 10 000 a second into its slot. The plotter keeps
// answering and drawing, memory stays flat, and no datagram ever moves the
// vessel away from where the sound fixes put it.
// KESMAR_FLOOD_SECONDS sets the length (3 s by default).
#include "AppTestSupport.h"
#include "../chartdata/SyntheticChart.h"
#include "support/DatagramFlood.h"
#include "support/QtTestApplication.h"
#include "app/CMainFrame.h"
#include "miniwin/CMiniWindow.h"
#include "miniwin/MiniWindowSet.h"
#include "nmea/NmeaSlot.h"
#include "nmea/ui/CNmeaPanel.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace kesmar;
using namespace kesmar::test::flood;

namespace {

// Counts the paint events of a widget.
struct PaintCounter : QObject {
    long paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST(PlotterFlood, WithMiniWindowsOpenTheVesselNeverMovesOnABadSentenceAndThePlotterAnswers)
{
    test::qtTestApplication();
    // A coast around the fixes' position, in the chart list the plotter reads.
    test::SyntheticCharts charts;
    LineFileWriter coast;
    ASSERT_TRUE(coast.add(4, test::boxRing(-3300000, 400000, -3200000, 560000), 0, 0x80));
    ASSERT_TRUE(charts.write(QStringLiteral("COAST"), coast, {-3300000, 400000, -3200000, 560000}));
    Viewport viewport;
    ASSERT_FALSE(charts.catalogue({QStringLiteral("COAST")}, viewport).saveList(charts.folder()).has_value());

    QStringList errors;
    CKesmarApp::Options options;
    options.programFolder = charts.folder();
    options.slotPath = charts.folder() + QStringLiteral("/run/nmea.sock");
    options.errorBox = [&](QWidget*, const QString& text) { errors << text; };
    CKesmarApp app(options);
    ASSERT_TRUE(app.InitInstance());
    CMainFrame& frame = *app.mainFrame();
    frame.show();
    // Four areas of the chart, as if dragged open with the right button.
    for (int n = 0; n < 4; ++n)
        ASSERT_TRUE(frame.miniWindows().openFromDrag(QRect(40 + 60 * n, 40 + 30 * n, 120, 90))) << n;
    for (int n = 1; n <= 4; ++n)
        ASSERT_NE(frame.miniWindows().window(n).shownNumber(), 0) << "mini window " << n;
    ASSERT_TRUE(frame.commands().trigger(CommandId::NmeaPanel));
    ASSERT_TRUE(frame.nmeaPanel().isVisible());

    // After the plotter's own handling of each datagram: where is the vessel?
    VesselState& vessel = app.vessel();
    long received = 0, elsewhere = 0;
    QObject::connect(&app.nmeaSlot(), &NmeaSlot::datagramReceived, &frame, [&](const QByteArray&) {
        ++received;
        if (awayFromTheFixes(vessel))
            ++elsewhere;
    });
    PaintCounter viewPaints, miniPaints;
    frame.view().installEventFilter(&viewPaints);
    frame.miniWindows().window(1).installEventFilter(&miniPaints);

    // Windows asked to redraw every 100 ms (as a user's scrolling would) do so.
    QTimer redraw;
    QObject::connect(&redraw, &QTimer::timeout, [&] {
        frame.view().update();
        frame.miniWindows().window(1).update();
    });
    redraw.start(100);
    const Outcome flood = runFlood(app.nmeaSlot().path());
    std::printf("plotter flood: %ld view and %ld mini-window paints\n", viewPaints.paints, miniPaints.paints);

    const int seconds = floodSeconds();
    EXPECT_EQ(received, flood.sent) << "a datagram was lost or doubled";
    EXPECT_GT(flood.sent, 1000 * seconds);
    ASSERT_TRUE(vessel.hasPosition()) << "the sound fixes did not arrive";
    EXPECT_EQ(elsewhere, 0) << "a damaged or random datagram moved the vessel";
    EXPECT_LT(flood.longestGap, 1000) << "the plotter stopped answering";
    EXPECT_GE(viewPaints.paints, 5 * seconds) << "the chart view was not redrawn while the flood ran";
    EXPECT_GE(miniPaints.paints, 5 * seconds) << "the mini window was not redrawn while the flood ran";
    EXPECT_LT(flood.residentGrowth, kAllowedGrowth);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QStringLiteral("; ")).toStdString();
    app.ExitInstance();
}

} // namespace
