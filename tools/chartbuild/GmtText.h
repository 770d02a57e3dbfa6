#pragma once
#include "GeoLine.h"

#include <QByteArray>

#include <vector>

namespace kesmar::chartbuild {

// Parses GMT's multisegment text: segments start at lines beginning with
// '>' (the header may carry "Level N"), data lines hold "lon lat". Empty
// segments (GMT writes many) and unreadable lines are dropped.
std::vector<GeoLine> parseGmtMultisegment(const QByteArray& text);

} // namespace kesmar::chartbuild
