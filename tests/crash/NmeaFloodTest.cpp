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

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
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
        if (state.hasPosition()
            && (std::abs(state.latitudeMinutes - kLatitude) > 1e-6 || std::abs(state.longitudeMinutes - kLongitude) > 1e-6))
            ++elsewhere;
    });
    // The loop answers: a 20 ms timer never waits long.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });

    const int seconds = floodSeconds();
    Flood flood;
    long residentAfterFirstSecond = 0;
    QTimer::singleShot(1000, [&] { residentAfterFirstSecond = residentBytes(); });
    sinceTick.start();
    tick.start(20);
    QElapsedTimer clock;
    clock.start();
    std::thread sender([&] { flood.run(slot.path(), seconds, 10000); });
    while (!flood.done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // What is still queued in the socket.
    QElapsedTimer drain;
    drain.start();
    while (drain.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sender.join();
    const double rate = double(flood.sent) / double(clock.elapsed()) * 1000.0;
    std::printf("flood: %ld datagrams (%ld damaged) in %d s, %.0f per second, longest timer gap %lld ms\n",
                flood.sent.load(), flood.damaged, seconds, rate, static_cast<long long>(longestGap));

    EXPECT_EQ(received, flood.sent.load()) << "a datagram was lost or doubled";
    EXPECT_GT(flood.sent.load(), 1000 * seconds);
    ASSERT_TRUE(state.hasPosition()) << "the sound fixes did not arrive";
    EXPECT_EQ(elsewhere, 0) << "a damaged or random datagram moved the vessel";
    EXPECT_LT(longestGap, 1000) << "the event loop stopped answering";
    EXPECT_LE(log.text().size(), NmeaLog::kLimit);
    EXPECT_LT(residentBytes() - residentAfterFirstSecond, kAllowedGrowth);
}

} // namespace
