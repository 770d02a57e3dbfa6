#pragma once
#include "chartdata/SymbolLibrary.h"

#include <QImage>
#include <QString>

namespace kesmar::chartbuild {

// A review sheet of the symbol library: every directory entry with its
// number in a grid (plain drawings, pattern fills in red and yellow bands),
// then a row of composed marks as the chart shows them (cardinal and
// lateral buoys with topmarks and lights, safe water, isolated danger,
// special mark, wreck). Drawn in the printer colours on white.
struct SymbolSheet {
    static constexpr int kColumns = 10;
    static constexpr int kCell = 110;
    static constexpr double kSize = 0.07;  // pixels per symbol unit, as the point preview

    static QImage draw(const SymbolLibrary& library);
    // The cell's reference point of entry k (the symbol's 0,0).
    static QPoint origin(int k);
};

// kesmar-chartbuild --symbols SOURCE --out DIR | --symbol-sheet PNG [--symbols
// SOURCE | --library LBJ]: compiles the source into DIR/BUOYAGE.LBJ, or draws
// the sheet. Returns -1 when argv asks for neither, else the exit status.
int runSymbolCommand(int argc, char** argv);

} // namespace kesmar::chartbuild
