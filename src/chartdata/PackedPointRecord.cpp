#include "chartdata/PackedPointRecord.h"

#include "core/ByteWriter.h"

#include <cstring>

namespace kesmar {

namespace {

inline int32_t loadI32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16
                                | uint32_t(p[3]) << 24);
}

inline int32_t loadI16(const uint8_t* p)
{
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}

// 32-bit wrap-around addition, as the format's decoder does it.
inline int32_t wrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

bool fitsDelta(int64_t d) { return d >= -32768 && d <= 32767; }

bool fitsStep(const ChartPoint& from, const ChartPoint& to)
{
    return fitsDelta(int64_t(to.y) - from.y) && fitsDelta(int64_t(to.x) - from.x);
}

} // namespace

int PackedPointRecord::decode(std::span<const uint8_t> bytes, int count, std::span<ChartPoint> out)
{
    if (count <= 0 || count > kMaxPoints || bytes.empty() || bytes.size() > size_t(kMaxBytes)
        || out.size() < size_t(count))
        return -1;
    const uint8_t* p = bytes.data();
    const uint8_t* const end = p + bytes.size();
    if (end - p < 8)
        return -1;
    ChartPoint cur{loadI32(p), loadI32(p + 4)};
    p += 8;
    out[0] = cur;
    int n = 1;
    while (n < count) {
        if (p >= end)
            return -1;
        const int group = *p++;
        if (group == 0) {
            if (end - p < 8)
                return -1;
            cur = {loadI32(p), loadI32(p + 4)};
            p += 8;
            out[n++] = cur;
            continue;
        }
        for (int i = 0; i < group && n < count; ++i) {
            if (end - p < 4)
                return -1;
            cur = {wrapAdd(cur.y, loadI16(p)), wrapAdd(cur.x, loadI16(p + 2))};
            p += 4;
            out[n++] = cur;
        }
    }
    return n;
}

size_t PackedPointRecord::encodedSize(std::span<const ChartPoint> points)
{
    if (points.empty())
        return 0;
    size_t size = kAbsoluteSize;
    int group = 0;  // deltas in the open group, 0 = no group open
    for (size_t i = 1; i < points.size(); ++i) {
        if (!fitsStep(points[i - 1], points[i])) {
            size += 1 + kAbsoluteSize;
            group = 0;
            continue;
        }
        if (group == 0 || group == kMaxGroup) {
            size += 1;
            group = 0;
        }
        size += kDeltaSize;
        ++group;
    }
    return size;
}

bool PackedPointRecord::encode(std::span<const ChartPoint> points, std::vector<uint8_t>& out,
                               std::string* error)
{
    out.clear();
    auto fail = [&](const char* why) {
        if (error)
            *error = why;
        out.clear();
        return false;
    };
    if (points.empty())
        return fail("no points");
    if (points.size() > size_t(kMaxPoints))
        return fail("more than 1023 points");
    if (encodedSize(points) > size_t(kMaxBytes))
        return fail("more than 32767 bytes");
    ByteWriter w(out);
    w.i32(points[0].y);
    w.i32(points[0].x);
    size_t groupAt = 0;  // index in out of the open group's length byte
    int group = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        const ChartPoint& a = points[i - 1];
        const ChartPoint& b = points[i];
        if (!fitsStep(a, b)) {
            w.u8(0);
            w.i32(b.y);
            w.i32(b.x);
            group = 0;
            continue;
        }
        if (group == 0 || group == kMaxGroup) {
            groupAt = out.size();
            w.u8(0);
            group = 0;
        }
        w.i16(static_cast<int16_t>(b.y - a.y));
        w.i16(static_cast<int16_t>(b.x - a.x));
        out[groupAt] = static_cast<uint8_t>(++group);
    }
    return true;
}

} // namespace kesmar
