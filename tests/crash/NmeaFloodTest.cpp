// A flood of datagrams into the NMEA slot: random bytes, sentences with one
// byte damaged and sound fixes, as fast as the slot takes them. The event
// loop keeps answering, memory stays flat, the log stays in its limit, and
// the vessel stays where the sound fixes put it.
#include "support/QtTestApplication.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaSlot.h"
#include "nmea/VesselState.h"
#include "support/DatagramFlood.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kesmar;
using namespace kesmar::test::flood;

namespace {

TEST(NmeaFlood, RandomAndDamagedDatagramsNeverMoveTheVesselAndTheLoopAnswers)
{
    test::qtTestApplication();
    QTemporaryDir dir;
    NmeaSlot slot;
    QString error;
    ASSERT_TRUE(slot.open(dir.filePath("nmea.sock"), &error)) << error.toStdString();
    VesselState state;
    NmeaLog log;
    NmeaInput input(state, log);
    long received = 0, elsewhere = 0;
    QObject::connect(&slot, &NmeaSlot::datagramReceived, &input, [&](const QByteArray& bytes) {
        ++received;
        input.receiveDatagram(bytes);
        if (awayFromTheFixes(state))
            ++elsewhere;
    });
    const Outcome flood = runFlood(slot.path());

    EXPECT_EQ(received, flood.sent) << "a datagram was lost or doubled";
    EXPECT_GT(flood.sent, 1000 * floodSeconds());
    ASSERT_TRUE(state.hasPosition()) << "the sound fixes did not arrive";
    EXPECT_EQ(elsewhere, 0) << "a damaged or random datagram moved the vessel";
    EXPECT_LT(flood.longestGap, 1000) << "the event loop stopped answering";
    EXPECT_LE(log.text().size(), NmeaLog::kLimit);
    EXPECT_LT(flood.residentGrowth, kAllowedGrowth);
}

} // namespace
