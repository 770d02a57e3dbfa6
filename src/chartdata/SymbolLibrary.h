#pragma once
#include "core/Error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kesmar {

// The buoyage symbol library "BUOYAGE.LBJ": 93 vector drawings in symbol
// units (x to the right, y downwards, relative to the point). Entries 0-63
// draw the object types (19, 55, 57 and 58 also serve as decorations), 64-92
// the topmarks. Only the first 32 767 bytes of the file count.
//   0   16 bytes header, not interpreted
//   16  93 x { u32 offset of the element list, i32 element count }
//   element list: n x { u32 offset of the points, u16 point count, u16 style }
//   points: N x { i16 x, i16 y }
// All offsets are from the start of the file and may point anywhere: what
// cannot be read whole is left out, the rest still draws.
class SymbolLibrary {
public:
    static constexpr int kEntryCount = 93;
    static constexpr int kFirstTopmark = 64;
    static constexpr qsizetype kMaxBytes = 32767;
    static constexpr size_t kHeaderSize = 16;
    static constexpr size_t kDirectoryEntrySize = 8;
    static constexpr size_t kElementHeaderSize = 8;
    static constexpr size_t kPointSize = 4;

    // Style word: bits 0-3 shape, bit 4 fill, bits 1/3/5 outline, bits 8-11
    // fill colour index (7 = the point's pattern), bits 12-15 outline colour.
    // With bits 8-15 all zero: fill 0x00D8FF and black outline, no table.
    enum Shape : uint16_t { Polyline = 2, Polygon = 4, Ellipse = 8 };
    static constexpr uint16_t kFillBit = 0x0010;
    static constexpr uint16_t kOutlineBits = 0x002A;
    static constexpr int kPatternFill = 7;

    struct Element {
        uint16_t style = 0;
        std::vector<QPoint> points;

        int shape() const { return style & 0x0F; }
        bool filled() const { return (style & kFillBit) != 0; }
        bool outlined() const { return (style & kOutlineBits) != 0; }
        bool defaultColours() const { return (style & 0xFF00) == 0; }
        int fillIndex() const { return (style >> 8) & 0x0F; }
        int outlineIndex() const { return style >> 12; }
        friend bool operator==(const Element&, const Element&) = default;
    };
    using Entry = std::vector<Element>;
    using Entries = std::array<Entry, kEntryCount>;

    SymbolLibrary() = default;  // empty: every symbol draws nothing

    // ProgramFolder/CHARTDATA/BUOYAGE.LBJ (name matched ignoring case). An
    // error when the file is missing or unreadable; the caller then keeps an
    // empty library (symbols invisible, texts and soundings still drawn).
    static Result<SymbolLibrary> load(const QString& programFolder);

    // Parses the library bytes (cut at kMaxBytes). Never fails: unreadable
    // directory entries, element lists or point runs are left out.
    static SymbolLibrary fromBytes(QByteArrayView bytes);

    // The file image of `entries` with `header` (cut or NUL-padded to 16
    // bytes); an error when it would exceed kMaxBytes or an element has more
    // points than the 16-bit count holds or coordinates outside i16.
    static Result<QByteArray> toBytes(const Entries& entries, QByteArrayView header = "KESMAR BUOYAGE");

    // Elements of directory entry k; empty for k outside 0-92.
    std::span<const Element> entry(int k) const;
    const Entries& entries() const { return entries_; }
    bool isEmpty() const;

private:
    Entries entries_;
};

} // namespace kesmar
