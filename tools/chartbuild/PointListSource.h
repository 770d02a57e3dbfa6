#pragma once
#include "chartdata/PointRecord.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kesmar::chartbuild {

// A point list: one record per line, fields separated by ';', '#' starts a
// comment line:
//   name;lat;lon;type;pattern;colour;modifier;level;text
//   lat/lon   "53 52.50N" / "008 42.00E" (degrees, minutes, hemisphere) or
//             signed decimal degrees
//   type      object type 0-63 (40 lighthouse, 62 sounding, 63 text, ...)
//   pattern   "-", "bands" (type bit 7) or "stripes" (type bit 6)
//   colour    "fg/bg" colour indices, or a raw colour byte "0xNN" (texts)
//   modifier  0-255 (decimal or 0x..): topmark/decoration bits or depth in dm
//   level     0-255: the smaller, the coarser the zoom that shows it
//   text      the record's text (light characteristic, place name), UTF-8;
//             stored in code page 850, at most 113 characters
struct PointListEntry {
    QString name;
    PointRecord record;
};

// Parses the list; nullopt with an error naming the file and line.
std::optional<std::vector<PointListEntry>> parsePointList(const QByteArray& text, const QString& fileName,
                                                          QString* error);

// "53 52.50N", "008 42.00E" or decimal degrees; nullopt when unreadable.
std::optional<double> parseAngle(const QString& text, bool latitude);

} // namespace kesmar::chartbuild
