#pragma once
#include "chartdata/LineIndexEntry.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kesmar {

// Cursor over one section of a .WPN index held in memory. next() yields the
// entries in file order and ends at the terminating zero-count entry, at the
// end of the index (a section without terminator ends there) or at a
// truncated entry. A section starting at a negative or out-of-range offset is
// empty. The cursor does not own the bytes: keep the LineFile alive.
class LineSection {
public:
    LineSection() = default;
    LineSection(std::span<const uint8_t> index, int64_t offset);

    // Reads the next entry into `entry`; false when the section has ended.
    bool next(LineIndexEntry& entry);

    // Byte offset in the index of the entry next() would read.
    size_t position() const { return pos_; }

private:
    std::span<const uint8_t> index_;
    size_t pos_ = 0;
    bool ended_ = true;
};

} // namespace kesmar
