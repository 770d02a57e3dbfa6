#include "S57Import.h"

#include "ChartBuilder.h"
#include "S57ChartSource.h"

#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace kesmar::chartbuild {

bool isEncCell(const QString& path)
{
    return QFileInfo(path).suffix() == QLatin1String("000");
}

Result<std::vector<S57Cell>> readCells(const QStringList& paths)
{
    std::vector<S57Cell> cells;
    for (const QString& path : paths) {
        Result<S57Cell> cell = S57Cell::read(path);
        if (!cell)
            return cell.error();
        cells.push_back(std::move(cell).value());
    }
    return cells;
}

GeoBox cellsBox(const std::vector<S57Cell>& cells)
{
    GeoBox box = cells.empty() ? GeoBox{} : cells.front().extent;
    for (const S57Cell& c : cells) {
        box.west = std::min(box.west, c.extent.west);
        box.east = std::max(box.east, c.extent.east);
        box.south = std::min(box.south, c.extent.south);
        box.north = std::max(box.north, c.extent.north);
    }
    return box;
}

int cellsScale(const std::vector<S57Cell>& cells)
{
    int scale = 0;
    for (const S57Cell& c : cells)
        scale = std::max(scale, c.compilationScale);
    return scale;
}

bool addCells(const std::vector<S57Cell>& cells, int maxLevel, ChartBuilder& chart, QString* error)
{
    S57ChartSource source;
    for (const S57Cell& c : cells)
        if (!source.add(c, chart, error))
            return false;
    return source.finish(chart, maxLevel, error);
}

QString listCell(const S57Cell& cell)
{
    QMap<QString, int> counts;
    for (const S57Feature& f : cell.features)
        ++counts[f.object.objectClass];
    // Mapped into a throwaway chart, so the listing counts what an import takes.
    ChartBuilder scratch(QStringLiteral("LIST"), cell.extent);
    S57ChartSource source;
    QString error;
    const bool mappedAll = source.add(cell, scratch, &error);
    QString out = QStringLiteral("%1: %2, 1:%3, usage band %4, %5 update(s), %6/%7/%8/%9\n")
                      .arg(cell.path, cell.name)
                      .arg(cell.compilationScale)
                      .arg(cell.usageBand)
                      .arg(cell.updates)
                      .arg(cell.extent.west, 0, 'f', 4)
                      .arg(cell.extent.east, 0, 'f', 4)
                      .arg(cell.extent.south, 0, 'f', 4)
                      .arg(cell.extent.north, 0, 'f', 4);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QString becomes = S57ChartSource::target(it.key());
        const int mapped = source.mapped().value(it.key());
        out += QStringLiteral("%1 %2").arg(it.key(), -6).arg(it.value(), 6);
        out += becomes.isEmpty() ? QStringLiteral("  -> left out\n")
                                 : QStringLiteral("  -> %1: %2 mapped\n").arg(becomes).arg(mapped);
    }
    if (!mappedAll)
        out += QStringLiteral("error: %1\n").arg(error);
    return out;
}

} // namespace kesmar::chartbuild
