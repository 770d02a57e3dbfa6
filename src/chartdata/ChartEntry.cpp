#include "chartdata/ChartEntry.h"

#include "chartdata/Cp850.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/QtBytes.h"

#include <string>
#include <vector>

namespace kesmar {

static_assert(ChartEntry::kSize == ChartHeader::kSize + 16 + 8 + 2 + 3 + ChartEntry::kNameField);

bool ChartEntry::isWorldMap() const
{
    return name.compare(QLatin1String("WORLDMAP"), Qt::CaseInsensitive) == 0;
}

bool ChartEntry::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize);
        return false;
    }
    ChartEntry e;
    e.header.read(in);
    in.i32(e.visibleBox.top);
    in.i32(e.visibleBox.left);
    in.i32(e.visibleBox.bottom);
    in.i32(e.visibleBox.right);
    in.f64(e.scale);
    in.u16(e.flags);
    in.bytes(e.pad.data(), e.pad.size());
    std::string raw;
    in.fixedString(raw, kNameField);
    // A name without its NUL would not fit the record when written back.
    if (raw.size() > size_t(kMaxNameLength))
        raw.resize(size_t(kMaxNameLength));
    e.name = fromCp850(raw);
    *this = std::move(e);
    return true;
}

void ChartEntry::write(ByteWriter& out) const
{
    header.write(out);
    out.i32(visibleBox.top);
    out.i32(visibleBox.left);
    out.i32(visibleBox.bottom);
    out.i32(visibleBox.right);
    out.f64(scale);
    out.u16(flags);
    out.bytes(pad.data(), pad.size());
    out.fixedString(toCp850(name), kNameField);
}

std::optional<ChartEntry> ChartEntry::fromBytes(std::span<const uint8_t> bytes)
{
    ByteReader in(bytes);
    ChartEntry e;
    if (!e.read(in))
        return std::nullopt;
    return e;
}

QByteArray ChartEntry::toBytes() const
{
    std::vector<uint8_t> buffer;
    ByteWriter out(buffer);
    write(out);
    return toQByteArray(buffer);
}

} // namespace kesmar
