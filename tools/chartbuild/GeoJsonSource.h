#pragma once
#include <QByteArray>
#include <QString>

namespace kesmar::chartbuild {

class ChartBuilder;

// Adds the features of a GeoJSON FeatureCollection to a chart. Each feature
// carries its target in its properties:
//   "layer"  0-9 (required), "colour" 0-15, "style" 0-3 (solid, dash-dot-dot,
//   dotted, dotted), "fill" fill-byte bits (0x04 cross-hatched, 0x08 hatched,
//   0x10 outline; the area bit is set for polygons), "name" for messages.
// LineString/MultiLineString become lines, Polygon/MultiPolygon areas (outer
// rings; holes cannot be drawn by the format and are refused).
// Returns false with an error naming the file and the feature.
bool addGeoJson(const QByteArray& json, const QString& fileName, ChartBuilder& builder,
                QString* error, int* featureCount = nullptr);

} // namespace kesmar::chartbuild
