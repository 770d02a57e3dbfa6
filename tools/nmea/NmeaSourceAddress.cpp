#include "NmeaSourceAddress.h"

namespace kesmar {
namespace {

std::optional<quint16> parsePort(const QString& text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

// "HOST:PORT", "[v6]:PORT"; the port may be optional.
bool splitHostPort(const QString& text, QString* host, std::optional<quint16>* port)
{
    QString rest = text;
    if (rest.startsWith('[')) {
        const qsizetype close = rest.indexOf(']');
        if (close < 0)
            return false;
        *host = rest.mid(1, close - 1);
        rest = rest.mid(close + 1);
        if (rest.isEmpty())
            return !host->isEmpty();
        if (!rest.startsWith(':'))
            return false;
        *port = parsePort(rest.mid(1));
        return port->has_value() && !host->isEmpty();
    }
    const qsizetype colon = rest.lastIndexOf(':');
    if (colon < 0) {
        *host = rest;
        return !host->isEmpty();
    }
    *host = rest.left(colon);
    *port = parsePort(rest.mid(colon + 1));
    return port->has_value() && !host->isEmpty();
}

} // namespace

std::optional<NmeaSourceAddress> NmeaSourceAddress::parse(const QString& text, QString* error)
{
    auto fail = [&](const QString& why) -> std::optional<NmeaSourceAddress> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const qsizetype colon = text.indexOf(':');
    if (colon < 0)
        return fail(QStringLiteral("source must be serial:, tcp:, gpsd:, udp: or file:"));
    const QString scheme = text.left(colon);
    const QString rest = text.mid(colon + 1);
    NmeaSourceAddress source;
    if (scheme == QLatin1String("serial")) {
        source.kind = Kind::Serial;
        source.path = rest;
        const qsizetype at = rest.lastIndexOf('@');
        if (at >= 0) {
            bool ok = false;
            source.baud = rest.mid(at + 1).toInt(&ok);
            source.path = rest.left(at);
            if (!ok || source.baud <= 0)
                return fail(QStringLiteral("bad baud rate in %1").arg(text));
        }
        if (source.path.isEmpty())
            return fail(QStringLiteral("serial: needs a device"));
        return source;
    }
    if (scheme == QLatin1String("tcp") || scheme == QLatin1String("gpsd")) {
        source.kind = scheme == QLatin1String("tcp") ? Kind::Tcp : Kind::Gpsd;
        std::optional<quint16> port;
        if (!splitHostPort(rest, &source.host, &port))
            return fail(QStringLiteral("bad host or port in %1").arg(text));
        if (!port && source.kind == Kind::Tcp)
            return fail(QStringLiteral("tcp: needs HOST:PORT"));
        source.port = port.value_or(2947);
        return source;
    }
    if (scheme == QLatin1String("udp")) {
        source.kind = Kind::Udp;
        const std::optional<quint16> port = parsePort(rest);
        if (!port)
            return fail(QStringLiteral("udp: needs a port"));
        source.port = *port;
        return source;
    }
    if (scheme == QLatin1String("file")) {
        source.kind = Kind::File;
        source.path = rest;
        if (source.path.isEmpty())
            return fail(QStringLiteral("file: needs a path"));
        return source;
    }
    return fail(QStringLiteral("unknown source kind %1").arg(scheme));
}

} // namespace kesmar
