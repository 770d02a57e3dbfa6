#include "GmtText.h"

#include <QList>

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

std::vector<GeoLine> parseGmtMultisegment(const QByteArray& text)
{
    std::vector<GeoLine> lines;
    GeoLine current;
    bool open = false;
    auto flush = [&]() {
        if (open && !current.points.empty())
            lines.push_back(std::move(current));
        current = GeoLine{};
    };
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('>')) {
            flush();
            current.level = levelOf(line);
            open = true;
            continue;
        }
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool okLon = false;
        bool okLat = false;
        const double lon = fields[0].toDouble(&okLon);
        const double lat = fields[1].toDouble(&okLat);
        if (!okLon || !okLat)
            continue;
        open = true;
        current.points.push_back({lon, lat});
    }
    flush();
    return lines;
}

} // namespace kesmar::chartbuild
