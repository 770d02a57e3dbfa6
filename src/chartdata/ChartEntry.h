#pragma once
#include "chartdata/ChartHeader.h"
#include "core/ChartPoint.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kesmar {

// One chart of the catalogue; the same 162-byte record is kept in
// CHARTLIST.LST. Little-endian, no padding:
//   0 64 bytes ChartHeader, 64 4 x i32 visible box (yMin', xMin', yMax', xMax'),
//   80 f64 natural scale (minutes of arc per pixel), 88 u16 state flags,
//   90 3 zero bytes, 93 69 bytes NUL-terminated name (code page 850, at most 68).
struct ChartEntry {
    static constexpr size_t kSize = 162;
    static constexpr size_t kNameField = 69;
    static constexpr int kMaxNameLength = 68;

    enum Flag : uint16_t {
        Visible = 0x0001,     // overlaps the viewport and passed the scale test
        Suppressed = 0x0002,  // coarser than the best chart
        Best = 0x0004,        // finest chart that covers the whole viewport
        LinFailed = 0x0400,   // <name>.LIN could not be opened (set by line drawing)
        WpnFailed = 0x0800,   // <name>.WPN could not be opened (set by line drawing)
        Excluded = 0x8000,    // never selected; honoured when read from the list
        DrawBlockMask = 0x8C02,
        SelectionMask = 0x00FF, // the low byte, cleared by every selection
    };

    ChartHeader header;
    ChartBox visibleBox;  // the header box clipped to the viewport by the last selection
    double scale = 0.0;
    uint16_t flags = 0;
    std::array<uint8_t, 3> pad{};
    QString name;         // upper-case file stem

    ChartBox box() const { return header.box(); }
    // Drawn only when visible and none of 0x8C02 is set (the caller also needs
    // the catalogue's charts-available bit 0).
    bool isDrawable() const { return (flags & Visible) && !(flags & DrawBlockMask); }
    bool isWorldMap() const;

    // Reads one whole record; false when fewer than 162 bytes remain. A name
    // without a NUL within its 69 bytes is cut to 68 characters.
    bool read(ByteReader& in);
    void write(ByteWriter& out) const;
    static std::optional<ChartEntry> fromBytes(std::span<const uint8_t> bytes);
    QByteArray toBytes() const;
};

} // namespace kesmar
