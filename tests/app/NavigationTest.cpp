// The frame's AIS, track, follow and GPX commands on a running plotter, and
// the end-to-end path: a receiver log replayed by kesmar-nmea into the
// plotter's slot gives the targets gpsdecode finds in it.
#include "AppTestSupport.h"
#include "support/QtTestApplication.h"
#include "view/PointInfoWindow.h"
#include "app/CMainFrame.h"
#include "app/NavigationController.h"
#include "core/IniFile.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "nmea/AisTargetList.h"
#include "nmea/NmeaInput.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include <map>

using namespace kesmar;

namespace {

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kesmar::test::qtTestApplication();
        app = program.makeApp();
        ASSERT_TRUE(app->InitInstance());
        frame = app->mainFrame();
        frame->nmeaInput().setDisplayInterval(0);
        frame->navigation().setMessageSink([this](const QString& text) { messages << text; });
    }
    // An RMC fix at degrees north/east.
    void fix(double lat, double lon)
    {
        const double la = std::fabs(lat), lo = std::fabs(lon);
        const QByteArray body = QString::asprintf("GPRMC,120000,A,%02d%07.4f,%c,%03d%07.4f,%c,0.0,0.0,071226,,",
                                                  int(la), (la - int(la)) * 60, lat >= 0 ? 'N' : 'S', int(lo),
                                                  (lo - int(lo)) * 60, lon >= 0 ? 'E' : 'W')
                                    .toLatin1();
        uint8_t sum = 0;
        for (char c : body) sum ^= uint8_t(c);
        frame->nmeaInput().receiveDatagram("$" + body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0'));
    }
    TestProgram program;
    std::unique_ptr<CKesmarApp> app;
    CMainFrame* frame = nullptr;
    QStringList messages;
};

TEST_F(NavigationTest, FollowCommandRecentresAndAPanTurnsItOff)
{
    CommandSet& commands = frame->commands();
    EXPECT_TRUE(frame->toolBar().actions().contains(commands.action(CommandId::FollowVessel)));
    Viewport& viewport = app->viewport();
    viewport.setView(0.01, -600.0, 3240.0); // 54 N 10 E, close in
    fix(54.0, 10.0);
    ASSERT_TRUE(commands.trigger(CommandId::FollowVessel));
    EXPECT_TRUE(commands.action(CommandId::FollowVessel)->isChecked());
    fix(54.0, 10.2); // far out of the window: centred again
    EXPECT_NEAR(-viewport.xOffset(), 612.0, 1e-6);
    EXPECT_NEAR(viewport.yOffset(), 3240.0, 1e-6);
    ASSERT_TRUE(commands.trigger(CommandId::PanLeft));
    const double panned = viewport.xOffset();
    fix(54.0, 10.4);
    EXPECT_EQ(viewport.xOffset(), panned);
    EXPECT_FALSE(commands.action(CommandId::FollowVessel)->isChecked());
}

TEST(NavigationLimits, ReadFromTheSettingsFile)
{
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("KMR.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[AIS]\r\nCpaWarnNm=1,5\r\nTcpaWarnMin=20\r\n");
    ini.close();
    IniFile profile(ini.fileName());
    ASSERT_TRUE(bool(profile.load()));
    AisCpa::Limits limits = NavigationController::readLimits(profile);
    EXPECT_EQ(limits.cpaNauticalMiles, 1.5);
    EXPECT_EQ(limits.tcpaMinutes, 20.0);
    // Missing, unreadable or senseless values: the defaults 0.5 nm and 12 min.
    for (const char* text : {"", "[AIS]\r\nCpaWarnNm=abc\r\nTcpaWarnMin=-3\r\n", "[AIS]\r\nCpaWarnNm=nan\r\n"}) {
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(text);
        ini.close();
        IniFile other(ini.fileName());
        (void)other.load();
        limits = NavigationController::readLimits(other);
        EXPECT_EQ(limits.cpaNauticalMiles, 0.5) << text;
        EXPECT_EQ(limits.tcpaMinutes, 12.0) << text;
    }
}

TEST_F(NavigationTest, NavigationMenu)
{
    QStringList titles, entries;
    for (QAction* a : frame->menuBar()->actions()) {
        titles << a->text();
        if (a->text() != QStringLiteral("&Navigation")) continue;
        for (QAction* entry : a->menu()->actions())
            if (!entry->isSeparator()) entries << entry->text() + (entry->isEnabled() ? "" : " (grau)");
    }
    EXPECT_EQ(titles.join('|'), "&LOG-Data|&Ansicht|&Navigation|&Einstellungen|&Wetter|&?");
    EXPECT_EQ(entries.join('|'),
              QStringLiteral("Schiff verfolgen|Track löschen|Route laden…|Route speichern…|Track speichern…"));
}

TEST_F(NavigationTest, TrackGrowsWithThePositionsAndIsCleared)
{
    // The frame's fixed start position is no fix and not part of the track.
    EXPECT_TRUE(app->ownTrack().empty());
    fix(53.5, 9.9);
    fix(53.51, 9.9);
    fix(53.52, 9.9);
    EXPECT_EQ(app->ownTrack().points().size(), 3u);
    ASSERT_TRUE(frame->commands().trigger(CommandId::ClearTrack));
    EXPECT_TRUE(app->ownTrack().empty());
}

