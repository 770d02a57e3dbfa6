// .WPN index sections and packed .LIN records from arbitrary bytes: the
// reader must stay inside its buffers, and whatever decodes must survive an
// encode/decode round trip unchanged.
#include "chartdata/LineFile.h"
#include "chartdata/PackedPointRecord.h"
#include "core/QtBytes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace kesmar;

namespace {

void roundTrip(std::span<const ChartPoint> points)
{
    std::vector<uint8_t> packed;
    if (!PackedPointRecord::encode(points, packed))
        __builtin_trap();  // anything decodable is encodable
    std::vector<ChartPoint> again(points.size());
    if (PackedPointRecord::decode(packed, int(points.size()), again) != int(points.size()))
        __builtin_trap();
    if (std::memcmp(again.data(), points.data(), points.size() * sizeof(ChartPoint)) != 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::vector<ChartPoint> buffer(PackedPointRecord::kMaxPoints);
    if (size < 6)
        return 0;
    // Layout of a case: u16 count, u16 index length, u16 layer offset, index, points.
    const int count = data[0] | data[1] << 8;
    const size_t indexSize = std::min<size_t>(size - 6, size_t(data[2] | data[3] << 8));
    const int32_t layerOffset = int16_t(data[4] | data[5] << 8);
    const std::span<const uint8_t> rest(data + 6, size - 6);

    const int n = PackedPointRecord::decode(rest, count, buffer);
    if (n > 0)
        roundTrip(std::span(buffer).first(size_t(n)));

    const LineFile file(toQByteArray(rest.first(indexSize)), toQByteArray(rest.subspan(indexSize)));
    for (int32_t offset : {0, layerOffset, -1}) {
        LineSection section = file.section(offset);
        int entries = 0;
        for (LineIndexEntry e; section.next(e); ++entries) {
            if (e.pointCount == 0 || entries > 20000)
                __builtin_trap();
            const int got = file.decode(e, buffer);
            if (got > 0 && got != e.pointCount)
                __builtin_trap();
        }
    }
    return 0;
}
