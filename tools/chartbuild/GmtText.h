#pragma once
#include "GeoLine.h"

#include "core/Error.h"

#include <QByteArray>

#include <vector>

namespace kesmar::chartbuild {

// Parses GMT's multisegment text: segments start at lines beginning with
// '>' (the header may carry "Level N"), data lines hold "lon lat". Empty
// segments (GMT writes many) are dropped. A data line that is not a position
// refuses the whole text: a shore with a vertex left out would be drawn
// wrong without a word. `source` names the text in the error.
Result<std::vector<GeoLine>> parseGmtMultisegment(const QByteArray& text, const QString& source = {});

} // namespace kesmar::chartbuild
