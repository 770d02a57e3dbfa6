#pragma once
#include "chartdata/ColourTable.h"
#include "chartdata/PointPattern.h"

#include <QColor>
#include <QPainter>
#include <QPoint>

#include <cstdint>

namespace kesmar {

class PointRecord;
class SymbolLibrary;

// Draws library symbols and topmarks: each element of a directory entry is
// scaled by the size factor (pixels per symbol unit) and placed at the
// origin pixel, filled with its colour index or the point's pattern.
//
// The origin, size, pattern and the point's two colours are the state that
// the chart drawing, the chart-details preview, the point-information
// preview and the page decoration set before drawing:
//
//   SymbolPainter s(painter, library, colours);
//   s.setOrigin(pixel);
//   s.setSize(0.07);
//   s.setPattern(PointPatterns::forTypeByte(record.typeByte(), false));
//   s.setPointColours(colours.colour(record.foreground()), colours.colour(record.background()));
//   s.drawDecoratedSymbol(record.objectType(), record.modifier());
class SymbolPainter {
public:
    // Topmarks exist for object types 0-10.
    static constexpr int kTopmarkTypes = 11;
    static constexpr int kLightDecoration = 19;    // modifier bit 6
    static constexpr int kWarnDecoration = 58;     // modifier bit 7
    static constexpr int kRadarDecoration = 55;    // modifier bit 5
    static constexpr int kFogDecoration = 57;      // modifier bit 4
    static constexpr QRgb kDefaultFill = 0xFFFFD800;  // COLORREF 0x00D8FF

    SymbolPainter(QPainter& painter, const SymbolLibrary& library, const ColourTable& colours);

    void setOrigin(QPoint pixel) { origin_ = pixel; }
    void setSize(double pixelsPerUnit) { size_ = pixelsPerUnit; }
    void setPattern(PointPattern pattern) { pattern_ = pattern; }
    // The point's foreground (text colour) and background colours.
    void setPointColours(QColor foreground, QColor background);

    // Directory entry k; k outside 0-92 draws nothing.
    void drawSymbol(int k) const;
    // Topmark `variant` of object type `type` (entry first(type) + variant,
    // shifted by the type's offset); types 11 and above draw nothing.
    // Filled parts take the foreground colour, variants 1-4 (the cardinal
    // marks) are black.
    void drawTopmark(int type, int variant) const;
    // The decorations a modifier byte asks for (types below 32 and 39, 40
    // only), in order: light, topmark, warning, radar, fog; then the symbol.
    void drawDecoratedSymbol(int type, uint8_t modifier) const;

    // The symbol of one point record at `origin` as the chart draws it
    // (decorations, topmark, symbol, pattern and colours from the record);
    // texts, soundings and the depth figures are not drawn here. For
    // previews: the point information passes size 0.07 and the printer
    // colours.
    static void drawPointSymbol(QPainter& painter, const SymbolLibrary& library,
                                const ColourTable& colours, const PointRecord& record,
                                QPoint origin, double size, bool fineStripes = false);

    // Topmark table: offset in symbol units and first directory entry.
    struct TopmarkPlace {
        int dx;
        int dy;
        int firstEntry;
    };
    static TopmarkPlace topmarkPlace(int type);  // type 0-10

private:
    struct Offset {
        int dx = 0;
        int dy = 0;
    };
    enum class FillRule { Element, Topmark, TopmarkBlack };
    void drawEntry(int k, Offset offset, FillRule rule) const;

    QPainter& painter_;
    const SymbolLibrary& library_;
    const ColourTable& colours_;
    QPoint origin_;
    double size_ = 0.025;
    PointPattern pattern_ = PointPattern::Plain;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::black;
};

} // namespace kesmar
