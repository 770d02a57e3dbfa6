#pragma once
#include "chartdata/PointBlockEntry.h"
#include "chartdata/PointRecord.h"
#include "core/Error.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace kesmar {

// The point content of one chart: the .BWP block index (parsed at load) and
// the .BPT records (kept as bytes, read on demand). Copies are cheap.
//
// Typical drawing loop:
//   for (const PointBlockEntry& b : file.blocks()) {
//       if (!meets(b.box(), visibleBox)) continue;
//       for (int i = 0, n = file.recordCount(b); i < n; ++i) {
//           auto r = file.record(b, i);   // records sorted by ascending y
//           ...skip/stop rules, level filter, draw...
//       }
//   }
class PointFile {
public:
    PointFile() = default;

    // Reads ProgramFolder/CHARTDATA/<name>.BWP and .BPT (names matched
    // ignoring case); an error naming the file that cannot be read (the
    // chart's points are then silently not drawn).
    static Result<PointFile> load(const QString& programFolder, const QString& chartName);

    // Parses the index: entries up to the first zero-count entry or the end
    // of .BWP (a trailing partial entry is ignored).
    static PointFile fromBytes(const QByteArray& bwp, QByteArray bpt);

    const std::vector<PointBlockEntry>& blocks() const { return blocks_; }

    // Records of `block` that can be read whole: 0 when the record size is
    // outside 13-128 or the offset lies past .BPT; records reaching past the
    // end of .BPT are left out.
    int recordCount(const PointBlockEntry& block) const;

    // Raw bytes of record i of the block; empty when not readable whole.
    std::span<const uint8_t> recordBytes(const PointBlockEntry& block, int index) const;

    // Record i of the block; nullopt when not readable whole.
    std::optional<PointRecord> record(const PointBlockEntry& block, int index) const;

    const QByteArray& bpt() const { return bpt_; }

private:
    std::vector<PointBlockEntry> blocks_;
    QByteArray bpt_;
};

} // namespace kesmar
