#pragma once
#include "core/ChartPoint.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kesmar {

// The delta-packed point list of one .LIN record:
//   i32 y, i32 x                      absolute first point
//   then groups: u8 g
//     g = 1..255: g pairs of i16 dy, i16 dx, each adding to the previous point
//     g = 0:      i32 y, i32 x absolute restart (counts as the next point)
// Decoding stops as soon as the N-th point is produced, also inside a group;
// the remaining bytes are ignored. Deltas are sign-extended and added with
// 32-bit wrap-around, so 0xFFFF is -1 and 0x8000 is -32 768.
class PackedPointRecord {
public:
    // Only the low 10 bits of the count and the low 15 bits of the length
    // exist on disk, so these are hard limits of the format.
    static constexpr int kMaxPoints = 1023;
    static constexpr int kMaxBytes = 32767;
    static constexpr size_t kAbsoluteSize = 8;
    static constexpr size_t kDeltaSize = 4;
    static constexpr int kMaxGroup = 255;

    // Decodes `count` points from `bytes` into `out` without allocating.
    // Returns the number of points decoded (== count), or -1 when count is 0
    // or above kMaxPoints, `bytes` is empty or above kMaxBytes, `out` is too
    // small, or the bytes end before the count is reached (never reads past
    // `bytes`).
    static int decode(std::span<const uint8_t> bytes, int count, std::span<ChartPoint> out);

    // Encodes points: deltas where a step fits 16 bits, an absolute restart
    // where it does not. Returns false with `error` set when the list is empty,
    // longer than kMaxPoints or would exceed kMaxBytes. `out` is replaced.
    static bool encode(std::span<const ChartPoint> points, std::vector<uint8_t>& out,
                       std::string* error = nullptr);

    // Bytes the encoding of `points` takes (without the limits check).
    static size_t encodedSize(std::span<const ChartPoint> points);
};

} // namespace kesmar
