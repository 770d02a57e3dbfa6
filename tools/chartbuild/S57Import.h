#pragma once
#include "GeoLine.h"
#include "S57Cell.h"

#include "core/Error.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kesmar::chartbuild {

class ChartBuilder;

// An ENC cell among the --s57 inputs: "*.000"; other files are GeoJSON exports.
bool isEncCell(const QString& path);

// Reads every cell (all or nothing: the first that fails is the error).
Result<std::vector<S57Cell>> readCells(const QStringList& paths);
// The union of the cells' extents.
GeoBox cellsBox(const std::vector<S57Cell>& cells);
// Coarsest compilation scale of the cells (largest denominator).
int cellsScale(const std::vector<S57Cell>& cells);

// Maps all cells into the chart; points up to `maxLevel`.
bool addCells(const std::vector<S57Cell>& cells, int maxLevel, ChartBuilder& chart, QString* error);

// The text of `kesmar-chartbuild --list`: each object class with its
// count and what it becomes, and how many of them are mapped.
QString listCell(const S57Cell& cell);

} // namespace kesmar::chartbuild
