#include "chartdata/PointBlockEntry.h"

namespace kesmar {

std::optional<PointBlockEntry> PointBlockEntry::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize);  // marks the reader as failed
        return std::nullopt;
    }
    PointBlockEntry e;
    in.i32(e.yMin);
    in.i32(e.xMin);
    in.i32(e.yMax);
    in.i32(e.xMax);
    in.u32(e.bptOffset);
    in.u16(e.count);
    in.u8(e.recordSize);
    in.u8(e.unused);
    return e;
}

void PointBlockEntry::write(ByteWriter& out) const
{
    out.i32(yMin);
    out.i32(xMin);
    out.i32(yMax);
    out.i32(xMax);
    out.u32(bptOffset);
    out.u16(count);
    out.u8(recordSize);
    out.u8(unused);
}

} // namespace kesmar
