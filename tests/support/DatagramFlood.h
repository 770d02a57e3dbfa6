#pragma once
// A flood of datagrams into an NMEA slot, as fast as the slot takes them up
// to a rate: every third a sound fix of one position, the others random
// bytes or a fix with one byte damaged. For the flood tests of the input
// layer and of the whole plotter.
#include "nmea/VesselState.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <random>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define KESMAR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESMAR_ASAN 1
#endif
#endif

namespace kesmar::test::flood {

// 54°12.345'N 8°05.678'E in minutes.
inline constexpr double kLatitude = 54 * 60 + 12.345;
inline constexpr double kLongitude = 8 * 60 + 5.678;

// The vessel has a position other than the fixes' one.
inline bool awayFromTheFixes(const VesselState& vessel)
{
    return vessel.hasPosition()
           && (std::abs(vessel.latitudeMinutes - kLatitude) > 1e-6 || std::abs(vessel.longitudeMinutes - kLongitude) > 1e-6);
}

inline QByteArray withChecksum(const QByteArray& body)
{
    uint8_t sum = 0;
    for (char c : body)
        sum ^= uint8_t(c);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return '$' + body + '*' + hex + "\r\n";
}

inline const QByteArray kFixes[] = {
    withChecksum("GPGLL,5412.345,N,00805.678,E,120000,A,A"),
    withChecksum("GPRMC,120001,A,5412.345,N,00805.678,E,5.0,90.0,170123,,,A"),
    withChecksum("GPGGA,120002,5412.345,N,00805.678,E,1,08,0.9,5.0,M,46.9,M,,"),
};

inline long residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

inline int floodSeconds()
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

// What a flood run measured.
struct Outcome {
    long sent = 0;
    long damaged = 0;
    double perSecond = 0;
    qint64 longestGap = 0; // ms between ticks of a 20 ms timer
    long residentGrowth = 0; // bytes, from the end of the first second
};

// Floods the slot at `path` for floodSeconds() at up to 10 000 a second while
// the event loop runs, then drains what is still queued.
inline Outcome runFlood(const QString& path)
{
    Outcome out;
    QElapsedTimer sinceTick;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { out.longestGap = std::max(out.longestGap, sinceTick.restart()); });
    const int seconds = floodSeconds();
    Flood flood;
    long residentAfterFirstSecond = 0;
    QTimer::singleShot(1000, [&] { residentAfterFirstSecond = residentBytes(); });
    sinceTick.start();
    tick.start(20);
    QElapsedTimer clock;
    clock.start();
    std::thread sender([&] { flood.run(path, seconds, 10000); });
    while (!flood.done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QElapsedTimer drain;
    drain.start();
    while (drain.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    sender.join();
    out.sent = flood.sent;
    out.damaged = flood.damaged;
    out.perSecond = double(flood.sent) / double(clock.elapsed()) * 1000.0;
    out.residentGrowth = residentBytes() - residentAfterFirstSecond;
    std::printf("flood: %ld datagrams (%ld damaged) in %d s, %.0f per second, longest timer gap %lld ms, "
                "resident growth %ld kB\n",
                out.sent, out.damaged, seconds, out.perSecond, static_cast<long long>(out.longestGap),
                out.residentGrowth >> 10);
    return out;
}

#ifdef KESMAR_ASAN
// ASan keeps freed blocks in a quarantine of up to 256 MB.
inline constexpr long kAllowedGrowth = 300L << 20;
#else
inline constexpr long kAllowedGrowth = 16L << 20;
#endif

} // namespace kesmar::test::flood
