#include "DemoTrack.h"

#include "PointListSource.h"

#include <QStringList>

#include <cmath>

namespace kesmar::chartbuild {

std::optional<std::vector<GeoPoint>> DemoTrack::parseWaypoints(const QByteArray& text, QString* error)
{
    std::vector<GeoPoint> out;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char(';'));
        const auto lat = f.size() >= 2 ? parseAngle(f[0], true) : std::nullopt;
        const auto lon = f.size() >= 2 ? parseAngle(f[1], false) : std::nullopt;
        if (!lat || !lon) {
            if (error)
                *error = QStringLiteral("line %1: expected \"lat;lon\"").arg(n + 1);
            return std::nullopt;
        }
        out.push_back({*lon, *lat});
    }
    return out;
}

std::vector<GeoPoint> DemoTrack::interpolate(const std::vector<GeoPoint>& waypoints, double stepNm)
{
    std::vector<GeoPoint> out;
    if (waypoints.empty())
        return out;
    out.push_back(waypoints[0]);
    for (size_t i = 1; i < waypoints.size(); ++i) {
        const GeoPoint a = waypoints[i - 1];
        const GeoPoint b = waypoints[i];
        const double dLat = (b.lat - a.lat) * 60.0;
        const double dLon = (b.lon - a.lon) * 60.0 * std::cos((a.lat + b.lat) / 2 * M_PI / 180.0);
        const int steps = std::max(1, int(std::ceil(std::hypot(dLat, dLon) / stepNm)));
        for (int s = 1; s <= steps; ++s) {
            const double t = double(s) / steps;
            out.push_back({a.lon + t * (b.lon - a.lon), a.lat + t * (b.lat - a.lat)});
        }
    }
    if (out.size() > size_t(kMaxLines)) {
        std::vector<GeoPoint> thin;
        const double every = double(out.size() - 1) / (kMaxLines - 1);
        for (int k = 0; k < kMaxLines; ++k)
            thin.push_back(out[size_t(std::lround(k * every))]);
        out.swap(thin);
    }
    return out;
}

QByteArray DemoTrack::sentence(const GeoPoint& p, int secondsOfDay)
{
    auto field = [](double degrees, int width) {
        const double a = std::abs(degrees);
        int d = int(a);
        double m = std::round((a - d) * 60.0 * 1000.0) / 1000.0;
        if (m >= 60.0) {
            ++d;
            m = 0;
        }
        return QStringLiteral("%1%2").arg(d, width, 10, QLatin1Char('0')).arg(m, 6, 'f', 3, QLatin1Char('0'));
    };
    const int s = ((secondsOfDay % 86400) + 86400) % 86400;
    const QString body = QStringLiteral("GPGGA,%1%2%3,%4,%5,%6,%7,1,08,1.00,12.0,M,46.9,M,,")
                             .arg(s / 3600, 2, 10, QLatin1Char('0'))
                             .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(s % 60, 2, 10, QLatin1Char('0'))
                             .arg(field(p.lat, 2), p.lat < 0 ? QStringLiteral("S") : QStringLiteral("N"),
                                  field(p.lon, 3), p.lon < 0 ? QStringLiteral("W") : QStringLiteral("E"));
    uint8_t sum = 0;
    for (const QChar c : body)
        sum ^= uint8_t(c.toLatin1());
    return QStringLiteral("$%1*%2").arg(body).arg(sum, 2, 16, QLatin1Char('0')).toUpper().toLatin1();
}

QByteArray DemoTrack::file(const std::vector<GeoPoint>& track)
{
    QByteArray out;
    const int start = 10 * 3600;
    for (size_t i = 0; i < track.size() && i < size_t(kMaxLines); ++i)
        out += sentence(track[i], start + int(i)) + "\r\n";
    return out;
}

} // namespace kesmar::chartbuild
