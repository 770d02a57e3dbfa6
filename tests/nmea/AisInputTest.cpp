#include "AisTestSupport.h"
#include "support/QtTestApplication.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/VesselState.h"
#include "nmea/ui/CNmeaMonitorDlg.h"

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

TEST(AisInput, RoutesAisAndShowsDropsInTheMonitor)
{
    test::qtTestApplication();
    VesselState state;
    NmeaLog log;
    NmeaInput input(state, log);
    input.setDisplayInterval(0);
    int sentences = 0;
    QList<AisMessage> messages;
    QObject::connect(&input, &NmeaInput::sentenceArrived, [&] { ++sentences; });
    QObject::connect(&input, &NmeaInput::aisMessageReceived, [&](const AisMessage& m) { messages.append(m); });

    input.receiveDatagram("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\r\n");
    input.receiveDatagram("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4B\r\n"); // checksum
    input.receiveDatagram("!AIVDM,2,2,7,A,88888888880,2*23\r\n");                  // first part lost
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].mmsi, 371798000u);
    EXPECT_EQ(sentences, 0); // AIS is not the vessel's own position
    EXPECT_EQ(state.hasPosition(), false);
    EXPECT_EQ(input.aisCounters().decoded, 1);
    EXPECT_EQ(input.aisCounters().dropped(), 2);

    CNmeaMonitorDlg monitor(log);
    EXPECT_TRUE(monitor.shownText().contains(QStringLiteral("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A")));
    EXPECT_TRUE(monitor.shownText().contains(QStringLiteral("AIS: 1 Meldungen, verworfen: 2")))
        << monitor.shownText().toStdString();
}

} // namespace
