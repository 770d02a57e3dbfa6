// A flood of datagrams into the NMEA slot: random bytes, sentences with one
// byte damaged and sound fixes, as fast as the slot takes them. The event
// loop keeps answering, memory stays flat, the log stays in its limit, and
// the vessel stays where the sound fixes put it.
#include "support/QtTestApplication.h"
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaSlot.h"
#include "nmea/VesselState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define KESMAR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESMAR_ASAN 1
#endif
#endif

using namespace kesmar;

namespace {

// 54°12.345'N 8°05.678'E in minutes.
constexpr double kLatitude = 54 * 60 + 12.345;
constexpr double kLongitude = 8 * 60 + 5.678;

QByteArray withChecksum(const QByteArray& body)
{
    uint8_t sum = 0;
    for (char c : body)
        sum ^= uint8_t(c);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return '$' + body + '*' + hex + "\r\n";
}

const QByteArray kFixes[] = {
    withChecksum("GPGLL,5412.345,N,00805.678,E,120000,A,A"),
    withChecksum("GPRMC,120001,A,5412.345,N,00805.678,E,5.0,90.0,170123,,,A"),
    withChecksum("GPGGA,120002,5412.345,N,00805.678,E,1,08,0.9,5.0,M,46.9,M,,"),
};

long residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

int floodSeconds()
{
    const int seconds = qEnvironmentVariableIntValue("KESMAR_FLOOD_SECONDS");
    return seconds > 0 ? seconds : 3;
}

// Sends as fast as the slot takes them (a full queue blocks), at most
// `perSecond`; every third datagram a sound fix, the rest random or damaged.
struct Flood {
    std::atomic<bool> done{false};
    std::atomic<long> sent{0};
    long damaged = 0;

    void run(const QString& path, int seconds, int perSecond)
    {
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        std::mt19937 random(19);
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::seconds(seconds);
        for (long n = 0; std::chrono::steady_clock::now() < end; ++n) {
            if (n % (perSecond / 100) == 0)
                std::this_thread::sleep_until(start + std::chrono::milliseconds(n * 1000 / perSecond));
            QByteArray bytes;
            switch (n % 3) {
            case 0:
                bytes = kFixes[random() % 3];
                break;
            case 1: {
                bytes = kFixes[random() % 3];
                // One byte between '$' and '*' changed: the checksum no longer fits.
                const int at = 1 + int(random() % uint32_t(bytes.indexOf('*') - 1));
                bytes[at] = char(uint8_t(bytes[at]) ^ uint8_t(1 + random() % 255));
                ++damaged;
                break;
            }
            default:
                bytes.resize(1 + int(random() % 300));
                for (char& c : bytes)
                    c = char(random());
                if (random() % 2)
                    bytes[0] = '$';
            }
            if (::sendto(fd, bytes.constData(), size_t(bytes.size()), 0, reinterpret_cast<sockaddr*>(&address),
                         sizeof address) >= 0)
                ++sent;
        }
        ::close(fd);
        done = true;
    }
};

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
#ifdef KESMAR_ASAN
    const long allowed = 300L << 20; // ASan keeps freed blocks in a quarantine of up to 256 MB
#else
    const long allowed = 16L << 20;
#endif
    EXPECT_LT(residentBytes() - residentAfterFirstSecond, allowed);
}

} // namespace
