#pragma once
#include "core/ChartPoint.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kesmar {

// One point record of a .BPT file (buoy, beacon, light, sounding, text),
// kept as its raw bytes in a fixed buffer so that reading, copying (the hit
// test keeps the nearest record) and writing never allocate.
//   0 u8 type byte: bits 0-5 object type, bit 6 vertical stripes, bit 7 bands
//   1 u8 colour byte: bits 0-3 foreground, bits 4-7 background colour index
//   2 u8 modifier: topmark/decoration bits, or a value (depth in decimetres)
//   3 u8 level: the smaller, the coarser the zoom at which it is drawn
//   4 i32 y, 8 i32 x
//   12.. description; for every type the text lies at 13..S-1 (OEM, NUL-padded)
class PointRecord {
public:
    static constexpr size_t kOffType = 0;
    static constexpr size_t kOffColour = 1;
    static constexpr size_t kOffModifier = 2;
    static constexpr size_t kOffLevel = 3;
    static constexpr size_t kOffY = 4;
    static constexpr size_t kOffX = 8;
    static constexpr size_t kOffDescription = 12;
    static constexpr size_t kOffText = 13;
    static constexpr size_t kMinSize = 13;
    static constexpr size_t kMaxSize = 128;

    static constexpr int kTypeSounding = 62;
    static constexpr int kTypeText = 63;
    static constexpr int kTypeLighthouse = 40;  // "Leuchtfeuer"

    PointRecord() = default;  // kMinSize zero bytes

    // A record from its raw bytes; nullopt unless 13 to 128 bytes.
    static std::optional<PointRecord> fromBytes(std::span<const uint8_t> bytes);

    // A record of `size` bytes (13-128) with the given fields; `text` (OEM
    // bytes) goes to offset 13, cut to fit, NUL-padded.
    static std::optional<PointRecord> make(size_t size, uint8_t typeByte, uint8_t colourByte,
                                           uint8_t modifier, uint8_t level, ChartPoint position,
                                           const QByteArray& text = {});

    size_t size() const { return size_; }
    std::span<const uint8_t> bytes() const { return {bytes_.data(), size_}; }

    uint8_t typeByte() const { return bytes_[kOffType]; }
    int objectType() const { return bytes_[kOffType] & 0x3F; }
    bool horizontalBands() const { return (bytes_[kOffType] & 0x80) != 0; }
    bool verticalStripes() const { return (bytes_[kOffType] & 0x40) != 0; }
    uint8_t colourByte() const { return bytes_[kOffColour]; }
    int foreground() const { return bytes_[kOffColour] & 0x0F; }
    int background() const { return bytes_[kOffColour] >> 4; }
    uint8_t modifier() const { return bytes_[kOffModifier]; }
    uint8_t level() const { return bytes_[kOffLevel]; }
    int32_t y() const;
    int32_t x() const;
    ChartPoint position() const { return {y(), x()}; }

    // Bytes 12 to S-1, read by the point information.
    std::span<const uint8_t> description() const;
    // Bytes 13 up to the first NUL or the end of the record (OEM code page;
    // convert with fromCp850). Empty for a 13-byte record.
    QByteArray text() const;

    friend bool operator==(const PointRecord& a, const PointRecord& b) {
        return a.size_ == b.size_ && std::equal(a.bytes().begin(), a.bytes().end(), b.bytes().begin());
    }

private:
    std::array<uint8_t, kMaxSize> bytes_{};
    size_t size_ = kMinSize;
};

} // namespace kesmar
