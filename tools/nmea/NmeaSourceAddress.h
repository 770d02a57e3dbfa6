#pragma once
#include <QString>
#include <optional>

namespace kesmar {

// Where kesmar-nmea reads NMEA 0183 from:
//   serial:/dev/ttyUSB0[@BAUD]   (default 4800 baud)
//   tcp:HOST:PORT                (raw NMEA over TCP, e.g. port 10110)
//   gpsd:HOST[:PORT]             (gpsd's NMEA watch, default port 2947)
//   udp:PORT                     (NMEA datagrams)
//   file:PATH                    (replay)
struct NmeaSourceAddress {
    enum class Kind { Serial, Tcp, Gpsd, Udp, File };
    Kind kind = Kind::File;
    QString host;
    quint16 port = 0;
    QString path;
    int baud = 4800;

    // nullopt and a reason in *error when the text is not a source.
    static std::optional<NmeaSourceAddress> parse(const QString& text, QString* error);
};

} // namespace kesmar
