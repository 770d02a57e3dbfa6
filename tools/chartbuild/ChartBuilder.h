#pragma once
#include "GeoLine.h"

#include "chartdata/LineFileWriter.h"
#include "chartdata/PointFileWriter.h"
#include "chartdata/PointRecord.h"

#include <QString>

namespace kesmar::chartbuild {

// Collects one chart's content, cuts it to the chart's box and the record
// limits, and writes <NAME>.HDR, .WPN, .LIN and, when points were given,
// .BWP and .BPT. The base section holds the chart's water area, so a finer
// chart clears what coarser charts drew beneath it.
class ChartBuilder {
public:
    struct Stats {
        qint64 bytes = 0;
        int records = 0;
        int points = 0;
        int pointRecords = 0;
    };

    ChartBuilder(QString name, const GeoBox& box);

    // A polygon for `layer` (0-9), clipped to the box and tiled. `feature`
    // names the input in the error (empty geometry, outside the world).
    bool addArea(int layer, const std::vector<GeoPoint>& ring, uint8_t attribute, uint8_t fill,
                 const QString& feature, QString* error);
    // A line for `layer`, clipped to the box and split into runs.
    bool addLine(int layer, const std::vector<GeoPoint>& line, uint8_t attribute, uint8_t fill,
                 const QString& feature, QString* error);
    // A point record; records outside the box are left out (returns true).
    bool addPoint(const PointRecord& record, const QString& feature, QString* error);

    // Scale the chart was compiled at (1:denominator), kept in the header's
    // spare bytes 56-59; 0 leaves them zero.
    void setCompilationScale(uint32_t denominator) { compilationScale_ = denominator; }

    bool write(const QString& directory, Stats* stats, QString* error) const;

    const QString& name() const { return name_; }
    ChartBox box() const { return box_; }

private:
    bool checkInput(const std::vector<GeoPoint>& points, size_t minimum, const QString& feature,
                    QString* error) const;
    bool addRecord(int section, const std::vector<ChartPoint>& points, uint8_t attribute,
                   uint8_t fill, const QString& feature, QString* error);

    QString name_;
    ChartBox box_;
    LineFileWriter lines_;
    PointFileWriter points_;
    int pointCount_ = 0;
    uint32_t compilationScale_ = 0;
};

} // namespace kesmar::chartbuild
