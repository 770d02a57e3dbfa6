#include "chartdata/LineSection.h"

namespace kesmar {

LineSection::LineSection(std::span<const uint8_t> index, int64_t offset)
    : index_(index)
{
    if (offset >= 0 && uint64_t(offset) < index.size()) {
        pos_ = size_t(offset);
        ended_ = false;
    }
}

bool LineSection::next(LineIndexEntry& entry)
{
    if (ended_)
        return false;
    ByteReader in(index_);
    in.seek(pos_);
    std::optional<LineIndexEntry> e = LineIndexEntry::read(in);
    if (!e || e->isTerminator()) {
        ended_ = true;
        return false;
    }
    pos_ += LineIndexEntry::kSize;
    entry = *e;
    return true;
}

} // namespace kesmar
