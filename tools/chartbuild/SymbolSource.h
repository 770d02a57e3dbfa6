#pragma once
#include "chartdata/SymbolLibrary.h"
#include "core/Error.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

namespace kesmar::chartbuild {

// The readable source of the symbol library (data/buoyage-symbols.txt):
//   symbol K  NAME ...            starts directory entry K (0-92)
//   SHAPE [fill=C] [line=C] [amber] : x,y x,y ...
// SHAPE is polyline, polygon or ellipse (box from the first two points);
// fill=C fills with colour index C (0-15, "pattern" = 7, the point's own
// colours), line=C outlines in colour C, amber = the fixed amber fill with a
// black outline. Polylines and ellipses are always outlined (their shape
// numbers carry an outline bit), so they need line=C. '#' starts a comment
// line. Every entry K appears at most once.
struct SymbolSource {
    // The entries; an error naming the file and line.
    static Result<SymbolLibrary::Entries> parse(QByteArrayView text, const QString& fileName);

    // The style word of one element line's options (without the shape).
    static std::optional<uint16_t> style(int shape, std::optional<int> fill, std::optional<int> line,
                                         bool amber);
};

} // namespace kesmar::chartbuild
