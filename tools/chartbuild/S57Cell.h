#pragma once
#include "GeoLine.h"
#include "S57Object.h"

#include "core/Error.h"

#include <QString>

#include <vector>

namespace kesmar::chartbuild {

// One object of an ENC cell: its class and attributes (position of point
// objects included) and its geometry in degrees. Areas keep their outer
// ring only; soundings come one per depth (DEPTH attribute).
struct S57Feature {
    enum class Shape { None, Point, Line, Area };
    S57Object object;
    Shape shape = Shape::None;
    std::vector<std::vector<GeoPoint>> parts;  // lines, or outer rings of areas
};

// An S-57 ENC cell read through GDAL's S-57 driver, with its updates
// (CELL.001, .002, ... beside it) applied.
struct S57Cell {
    QString path;
    QString name;          // data set name from DSID, e.g. "US5FL4DQ.000"
    int compilationScale = 0;  // DSPM_CSCL, e.g. 10000
    int usageBand = 0;     // 1 overview ... 6 berthing
    int updates = 0;       // update files applied
    GeoBox extent;
    std::vector<S57Feature> features;

    // Reads the cell. Fails naming the file when GDAL cannot read it, when
    // it is encrypted (S-63), or when an update is damaged, out of sequence
    // or of another edition.
    static Result<S57Cell> read(const QString& path);
};

// Usage band of a compilation scale: the scale ranges of the six ENC
// navigational purposes.
int usageBandForScale(int compilationScale);

} // namespace kesmar::chartbuild
