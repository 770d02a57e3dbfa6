#include "PointListSource.h"

#include "GeoLine.h"

#include "chartdata/Cp850.h"

#include <QStringList>

#include <cmath>

namespace kesmar::chartbuild {

namespace {

constexpr int kMaxText = 113;  // keeps S <= 127: (S - 13) mod 115 characters are shown

std::optional<int> parseByte(const QString& s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok, 0);
    if (!ok || v < 0 || v > 255)
        return std::nullopt;
    return v;
}

std::optional<uint8_t> parseColour(const QString& s)
{
    if (s.trimmed().startsWith(QLatin1String("0x")))
        return parseByte(s);
    const QStringList parts = s.split(QLatin1Char('/'));
    if (parts.size() != 2)
        return std::nullopt;
    const auto fg = parseByte(parts[0]);
    const auto bg = parseByte(parts[1]);
    if (!fg || !bg || *fg > 15 || *bg > 15)
        return std::nullopt;
    return uint8_t(*fg | *bg << 4);
}

} // namespace

std::optional<double> parseAngle(const QString& text, bool latitude)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    const QChar hemi = s.back().toUpper();
    const QString positive = latitude ? QStringLiteral("N") : QStringLiteral("E");
    const QString negative = latitude ? QStringLiteral("S") : QStringLiteral("W");
    double value = 0;
    if (hemi == positive[0] || hemi == negative[0]) {
        s.chop(1);
        const QStringList parts = s.simplified().split(QLatin1Char(' '));
        bool okD = false;
        bool okM = true;
        value = parts[0].toDouble(&okD);
        if (parts.size() > 1)
            value += parts[1].toDouble(&okM) / 60.0;
        if (!okD || !okM || parts.size() > 2)
            return std::nullopt;
        if (hemi == negative[0])
            value = -value;
    } else {
        bool ok = false;
        value = s.toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (!std::isfinite(value) || std::abs(value) > (latitude ? 90.0 : 180.0))
        return std::nullopt;
    return value;
}

std::optional<std::vector<PointListEntry>> parsePointList(const QByteArray& text, const QString& fileName,
                                                          QString* error)
{
    std::vector<PointListEntry> out;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto fail = [&](const QString& why) {
            if (error)
                *error = QStringLiteral("%1:%2: %3").arg(fileName).arg(n + 1).arg(why);
            return std::nullopt;
        };
        const QStringList f = line.split(QLatin1Char(';'));
        if (f.size() != 9)
            return fail(QStringLiteral("expected 9 fields, found %1").arg(f.size()));
        const auto lat = parseAngle(f[1], true);
        const auto lon = parseAngle(f[2], false);
        if (!lat || !lon)
            return fail(QStringLiteral("%1: position outside the world or unreadable").arg(f[0]));
        const auto type = parseByte(f[3]);
        if (!type || *type > 63)
            return fail(QStringLiteral("%1: type must be 0-63").arg(f[0]));
        const QString pattern = f[4].trimmed();
        uint8_t typeByte = uint8_t(*type);
        if (pattern == QLatin1String("bands"))
            typeByte |= 0x80;
        else if (pattern == QLatin1String("stripes"))
            typeByte |= 0x40;
        else if (pattern != QLatin1String("-"))
            return fail(QStringLiteral("%1: pattern must be -, bands or stripes").arg(f[0]));
        const auto colour = parseColour(f[5]);
        const auto modifier = parseByte(f[6]);
        const auto level = parseByte(f[7]);
        if (!colour || !modifier || !level)
            return fail(QStringLiteral("%1: colour, modifier or level unreadable").arg(f[0]));
        const std::string oem = toCp850(f[8].trimmed());
        if (int(oem.size()) > kMaxText)
            return fail(QStringLiteral("%1: text longer than %2 characters").arg(f[0]).arg(kMaxText));
        const size_t size = oem.empty() ? PointRecord::kMinSize : PointRecord::kOffText + oem.size() + 1;
        const auto record = PointRecord::make(size, typeByte, *colour, uint8_t(*modifier), uint8_t(*level),
                                              toChartPoint({*lon, *lat}), QByteArray::fromStdString(oem));
        out.push_back({f[0].trimmed(), *record});
    }
    return out;
}

} // namespace kesmar::chartbuild
