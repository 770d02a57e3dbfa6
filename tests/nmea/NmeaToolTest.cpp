#include "NmeaCsvPrinter.h"
#include "NmeaSourceAddress.h"

#include <gtest/gtest.h>

using namespace kesmar;

namespace {

TEST(NmeaSourceAddress, ParsesEveryKind)
{
    using K = NmeaSourceAddress::Kind;
    struct { const char* text; K kind; const char* host; int port; const char* path; int baud; } cases[] = {
        {"serial:/dev/ttyUSB0", K::Serial, "", 0, "/dev/ttyUSB0", 4800},
        {"serial:/dev/ttyS1@38400", K::Serial, "", 0, "/dev/ttyS1", 38400},
        {"tcp:192.168.1.5:10110", K::Tcp, "192.168.1.5", 10110, "", 4800},
        {"tcp:[::1]:10110", K::Tcp, "::1", 10110, "", 4800},
        {"gpsd:localhost", K::Gpsd, "localhost", 2947, "", 4800},
        {"gpsd:127.0.0.1:3000", K::Gpsd, "127.0.0.1", 3000, "", 4800},
        {"udp:10110", K::Udp, "", 10110, "", 4800},
        {"file:/tmp/a:b.log", K::File, "", 0, "/tmp/a:b.log", 4800},
    };
    for (const auto& c : cases) {
        QString error;
        const auto source = NmeaSourceAddress::parse(c.text, &error);
        ASSERT_TRUE(source) << c.text << " " << error.toStdString();
        EXPECT_EQ(source->kind, c.kind) << c.text;
        EXPECT_EQ(source->host, c.host) << c.text;
        EXPECT_EQ(source->port, c.port) << c.text;
        EXPECT_EQ(source->path, c.path) << c.text;
        EXPECT_EQ(source->baud, c.baud) << c.text;
    }
    for (const char* bad : {"", "/dev/ttyUSB0", "tcp:host", "tcp:host:0", "tcp:host:70000", "udp:", "udp:x",
                            "serial:", "serial:/dev/ttyS0@fast", "file:", "ftp:x", "gpsd::2947"}) {
        QString error;
        EXPECT_FALSE(NmeaSourceAddress::parse(bad, &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(NmeaCsvPrinter, FollowsThePlottersRules)
{
    NmeaCsvPrinter printer;
    EXPECT_EQ(printer.line("$GPGSV,3,1,11"), "GPGSV,,,,,,");
    EXPECT_EQ(printer.line("$GPRMC,235946.005,V,8960.000000,N,00000.000000,E,0.000,0.00,050180,,,N*47"),
              "GPRMC,23:59:46,05.01.80,,,,");
    EXPECT_EQ(printer.line("$GPGGA,184353.07,1929.045,S,02410.506,E,1,04,2.6,100.00,M,-33.9,M,,0000*6D"),
              "GPGGA,18:43:53,05.01.80,-19.484083,24.175100,,");
    EXPECT_EQ(printer.line("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48"),
              "GPVTG,18:43:53,05.01.80,-19.484083,24.175100,5.50,54");
    // A corrupted sentence changes nothing.
    EXPECT_EQ(printer.line("$GPGGA,184354.07,1000.000,S,02410.506,E,1,04,2.6,100.00,M,-33.9,M,,0000*6D"),
              "GPGGA,18:43:53,05.01.80,-19.484083,24.175100,5.50,54");
    EXPECT_EQ(printer.line("$\"X,\"Y"), "X,18:43:53,05.01.80,-19.484083,24.175100,5.50,54");
}

} // namespace
