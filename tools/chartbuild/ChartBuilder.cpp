#include "ChartBuilder.h"
#include "ChartFileSet.h"

#include "chartdata/ChartHeader.h"
#include "chartdata/RecordSplitter.h"
#include "core/FileUtil.h"

#include <QDir>

#include <cmath>

namespace kesmar::chartbuild {

namespace {

bool setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool insideBox(const ChartPoint& p, const ChartBox& b)
{
    return p.y >= b.top && p.y <= b.bottom && p.x >= b.left && p.x <= b.right;
}

// Liang-Barsky clip of one segment to the box; false when nothing is left.
bool clipSegment(ChartPoint& a, ChartPoint& b, const ChartBox& box)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.x) - box.left, double(box.right) - a.x, double(a.y) - box.top,
                         double(box.bottom) - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const ChartPoint from = a;
    auto at = [&](double t) {
        return ChartPoint{int32_t(std::lround(from.y + t * dy)), int32_t(std::lround(from.x + t * dx))};
    };
    a = t0 > 0 ? at(t0) : a;
    b = t1 < 1 ? at(t1) : b;
    return true;
}

std::vector<std::vector<ChartPoint>> clipPolyline(const std::vector<ChartPoint>& line, const ChartBox& box)
{
    std::vector<std::vector<ChartPoint>> runs;
    std::vector<ChartPoint> run;
    for (size_t i = 1; i < line.size(); ++i) {
        ChartPoint a = line[i - 1];
        ChartPoint b = line[i];
        if (!clipSegment(a, b, box)) {
            if (run.size() > 1)
                runs.push_back(std::move(run));
            run.clear();
            continue;
        }
        if (!run.empty() && !(run.back() == a)) {
            if (run.size() > 1)
                runs.push_back(std::move(run));
            run.clear();
        }
        if (run.empty())
            run.push_back(a);
        if (!(b == run.back()))
            run.push_back(b);
    }
    if (run.size() > 1)
        runs.push_back(std::move(run));
    return runs;
}

} // namespace

ChartBuilder::ChartBuilder(QString name, const GeoBox& box)
    : name_(std::move(name)), box_(toChartBox(box))
{
    const std::vector<ChartPoint> water{{box_.top, box_.left}, {box_.top, box_.right},
                                        {box_.bottom, box_.right}, {box_.bottom, box_.left}};
    lines_.add(LineFileWriter::kBaseSection, water, 4, LineIndexEntry::kFillArea);
}

bool ChartBuilder::checkInput(const std::vector<GeoPoint>& points, size_t minimum,
                              const QString& feature, QString* error) const
{
    if (points.size() < minimum)
        return setError(error, QStringLiteral("%1: empty geometry (%2 points)").arg(feature).arg(points.size()));
    for (const GeoPoint& p : points) {
        if (!std::isfinite(p.lon) || !std::isfinite(p.lat) || std::abs(p.lon) > 180.0
            || std::abs(p.lat) > 90.0)
            return setError(error, QStringLiteral("%1: coordinate outside the world (%2, %3)")
                                       .arg(feature).arg(p.lon).arg(p.lat));
    }
    return true;
}

bool ChartBuilder::addRecord(int section, const std::vector<ChartPoint>& points, uint8_t attribute,
                             uint8_t fill, const QString& feature, QString* error)
{
    std::string why;
    if (!lines_.add(section, points, attribute, fill, &why))
        return setError(error, QStringLiteral("%1: %2").arg(feature, QString::fromStdString(why)));
    return true;
}

bool ChartBuilder::addArea(int layer, const std::vector<GeoPoint>& ring, uint8_t attribute,
                           uint8_t fill, const QString& feature, QString* error)
{
    if (layer < 0 || layer >= LineFileWriter::kLayerCount)
        return setError(error, QStringLiteral("%1: layer %2 is not 0-9").arg(feature).arg(layer));
    if (!checkInput(ring, 3, feature, error))
        return false;
    const std::vector<ChartPoint> clipped = RecordSplitter::clipPolygon(toChartPoints(ring), box_);
    for (const auto& tile : RecordSplitter::tilePolygon(clipped))
        if (!addRecord(layer, tile, attribute, uint8_t(fill | LineIndexEntry::kFillArea), feature, error))
            return false;
    return true;
}

bool ChartBuilder::addLine(int layer, const std::vector<GeoPoint>& line, uint8_t attribute,
                           uint8_t fill, const QString& feature, QString* error)
{
    if (layer < 0 || layer >= LineFileWriter::kLayerCount)
        return setError(error, QStringLiteral("%1: layer %2 is not 0-9").arg(feature).arg(layer));
    if (!checkInput(line, 2, feature, error))
        return false;
    for (const auto& run : clipPolyline(toChartPoints(line), box_))
        for (const auto& piece : RecordSplitter::splitPolyline(run))
            if (!addRecord(layer, piece, attribute, uint8_t(fill & ~LineIndexEntry::kFillArea), feature, error))
                return false;
    return true;
}

bool ChartBuilder::addPoint(const PointRecord& record, const QString& feature, QString* error)
{
    if (!insideBox(record.position(), box_))
        return true;
    std::string why;
    if (!points_.add(record, &why))
        return setError(error, QStringLiteral("%1: %2").arg(feature, QString::fromStdString(why)));
    ++pointCount_;
    return true;
}

bool ChartBuilder::write(const QString& directory, Stats* stats, QString* error) const
{
    LineFileWriter::Image image;
    std::string why;
    if (!lines_.build(image, &why))
        return setError(error, QStringLiteral("%1: %2").arg(name_, QString::fromStdString(why)));
    ChartHeader header;
    header.setBox(box_);
    for (size_t i = 0; i < 4; ++i)
        header.reserved[i] = uint8_t(compilationScale_ >> (8 * i));
    for (int k = 0; k < LineFileWriter::kLayerCount; ++k)
        header.layerOffset[size_t(k)] = image.layerOffsets[size_t(k)];
    QDir().mkpath(directory);
    const QString stem = QDir(directory).filePath(name_);
    // One set: a failure anywhere leaves the old files of the chart whole.
    ChartFileSet files;
    files.write(stem + ".HDR", header.toBytes());
    files.write(stem + ".WPN", image.wpn);
    files.write(stem + ".LIN", image.lin);
    Stats s;
    s.bytes = header.toBytes().size() + image.wpn.size() + image.lin.size();
    PointFileWriter::Image pointImage;
    if (pointCount_ > 0) {
        pointImage = points_.build();
        files.write(stem + ".BWP", pointImage.bwp);
        files.write(stem + ".BPT", pointImage.bpt);
        s.bytes += pointImage.bwp.size() + pointImage.bpt.size();
    } else {
        files.remove(stem + ".BWP");
        files.remove(stem + ".BPT");
    }
    if (const Status written = files.commit(); !written)
        return setError(error, written.error().describe());
    s.records = image.records;
    s.points = image.points;
    s.pointRecords = pointImage.records;
    if (stats)
        *stats = s;
    return true;
}

} // namespace kesmar::chartbuild
