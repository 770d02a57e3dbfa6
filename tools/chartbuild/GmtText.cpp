#include "GmtText.h"

#include <QList>

#include <cmath>
#include <cstdlib>

namespace kesmar::chartbuild {

namespace {

int levelOf(const QByteArray& header)
{
    const int at = header.indexOf("Level ");
    if (at < 0)
        return 0;
    return std::atoi(header.constData() + at + 6);
}

} // namespace

Result<std::vector<GeoLine>> parseGmtMultisegment(const QByteArray& text, const QString& source)
{
    std::vector<GeoLine> lines;
    GeoLine current;
    bool open = false;
    auto flush = [&]() {
        if (open && !current.points.empty())
            lines.push_back(std::move(current));
        current = GeoLine{};
    };
    const QList<QByteArray> rawLines = text.split('\n');
    for (qsizetype n = 0; n < rawLines.size(); ++n) {
        const QByteArray line = rawLines[n].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('>')) {
            flush();
            current.level = levelOf(line);
            open = true;
            continue;
        }
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool okLon = false;
        bool okLat = false;
        const double lon = fields.size() >= 2 ? fields[0].toDouble(&okLon) : 0.0;
        const double lat = fields.size() >= 2 ? fields[1].toDouble(&okLat) : 0.0;
        if (!okLon || !okLat || !std::isfinite(lon) || !std::isfinite(lat))
            return Error::atLine(source, int(n + 1),
                                 QStringLiteral("not a position: %1").arg(QString::fromLatin1(line.left(60))));
        open = true;
        current.points.push_back({lon, lat});
    }
    flush();
    return lines;
}

} // namespace kesmar::chartbuild
