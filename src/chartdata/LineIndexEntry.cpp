#include "chartdata/LineIndexEntry.h"

namespace kesmar {

std::optional<LineIndexEntry> LineIndexEntry::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize);  // marks the reader as failed
        return std::nullopt;
    }
    LineIndexEntry e;
    in.i32(e.yMin);
    in.i32(e.xMin);
    in.i32(e.yMax);
    in.i32(e.xMax);
    in.u32(e.linOffset);
    in.u16(e.byteLength);
    in.u16(e.pointCount);
    in.u8(e.attribute);
    in.u8(e.fill);
    return e;
}

void LineIndexEntry::write(ByteWriter& out) const
{
    out.i32(yMin);
    out.i32(xMin);
    out.i32(yMax);
    out.i32(xMax);
    out.u32(linOffset);
    out.u16(byteLength);
    out.u16(pointCount);
    out.u8(attribute);
    out.u8(fill);
}

} // namespace kesmar