TEST_F(NavigationTest, RouteSavedAndLoadedAgainDamagedFileNamesTheLine)
{
    RouteLine& route = frame->view().viewCommands().route();
    route.clear();
    route.append(ChartPoint{-3212760, 597960});
    route.append(ChartPoint{-3232380, 522138});
    const QString path = program.dir.filePath(QStringLiteral("elbe.gpx"));
    ASSERT_TRUE(frame->navigation().saveRoute(path));
    route.clear();
    ASSERT_TRUE(frame->navigation().loadRoute(path));
    ASSERT_EQ(route.size(), 2u);
    EXPECT_NEAR(route.points()[1].y, -3232380, 1);
    EXPECT_NEAR(route.points()[1].x, 522138, 1);

    QFile damaged(program.dir.filePath(QStringLiteral("bad.gpx")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<gpx>\n<rte>\n<rtept lat=\"53.5\" lon=\"oops\"/>\n</rte>\n</gpx>\n");
    damaged.close();
    EXPECT_FALSE(frame->navigation().loadRoute(damaged.fileName()));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Zeile 3"))) << messages[0].toStdString();
    EXPECT_EQ(route.size(), 2u); // the old route stays
}

TEST_F(NavigationTest, ClickOnATargetShowsItsDataInGerman)
{
    app->viewport().setView(0.01, -600.0, 3240.0);
    frame->nmeaInput().receiveDatagram("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A"); // far away
    AisMessage near;
    near.type = 5;
    near.mmsi = 211000001;
    near.shipname = QStringLiteral("ELBE PILOT");
    app->aisTargets().apply(near, frame->navigation().now());
    AisMessage report;
    report.type = 1;
    report.mmsi = 211000001;
    report.latitude = 54.0;
    report.longitude = 10.0;
    report.speedKnots = 12.5;
    report.courseDegrees = 90.0;
    app->aisTargets().apply(report, frame->navigation().now());
    ASSERT_EQ(app->aisTargets().size(), 2u);

    const QPoint centre = app->viewport().project(600.0, -3240.0);
    EXPECT_FALSE(frame->navigation().showTargetAt(centre + QPoint(40, 40)));
    ASSERT_TRUE(frame->navigation().showTargetAt(centre + QPoint(2, 1)));
    const PointInfoWindow& window = frame->navigation().infoWindow();
    ASSERT_TRUE(window.isVisible());
    const QString text = window.text();
    EXPECT_TRUE(text.contains(QStringLiteral("ELBE PILOT"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MMSI:\t211000001")));
    EXPECT_TRUE(text.contains(QStringLiteral("FAHRT:\t12,5 kn")));
    EXPECT_TRUE(text.contains(QStringLiteral("54°00.000N")));
}

TEST_F(NavigationTest, ReceiverLogReplayedIntoThePlotterGivesTheTargets)
{
    const QString log = QStringLiteral(KESMAR_SHARED_DIR "/ais/ais-18-27.log");
    // The peer's view of the log: the last class B position of every station.
    QProcess gpsdecode;
    gpsdecode.setStandardInputFile(log);
    gpsdecode.start(QStringLiteral("gpsdecode"), {QStringLiteral("-j")});
    ASSERT_TRUE(gpsdecode.waitForFinished(20000));
    std::map<qint64, std::pair<double, double>> expected;
    for (const QByteArray& line : gpsdecode.readAllStandardOutput().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.value(QLatin1String("type")).toInt() != 18) continue;
        expected[qint64(o.value(QLatin1String("mmsi")).toDouble())] = {o.value(QLatin1String("lat")).toDouble(),
                                                                       o.value(QLatin1String("lon")).toDouble()};
    }
    ASSERT_GE(expected.size(), 10u);

    QProcess forwarder;
    forwarder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    forwarder.start(QStringLiteral(KESMAR_NMEA_TOOL), {QStringLiteral("file:") + log, QStringLiteral("--rate"),
                                                       QStringLiteral("500"), QStringLiteral("--slot"),
                                                       program.slotPath()});
    ASSERT_TRUE(forwarder.waitForStarted(5000));
    QElapsedTimer clock;
    clock.start();
    while ((forwarder.state() != QProcess::NotRunning || app->aisTargets().size() < expected.size())
           && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    forwarder.waitForFinished(1000);
    QCoreApplication::processEvents();

    EXPECT_EQ(app->aisTargets().size(), expected.size());
    for (const auto& [mmsi, position] : expected) {
        const AisTarget* t = app->aisTargets().find(uint32_t(mmsi));
        ASSERT_TRUE(t) << mmsi;
        EXPECT_EQ(t->kind, AisTarget::Kind::ClassB) << mmsi;
        ASSERT_TRUE(t->hasPosition()) << mmsi;
        EXPECT_NEAR(*t->latitude, position.first, 1e-6) << mmsi;
        EXPECT_NEAR(*t->longitude, position.second, 1e-6) << mmsi;
    }
    EXPECT_EQ(frame->nmeaInput().aisCounters().dropped(), 0);
}

} // namespace
