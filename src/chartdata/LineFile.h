#pragma once
#include "chartdata/LineIndexEntry.h"
#include "chartdata/LineSection.h"
#include "core/ChartPoint.h"
#include "core/Error.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>

namespace kesmar {

// The line and area content of one chart: the .WPN index and the .LIN point
// records, each read whole into memory once. Copies are cheap (the byte
// arrays are shared), so a renderer may keep one per chart between paints.
//
// Typical drawing loop:
//   LineSection s = file.section(header.layerOffset[k]);   // 0 = base areas
//   for (LineIndexEntry e; s.next(e); ) {
//       cull e.box(); stop when e.yMin is south of the view;
//       int n = file.decode(e, buffer);   // buffer: >= kMaxPoints ChartPoints
//       if (n < 0) continue;              // skip the damaged record
//   }
class LineFile {
public:
    // The file a load could not read.
    enum class Part {
        Lin,  // "OPEN ERROR CHARTDATA\%s.LIN", catalogue flag 0x0400
        Wpn,  // "OPEN ERROR CHARTDATA\%s.WPN", catalogue flag 0x0800
    };

    LineFile() = default;
    LineFile(QByteArray wpn, QByteArray lin) : wpn_(std::move(wpn)), lin_(std::move(lin)) {}

    // Reads ProgramFolder/CHARTDATA/<name>.LIN, then .WPN (names matched
    // ignoring case). The error names the file that failed (.LIN is tried
    // first); failedPart() tells which one it is.
    static Result<LineFile> load(const QString& programFolder, const QString& chartName);
    static Part failedPart(const Error& error);

    bool isEmpty() const { return wpn_.isEmpty() && lin_.isEmpty(); }

    // The section starting at `offset` in the index: 0 for the base areas,
    // ChartHeader::layerOffset[k] for line layer k (negative = no layer).
    LineSection section(int32_t offset) const;

    // The packed bytes of an entry's record: empty when the offset or the
    // length (low 15 bits) reaches past the end of .LIN or the length is 0.
    std::span<const uint8_t> recordBytes(const LineIndexEntry& entry) const;

    // Decodes an entry's points into `out` (needs room for the entry's count).
    // Returns the number of points, or -1 when the record must be skipped:
    // count 0 or above 1023, length 0, bytes outside .LIN, or too few bytes
    // for the count. Never allocates.
    int decode(const LineIndexEntry& entry, std::span<ChartPoint> out) const;

    std::span<const uint8_t> indexBytes() const;
    std::span<const uint8_t> pointBytes() const;
    const QByteArray& wpn() const { return wpn_; }
    const QByteArray& lin() const { return lin_; }

private:
    QByteArray wpn_;
    QByteArray lin_;
};

} // namespace kesmar
