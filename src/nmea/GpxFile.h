#pragma once
#include "core/Error.h"
#include "nmea/OwnTrack.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kesmar {

// GPX 1.1 for routes and tracks: routes as rte/rtept, tracks as
// trk/trkseg/trkpt with their UTC times. Reading takes the first route of a
// file, or else the points of its first track, segments joined in order.
class GpxFile {
public:
    struct Point {
        double latitude = 0.0;  // degrees, north positive
        double longitude = 0.0; // degrees, east positive
        std::optional<int64_t> utcMs;
    };

    static QByteArray routeDocument(std::span<const Point> points, const QString& name);
    static QByteArray trackDocument(std::span<const OwnTrack::Point> points, const QString& name);

    // Replaces `path` atomically with the document.
    static Status save(const QString& path, const QByteArray& document);

    // Errors name the file and the line where the document went wrong.
    static Result<std::vector<Point>> load(const QString& path);
    static Result<std::vector<Point>> parse(const QByteArray& bytes, const QString& fileName);
};

} // namespace kesmar
