#pragma once
#include <cstddef>
#include <cstdint>

namespace kesmar {

class ByteReader;
class ByteWriter;

// The stored state of one mini window, 44 bytes inside CHART.CFG:
//   0 f64 scale, 8 f64 x offset, 16 f64 y offset (minutes),
//   24 i32 shown number (0 hidden, else 1..4), 28 4 x i32 rectangle
//   left, top, right, bottom in screen pixels.
struct MiniWindowState {
    static constexpr size_t kSize = 44;

    double scale = 1.0;
    double xOffset = 0.0;
    double yOffset = 0.0;
    int32_t shown = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Defaults of mini windows 1..4 (index 0..3).
    static MiniWindowState defaults(int index);

    bool read(ByteReader& in);
    void write(ByteWriter& out) const;
    friend bool operator==(const MiniWindowState&, const MiniWindowState&) = default;
};

} // namespace kesmar
